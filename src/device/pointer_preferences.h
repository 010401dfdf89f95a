#pragma once

#include "platform/input_platform.h"
#include "settings/settings_store.h"

class Hid_Thread;

namespace z718 {

// The scene's pointer settings: recorded in the current profile, then applied to the system
// (speed, scroll lines, double-click time) or to the mouse (wheel-direction swap). The getters
// report the recorded values; only the acceleration is read from the system.
class PointerPreferences {
public:
    PointerPreferences(SettingsStore& settings, platform::PointerSettings& system, Hid_Thread* hid)
        : settings_(settings), system_(system), hid_(hid) {}

    void setCursorSpeed(uint cursorSpeed);
    void setVerticalScrollLines(uint lines);
    void setDoubleClickSpeed(uint speed);
    void setAcceleration(bool acceleration);
    bool getAcceleration();
    uint getCursorSpeed();
    uint getVerticalScrollLines();
    uint getDoubleClickSpeed();
    void setScrollPinSwap(bool isSwap);
    bool getScrollPinSwap();

private:
    uint storedUInt(const char* key);

    SettingsStore& settings_;
    platform::PointerSettings& system_;
    Hid_Thread* hid_;
};

}  // namespace z718
