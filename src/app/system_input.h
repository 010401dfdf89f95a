#pragma once

class Widget;

namespace z718::platform {
class InputBackend;
}

namespace z718 {

// On Linux, remaps the mouse's buttons system-wide from now on: its own input devices are
// grabbed while it is plugged in and the hooks are installed. Where the system does not allow
// it, says once why, in the log and as a tray message, and the window's own events stay the
// only input. Call before the hooks are installed. Nothing to do elsewhere.
void startSystemWideInput(Widget& widget, platform::InputBackend& input);

}  // namespace z718
