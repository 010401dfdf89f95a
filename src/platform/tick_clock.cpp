#include "platform/tick_clock.h"

#include <thread>

#ifdef _WIN32
#include "platform/win32/precise_sleep.h"
#endif

namespace z718 {

void sleepUntil(std::chrono::steady_clock::time_point deadline) {
#ifdef _WIN32
    platform::win32SleepUntil(deadline);
#else
    std::this_thread::sleep_until(deadline);
#endif
}

}  // namespace z718
