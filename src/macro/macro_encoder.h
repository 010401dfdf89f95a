#pragma once

#include <QList>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>

namespace z718 {

// The device's macro buffer for one macro.
constexpr int kDeviceMacroBytes = 192;
using DeviceMacroBuffer = std::array<uchar, kDeviceMacroBytes>;

// Key name -> HID usage; 0 when the name names no key.
using KeyCodeLookup = std::function<uchar(const QString&)>;

// The device's macro byte stream for lines in the tagged form ("A    [Down]", "50   [Delay]").
// Delays are encoded by the format of the selected device (deviceId 0 or 1); lines it cannot
// encode are skipped.
QList<uchar> encodeMacro(const QStringList& lines, uint32_t deviceId, const KeyCodeLookup& keyCode);

// The first 192 bytes of a stream, zero-padded.
DeviceMacroBuffer deviceMacroBuffer(const QList<uchar>& stream);

}  // namespace z718
