#pragma once

#include <QString>
#include <initializer_list>

#include "device/command_tables.h"
#include "link/transport.h"

namespace z718 {

// The one send path and the one read path behind every command slot: acquire the link, fill
// the frame from the command's row, transfer, and hand the results back.
class CommandSet {
public:
    enum class Exchange { NoLink, Failed, Done };

    explicit CommandSet(Link& link) : link_(link) {}

    // args fill the row's argument positions; block holds the payload when the row has one.
    void send(const SetCommand& command, std::initializer_list<uchar> args,
              const uchar* block = nullptr);

    // outs receive the row's reply bytes; block is read into when the row reads a payload.
    Exchange fetch(const GetCommand& command, std::initializer_list<uchar> args,
                   std::initializer_list<uchar*> outs, uchar* block = nullptr);

private:
    Link& link_;
};

// data1 in lower-case hex, ".", data2 as two upper-case hex digits: 0x1A, 0x0B give "1a.0B".
QString firmwareVersionText(uchar major, uchar minor);

}  // namespace z718
