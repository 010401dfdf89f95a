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
// stays where it is; writes to it fail. A link or FIFO in place of the write lock kept beside
// the file (`path` + ".lock") is set aside too: the settings object would wait on it for good.
void setAsideUnusable(const QString& path);

// Closes a settings object from openIni: the changes it still buffers get the same check
// before its destructor writes them.
struct CheckedClose {
    void operator()(QSettings* settings) const;
};
using IniFile = std::unique_ptr<QSettings, CheckedClose>;

// An INI settings object on `path`, opened after setAsideUnusable. The check runs again each
// time buffered changes are about to reach the file, so nothing put there meanwhile is
// written through either.
IniFile openIni(const QString& path);

// Writes the buffered changes of `settings` now, after the same check.
void syncIni(QSettings& settings);

}  // namespace z718
