#include "settings/ini_nesting.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringList>
#include <array>
#include <utility>

namespace z718 {
namespace {

// Values written from the scene nest a few levels deep; the reader's stack holds thousands.
constexpr int kMaxDepth = 256;

// ---- The INI text as the settings reader cuts it into values --------------------------------

bool isLineSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The value of each "key=value" line, in the reader's sense of a line: quotes hold line ends
// and semicolons, a backslash holds the next character (or a \r\n pair), a semicolon at a
// line's start comments out the rest of that text line.
template <typename Visit>
void forEachValue(QByteArrayView text, Visit visit) {
    if (text.startsWith("\xef\xbb\xbf")) {
        text = text.sliced(3);
    }
    qsizetype i = 0;
    while (i < text.size()) {
        while (i < text.size() && isLineSpace(text[i])) {
            ++i;
        }
        qsizetype start = i;
        qsizetype equals = -1;
        bool quoted = false;
        for (; i < text.size(); ++i) {
            const char c = text[i];
            if (c == '=' && !quoted && equals < 0) {
                equals = i;
            } else if (c == '\n' || c == '\r') {
                if (i == start) {
                    ++start;
                } else if (!quoted) {
                    break;
                }
            } else if (c == '\\' && i + 1 < text.size()) {
                const char next = text[++i];
                if (i + 1 < text.size() && (next == '\n' || next == '\r') &&
                    (text[i + 1] == '\n' || text[i + 1] == '\r') && text[i + 1] != next) {
                    ++i;
                }
            } else if (c == '"') {
                quoted = !quoted;
            } else if (c == ';' && i == start) {
                while (i < text.size() && text[i] != '\n' && text[i] != '\r') {
                    ++i;
                }
                while (i < text.size() && isLineSpace(text[i])) {
                    ++i;
                }
                start = i--;
            } else if (c == ';' && !quoted) {
                break;
            }
        }
        if (equals >= 0 && text[start] != '[') {
            visit(text.sliced(equals + 1, i - equals - 1));
        }
    }
}

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

// Unescapes one value as the reader does: escapes resolved to 16-bit characters, quotes
// dropped, blanks after a quote or comma skipped, unquoted trailing blanks cut, unquoted commas
// splitting it into list elements.
class ValueUnescaper {
public:
    explicit ValueUnescaper(QByteArrayView value) : in_(value) {}

    QStringList elements() {
        skipBlanks();
        while (i_ < in_.size()) {
            const char c = in_[i_];
            if (c == '\\') {
                escape();
            } else if (c == '"') {
                ++i_;
                quotedElement_ = true;
                quoted_ = !quoted_;
                if (!quoted_) {
                    skipBlanks();
                    keep_ = current_.size();
                }
            } else if (c == ',' && !quoted_) {
                endElement();
                ++i_;
                skipBlanks();
                keep_ = 0;
            } else {
                plainRun();
            }
        }
        if (!stoppedEarly_ && !quotedElement_) {
            chopBlanks();
        }
        elements_ << current_;
        return elements_;
    }

private:
    void skipBlanks() {
        while (i_ < in_.size() && (in_[i_] == ' ' || in_[i_] == '\t')) {
            ++i_;
        }
    }
    void chopBlanks() {
        while (current_.size() > keep_ && (current_.back() == u' ' || current_.back() == u'\t')) {
            current_.chop(1);
        }
    }
    void endElement() {
        if (!quotedElement_) {
            chopBlanks();
        }
        elements_ << current_;
        current_.clear();
        quotedElement_ = false;
    }
    void plainRun() {
        qsizetype end = i_ + 1;
        while (end < in_.size() && in_[end] != '\\' && in_[end] != '"' && in_[end] != ',') {
            ++end;
        }
        current_ += utf8_(in_.sliced(i_, end - i_));
        i_ = end;
    }
    void escape() {
        if (++i_ >= in_.size()) {
            stoppedEarly_ = true;
            return;
        }
        const char e = in_[i_++];
        for (const auto& [name, character] : kEscapes) {
            if (e == name) {
                current_ += QLatin1Char(character);
                keep_ = current_.size();
                return;
            }
        }
        const int base = e == 'x' ? 16 : digitValue(e, 8) >= 0 ? 8 : 0;
        if (base == 16 && i_ >= in_.size()) {
            stoppedEarly_ = true;
            return;
        }
        if (base == 0 || (base == 16 && digitValue(in_[i_], 16) < 0)) {
            // An unknown escape or a line continuation stands for nothing.
            if ((e == '\n' || e == '\r') && i_ < in_.size() &&
                (in_[i_] == '\n' || in_[i_] == '\r') && in_[i_] != e) {
                ++i_;
            }
            keep_ = current_.size();
            return;
        }
        char16_t value = base == 8 ? static_cast<char16_t>(e - '0') : 0;
        while (i_ < in_.size() && digitValue(in_[i_], base) >= 0) {
            value = static_cast<char16_t>(value * base + digitValue(in_[i_++], base));
        }
        current_ += QChar(value);
        keep_ = current_.size();
        stoppedEarly_ = i_ >= in_.size();
    }

    QByteArrayView in_;
    qsizetype i_ = 0;
    QStringDecoder utf8_{QStringDecoder::Utf8};
    QString current_;
    QStringList elements_;
    qsizetype keep_ = 0;  // trailing blanks are cut back to here, never further
    bool quoted_ = false;
    bool quotedElement_ = false;
    bool stoppedEarly_ = false;  // the text ended inside an escape: nothing is cut
};

// ---- The variant stream inside "@Variant(...)" and "@DateTime(...)" ------------------------

// Walks a variant stream as the reader would load it and tells whether it nests deeper than
// kMaxDepth. A type whose layout is not known here may hold anything, so from there on every
// remaining four bytes (a type id) count as one more level.
class VariantWalk {
public:
    VariantWalk(QByteArrayView bytes, bool newerStream) : in_(bytes), newer_(newerStream) {}

    bool tooDeep() { return !variant(1); }

private:
    bool unknownRest(int depth) const { return depth + (in_.size() - pos_) / 4 <= kMaxDepth; }
    bool read32(quint32& value) {
        if (in_.size() - pos_ < 4) {
            pos_ = in_.size();
            return false;
        }
        value = 0;
        for (int k = 0; k < 4; ++k) {
            value = value << 8 | static_cast<uchar>(in_[pos_++]);
        }
        return true;
    }
    bool skip(qsizetype n) {
        pos_ = n < in_.size() - pos_ ? pos_ + n : in_.size();
        return true;
    }
    // Skips a length-prefixed block; false for a string of odd length, after which the reader
    // goes on from a place this walk cannot follow.
    bool block(bool utf16) {
        quint32 length = 0;
        if (read32(length) && length != 0xFFFFFFFF) {
            if (utf16 && (length & 1) != 0) {
                return false;
            }
            skip(length);
        }
        return true;
    }

    bool variant(int depth) {
        if (depth > kMaxDepth) {
            return false;
        }
        quint32 type = 0;
        if (!read32(type)) {
            return true;  // the stream ends: nothing deeper is read
        }
        if (newer_) {
            skip(1);  // the null flag
        } else if (type >= 128) {
            type -= 97;  // the old stream's numbering of the later core types
        }
        switch (type) {
            case 0:  // invalid; the old stream follows it with an empty string
                return newer_ || block(true) || unknownRest(depth);
            case 1:  // bool
                return skip(1);
            case 7:  // character
                return skip(2);
            case 2:  // 32-bit integers
            case 3:
                return skip(4);
            case 4:  // 64-bit integers and double
            case 5:
            case 6:
                return skip(8);
            case 10:  // string, byte array
            case 12:
                return block(type == 10) || unknownRest(depth);
            case 11:  // string list
                return sequence(depth, [this](int d) { return block(true) || unknownRest(d); });
            case 9:  // list
                return sequence(depth, [this](int d) { return variant(d + 1); });
            case 8:  // map and hash: string keys
            case 28:
                return sequence(
                    depth, [this](int d) { return block(true) ? variant(d + 1) : unknownRest(d); });
            case 41:  // a variant held in a variant
                return variant(depth + 1);
            case 58:  // a pair of variants
                return variant(depth + 1) && variant(depth + 1);
            default:
                return unknownRest(depth);
        }
    }

    // A count, then that many items; each item tells whether it stays within the limit.
    template <typename Item>
    bool sequence(int depth, Item item) {
        quint32 count = 0;
        read32(count);
        for (quint32 k = 0; k < count && pos_ < in_.size(); ++k) {
            if (!item(depth)) {
                return false;
            }
        }
        return true;
    }

    QByteArrayView in_;
    qsizetype pos_ = 0;
    bool newer_;
};

bool elementTooDeep(const QString& element) {
    if (!element.endsWith(u')')) {
        return false;
    }
    for (const auto& [prefix, newer] : {std::pair{QLatin1String("@Variant("), false},
                                        std::pair{QLatin1String("@DateTime("), true}}) {
        if (element.startsWith(prefix)) {
            const QByteArray bytes = QStringView(element).sliced(prefix.size()).toLatin1();
            return VariantWalk(bytes, newer).tooDeep();
        }
    }
    return false;
}

}  // namespace

bool nestsTooDeep(QByteArrayView iniText) {
    bool tooDeep = false;
    forEachValue(iniText, [&](QByteArrayView value) {
        if (tooDeep) {
            return;
        }
        for (const QString& element : ValueUnescaper(value).elements()) {
            tooDeep = tooDeep || elementTooDeep(element);
        }
    });
    return tooDeep;
}

}  // namespace z718
