#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/win32/message_thread.h"

namespace z718::platform {

// The program of the foreground window, from Windows' foreground events
// (SetWinEventHook(EVENT_SYSTEM_FOREGROUND)). The events are taken by a thread of this
// watch's own that runs a message loop, like the input hooks' thread, so that a GUI thread
// busy with a device command delays nothing. Not on the hooks' thread itself: that one runs only
// while the mouse is connected, and rules follow the program in front regardless. One instance
// at a time: event procedures carry no user data.
class Win32ForegroundWatch {
public:
    // Called on the watch's thread with the program's file name ("notepad.exe"), "" when it
    // cannot be told.
    using Report = std::function<void(const std::wstring& program)>;

    ~Win32ForegroundWatch();
    bool start(Report report);
    void stop();

private:
    MessageThread thread_;
};

// The file name of the program that owns `window` (an HWND); "" when it cannot be told.
std::wstring programOfWindow(void* window);
// The programs with a shown top-level window, each once.
std::vector<std::wstring> windowPrograms();

}  // namespace z718::platform
