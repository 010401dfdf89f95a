#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

// A scratch working directory holding an empty modules/ tree; the previous working
// directory comes back when it ends.
class ScratchDir {
public:
    ScratchDir() : previous_(QDir::currentPath()) {
        QDir::setCurrent(dir_.path());
        for (const char* sub : {"modules/setting", "modules/macro", "modules/gun"}) {
            QDir().mkpath(QString::fromLatin1(sub));
        }
    }
    ~ScratchDir() { QDir::setCurrent(previous_); }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    bool isValid() const { return dir_.isValid(); }
    QString path() const { return dir_.path(); }

    // Every file below the scratch directory, relative to it, sorted.
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

    static void writeText(const QString& path, const QByteArray& text) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(text);
        }
    }

    static QByteArray readText(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QString previous_;
    QTemporaryDir dir_;
};
