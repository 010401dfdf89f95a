#include "device/pointer_apply.h"

#include <algorithm>

namespace z718::pointer {

namespace {

constexpr uint32_t kSlowestDoubleClickMs = 900;
constexpr uint32_t kDoubleClickStepMs = 70;
constexpr uint32_t kFastestDoubleClickStep = 10;
constexpr uint32_t kFastestSystemSpeed = 20;

using MouseParameters = int[3];  // first threshold, second threshold, acceleration

}  // namespace

uint32_t systemSpeed(uint32_t cursorSpeed) {
    return std::max<uint32_t>(2 * cursorSpeed, 1);
}

uint32_t doubleClickTimeMs(uint32_t speed) {
    return kSlowestDoubleClickMs - kDoubleClickStepMs * std::min(speed, kFastestDoubleClickStep);
}

bool applyCursorSpeed(platform::PointerSettings& system, uint32_t cursorSpeed) {
    // Windows takes the speed in the pointer argument itself, not behind it. Wine reads it from
    // uiParam instead, which Windows ignores for this action, so it goes in both.
    const uint32_t speed = systemSpeed(cursorSpeed);
    // Windows refuses a speed above 20 and keeps the one it has; Wine would take it.
    if (speed > kFastestSystemSpeed) {
        return false;
    }
    return system.systemParametersInfo(win::kSpiSetMouseSpeed, speed,
                                       reinterpret_cast<void*>(static_cast<uintptr_t>(speed)),
                                       kSaveAndBroadcast);
}

bool applyScrollLines(platform::PointerSettings& system, uint32_t lines) {
    return system.systemParametersInfo(win::kSpiSetWheelScrollLines, lines, nullptr,
                                       kSaveAndBroadcast);
}

bool applyDoubleClickSpeed(platform::PointerSettings& system, uint32_t speed) {
    return system.systemParametersInfo(win::kSpiSetDoubleClickTime, doubleClickTimeMs(speed),
                                       nullptr, kSaveAndBroadcast);
}

bool applyAcceleration(platform::PointerSettings& system, bool acceleration) {
    MouseParameters mouse = {};
    if (!system.systemParametersInfo(win::kSpiGetMouse, 0, mouse, 0)) {
        return false;
    }
    mouse[2] = acceleration ? 1 : 0;
    return system.systemParametersInfo(win::kSpiSetMouse, 0, mouse, kSaveAndBroadcast);
}

std::optional<bool> readAcceleration(platform::PointerSettings& system) {
    MouseParameters mouse = {};
    if (!system.systemParametersInfo(win::kSpiGetMouse, 0, mouse, 0)) {
        return std::nullopt;
    }
    return mouse[2] != 0;
}

}  // namespace z718::pointer
