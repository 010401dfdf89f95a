#pragma once

#include <array>
#include <chrono>
#include <mutex>
#include <vector>

#include "platform/input_platform.h"

namespace z718::platform {

// An in-process stand-in for Windows' input system. "Real" events are fed in by the caller
// (the program window's own events, or a test); injected events come from the engine. Both run
// through the installed hook procedures, injected ones flagged as such, and what the hooks let
// pass "reaches the system": it is appended to the delivered log. Thread-safe; the procedures
// run one at a time, as on Windows' single hook thread.
class PortableInput : public InputHooks, public InputInjector {
public:
    struct Delivered {
        bool mouse = false;
        uint32_t message = 0;  // WM_ message
        uint32_t code = 0;     // virtual key, or the X button's mouseData
        bool injected = false;
        uint32_t time = 0;  // the event's time stamp, on this stand-in's millisecond clock
        bool operator==(const Delivered&) const = default;
    };

    PortableInput();

    bool install(KeyboardHookProc keyboard, MouseHookProc mouse) override;
    void uninstall() override;
    bool installed() const;

    void mouseEvent(uint32_t flags) override;
    void keybdEvent(uint8_t vk, uint8_t scan, uint32_t flags) override;

    // A real key or button; returns true when it reached the system (no hook swallowed it).
    // time 0 stands for "now" on this stand-in's millisecond clock.
    bool feedKey(uint32_t vk, uint32_t scanCode, bool up, uint32_t time = 0);
    bool feedMouse(uint32_t message, int32_t x, int32_t y, uint32_t mouseData = 0,
                   uint32_t time = 0);

    // While a system-wide backend feeds the hooks from the devices themselves, what the window
    // sees has been through the hooks already: its keys are still reported, as injected keys
    // (which never take part in the sixth button's chord), and its buttons pass untouched.
    void setObserveOnly(bool observeOnly);

    std::vector<Delivered> delivered() const;
    void clearDelivered();

    // Called with every event that reaches the system, on the thread that fed or injected it,
    // while the stand-in's lock is held: it must only hand the event on.
    using DeliverySink = std::function<void(const Delivered&)>;
    void setDeliverySink(DeliverySink sink);

private:
    bool runKeyboard(KeyboardHookEvent event);
    bool runMouse(MouseHookEvent event);
    void deliver(const Delivered& event);
    uint32_t now() const;

    mutable std::mutex mutex_;
    KeyboardHookProc keyboard_;
    MouseHookProc mouse_;
    std::array<int32_t, 2> cursor_{};
    std::vector<Delivered> delivered_;
    DeliverySink sink_;
    bool observeOnly_ = false;
    std::chrono::steady_clock::time_point start_;
};

// Pointer settings held in memory with Windows' ranges and defaults (see PointerSettings).
class PortablePointerSettings : public PointerSettings {
public:
    static constexpr int kDefaultSpeed = 10;
    static constexpr uint32_t kDefaultScrollLines = 3;
    static constexpr uint32_t kDefaultDoubleClickMs = 500;
    static constexpr uint32_t kMaxDoubleClickMs = 5000;
    static constexpr std::array<int, 3> kDefaultMouse{6, 10, 1};

    bool systemParametersInfo(uint32_t action, uint32_t uiParam, void* pvParam,
                              uint32_t fWinIni) override;
    uint32_t doubleClickTime() override { return doubleClickMs_; }

    // Back to the defaults, accepting calls again.
    void reset();
    // Every call after this one fails, as a locked-down system would.
    void setRefuseAll(bool refuse) { refuseAll_ = refuse; }
    // The fWinIni of the last successful set.
    uint32_t lastWinIni() const { return lastWinIni_; }

private:
    bool set(uint32_t action, uint32_t uiParam, void* pvParam);
    bool get(uint32_t action, void* pvParam) const;

    int speed_ = kDefaultSpeed;
    uint32_t scrollLines_ = kDefaultScrollLines;
    uint32_t doubleClickMs_ = kDefaultDoubleClickMs;
    std::array<int, 3> mouse_ = kDefaultMouse;
    uint32_t lastWinIni_ = 0;
    bool refuseAll_ = false;
};

}  // namespace z718::platform
