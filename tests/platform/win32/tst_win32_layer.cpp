// The Windows layer against the real user32 (run under wine by scripts/test-win32): its hooks,
// its deadline sleep and its foreground watch, whose event hook is set and which names a window
// of this test and one of Notepad by their program files. Wine 8 sends no
// EVENT_SYSTEM_FOREGROUND when the foreground window changes, so the event's way to the profiles
// is checked with the stand-in source of the scene tests instead. The pointer settings' calls
// are checked by the pointer-settings test beside it. Every wait is bounded; the process exits
// non-zero when a check fails.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <string>
#include <vector>

#include "platform/win32/precise_sleep.h"
#include "platform/win32/win32_focus.h"
#include "platform/win32/win32_input.h"
#include "support/win32_checks.h"

using namespace z718;
using namespace z718::platform;
using namespace z718::testing;

namespace {

// Keys nothing on a test desktop reacts to.
constexpr uint8_t kVkF13 = 0x7C, kVkF14 = 0x7D, kVkF15 = 0x7E, kVkF16 = 0x7F;

// What a hook saw: keys by virtual key, buttons by message, each with its flags.
struct KeyLog {
    std::mutex mutex;
    std::vector<std::pair<uint32_t, uint32_t>> events;

    void add(uint32_t what, uint32_t flags) {
        std::lock_guard lock(mutex);
        events.emplace_back(what, flags);
    }
    // With exactly these flags, or with any when none are given.
    bool saw(uint32_t what, uint32_t flags = ~0u) {
        std::lock_guard lock(mutex);
        return std::any_of(events.begin(), events.end(), [&](const auto& e) {
            return e.first == what && (flags == ~0u || e.second == flags);
        });
    }
};

// A plain keyboard hook installed before the layer's, so Windows calls it after the layer's
// procedure: it sees only what the layer passed on.
KeyLog* g_observed = nullptr;

LRESULT CALLBACK observerProc(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode >= 0) {
        const auto* info = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        g_observed->add(info->vkCode, info->flags);
    }
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}

void tap(InputInjector& injector, uint8_t vk) {
    injector.keybdEvent(vk, 0, 0);
    injector.keybdEvent(vk, 0, win::kKeyEventKeyUp);
}

void testHooks() {
    KeyLog seen, observed;
    g_observed = &observed;
    LowLevelHooks observer;
    check(observer.set(observerProc, nullptr), "observer hook installed");

    Win32Hooks hooks;
    const bool installed = hooks.install(
        [&](int, const KeyboardHookEvent& e) {
            seen.add(e.vkCode, e.flags);
            return e.vkCode == kVkF14;  // swallowed
        },
        [&](int, const MouseHookEvent& e) {
            if (e.message != win::kWmMouseMove) {
                seen.add(e.message, e.flags);
            }
            return false;
        });
    check(installed, "keyboard and mouse hooks installed");
    check(!hooks.install(nullptr, nullptr), "a second install is refused");

    // The waits pump no messages: the hooks must be answered by their own thread.
    Win32Injector injector;
    injector.mouseEvent(win::kMouseEventLeftDown);
    injector.mouseEvent(win::kMouseEventLeftUp);
    check(waitFor([&] {
              return seen.saw(win::kWmLButtonDown, win::kLlmhfInjected) &&
                     seen.saw(win::kWmLButtonUp, win::kLlmhfInjected);
          }),
          "mouse hook sees an injected left click flagged as injected");

    tap(injector, kVkF13);
    check(waitFor([&] {
              return seen.saw(kVkF13, win::kLlkhfInjected) &&
                     seen.saw(kVkF13, win::kLlkhfInjected | win::kLlkhfUp);
          }),
          "keyboard hook sees an injected key press and release flagged as injected");

    tap(injector, kVkF14);
    tap(injector, kVkF15);
    check(waitFor([&] { return observed.saw(kVkF15); }), "a passed key reaches the next hook");
    check(seen.saw(kVkF14), "the swallowed key reached the layer's hook");
    check(!observed.saw(kVkF14), "a swallowed key does not reach the next hook");

    hooks.uninstall();
    tap(injector, kVkF16);
    check(waitFor([&] { return observed.saw(kVkF16); }), "keys pass after uninstall");
    check(!seen.saw(kVkF16), "an uninstalled hook sees nothing");
    check(hooks.install([](int, const KeyboardHookEvent&) { return false; },
                        [](int, const MouseHookEvent&) { return false; }),
          "hooks can be installed again after uninstall");
    hooks.uninstall();
}

// How close to its deadline it wakes depends on the machine's load: only waking early is a fault.
void testPreciseSleep() {
    auto deadline = std::chrono::steady_clock::now();
    int early = 0;
    for (int i = 0; i < 100; ++i) {
        deadline += std::chrono::milliseconds(10);
        win32SleepUntil(deadline);
        early += std::chrono::steady_clock::now() < deadline;
    }
    check(early == 0, "a deadline sleep never wakes before its deadline");
}

// Pumps this thread's messages (its windows are this thread's) until `program` has a window.
bool waitForWindowOf(const std::wstring& program) {
    return waitFor(
        [&] {
            const auto programs = windowPrograms();
            return std::find(programs.begin(), programs.end(), program) != programs.end();
        },
        [] {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageW(&msg);
            }
        });
}

HWND makeWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"z718FocusTest";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, L"z718FocusTest", L"focus test", WS_OVERLAPPEDWINDOW, 10, 10,
                                  200, 100, nullptr, nullptr, windowClass.hInstance, nullptr);
    ShowWindow(window, SW_SHOW);
    return window;
}

void testForegroundWatch() {
    Win32ForegroundWatch watch;
    check(watch.start([](const std::wstring&) {}), "the foreground event hook is set");

    HWND own = makeWindow();
    check(programOfWindow(own) == L"tst_win32_layer.exe", "our window names our program");
    check(waitForWindowOf(L"tst_win32_layer.exe"), "our program is listed with a window");

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION notepad{};
    wchar_t command[] = L"notepad.exe";
    const bool started = CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr,
                                        nullptr, &startup, &notepad);
    check(started, "notepad starts");
    if (started) {
        check(waitForWindowOf(L"notepad.exe"), "notepad is listed with a window");
        TerminateProcess(notepad.hProcess, 0);
        CloseHandle(notepad.hThread);
        CloseHandle(notepad.hProcess);
    }
    watch.stop();
    DestroyWindow(own);
}

}  // namespace

int main() {
    testHooks();
    testPreciseSleep();
    testForegroundWatch();
    return checksResult();
}
