#pragma once

#include <cstdint>
#include <span>

namespace z718 {

// USB HID keyboard usage (and the mouse codes 240..242) to Windows virtual-key code; 0 for a
// usage without a row. The mouse codes give 0xE8..0xEA, which the engine plays as buttons.
uint8_t usageToVk(int usage);

// The virtual keys a media-key entry sends, by the low byte of its HID consumer usage; empty
// for a usage the table does not know.
std::span<const uint8_t> mediaKeyVks(uint8_t consumerUsage);

}  // namespace z718
