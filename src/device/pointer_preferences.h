#pragma once

#include "device/command_set.h"
#include "platform/input_platform.h"
#include "settings/settings_store.h"

namespace z718 {

// The three pointer values a page sets with a slider.
enum class PointerValue { CursorSpeed, ScrollLines, DoubleClickSpeed };

// The pages' pointer settings: recorded in the current profile, then applied to the system
// (speed, scroll lines, double-click time) or to the mouse (wheel-direction swap). The getters
// report the recorded values; only the acceleration is read from the system.
class PointerPreferences {
public:
    PointerPreferences(SettingsStore& settings, platform::PointerSettings& system,
                       DeviceCommands* commands)
        : settings_(settings), system_(system), commands_(commands) {}

    void set(PointerValue which, uint value);
    uint recorded(PointerValue which);
    void setAcceleration(bool acceleration);
    bool acceleration();
    void setWheelSwap(bool swapped);
    bool wheelSwap();

private:
    SettingsStore& settings_;
    platform::PointerSettings& system_;
    DeviceCommands* commands_;
};

}  // namespace z718
