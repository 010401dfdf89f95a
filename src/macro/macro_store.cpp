#include "macro/macro_store.h"

#include <QSettings>

#include "macro/macro_name.h"
#include "settings/file_access.h"
#include "settings/settings_file.h"

namespace z718 {

namespace {

// Only the profiles the profile page offers carry macro assignments that follow renames.
constexpr int kMacroProfiles = 6;
// A damaged line count must not make a reader build a list without end.
constexpr int kMaxReadLines = 100000;

const QString kIndex = QStringLiteral("config/index");
const QString kTotal = QStringLiteral("config/total");
const QString kRepeat = QStringLiteral("config/repeat");
const QString kDid = QStringLiteral("config/did");
const QString kMacroGroup = QStringLiteral("macro");

QString macroKey(int index) {
    return kMacroGroup + QLatin1Char('/') + QString::number(index);
}

// Anything at the new name, a dangling link too, makes the rename fail.
bool renameFile(const QString& from, const QString& to) {
    return FileAccess::rename(from, to, false);
}

}  // namespace

QString MacroStore::existingFile(const QString& name) {
    const auto path = macroFilePath(name);
    return path && isReadableSettingsFile(*path) ? *path : QString();
}

bool MacroStore::create(const QString& name, uint macroIndex) {
    const auto path = macroFilePath(name);
    if (!path) {
        return false;
    }
    ensureMacroDir();
    const auto file = openIni(*path);  // a link there is replaced, not written through
    file->setValue(kIndex, macroIndex);
    file->setValue(kTotal, 0);
    file->setValue(kRepeat, 1);
    file->setValue(kDid, -1);
    file->sync();
    return true;
}

bool MacroStore::save(const QString& name, const QStringList& macros, const QVariant& repeat) {
    const QString path = existingFile(name);
    if (path.isEmpty()) {
        return false;
    }
    const auto file = openIni(path);
    file->remove(kMacroGroup);
    file->setValue(kTotal, macros.size());
    file->setValue(kRepeat, repeat);
    for (int i = 0; i < macros.size(); ++i) {
        file->setValue(macroKey(i), macros.at(i));
    }
    return file->sync();
}

QStringList MacroStore::savedLines(const QString& name) const {
    const QString path = existingFile(name);
    if (path.isEmpty()) {
        return {};
    }
    const auto file = openIni(path);
    const int total = qMin(file->value(kTotal, 0).toInt(), kMaxReadLines);
    QStringList lines;
    for (int i = 0; i < total; ++i) {
        lines << file->value(macroKey(i), QStringLiteral("0")).toString();
    }
    lines << file->value(kRepeat, QStringLiteral("0")).toString();
    return lines;
}

QVariant MacroStore::slotOf(const QString& name) const {
    const QString path = existingFile(name);
    return path.isEmpty() ? QVariant(0) : openIni(path)->value(kIndex, 0);
}

QVariant MacroStore::typeOf(const QString& name) const {
    const QString path = existingFile(name);
    return path.isEmpty() ? QVariant(0) : openIni(path)->value(kDid, 0);
}

QVariantList MacroStore::config(const QString& name, uint32_t deviceId) const {
    const QString path = existingFile(name);
    if (path.isEmpty()) {
        return {};
    }
    const auto file = openIni(path);
    const int index = file->value(kIndex, -1).toInt();
    // -1 (no device yet) matches no device; the id is stored unsigned.
    const qint64 did = file->value(kDid, -1).toLongLong();
    return {did == deviceId ? index : -1, file->value(kRepeat, 1).toInt()};
}

void MacroStore::setConfig(const QString& name, const QVariantList& config, uint32_t deviceId) {
    const QString path = existingFile(name);
    if (path.isEmpty() || config.size() < 2) {
        return;
    }
    const auto file = openIni(path);
    file->setValue(kIndex, config.at(0));
    file->setValue(kRepeat, config.at(1));
    file->setValue(kDid, deviceId);
}

void MacroStore::setSlot(const QString& name, const QVariant& macroIndex) {
    const QString path = existingFile(name);
    if (!path.isEmpty()) {
        openIni(path)->setValue(kIndex, macroIndex);
    }
}

void MacroStore::setType(const QString& name, const QVariant& macroType) {
    const QString path = existingFile(name);
    if (!path.isEmpty()) {
        openIni(path)->setValue(kDid, macroType);
    }
}

bool MacroStore::rename(const QString& oldName, const QString& newName) {
    const QString oldPath = existingFile(oldName);
    const auto newPath = macroFilePath(newName);
    if (oldPath.isEmpty() || !newPath) {
        return false;
    }
    // The assignments follow the new name even when the rename below fails.
    for (int p = 0; p < kMacroProfiles; ++p) {
        QSettings& profile = settings_.profile(p);
        profile.beginGroup(kMacroGroup);
        for (const QString& key : profile.childKeys()) {
            if (profile.value(key).toString() == oldName) {
                profile.setValue(key, newName);
            }
        }
        profile.endGroup();
    }
    return renameFile(oldPath, *newPath);
}

bool MacroStore::remove(const QString& name) {
    const QString path = existingFile(name);
    return !path.isEmpty() && FileAccess::remove(path);
}

bool MacroStore::renameFileOnly(const QString& oldName, const QString& newName) {
    const QString oldPath = existingFile(oldName);
    const auto newPath = macroFilePath(newName);
    return !oldPath.isEmpty() && newPath && renameFile(oldPath, *newPath);
}

QStringList MacroStore::users(const QString& name) {
    QStringList users{QStringLiteral("Name")};
    for (int p = 0; p < kMacroProfiles; ++p) {
        QSettings& profile = settings_.profile(p);
        profile.beginGroup(kMacroGroup);
        for (const QString& key : profile.childKeys()) {
            if (profile.value(key, QString()).toString() == name) {
                users << key;
            }
        }
        profile.endGroup();
    }
    return users;
}

void MacroStore::assign(int index, const QString& name) {
    settings_.currentProfile().setValue(macroKey(index), name);
}

QVariant MacroStore::assigned(int index) {
    return settings_.currentProfile().value(macroKey(index), 0);
}

QString MacroStore::assignedIn(int profile, int index) const {
    return settings_.profile(profile).value(macroKey(index)).toString();
}

}  // namespace z718
