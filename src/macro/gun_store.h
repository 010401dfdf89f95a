#pragma once

#include <QStringList>
#include <QVariant>

#include "settings/settings_store.h"

namespace z718 {

inline const QString kGunDataPath = QStringLiteral("./modules/gun/gunData.bin");

// The gun entries of ./modules/gun/gunData.bin and the per-profile gun selection and axis
// sensitivity. The gun file is shipped; while it is missing, or anything but a regular file of
// a settings file's size, every call does nothing.
class GunStore {
public:
    explicit GunStore(SettingsStore& settings) : settings_(settings) {}

    // name, then the five values of the entry
    void add(const QVariantList& src6);
    // 0: delete src6[0]; 1: rename src6[6] to src6[0] with the five values between
    void modify(int modifyType, const QVariantList& src6);
    QVariantList values(const QString& name) const;
    QStringList names() const;

    QVariant selectedGun(int index);
    void selectGun(int index, const QVariant& gunName);
    QVariant xySensitivity(int index);
    void setXYSensitivity(int index, const QVariant& value);

private:
    static bool gunFileExists();
    SettingsStore& settings_;
};

}  // namespace z718
