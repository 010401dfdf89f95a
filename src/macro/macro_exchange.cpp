#include "macro/macro_exchange.h"

#include <QFileInfo>
#include <QStandardPaths>

#include "macro/macro_name.h"
#include "macro/macro_store.h"
#include "settings/file_access.h"
#include "settings/settings_file.h"

namespace z718 {

namespace {

const QString kFilter = QStringLiteral("Macro(*.mc)");

QString desktopFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

// Copies source over target without losing target when the copy fails, also when both are
// the same file: there is no moment without either (a kill between deleting and renaming
// lost the macro).
bool replaceFile(const QString& source, const QString& target) {
    const auto bytes = FileAccess::read(source, kMaxSettingsFileBytes);
    return bytes && FileAccess::write(target, *bytes);
}

}  // namespace

void MacroExchange::exportMacro(const QString& name) {
    const QString target =
        prompts_.saveFileName(parent_, QStringLiteral("Save File"), desktopFolder(), kFilter);
    const QString source = MacroStore::existingFile(name);
    if (target.isEmpty() || source.isEmpty()) {
        return;
    }
    replaceFile(source, target);
}

void MacroExchange::exportExisting(const QString& name) {
    if (!MacroStore::existingFile(name).isEmpty()) {
        exportMacro(name);
    }
}

QString MacroExchange::importMacro() {
    const QString source =
        prompts_.openFileName(parent_, QStringLiteral("Open File"), desktopFolder(), kFilter);
    if (source.isEmpty()) {
        return {};
    }
    if (!isSettingsText(source)) {  // a FIFO would block the copy, a damaged file every read
        if (refusal_.size() == 2) {
            prompts_.warning(refusal_[0], refusal_[1] + source);
        }
        return {};
    }
    // "attack.fast.mc" gives "attack".
    const QString name = QFileInfo(source).baseName();
    const auto target = macroFilePath(name);
    if (!target) {
        return {};
    }
    ensureMacroDir();
    return replaceFile(source, *target) ? name : QString();
}

}  // namespace z718
