#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QString>
#include <QtEndian>
#include <atomic>
#include <chrono>
#include <thread>

namespace z718::test {

// A FIFO standing where the program expects a file. A reader that opened it would wait for a
// writer for good; the trap plays that writer at once, so such a reader goes on (reading
// nothing) and the test learns of it instead of hanging.
class FifoTrap {
public:
    explicit FifoTrap(const QString& path)
        : path_(QFile::encodeName(QFileInfo(path).absoluteFilePath())) {
        made_ = ::mkfifo(path_.constData(), 0600) == 0;
        watcher_ = std::thread([this] { watch(); });
    }
    ~FifoTrap() {
        stop_.store(true);
        watcher_.join();
    }
    FifoTrap(const FifoTrap&) = delete;
    FifoTrap& operator=(const FifoTrap&) = delete;

    bool made() const { return made_; }
    bool opened() const { return opened_.load(); }

private:
    void watch() {
        while (!stop_.load()) {
            // Opening the write end without blocking succeeds only while a reader has it open.
            const int fd = ::open(path_.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                struct stat info {};
                if (::fstat(fd, &info) == 0 && S_ISFIFO(info.st_mode)) {
                    opened_.store(true);
                }
                ::close(fd);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    QByteArray path_;
    bool made_ = false;
    std::atomic<bool> stop_{false};
    std::atomic<bool> opened_{false};
    std::thread watcher_;
};

// Symbolic links into the scratch folder, out of its ./modules: a file that must never change
// and a name that must never come to exist.
struct LinkTargets {
    explicit LinkTargets(const QString& scratch)
        : canary(scratch + QStringLiteral("/canary.txt")),
          ghost(scratch + QStringLiteral("/ghost.txt")) {
        QFile file(canary);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(kCanaryText);
        }
    }
    // `link` points at the canary, or, when dangling, at the ghost.
    bool link(const QString& link, bool dangling = false) const {
        return QFile::link(dangling ? ghost : canary, link);
    }
    bool untouched() const {
        QFile file(canary);
        return file.open(QIODevice::ReadOnly) && file.readAll() == kCanaryText &&
               !QFileInfo::exists(ghost);
    }

    static constexpr const char* kCanaryText = "[canary]\nkey=untouched\n";
    QString canary;
    QString ghost;
};

// Values nested as deep as no program writes, in each form the settings reader takes: a
// variant list inside a variant list, a variant inside a variant, the date-time form of the
// newer stream, and a list spelt with quotes and blanks that the reader drops.
inline QList<std::pair<const char*, QByteArray>> deeplyNestedValues() {
    const auto nest = [](const char* prefix, const char* level, const char* leaf) {
        return prefix + QByteArray(level).repeated(30000) + leaf + ")";
    };
    const char* leaf = "\\0\\0\\0\\x2\\0\\0\\0\\x5";
    return {
        {"list in list", nest("@Variant(", "\\0\\0\\0\\t\\0\\0\\0\\x1", leaf)},
        {"variant in variant", nest("@Variant(", "\\0\\0\\0\\x29", leaf)},
        {"date-time form",
         nest("@DateTime(", "\\0\\0\\0\\t\\0\\0\\0\\0\\x1", "\\0\\0\\0\\x2\\0\\0\\0\\0\\x5")},
        {"spaced", nest("@Variant(", "\\0\\0\\0\"\" \\t\\0\\0\\0\\x1", leaf)},
    };
}

// Bytes as an INI value spells them, every byte an escape of its own.
inline QByteArray iniEscaped(const QByteArray& raw) {
    QByteArray text;
    for (const char c : raw) {
        text += "\\x" + QByteArray::number(uchar(c), 16);
    }
    return text;
}

// Variant values of kinds no program writes into these files, each of which the settings
// reader would act on: a region whose rectangle count keeps it busy for minutes, an icon
// (in the newer stream's date-time form) that opens the file it names, and a list and a string
// list whose counts make it reserve gigabytes before reading a single element.
inline QList<std::pair<const char*, QByteArray>> unsafeValues(const QString& namedFile) {
    const auto be32 = [](quint32 v) {
        QByteArray bytes(4, '\0');
        qToBigEndian(v, bytes.data());
        return bytes;
    };
    const auto utf16 = [&](const QString& text) {
        QByteArray bytes = be32(quint32(text.size() * 2));
        for (const QChar c : text) {
            bytes += char(c.unicode() >> 8);
            bytes += char(c.unicode());
        }
        return bytes;
    };
    const QByteArray region = be32(0x48) + be32(8) + be32(10) + be32(0x7FFFFFFF);
    const QByteArray icon = be32(69) + '\0' + utf16(QStringLiteral("QPixmapIconEngine")) + be32(1) +
                            be32(0) + utf16(namedFile) + be32(16) + be32(16) + be32(0) + be32(0);
    return {
        {"region", "@Variant(" + iniEscaped(region) + ")"},
        {"icon naming a file", "@DateTime(" + iniEscaped(icon) + ")"},
        {"list count", "@Variant(" + iniEscaped(be32(9) + be32(0x7FFFFFFF) + be32(2)) + ")"},
        {"string list count", "a, @Variant(" + iniEscaped(be32(11) + be32(0x7FFFFFF0)) + ")"},
    };
}

}  // namespace z718::test
