#pragma once

#include <QString>

#include "platform/prompts.h"
#include "settings/settings_store.h"

class QWidget;

namespace z718 {

// Whole-profile operations: import, export, reset to the default profile, copy, and the
// picker for a custom image. Dialogs and boxes go through `prompts`.
class ProfileManager {
public:
    ProfileManager(SettingsStore& store, Prompts& prompts, QWidget* dialogParent = nullptr);

    bool importProfile(int profile);
    void exportProfile(int profile);
    void resetToDefault(int profile, const QString& defaultPath = kDefaultProfilePath);
    void copy(int destprofile, int srcprofile);
    QString pickCustomImage();

private:
    SettingsStore& store_;
    Prompts& prompts_;
    QWidget* dialogParent_;
};

}  // namespace z718
