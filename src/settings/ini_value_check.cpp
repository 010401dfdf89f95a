#include "settings/ini_value_check.h"

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

// Variant type ids these files may hold; both streams number them alike.
enum VariantType : quint32 {
    kInvalid = 0,
    kBool = 1,
    kInt = 2,
    kUInt = 3,
    kLongLong = 4,
    kULongLong = 5,
    kDouble = 6,
    kMap = 8,
    kList = 9,
    kString = 10,
    kStringList = 11,
    kByteArray = 12,
    kHash = 28,
};

constexpr quint32 kNullLength = 0xFFFFFFFF;

// Follows a variant stream as the reader would load it and tells whether it holds only the
// types above, nested no deeper than kMaxDepth, with every count and length within the bytes
// that follow. Anything else, a stream that ends early included, fails.
class VariantCheck {
public:
    VariantCheck(QByteArrayView bytes, bool newerStream) : in_(bytes), newer_(newerStream) {}

    bool safe() { return variant(1); }

private:
    qsizetype left() const { return in_.size() - pos_; }
    bool read32(quint32& value) {
        if (left() < 4) {
            return false;
        }
        value = 0;
        for (int k = 0; k < 4; ++k) {
            value = value << 8 | static_cast<uchar>(in_[pos_++]);
        }
        return true;
    }
    bool skip(qsizetype n) {
        if (left() < n) {
            return false;
        }
        pos_ += n;
        return true;
    }
    // A length-prefixed string (UTF-16, so of even length) or byte array.
    bool block(bool utf16) {
        quint32 length = 0;
        if (!read32(length)) {
            return false;
        }
        return length == kNullLength || ((!utf16 || length % 2 == 0) && skip(length));
    }
    // A count, then that many items. Every item takes at least four bytes, so a count larger
    // than a quarter of what is left cannot be true.
    template <typename Item>
    bool sequence(Item item) {
        quint32 count = 0;
        if (!read32(count) || count > left() / 4) {
            return false;
        }
        for (quint32 k = 0; k < count; ++k) {
            if (!item()) {
                return false;
            }
        }
        return true;
    }

    bool variant(int depth) {
        quint32 type = 0;
        if (depth > kMaxDepth || !read32(type) || (newer_ && !skip(1))) {  // newer: null flag
            return false;
        }
        switch (type) {
            case kInvalid:  // the old stream follows it with an empty string
                return newer_ || block(true);
            case kBool:
                return skip(1);
            case kInt:
            case kUInt:
                return skip(4);
            case kLongLong:
            case kULongLong:
            case kDouble:
                return skip(8);
            case kString:
            case kByteArray:
                return block(type == kString);
            case kStringList:
                return sequence([this] { return block(true); });
            case kList:
                return sequence([&] { return variant(depth + 1); });
            case kMap:
            case kHash:
                return sequence([&] { return block(true) && variant(depth + 1); });
            default:
                return false;
        }
    }

    QByteArrayView in_;
    qsizetype pos_ = 0;
    bool newer_;
};

bool elementUnsafe(const QString& element) {
    if (!element.endsWith(u')')) {
        return false;
    }
    for (const auto& [prefix, newer] : {std::pair{QLatin1String("@Variant("), false},
                                        std::pair{QLatin1String("@DateTime("), true}}) {
        if (element.startsWith(prefix)) {
            // The reader takes the characters' low bytes, the closing parenthesis included.
            const QByteArray bytes = QStringView(element).sliced(prefix.size()).toLatin1();
            return !VariantCheck(bytes, newer).safe();
        }
    }
    return false;
}

}  // namespace

bool holdsUnsafeValue(QByteArrayView iniText) {
    bool unsafe = false;
    forEachValue(iniText, [&](QByteArrayView value) {
        if (unsafe) {
            return;
        }
        for (const QString& element : ValueUnescaper(value).elements()) {
            unsafe = unsafe || elementUnsafe(element);
        }
    });
    return unsafe;
}

}  // namespace z718
