#pragma once

#include <QVariant>
#include <QVariantList>

#include "settings/settings_store.h"

class Hid_Thread;

namespace z718 {

// The buttons' key entries: stored per profile as "keydefine_Q7/<n>", applied to the engine's
// shared key-matrix table, and kept consistent in the other profiles when macros change.
// Matrices shorter than expected are taken as padded with zeros.
class KeyAssignments {
public:
    KeyAssignments(SettingsStore& settings, Hid_Thread* hid) : settings_(settings), hid_(hid) {}

    QVariantList getKeydefine(const QVariant& matrixId);
    void ui_12H_SetKeyMatrix(const QVariantList& src64);
    void ui_0DH_SetKeyMatrix(const QVariantList& src512);
    QVariantList ui_92H_GetKeyMatrix();
    QVariantList ui_8DH_GetKeyMatrix();
    // Macro slot macroIndex changed its repeat mode: type 1 repeats while held (mode 2), any
    // other type plays the repeat count (mode 0).
    void changeMacroFileType(const QVariant& macroIndex, const QVariant& macroType);
    // Macro slot macroIndex is gone: its keys get their defaults back, higher slots move down.
    void changeMacroFileIndex(const QVariant& macroIndex);

private:
    // Rewrites each macro entry (type 9) of keys 0..6 in profiles 0..4 other than the current.
    template <typename Change>
    void changeMacroEntries(Change change);

    SettingsStore& settings_;
    Hid_Thread* hid_;
};

}  // namespace z718
