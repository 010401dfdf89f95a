#pragma once

#include <atomic>

namespace z718 {

// The button-action engine's worker loop.
class ActionEngine {
public:
    // Ticks until running turns false.
    void run(const std::atomic<bool>& running);
};

}  // namespace z718
