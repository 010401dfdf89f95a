#pragma once

#include <QString>
#include <cstdint>
#include <initializer_list>

#include "device/command_tables.h"
#include "link/transport.h"

namespace z718 {

// What the bridges need of the link: where commands go, and the one send path and the one
// read path, both driven by a row of the command tables.
class DeviceCommands {
public:
    enum class Exchange { NoLink, Failed, Done };

    virtual ~DeviceCommands() = default;

    // The catalogue index of the device commands go to.
    virtual uint32_t currentDevice() const = 0;

    // args fill the row's argument positions; block holds the payload when the row has one.
    virtual void send(const SetCommand& command, std::initializer_list<uchar> args,
                      const uchar* block = nullptr) = 0;

    // outs receive the row's reply bytes; block is read into when the row reads a payload.
    virtual Exchange fetch(const GetCommand& command, std::initializer_list<uchar> args,
                           std::initializer_list<uchar*> outs, uchar* block = nullptr) = 0;
};

// The commands over the link: acquire it, fill the frame from the command's row, transfer,
// and hand the results back.
class CommandSet : public DeviceCommands {
public:
    explicit CommandSet(Link& link) : link_(link) {}

    uint32_t currentDevice() const override { return link_.currentIndex(); }
    void send(const SetCommand& command, std::initializer_list<uchar> args,
              const uchar* block = nullptr) override;
    Exchange fetch(const GetCommand& command, std::initializer_list<uchar> args,
                   std::initializer_list<uchar*> outs, uchar* block = nullptr) override;

private:
    Link& link_;
};

// data1 in lower-case hex, ".", data2 as two upper-case hex digits: 0x1A, 0x0B give "1a.0B".
QString firmwareVersionText(uchar major, uchar minor);

// Reads the firmware version into `version`: its text, "unknown" when the device did not
// answer, unchanged when the link was busy.
void readFirmwareVersion(DeviceCommands& commands, QString& version);

}  // namespace z718
