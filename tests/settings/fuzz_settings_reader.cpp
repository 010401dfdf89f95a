// Fuzz target for the settings reader: each input is a settings file, read the way the program
// reads one, in an application that knows every value type the program's own knows. A file
// the check lets through must then read completely, quickly and within bounded memory.
//
// Built with libFuzzer (preset "fuzz", clang) it runs as a fuzzer; built otherwise, it replays
// the files of the folder named on its command line, so CI runs the corpus under the
// sanitizers.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

#include "settings/ini_values.h"
#include "settings/settings_file.h"

// Both live until the process ends: libFuzzer leaves through exit(), after which the
// application cannot be taken down any more.
static QGuiApplication* app = nullptr;
static QTemporaryDir* scratch = nullptr;

extern "C" int LLVMFuzzerInitialize(int*, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The application keeps a reference to its argument count, so give it one that lives on.
    static int count = 1;
    app = new QGuiApplication(count, *argv);
    scratch = new QTemporaryDir;
    // Relative names inside values resolve in here, never in the caller's folder.
    QDir::setCurrent(scratch->path());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A fresh name each time: the reader keeps parsed files by name, size and time stamp.
    static int round = 0;
    const QString path = scratch->filePath(QStringLiteral("f%1.bin").arg(round++ % 2));
    QFile::remove(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size)) {
        return 0;
    }
    file.close();
    if (z718::isReadableSettingsFile(path)) {
        QSettings settings(path, QSettings::IniFormat);
        for (const QString& key : settings.allKeys()) {
            z718::listValue(settings.value(key));
        }
    }
    return 0;
}

#ifndef Z718_LIBFUZZER
int main(int argc, char** argv) {
    // Made absolute before the current folder changes.
    const QDir folder(QFileInfo(QFile::decodeName(argc > 1 ? argv[1] : "")).absoluteFilePath());
    LLVMFuzzerInitialize(&argc, &argv);
    const QFileInfoList inputs = folder.entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo& input : inputs) {
        QFile file(input.filePath());
        if (!file.open(QIODevice::ReadOnly)) {
            qFatal("cannot read %s", qPrintable(file.fileName()));
        }
        const QByteArray bytes = file.readAll();
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()),
                               size_t(bytes.size()));
    }
    qInfo("%lld inputs replayed", qlonglong(inputs.size()));
    delete scratch;
    delete app;
    return inputs.isEmpty() ? 1 : 0;
}
#endif
