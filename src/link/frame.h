#pragma once

#include <array>
#include <cstdint>

namespace z718 {

using uchar = unsigned char;

constexpr int kFrameSize = 9;
constexpr int kMaxPayload = 512;
using Frame = std::array<uchar, kFrameSize>;

// Bitwise NOT of the 8-bit sum of seven bytes; over frame bytes 1..7 it gives byte 8.
uchar frameChecksum(const uchar* sevenBytes);

// A frame: report id 0, the code, up to six data bytes, the checksum.
Frame makeFrame(uchar code, std::initializer_list<uchar> data = {});

// Reversible scrambling of eight frame bytes with an eight-byte code.
void scrambleBlock(uchar block[8], const uchar code[8]);
void unscrambleBlock(uchar block[8], const uchar code[8]);

}  // namespace z718
