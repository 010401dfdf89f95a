#pragma once

// The scene's numbers and lists as command bytes, and command bytes back as scene numbers.

#include <QString>
#include <QVariantList>
#include <algorithm>
#include <array>

#include "link/frame.h"

namespace z718 {

// The first N elements by integer conversion, truncated to bytes; positions the list does not
// reach get `pad`.
template <size_t N>
std::array<uchar, N> intBlock(const QVariantList& list, uchar pad = 0) {
    std::array<uchar, N> block;
    block.fill(pad);
    const size_t count = std::min(N, static_cast<size_t>(list.size()));
    for (size_t i = 0; i < count; ++i) {
        block[i] = static_cast<uchar>(list[static_cast<qsizetype>(i)].toInt());
    }
    return block;
}

// Bytes as unsigned integers.
template <typename Range>
QVariantList intList(const Range& bytes) {
    QVariantList list;
    for (uchar byte : bytes) {
        list.append(int(byte));
    }
    return list;
}

// A key of a numbered family: "color/" and 3 give "color/3".
inline QString numberedKey(const char* prefix, int number) {
    return QLatin1String(prefix) + QString::number(number);
}

}  // namespace z718
