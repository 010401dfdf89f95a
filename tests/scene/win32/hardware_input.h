#pragma once

// Real input for the scene tests on Windows. Under Wine, events enter through the entry Wine's
// own X11 driver uses for the keyboard and mouse (__wine_send_input), so the program's
// low-level hooks see them as hardware input, not as injected. A witness hook, kept in front
// of the program's, records what the hooks let through to the system. Free of Qt.

#include <cstdint>
#include <vector>

#include "platform/win32/message_thread.h"

namespace z718::testing {

struct Delivered {
    bool mouse = false;
    uint32_t message = 0;  // WM_ message
    uint32_t code = 0;     // virtual key, or the X button's mouseData
    bool injected = false;
    uint32_t time = 0;
};

// A key or button event as the devices give it, x and y in screen pixels. Returns a tag that
// the witness reports with the event; 0 when the event could not be sent.
uint32_t sendHardwareKey(uint32_t vk, uint32_t scanCode, bool up, uint32_t time);
uint32_t sendHardwareMouse(uint32_t message, int x, int y, uint32_t mouseData, uint32_t time);
// Moves the pointer without a button, unseen by the witness's record.
void moveHardwarePointer(int x, int y);

// The front-most low-level hooks of the process, on a thread of their own. Low-level hooks are
// called newest first: install it again after the program's hooks have been (re)installed.
class HookWitness {
public:
    ~HookWitness();
    bool install();
    void uninstall();

    // Waits until the event with this tag has been decided by the hooks behind the witness;
    // true when they let it through. False also when it never came within timeoutMs.
    bool waitPassed(uint32_t tag, int timeoutMs);
    std::vector<Delivered> delivered() const;
    void clearDelivered();

private:
    platform::LowLevelHooks hooks_;
};

}  // namespace z718::testing
