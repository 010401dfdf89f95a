#include "macro/gun_store.h"

#include <QSettings>

#include "settings/ini_values.h"
#include "settings/settings_file.h"

namespace z718 {

namespace {

constexpr int kEntryValues = 5;
const QString kGunGroup = QStringLiteral("gunData");

QString gunKey(const QString& name) {
    return kGunGroup + QLatin1Char('/') + name;
}
QString selectGunKey(int index) {
    return QStringLiteral("selectGun/%1").arg(index);
}
QString xySensitiveKey(int index) {
    return QStringLiteral("XYSensitive/%1").arg(index);
}

}  // namespace

bool GunStore::gunFileExists() {
    return isReadableSettingsFile(kGunDataPath);
}

void GunStore::add(const QVariantList& src6) {
    if (!gunFileExists() || src6.size() < 1 + kEntryValues) {
        return;
    }
    openIni(kGunDataPath)->setValue(gunKey(src6.at(0).toString()), src6.mid(1, kEntryValues));
}

void GunStore::modify(int modifyType, const QVariantList& src6) {
    if (!gunFileExists() || src6.isEmpty()) {
        return;
    }
    const auto file = openIni(kGunDataPath);
    if (modifyType == 0) {
        file->remove(gunKey(src6.at(0).toString()));
    } else if (modifyType == 1 && src6.size() >= 2 + kEntryValues) {
        file->remove(gunKey(src6.at(1 + kEntryValues).toString()));
        file->setValue(gunKey(src6.at(0).toString()), src6.mid(1, kEntryValues));
    }
}

QVariantList GunStore::values(const QString& name) const {
    if (!gunFileExists()) {
        return {};
    }
    return listValue(openIni(kGunDataPath)->value(gunKey(name)));
}

QStringList GunStore::names() const {
    if (!gunFileExists()) {
        return {};
    }
    const auto file = openIni(kGunDataPath);
    file->beginGroup(kGunGroup);
    return file->allKeys();
}

QVariant GunStore::selectedGun(int index) {
    if (!gunFileExists()) {
        return QString();
    }
    return settings_.currentProfile().value(selectGunKey(index), QString());
}

void GunStore::selectGun(int index, const QVariant& gunName) {
    if (gunFileExists()) {
        settings_.currentProfile().setValue(selectGunKey(index), gunName);
    }
}

QVariant GunStore::xySensitivity(int index) {
    if (!gunFileExists()) {
        return {};
    }
    return settings_.currentProfile().value(xySensitiveKey(index), 4);
}

void GunStore::setXYSensitivity(int index, const QVariant& value) {
    if (gunFileExists()) {
        settings_.currentProfile().setValue(xySensitiveKey(index), value);
    }
}

}  // namespace z718
