#include "engine/key_tables.h"

#include <array>

namespace z718 {

namespace {

// Runs of consecutive usages mapping to consecutive virtual keys: 120 usages in all.
struct UsageRun {
    int firstUsage;
    int lastUsage;
    int firstVk;
};

constexpr UsageRun kUsageRuns[] = {
    {4, 29, 0x41},     // a..z
    {30, 38, 0x31},    // 1..9
    {39, 39, 0x30},    // 0
    {40, 40, 0x0D},    // Enter
    {41, 41, 0x1B},    // Escape
    {42, 42, 0x08},    // Backspace
    {43, 43, 0x09},    // Tab
    {44, 44, 0x20},    // Space
    {45, 45, 0xBD},    // -
    {46, 46, 0xBB},    // =
    {47, 47, 0xDB},    // [
    {48, 48, 0xDD},    // ]
    {49, 49, 0xDC},    // backslash
    {50, 50, 0xDC},    // non-US #, the same key
    {51, 51, 0xBA},    // ;
    {52, 52, 0xDE},    // '
    {53, 53, 0xC0},    // `
    {54, 54, 0xBC},    // ,
    {55, 55, 0xBE},    // .
    {56, 56, 0xBF},    // /
    {57, 57, 0x14},    // Caps Lock
    {58, 69, 0x70},    // F1..F12
    {70, 70, 0x2C},    // Print Screen
    {71, 71, 0x91},    // Scroll Lock
    {72, 72, 0x13},    // Pause
    {73, 73, 0x2D},    // Insert
    {74, 74, 0x24},    // Home
    {75, 75, 0x21},    // Page Up
    {76, 76, 0x2E},    // Delete
    {77, 77, 0x23},    // End
    {78, 78, 0x22},    // Page Down
    {79, 79, 0x27},    // Right
    {80, 80, 0x25},    // Left
    {81, 81, 0x28},    // Down
    {82, 82, 0x26},    // Up
    {83, 83, 0x90},    // Num Lock
    {84, 84, 0x6F},    // keypad /
    {85, 85, 0x6A},    // keypad *
    {86, 86, 0x6D},    // keypad -
    {87, 87, 0x6B},    // keypad +
    {88, 88, 0x6C},    // keypad Enter
    {89, 97, 0x61},    // keypad 1..9
    {98, 98, 0x60},    // keypad 0
    {99, 99, 0x6E},    // keypad .
    {101, 101, 0x5D},  // Application
    {104, 115, 0x7C},  // F13..F24
    {224, 224, 0xA2},  // left Ctrl
    {225, 225, 0xA0},  // left Shift
    {226, 226, 0x12},  // left Alt
    {227, 227, 0x5B},  // left Windows
    {228, 228, 0xA3},  // right Ctrl
    {229, 229, 0xA1},  // right Shift
    {230, 230, 0x12},  // right Alt
    {231, 231, 0x5C},  // right Windows
    {240, 242, 0xE8},  // mouse left, right, middle
};

constexpr std::array<uint8_t, 256> buildUsageMap() {
    std::array<uint8_t, 256> map{};
    for (const UsageRun& run : kUsageRuns) {
        for (int usage = run.firstUsage; usage <= run.lastUsage; ++usage) {
            map[usage] = static_cast<uint8_t>(run.firstVk + usage - run.firstUsage);
        }
    }
    return map;
}

constexpr std::array<uint8_t, 256> kUsageMap = buildUsageMap();

struct MediaKey {
    uint8_t consumerUsage;
    uint8_t count;
    uint8_t vks[2];
};

constexpr MediaKey kMediaKeys[] = {
    {0xB5, 1, {0xB0}},        // next track
    {0xB6, 1, {0xB1}},        // previous track
    {0xB7, 1, {0xB2}},        // stop
    {0xCD, 1, {0xB3}},        // play/pause
    {0xE2, 1, {0xAD}},        // mute
    {0xE9, 1, {0xAF}},        // volume up
    {0xEA, 1, {0xAE}},        // volume down
    {0x83, 1, {0xB5}},        // media select
    {0x21, 1, {0xAA}},        // browser search
    {0x23, 1, {0xAC}},        // browser home
    {0x94, 2, {0x5B, 0x45}},  // Windows key + E (file explorer)
};

}  // namespace

uint8_t usageToVk(int usage) {
    return usage >= 0 && usage < static_cast<int>(kUsageMap.size()) ? kUsageMap[usage] : 0;
}

std::span<const uint8_t> mediaKeyVks(uint8_t consumerUsage) {
    for (const MediaKey& key : kMediaKeys) {
        if (key.consumerUsage == consumerUsage) {
            return {key.vks, key.count};
        }
    }
    return {};
}

}  // namespace z718
