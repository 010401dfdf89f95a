#pragma once

#include <cstdint>

#include "platform/input_platform.h"
#include "platform/win32/message_thread.h"

namespace z718::platform {

// The low-level hooks, serviced by a message thread of their own: the GUI thread blocks for long
// stretches in device commands. One instance at a time: low-level hook procedures carry no user
// data.
class Win32Hooks : public InputHooks {
public:
    ~Win32Hooks() override;
    bool install(KeyboardHookProc keyboard, MouseHookProc mouse) override;
    void uninstall() override;

private:
    LowLevelHooks hooks_;
};

class Win32Injector : public InputInjector {
public:
    void mouseEvent(uint32_t flags) override;
    void keybdEvent(uint8_t vk, uint8_t scan, uint32_t flags) override;
};

class Win32PointerSettings : public PointerSettings {
public:
    bool systemParametersInfo(uint32_t action, uint32_t uiParam, void* pvParam,
                              uint32_t fWinIni) override;
    uint32_t doubleClickTime() override;
};

}  // namespace z718::platform
