#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>

#include "platform/input_platform.h"

namespace z718::platform {

// The low-level hooks, serviced by a thread of their own that does nothing but run its message
// loop. Windows silently removes a low-level hook whose thread does not answer within its
// time-out, and the GUI thread blocks for long stretches in device commands. One instance at a
// time: low-level hook procedures carry no user data.
class Win32Hooks : public InputHooks {
public:
    ~Win32Hooks() override;
    bool install(KeyboardHookProc keyboard, MouseHookProc mouse) override;
    void uninstall() override;

private:
    std::thread thread_;
    std::atomic<uint32_t> threadId_{0};
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
