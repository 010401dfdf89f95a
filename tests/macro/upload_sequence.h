#pragma once

#include <QStringList>
#include <QVariantList>
#include <functional>

// What the macro editor page does before hidSetMacro: the lines of loadMacroIni in the
// editor form ("1,A", "0,50") become (type, value) pairs, key and mouse names turned into
// their codes, and the trailing repeat count is appended as a number.
inline QVariantList uploadList(const QStringList& loaded,
                               const std::function<int(const QString&)>& codeOfName) {
    QVariantList list;
    if (loaded.isEmpty()) {
        return list;
    }
    for (qsizetype i = 0; i + 1 < loaded.size(); ++i) {
        const QString& line = loaded.at(i);
        const int type = line.left(1).toInt();
        const QString info = line.mid(2);
        list << type;
        if (type >= 1 && type <= 4) {
            list << codeOfName(info);
        } else {
            list << info.toInt();
        }
    }
    list << loaded.constLast().toInt();
    return list;
}
