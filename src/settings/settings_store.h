#pragma once

#include <QSettings>
#include <QString>
#include <memory>
#include <vector>

namespace z718 {

inline const QString kAppConfigPath = QStringLiteral("./modules/setting/apConfig.bin");

// The application configuration and the ten profile files, open for the program's life,
// and the index of the current profile.
class SettingsStore {
public:
    SettingsStore();

    QSettings& appConfig() { return *appConfig_; }
    QSettings& profile(int index) { return *profiles_.at(static_cast<size_t>(index)); }
    QSettings& currentProfile() { return profile(currentProfile_); }
    int currentProfileIndex() const { return currentProfile_; }
    void setCurrentProfileIndex(int index) { currentProfile_ = index; }

private:
    std::unique_ptr<QSettings> appConfig_;
    std::vector<std::unique_ptr<QSettings>> profiles_;
    int currentProfile_ = 0;
};

}  // namespace z718
