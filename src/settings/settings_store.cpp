#include "settings/settings_store.h"

namespace z718 {

SettingsStore::SettingsStore()
    : appConfig_(std::make_unique<QSettings>(kAppConfigPath, QSettings::IniFormat)) {
    for (int i = 1; i <= 10; ++i) {
        profiles_.push_back(std::make_unique<QSettings>(
            QStringLiteral("./modules/setting/p%1.bin").arg(i), QSettings::IniFormat));
    }
}

}  // namespace z718
