#include "device/command_set.h"

#include <QDebug>
#include <algorithm>
#include <cstring>

#include "platform/timing.h"

namespace z718 {

namespace {

uchar nth(std::initializer_list<uchar> args, size_t index) {
    return index < args.size() ? *(args.begin() + index) : 0;
}

int payloadBytes(int payload, std::initializer_list<uchar> args) {
    return payload == kByStageType ? stageColourBytes(nth(args, 0)) : payload;
}

Frame buildFrame(uchar code, const DataLayout& layout, std::initializer_list<uchar> args,
                 int payload) {
    Frame frame{};
    frame[1] = code;
    for (size_t i = 0; i < layout.size(); ++i) {
        const DataByte& byte = layout[i];
        switch (byte.kind) {
            case DataByte::Zero:
                break;
            case DataByte::Fixed:
                frame[2 + i] = byte.value;
                break;
            case DataByte::Argument:
                frame[2 + i] = nth(args, byte.value);
                break;
            case DataByte::PayloadLength:
                frame[2 + i] = static_cast<uchar>(payload);
                break;
        }
    }
    frame[8] = frameChecksum(&frame[1]);
    return frame;
}

// Frame byte of the reply that carries data position `position` (1 = data1).
size_t replyByte(uchar position) {
    return 1u + position;
}

}  // namespace

void CommandSet::send(const SetCommand& command, std::initializer_list<uchar> args,
                      const uchar* block) {
    if (!link_.acquireLink()) {
        qDebug("%s", command.failure);
        return;
    }
    const int length = payloadBytes(command.payload, args);
    link_.frame() = buildFrame(command.code, command.data, args, length);
    if (length > 0) {
        if (block) {
            std::memcpy(link_.payload(), block, static_cast<size_t>(length));
        } else {
            std::fill_n(link_.payload(), length, 0);
        }
    }
    link_.hidSetTransfer(length, command.settle == Settle::Yes);
    if (command.pause == Pause::Yes) {
        sleepMs(durations().commandPauseMs);
    }
}

CommandSet::Exchange CommandSet::fetch(const GetCommand& command, std::initializer_list<uchar> args,
                                       std::initializer_list<uchar*> outs, uchar* block) {
    if (!link_.acquireLink()) {
        qDebug("%s", command.failure);
        return Exchange::NoLink;
    }
    const int length = payloadBytes(command.payload, args);
    link_.frame() = buildFrame(command.code, command.request, args, length);
    // A failed exchange leaves this pre-fill where the reply would have been.
    link_.reply() = Frame{};
    size_t n = 0;
    for (uchar* out : outs) {
        if (command.prefill == Prefill::CallerValues) {
            link_.reply()[replyByte(command.replyData[n])] = *out;
        }
        ++n;
    }
    if (length > 0 && block) {
        std::memcpy(link_.payload(), block, static_cast<size_t>(length));
    }
    const bool done = link_.hidGetTransfer(length);
    if (done || command.writeBack == WriteBack::Always) {
        n = 0;
        for (uchar* out : outs) {
            *out = link_.reply()[replyByte(command.replyData[n++])];
        }
        if (length > 0 && block) {
            std::memcpy(block, link_.payload(), static_cast<size_t>(length));
        }
    }
    return done ? Exchange::Done : Exchange::Failed;
}

QString firmwareVersionText(uchar major, uchar minor) {
    return QString::number(major, 16) + QLatin1Char('.') +
           QStringLiteral("%1").arg(minor, 2, 16, QLatin1Char('0')).toUpper();
}

void readFirmwareVersion(DeviceCommands& commands, QString& version) {
    uchar major = 0;
    uchar minor = 0;
    switch (commands.fetch(getRow("hid_80H_GetFWVersion"), {}, {&major, &minor})) {
        case DeviceCommands::Exchange::NoLink:
            break;
        case DeviceCommands::Exchange::Failed:
            version = QStringLiteral("unknown");
            break;
        case DeviceCommands::Exchange::Done:
            version = firmwareVersionText(major, minor);
            break;
    }
}

}  // namespace z718
