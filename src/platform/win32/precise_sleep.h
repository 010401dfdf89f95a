#pragma once

#include <chrono>

namespace z718::platform {

// Sleeps until the deadline on a high-resolution waitable timer. Windows' default timer ticks
// every 15.6 ms, which would stretch every 10 ms engine tick.
void win32SleepUntil(std::chrono::steady_clock::time_point deadline);

}  // namespace z718::platform
