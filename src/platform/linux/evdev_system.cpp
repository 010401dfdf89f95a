#include "platform/linux/evdev_system.h"

#include <fcntl.h>
#include <libevdev/libevdev-uinput.h>
#include <libevdev/libevdev.h>
#include <libudev.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <system_error>
#include <thread>

namespace z718::platform::evdev {

namespace {

// A uinput device made from a libevdev description.
class UinputDevice : public EventSink {
public:
    // Null with the errno when /dev/uinput cannot be opened or the device not be made.
    static std::unique_ptr<UinputDevice> create(const libevdev* description, int& error) {
        // The kernel's uinput documentation opens it so: open("/dev/uinput", O_WRONLY |
        // O_NONBLOCK). libevdev: "uinput_fd must be opened by the caller and opened with the
        // appropriate permissions."
        const int fd = open("/dev/uinput", O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            error = errno;
            return nullptr;
        }
        libevdev_uinput* device = nullptr;
        // "The uinput device will be an exact copy of the libevdev device, minus the bits that
        // uinput doesn't allow to be set." Returns "0 on success or a negative errno".
        if (const int rc = libevdev_uinput_create_from_device(description, fd, &device); rc < 0) {
            error = -rc;
            close(fd);
            return nullptr;
        }
        return std::unique_ptr<UinputDevice>(new UinputDevice(fd, device));
    }

    ~UinputDevice() override {
        // "You should call libevdev_uinput_destroy() before closing the file descriptor."
        // Closing it destroys the device; the kernel then sends a release for every key the
        // device still held ("Simulate keyup events for all keys that are marked as pressed",
        // input_dev_release_keys), which also covers a crash of the program.
        libevdev_uinput_destroy(device_);
        close(fd_);
    }

    void write(uint16_t type, uint16_t code, int32_t value) override {
        // "It is the caller's responsibility that any event sequence is terminated with an
        // EV_SYN/SYN_REPORT/0 event": UinputOutput ends every frame so.
        libevdev_uinput_write_event(device_, type, code, value);
    }

private:
    UinputDevice(int fd, libevdev_uinput* device) : fd_(fd), device_(device) {}

    int fd_;
    libevdev_uinput* device_;
};

class LibevdevNode : public GrabbedNode {
public:
    static std::unique_ptr<LibevdevNode> open(const std::string& path, int& error) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            error = errno;
            return nullptr;
        }
        libevdev* device = nullptr;
        if (const int rc = libevdev_new_from_fd(fd, &device); rc < 0) {
            error = -rc;
            close(fd);
            return nullptr;
        }
        auto node = std::unique_ptr<LibevdevNode>(new LibevdevNode(fd, device));
        // Event times on the monotonic clock, so the chord's 20 ms window cannot be broken by
        // a change of the wall clock. "Permitted values are CLOCK_MONOTONIC and CLOCK_REALTIME
        // (the default)."
        libevdev_set_clock_id(device, CLOCK_MONOTONIC);
        // A button held now was pressed for the system, and its release must reach the system
        // too: after the grab it would come to us alone, with no press on the mirror to end.
        // The grab waits until the node holds nothing (see next()).
        if (!holdsAnything(device)) {
            if (const int rc = node->grab(); rc < 0) {
                error = -rc;
                return nullptr;
            }
        }
        node->mirror_ = UinputDevice::create(device, error);
        return node->mirror_ ? std::move(node) : nullptr;
    }

    ~LibevdevNode() override {
        mirror_.reset();
        libevdev_grab(device_, LIBEVDEV_UNGRAB);
        libevdev_free(device_);
        close(fd_);
    }

    int fd() const { return fd_; }
    EventSink& mirror() override { return *mirror_; }

    ReadStatus next(ReadMode mode, InputEvent& event) override {
        if (!grabbed_) {
            return followUntilIdle();
        }
        input_event raw{};
        const unsigned flags =
            mode == ReadMode::Sync ? LIBEVDEV_READ_FLAG_SYNC : LIBEVDEV_READ_FLAG_NORMAL;
        // "@retval LIBEVDEV_READ_STATUS_SUCCESS One or more events were read of the device";
        // "@retval -EAGAIN No events are currently available on the device";
        // "@retval LIBEVDEV_READ_STATUS_SYNC A SYN_DROPPED event was received, or a synced
        // event was returned"; "On failure, a negative errno is returned" (-ENODEV once the
        // device is unplugged).
        const int rc = libevdev_next_event(device_, flags, &raw);
        if (rc == -EAGAIN || rc == -EINTR) {
            return ReadStatus::Again;
        }
        if (rc < 0) {
            return ReadStatus::Gone;
        }
        event = {raw.type, raw.code, raw.value,
                 milliseconds(raw.input_event_sec, raw.input_event_usec)};
        return rc == LIBEVDEV_READ_STATUS_SYNC ? ReadStatus::Sync : ReadStatus::Event;
    }

private:
    LibevdevNode(int fd, libevdev* device) : fd_(fd), device_(device) {}

    // "Behaviour of this function is undefined if the device does not provide the event",
    // hence the check first. libevdev_new_from_fd read the keys' state (EVIOCGKEY); the events
    // read since have kept it current.
    static bool holdsAnything(const libevdev* device) {
        for (unsigned code = 0; code < kKeyCount; ++code) {
            if (libevdev_has_event_code(device, kEvKey, code) &&
                libevdev_get_event_value(device, kEvKey, code) != 0) {
                return true;
            }
        }
        return false;
    }

    int grab() {
        // EVIOCGRAB: "When a device is grabbed by an input handle all events generated by the
        // device are delivered only to this handle" (the kernel); "A grab is an operation tied
        // to a file descriptor, not a device" (libevdev), so it ends with the program however
        // the program ends.
        const int rc = libevdev_grab(device_, LIBEVDEV_GRAB);
        grabbed_ = rc == 0;
        return rc;
    }

    // Not grabbed yet, the node's events still go to the system: they are read only to follow
    // its state, including a SYN_DROPPED's delta, and the grab follows once nothing is held.
    ReadStatus followUntilIdle() {
        input_event raw{};
        for (bool syncing = false;;) {
            const int rc = libevdev_next_event(
                device_, syncing ? LIBEVDEV_READ_FLAG_SYNC : LIBEVDEV_READ_FLAG_NORMAL, &raw);
            if (rc == LIBEVDEV_READ_STATUS_SUCCESS || rc == LIBEVDEV_READ_STATUS_SYNC) {
                syncing = syncing || rc == LIBEVDEV_READ_STATUS_SYNC;
            } else if (rc == -EAGAIN && syncing) {
                syncing = false;  // "the caller can switch back to normal mode"
            } else if (rc == -EAGAIN || rc == -EINTR) {
                break;
            } else {
                return ReadStatus::Gone;
            }
        }
        // A grab refused now (another program took the node meanwhile) ends the node like an
        // unplug: what it held is released and the next device change tries again.
        if (!holdsAnything(device_) && grab() < 0) {
            return ReadStatus::Gone;
        }
        return ReadStatus::Again;
    }

    int fd_;
    libevdev* device_;
    std::unique_ptr<UinputDevice> mirror_;
    bool grabbed_ = false;
};

// poll() over the nodes and an eventfd that ends the thread.
class PollReader : public NodeReader {
public:
    PollReader(std::vector<int> fds, std::function<bool(size_t)> pump, int wake)
        : fds_(std::move(fds)), pump_(std::move(pump)), wake_(wake), thread_([this] { run(); }) {}

    ~PollReader() override {
        const uint64_t one = 1;
        (void)::write(wake_, &one, sizeof one);
        thread_.join();
        close(wake_);
    }

private:
    void run() {
        std::vector<pollfd> set;
        for (const int fd : fds_) {
            set.push_back({fd, POLLIN, 0});
        }
        set.push_back({wake_, POLLIN, 0});
        for (;;) {
            if (poll(set.data(), set.size(), -1) < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return;
            }
            if (set.back().revents != 0) {
                return;
            }
            for (size_t i = 0; i + 1 < set.size(); ++i) {
                // poll(2): "If this field is negative, then the corresponding events field is
                // ignored and the revents field returns zero": a node gone stays out.
                if (set[i].revents != 0 && !pump_(i)) {
                    set[i].fd = -1;
                }
            }
        }
    }

    std::vector<int> fds_;
    std::function<bool(size_t)> pump_;
    int wake_;
    std::thread thread_;
};

uint16_t hexAttribute(udev_device* device, const char* name) {
    const char* value = udev_device_get_sysattr_value(device, name);
    return value ? static_cast<uint16_t>(std::strtoul(value, nullptr, 16)) : 0;
}

class LinuxEvdevSystem : public EvdevSystem {
public:
    std::vector<std::string> eventNodes(uint16_t vendor, uint16_t product) override {
        std::vector<std::string> nodes;
        udev* context = udev_new();
        if (!context) {
            return nodes;
        }
        udev_enumerate* enumerate = udev_enumerate_new(context);
        udev_enumerate_add_match_subsystem(enumerate, "input");
        udev_enumerate_add_match_sysname(enumerate, "event*");
        // "Match only devices which udev has set up already. This makes sure, that the device
        // node permissions and context are properly set": a node just plugged in gets its
        // access rights from the rule before it is opened.
        udev_enumerate_add_match_is_initialized(enumerate);
        udev_enumerate_scan_devices(enumerate);
        udev_list_entry* entry = nullptr;
        udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate)) {
            udev_device* device =
                udev_device_new_from_syspath(context, udev_list_entry_get_name(entry));
            if (!device) {
                continue;
            }
            // "The returned the device is not referenced. It is attached to the child device,
            // and will be cleaned up when the child device is cleaned up." Uinput devices,
            // ours included, have no USB parent.
            udev_device* usb =
                udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_device");
            const char* node = udev_device_get_devnode(device);
            if (usb && node && hexAttribute(usb, "idVendor") == vendor &&
                hexAttribute(usb, "idProduct") == product) {
                nodes.emplace_back(node);
            }
            udev_device_unref(device);
        }
        udev_enumerate_unref(enumerate);
        udev_unref(context);
        std::sort(nodes.begin(), nodes.end());
        return nodes;
    }

    std::unique_ptr<GrabbedNode> grab(const std::string& node, int& error) override {
        return LibevdevNode::open(node, error);
    }

    std::unique_ptr<EventSink> createInjector(int& error) override {
        libevdev* description = libevdev_new();
        libevdev_set_name(description, "KESTRAN SOLUX MOUSE Z718 remapped input");
        libevdev_set_id_bustype(description, BUS_VIRTUAL);
        // Motion axes too, so that udev and libinput take it for a mouse as well as a keyboard.
        for (const uint16_t axis : {kRelX, kRelY, kRelWheel}) {
            libevdev_enable_event_code(description, kEvRel, axis, nullptr);
        }
        for (const uint16_t key : injectableKeys()) {
            libevdev_enable_event_code(description, kEvKey, key, nullptr);
        }
        auto device = UinputDevice::create(description, error);
        libevdev_free(description);
        return device;
    }

    std::unique_ptr<NodeReader> read(const std::vector<GrabbedNode*>& nodes,
                                     std::function<bool(size_t)> pump) override {
        const int wake = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        if (wake < 0) {
            return nullptr;
        }
        std::vector<int> fds;
        for (GrabbedNode* node : nodes) {
            fds.push_back(static_cast<LibevdevNode*>(node)->fd());
        }
        try {
            return std::make_unique<PollReader>(std::move(fds), std::move(pump), wake);
        } catch (const std::system_error&) {  // std::thread reports a failed start so
            close(wake);
            return nullptr;
        }
    }
};

}  // namespace

std::unique_ptr<EvdevSystem> linuxEvdevSystem() {
    return std::make_unique<LinuxEvdevSystem>();
}

}  // namespace z718::platform::evdev
