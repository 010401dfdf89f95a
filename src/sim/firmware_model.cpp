#include "sim/firmware_model.h"

#include <algorithm>
#include <cstring>

namespace z718::sim {

namespace {

template <size_t N>
void copyInto(std::array<uchar, N>& target, const uchar* source, size_t count) {
    std::memcpy(target.data(), source, std::min(count, N));
}

template <size_t N>
std::vector<uchar> firstBytes(const std::array<uchar, N>& source, size_t count) {
    return {source.begin(), source.begin() + static_cast<long>(std::min(count, N))};
}

}  // namespace

void FirmwareModel::receiveFrame(const uchar* frame) {
    std::memcpy(lastFrame_.data(), frame, kFrameSize);
    const uchar code = lastFrame_[1];
    received_.clear();
    input_.clear();
    expected_ = 0;
    reply_ = makeFrame(code);
    if (code == 0x00 || code >= 0x80) {
        answerGet(code, lastFrame_);
        return;
    }
    expected_ = expectedPayload(code, lastFrame_);
    if (expected_ == 0) {
        applySet(code, lastFrame_, {});
    }
}

void FirmwareModel::receivePayload(const uchar* data, size_t length) {
    if (expected_ <= 0) {
        return;
    }
    const size_t take = std::min(length, static_cast<size_t>(expected_) - received_.size());
    received_.insert(received_.end(), data, data + take);
    if (received_.size() >= static_cast<size_t>(expected_)) {
        expected_ = 0;
        applySet(lastFrame_[1], lastFrame_, received_);
    }
}

int FirmwareModel::expectedPayload(uchar code, const Frame& f) const {
    if (family_ == Family::Mouse) {
        return (code == 0x10 || code == 0x11) ? f[3] : 0;
    }
    switch (code) {
        case 0x0D:
        case 0x11:
        case 0x12:
            return f[4] * 64;
        case 0x0E:
            return f[4] == 0x15 ? 21 : 0;
        default:
            return 0;
    }
}

// The command tables of the firmware, one case a line where it fits.
// clang-format off
void FirmwareModel::applySet(uchar code, const Frame& f, const std::vector<uchar>& p) {
    FirmwareState& s = state_;
    const uchar* d = &f[2];  // d[0] is data1
    if (code == 0x01) {
        s.reportRate = d[0];
    } else if (code == 0x04) {
        copyInto(s.gunData, d, 5);
    } else if (family_ == Family::Mouse) {
        switch (code) {
            case 0x03:
                s.sensorType = d[0];
                s.reportRate = d[1];
                copyInto(s.functionOptions, d + 2, 2);
                break;
            case 0x07: copyInto(s.ledInstruct[d[0]], d + 1, 3); break;
            case 0x0B: s.dpiStage = d[0]; break;
            case 0x0D: copyInto(s.rgbEffect, d, 3); break;
            case 0x10: copyInto(s.stageColors[d[0]], p.data(), p.size()); break;
            case 0x11:
                s.dpiMaxStage = d[0];
                copyInto(s.dpiCodes, p.data(), p.size());
                break;
            default: break;
        }
        return;
    }
    switch (code) {
        case 0x02: s.currentProfile = d[0]; break;
        case 0x03: copyInto(s.keyboardOptions, d, 4); break;
        case 0x07: copyInto(s.indicatorLight, d, 2); break;
        case 0x08: copyInto(s.ledType, d + 1, 5); break;
        case 0x09: s.keyboardMode = d[0]; break;
        case 0x0D: copyInto(s.keyMatrix, p.data(), p.size()); break;
        case 0x0E:
            if (p.empty()) {
                copyInto(s.xySensitive, d, 2);
            } else {
                copyInto(s.keyOnOff, p.data(), p.size());
            }
            break;
        case 0x11: copyInto(s.macros[d[1]], p.data(), p.size()); break;
        case 0x12: copyInto(s.userPictures[d[1]], p.data(), p.size()); break;
        case 0x13: ++s.recoveries; break;
        case 0x14: copyInto(s.colors[d[1]], d + 2, 3); break;
        default: break;
    }
}

void FirmwareModel::answerGet(uchar code, const Frame& f) {
    FirmwareState& s = state_;
    uchar* r = &reply_[2];  // r[0] is data1 of the reply
    const uchar* d = &f[2];
    switch (code) {
        case 0x00: std::memcpy(r, s.secrecyCode.data(), 4); break;
        case 0x80: r[0] = s.firmwareVersion[0]; r[1] = s.firmwareVersion[1]; break;
        case 0x81: r[0] = s.reportRate; break;
        default: break;
    }
    if (family_ == Family::Mouse) {
        switch (code) {
            case 0x83:
                r[0] = s.sensorType;
                r[1] = s.reportRate;
                r[2] = s.functionOptions[0];
                r[3] = s.functionOptions[1];
                break;
            case 0x87:
                r[0] = d[0];
                std::memcpy(r + 1, s.ledInstruct[d[0]].data(), 3);
                break;
            case 0x8B: r[0] = s.dpiStage; break;
            case 0x8D: std::memcpy(r, s.rgbEffect.data(), 3); break;
            case 0x90: input_ = firstBytes(s.stageColors[d[0]], d[0] == 2 ? 4 : 24); break;
            case 0x91:
                r[0] = s.dpiMaxStage;
                input_ = firstBytes(s.dpiCodes, 8);
                break;
            case 0x92: input_ = firstBytes(s.keyMatrix, 64); break;
            case 0x93: input_ = firstBytes(s.macros[d[0]], 128); break;
            default: break;
        }
    } else {
        switch (code) {
            case 0x82: r[0] = s.currentProfile; break;
            case 0x83: std::memcpy(r, s.keyboardOptions.data(), 4); break;
            case 0x84: std::memcpy(r, s.buttonSensitivity.data(), 4); break;
            case 0x88: std::memcpy(r + 1, s.ledType.data(), 5); break;
            case 0x89: r[0] = s.keyboardMode; break;
            case 0x8D: input_ = firstBytes(s.keyMatrix, 512); break;
            case 0x8E: input_ = firstBytes(s.keyOnOff, 21); break;
            case 0x91: input_ = firstBytes(s.macros[d[1]], 192); break;
            case 0x92: input_ = firstBytes(s.userPictures[d[1]], 512); break;
            case 0x94:
                r[0] = d[0];
                r[1] = d[1];
                std::memcpy(r + 2, s.colors[d[1]].data(), 3);
                break;
            default: break;
        }
    }
    reply_[8] = frameChecksum(&reply_[1]);
}
// clang-format on

}  // namespace z718::sim
