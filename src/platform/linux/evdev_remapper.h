#pragma once

#include <bitset>
#include <mutex>
#include <span>
#include <vector>

#include "platform/linux/evdev_io.h"

namespace z718::platform::evdev {

// The uinput devices the backend writes to, and what each of them holds pressed. The system
// keeps a key's state per device, so a release must go out through the device that pressed
// the key: a Windows-key press held back by the hooks and replayed by the engine goes out
// through the injector, and its real release, passed on from the mouse, must follow it there.
// Thread-safe.
class UinputOutput {
public:
    void attach(EventSink& sink);
    // Releases what the device holds before it goes.
    void detach(EventSink& sink);
    void setInjector(EventSink* injector);

    // Writes one frame to the device and ends it with SYN_REPORT: a release or a repeat goes
    // to the device that holds the key, and is dropped when none does (the system would drop
    // it anyway). Nothing is written for an empty frame.
    void writeFrame(EventSink& sink, std::span<const InputEvent> events);
    // The same through the injector; dropped when there is none.
    void inject(std::span<const InputEvent> events);
    // Releases every key and button held, device by device.
    void releaseAll();

private:
    struct Device {
        EventSink* sink;
        std::bitset<kKeyCount> pressed;
        bool pending = false;  // written to since its last SYN_REPORT
    };

    Device* find(EventSink& sink);
    Device* holder(uint16_t code);
    static bool isKey(const InputEvent& event);
    Device* targetOf(Device& home, const InputEvent& event);
    void write(Device& device, const InputEvent& event);
    void key(Device& home, const InputEvent& event);
    void release(Device& device);
    void endFrames();

    std::mutex mutex_;
    std::vector<Device> devices_;
    EventSink* injector_ = nullptr;
};

// Runs what the grabbed nodes send through the hook procedures, a frame (the events up to
// SYN_REPORT) at a time and in order, and writes what they pass on to the node's mirror.
// Motion, wheel and every other event go out unchanged. Each node is pumped by one thread
// at a time.
class EvdevRemapper {
public:
    EvdevRemapper(UinputOutput& output, KeyboardHookProc keyboard, MouseHookProc mouse);

    void addNode(GrabbedNode& node);
    // Reads node i until nothing waits; false when it went away.
    bool pump(size_t i);

private:
    struct Node {
        GrabbedNode* node;
        std::vector<InputEvent> frame;
    };

    bool resync(Node& node);
    void flush(Node& node);
    bool swallowed(const InputEvent& event);

    UinputOutput& output_;
    KeyboardHookProc keyboard_;
    MouseHookProc mouse_;
    std::vector<Node> nodes_;
};

}  // namespace z718::platform::evdev
