#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

namespace z718 {

// Every write of the program's own files, and the reads that feed them, goes through here.
// A relative path is reached from the working folder's descriptor one folder at a time, and
// a link met on the way or at the file itself is never followed, so nothing put in place of
// ./modules, one of its folders or a file while the program runs can send a write elsewhere.
// A file is replaced by writing a new one beside it and renaming that over it: a reader or a
// kill sees the old file or the whole new one. An absolute path (a file the user chose) is
// reached through its folder as the system resolves it; only its last part is not followed.
class FileAccess {
public:
    // Makes `folder` the one relative paths start from; it must not be a link. Until this is
    // called they start from the current directory.
    static bool setRoot(const QString& folder);

    // The bytes of the regular file at `path`, if it has at most `maxBytes`.
    static std::optional<QByteArray> read(const QString& path, qint64 maxBytes);
    // Replaces whatever file or link stands at `path` by a regular file holding `bytes`.
    static bool write(const QString& path, const QByteArray& bytes);
    static bool remove(const QString& path);
    // Moves the entry at `from` (a link itself, never its target) to `to` in the same folder;
    // with `replace` false, fails when something already stands at `to`.
    static bool rename(const QString& from, const QString& to, bool replace);
    static bool makeFolder(const QString& path);

    // Called with the path just before a finished new copy is renamed over it.
    static void setBeforeReplace(std::function<void(const QString&)> hook);
};

}  // namespace z718
