#pragma once

#include <array>
#include <string_view>

#include "link/frame.h"

namespace z718 {

// One data byte of a command frame: zero, a fixed value, the slot's n-th byte argument, or the
// length of the payload that follows the frame.
struct DataByte {
    enum Kind : uchar { Zero, Fixed, Argument, PayloadLength };
    Kind kind = Zero;
    uchar value = 0;
};
constexpr DataByte lit(uchar value) {
    return {DataByte::Fixed, value};
}
constexpr DataByte arg(uchar index) {
    return {DataByte::Argument, index};
}
constexpr DataByte payloadLength() {
    return {DataByte::PayloadLength, 0};
}
using DataLayout = std::array<DataByte, 6>;  // data1 .. data6

// Stage colours travel as 4 packed bytes for type 2 and as 8 RGB triples for any other type.
constexpr int kByStageType = -1;
constexpr int stageColourBytes(uchar type) {
    return type == 2 ? 4 : 24;
}

enum class Settle : bool { No, Yes };
enum class Pause : bool { No, Yes };

struct SetCommand {
    std::string_view slot;
    uchar code;
    DataLayout data;
    int payload;  // block bytes sent after the frame (kByStageType: by the first argument)
    Settle settle;
    Pause pause;
    const char* failure;
};

// Where a failed exchange leaves the out-arguments: the pre-filled reply is read back.
enum class Prefill : bool { Zeros, CallerValues };
// Whether out-arguments and block are written back only after a successful exchange.
enum class WriteBack : bool { Always, OnSuccess };

struct GetCommand {
    std::string_view slot;
    uchar code;
    DataLayout request;
    int payload;  // block bytes read after the reply (kByStageType: by the first argument)
    Prefill prefill;
    std::array<uchar, 6> replyData;  // per out-argument, the reply's data position (1 = data1)
    WriteBack writeBack;
    const char* failure;
};

// The tables, one row per slot; the short words keep each row on one line.
namespace rows {

constexpr auto kYes = Settle::Yes;
constexpr auto kNo = Settle::No;
constexpr auto kPause = Pause::Yes;
constexpr auto kGo = Pause::No;

// clang-format off
inline constexpr std::array kSetCommands{
    // Keyboard family and shared commands.
    //         slot                                  code  data1 .. data6                                       payload  settle pause   failure
    SetCommand{"hid_01H_SetReportRate",             0x01, {arg(0)},                                                    0, kYes, kGo,    "cmd Failed 01"},
    SetCommand{"hid_02H_SetCurrentProfile",         0x02, {arg(0)},                                                    0, kNo,  kPause, "cmd Failed 02"},
    SetCommand{"hid_03H_SetKeyboardoption",         0x03, {arg(0), arg(1), arg(2), arg(3)},                            0, kNo,  kPause, "cmd Failed 03"},
    SetCommand{"hid_04H_SetGunData",                0x04, {arg(0), arg(1), arg(2), arg(3), arg(4)},                    0, kYes, kGo,    "cmd Failed 04"},
    SetCommand{"hid_07H_SetControlIndicatorLight",  0x07, {arg(0), arg(1)},                                            0, kNo,  kPause, "cmd Failed 07"},
    SetCommand{"hid_08H_SetLEDType",                0x08, {arg(0), arg(1), arg(2), arg(3), arg(4), arg(5)},            0, kYes, kGo,    "cmd Failed 08"},
    SetCommand{"hid_09H_SetKeyboardMode",           0x09, {arg(0)},                                                    0, kYes, kGo,    "cmd Failed 09"},
    SetCommand{"hid_0DH_SetKeyMatrix",              0x0D, {lit(0), lit(0), lit(0x08)},                               512, kYes, kGo,    "cmd Failed 0D"},
    SetCommand{"hid_0EH_SetKeyOnOff",               0x0E, {lit(0), lit(0), lit(0x15)},                                21, kYes, kGo,    "cmd Failed 0E"},
    SetCommand{"hid_0EH_SetXYSensitive",            0x0E, {arg(0), arg(1)},                                            0, kYes, kGo,    "cmd Failed 0E"},
    SetCommand{"hid_11H_SetMacroKey",               0x11, {lit(0), arg(0), lit(0x03)},                               192, kYes, kGo,    "cmd Failed 11"},
    SetCommand{"hid_12H_SetUserPicture",            0x12, {lit(0), arg(0), lit(0x08), arg(1)},                       512, kYes, kGo,    "cmd Failed 12"},
    SetCommand{"hid_13H_SetRecoveryData",           0x13, {lit(0xFF)},                                                 0, kNo,  kPause, "cmd Failed 13"},
    SetCommand{"hid_14H_SetColor",                  0x14, {lit(0), arg(0), arg(1), arg(2), arg(3)},                    0, kNo,  kPause, "cmd Failed 14"},
    // Mouse family.
    SetCommand{"hid_03H_SetFunctionOption",         0x03, {arg(0), arg(1), arg(2), arg(3)},                            0, kYes, kPause, "cmd Failed 03"},
    SetCommand{"hid_07H_SetLEDInstructFunction",    0x07, {arg(0), arg(1), arg(2), arg(3)},                            0, kNo,  kGo,    "cmd Failed 07"},
    SetCommand{"hid_0BH_SetCurrentDPIStage",        0x0B, {arg(0)},                                                    0, kYes, kGo,    "cmd Failed 0B"},
    SetCommand{"hid_0DH_SetRGBLedEffect",           0x0D, {arg(0), arg(1), arg(2)},                                    0, kYes, kGo,    "cmd Failed 0D"},
    SetCommand{"hid_10H_SetLED8StageColor",         0x10, {arg(0), payloadLength()},                       kByStageType, kYes, kGo,    "cmd Failed 10"},
    SetCommand{"hid_11H_SetDPISet",                 0x11, {arg(0), lit(0x08)},                                         8, kYes, kGo,    "cmd Failed 11"},
};

constexpr auto kZeros = Prefill::Zeros;
constexpr auto kCaller = Prefill::CallerValues;
constexpr auto kAlways = WriteBack::Always;
constexpr auto kOnSuccess = WriteBack::OnSuccess;

inline constexpr std::array kGetCommands{
    // Keyboard family and shared commands.
    //         slot                                  code  request data        payload        pre-fill reply data   write back  failure
    GetCommand{"hid_00H_GetSecrecyCode",            0x00, {arg(0), arg(1), arg(2), arg(3)}, 0, kZeros,  {1, 2, 3, 4},    kAlways,    "cmd Failed 00"},
    GetCommand{"hid_80H_GetFWVersion",              0x80, {},                  0,             kZeros,  {1, 2},          kAlways,    "cmd Failed"},
    GetCommand{"hid_81H_GetReportRate",             0x81, {},                  0,             kCaller, {1},             kAlways,    "cmd Failed"},
    GetCommand{"hid_82H_GetCurrentProfile",         0x82, {},                  0,             kCaller, {1},             kAlways,    "cmd Failed"},
    GetCommand{"hid_83H_GetKeyboardoption",         0x83, {},                  0,             kCaller, {1, 2, 3, 4},    kAlways,    "cmd Failed"},
    GetCommand{"hid_84H_GetButtonSensitivity",      0x84, {},                  0,             kCaller, {1, 2, 3, 4},    kAlways,    "cmd Failed"},
    GetCommand{"hid_88H_GetLEDType",                0x88, {},                  0,             kCaller, {2, 3, 4, 5, 6}, kAlways,    "cmd Failed"},
    GetCommand{"hid_89H_GetKeyboardMode",           0x89, {},                  0,             kCaller, {1},             kAlways,    "cmd Failed"},
    GetCommand{"hid_8DH_GetKeyMatrix",              0x8D, {},                  512,           kZeros,  {},              kAlways,    "cmd Failed"},
    GetCommand{"hid_8EH_GetKeyOnOff",               0x8E, {},                  21,            kZeros,  {},              kAlways,    "cmd Failed"},
    GetCommand{"hid_91H_GetMacroKey",               0x91, {lit(0), arg(0)},    192,           kZeros,  {},              kAlways,    "cmd Failed"},
    GetCommand{"hid_92H_GetUserPicture",            0x92, {lit(0), arg(0)},    512,           kZeros,  {},              kAlways,    "cmd Failed"},
    GetCommand{"hid_94H_GetColor",                  0x94, {lit(0), arg(0)},    0,             kCaller, {3, 4, 5},       kAlways,    "cmd Failed"},
    // Mouse family.
    GetCommand{"hid_83H_GetFunctionOption",         0x83, {},                  0,             kZeros,  {1, 3, 4},       kAlways,    "cmd Failed"},
    GetCommand{"hid_87H_GetLEDInstructFunction",    0x87, {arg(0)},            0,             kZeros,  {2, 3, 4},       kOnSuccess, "cmd Failed"},
    GetCommand{"hid_8BH_GetCurrentDPIStage",        0x8B, {},                  0,             kZeros,  {1},             kAlways,    "cmd Failed"},
    GetCommand{"hid_8DH_GetRGBLedEffect",           0x8D, {},                  0,             kZeros,  {1, 2, 3},       kAlways,    "cmd Failed"},
    GetCommand{"hid_90H_GetLED8StageColor",         0x90, {arg(0)},            kByStageType,  kZeros,  {},              kAlways,    "cmd Failed"},
    GetCommand{"hid_91H_GetDPISet",                 0x91, {},                  8,             kZeros,  {1},             kOnSuccess, "cmd Failed"},
    GetCommand{"hid_92H_GetKeyMatrix",              0x92, {lit(0x01)},         64,            kZeros,  {},              kAlways,    "cmd Failed"},
    GetCommand{"hid_93H_GetMacroKey",               0x93, {arg(0)},            128,           kZeros,  {},              kAlways,    "cmd Failed"},
};
// clang-format on

}  // namespace rows

// The row of a slot, found while compiling: a misspelt slot name does not build.
template <typename Row, size_t N>
consteval const Row& commandRow(const std::array<Row, N>& table, std::string_view slot) {
    for (const Row& row : table) {
        if (row.slot == slot) {
            return row;
        }
    }
    throw "no command row for this slot";
}

consteval const SetCommand& setRow(std::string_view slot) {
    return commandRow(rows::kSetCommands, slot);
}
consteval const GetCommand& getRow(std::string_view slot) {
    return commandRow(rows::kGetCommands, slot);
}

}  // namespace z718
