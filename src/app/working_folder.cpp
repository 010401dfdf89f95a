#include "app/working_folder.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

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
    if (!QDir().mkpath(to)) {
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
    if (!userDataDir.isEmpty() && addMissingFiles(source.filePath(), userModules)) {
        return userDataDir;
    }
    qDebug().noquote() << "Cannot copy the shipped files to" << userModules;
    // Better a run that cannot save than one that finds nothing.
    if (!userDataDir.isEmpty() && QFileInfo(userModules + QStringLiteral("/setting")).isDir()) {
        return userDataDir;
    }
    return source.absolutePath();
}

void enterWorkingFolder() {
    const QString executableDir = QCoreApplication::applicationDirPath();
    QDir::setCurrent(chooseWorkingFolder(
        executableDir, QDir::cleanPath(executableDir + QStringLiteral("/" Z718_SHIPPED_MODULES)),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));
}

}  // namespace z718
