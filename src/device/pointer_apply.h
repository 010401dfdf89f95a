#pragma once

// Applying the scene's pointer values to the system's pointer settings. Free of Qt, so the
// same code runs against the real Windows calls and the portable stand-in.

#include <cstdint>
#include <optional>

#include "platform/input_platform.h"

namespace z718::pointer {

// Saved to the user profile and broadcast.
constexpr uint32_t kSaveAndBroadcast = win::kSpifUpdateIniFile | win::kSpifSendChange;

// Slider steps 0..10 to the system's speed 1..20: doubled, at least 1.
uint32_t systemSpeed(uint32_t cursorSpeed);
// Slider steps 0..10 to 900..200 ms; steps above 10 give the shortest time, 200 ms.
uint32_t doubleClickTimeMs(uint32_t speed);

bool applyCursorSpeed(platform::PointerSettings& system, uint32_t cursorSpeed);
bool applyScrollLines(platform::PointerSettings& system, uint32_t lines);
bool applyDoubleClickSpeed(platform::PointerSettings& system, uint32_t speed);
// Changes only the acceleration entry of the mouse parameters; nothing is written when they
// cannot be read.
bool applyAcceleration(platform::PointerSettings& system, bool acceleration);
// Empty when the mouse parameters cannot be read.
std::optional<bool> readAcceleration(platform::PointerSettings& system);

}  // namespace z718::pointer
