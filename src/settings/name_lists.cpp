#include "settings/name_lists.h"

#include <QFileInfo>
#include <QSettings>
#include <array>

#include "settings/ini_values.h"
#include "settings/settings_file.h"

namespace z718::namelists {
namespace {

constexpr std::array<const char*, 4> kKeys = {
    "macro/macroName",
    "gun/gunName",
    "profile/profileName",
    "gun/selectGun",
};

QString keyOf(int type) {
    if (type < 0 || type >= static_cast<int>(kKeys.size())) {
        return {};
    }
    return QString::fromLatin1(kKeys[static_cast<size_t>(type)]);
}

}  // namespace

void store(int type, QStringList names, const QString& path) {
    const QString key = keyOf(type);
    // Something there that is no name list (a link, a FIFO, an oversized file) is left alone
    // rather than loaded or written through.
    const QFileInfo entry(path);
    if (key.isEmpty() || ((entry.exists() || entry.isSymLink()) && !isReadableSettingsFile(path))) {
        return;
    }
    if (names.size() == 1) {
        names.append(kPadGuard);
    }
    const auto file = openIni(path);
    if (names.isEmpty()) {
        file->remove(key);
    } else {
        file->setValue(key, names);
    }
}

QVariantList read(int type, const QString& path) {
    const QString key = keyOf(type);
    if (key.isEmpty() || !isReadableSettingsFile(path)) {
        return {};
    }
    return listValue(openIni(path)->value(key, 0));
}

}  // namespace z718::namelists
