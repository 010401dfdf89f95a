#pragma once

#include <QString>

namespace z718 {

// Makes `target` a copy of `source`. The copy is written beside the target and renamed over
// it, so a reader or a crash sees either the old file or the complete new one. A source that
// is missing, cannot be read or is too large to be a settings file removes the target instead
// (the profile then reads as empty).
// Returns true when the copy was made.
bool replaceWithCopy(const QString& target, const QString& source);

// Files larger than this are not settings files; readers treat them as missing.
inline constexpr qint64 kMaxSettingsFileBytes = 4 * 1024 * 1024;

// True when `path` is a regular file of a plausible size for a settings file.
bool isReadableSettingsFile(const QString& path);

}  // namespace z718
