#include "settings/file_replace.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "settings/settings_file.h"

namespace z718 {
namespace {

bool copyInto(QFile& from, QSaveFile& to) {
    char buffer[64 * 1024];
    for (;;) {
        const qint64 got = from.read(buffer, sizeof buffer);
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            return true;
        }
        if (to.write(buffer, got) != got) {
            return false;
        }
    }
}

// QSettings keeps the parsed contents of closed files and reuses them while a file's size and
// time stamp look unchanged. A same-sized copy written within the same millisecond would be
// taken for the old file, so give it a later time stamp.
void markChanged(const QString& target, qint64 oldSize, const QDateTime& oldStamp) {
    QFileInfo now(target);
    if (now.size() != oldSize || now.lastModified() != oldStamp) {
        return;
    }
    QFile file(target);
    if (file.open(QIODevice::ReadWrite)) {
        file.setFileTime(oldStamp.addSecs(1), QFileDevice::FileModificationTime);
    }
}

}  // namespace

bool replaceWithCopy(const QString& target, const QString& source) {
    setAsideUnusable(target);  // the file written below would follow a link
    const QFileInfo before(target);
    const qint64 oldSize = before.size();
    const QDateTime oldStamp = before.lastModified();

    QFile from(source);
    if (!isSettingsText(source) || !from.open(QIODevice::ReadOnly)) {
        QFile::remove(target);
        return false;
    }
    QSaveFile to(target);
    if (!to.open(QIODevice::WriteOnly) || !copyInto(from, to)) {
        to.cancelWriting();
        return false;
    }
    if (!to.commit()) {
        return false;
    }
    markChanged(target, oldSize, oldStamp);
    return true;
}

}  // namespace z718
