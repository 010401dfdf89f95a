#include "platform/timing.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace z718 {

namespace {

std::atomic<Sleeper*> installedSleeper{nullptr};

}  // namespace

Durations& durations() {
    static Durations instance;
    return instance;
}

void setSleeper(Sleeper* sleeper) {
    installedSleeper.store(sleeper);
}

void sleepMs(int ms) {
    if (ms <= 0) {
        return;
    }
    if (Sleeper* sleeper = installedSleeper.load()) {
        sleeper->sleep(ms);
    } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
}

}  // namespace z718
