#include "ui/font_cache.h"

#include <QByteArray>
#include <QFontDatabase>
#include <QResource>
#include <QString>
#include <utility>

namespace z718 {

namespace {

int windowFont = -1;  // the application font's id while Qt holds it

}  // namespace

bool loadWindowFont() {
    if (windowFont >= 0) {
        return true;
    }
    // Given the resource's own bytes, Qt and FreeType read the font where it lies in the
    // program's file; given its path, each of them would read a copy of it onto the heap.
    const QResource font(QStringLiteral(":/fonts/z718-ui.otf"));
    const QByteArray data =
        font.compressionAlgorithm() == QResource::NoCompression
            ? QByteArray::fromRawData(reinterpret_cast<const char*>(font.data()), font.size())
            : font.uncompressedData();
    windowFont = QFontDatabase::addApplicationFontFromData(data);
    return windowFont >= 0;
}

bool releaseFontCache() {
    // Qt keeps every font engine it loaded, and with it FreeType's face and glyph caches, for
    // the life of the process; adding or removing an application font is its only public call
    // that empties that cache. The font is added again at once: a window sees every font added
    // and lays all its texts out anew at its next frame, so adding it on the next show would lay
    // the whole scene out twice. Pages and menus load what they draw with when they next draw.
    const int id = std::exchange(windowFont, -1);
    if (id >= 0) {
        QFontDatabase::removeApplicationFont(id);
    }
    return loadWindowFont();
}

}  // namespace z718
