#pragma once

#include <cstdint>
#include <span>

namespace z718 {

struct VkUsageRow {
    uint32_t vk;
    uint8_t usage;
};

// The rows the keyboard hook translates virtual keys with: 138 rows, first match wins, rows
// with virtual key 0 never match.
std::span<const VkUsageRow> vkUsageRows();

// The HID keyboard usage of a virtual key; 0 when no row matches.
uint8_t vkToUsage(uint32_t vk);

}  // namespace z718
