#include "settings/ini_nesting.h"

#include <QByteArray>
#include <array>
#include <cstdint>
#include <utility>

namespace z718 {
namespace {

// Nested lists written from the scene stay a few levels deep; a stack holds thousands.
constexpr int kMaxContainers = 256;

// Stream type ids of the variants that hold variants: map, list, hash, and a type given by
// name, which can name any of them.
constexpr std::array<char, 4> kContainerTypes = {8, 9, 28, 127};

// The reader's named escapes.
// clang-format off
constexpr std::array<std::pair<char, char>, 11> kEscapes = {{
    {'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'}, {'r', '\r'}, {'t', '\t'},
    {'v', '\v'}, {'"', '"'}, {'?', '?'}, {'\'', '\''}, {'\\', '\\'},
}};
// clang-format on

int digitValue(char c, int base) {
    const int value = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                             : base;
    return value < base ? value : -1;
}

// A numeric escape's character as the reader turns it into a byte: 16 bits kept, anything
// beyond Latin-1 becomes '?'.
char escapedByte(uint32_t value) {
    value &= 0xFFFF;
    return value <= 0xFF ? static_cast<char>(value) : '?';
}

// Appends what the escape at text[i] (just after its backslash) stands for; returns the
// index after it. Line continuations and unknown escapes stand for nothing.
qsizetype appendEscape(QByteArrayView text, qsizetype i, QByteArray& bytes) {
    const char e = text[i++];
    if (e == '\n' || e == '\r') {  // \r\n and \n\r end a continued line as one
        const char other = e == '\n' ? '\r' : '\n';
        return i < text.size() && text[i] == other ? i + 1 : i;
    }
    for (const auto& [name, byte] : kEscapes) {
        if (e == name) {
            bytes += byte;
            return i;
        }
    }
    const int base = e == 'x' ? 16 : (e >= '0' && e <= '7') ? 8 : 0;
    if (base == 0 || (base == 16 && (i >= text.size() || digitValue(text[i], 16) < 0))) {
        return i;
    }
    uint32_t value = base == 8 ? static_cast<uint32_t>(e - '0') : 0;
    while (i < text.size() && digitValue(text[i], base) >= 0) {
        value = value * static_cast<uint32_t>(base) +
                static_cast<uint32_t>(digitValue(text[i++], base));
    }
    bytes += escapedByte(value);
    return i;
}

// The bytes the reader hands to the variant stream, for the whole text at once: escapes
// resolved, quotes dropped, non-ASCII as '?'. Everything else is kept, so each value's bytes
// appear here unbroken (with more around them, which can only count more containers).
QByteArray unescaped(QByteArrayView text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        const char c = text[i++];
        if (c == '\\') {
            if (i < text.size()) {
                i = appendEscape(text, i, bytes);
            }
        } else if (c != '"') {
            bytes += static_cast<unsigned char>(c) < 0x80 ? c : '?';
        }
    }
    return bytes;
}

// Every place a container's type id could start counts, so this never counts too few.
int containerCount(const QByteArray& bytes) {
    int count = 0;
    for (qsizetype i = 0; i + 3 < bytes.size(); ++i) {
        if (bytes[i] == 0 && bytes[i + 1] == 0 && bytes[i + 2] == 0) {
            for (const char type : kContainerTypes) {
                count += bytes[i + 3] == type ? 1 : 0;
            }
        }
    }
    return count;
}

}  // namespace

bool nestsTooDeep(QByteArrayView iniText) {
    const QByteArray bytes = unescaped(iniText);
    return bytes.contains("@Variant(") && containerCount(bytes) > kMaxContainers;
}

}  // namespace z718
