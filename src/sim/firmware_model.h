#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "link/frame.h"

namespace z718::sim {

// What the simulated firmware remembers. Set commands store into it; get commands answer
// from it. Tests may read and change it directly.
struct FirmwareState {
    uchar reportRate = 1;
    uchar sensorType = 0x12;
    std::array<uchar, 2> functionOptions{};  // option1, option2 of 03H / 83H
    uchar dpiMaxStage = 7;
    std::array<uchar, 8> dpiCodes{};                     // 11H / 91H
    uchar dpiStage = 0;                                  // 0BH / 8BH
    std::array<uchar, 3> rgbEffect{};                    // 0DH / 8DH (mouse)
    std::map<uchar, std::array<uchar, 24>> stageColors;  // 10H / 90H by type
    std::map<uchar, std::array<uchar, 3>> ledInstruct;   // 07H / 87H by type
    std::array<uchar, 512> keyMatrix{};                  // 0DH / 8DH (keyboard); 92H reads 64
    std::map<uchar, std::array<uchar, 192>> macros;      // 11H / 91H (keyboard); 93H reads 128
    std::array<uchar, 2> firmwareVersion{0x01, 0x05};    // 80H
    std::array<uchar, 4> secrecyCode{};                  // 00H
    std::array<uchar, 5> gunData{};                      // 04H
    std::array<uchar, 2> xySensitive{};                  // 0EH without payload
    std::array<uchar, 21> keyOnOff{};                    // 0EH / 8EH
    uchar currentProfile = 0;                            // 02H / 82H
    std::array<uchar, 4> keyboardOptions{};              // 03H / 83H (keyboard)
    std::array<uchar, 4> buttonSensitivity{4, 4, 4, 4};  // 84H
    std::array<uchar, 5> ledType{};         // 08H / 88H: effect, speed, light, color, direction
    uchar keyboardMode = 0;                 // 09H / 89H
    std::array<uchar, 2> indicatorLight{};  // 07H (keyboard)
    std::map<uchar, std::array<uchar, 512>> userPictures;  // 12H / 92H (keyboard)
    std::map<uchar, std::array<uchar, 3>> colors;          // 14H / 94H
    int recoveries = 0;                                    // 13H
};

// The firmware of one device: it takes command frames and payload bytes and produces reply
// frames and input payloads, interpreting codes by its command family.
class FirmwareModel {
public:
    enum class Family { Keyboard, Mouse };

    explicit FirmwareModel(Family family) : family_(family) {}

    Family family() const { return family_; }
    FirmwareState& state() { return state_; }

    // A command frame arrived as a feature report.
    void receiveFrame(const uchar* frame);
    // The reply to the last frame (echo, data, checksum).
    Frame reply() const { return reply_; }
    // Data bytes of one output report (without the report id).
    void receivePayload(const uchar* data, size_t length);
    // The input payload the last get command produced, not yet read.
    std::vector<uchar>& pendingInput() { return input_; }

private:
    void applySet(uchar code, const Frame& frame, const std::vector<uchar>& payload);
    void answerGet(uchar code, const Frame& frame);
    int expectedPayload(uchar code, const Frame& frame) const;

    Family family_;
    FirmwareState state_;
    Frame lastFrame_{};
    Frame reply_{};
    int expected_ = 0;
    std::vector<uchar> received_;
    std::vector<uchar> input_;
};

}  // namespace z718::sim
