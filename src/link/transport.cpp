#include "link/transport.h"

#include <QByteArray>
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/device_watcher.h"
#include "platform/timing.h"

namespace z718 {

LinkSecrets& linkSecrets() {
    static LinkSecrets secrets;
    return secrets;
}

// Every exit of a transfer gives the link back.
class Link::IdleOnExit {
public:
    explicit IdleOnExit(Link& link) : link_(link) {}
    ~IdleOnExit() { link_.idle_ = true; }

private:
    Link& link_;
};

Link::Link(HidApi& hid, std::function<void()> processEvents)
    : hid_(hid), processEvents_(std::move(processEvents)) {}

Link::~Link() {
    closeHandle();
}

void Link::setDevices(QList<DeviceRecord> devices) {
    std::lock_guard lock(devicesMutex_);
    devices_ = std::move(devices);
}

QList<DeviceRecord> Link::devices() const {
    std::lock_guard lock(devicesMutex_);
    return devices_;
}

DeviceRecord Link::device(uint32_t index) const {
    std::lock_guard lock(devicesMutex_);
    return index < static_cast<uint32_t>(devices_.size()) ? devices_[index] : DeviceRecord{};
}

void Link::clearInterface2Path(uint32_t index) {
    std::lock_guard lock(devicesMutex_);
    if (index < static_cast<uint32_t>(devices_.size())) {
        devices_[index].interface2Path.clear();
    }
}

int Link::reportLength() const {
    return device(current_).reportLength;
}

bool Link::acquireLink() {
    for (int round = 0; round < 255; ++round) {
        if (idle_) {
            idle_ = false;
            return true;
        }
        sleepMs(durations().acquireRoundMs);
        processEvents_();
    }
    return false;
}

HidApi::Device* Link::openInterface1(uint32_t index) {
    const QString path = device(index).interface1Path;
    if (path.isEmpty()) {
        return nullptr;
    }
    closeHandle();
    HidApi::Device* handle = hid_.openPath(path.toLatin1().constData());
    if (!handle) {
        // A refused open keeps failing until the next scan finds the device again; ask for that
        // scan as a device change would, so the mouse comes back once it opens again.
        {
            std::lock_guard lock(devicesMutex_);
            if (index < static_cast<uint32_t>(devices_.size())) {
                devices_[index].interface1Path.clear();
            }
        }
        emit DeviceWatcher::instance().deviceChanged();
        return nullptr;
    }
    hid_.setNonblocking(handle, 0);
    handle_ = handle;
    return handle;
}

void Link::closeHandle() {
    if (handle_) {
        hid_.close(handle_);
        handle_ = nullptr;
    }
}

template <typename Call>
int Link::onFreshHandle(Call call) {
    HidApi::Device* handle = openInterface1(current_);
    return handle ? call(handle) : -1;
}

bool Link::hidSetTransfer(int payloadLength, bool settle) {
    IdleOnExit release(*this);
    processEvents_();
    if (!openInterface1(current_)) {
        return false;
    }
    if (linkSecrets().scrambling) {
        scrambleBlock(&frame_[1], linkSecrets().secrecyCode.data());
    }
    if (onFreshHandle(
            [&](auto* h) { return hid_.sendFeatureReport(h, frame_.data(), kFrameSize); }) < 0) {
        closeHandle();
        return false;
    }
    if (settle) {
        settleWait();
    }
    if (payloadLength > 0) {
        if (!writePayload(payloadLength)) {
            closeHandle();
            return false;
        }
        if (settle) {
            settleWait();
        }
    }
    closeHandle();
    return true;
}

bool Link::writePayload(int payloadLength) {
    const int length = reportLength();
    if (length <= 0) {
        return false;  // a catalogue entry without a report length cannot carry a payload
    }
    payloadLength = std::min(payloadLength, kMaxPayload);
    const int chunk = std::min(payloadLength, length);
    std::vector<uchar> report(static_cast<size_t>(length) + 1, 0);
    for (int offset = 0; offset < payloadLength; offset += chunk) {
        report[0] = 0x00;
        const int available = std::min(chunk, kMaxPayload - offset);
        std::memcpy(&report[1], &payload_[offset], static_cast<size_t>(available));
        std::fill(report.begin() + 1 + available, report.begin() + 1 + chunk, 0);
        if (onFreshHandle([&](auto* h) { return hid_.write(h, report.data(), report.size()); }) <
            0) {
            return false;
        }
        sleepMs(durations().reportPauseMs);
    }
    return true;
}

bool Link::hidGetTransfer(int payloadLength) {
    IdleOnExit release(*this);
    if (!openInterface1(current_)) {
        return false;
    }
    if (linkSecrets().scrambling) {
        scrambleBlock(&frame_[1], linkSecrets().secrecyCode.data());
    }
    const bool exchanged = onFreshHandle([&](auto* h) {
                               return hid_.sendFeatureReport(h, frame_.data(), kFrameSize);
                           }) >= 0 &&
                           onFreshHandle([&](auto* h) {
                               return hid_.getFeatureReport(h, reply_.data(), kFrameSize);
                           }) >= 0;
    if (!exchanged) {
        closeHandle();
        return false;
    }
    if (payloadLength <= 0) {
        closeHandle();
        if (linkSecrets().scrambling) {
            unscrambleBlock(&reply_[1], linkSecrets().secrecyCode.data());
        }
        return true;
    }
    const bool read = readPayload(payloadLength);
    closeHandle();
    return read;
}

bool Link::readPayload(int payloadLength) {
    const int length = reportLength();
    if (length <= 0) {
        return false;
    }
    payloadLength = std::min(payloadLength, kMaxPayload);
    const int chunk = std::min(payloadLength, length);
    std::vector<uchar> report(static_cast<size_t>(length) + 1);
    for (int offset = 0; offset < payloadLength; offset += chunk) {
        std::fill(report.begin(), report.end(), 0);
        // A report that does not come in time fails the exchange like a failed read: a device
        // that stops answering must not hold the GUI thread for good.
        const int got = onFreshHandle([&](auto* h) {
            return hid_.readTimeout(h, report.data(), report.size(), durations().inputReportMs);
        });
        if (got <= 0) {
            return false;
        }
        const int available = std::min(chunk, kMaxPayload - offset);
        std::memcpy(&payload_[offset], report.data(), static_cast<size_t>(available));
    }
    return true;
}

void Link::settleWait() {
    // Nothing else sets the flag, so this always ends after the second sleep.
    settled_ = false;
    for (int i = 0; i < 256; ++i) {
        sleepMs(durations().settleSleepMs);
        if (settled_) {
            break;
        }
        settled_ = true;
    }
}

}  // namespace z718
