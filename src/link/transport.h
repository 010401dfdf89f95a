#pragma once

#include <QList>
#include <array>
#include <cstdint>
#include <functional>
#include <mutex>

#include "link/device_record.h"
#include "link/frame.h"
#include "link/hid_api.h"

namespace z718 {

// Process-wide scrambling state: the switch is off unless something turns it on.
struct LinkSecrets {
    std::array<uchar, 8> secrecyCode{};
    bool scrambling = false;
};
LinkSecrets& linkSecrets();

// The link to the current device: the command frame, reply and payload buffers, the idle
// flag that serialises commands, and the two transfers every command ends in. It opens the
// device around every single report and keeps no handle between transfers.
class Link {
public:
    // processEvents runs pending application events while a command waits for the link.
    Link(HidApi& hid, std::function<void()> processEvents);
    ~Link();
    Link(const Link&) = delete;
    Link& operator=(const Link&) = delete;

    // Device list and current device (replaced by every scan).
    void setDevices(QList<DeviceRecord> devices);
    QList<DeviceRecord> devices() const;
    DeviceRecord device(uint32_t index) const;
    void clearInterface2Path(uint32_t index);
    uint32_t currentIndex() const { return current_; }
    void setCurrentIndex(uint32_t index) { current_ = index; }

    bool isIdle() const { return idle_; }
    void setIdle() { idle_ = true; }

    bool acquireLink();
    bool hidSetTransfer(int payloadLength, bool settle);
    bool hidGetTransfer(int payloadLength);
    void settleWait();
    HidApi::Device* openInterface1(uint32_t index);

    Frame& frame() { return frame_; }
    Frame& reply() { return reply_; }
    uchar* payload() { return payload_.data(); }

private:
    class IdleOnExit;
    int reportLength() const;
    void closeHandle();
    // hidapi calls are each made on a freshly opened handle.
    template <typename Call>
    int onFreshHandle(Call call);
    bool writePayload(int payloadLength);
    bool readPayload(int payloadLength);

    HidApi& hid_;
    std::function<void()> processEvents_;
    mutable std::mutex devicesMutex_;  // the worker clears a path when it ends
    QList<DeviceRecord> devices_;
    uint32_t current_ = 0;
    HidApi::Device* handle_ = nullptr;
    bool idle_ = true;
    bool settled_ = true;
    Frame frame_{};
    Frame reply_{};
    std::array<uchar, kMaxPayload> payload_{};
};

}  // namespace z718
