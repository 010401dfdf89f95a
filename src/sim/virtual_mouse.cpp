#include "sim/virtual_mouse.h"

#include <algorithm>
#include <cstring>

#include "platform/device_watcher.h"

namespace z718::sim {

namespace {

// What an open handle of the virtual mouse points at.
struct SimHandle {
    std::string path;
};

SimHandle* simHandle(HidApi::Device* device) {
    return reinterpret_cast<SimHandle*>(device);
}

std::string interfacePath(const std::string& device, int number) {
    return "sim/" + device + "/if" + std::to_string(number);
}

}  // namespace

VirtualMouse::VirtualMouse(const QList<CatalogueEntry>& catalogue) {
    for (const CatalogueEntry& entry : catalogue) {
        SimDevice& device = entry.type == 1 ? mouse_ : keyboard_;
        if (entry.type == 0 || entry.type == 1) {
            device.entry = entry;
            device.found = true;
        }
    }
    mouse_.name = "mouse";
    keyboard_.name = "keyboard";
}

VirtualMouse::VirtualMouse() : VirtualMouse(loadCatalogue(kCataloguePath, {})) {}

VirtualMouse::~VirtualMouse() = default;

void VirtualMouse::plug() {
    {
        std::lock_guard lock(mutex_);
        plugged_ = true;
    }
    announceChange();
}

void VirtualMouse::unplug() {
    {
        std::lock_guard lock(mutex_);
        plugged_ = false;
    }
    inputChanged_.notify_all();
    announceChange();
}

bool VirtualMouse::isPlugged() const {
    std::lock_guard lock(mutex_);
    return plugged_;
}

void VirtualMouse::setKeyboardPresent(bool present) {
    {
        std::lock_guard lock(mutex_);
        keyboardPresent_ = present;
    }
    announceChange();
}

void VirtualMouse::announceChange() {
    emit DeviceWatcher::instance().deviceChanged();
}

void VirtualMouse::setScrambling(const std::array<uchar, 8>& code) {
    std::lock_guard lock(mutex_);
    scrambling_ = true;
    code_ = code;
}

void VirtualMouse::setFault(Fault fault, bool on) {
    {
        std::lock_guard lock(mutex_);
        faults_ = on ? (faults_ | fault) : (faults_ & ~fault);
    }
    inputChanged_.notify_all();
}

void VirtualMouse::clearFaults() {
    {
        std::lock_guard lock(mutex_);
        faults_ = 0;
    }
    inputChanged_.notify_all();
}

QStringList VirtualMouse::log() const {
    std::lock_guard lock(mutex_);
    return log_;
}

void VirtualMouse::clearLog() {
    std::lock_guard lock(mutex_);
    log_.clear();
}

int VirtualMouse::callCount() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

int VirtualMouse::openHandles() const {
    std::lock_guard lock(mutex_);
    return openHandles_;
}

bool VirtualMouse::present(const SimDevice& device) const {
    return device.found && (&device == &mouse_ ? plugged_ : keyboardPresent_);
}

void VirtualMouse::record(const char* kind, const unsigned char* data, size_t length) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length));
    log_.append(QString::fromLatin1(kind) + QLatin1Char(' ') +
                QString::fromLatin1(bytes.toHex(' ').toUpper()));
}

HidApi::Enumeration* VirtualMouse::enumerate(uint16_t vendorId, uint16_t productId) {
    std::lock_guard lock(mutex_);
    ++calls_;
    auto* list = new Enumeration;
    for (SimDevice* device : {&keyboard_, &mouse_}) {
        const CatalogueEntry& e = device->entry;
        const bool wanted =
            (vendorId == 0 || vendorId == e.vid) && (productId == 0 || productId == e.pid);
        if (!present(*device) || !wanted) {
            continue;
        }
        // A standard pointer collection first, as real mice expose, which must not match.
        list->push_back({interfacePath(device->name, 0), e.vid, e.pid, 0x0001, 0x0002});
        list->push_back({interfacePath(device->name, 1), e.vid, e.pid, e.usagePage, e.usage});
        list->push_back({interfacePath(device->name, 2), e.vid, e.pid, e.usagePage2, e.usage2});
    }
    return list;
}

void VirtualMouse::freeEnumeration(Enumeration* list) {
    std::lock_guard lock(mutex_);
    ++calls_;
    delete list;
}

HidApi::Device* VirtualMouse::openPath(const char* path) {
    std::lock_guard lock(mutex_);
    ++calls_;
    const std::string wanted(path);
    for (SimDevice* device : {&keyboard_, &mouse_}) {
        if (present(*device) && !failing(OpenRefused) &&
            (wanted == interfacePath(device->name, 1) ||
             wanted == interfacePath(device->name, 2))) {
            ++openHandles_;
            return reinterpret_cast<Device*>(new SimHandle{wanted});
        }
    }
    return nullptr;
}

VirtualMouse::SimDevice* VirtualMouse::deviceFor(Device* handle) {
    for (SimDevice* device : {&keyboard_, &mouse_}) {
        if (present(*device) && simHandle(handle)->path == interfacePath(device->name, 1)) {
            return device;
        }
    }
    return nullptr;
}

int VirtualMouse::setNonblocking(Device* device, int) {
    std::lock_guard lock(mutex_);
    ++calls_;
    return deviceFor(device) ? 0 : -1;
}

int VirtualMouse::sendFeatureReport(Device* handle, const unsigned char* data, size_t length) {
    std::lock_guard lock(mutex_);
    ++calls_;
    SimDevice* device = deviceFor(handle);
    if (!device || failing(SendFeatureFails) || length < kFrameSize) {
        return -1;
    }
    record("feature-out", data, length);
    Frame frame{};
    std::memcpy(frame.data(), data, kFrameSize);
    if (scrambling_) {
        unscrambleBlock(&frame[1], code_.data());
    }
    if (frameChecksum(&frame[1]) != frame[8]) {
        log_.append(QStringLiteral("bad-checksum"));
        return -1;
    }
    device->firmware.receiveFrame(frame.data());
    return static_cast<int>(length);
}

int VirtualMouse::getFeatureReport(Device* handle, unsigned char* data, size_t length) {
    std::lock_guard lock(mutex_);
    ++calls_;
    SimDevice* device = deviceFor(handle);
    if (!device || failing(GetFeatureFails)) {
        return -1;
    }
    Frame reply = device->firmware.reply();
    if (scrambling_) {
        scrambleBlock(&reply[1], code_.data());
    }
    const size_t count = std::min(length, reply.size());
    std::memcpy(data, reply.data(), count);
    record("feature-in", data, count);
    return static_cast<int>(count);
}

int VirtualMouse::write(Device* handle, const unsigned char* data, size_t length) {
    std::lock_guard lock(mutex_);
    ++calls_;
    SimDevice* device = deviceFor(handle);
    if (!device || failing(WriteFails) || length == 0) {
        return -1;
    }
    record("output", data, length);
    device->firmware.receivePayload(data + 1, length - 1);
    return static_cast<int>(length);
}

int VirtualMouse::readTimeout(Device* handle, unsigned char* data, size_t length,
                              int milliseconds) {
    std::unique_lock lock(mutex_);
    ++calls_;
    if (!inputChanged_.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                [&] { return !failing(InputNeverComes) || !deviceFor(handle); })) {
        return 0;
    }
    SimDevice* device = deviceFor(handle);
    if (!device || failing(ReadFails)) {
        return -1;
    }
    // Like hidapi for a device without numbered reports: the data bytes, no report id.
    const size_t reportLength = std::min(length, static_cast<size_t>(device->entry.reportLength));
    std::vector<uchar>& pending = device->firmware.pendingInput();
    const size_t count = std::min(reportLength, pending.size());
    std::memset(data, 0, reportLength);
    std::memcpy(data, pending.data(), count);
    pending.erase(pending.begin(), pending.begin() + static_cast<long>(count));
    record("input", data, reportLength);
    return static_cast<int>(reportLength);
}

void VirtualMouse::close(Device* device) {
    std::lock_guard lock(mutex_);
    ++calls_;
    --openHandles_;
    delete simHandle(device);
}

}  // namespace z718::sim
