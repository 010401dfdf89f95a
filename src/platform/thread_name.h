#pragma once

namespace z718::platform {

// Names the calling thread for the system's tools (top -H, /proc/<pid>/task/*/comm). At most
// 15 characters are kept on Linux; elsewhere it does nothing.
void nameThisThread(const char* name);

}  // namespace z718::platform
