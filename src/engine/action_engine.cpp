#include "engine/action_engine.h"

#include <chrono>
#include <thread>

#include "platform/timing.h"

namespace z718 {

void ActionEngine::run(const std::atomic<bool>& running) {
    using Clock = std::chrono::steady_clock;
    auto deadline = Clock::now();
    while (running.load()) {
        deadline += std::chrono::milliseconds(durations().tickMs);
        std::this_thread::sleep_until(deadline);
    }
}

}  // namespace z718
