#include "device/profile_activation.h"

#include "device/device_bridge.h"
#include "device/key_assignments.h"
#include "device/pointer_preferences.h"
#include "engine/key_tables.h"
#include "engine/shared_tables.h"
#include "macro/macro_slot_image.h"
#include "macro/macro_store.h"
#include "macro/playback_list.h"

namespace z718 {

namespace {

constexpr int kKeyEntries = 16;
constexpr int kMacroEntry = 0x09;

int usageToVkCode(int usage) {
    return usageToVk(usage);
}

}  // namespace

void ProfileActivation::activate(int profile, Pointer pointer) {
    DeviceBridge(settings_, commands_).selectProfile(profile);
    applyButtons();
    if (pointer == Pointer::Apply) {
        applyPointer();
    }
}

bool ProfileActivation::uploadMacro(int button, const QString& name) {
    const QVariantList list = playbackList(MacroStore(settings_).savedLines(name));
    if (list.isEmpty()) {
        return false;
    }
    // Buttons above 5 have no slot; the write refuses them.
    if (const auto image = macroSlotImage(list, usageToVkCode)) {
        macroSlots().write(button, *image);
    }
    return true;
}

// Only the current profile's buttons: the slots are shared by all profiles, and a button of
// another profile that plays this macro would overwrite the slot of the current profile's
// button with the same number.
void ProfileActivation::uploadToButtons(const QString& name) {
    const MacroStore macros(settings_);
    for (int button = 0; button < kKeyEntries; ++button) {
        if (macros.assignedIn(settings_.currentProfileIndex(), button) == name) {
            uploadMacro(button, name);
        }
    }
}

// Every macro reaches its slot before the matrix that plays it reaches the engine.
void ProfileActivation::applyButtons() {
    KeyAssignments keys(settings_, commands_);
    MacroStore macros(settings_);
    const QVariantList matrix = keys.storedMatrix();
    for (int row = 0; row < kKeyEntries; ++row) {
        if (matrix[4 * row].toInt() == kMacroEntry) {
            uploadMacro(row, macros.assigned(row).toString());
        }
    }
    keys.setButtonEntries(matrix);
}

void ProfileActivation::applyPointer() {
    PointerPreferences pointer(settings_, system_, commands_);
    const uint speed = pointer.recorded(PointerValue::CursorSpeed);
    const uint doubleClick = pointer.recorded(PointerValue::DoubleClickSpeed);
    pointer.set(PointerValue::CursorSpeed, speed);
    pointer.set(PointerValue::DoubleClickSpeed, doubleClick);
    pointer.set(PointerValue::ScrollLines, pointer.recorded(PointerValue::ScrollLines));
}

}  // namespace z718
