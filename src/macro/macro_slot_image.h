#pragma once

#include <QVariantList>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

namespace z718 {

// One playback slot: repeat count (high, low), action words, a zero word at the end.
constexpr int kMacroSlotWords = 256;
constexpr int kMacroSlotActions = 253;  // words 2 to 254; word 255 is kept for the end marker
using MacroSlotImage = std::array<uint32_t, kMacroSlotWords>;

// HID usage (or mouse code 0xF0..0xF2) -> Windows virtual-key code; 0 when unmapped.
using UsageToVk = std::function<int(int)>;

// The slot contents for a list of (type, value) pairs followed by the repeat count. Nothing
// for a list of even length. Pairs beyond what a slot holds are left out.
std::optional<MacroSlotImage> macroSlotImage(const QVariantList& tempData,
                                             const UsageToVk& usageToVk);

}  // namespace z718
