#include "ui/font_cache.h"

#include <QByteArray>
#include <QDataStream>
#include <QFontDatabase>
#include <QIODevice>
#include <QList>
#include <QString>
#include <bit>
#include <cstdint>
#include <utility>

namespace z718 {

namespace {

using Table = std::pair<QByteArray, QByteArray>;  // tag, contents

// The font's own name: no page asks for it, so it never stands in for another font.
constexpr char16_t kFamily[] = u"Z718 Empty";

template <typename... Fields>
QByteArray bigEndian(Fields... fields) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    (out << ... << fields);
    return bytes;
}

quint32 checksum(QByteArray table) {
    table.append((4 - table.size() % 4) % 4, '\0');
    quint32 sum = 0;
    QDataStream in(table);
    while (!in.atEnd()) {
        quint32 word = 0;
        in >> word;
        sum += word;
    }
    return sum;
}

QByteArray nameTable() {
    const QString family = QString::fromUtf16(kFamily);
    QByteArray text;
    for (QChar c : family) {
        text += bigEndian(quint16(c.unicode()));
    }
    // Family (1) and style (2) in Windows' Unicode encoding, US English; the style is "Regular".
    QByteArray style;
    for (QChar c : QStringLiteral("Regular")) {
        style += bigEndian(quint16(c.unicode()));
    }
    const auto record = [](quint16 id, qsizetype length, qsizetype offset) {
        return bigEndian(quint16(3), quint16(1), quint16(0x409), id, quint16(length),
                         quint16(offset));
    };
    return bigEndian(quint16(0), quint16(2), quint16(6 + 2 * 12)) + record(1, text.size(), 0) +
           record(2, style.size(), text.size()) + text + style;
}

// Regular weight and width, metrics of a 1000-unit em, no character ranges.
QByteArray os2Table() {
    const qint64 none = 0;  // eight zero bytes
    return bigEndian(quint16(1), qint16(500), quint16(400), quint16(5), quint16(0), none, none,
                     qint32(0), qint16(0), none, qint16(0), none, none, quint32(0), quint16(0x40),
                     quint16(0), quint16(0), qint16(800), qint16(-200), qint16(0), quint16(800),
                     quint16(200), quint32(1), quint32(0));
}

// One glyph without contours and a character map that maps nothing, in the tables every
// TrueType font must have: enough for FreeType, fontconfig, Windows and Qt to take it.
QList<Table> tables() {
    const quint32 version = 0x00010000;
    const quint16 unitsPerEm = 1000;
    const quint16 advance = 500;
    const QByteArray cmapFormat4 =
        bigEndian(quint16(4), quint16(24), quint16(0), quint16(2), quint16(2), quint16(0),
                  quint16(0), quint16(0xFFFF), quint16(0), quint16(0xFFFF), quint16(1), quint16(0));
    return {
        {"OS/2", os2Table()},
        {"cmap",
         bigEndian(quint16(0), quint16(1), quint16(3), quint16(1), quint32(12)) + cmapFormat4},
        {"glyf", bigEndian(qint16(0), qint16(0), qint16(0), qint16(0), qint16(0), quint16(0))},
        {"head", bigEndian(version, version, quint32(0), quint32(0x5F0F3CF5), quint16(0),
                           unitsPerEm, qint64(0), qint64(0), qint16(0), qint16(0), qint16(0),
                           qint16(0), quint16(0), quint16(8), qint16(2), qint16(0), qint16(0))},
        {"hhea",
         bigEndian(version, qint16(800), qint16(-200), qint16(0), advance, qint16(0), qint16(0),
                   qint16(0), qint16(1), qint16(0), qint16(0), qint64(0), qint16(0), quint16(1))},
        {"hmtx", bigEndian(advance, qint16(0))},
        {"loca", bigEndian(quint16(0), quint16(6))},
        {"maxp", bigEndian(version, quint16(1), quint16(0), quint16(0), quint16(0), quint16(0),
                           quint16(2), quint16(0), quint16(0), quint16(0), quint16(0), quint16(0),
                           quint16(0), quint16(0), quint16(0))},
        {"name", nameTable()},
        {"post", bigEndian(quint32(0x00030000), qint32(0), qint16(-100), qint16(50), quint32(0),
                           qint64(0), qint64(0))},
    };
}

QByteArray emptyFont() {
    const QList<Table> all = tables();
    const auto count = quint16(all.size());
    const auto power = quint16(std::bit_floor(count));
    const auto selector = quint16(std::countr_zero(power));
    QByteArray directory = bigEndian(quint32(0x00010000), count, quint16(power * 16), selector,
                                     quint16(count * 16 - power * 16));
    QByteArray contents;
    qsizetype offset = directory.size() + count * 16;
    for (const auto& [tag, table] : all) {
        directory += tag + bigEndian(checksum(table), quint32(offset), quint32(table.size()));
        QByteArray padded = table;
        padded.append((4 - table.size() % 4) % 4, '\0');
        contents += padded;
        offset += padded.size();
    }
    return directory + contents;
}

}  // namespace

bool releaseFontCache() {
    // Qt keeps every font engine it loaded, and with it FreeType's face and glyph caches, for
    // the life of the process; adding or removing an application font is its only public call
    // that empties that cache. The font goes again at once and leaves nothing behind; pages and
    // menus load what they draw with again when they next draw.
    const int id = QFontDatabase::addApplicationFontFromData(emptyFont());
    return id >= 0 && QFontDatabase::removeApplicationFont(id);
}

}  // namespace z718
