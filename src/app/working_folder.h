#pragma once

#include <QString>

namespace z718 {

// The executable's folder while its modules folder is writable (a build tree, a portable
// copy). Otherwise - an install shared by several users under a read-only prefix - the
// user's own data folder, which first receives whatever shipped file it still lacks.
// shippedModules is where the install keeps the modules folder when the executable's folder
// has none.
QString chooseWorkingFolder(const QString& executableDir, const QString& shippedModules,
                            const QString& userDataDir);

// Copies every file and folder under `from` that `to` lacks; an existing entry (the user's
// own file, or anything else of that name) is never replaced. Copies are writable by the user
// even when the shipped files are read-only. False when something could not be copied.
bool addMissingFiles(const QString& from, const QString& to);

// The first of the folders that take the program's writes (`workingFolder` itself, modules and
// its setting, macro and gun folders) that is a link or, where folders have owners, not this
// user's own; "" when there is none. Writes there could land anywhere.
QString refusedFolder(const QString& workingFolder);

// Chooses the working folder for this executable and user and makes it the current directory.
// False, after a one-line message, when that folder is refused (refusedFolder).
bool enterWorkingFolder();

}  // namespace z718
