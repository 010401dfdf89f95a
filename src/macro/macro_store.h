#pragma once

#include <QStringList>
#include <QVariant>
#include <cstdint>

#include "settings/settings_store.h"

namespace z718 {

// The macro files under ./modules/macro and the macro assignments of the profiles. Every
// call opens the file it needs and closes it before returning, so writes are on disk at once.
// A name that cannot be a file of the macro folder behaves like a macro whose file is missing.
class MacroStore {
public:
    explicit MacroStore(SettingsStore& settings) : settings_(settings) {}

    bool create(const QString& name, uint macroIndex);
    bool save(const QString& name, const QStringList& macros, const QVariant& repeat);
    // The lines followed by the repeat count as text; empty when the file is missing.
    QStringList savedLines(const QString& name) const;
    QVariant slotOf(const QString& name) const;
    QVariant typeOf(const QString& name) const;
    // [index or -1 when recorded for another device, repeat]; empty when the file is missing.
    QVariantList config(const QString& name, uint32_t deviceId) const;
    void setConfig(const QString& name, const QVariantList& config, uint32_t deviceId);
    void setSlot(const QString& name, const QVariant& macroIndex);
    void setType(const QString& name, const QVariant& macroType);

    // Points the assignments of the first six profiles at the new name, then renames the file.
    bool rename(const QString& oldName, const QString& newName);
    bool remove(const QString& name);
    bool renameFileOnly(const QString& oldName, const QString& newName);
    // "Name", then every button of the first six profiles assigned the macro.
    QStringList users(const QString& name);

    void assign(int index, const QString& name);
    QVariant assigned(int index);
    // The macro assigned to button `index` of `profile`; "" when none.
    QString assignedIn(int profile, int index) const;

    // The existing macro file of a name, or an empty string.
    static QString existingFile(const QString& name);

private:
    SettingsStore& settings_;
};

}  // namespace z718
