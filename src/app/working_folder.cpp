#include "app/working_folder.h"

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "settings/file_access.h"

#ifdef Q_OS_WIN
// Qt answers isWritable() on NTFS from the read-only attribute alone unless this is raised; a
// folder under Program Files would then pass for writable to a user who cannot write there.
extern Q_CORE_EXPORT int qt_ntfs_permission_lookup;
#endif

namespace z718 {

namespace {

bool writableFolder(const QFileInfo& folder) {
#ifdef Q_OS_WIN
    ++qt_ntfs_permission_lookup;
    const bool writable = folder.isDir() && folder.isWritable();
    --qt_ntfs_permission_lookup;
    return writable;
#else
    return folder.isDir() && folder.isWritable();
#endif
}

// An installed package's files are read-only; the user's copy must take the program's writes.
bool copyWritable(const QString& from, const QString& to) {
    if (!QFile::copy(from, to)) {
        return false;
    }
    return QFile::setPermissions(
        to, QFile::permissions(to) | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

}  // namespace

bool addMissingFiles(const QString& from, const QString& to) {
    if (QFileInfo(to).isSymLink() || !QDir().mkpath(to)) {  // copies would land at its target
        return false;
    }
    bool ok = true;
    const QFileInfoList entries =
        QDir(from).entryInfoList(QDir::Dirs | QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        const QFileInfo target(to + QLatin1Char('/') + entry.fileName());
        if (entry.isDir()) {
            ok = addMissingFiles(entry.filePath(), target.filePath()) && ok;
        } else if (!target.exists() && !target.isSymLink()) {
            ok = copyWritable(entry.filePath(), target.filePath()) && ok;
        }
    }
    return ok;
}

QString chooseWorkingFolder(const QString& executableDir, const QString& shippedModules,
                            const QString& userDataDir) {
    const QFileInfo beside(executableDir + QStringLiteral("/modules"));
    if (writableFolder(beside)) {
        return executableDir;
    }
    const QFileInfo source(beside.isDir() ? beside : QFileInfo(shippedModules));
    if (!source.isDir()) {
        return executableDir;
    }
    const QString userModules = userDataDir + QStringLiteral("/modules");
    const bool linked = QFileInfo(userDataDir).isSymLink();
    if (!userDataDir.isEmpty() && !linked && addMissingFiles(source.filePath(), userModules)) {
        return userDataDir;
    }
    qDebug().noquote() << "Cannot copy the shipped files to" << userModules;
    // Better a run that cannot save than one that finds nothing.
    if (!userDataDir.isEmpty() && QFileInfo(userModules + QStringLiteral("/setting")).isDir()) {
        return userDataDir;
    }
    return source.absolutePath();
}

QString refusedFolder(const QString& workingFolder) {
    if (QFileInfo(workingFolder).isSymLink()) {
        return workingFolder;
    }
    for (const char* folder : {"/modules", "/modules/setting", "/modules/macro", "/modules/gun"}) {
        const QString path = workingFolder + QLatin1String(folder);
        const QFileInfo info(path);
        if (info.isSymLink()) {
            return path;
        }
#ifndef Q_OS_WIN
        struct stat status {};
        if (::lstat(QFile::encodeName(path).constData(), &status) == 0 &&
            status.st_uid != ::geteuid()) {
            return path;
        }
#endif
    }
    return {};
}

bool enterWorkingFolder() {
    const QString executableDir = QCoreApplication::applicationDirPath();
    const QString folder = chooseWorkingFolder(
        executableDir, QDir::cleanPath(executableDir + QStringLiteral("/" Z718_SHIPPED_MODULES)),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    const QString refused = refusedFolder(folder);
    if (!refused.isEmpty()) {
        qWarning("Not starting: %s is a link or another user's folder", qPrintable(refused));
        return false;
    }
    // Every later file of the program is reached from this folder as it is now.
    if (!QDir::setCurrent(folder) || !FileAccess::setRoot(folder)) {
        qWarning("Not starting: cannot open %s", qPrintable(folder));
        return false;
    }
    return true;
}

}  // namespace z718
