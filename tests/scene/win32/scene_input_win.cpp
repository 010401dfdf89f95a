#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>
#include <QtTest>
#include <functional>
#include <utility>
#include <vector>

#include "scene_input.h"
#include "win32/hardware_input.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

using namespace z718::testing;

namespace scene_input {

namespace {

// The longest a key or a pointer move may take through the hooks and the
// system's queues: only a hang lasts this long, a loaded machine under Wine
// takes seconds at most.
constexpr int kArrivalMs = 30000;

struct ButtonMessages {
    Qt::MouseButton button;
    uint32_t down;
    uint32_t up;
};

constexpr ButtonMessages kButtons[] = {
    {Qt::LeftButton, WM_LBUTTONDOWN, WM_LBUTTONUP},
    {Qt::RightButton, WM_RBUTTONDOWN, WM_RBUTTONUP},
    {Qt::MiddleButton, WM_MBUTTONDOWN, WM_MBUTTONUP},
};

// The keys the tests use besides letters, digits and punctuation.
constexpr std::pair<Qt::Key, uint32_t> kKeys[] = {
    {Qt::Key_Backspace, VK_BACK}, {Qt::Key_Tab, VK_TAB},       {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},   {Qt::Key_Escape, VK_ESCAPE}, {Qt::Key_End, VK_END},
    {Qt::Key_Left, VK_LEFT},      {Qt::Key_Up, VK_UP},         {Qt::Key_Right, VK_RIGHT},
    {Qt::Key_Down, VK_DOWN},      {Qt::Key_Menu, VK_APPS},
};

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

void sendKey(uint32_t vk, bool up) {
    sendHardwareKey(vk, MapVirtualKeyW(vk, MAPVK_VK_TO_VSC), up, 0);
}

// Presses the modifiers and the key, releases them in reverse, and returns once
// the window has the key's release: the hooks' report of it has been queued
// before.
void chord(QWindow* window, const std::vector<uint32_t>& keys) {
    int releases = 0;
    const EventWatch watch(
        window, [&](QEvent* event) { releases += event->type() == QEvent::KeyRelease ? 1 : 0; });
    for (uint32_t vk : keys) {
        sendKey(vk, false);
    }
    for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
        sendKey(*it, true);
    }
    if (!QTest::qWaitFor([&] { return releases >= 1; }, kArrivalMs)) {
        qWarning("A key sent as hardware input did not reach the window");
    }
    QCoreApplication::processEvents();
}

}  // namespace

void button(QWindow* window, Qt::MouseButton button, bool press, QPoint pos) {
    const QPoint at = onScreen(window, pos);
    for (const ButtonMessages& entry : kButtons) {
        if (entry.button == button) {
            sendHardwareMouse(press ? entry.down : entry.up, at.x(), at.y(), 0, 0);
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
    moveHardwarePointer(at.x(), at.y());
    const bool inside = window->geometry().contains(at);
    if (!QTest::qWaitFor([&] { return inside ? arrived : QCursor::pos() == at; }, kArrivalMs)) {
        qWarning("The pointer did not reach %d,%d", at.x(), at.y());
    }
}

void keyClick(QWindow* window, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    std::vector<uint32_t> keys;
    if (modifiers & Qt::ControlModifier) {
        keys.push_back(VK_CONTROL);
    }
    if (modifiers & Qt::ShiftModifier) {
        keys.push_back(VK_SHIFT);
    }
    if (modifiers & Qt::AltModifier) {
        keys.push_back(VK_MENU);
    }
    keys.push_back(virtualKey(key));
    chord(window, keys);
}

void charClick(QWindow* window, char c) {
    const uint32_t key = keyTyping(c);
    const uint32_t vk = key & 0xFF;
    chord(window, key & 0x100 ? std::vector<uint32_t>{VK_SHIFT, vk} : std::vector<uint32_t>{vk});
}

}  // namespace scene_input
