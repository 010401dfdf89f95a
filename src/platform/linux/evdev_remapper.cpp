#include "platform/linux/evdev_remapper.h"

#include <algorithm>

namespace z718::platform::evdev {

void UinputOutput::attach(EventSink& sink) {
    std::lock_guard lock(mutex_);
    if (!find(sink)) {
        devices_.push_back({&sink, {}});
    }
}

void UinputOutput::detach(EventSink& sink) {
    std::lock_guard lock(mutex_);
    if (Device* device = find(sink)) {
        release(*device);
        devices_.erase(devices_.begin() + (device - devices_.data()));
    }
    if (injector_ == &sink) {
        injector_ = nullptr;
    }
}

void UinputOutput::setInjector(EventSink* injector) {
    if (injector) {
        attach(*injector);
    }
    std::lock_guard lock(mutex_);
    injector_ = injector;
}

void UinputOutput::writeFrame(EventSink& sink, std::span<const InputEvent> events) {
    std::lock_guard lock(mutex_);
    Device* home = find(sink);
    if (!home) {
        return;
    }
    for (size_t i = 0; i < events.size(); ++i) {
        const InputEvent& event = events[i];
        if (isKey(event)) {
            key(*home, event);
        } else if (event.type == kEvMsc && event.code == kMscScan && i + 1 < events.size() &&
                   isKey(events[i + 1])) {
            // The scan code goes with its key, but only to the key's own device: the injector
            // has no scan codes.
            if (targetOf(*home, events[i + 1]) == home) {
                write(*home, event);
            }
        } else {
            write(*home, event);
        }
    }
    endFrames();
}

void UinputOutput::inject(std::span<const InputEvent> events) {
    EventSink* injector = nullptr;
    {
        std::lock_guard lock(mutex_);
        injector = injector_;
    }
    if (injector) {
        writeFrame(*injector, events);
    }
}

void UinputOutput::releaseAll() {
    std::lock_guard lock(mutex_);
    for (Device& device : devices_) {
        release(device);
    }
}

UinputOutput::Device* UinputOutput::find(EventSink& sink) {
    const auto it = std::find_if(devices_.begin(), devices_.end(),
                                 [&sink](const Device& d) { return d.sink == &sink; });
    return it == devices_.end() ? nullptr : &*it;
}

UinputOutput::Device* UinputOutput::holder(uint16_t code) {
    const auto it = std::find_if(devices_.begin(), devices_.end(),
                                 [code](const Device& d) { return d.pressed.test(code); });
    return it == devices_.end() ? nullptr : &*it;
}

void UinputOutput::write(Device& device, const InputEvent& event) {
    device.sink->write(event.type, event.code, event.value);
    device.pending = true;
}

bool UinputOutput::isKey(const InputEvent& event) {
    return event.type == kEvKey && event.code < kKeyCount;
}

UinputOutput::Device* UinputOutput::targetOf(Device& home, const InputEvent& event) {
    // A release or a repeat goes where the key is held; nowhere when it is not held at all
    // (the input core would drop it: "repeat events are ignored if the key is not pressed").
    if (event.value == 1 || home.pressed.test(event.code)) {
        return &home;
    }
    return holder(event.code);
}

void UinputOutput::key(Device& home, const InputEvent& event) {
    Device* target = targetOf(home, event);
    if (!target) {
        return;
    }
    if (event.value == 1) {
        target->pressed.set(event.code);
    } else if (event.value == 0) {
        target->pressed.reset(event.code);
    }
    write(*target, event);
}

void UinputOutput::release(Device& device) {
    for (uint16_t code = 0; code < kKeyCount; ++code) {
        if (device.pressed.test(code)) {
            device.pressed.reset(code);
            write(device, {kEvKey, code, 0});
        }
    }
    endFrames();
}

void UinputOutput::endFrames() {
    for (Device& device : devices_) {
        if (device.pending) {
            device.sink->write(kEvSyn, kSynReport, 0);
            device.pending = false;
        }
    }
}

EvdevRemapper::EvdevRemapper(UinputOutput& output, KeyboardHookProc keyboard, MouseHookProc mouse)
    : output_(output), keyboard_(std::move(keyboard)), mouse_(std::move(mouse)) {}

void EvdevRemapper::addNode(GrabbedNode& node) {
    output_.attach(node.mirror());
    nodes_.push_back({&node, {}});
}

bool EvdevRemapper::pump(size_t i) {
    Node& node = nodes_.at(i);
    InputEvent event;
    for (;;) {
        switch (node.node->next(ReadMode::Normal, event)) {
            case ReadStatus::Again:
                return true;
            case ReadStatus::Gone:
                return false;
            case ReadStatus::Sync:
                if (!resync(node)) {
                    return false;
                }
                break;
            case ReadStatus::Event:
                // A frame adds no delay: evdev hands out whole frames ("Input: evdev - only
                // allow reading events if a full packet is present"), so its SYN_REPORT is
                // read together with its first event.
                if (event.type == kEvSyn && event.code == kSynReport) {
                    flush(node);
                } else {
                    node.frame.push_back(event);
                }
                break;
        }
    }
}

bool EvdevRemapper::resync(Node& node) {
    // libevdev's SYN_DROPPED handling: "When a SYN_DROPPED event is received, the client
    // must: discard all events since the last SYN_REPORT; discard all events until including
    // the next SYN_REPORT" -- libevdev drops the latter itself -- and "if the state of the
    // device has changed, libevdev generates an event for each code with the new value and
    // passes it to the caller during libevdev_next_event() if LIBEVDEV_READ_FLAG_SYNC is set".
    // The delta goes through the hooks like any frame, so a release lost in the overrun still
    // reaches the engine.
    node.frame.clear();
    InputEvent event;
    for (;;) {
        switch (node.node->next(ReadMode::Sync, event)) {
            case ReadStatus::Sync:
                if (event.type == kEvSyn && event.code == kSynReport) {
                    flush(node);
                } else {
                    node.frame.push_back(event);
                }
                break;
            case ReadStatus::Gone:
                return false;
            case ReadStatus::Event:  // not in sync mode
            case ReadStatus::Again:
                flush(node);
                return true;
        }
    }
}

void EvdevRemapper::flush(Node& node) {
    std::vector<InputEvent> passed;
    for (const InputEvent& event : node.frame) {
        if (!swallowed(event)) {
            passed.push_back(event);
        } else if (!passed.empty() && passed.back().type == kEvMsc &&
                   passed.back().code == kMscScan) {
            passed.pop_back();  // the scan code that came with the swallowed key
        }
    }
    node.frame.clear();
    output_.writeFrame(node.node->mirror(), passed);
}

bool EvdevRemapper::swallowed(const InputEvent& event) {
    if (event.type != kEvKey) {
        return false;
    }
    if (const auto button = buttonHookEvent(event.code, event.value, event.timeMs)) {
        return mouse_(0, *button);
    }
    if (isKeyboardKey(event.code)) {
        return keyboard_(0, keyHookEvent(event.code, event.value, event.timeMs));
    }
    return false;
}

}  // namespace z718::platform::evdev
