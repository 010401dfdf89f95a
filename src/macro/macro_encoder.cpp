#include "macro/macro_encoder.h"

#include <algorithm>

namespace z718 {

namespace {

enum class LineKind { Press, Release, Delay, Other };

struct LineTag {
    QLatin1StringView text;
    LineKind kind;
    uchar flag;  // the event's flag byte
};

constexpr int kTagLength = 10;
constexpr LineTag kLineTags[] = {
    {QLatin1StringView("    [Down]"), LineKind::Press, 0x01},
    {QLatin1StringView("      [Up]"), LineKind::Release, 0x81},
    {QLatin1StringView("   [Delay]"), LineKind::Delay, 0x00},
};

const LineTag* tagOf(const QString& line) {
    if (line.size() < kTagLength) {
        return nullptr;
    }
    const QStringView tail = QStringView(line).right(kTagLength);
    for (const LineTag& tag : kLineTags) {
        if (tail == tag.text) {
            return &tag;
        }
    }
    return nullptr;
}

LineKind kindOf(const QString& line) {
    const LineTag* tag = tagOf(line);
    return tag ? tag->kind : LineKind::Other;
}

void appendBigEndian16(QList<uchar>& out, qint64 value) {
    out << static_cast<uchar>(value / 256) << static_cast<uchar>(value % 256);
}

// The keyboard-type device: a delay record in 10 ms units.
void appendKeyboardDelay(QList<uchar>& out, qint64 ms) {
    out << 0x7F << 0x00;
    appendBigEndian16(out, ms / 10);
}

// The mouse-type device: short delays ride in the previous event's flag byte, mid-length ones
// take a 20 ms pair, anything else a long-delay record in 20 ms units.
void appendMouseDelay(QList<uchar>& out, qint64 ms, bool followsEvent) {
    if (followsEvent && ms <= 1270) {
        uchar& flag = out[out.size() - 2];
        flag = static_cast<uchar>((flag & 0x80) | ((std::max<qint64>(ms, 10) + 5) / 10));
    } else if (ms >= 1271 && ms <= 5100) {
        out << static_cast<uchar>((std::max<qint64>(ms, 20) + 10) / 20) << 0x01;
    } else {
        out << 0x00 << 0x01;
        appendBigEndian16(out, (std::max<qint64>(ms, 20) + 10) / 20);
    }
}

}  // namespace

QList<uchar> encodeMacro(const QStringList& lines, uint32_t deviceId,
                         const KeyCodeLookup& keyCode) {
    QList<uchar> out{0x00, 0x01};
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        const LineTag* tag = tagOf(line);
        if (!tag) {
            continue;
        }
        const QString name = line.left(line.size() - kTagLength);
        if (tag->kind != LineKind::Delay) {
            const uchar usage = keyCode(name);
            if (usage != 0) {
                out << tag->flag << usage;
            }
            continue;
        }
        const qint64 ms = name.toInt();
        if (ms == 0) {
            continue;
        }
        if (deviceId == 0) {
            appendKeyboardDelay(out, ms);
        } else if (deviceId == 1) {
            appendMouseDelay(out, ms, i > 0 && kindOf(lines.at(i - 1)) != LineKind::Delay);
        }
    }
    out << 0x00 << 0x00;
    return out;
}

DeviceMacroBuffer deviceMacroBuffer(const QList<uchar>& stream) {
    DeviceMacroBuffer buffer{};
    std::copy_n(stream.cbegin(), std::min<qsizetype>(stream.size(), kDeviceMacroBytes),
                buffer.begin());
    return buffer;
}

}  // namespace z718
