#pragma once

// Linux input event codes and Windows' input numbers, both ways: what the mouse's event nodes
// send becomes the hook events Windows would give, and what the engine injects becomes key
// and button events of a uinput device. Plain tables, no system calls, so the window's own key
// events (which carry the same codes) use them too.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/input_platform.h"

namespace z718::platform::evdev {

// From linux/input-event-codes.h (checked against it where the Linux backend is built).
constexpr uint16_t kEvSyn = 0x00;
constexpr uint16_t kEvKey = 0x01;
constexpr uint16_t kEvRel = 0x02;
constexpr uint16_t kEvMsc = 0x04;
constexpr uint16_t kSynReport = 0;
constexpr uint16_t kSynDropped = 3;
constexpr uint16_t kRelX = 0x00;
constexpr uint16_t kRelY = 0x01;
constexpr uint16_t kRelWheel = 0x08;
constexpr uint16_t kMscScan = 0x04;
constexpr uint16_t kBtnMisc = 0x100;
constexpr uint16_t kBtnLeft = 0x110;
constexpr uint16_t kBtnRight = 0x111;
constexpr uint16_t kBtnMiddle = 0x112;
constexpr uint16_t kBtnSide = 0x113;
constexpr uint16_t kBtnExtra = 0x114;
constexpr uint16_t kKeyOk = 0x160;
constexpr uint16_t kKeyCount = 0x300;
constexpr uint16_t kKeyD = 32;
constexpr uint16_t kKeyLeftMeta = 125;

// One event of an event node or of a uinput device.
struct InputEvent {
    uint16_t type = 0;
    uint16_t code = 0;
    int32_t value = 0;
    uint32_t timeMs = 0;  // ignored when written
    bool operator==(const InputEvent&) const = default;
};

// The kernel's event time in milliseconds, wrapping as GetTickCount does.
uint32_t milliseconds(int64_t seconds, int64_t microseconds);

// The mouse message of one of the five buttons (value 0 released, 1 pressed); none for any
// other code, and none for a repeat (2), which the kernel makes for the buttons of a node that
// also has keys but Windows never sends for a mouse button.
std::optional<MouseHookEvent> buttonHookEvent(uint16_t code, int32_t value, uint32_t timeMs);

// A keyboard key, as opposed to the buttons of mice, joysticks and tablets.
bool isKeyboardKey(uint16_t code);
// The hook event of a key: value 0 released, 1 pressed, 2 repeated (a further key-down).
KeyboardHookEvent keyHookEvent(uint16_t code, int32_t value, uint32_t timeMs);
// The US-layout virtual key of a key code; 0 when none.
uint32_t vkOfKey(uint16_t code);
// The PC keyboard's scan code as a low-level hook reports it (the Windows keys are 0x5B and
// 0x5C); 0 for the extended keys.
uint32_t scanCodeOfKey(uint16_t code);

// The key code that types a virtual key; 0 when none.
uint16_t keyOfVk(uint8_t vk);
// The button events of mouse_event flags, in the order mouse_event reports them.
std::vector<InputEvent> buttonEvents(uint32_t mouseEventFlags);
// Every key and button the engine can inject.
std::span<const uint16_t> injectableKeys();

}  // namespace z718::platform::evdev
