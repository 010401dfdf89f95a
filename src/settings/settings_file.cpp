#include "settings/settings_file.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <filesystem>

#include "settings/file_access.h"
#include "settings/ini_value_check.h"

namespace z718 {

std::filesystem::path nativePath(const QString& path) {
#ifdef Q_OS_WIN
    return {path.toStdWString()};
#else
    return {QFile::encodeName(path).toStdString()};
#endif
}

namespace {

// QFile will not rename a dangling link (its source "does not exist"); this moves the link
// itself, whatever it points at.
void moveAside(const QString& path) {
    if (!FileAccess::rename(path, path + QStringLiteral(".bad"), true)) {
        FileAccess::remove(path);
    }
}

// Where QSettings keeps its copies: made by this process for itself alone.
QString privateCopyPath() {
    static const QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/z718-XXXXXX"));
    static int copies = 0;
    return folder.filePath(QString::number(++copies) + QStringLiteral(".ini"));
}

}  // namespace

bool isSettingsText(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxSettingsFileBytes) {
        return false;
    }
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && !holdsUnsafeValue(file.readAll());
}

bool isReadableSettingsFile(const QString& path) {
    return !QFileInfo(path).isSymLink() && isSettingsText(path);
}

void setAsideUnusable(const QString& path) {
    const QFileInfo info(path);
    if (info.isSymLink() || (info.exists() && !info.isDir() && !isSettingsText(path))) {
        moveAside(path);
    }
}

ProgramIni::ProgramIni(const QString& path) : ProgramIni(path, loadCopy(path)) {}

ProgramIni::ProgramIni(const QString& path, const Loaded& loaded)
    : QSettings(loaded.copyPath, QSettings::IniFormat), path_(path), onDisk_(loaded.onDisk) {}

ProgramIni::Loaded ProgramIni::loadCopy(const QString& path) {
    setAsideUnusable(path);
    Loaded loaded{privateCopyPath(),
                  FileAccess::read(path, kMaxSettingsFileBytes).value_or(QByteArray())};
    // What changed since the check above is read only if it is as safe.
    if (!loaded.onDisk.isEmpty() && !holdsUnsafeValue(loaded.onDisk)) {
        QFile copy(loaded.copyPath);
        if (copy.open(QIODevice::WriteOnly)) {
            copy.write(loaded.onDisk);
        }
    }
    return loaded;
}

ProgramIni::~ProgramIni() {
    sync();
    QFile::remove(fileName());
}

bool ProgramIni::sync() {
    QSettings::sync();
    QFile copy(fileName());
    if (!copy.open(QIODevice::ReadOnly)) {
        return status() == QSettings::NoError;
    }
    const QByteArray now = copy.readAll();
    if (now == onDisk_) {
        return true;
    }
    if (!FileAccess::write(path_, now)) {
        return false;
    }
    onDisk_ = now;
    return true;
}

bool ProgramIni::event(QEvent* event) {
    // QSettings writes its buffered changes when this reaches it; they must reach the file too.
    if (event->type() == QEvent::UpdateRequest) {
        sync();
        return true;
    }
    return QSettings::event(event);
}

IniFile openIni(const QString& path) {
    return std::make_unique<ProgramIni>(path);
}

}  // namespace z718
