#include "device/pointer_preferences.h"

#include <QDebug>

#include "device/pointer_apply.h"

namespace z718 {

namespace {

constexpr uchar kWheelSwapBit = 0x40;  // in option1 of the mouse's function option
const QString kWheelSwapKey = QStringLiteral("keydefine_Q7/scrollswap");

// One row per PointerValue, in its order.
struct PointerRow {
    const char* key;
    bool (*apply)(platform::PointerSettings&, uint32_t);
    const char* failure;
};

constexpr PointerRow kPointerRows[] = {
    {"sensor/cursorSpeed_Q7", pointer::applyCursorSpeed, "setCursorSpeed Failed"},
    {"sensor/verticalScrollLines_Q7", pointer::applyScrollLines, "setVerticalScrollLines Failed"},
    {"sensor/doubleClickSpeed_Q7", pointer::applyDoubleClickSpeed, "setDoubleClickSpeed Failed"},
};

const PointerRow& row(PointerValue which) {
    return kPointerRows[static_cast<int>(which)];
}

}  // namespace

void PointerPreferences::set(PointerValue which, uint value) {
    settings_.currentProfile().setValue(QLatin1String(row(which).key), value);
    if (!row(which).apply(system_, value)) {
        qDebug("%s", row(which).failure);
    }
}

uint PointerPreferences::recorded(PointerValue which) {
    return settings_.currentProfile().value(QLatin1String(row(which).key), 0).toUInt();
}

void PointerPreferences::setAcceleration(bool acceleration) {
    if (!pointer::applyAcceleration(system_, acceleration)) {
        qDebug("setAcceleration Failed");
    }
}

bool PointerPreferences::acceleration() {
    const std::optional<bool> acceleration = pointer::readAcceleration(system_);
    if (!acceleration) {
        qDebug("getAcceleration Failed");
    }
    return acceleration.value_or(false);
}

void PointerPreferences::setWheelSwap(bool swapped) {
    settings_.currentProfile().setValue(kWheelSwapKey, swapped);
    if (!commands_) {
        return;
    }
    // The function option goes back as its read left it (zeros when that read failed), but no
    // report rate is guessed: when it cannot be read, nothing is written.
    uchar type = 0, option1 = 0, option2 = 0, rate = 0;
    commands_->fetch(getRow("hid_83H_GetFunctionOption"), {}, {&type, &option1, &option2});
    if (commands_->fetch(getRow("hid_81H_GetReportRate"), {}, {&rate}) !=
        DeviceCommands::Exchange::Done) {
        return;
    }
    option1 = static_cast<uchar>((option1 & ~kWheelSwapBit) | (swapped ? kWheelSwapBit : 0));
    commands_->send(setRow("hid_03H_SetFunctionOption"), {type, rate, option1, option2});
}

bool PointerPreferences::wheelSwap() {
    return settings_.currentProfile().value(kWheelSwapKey, false).toBool();
}

}  // namespace z718
