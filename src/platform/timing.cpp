#include "platform/timing.h"

#include <chrono>
#include <thread>

namespace z718 {

Durations& durations() {
    static Durations instance;
    return instance;
}

void sleepMs(int ms) {
    if (ms > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
}

}  // namespace z718
