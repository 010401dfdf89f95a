#include "settings/file_replace.h"

#include <QFile>

#include "settings/file_access.h"
#include "settings/settings_file.h"

namespace z718 {

bool replaceWithCopy(const QString& target, const QString& source) {
    QFile from(source);
    if (!isSettingsText(source) || !from.open(QIODevice::ReadOnly)) {
        FileAccess::remove(target);
        return false;
    }
    const QByteArray bytes = from.read(kMaxSettingsFileBytes + 1);
    return bytes.size() <= kMaxSettingsFileBytes && FileAccess::write(target, bytes);
}

}  // namespace z718
