// The scene driver's pointer and keys, and virtualInput, on Windows. Events enter through the
// entry Wine's own X11 driver uses for the keyboard and mouse (__wine_send_input), so the
// program's low-level hooks see them as hardware input, not as injected; a witness hook in
// front of the program's records what they let through.
#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/portable/portable_input.h"
#include "platform/win32/message_thread.h"
#include "scene_driver.h"
#include "scene_input.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace {

// Marks the witness's own events in dwExtraInfo; the program's injections carry 0.
constexpr ULONG_PTR kTagBase = 0x5A718000;
constexpr ULONG_PTR kMoveTag = kTagBase - 1;

// How long the hooks may take to decide on one event, under a loaded machine.
constexpr int kDecideMs = 2000;
// The longest a key or a pointer move may take through the hooks and the system's queues: only
// a hang lasts this long, a loaded machine under Wine takes seconds at most.
constexpr int kArrivalMs = 30000;

using SendInputEntry = BOOL(CDECL*)(HWND, const INPUT*, const void*);

// Real Windows has no such entry: there SendInput's events reach the hooks marked as injected,
// which the program's hooks let pass, so the scene tests run under Wine only.
SendInputEntry wineEntry() {
    static const SendInputEntry entry = [] {
        HMODULE module = LoadLibraryW(L"win32u.dll");
        return module ? reinterpret_cast<SendInputEntry>(
                            reinterpret_cast<void*>(GetProcAddress(module, "__wine_send_input")))
                      : nullptr;
    }();
    return entry;
}

// The portable stand-in's record of what reached the system, here the witness's.
using Delivered = z718::platform::PortableInput::Delivered;

// Shared with the hook procedures, which carry no user data.
std::mutex g_mutex;
std::condition_variable g_decided;
std::vector<Delivered> g_delivered;
std::map<ULONG_PTR, bool> g_passed;
std::atomic<ULONG_PTR> g_nextTag = kTagBase;

void record(ULONG_PTR tag, bool passed, const Delivered& event) {
    const std::lock_guard lock(g_mutex);
    if (passed && tag != kMoveTag) {
        g_delivered.push_back(event);
    }
    if (tag >= kTagBase) {
        g_passed[tag] = passed;
    }
    g_decided.notify_all();
}

// What the hooks behind the witness decide: a swallowing hook returns non-zero.
LRESULT CALLBACK keyboardWitness(int nCode, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallNextHookEx(nullptr, nCode, wParam, lParam);
    if (nCode >= 0) {
        const auto* info = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        record(info->dwExtraInfo, result == 0,
               {false, static_cast<uint32_t>(wParam), info->vkCode,
                (info->flags & LLKHF_INJECTED) != 0, info->time});
    }
    return result;
}

LRESULT CALLBACK mouseWitness(int nCode, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallNextHookEx(nullptr, nCode, wParam, lParam);
    const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    if (nCode >= 0 && wParam != WM_MOUSEMOVE) {
        const bool xButton = wParam == WM_XBUTTONDOWN || wParam == WM_XBUTTONUP;
        record(info->dwExtraInfo, result == 0,
               {true, static_cast<uint32_t>(wParam), xButton ? info->mouseData : 0,
                (info->flags & LLMHF_INJECTED) != 0, info->time});
    }
    return result;
}

// The witness: the front-most low-level hooks of the process, on a thread of their own. Low-level
// hooks are called newest first: it is set again after the program's hooks have been set.
z718::platform::LowLevelHooks& witness() {
    static z718::platform::LowLevelHooks hooks;
    return hooks;
}

// Waits until the hooks behind the witness have decided on the event with this tag; true when
// they let it through. False also when it never came in time.
bool passed(uint32_t tag) {
    std::unique_lock lock(g_mutex);
    const bool decided = g_decided.wait_for(lock, std::chrono::milliseconds(kDecideMs),
                                            [tag] { return g_passed.count(tag) != 0; });
    return decided && g_passed[tag];
}

// Sends the event marked with `tag`; returns the tag, 0 when it could not be sent.
uint32_t send(INPUT& input, ULONG_PTR tag) {
    (input.type == INPUT_KEYBOARD ? input.ki.dwExtraInfo : input.mi.dwExtraInfo) = tag;
    const SendInputEntry entry = wineEntry();
    return entry && entry(nullptr, &input, nullptr) ? static_cast<uint32_t>(tag) : 0;
}

// A key event as the keyboard gives it.
uint32_t sendKey(uint32_t vk, uint32_t scanCode, bool up, uint32_t time) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(vk);
    input.ki.wScan = static_cast<WORD>(scanCode);
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    input.ki.time = time;
    return send(input, ++g_nextTag);
}

// Moves the pointer to these screen pixels without a button, unseen by the witness's record.
void movePointer(int x, int y) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = x;
    input.mi.dy = y;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    send(input, kMoveTag);
}

struct ButtonMessages {
    Qt::MouseButton button;
    uint32_t down;  // WM_ messages, as the hooks see them
    uint32_t up;
    DWORD downFlag;  // SendInput's flags
    DWORD upFlag;
};

constexpr ButtonMessages kButtons[] = {
    {Qt::LeftButton, WM_LBUTTONDOWN, WM_LBUTTONUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP},
    {Qt::RightButton, WM_RBUTTONDOWN, WM_RBUTTONUP, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP},
    {Qt::MiddleButton, WM_MBUTTONDOWN, WM_MBUTTONUP, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP},
    {Qt::XButton1, WM_XBUTTONDOWN, WM_XBUTTONUP, MOUSEEVENTF_XDOWN, MOUSEEVENTF_XUP},
};

// A button event as the mouse gives it, at these screen pixels.
uint32_t sendMouse(uint32_t message, int x, int y, uint32_t mouseData, uint32_t time) {
    movePointer(x, y);
    INPUT input{};
    input.type = INPUT_MOUSE;
    for (const ButtonMessages& entry : kButtons) {
        input.mi.dwFlags |= message == entry.down ? entry.downFlag
                            : message == entry.up ? entry.upFlag
                                                  : 0;
    }
    // The hook sees the X button in the high word; SendInput takes it in the low one.
    input.mi.mouseData = mouseData >> 16;
    input.mi.time = time;
    return send(input, ++g_nextTag);
}

// The keys the tests use besides letters, digits and punctuation.
constexpr std::pair<Qt::Key, uint32_t> kKeys[] = {
    {Qt::Key_Backspace, VK_BACK}, {Qt::Key_Tab, VK_TAB},       {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},   {Qt::Key_Escape, VK_ESCAPE}, {Qt::Key_End, VK_END},
    {Qt::Key_Left, VK_LEFT},      {Qt::Key_Up, VK_UP},         {Qt::Key_Right, VK_RIGHT},
    {Qt::Key_Down, VK_DOWN},      {Qt::Key_Menu, VK_APPS},     {Qt::Key_F2, VK_F2},
};

constexpr std::pair<Qt::KeyboardModifier, uint32_t> kModifiers[] = {
    {Qt::ControlModifier, VK_CONTROL}, {Qt::ShiftModifier, VK_SHIFT}, {Qt::AltModifier, VK_MENU}};

// The key that types `c` on the keyboard layout in use, with Shift in bit 8.
uint32_t keyTyping(char c) {
    return static_cast<uint32_t>(VkKeyScanW(static_cast<wchar_t>(c))) & 0x1FF;
}

uint32_t virtualKey(Qt::Key key) {
    if (key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde) {
        return keyTyping(static_cast<char>(key)) & 0xFF;
    }
    for (const auto& [qtKey, vk] : kKeys) {
        if (qtKey == key) {
            return vk;
        }
    }
    return 0;
}

// Real input reaches only points on the screen: a window that an earlier test
// dragged partly off it is brought back first.
QPoint onScreen(QWindow* window, QPoint pos) {
    const QRect screen = window->screen()->geometry();
    if (!screen.contains(window->mapToGlobal(pos))) {
        const QPoint home = screen.topLeft() + QPoint(20, 20);
        window->setPosition(home);
        if (!QTest::qWaitFor([&] { return window->position() == home; }, kArrivalMs)) {
            qWarning("The window did not come back onto the screen");
        }
    }
    return window->mapToGlobal(pos);
}

// Shows `seen` every event that reaches the window while it lives.
class EventWatch : public QObject {
public:
    EventWatch(QWindow* window, std::function<void(QEvent*)> seen)
        : window_(window), seen_(std::move(seen)) {
        window->installEventFilter(this);
    }
    ~EventWatch() override { window_->removeEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        seen_(event);
        return false;
    }

private:
    QWindow* window_;
    std::function<void(QEvent*)> seen_;
};

// Presses the modifiers and the key, releases them in reverse, and returns once
// the window has the key's release: the hooks' report of it has been queued
// before.
void chord(QWindow* window, const std::vector<uint32_t>& keys) {
    int releases = 0;
    const EventWatch watch(
        window, [&](QEvent* event) { releases += event->type() == QEvent::KeyRelease ? 1 : 0; });
    for (uint32_t vk : keys) {
        sendKey(vk, MapVirtualKeyW(vk, MAPVK_VK_TO_VSC), false, 0);
    }
    for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
        sendKey(*it, MapVirtualKeyW(*it, MAPVK_VK_TO_VSC), true, 0);
    }
    if (!QTest::qWaitFor([&] { return releases >= 1; }, kArrivalMs)) {
        qWarning("A key sent as hardware input did not reach the window");
    }
    QCoreApplication::processEvents();
}

}  // namespace

namespace scene_input {

void button(QWindow* window, Qt::MouseButton button, bool press, QPoint pos) {
    const QPoint at = onScreen(window, pos);
    for (const ButtonMessages& entry : kButtons) {
        if (entry.button == button) {
            sendMouse(press ? entry.down : entry.up, at.x(), at.y(), 0, 0);
        }
    }
}

void doubleClick(QWindow* window, QPoint pos) {
    for (bool press : {true, false, true, false}) {
        button(window, Qt::LeftButton, press, pos);
    }
}

// Moves the pointer and returns once the window has had the move: the cursor's
// position changes before the window's thread takes the message, and hover
// follows only the message.
void move(QWindow* window, QPoint pos) {
    const QPoint at = onScreen(window, pos);
    if (QCursor::pos() == at) {
        return;
    }
    bool arrived = false;
    const EventWatch watch(window, [&](QEvent* event) {
        arrived = arrived || (event->type() == QEvent::MouseMove &&
                              static_cast<QMouseEvent*>(event)->globalPosition().toPoint() == at);
    });
    movePointer(at.x(), at.y());
    if (!QTest::qWaitFor([&] { return arrived; }, kArrivalMs)) {
        qWarning("The pointer did not reach %d,%d", at.x(), at.y());
    }
}

void keyClick(QWindow* window, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    std::vector<uint32_t> keys;
    for (const auto& [modifier, vk] : kModifiers) {
        if (modifiers & modifier) {
            keys.push_back(vk);
        }
    }
    keys.push_back(virtualKey(key));
    chord(window, keys);
}

void charClick(QWindow* window, char c) {
    const uint32_t key = keyTyping(c);
    const uint32_t vk = key & 0xFF;
    chord(window, key & 0x100 ? std::vector<uint32_t>{VK_SHIFT, vk} : std::vector<uint32_t>{vk});
}

void programHooks(bool installed) {
    if (!wineEntry()) {
        qFatal("No hardware input without Wine's X11 driver: run the scene tests under Wine");
    }
    witness().unset();
    if (installed) {
        witness().set(keyboardWitness, mouseWitness);
    }
}

}  // namespace scene_input

bool SceneDriver::feedKey(int vk, int scanCode, bool up, int time) {
    return passed(sendKey(vk, scanCode, up, time));
}

bool SceneDriver::feedMouse(int message, int x, int y, int mouseData, int time) {
    return passed(sendMouse(message, x, y, mouseData, time));
}

QVariantList SceneDriver::delivered() {
    const std::lock_guard lock(g_mutex);
    return scene_input::describeDelivered(g_delivered);
}

void SceneDriver::clearDelivered() {
    const std::lock_guard lock(g_mutex);
    g_delivered.clear();
}
