#pragma once

#include "device/command_set.h"
#include "platform/input_platform.h"
#include "settings/settings_store.h"

namespace z718 {

// Makes a profile the one in use, whoever asks (the profile page, the start-up, the tray):
// the current profile and "Q7/profileNo", the macro slot of every button that plays a macro,
// the engine's key matrix, and, when asked, the system's pointer settings.
class ProfileActivation {
public:
    enum class Pointer { Keep, Apply };

    ProfileActivation(SettingsStore& settings, platform::PointerSettings& system,
                      DeviceCommands* commands)
        : settings_(settings), system_(system), commands_(commands) {}

    // A number outside 0..9 applies the current profile again.
    void activate(int profile, Pointer pointer);
    // Loads macro `name` into the playback slot of `button`; false when the macro has no file.
    bool uploadMacro(int button, const QString& name);
    // Loads macro `name` into the playback slot of every button of the current profile that
    // is assigned it.
    void uploadToButtons(const QString& name);

private:
    void applyButtons();
    void applyPointer();

    SettingsStore& settings_;
    platform::PointerSettings& system_;
    DeviceCommands* commands_;
};

}  // namespace z718
