#pragma once

#include <QVariantList>
#include <array>

#include "device/command_set.h"
#include "settings/settings_store.h"

namespace z718 {

// The buttons' key entries: stored per profile as "keydefine_Q7/<n>", applied to the engine's
// shared key-matrix table, and kept consistent in the other profiles when macros change.
// Matrices shorter than expected are taken as padded with zeros. Without commands the device
// is neither written nor read (reads give zeros).
class KeyAssignments {
public:
    KeyAssignments(SettingsStore& settings, DeviceCommands* commands)
        : settings_(settings), commands_(commands) {}

    // Button `key`'s entry as the current profile holds it.
    QVariantList storedEntry(int key);
    // The current profile's sixteen entries as 64 numbers; missing or unreadable values are 0.
    QVariantList storedMatrix();
    // Sixteen entries of four values: each stored as given, all applied to the engine.
    void setButtonEntries(const QVariantList& values);
    // The keyboard's 512-byte matrix: stored in groups of four and sent.
    void setWideMatrix(const QVariantList& values);
    std::array<uchar, 64> deviceButtonEntries();
    std::array<uchar, 512> deviceWideMatrix();
    // Macro slot `slot` changed its repeat mode: type 1 repeats while held (mode 2), any other
    // type plays the repeat count (mode 0).
    void macroRepeatChanged(uint slot, int macroType);
    // Macro slot `slot` is gone: its keys get their defaults back, higher slots move down.
    void macroRemoved(uint slot);
    // Macro `name` is deleted: every button of every profile that plays it gets its button's
    // default back, and the engine the current profile's matrix again when that changed.
    void macroDeleted(const QString& name);

private:
    // Rewrites each macro entry (type 9) of keys 0..6 in profiles 0..4 other than the current.
    template <typename Change>
    void changeMacroEntries(Change change);

    SettingsStore& settings_;
    DeviceCommands* commands_;
};

// At least one button keeps the left click: button `row` of `matrix` (four bytes a button) may
// take another entry unless it holds the last left-button entry. Rows outside 0..15 may not.
bool mayChangeButton(const std::array<uchar, 64>& matrix, int row);

}  // namespace z718
