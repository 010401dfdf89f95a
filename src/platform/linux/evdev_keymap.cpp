#include "platform/linux/evdev_keymap.h"

#include <algorithm>

#ifdef __linux__
#include <linux/input-event-codes.h>
static_assert(z718::platform::evdev::kBtnExtra == BTN_EXTRA &&
              z718::platform::evdev::kKeyOk == KEY_OK &&
              z718::platform::evdev::kKeyCount == KEY_CNT &&
              z718::platform::evdev::kSynDropped == SYN_DROPPED &&
              z718::platform::evdev::kMscScan == MSC_SCAN &&
              z718::platform::evdev::kRelWheel == REL_WHEEL &&
              z718::platform::evdev::kKeyLeftMeta == KEY_LEFTMETA);
#endif

namespace z718::platform::evdev {

namespace {

struct KeyVk {
    uint16_t key;
    uint8_t vk;
};

// clang-format off
// Key codes (the key's position on a PC keyboard) to the US-layout virtual keys. Where two
// keys give one virtual key, the first row is the one injected for it.
constexpr KeyVk kKeys[] = {
    {1, 0x1B},   {2, 0x31},   {3, 0x32},   {4, 0x33},   {5, 0x34},   {6, 0x35},   {7, 0x36},
    {8, 0x37},   {9, 0x38},   {10, 0x39},  {11, 0x30},  {12, 0xBD},  {13, 0xBB},  {14, 0x08},
    {15, 0x09},  {16, 0x51},  {17, 0x57},  {18, 0x45},  {19, 0x52},  {20, 0x54},  {21, 0x59},
    {22, 0x55},  {23, 0x49},  {24, 0x4F},  {25, 0x50},  {26, 0xDB},  {27, 0xDD},  {28, 0x0D},
    {29, 0xA2},  {30, 0x41},  {31, 0x53},  {32, 0x44},  {33, 0x46},  {34, 0x47},  {35, 0x48},
    {36, 0x4A},  {37, 0x4B},  {38, 0x4C},  {39, 0xBA},  {40, 0xDE},  {41, 0xC0},  {42, 0xA0},
    {43, 0xDC},  {44, 0x5A},  {45, 0x58},  {46, 0x43},  {47, 0x56},  {48, 0x42},  {49, 0x4E},
    {50, 0x4D},  {51, 0xBC},  {52, 0xBE},  {53, 0xBF},  {54, 0xA1},  {55, 0x6A},  {56, 0xA4},
    {57, 0x20},  {58, 0x14},  {59, 0x70},  {60, 0x71},  {61, 0x72},  {62, 0x73},  {63, 0x74},
    {64, 0x75},  {65, 0x76},  {66, 0x77},  {67, 0x78},  {68, 0x79},  {69, 0x90},  {70, 0x91},
    {71, 0x67},  {72, 0x68},  {73, 0x69},  {74, 0x6D},  {75, 0x64},  {76, 0x65},  {77, 0x66},
    {78, 0x6B},  {79, 0x61},  {80, 0x62},  {81, 0x63},  {82, 0x60},  {83, 0x6E},  {86, 0xE2},
    {87, 0x7A},  {88, 0x7B},  {92, 0x1C},  {93, 0x1E},  {94, 0x1D},  {96, 0x0D},  {97, 0xA3},
    {98, 0x6F},  {99, 0x2C},  {100, 0xA5}, {102, 0x24}, {103, 0x26}, {104, 0x21}, {105, 0x25},
    {106, 0x27}, {107, 0x23}, {108, 0x28}, {109, 0x22}, {110, 0x2D}, {111, 0x2E}, {113, 0xAD},
    {114, 0xAE}, {115, 0xAF}, {119, 0x13}, {125, 0x5B}, {126, 0x5C}, {127, 0x5D}, {163, 0xB0},
    {164, 0xB3}, {165, 0xB1}, {166, 0xB2}, {171, 0xB5}, {172, 0xAC}, {183, 0x7C}, {184, 0x7D},
    {185, 0x7E}, {186, 0x7F}, {187, 0x80}, {188, 0x81}, {189, 0x82}, {190, 0x83}, {191, 0x84},
    {192, 0x85}, {193, 0x86}, {194, 0x87}, {217, 0xAA},
};

// Virtual keys no key reports but the engine injects: the modifiers without a side, and
// VK_SEPARATOR, which the engine uses for the keypad's Enter.
constexpr KeyVk kInjectedOnly[] = {{42, 0x10}, {29, 0x11}, {56, 0x12}, {96, 0x6C}};
// clang-format on

struct ButtonRow {
    uint16_t code;
    uint32_t down;
    uint32_t up;
    uint32_t mouseData;
};

// The side buttons are back (XBUTTON1) and forward (XBUTTON2), as X and Windows number them.
constexpr ButtonRow kButtons[] = {
    {kBtnLeft, win::kWmLButtonDown, win::kWmLButtonUp, 0},
    {kBtnRight, win::kWmRButtonDown, win::kWmRButtonUp, 0},
    {kBtnMiddle, win::kWmMButtonDown, win::kWmMButtonUp, 0},
    {kBtnSide, win::kWmXButtonDown, win::kWmXButtonUp, win::kXButton1Data},
    {kBtnExtra, win::kWmXButtonDown, win::kWmXButtonUp, win::kXButton2Data},
};

struct FlagButton {
    uint32_t flag;
    uint16_t code;
    int32_t value;
};

constexpr FlagButton kMouseFlags[] = {
    {win::kMouseEventLeftDown, kBtnLeft, 1},     {win::kMouseEventLeftUp, kBtnLeft, 0},
    {win::kMouseEventRightDown, kBtnRight, 1},   {win::kMouseEventRightUp, kBtnRight, 0},
    {win::kMouseEventMiddleDown, kBtnMiddle, 1}, {win::kMouseEventMiddleUp, kBtnMiddle, 0},
};

constexpr uint16_t kKeyRightMeta = 126;
// Below this the key code is the PC keyboard's scan code itself.
constexpr uint16_t kFirstExtendedKey = 89;

std::vector<uint16_t> collectInjectableKeys() {
    std::vector<uint16_t> keys;
    for (int vk = 1; vk < 256; ++vk) {
        if (const uint16_t key = keyOfVk(static_cast<uint8_t>(vk)); key != 0) {
            keys.push_back(key);
        }
    }
    for (const ButtonRow& row : kButtons) {
        keys.push_back(row.code);
    }
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    return keys;
}

}  // namespace

uint32_t milliseconds(int64_t seconds, int64_t microseconds) {
    return static_cast<uint32_t>(static_cast<uint64_t>(seconds) * 1000u +
                                 static_cast<uint64_t>(microseconds / 1000));
}

std::optional<MouseHookEvent> buttonHookEvent(uint16_t code, int32_t value, uint32_t timeMs) {
    for (const ButtonRow& row : kButtons) {
        if (row.code == code && (value == 0 || value == 1)) {
            MouseHookEvent event;
            event.message = value != 0 ? row.down : row.up;
            event.mouseData = row.mouseData;
            event.time = timeMs;
            return event;
        }
    }
    return std::nullopt;
}

bool isKeyboardKey(uint16_t code) {
    return code < kBtnMisc || (code >= kKeyOk && code < kKeyCount);
}

KeyboardHookEvent keyHookEvent(uint16_t code, int32_t value, uint32_t timeMs) {
    const bool up = value == 0;
    return {up ? win::kWmKeyUp : win::kWmKeyDown, vkOfKey(code), scanCodeOfKey(code),
            up ? win::kLlkhfUp : 0u, timeMs};
}

uint32_t vkOfKey(uint16_t code) {
    for (const KeyVk& row : kKeys) {
        if (row.key == code) {
            return row.vk;
        }
    }
    return 0;
}

uint32_t scanCodeOfKey(uint16_t code) {
    if (code == kKeyLeftMeta) {
        return 0x5B;
    }
    if (code == kKeyRightMeta) {
        return 0x5C;
    }
    return code < kFirstExtendedKey ? code : 0;
}

uint16_t keyOfVk(uint8_t vk) {
    for (const auto& table :
         {std::span<const KeyVk>(kInjectedOnly), std::span<const KeyVk>(kKeys)}) {
        for (const KeyVk& row : table) {
            if (vk != 0 && row.vk == vk) {
                return row.key;
            }
        }
    }
    return 0;
}

std::vector<InputEvent> buttonEvents(uint32_t mouseEventFlags) {
    std::vector<InputEvent> events;
    for (const FlagButton& row : kMouseFlags) {
        if (mouseEventFlags & row.flag) {
            events.push_back({kEvKey, row.code, row.value});
        }
    }
    return events;
}

std::span<const uint16_t> injectableKeys() {
    static const std::vector<uint16_t> keys = collectInjectableKeys();
    return keys;
}

}  // namespace z718::platform::evdev
