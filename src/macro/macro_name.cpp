#include "macro/macro_name.h"

#include <QStringList>

#include "settings/file_access.h"

namespace z718 {

namespace {

const QString kForbiddenChars = QStringLiteral("<>:\"/\\|?*");

// Windows opens a device instead of a file for these, whatever extension follows.
const QStringList kDeviceNames = {
    QStringLiteral("CON"),    QStringLiteral("PRN"),    QStringLiteral("AUX"),
    QStringLiteral("NUL"),    QStringLiteral("CONIN$"), QStringLiteral("CONOUT$"),
    QStringLiteral("CLOCK$"),
};
const QStringList kNumberedDevices = {QStringLiteral("COM"), QStringLiteral("LPT")};
const QString kDeviceDigits = QStringLiteral("0123456789\u00b9\u00b2\u00b3");

// File names stop at 255 bytes; the settings library also writes "<file>.lock" and a
// "<file>.XXXXXX" temporary beside the file, so keep room for the longer suffix.
constexpr int kMaxFileNameBytes = 255 - 7;

bool hasForbiddenChar(const QString& name) {
    for (QChar c : name) {
        if (c.unicode() < 0x20 || kForbiddenChars.contains(c)) {
            return true;
        }
    }
    return false;
}

bool isDeviceName(const QString& name) {
    // Windows ignores what follows the first dot and trailing blanks when matching devices.
    const QString stem = name.section(QLatin1Char('.'), 0, 0).trimmed().toUpper();
    if (kDeviceNames.contains(stem)) {
        return true;
    }
    return stem.size() == 4 && kNumberedDevices.contains(stem.left(3)) &&
           kDeviceDigits.contains(stem.at(3));
}

}  // namespace

MacroNameFault macroNameFault(const QString& name) {
    if (name.isEmpty()) {
        return MacroNameFault::Empty;
    }
    if (hasForbiddenChar(name)) {
        return MacroNameFault::Character;
    }
    // Windows strips trailing dots and blanks, so such a name would alias another file
    // (and "." or ".." would name a folder).
    const QChar last = name.back();
    if (isDeviceName(name) || last == QLatin1Char('.') || last == QLatin1Char(' ')) {
        return MacroNameFault::Reserved;
    }
    if ((name + QStringLiteral(".bin")).toUtf8().size() > kMaxFileNameBytes) {
        return MacroNameFault::TooLong;
    }
    return MacroNameFault::None;
}

bool isValidMacroName(const QString& name) {
    return macroNameFault(name) == MacroNameFault::None;
}

std::optional<QString> macroFilePath(const QString& name) {
    if (!isValidMacroName(name)) {
        return std::nullopt;
    }
    return kMacroDir + QLatin1Char('/') + name + QStringLiteral(".bin");
}

void ensureMacroDir() {
    FileAccess::makeFolder(kMacroDir);
}

}  // namespace z718
