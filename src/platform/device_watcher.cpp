#include "platform/device_watcher.h"

#ifdef Z718_HAVE_UDEV
#include "platform/linux/udev_watcher.h"
#endif

namespace z718 {

DeviceWatcher& DeviceWatcher::instance() {
    static DeviceWatcher watcher;
    return watcher;
}

bool DeviceWatcher::startSystemWatch() {
    if (systemWatch_) {
        return true;
    }
#ifdef Z718_HAVE_UDEV
    systemWatch_ = UdevWatcher::create(this, [this] { emit deviceChanged(); });
#endif
    return systemWatch_ != nullptr;
}

}  // namespace z718
