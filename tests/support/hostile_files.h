#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QString>
#include <atomic>
#include <chrono>
#include <thread>

#include "support/scratch_dir.h"

namespace z718::test {

// A FIFO standing where the program expects a file. A reader that opened it would wait for a
// writer for good; the trap plays that writer at once, so such a reader goes on (reading
// nothing) and the test learns of it instead of hanging.
class FifoTrap {
public:
    explicit FifoTrap(const QString& path)
        : path_(QFile::encodeName(QFileInfo(path).absoluteFilePath())),
          made_(::mkfifo(path_.constData(), 0600) == 0) {}
    ~FifoTrap() {
        stop_ = true;
        watcher_.join();
    }

    bool made() const { return made_; }
    bool opened() const { return opened_; }

private:
    // Opening the write end without blocking succeeds only while a reader has it open.
    void watch() {
        for (; !stop_; std::this_thread::sleep_for(std::chrono::milliseconds(1))) {
            const int fd = ::open(path_.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                struct stat info {};
                opened_ = opened_ || (::fstat(fd, &info) == 0 && S_ISFIFO(info.st_mode));
                ::close(fd);
            }
        }
    }

    const QByteArray path_;
    const bool made_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> opened_{false};
    std::thread watcher_{[this] { watch(); }};
};

// Symbolic links into the scratch folder, out of its ./modules: a file that must never change
// and a name that must never come to exist.
struct LinkTargets {
    explicit LinkTargets(const QString& scratch)
        : canary(scratch + QStringLiteral("/canary.txt")),
          ghost(scratch + QStringLiteral("/ghost.txt")) {
        ScratchDir::write(canary, kCanaryText);
    }
    // `link` points at the canary, or, when dangling, at the ghost.
    bool link(const QString& link, bool dangling = false) const {
        return QFile::link(dangling ? ghost : canary, link);
    }
    bool untouched() const {
        return ScratchDir::read(canary) == kCanaryText && !QFileInfo::exists(ghost);
    }

    static constexpr const char* kCanaryText = "[canary]\nkey=untouched\n";
    QString canary;
    QString ghost;
};

// Values no program writes into these files, each of which the settings reader would act on:
// a region whose rectangle count keeps it busy for minutes, an icon (in the newer stream's
// date-time form) that opens the file it names, a list and a string list whose counts make it
// reserve gigabytes before reading a single element; then values nested deep enough to
// overflow its stack: a variant list inside a variant list, a variant inside a variant, the
// date-time form, and a list spelt with quotes and blanks that the reader drops.
inline QList<std::pair<const char*, QByteArray>> unsafeValues(const QString& namedFile) {
    // The values' stream as an INI value spells it, every byte an escape of its own.
    const auto escaped = [](auto... values) {
        QByteArray raw, text;
        QDataStream stream(&raw, QIODevice::WriteOnly);
        (stream << ... << values);
        for (const char c : raw) {
            text += "\\x" + QByteArray::number(uchar(c), 16);
        }
        return text;
    };
    const auto nest = [](const char* prefix, const char* level, const char* leaf) {
        return prefix + QByteArray(level).repeated(30000) + leaf + ")";
    };
    using U = quint32;
    const QByteArray icon = escaped(U(69), quint8(0), QStringLiteral("QPixmapIconEngine"), U(1),
                                    U(0), namedFile, U(16), U(16), U(0), U(0));
    const char* leaf = "\\0\\0\\0\\x2\\0\\0\\0\\x5";
    return {
        {"region", "@Variant(" + escaped(U(0x48), U(8), U(10), U(0x7FFFFFFF)) + ")"},
        {"icon naming a file", "@DateTime(" + icon + ")"},
        {"list count", "@Variant(" + escaped(U(9), U(0x7FFFFFFF), U(2)) + ")"},
        {"string list count", "a, @Variant(" + escaped(U(11), U(0x7FFFFFF0)) + ")"},
        {"list in list", nest("@Variant(", "\\0\\0\\0\\t\\0\\0\\0\\x1", leaf)},
        {"variant in variant", nest("@Variant(", "\\0\\0\\0\\x29", leaf)},
        {"date-time form",
         nest("@DateTime(", "\\0\\0\\0\\t\\0\\0\\0\\0\\x1", "\\0\\0\\0\\x2\\0\\0\\0\\0\\x5")},
        {"spaced", nest("@Variant(", "\\0\\0\\0\"\" \\t\\0\\0\\0\\x1", leaf)},
    };
}

}  // namespace z718::test
