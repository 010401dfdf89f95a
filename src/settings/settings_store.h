#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "settings/settings_file.h"

namespace z718 {

inline const QString kAppConfigPath = QStringLiteral("./modules/setting/apConfig.bin");
inline const QString kAppConfigFactoryPath = QStringLiteral("./modules/setting/apConfigD.bin");
inline const QString kDefaultProfilePath = QStringLiteral("./modules/setting/pD.bin");
inline const QString kNameListPath = QStringLiteral("./modules/setting/name.bin");
inline constexpr int kProfileCount = 10;

// The application configuration and the ten profile files, open for the program's life,
// the index of the current profile and the texts of the view's message boxes.
//
// Replacing a profile or the configuration swaps the settings object: take a fresh reference
// from profile()/appConfig() for every use instead of keeping one.
class SettingsStore {
public:
    SettingsStore();

    ProgramIni& appConfig() { return *appConfig_; }
    // Indexes outside 0..9 are clamped: callers pass checked numbers, and a stray one must
    // not bring the program down.
    ProgramIni& profile(int index);
    ProgramIni& currentProfile() { return profile(currentProfile_); }
    int currentProfileIndex() const { return currentProfile_; }
    // Ignores numbers outside 0..9.
    void setCurrentProfileIndex(int index);

    // Message box texts: 0/1 macro too long (title, text), 2/3 unreadable image (title, text
    // that the path follows), 4/5 confirmation (title, question).
    const QStringList& messageStrings() const { return messages_; }

    static QString profilePath(int index);
    static bool isProfileIndex(int index) { return index >= 0 && index < kProfileCount; }

    // Makes profile `index` a copy of `sourcePath` and reopens it. Changes the old object
    // still buffered go to the old file first, so they never reach the copy.
    void replaceProfile(int index, const QString& sourcePath);
    // The same for the application configuration.
    void replaceAppConfig(const QString& sourcePath);
    // Writes the buffered changes of profile `index` to its file now.
    void flushProfile(int index);

private:
    IniFile appConfig_;
    std::vector<IniFile> profiles_;
    int currentProfile_ = 0;
    QStringList messages_;
};

}  // namespace z718
