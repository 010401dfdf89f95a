#include "win32/hardware_input.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/win32/message_thread.h"
#include "test_objects.h"

namespace z718::testing {

namespace {

// Marks the witness's own events in dwExtraInfo; the program's injections carry 0.
constexpr ULONG_PTR kTagBase = 0x5A718000;
constexpr ULONG_PTR kMoveTag = kTagBase - 1;

using SendInputEntry = BOOL(CDECL*)(HWND, const INPUT*, const void*);

SendInputEntry wineEntry() {
    static const SendInputEntry entry = [] {
        HMODULE module = LoadLibraryW(L"win32u.dll");
        return module ? reinterpret_cast<SendInputEntry>(
                            reinterpret_cast<void*>(GetProcAddress(module, "__wine_send_input")))
                      : nullptr;
    }();
    return entry;
}

struct Delivered {
    bool mouse = false;
    uint32_t message = 0;  // WM_ message
    uint32_t code = 0;     // virtual key, or the X button's mouseData
    bool injected = false;
    uint32_t time = 0;
};

// How long the hooks may take to decide on one event, under a loaded machine.
constexpr int kDecideMs = 2000;

// Shared with the hook procedures, which carry no user data.
std::mutex g_mutex;
std::condition_variable g_decided;
std::vector<Delivered> g_delivered;
std::map<ULONG_PTR, bool> g_passed;
ULONG_PTR g_nextTag = kTagBase;

void record(ULONG_PTR tag, bool passed, const Delivered& event) {
    {
        const std::lock_guard lock(g_mutex);
        if (passed && tag != kMoveTag) {
            g_delivered.push_back(event);
        }
        if (tag >= kTagBase) {
            g_passed[tag] = passed;
        }
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
platform::LowLevelHooks& witness() {
    static platform::LowLevelHooks hooks;
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

ULONG_PTR newTag() {
    const std::lock_guard lock(g_mutex);
    return ++g_nextTag;
}

bool send(INPUT& input) {
    if (SendInputEntry entry = wineEntry()) {
        return entry(nullptr, &input, nullptr) != FALSE;
    }
    return SendInput(1, &input, sizeof(input)) == 1;
}

constexpr std::pair<uint32_t, DWORD> kButtonFlags[] = {
    {WM_LBUTTONDOWN, MOUSEEVENTF_LEFTDOWN},   {WM_LBUTTONUP, MOUSEEVENTF_LEFTUP},
    {WM_RBUTTONDOWN, MOUSEEVENTF_RIGHTDOWN},  {WM_RBUTTONUP, MOUSEEVENTF_RIGHTUP},
    {WM_MBUTTONDOWN, MOUSEEVENTF_MIDDLEDOWN}, {WM_MBUTTONUP, MOUSEEVENTF_MIDDLEUP},
    {WM_XBUTTONDOWN, MOUSEEVENTF_XDOWN},      {WM_XBUTTONUP, MOUSEEVENTF_XUP},
};

}  // namespace

uint32_t sendHardwareKey(uint32_t vk, uint32_t scanCode, bool up, uint32_t time) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(vk);
    input.ki.wScan = static_cast<WORD>(scanCode);
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    input.ki.time = time;
    input.ki.dwExtraInfo = newTag();
    return send(input) ? static_cast<uint32_t>(input.ki.dwExtraInfo) : 0;
}

void moveHardwarePointer(int x, int y) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = x;
    input.mi.dy = y;
    // SendInput spans the primary screen as 0..65535; Wine's driver entry takes pixels.
    if (!wineEntry()) {
        const int width = GetSystemMetrics(SM_CXSCREEN);
        const int height = GetSystemMetrics(SM_CYSCREEN);
        input.mi.dx = static_cast<LONG>((x * 65536LL + width / 2) / width);
        input.mi.dy = static_cast<LONG>((y * 65536LL + height / 2) / height);
    }
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input.mi.dwExtraInfo = kMoveTag;
    send(input);
}

uint32_t sendHardwareMouse(uint32_t message, int x, int y, uint32_t mouseData, uint32_t time) {
    moveHardwarePointer(x, y);
    INPUT input{};
    input.type = INPUT_MOUSE;
    for (const auto& [wm, flags] : kButtonFlags) {
        input.mi.dwFlags |= wm == message ? flags : 0;
    }
    // The hook sees the X button in the high word; SendInput takes it in the low one.
    input.mi.mouseData = mouseData >> 16;
    input.mi.time = time;
    input.mi.dwExtraInfo = newTag();
    return send(input) ? static_cast<uint32_t>(input.mi.dwExtraInfo) : 0;
}

}  // namespace z718::testing

// virtualInput on Windows: its events enter as hardware input, the witness records what the
// hooks let through.
using namespace z718::testing;

VirtualInputObject::~VirtualInputObject() {
    witness().unset();
}

void VirtualInputObject::programHooksInstalled() {
    witness().unset();
    witness().set(keyboardWitness, mouseWitness);
}

bool VirtualInputObject::feedKey(int vk, int scanCode, bool up, int time) {
    return passed(sendHardwareKey(vk, scanCode, up, time));
}

bool VirtualInputObject::feedMouse(int message, int x, int y, int mouseData, int time) {
    return passed(sendHardwareMouse(message, x, y, mouseData, time));
}

QVariantList VirtualInputObject::delivered() const {
    const std::lock_guard lock(g_mutex);
    return describeDelivered(g_delivered);
}

void VirtualInputObject::clearDelivered() {
    const std::lock_guard lock(g_mutex);
    g_delivered.clear();
}
