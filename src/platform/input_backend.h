#pragma once

#include <memory>

#include "platform/input_platform.h"

namespace z718::platform {

class PortableInput;
#ifdef Z718_HAVE_EVDEV
class LinuxInput;
#endif

// The input parts of the system the program runs on, built once by main: Windows' own calls
// on Windows; elsewhere the portable stand-in, fed by the program window's own events, with
// pointer settings held in memory (on Linux behind the evdev backend, which takes over once
// system-wide remapping is enabled).
class InputBackend {
public:
    InputBackend();
    ~InputBackend();
    InputBackend(const InputBackend&) = delete;
    InputBackend& operator=(const InputBackend&) = delete;

    InputHooks& hooks();
    InputInjector& injector();
    PointerSettings& pointer();
    // The stand-in the window's events feed; null on Windows, where the hooks see them.
    PortableInput* window();
#ifdef Z718_HAVE_EVDEV
    LinuxInput& evdev();
#endif

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

}  // namespace z718::platform
