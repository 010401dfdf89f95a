#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/linux/evdev_io.h"
#include "platform/linux/evdev_remapper.h"
#include "platform/portable/portable_input.h"

namespace z718::platform {

// The hooks and the injector on Linux. Until system-wide remapping is enabled, and for good
// once the system refuses it, everything goes to the portable stand-in (the program window's
// own events). Once enabled, the mouse's event nodes are grabbed while the hooks are
// installed and the mouse is plugged in: their events run through the hook procedures on a
// reader thread and what passes goes out through uinput mirrors of the nodes; the engine's
// output goes out through a uinput device of its own, which is never grabbed, so nothing
// injected is taken again. The window's keys still reach the hooks, as injected keys, so key
// capture keeps working; its buttons pass untouched. The hook procedures never run on two
// threads at once.
class LinuxInput : public InputHooks, public InputInjector {
public:
    // Told once why system-wide remapping is off, on the thread that found out.
    using Notice = std::function<void(const std::string& reason)>;

    LinuxInput(PortableInput& portable, std::unique_ptr<evdev::EvdevSystem> system);
    ~LinuxInput() override;

    // Remaps the buttons of the mouse with this USB vendor and product system-wide from now
    // on, when uinput can be written; otherwise the notice says why, and false.
    bool enableSystemWide(uint16_t vendor, uint16_t product, Notice notice);
    bool systemWide() const { return systemWide_.load(); }
    // Grabs the mouse's nodes that appeared and lets go of those gone. Call it after every
    // device change, on the thread that installs the hooks.
    void rescan();

    bool install(KeyboardHookProc keyboard, MouseHookProc mouse) override;
    void uninstall() override;

    void mouseEvent(uint32_t flags) override;
    void keybdEvent(uint8_t vk, uint8_t scan, uint32_t flags) override;

private:
    bool keyboard(int nCode, const KeyboardHookEvent& event);
    bool mouse(int nCode, const MouseHookEvent& event);
    bool grabAll(const std::vector<std::string>& paths);
    bool pump(size_t node);
    // Releases what was pressed, then stops reading and ungrabs.
    void letGo();
    void fallBack(const std::string& reason);

    PortableInput& portable_;
    std::unique_ptr<evdev::EvdevSystem> system_;
    uint16_t vendor_ = 0;
    uint16_t product_ = 0;
    Notice notice_;
    bool noticed_ = false;
    std::atomic<bool> systemWide_{false};
    bool installed_ = false;

    std::mutex procMutex_;
    KeyboardHookProc keyboard_;
    MouseHookProc mouse_;

    evdev::UinputOutput output_;
    std::unique_ptr<evdev::EventSink> injector_;
    std::vector<std::string> paths_;  // of the nodes grabbed
    std::vector<std::unique_ptr<evdev::GrabbedNode>> nodes_;
    std::unique_ptr<evdev::EvdevRemapper> remapper_;
    std::unique_ptr<evdev::NodeReader> reader_;
    std::atomic<bool> lost_{false};  // a grabbed node went away
};

}  // namespace z718::platform
