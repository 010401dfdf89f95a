#pragma once

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace z718::test {

// A fresh working directory holding an empty ./modules tree, current for the guard's life,
// so tests never touch the files shipped beside the test programs.
class ScratchDir {
public:
    ScratchDir() : previous_(QDir::currentPath()) {
        for (const char* sub :
             {"modules/setting", "modules/i18n", "modules/img", "modules/gun", "modules/macro"}) {
            QDir(dir_.path()).mkpath(QString::fromLatin1(sub));
        }
        QDir::setCurrent(dir_.path());
    }
    ~ScratchDir() { QDir::setCurrent(previous_); }

    QString path() const { return dir_.path(); }

    // Every file below the scratch directory, relative to it, sorted: what a call left behind.
    QStringList files() const {
        QStringList found;
        QDirIterator it(dir_.path(), QDir::Files | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            found << QDir(dir_.path()).relativeFilePath(it.next());
        }
        found.sort();
        return found;
    }

    // Writes `content` byte for byte, in a folder made if missing: tests write files in the
    // old program's exact form.
    static void write(const QString& path, const QByteArray& content) {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            file.write(content);
        }
    }
    static QByteArray read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QString previous_;
    QTemporaryDir dir_;
};

}  // namespace z718::test
