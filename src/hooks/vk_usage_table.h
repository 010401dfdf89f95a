#pragma once

#include <cstdint>

namespace z718 {

// The HID keyboard usage of a virtual key, from a table of 138 rows: first match wins, rows
// with virtual key 0 never match; 0 when no row matches.
uint8_t vkToUsage(uint32_t vk);

}  // namespace z718
