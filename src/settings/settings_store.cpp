#include "settings/settings_store.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "settings/file_replace.h"
#include "settings/settings_file.h"

namespace z718 {
namespace {

QStringList defaultMessages() {
    return {
        QStringLiteral("Macro Too Long"),
        QStringLiteral("This macro is too long for the mouse. Only its beginning is stored."),
        QStringLiteral("Image Not Readable"),
        QStringLiteral("This image cannot be read: "),
        QStringLiteral("Please Confirm"),
        QStringLiteral("Do you want to continue?"),
        QStringLiteral("File Not Imported"),
        QStringLiteral("This file is not one this program can read: "),
    };
}

IniFile reopen(IniFile old, const QString& sourcePath) {
    const QString path = old->path();
    old.reset();
    replaceWithCopy(path, sourcePath);
    return openIni(path);
}

}  // namespace

SettingsStore::SettingsStore() : appConfig_(openIni(kAppConfigPath)), messages_(defaultMessages()) {
    for (int i = 0; i < kProfileCount; ++i) {
        profiles_.push_back(openIni(profilePath(i)));
    }
}

QString SettingsStore::profilePath(int index) {
    return QStringLiteral("./modules/setting/p%1.bin").arg(index + 1);
}

ProgramIni& SettingsStore::profile(int index) {
    return *profiles_[static_cast<size_t>(std::clamp(index, 0, kProfileCount - 1))];
}

void SettingsStore::setCurrentProfileIndex(int index) {
    if (isProfileIndex(index)) {
        currentProfile_ = index;
    }
}

void SettingsStore::replaceProfile(int index, const QString& sourcePath) {
    if (!isProfileIndex(index)) {
        return;
    }
    auto& slot = profiles_[static_cast<size_t>(index)];
    slot = reopen(std::move(slot), sourcePath);
}

void SettingsStore::replaceAppConfig(const QString& sourcePath) {
    appConfig_ = reopen(std::move(appConfig_), sourcePath);
}

void SettingsStore::flushProfile(int index) {
    if (isProfileIndex(index)) {
        profile(index).sync();
    }
}

}  // namespace z718
