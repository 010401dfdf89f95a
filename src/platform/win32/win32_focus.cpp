#include "platform/win32/win32_focus.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <algorithm>
#include <memory>

namespace z718::platform {
namespace {

Win32ForegroundWatch::Report g_report;

void CALLBACK foregroundProc(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG, DWORD, DWORD) {
    if (object == OBJID_WINDOW && g_report) {
        g_report(programOfWindow(window));
    }
}

}  // namespace

Win32ForegroundWatch::~Win32ForegroundWatch() {
    stop();
}

bool Win32ForegroundWatch::start(Report report) {
    if (thread_.running()) {
        return false;
    }
    g_report = std::move(report);
    auto hook = std::make_shared<HWINEVENTHOOK>();
    // Out of context: the events come to the thread's message loop, not into other programs.
    const bool started = thread_.start(
        [hook] {
            *hook = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                    foregroundProc, 0, 0, WINEVENT_OUTOFCONTEXT);
            return *hook != nullptr;
        },
        [hook] {
            if (*hook) {
                UnhookWinEvent(*hook);
            }
        });
    if (!started) {
        g_report = nullptr;
    }
    return started;
}

void Win32ForegroundWatch::stop() {
    thread_.stop();
    g_report = nullptr;
}

// The image file of the window's process. The limited query right is granted for most
// processes, elevated ones included, where reading their memory would be refused.
std::wstring programOfWindow(void* window) {
    DWORD pid = 0;
    if (!window || !GetWindowThreadProcessId(static_cast<HWND>(window), &pid) || pid == 0) {
        return {};
    }
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process) {
        return {};
    }
    wchar_t path[MAX_PATH * 4];
    DWORD size = MAX_PATH * 4;
    const bool named = QueryFullProcessImageNameW(process, 0, path, &size);
    CloseHandle(process);
    if (!named) {
        return {};
    }
    const std::wstring full(path, size);
    const size_t slash = full.find_last_of(L"\\/");
    return slash == std::wstring::npos ? full : full.substr(slash + 1);
}

std::vector<std::wstring> windowPrograms() {
    std::vector<std::wstring> programs;
    EnumWindows(
        [](HWND window, LPARAM into) -> BOOL {
            if (IsWindowVisible(window) && !GetWindow(window, GW_OWNER)) {
                const std::wstring program = programOfWindow(window);
                auto& list = *reinterpret_cast<std::vector<std::wstring>*>(into);
                if (!program.empty() &&
                    std::find(list.begin(), list.end(), program) == list.end()) {
                    list.push_back(program);
                }
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&programs));
    return programs;
}

}  // namespace z718::platform
