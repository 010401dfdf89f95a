#pragma once

#include <memory>

#include "platform/linux/evdev_io.h"

namespace z718::platform::evdev {

// The system calls behind the backend's interfaces: libudev to find the mouse's event
// nodes, libevdev to read and grab them (EVIOCGRAB), uinput for the mirrors and the injector.
std::unique_ptr<EvdevSystem> linuxEvdevSystem();

}  // namespace z718::platform::evdev
