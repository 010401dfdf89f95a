#include "hooks/vk_usage_table.h"

#include <iterator>

namespace z718 {

namespace {

struct VkUsageRow {
    uint32_t vk;
    uint8_t usage;
};

// In HID usage order. Keys Windows gives no virtual key of their own (or that the program does
// not report) keep a row with virtual key 0.
constexpr VkUsageRow kRows[] = {
    // letters a..z
    {0x41, 4},
    {0x42, 5},
    {0x43, 6},
    {0x44, 7},
    {0x45, 8},
    {0x46, 9},
    {0x47, 10},
    {0x48, 11},
    {0x49, 12},
    {0x4A, 13},
    {0x4B, 14},
    {0x4C, 15},
    {0x4D, 16},
    {0x4E, 17},
    {0x4F, 18},
    {0x50, 19},
    {0x51, 20},
    {0x52, 21},
    {0x53, 22},
    {0x54, 23},
    {0x55, 24},
    {0x56, 25},
    {0x57, 26},
    {0x58, 27},
    {0x59, 28},
    {0x5A, 29},
    // digits 1..9, 0
    {0x31, 30},
    {0x32, 31},
    {0x33, 32},
    {0x34, 33},
    {0x35, 34},
    {0x36, 35},
    {0x37, 36},
    {0x38, 37},
    {0x39, 38},
    {0x30, 39},
    // Enter, Escape, Backspace, Tab, Space
    {0x0D, 40},
    {0x1B, 41},
    {0x08, 42},
    {0x09, 43},
    {0x20, 44},
    // punctuation; the non-US # key (50) has no virtual key of its own
    {0xBD, 45},
    {0xBB, 46},
    {0xDB, 47},
    {0xDD, 48},
    {0xDC, 49},
    {0x00, 50},
    {0xBA, 51},
    {0xDE, 52},
    {0xC0, 53},
    {0xBC, 54},
    {0xBE, 55},
    {0xBF, 56},
    // Caps Lock, F1..F12
    {0x14, 57},
    {0x70, 58},
    {0x71, 59},
    {0x72, 60},
    {0x73, 61},
    {0x74, 62},
    {0x75, 63},
    {0x76, 64},
    {0x77, 65},
    {0x78, 66},
    {0x79, 67},
    {0x7A, 68},
    {0x7B, 69},
    // Print Screen, Scroll Lock, Pause, Insert, Home, Page Up, Delete, End, Page Down
    {0x2C, 70},
    {0x91, 71},
    {0x13, 72},
    {0x2D, 73},
    {0x24, 74},
    {0x21, 75},
    {0x2E, 76},
    {0x23, 77},
    {0x22, 78},
    // arrows: right, left, down, up, and up once more
    {0x27, 79},
    {0x25, 80},
    {0x28, 81},
    {0x26, 82},
    {0x26, 82},
    // Num Lock, keypad / * - +; keypad Enter shares VK_RETURN
    {0x90, 83},
    {0x6F, 84},
    {0x6A, 85},
    {0x6D, 86},
    {0x6B, 87},
    {0x00, 88},
    // keypad 1..9, 0, .
    {0x61, 89},
    {0x62, 90},
    {0x63, 91},
    {0x64, 92},
    {0x65, 93},
    {0x66, 94},
    {0x67, 95},
    {0x68, 96},
    {0x69, 97},
    {0x60, 98},
    {0x6E, 99},
    // non-US \, Application, Power, keypad =
    {0x00, 100},
    {0x5D, 101},
    {0x00, 102},
    {0x00, 103},
    // F13..F24 and the editing keys Execute..Mute are not reported
    {0x00, 104},
    {0x00, 105},
    {0x00, 106},
    {0x00, 107},
    {0x00, 108},
    {0x00, 109},
    {0x00, 110},
    {0x00, 111},
    {0x00, 112},
    {0x00, 113},
    {0x00, 114},
    {0x00, 115},
    {0x00, 116},
    {0x00, 117},
    {0x00, 118},
    {0x00, 119},
    {0x00, 120},
    {0x00, 121},
    {0x00, 122},
    {0x00, 123},
    {0x00, 124},
    {0x00, 125},
    {0x00, 126},
    {0x00, 127},
    // Asian conversion keys: Kana/Hiragana, Convert, Non-convert, Hangul, Hanja
    {0x1E, 136},
    {0x1C, 138},
    {0x1D, 139},
    {0x3D, 144},
    {0x19, 145},
    // left Ctrl, Shift, Alt, Windows; right Ctrl, Shift, Alt, Windows
    {0xA2, 224},
    {0xA0, 225},
    {0xA4, 226},
    {0x5B, 227},
    {0xA3, 228},
    {0xA1, 229},
    {0xA5, 230},
    {0x5C, 231},
};

static_assert(std::size(kRows) == 138);

}  // namespace

uint8_t vkToUsage(uint32_t vk) {
    for (const VkUsageRow& row : kRows) {
        if (row.vk != 0 && row.vk == vk) {
            return row.usage;
        }
    }
    return 0;
}

}  // namespace z718
