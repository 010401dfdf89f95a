#pragma once

#include <QString>
#include <optional>

namespace z718 {

inline const QString kMacroDir = QStringLiteral("./modules/macro");

// Why a name cannot serve as the base name of a file in the macro folder on every platform
// the program runs on (folder parts, what the file systems refuse or rewrite); None when it can.
enum class MacroNameFault { None, Empty, TooLong, Character, Reserved };
MacroNameFault macroNameFault(const QString& name);

bool isValidMacroName(const QString& name);

// "./modules/macro/<name>.bin", or nothing for a name that would not stay a plain file there.
std::optional<QString> macroFilePath(const QString& name);

// Creates the macro folder when it is missing.
void ensureMacroDir();

}  // namespace z718
