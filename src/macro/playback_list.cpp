#include "macro/playback_list.h"

#include <limits>

#include "i18n/ui_key_table.h"

namespace z718 {

namespace {

constexpr int kKeyDown = 1;
constexpr int kMouseUp = 4;

}  // namespace

QVariant leadingInteger(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace()) {
        ++i;
    }
    double sign = 1;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        sign = text[i] == u'-' ? -1 : 1;
        ++i;
    }
    double value = 0;
    const qsizetype digits = i;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i].unicode() - u'0');
    }
    if (i == digits) {
        return 0;
    }
    value *= sign;
    if (value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max()) {
        return static_cast<int>(value);
    }
    return value;
}

QVariantList playbackList(const QStringList& lines) {
    if (lines.isEmpty()) {
        return {};
    }
    QVariantList list;
    for (qsizetype n = 0; n + 1 < lines.size(); ++n) {
        const QString& line = lines[n];
        const int type = leadingInteger(line.left(1)).toInt();
        const QString info = line.mid(2);
        list << type;
        if (type >= kKeyDown && type <= kMouseUp) {
            list << ui_keys::code(info);
        } else {
            list << leadingInteger(info);
        }
    }
    list << leadingInteger(lines.constLast());
    return list;
}

}  // namespace z718
