#include "device/pointer_preferences.h"

#include <QDebug>

#include "device/command_set.h"
#include "device/pointer_apply.h"
#include "ui/Hid_Thread.h"

namespace z718 {

namespace {

constexpr uchar kWheelSwapBit = 0x40;  // in option1 of the mouse's function option

}  // namespace

void PointerPreferences::setCursorSpeed(uint cursorSpeed) {
    settings_.currentProfile().setValue(QStringLiteral("sensor/cursorSpeed_Q7"), cursorSpeed);
    if (!pointer::applyCursorSpeed(system_, cursorSpeed)) {
        qDebug("setCursorSpeed Failed");
    }
}

void PointerPreferences::setVerticalScrollLines(uint lines) {
    settings_.currentProfile().setValue(QStringLiteral("sensor/verticalScrollLines_Q7"), lines);
    if (!pointer::applyScrollLines(system_, lines)) {
        qDebug("setVerticalScrollLines Failed");
    }
}

void PointerPreferences::setDoubleClickSpeed(uint speed) {
    settings_.currentProfile().setValue(QStringLiteral("sensor/doubleClickSpeed_Q7"), speed);
    if (!pointer::applyDoubleClickSpeed(system_, speed)) {
        qDebug("setDoubleClickSpeed Failed");
    }
}

void PointerPreferences::setAcceleration(bool acceleration) {
    if (!pointer::applyAcceleration(system_, acceleration)) {
        qDebug("setAcceleration Failed");
    }
}

bool PointerPreferences::getAcceleration() {
    const std::optional<bool> acceleration = pointer::readAcceleration(system_);
    if (!acceleration) {
        qDebug("getAcceleration Failed");
    }
    return acceleration.value_or(false);
}

uint PointerPreferences::storedUInt(const char* key) {
    return settings_.currentProfile().value(QLatin1String(key), 0).toUInt();
}

uint PointerPreferences::getCursorSpeed() {
    return storedUInt("sensor/cursorSpeed_Q7");
}

uint PointerPreferences::getVerticalScrollLines() {
    return storedUInt("sensor/verticalScrollLines_Q7");
}

uint PointerPreferences::getDoubleClickSpeed() {
    return storedUInt("sensor/doubleClickSpeed_Q7");
}

void PointerPreferences::setScrollPinSwap(bool isSwap) {
    settings_.currentProfile().setValue(QStringLiteral("keydefine_Q7/scrollswap"), isSwap);
    if (!hid_) {
        return;
    }
    // The function option goes back as its read left it (zeros when that read failed), but no
    // report rate is guessed: when it cannot be read, nothing is written.
    uchar type = 0, option1 = 0, option2 = 0, rate = 0;
    hid_->hid_83H_GetFunctionOption(type, option1, option2);
    if (CommandSet(hid_->link()).fetch(getRow("hid_81H_GetReportRate"), {}, {&rate}) !=
        CommandSet::Exchange::Done) {
        return;
    }
    option1 = static_cast<uchar>((option1 & ~kWheelSwapBit) | (isSwap ? kWheelSwapBit : 0));
    hid_->hid_03H_SetFunctionOption(type, rate, option1, option2);
}

bool PointerPreferences::getScrollPinSwap() {
    return settings_.currentProfile()
        .value(QStringLiteral("keydefine_Q7/scrollswap"), false)
        .toBool();
}

}  // namespace z718
