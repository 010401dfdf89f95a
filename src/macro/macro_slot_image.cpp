#include "macro/macro_slot_image.h"

namespace z718 {

namespace {

constexpr uint32_t kDelayBit = 0x80000000u;
constexpr uint32_t kReleaseBit = 0x100u;

uint32_t actionWord(int type, uint32_t value, const UsageToVk& usageToVk) {
    switch (type) {
        case 1:  // key press
        case 3:  // mouse-button press
            return static_cast<uint32_t>(usageToVk(static_cast<int>(value)));
        case 2:  // key release
        case 4:  // mouse-button release
            return static_cast<uint32_t>(usageToVk(static_cast<int>(value))) | kReleaseBit;
        default:  // a delay, in 10 ms ticks
            return kDelayBit | (value / 10);
    }
}

}  // namespace

std::optional<MacroSlotImage> macroSlotImage(const QVariantList& tempData,
                                             const UsageToVk& usageToVk) {
    if (tempData.size() % 2 == 0) {
        return std::nullopt;
    }
    MacroSlotImage slot{};
    const int pairs = std::min<int>(static_cast<int>(tempData.size() / 2), kMacroSlotActions);
    for (int k = 0; k < pairs; ++k) {
        slot[2 + k] =
            actionWord(tempData.at(2 * k).toInt(), tempData.at(2 * k + 1).toUInt(), usageToVk);
    }
    slot[2 + pairs] = 0;
    const uint32_t repeat = tempData.constLast().toUInt();
    slot[0] = repeat / 256;
    slot[1] = repeat % 256;
    return slot;
}

}  // namespace z718
