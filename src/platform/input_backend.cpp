#include "platform/input_platform.h"

#ifdef _WIN32
#include "platform/win32/win32_input.h"
#elif defined(Z718_HAVE_EVDEV)
#include "platform/linux/linux_input.h"
#else
#include "platform/portable/portable_input.h"
#endif

namespace z718::platform {

#ifdef _WIN32
InputHooks& inputHooks() {
    static Win32Hooks hooks;
    return hooks;
}

InputInjector& inputInjector() {
    static Win32Injector injector;
    return injector;
}

PointerSettings& pointerSettings() {
    static Win32PointerSettings settings;
    return settings;
}
#elif defined(Z718_HAVE_EVDEV)
// The portable stand-in until the program turns system-wide remapping on.
InputHooks& inputHooks() {
    return linuxInput();
}
InputInjector& inputInjector() {
    return linuxInput();
}
PointerSettings& pointerSettings() {
    return portablePointerSettings();
}
#else
InputHooks& inputHooks() {
    return portableInput();
}
InputInjector& inputInjector() {
    return portableInput();
}
PointerSettings& pointerSettings() {
    return portablePointerSettings();
}
#endif

}  // namespace z718::platform
