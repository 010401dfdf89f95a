// The view's device-settings, key-assignment and pointer slots: thin forwards to the bridge
// classes, built per call over the view's settings and link.
#include <QProcess>

#include "device/device_bridge.h"
#include "device/key_assignments.h"
#include "device/pointer_preferences.h"
#include "platform/timing.h"
#include "ui/Hid_Thread.h"
#include "ui/myQQuickView.h"
#include "ui/prompts.h"

namespace {

z718::DeviceBridge bridge(myQQuickView* view) {
    return z718::DeviceBridge(view->settings(), view->hid());
}

z718::KeyAssignments keys(myQQuickView* view) {
    return z718::KeyAssignments(view->settings(), view->hid());
}

z718::PointerPreferences pointer(myQQuickView* view) {
    return z718::PointerPreferences(view->settings(), z718::platform::pointerSettings(),
                                    view->hid());
}

#ifdef Q_OS_WIN
const QString kUpdater = QStringLiteral("./update/update.exe");
#else
const QString kUpdater = QStringLiteral("./update/update");
#endif

}  // namespace

// --- device-settings bridge ---

void myQQuickView::ui_01H_SetReportRate(uchar rate) {
    bridge(this).ui_01H_SetReportRate(rate);
}

void myQQuickView::ui_02H_SetCurrentProfile(int profile) {
    bridge(this).ui_02H_SetCurrentProfile(profile);
}

void myQQuickView::ui_04H_SetGunData(uchar par0, uchar par1, uchar par2, uchar par3, uchar par4) {
    bridge(this).ui_04H_SetGunData(par0, par1, par2, par3, par4);
}

void myQQuickView::ui_0BH_SetCurrentDPIStage(uchar dpiStage) {
    bridge(this).ui_0BH_SetCurrentDPIStage(dpiStage);
}

void myQQuickView::ui_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2,
                                          QVariantList configs) {
    bridge(this).ui_0DH_SetRGBLedEffect(effect, option1, option2, configs);
}

void myQQuickView::ui_10H_SetLED8StageColor(uchar type, QVariantList src24) {
    bridge(this).ui_10H_SetLED8StageColor(type, src24);
}

void myQQuickView::ui_11H_SetDPISet(uchar dpiStage, QVariantList src8, QVariantList valueForIndex) {
    bridge(this).ui_11H_SetDPISet(dpiStage, src8, valueForIndex);
}

void myQQuickView::ui_11H_SetDPISelect(QVariantList valueForIndex) {
    bridge(this).ui_11H_SetDPISelect(valueForIndex);
}

QVariant myQQuickView::ui_81H_GetReportRate() {
    return bridge(this).ui_81H_GetReportRate();
}

QVariant myQQuickView::ui_8BH_GetCurrentDPIStage() {
    return bridge(this).ui_8BH_GetCurrentDPIStage(isVisible());
}

QVariantList myQQuickView::ui_8DH_GetRGBLedEffect() {
    return bridge(this).ui_8DH_GetRGBLedEffect();
}

QVariantList myQQuickView::ui_90H_GetLED8StageColor(uchar type) {
    return bridge(this).ui_90H_GetLED8StageColor(type);
}

QVariantList myQQuickView::ui_91H_GetDPISet() {
    return bridge(this).ui_91H_GetDPISet();
}

QVariantList myQQuickView::ui_91H_GetDPISelect() {
    return bridge(this).ui_91H_GetDPISelect();
}

uchar myQQuickView::ui_91H_SyncDPI() {
    return bridge(this).ui_91H_SyncDPI();
}

QVariant myQQuickView::getSensorType() {
    return bridge(this).getSensorType();
}

bool myQQuickView::chkIsLogoLedWork() {
    return bridge(this).chkIsLogoLedWork();
}

bool myQQuickView::getMsgAns_FoolProofing() {
    const QStringList& messages = settings().messageStrings();
    return z718::prompts().question(tr("%1").arg(messages.value(4)),
                                    QStringLiteral("%1").arg(messages.value(5)));
}

void myQQuickView::openUpdateExe() {
    if (hid()) {
        hid()->stopWorker();
    }
    z718::sleepMs(z718::durations().updaterDelayMs);
    auto* updater = new QProcess(this);
    updater->start(kUpdater, {}, QIODevice::ReadWrite);
}

void myQQuickView::ui_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4) {
    bridge(this).ui_03H_SetKeyboardoption(byte1, byte2, byte3, byte4);
}

void myQQuickView::ui_07H_SetControlIndicatorLight(uchar effect, uchar frequenty) {
    bridge(this).ui_07H_SetControlIndicatorLight(effect, frequenty);
}

void myQQuickView::ui_08H_SetLEDType(uchar option, uchar effect, uchar speed, uchar light,
                                     uchar color, uchar direction) {
    bridge(this).ui_08H_SetLEDType(option, effect, speed, light, color, direction);
}

void myQQuickView::ui_09H_SetKeyboardMode(uchar mode) {
    bridge(this).ui_09H_SetKeyboardMode(mode);
}

void myQQuickView::ui_0EH_SetKeyOnOff(QVariantList src21) {
    bridge(this).ui_0EH_SetKeyOnOff(src21);
}

void myQQuickView::ui_0EH_SetXYSensitive(QVariant par0, QVariant par1) {
    bridge(this).ui_0EH_SetXYSensitive(par0, par1);
}

void myQQuickView::ui_12H_SetUserPicture(uchar index, uchar option, QVariantList src512) {
    bridge(this).ui_12H_SetUserPicture(index, option, src512);
}

void myQQuickView::ui_13H_SetRecoveryData() {
    bridge(this).ui_13H_SetRecoveryData();
}

void myQQuickView::ui_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue) {
    bridge(this).ui_14H_SetColor(index, rValue, gValue, bValue);
}

QString myQQuickView::ui_80H_GetFWVersion() {
    return bridge(this).ui_80H_GetFWVersion();
}

QVariant myQQuickView::ui_82H_GetCurrentProfile() {
    return bridge(this).ui_82H_GetCurrentProfile();
}

QVariantList myQQuickView::ui_83H_GetKeyboardoption() {
    return bridge(this).ui_83H_GetKeyboardoption();
}

QVariantList myQQuickView::ui_84H_GetButtonSensitivity() {
    return bridge(this).ui_84H_GetButtonSensitivity();
}

QVariantList myQQuickView::ui_88H_GetLEDType() {
    return bridge(this).ui_88H_GetLEDType();
}

QVariant myQQuickView::ui_89H_GetKeyboardMode() {
    return bridge(this).ui_89H_GetKeyboardMode();
}

QVariantList myQQuickView::ui_8EH_GetKeyOnOff() {
    return bridge(this).ui_8EH_GetKeyOnOff();
}

QVariantList myQQuickView::ui_92H_GetUserPicture(uchar index) {
    return bridge(this).ui_92H_GetUserPicture(index);
}

QVariantList myQQuickView::ui_94H_GetColor(uchar index) {
    return bridge(this).ui_94H_GetColor(index);
}

// --- key assignments ---

QVariantList myQQuickView::getKeydefine(QVariant matrixId) {
    return keys(this).getKeydefine(matrixId);
}

void myQQuickView::ui_12H_SetKeyMatrix(QVariantList src64) {
    keys(this).ui_12H_SetKeyMatrix(src64);
}

// The scene hands over the gun matrix when a gun is applied; the engine has no use for it.
void myQQuickView::ui_12H_SetGunKeyMatrix(QVariantList) {}

void myQQuickView::ui_0DH_SetKeyMatrix(QVariantList src512) {
    keys(this).ui_0DH_SetKeyMatrix(src512);
}

QVariantList myQQuickView::ui_92H_GetKeyMatrix() {
    return keys(this).ui_92H_GetKeyMatrix();
}

QVariantList myQQuickView::ui_8DH_GetKeyMatrix() {
    return keys(this).ui_8DH_GetKeyMatrix();
}

void myQQuickView::changeMacroFileType(QVariant macroIndex, QVariant macroType) {
    keys(this).changeMacroFileType(macroIndex, macroType);
}

void myQQuickView::changeMacroFileIndex(QVariant macroIndex) {
    keys(this).changeMacroFileIndex(macroIndex);
}

// --- pointer settings ---

void myQQuickView::setCursorSpeed(uint cursorSpeed) {
    pointer(this).setCursorSpeed(cursorSpeed);
}

void myQQuickView::setVerticalScrollLines(uint lines) {
    pointer(this).setVerticalScrollLines(lines);
}

void myQQuickView::setDoubleClickSpeed(uint speed) {
    pointer(this).setDoubleClickSpeed(speed);
}

void myQQuickView::setAcceleration(bool acceleration) {
    pointer(this).setAcceleration(acceleration);
}

bool myQQuickView::getAcceleration() {
    return pointer(this).getAcceleration();
}

uint myQQuickView::getCursorSpeed() {
    return pointer(this).getCursorSpeed();
}

uint myQQuickView::getVerticalScrollLines() {
    return pointer(this).getVerticalScrollLines();
}

uint myQQuickView::getDoubleClickSpeed() {
    return pointer(this).getDoubleClickSpeed();
}

void myQQuickView::setScrollPinSwap(bool isSwap) {
    pointer(this).setScrollPinSwap(isSwap);
}

bool myQQuickView::getScrollPinSwap() {
    return pointer(this).getScrollPinSwap();
}
