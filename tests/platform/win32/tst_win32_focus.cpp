// The foreground watch against the real user32 (run under wine by scripts/test-win32): its
// event hook is set, and a window of this test and one of Notepad are named by their program
// files. Wine 8 sends no EVENT_SYSTEM_FOREGROUND when the foreground window changes, so the
// event's way to the profiles is checked with the stand-in source of the scene tests instead.
// Every wait is bounded; the process exits non-zero when a check fails.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/win32/win32_focus.h"
#include "support/win32_checks.h"

using namespace z718::platform;
using namespace z718::testing;

namespace {

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

}  // namespace

int main() {
    Win32ForegroundWatch watch;
    check(watch.start([](const std::wstring&) {}), "the foreground event hook is set");

    HWND own = makeWindow();
    check(programOfWindow(own) == L"tst_win32_focus.exe", "our window names our program");
    check(waitForWindowOf(L"tst_win32_focus.exe"), "our program is listed with a window");

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
    return checksResult();
}
