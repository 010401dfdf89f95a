#pragma once

#include <QSettings>
#include <QString>
#include <filesystem>
#include <memory>

namespace z718 {

// A path as the system's own calls take it.
std::filesystem::path nativePath(const QString& path);

// Files larger than this are not settings files; readers treat them as missing.
inline constexpr qint64 kMaxSettingsFileBytes = 4 * 1024 * 1024;

// True when `path` leads (through links) to a regular file that may be read as settings: not
// too large, and nested no deeper than any program writes.
bool isSettingsText(const QString& path);

// The same for the program's own files below ./modules, where a link is never followed:
// reading through one could fetch any file of the system, writing through one replace it.
bool isReadableSettingsFile(const QString& path);

// Moves whatever stands at `path` and must not be opened there (a link, a FIFO or device, a
// file too large or too deeply nested) aside to `path` + ".bad": a link itself, never its
// target. The path then reads as missing and the next write creates a regular file. A folder
// stays where it is; writes to it fail.
void setAsideUnusable(const QString& path);

// An INI settings object on one of the program's files. QSettings itself would follow a link
// put in the file's place, so it works on a private copy in a folder of this process's own;
// the file is read and replaced only through FileAccess.
class ProgramIni : public QSettings {
public:
    explicit ProgramIni(const QString& path);
    ~ProgramIni() override;
    ProgramIni(const ProgramIni&) = delete;
    ProgramIni& operator=(const ProgramIni&) = delete;

    const QString& path() const { return path_; }
    // Writes the buffered changes to the file now; false when the file could not be written.
    bool sync();

protected:
    bool event(QEvent* event) override;

private:
    struct Loaded {
        QString copyPath;
        QByteArray onDisk;
    };
    ProgramIni(const QString& path, const Loaded& loaded);
    static Loaded loadCopy(const QString& path);

    QString path_;
    QByteArray onDisk_;  // what the file held when last read or written
};
using IniFile = std::unique_ptr<ProgramIni>;

// A settings object on `path`, opened after setAsideUnusable.
IniFile openIni(const QString& path);

}  // namespace z718
