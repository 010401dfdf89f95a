#include "settings/settings_file.h"

#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

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

// QFile will not rename a dangling link (its source "does not exist"); the system's rename
// moves the link itself, whatever it points at.
void moveAside(const QString& path) {
    std::error_code error;
    std::filesystem::rename(nativePath(path), nativePath(path + QStringLiteral(".bad")), error);
    if (error) {
        std::filesystem::remove(nativePath(path), error);
    }
}

// A settings object writes its buffered changes when this event reaches it.
class WriteGuard : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::UpdateRequest) {
            setAsideUnusable(static_cast<QSettings*>(watched)->fileName());
        }
        return false;
    }
};

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
    const QFileInfo lock(path + QStringLiteral(".lock"));
    if (lock.isSymLink() || (lock.exists() && !lock.isFile())) {
        moveAside(lock.filePath());
    }
}

void CheckedClose::operator()(QSettings* settings) const {
    syncIni(*settings);
    delete settings;
}

IniFile openIni(const QString& path) {
    setAsideUnusable(path);
    IniFile settings(new QSettings(path, QSettings::IniFormat));
    settings->installEventFilter(new WriteGuard(settings.get()));
    return settings;
}

void syncIni(QSettings& settings) {
    setAsideUnusable(settings.fileName());
    settings.sync();
}

}  // namespace z718
