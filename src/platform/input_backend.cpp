#include "platform/input_backend.h"

#include "platform/portable/portable_input.h"
#ifdef _WIN32
#include "platform/win32/win32_input.h"
#elif defined(Z718_HAVE_EVDEV)
#include "platform/linux/evdev_system.h"
#include "platform/linux/linux_input.h"
#endif

namespace z718::platform {

#ifdef _WIN32
struct InputBackend::Parts {
    Win32Hooks hooks;
    Win32Injector injector;
    Win32PointerSettings pointer;
    InputHooks& hooksInUse() { return hooks; }
    InputInjector& injectorInUse() { return injector; }
    PortableInput* window() { return nullptr; }
};
#elif defined(Z718_HAVE_EVDEV)
struct InputBackend::Parts {
    PortableInput portable;
    PortablePointerSettings pointer;
    LinuxInput evdevInput{portable, evdev::linuxEvdevSystem()};
    InputHooks& hooksInUse() { return evdevInput; }
    InputInjector& injectorInUse() { return evdevInput; }
    PortableInput* window() { return &portable; }
};
#else
struct InputBackend::Parts {
    PortableInput portable;
    PortablePointerSettings pointer;
    InputHooks& hooksInUse() { return portable; }
    InputInjector& injectorInUse() { return portable; }
    PortableInput* window() { return &portable; }
};
#endif

InputBackend::InputBackend() : parts_(std::make_unique<Parts>()) {}
InputBackend::~InputBackend() = default;

InputHooks& InputBackend::hooks() {
    return parts_->hooksInUse();
}

InputInjector& InputBackend::injector() {
    return parts_->injectorInUse();
}

PointerSettings& InputBackend::pointer() {
    return parts_->pointer;
}

PortableInput* InputBackend::window() {
    return parts_->window();
}

#ifdef Z718_HAVE_EVDEV
LinuxInput& InputBackend::evdev() {
    return parts_->evdevInput;
}
#endif

}  // namespace z718::platform
