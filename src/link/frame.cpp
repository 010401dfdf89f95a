#include "link/frame.h"

#include <utility>

namespace z718 {

namespace {

// ASCII "HaPvuKol", each byte with its nibbles swapped when used.
constexpr uchar kKeyTable[8] = {'H', 'a', 'P', 'v', 'u', 'K', 'o', 'l'};
constexpr int kSwapPairs[4][2] = {{0, 5}, {1, 4}, {2, 7}, {3, 6}};

uchar nibbleSwapped(uchar b) {
    return static_cast<uchar>((b << 4) | (b >> 4));
}

uint64_t toBigEndian(const uchar b[8]) {
    uint64_t value = 0;
    for (int i = 0; i < 8; ++i) {
        value = (value << 8) | b[i];
    }
    return value;
}

void fromBigEndian(uint64_t value, uchar b[8]) {
    for (int i = 7; i >= 0; --i) {
        b[i] = static_cast<uchar>(value & 0xFF);
        value >>= 8;
    }
}

void swapPairs(uchar b[8]) {
    for (const auto& pair : kSwapPairs) {
        std::swap(b[pair[0]], b[pair[1]]);
    }
}

void xorWithCode(uchar b[8], const uchar code[8]) {
    for (int i = 1; i <= 6; ++i) {
        b[i] ^= code[i];
    }
}

}  // namespace

uchar frameChecksum(const uchar* sevenBytes) {
    uchar sum = 0;
    for (int i = 0; i < 7; ++i) {
        sum = static_cast<uchar>(sum + sevenBytes[i]);
    }
    return static_cast<uchar>(~sum);
}

Frame makeFrame(uchar code, std::initializer_list<uchar> data) {
    Frame frame{};
    frame[1] = code;
    int position = 2;
    for (uchar byte : data) {
        if (position > 7) {
            break;
        }
        frame[position++] = byte;
    }
    frame[8] = frameChecksum(&frame[1]);
    return frame;
}

void scrambleBlock(uchar b[8], const uchar code[8]) {
    swapPairs(b);
    xorWithCode(b, code);
    const uint64_t value = toBigEndian(b);
    fromBigEndian((value << 3) | (value >> 61), b);
    for (int i = 0; i < 8; ++i) {
        b[i] = static_cast<uchar>(b[i] + nibbleSwapped(kKeyTable[i]));
    }
}

void unscrambleBlock(uchar b[8], const uchar code[8]) {
    for (int i = 0; i < 8; ++i) {
        b[i] = static_cast<uchar>(b[i] - nibbleSwapped(kKeyTable[i]));
    }
    const uint64_t value = toBigEndian(b);
    fromBigEndian((value >> 3) | (value << 61), b);
    xorWithCode(b, code);
    swapPairs(b);
}

}  // namespace z718
