#include "platform/linux/udev_watcher.h"

#include <libudev.h>

#include <QSocketNotifier>

namespace z718 {

namespace {

class UdevMonitor : public QObject {
public:
    UdevMonitor(QObject* parent, udev* context, udev_monitor* monitor,
                std::function<void()> onChange)
        : QObject(parent), udev_(context), monitor_(monitor), onChange_(std::move(onChange)) {
        auto* notifier =
            new QSocketNotifier(udev_monitor_get_fd(monitor_), QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, [this] { drain(); });
    }
    ~UdevMonitor() override {
        udev_monitor_unref(monitor_);
        udev_unref(udev_);
    }

private:
    void drain() {
        while (udev_device* device = udev_monitor_receive_device(monitor_)) {
            udev_device_unref(device);
            onChange_();
        }
    }

    udev* udev_;
    udev_monitor* monitor_;
    std::function<void()> onChange_;
};

}  // namespace

QObject* UdevWatcher::create(QObject* parent, std::function<void()> onChange) {
    udev* context = udev_new();
    if (!context) {
        return nullptr;
    }
    udev_monitor* monitor = udev_monitor_new_from_netlink(context, "udev");
    // hidraw for the device link, input for the mouse's event nodes.
    if (!monitor ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor, "input", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor) < 0) {
        // Containers often have no udev netlink socket; detection then relies on the poll at start.
        if (monitor) {
            udev_monitor_unref(monitor);
        }
        udev_unref(context);
        return nullptr;
    }
    return new UdevMonitor(parent, context, monitor, std::move(onChange));
}

}  // namespace z718
