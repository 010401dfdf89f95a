#pragma once

// Real input for the scene tests on Windows. Under Wine, events enter through the entry Wine's
// own X11 driver uses for the keyboard and mouse (__wine_send_input), so the program's
// low-level hooks see them as hardware input, not as injected. Free of Qt.

#include <cstdint>

namespace z718::testing {

// A key or button event as the devices give it, x and y in screen pixels. Returns the tag the
// event carries (virtualInput's witness hook reports it); 0 when it could not be sent.
uint32_t sendHardwareKey(uint32_t vk, uint32_t scanCode, bool up, uint32_t time);
uint32_t sendHardwareMouse(uint32_t message, int x, int y, uint32_t mouseData, uint32_t time);
// Moves the pointer without a button, unseen by the witness's record.
void moveHardwarePointer(int x, int y);

}  // namespace z718::testing
