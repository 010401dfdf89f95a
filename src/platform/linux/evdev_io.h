#pragma once

// What the Linux backend needs of the system, as small interfaces: the mouse's event nodes
// (an event source each, grabbed, with a uinput device mirroring it), a uinput device for the
// engine's output (an event sink), and a thread that reads the nodes. evdev_system.cpp
// implements them with libudev, libevdev and uinput; tests replay recorded events instead.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/linux/evdev_keymap.h"

namespace z718::platform::evdev {

// libevdev_next_event's answers.
enum class ReadStatus {
    Event,  // an event of the device
    Sync,   // normal mode: a SYN_DROPPED was read; sync mode: an event of the state delta
    Again,  // nothing waits
    Gone,   // the device went away (or cannot be read any more)
};

enum class ReadMode { Normal, Sync };

// An event node, read without blocking as libevdev_next_event reads it.
class EventSource {
public:
    virtual ~EventSource() = default;
    virtual ReadStatus next(ReadMode mode, InputEvent& event) = 0;
};

// A uinput device. Listeners see a frame of events once SYN_REPORT follows it.
class EventSink {
public:
    virtual ~EventSink() = default;
    virtual void write(uint16_t type, uint16_t code, int32_t value) = 0;
};

// One of the mouse's event nodes, grabbed (nothing else sees its events) from the first moment
// it holds no key or button until the object goes, with the uinput device that mirrors it (same
// name, ids and capabilities). Until the grab, its events go to the system and next() answers
// Again.
class GrabbedNode : public EventSource {
public:
    virtual EventSink& mirror() = 0;
};

// Reads nodes on a thread of its own until destroyed.
class NodeReader {
public:
    virtual ~NodeReader() = default;
};

class EvdevSystem {
public:
    virtual ~EvdevSystem() = default;
    // The event nodes (/dev/input/event*) whose USB device has this vendor and product and
    // that udev has finished setting up.
    virtual std::vector<std::string> eventNodes(uint16_t vendor, uint16_t product) = 0;
    // Null, with the errno in error, when the node cannot be opened, grabbed or mirrored.
    virtual std::unique_ptr<GrabbedNode> grab(const std::string& node, int& error) = 0;
    // A uinput device with every key and button the engine can inject; null with the errno.
    virtual std::unique_ptr<EventSink> createInjector(int& error) = 0;
    // Calls pump(i) on the reader's thread whenever node i has something to read, until pump
    // returns false for it (the node went away). Null when no thread can be started.
    virtual std::unique_ptr<NodeReader> read(const std::vector<GrabbedNode*>& nodes,
                                             std::function<bool(size_t)> pump) = 0;
};

}  // namespace z718::platform::evdev
