#pragma once

#include <QObject>

namespace z718 {

// Tells the program that the set of attached devices changed. On Windows the main window's
// WM_DEVICECHANGE does this; elsewhere a system watcher (udev on Linux) and the virtual
// mouse's plug and unplug emit deviceChanged().
class DeviceWatcher : public QObject {
    Q_OBJECT
public:
    static DeviceWatcher& instance();

    // Starts listening to the system's device events; false when none can be had
    // (no udev, a sandbox). The program runs on without them.
    bool startSystemWatch();

signals:
    void deviceChanged();

private:
    DeviceWatcher() = default;
    QObject* systemWatch_ = nullptr;
};

}  // namespace z718
