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

    bool loadProfile(int profile);
    void saveProfile(int profile);
    void resetProfile(int profile, const QString& defaultPath = kDefaultProfilePath);
    void copyProfile(int destprofile, int srcprofile);
    QString getCustomFilePath();

private:
    SettingsStore& store_;
    Prompts& prompts_;
    QWidget* dialogParent_;
};

}  // namespace z718
