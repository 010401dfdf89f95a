#pragma once

#include <chrono>

namespace z718 {

// Sleeps until a steady-clock deadline, as precisely as the system allows. Periodic work that
// sleeps to absolute deadlines keeps its average period however long each round's work took.
void sleepUntil(std::chrono::steady_clock::time_point deadline);

}  // namespace z718
