// The view's device-settings, key-assignment and pointer slots: the scene's values become
// bytes and numbers here, for the bridge classes built per call over the view's settings and
// the link's commands.
#include <QFileInfo>
#include <QProcess>

#include "device/device_bridge.h"
#include "device/key_assignments.h"
#include "device/pointer_preferences.h"
#include "device/scene_values.h"
#include "i18n/desktop_texts.h"
#include "platform/timing.h"
#include "settings/app_config.h"
#include "ui/Hid_Thread.h"
#include "ui/myQQuickView.h"

using z718::PointerValue;

namespace {

z718::DeviceCommands* commands(myQQuickView* view) {
    return view->hid() ? &view->hid()->commands() : nullptr;
}

z718::DeviceBridge bridge(myQQuickView* view) {
    return z718::DeviceBridge(view->settings(), commands(view));
}

z718::KeyAssignments keys(myQQuickView* view) {
    return z718::KeyAssignments(view->settings(), commands(view));
}

z718::PointerPreferences pointerPreferences(myQQuickView* view) {
    return z718::PointerPreferences(view->settings(), view->pointer(), commands(view));
}

uchar uintByte(const QVariant& value) {
    return static_cast<uchar>(value.toUInt());
}

#ifdef Q_OS_WIN
const QString kUpdater = QStringLiteral("./update/update.exe");
#else
const QString kUpdater = QStringLiteral("./update/update");
#endif

}  // namespace

// --- device-settings bridge ---

void myQQuickView::ui_01H_SetReportRate(uchar rate) {
    bridge(this).setReportRate(rate);
}

void myQQuickView::ui_02H_SetCurrentProfile(int profile) {
    bridge(this).selectProfile(profile);
}

void myQQuickView::ui_04H_SetGunData(uchar par0, uchar par1, uchar par2, uchar par3, uchar par4) {
    bridge(this).sendGunData(par0, par1, par2, par3, par4);
}

void myQQuickView::ui_0BH_SetCurrentDPIStage(uchar dpiStage) {
    bridge(this).setDpiStage(dpiStage);
}

void myQQuickView::ui_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2,
                                          QVariantList configs) {
    bridge(this).setLightingEffect(effect, option1, option2, configs);
}

void myQQuickView::ui_10H_SetLED8StageColor(uchar type, QVariantList src24) {
    bridge(this).setStageColours(type, src24);
}

void myQQuickView::ui_11H_SetDPISet(uchar dpiStage, QVariantList src8, QVariantList valueForIndex) {
    bridge(this).setDpiStages(dpiStage, src8, valueForIndex);
}

void myQQuickView::ui_11H_SetDPISelect(QVariantList valueForIndex) {
    bridge(this).setDpiSelection(valueForIndex);
}

QVariant myQQuickView::ui_81H_GetReportRate() {
    return bridge(this).reportRate();
}

QVariant myQQuickView::ui_8BH_GetCurrentDPIStage() {
    return bridge(this).dpiStage(isVisible());
}

QVariantList myQQuickView::ui_8DH_GetRGBLedEffect() {
    return bridge(this).lightingEffect();
}

QVariantList myQQuickView::ui_90H_GetLED8StageColor(uchar type) {
    return bridge(this).stageColours(type);
}

QVariantList myQQuickView::ui_91H_GetDPISet() {
    return bridge(this).dpiStages();
}

QVariantList myQQuickView::ui_91H_GetDPISelect() {
    return bridge(this).dpiSelection();
}

uchar myQQuickView::ui_91H_SyncDPI() {
    return bridge(this).deviceDpiStageCount();
}

QVariant myQQuickView::getSensorType() {
    return bridge(this).sensorType();
}

bool myQQuickView::chkIsLogoLedWork() {
    return bridge(this).logoLedWorks();
}

bool myQQuickView::getMsgAns_FoolProofing() {
    const QStringList& messages = settings().messageStrings();
    return prompts_.question(tr("%1").arg(messages.value(4)),
                             QStringLiteral("%1").arg(messages.value(5)));
}

void myQQuickView::openUpdateExe() {
#ifndef Q_OS_WIN
    // Linux packages ship no updater: updates come through the package manager. Stopping the
    // worker for an updater that is not there would only cut the mouse off.
    if (!QFileInfo(kUpdater).isExecutable()) {
        const bool chinese = z718::appconfig::language(settings().appConfig()).toString() ==
                             QStringLiteral("ChineseSimplified");
        prompts_.warning(QStringLiteral("KESTRAN SOLUX MOUSE Z718"),
                         z718::desktopText(z718::DesktopText::UpdateByPackages, chinese));
        return;
    }
#endif
    if (hid()) {
        hid()->stopWorker();
    }
    z718::sleepMs(z718::durations().updaterDelayMs);
    auto* updater = new QProcess(this);
    updater->start(kUpdater, {}, QIODevice::ReadWrite);
}

void myQQuickView::ui_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4) {
    bridge(this).setKeyboardOptions({byte1, byte2, byte3, byte4});
}

void myQQuickView::ui_07H_SetControlIndicatorLight(uchar effect, uchar frequenty) {
    bridge(this).setIndicatorLight(effect, frequenty);
}

void myQQuickView::ui_08H_SetLEDType(uchar option, uchar effect, uchar speed, uchar light,
                                     uchar color, uchar direction) {
    bridge(this).setLedType(option, {effect, speed, light, color, direction});
}

void myQQuickView::ui_09H_SetKeyboardMode(uchar mode) {
    bridge(this).setKeyboardMode(mode);
}

void myQQuickView::ui_0EH_SetKeyOnOff(QVariantList src21) {
    bridge(this).setKeysEnabled(z718::intBlock<21>(src21));
}

void myQQuickView::ui_0EH_SetXYSensitive(QVariant par0, QVariant par1) {
    bridge(this).setXYSensitivity(uintByte(par0), uintByte(par1));
}

void myQQuickView::ui_12H_SetUserPicture(uchar index, uchar option, QVariantList src512) {
    bridge(this).setUserPicture(index, option, src512);
}

void myQQuickView::ui_13H_SetRecoveryData() {
    bridge(this).restoreFactoryData();
}

void myQQuickView::ui_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue) {
    bridge(this).setColour(index, {rValue, gValue, bValue});
}

QString myQQuickView::ui_80H_GetFWVersion() {
    return bridge(this).firmwareVersion();
}

QVariant myQQuickView::ui_82H_GetCurrentProfile() {
    return bridge(this).deviceProfile();
}

QVariantList myQQuickView::ui_83H_GetKeyboardoption() {
    return z718::intList(bridge(this).keyboardOptions());
}

QVariantList myQQuickView::ui_84H_GetButtonSensitivity() {
    return z718::intList(bridge(this).buttonSensitivity());
}

QVariantList myQQuickView::ui_88H_GetLEDType() {
    return bridge(this).ledType();
}

QVariant myQQuickView::ui_89H_GetKeyboardMode() {
    return bridge(this).keyboardMode();
}

QVariantList myQQuickView::ui_8EH_GetKeyOnOff() {
    return z718::intList(bridge(this).keysEnabled());
}

QVariantList myQQuickView::ui_92H_GetUserPicture(uchar index) {
    return bridge(this).userPicture(index);
}

QVariantList myQQuickView::ui_94H_GetColor(uchar index) {
    return bridge(this).colour(index);
}

// --- key assignments ---

QVariantList myQQuickView::getKeydefine(QVariant matrixId) {
    return keys(this).storedEntry(matrixId.toInt());
}

bool myQQuickView::mayChangeKeydefine(QVariantList src64, int row) {
    return z718::mayChangeButton(z718::intBlock<64>(src64), row);
}

void myQQuickView::ui_12H_SetKeyMatrix(QVariantList src64) {
    keys(this).setButtonEntries(src64);
}

// The scene hands over the gun matrix when a gun is applied; the engine has no use for it.
void myQQuickView::ui_12H_SetGunKeyMatrix(QVariantList) {}

void myQQuickView::ui_0DH_SetKeyMatrix(QVariantList src512) {
    keys(this).setWideMatrix(src512);
}

QVariantList myQQuickView::ui_92H_GetKeyMatrix() {
    return z718::intList(keys(this).deviceButtonEntries());
}

QVariantList myQQuickView::ui_8DH_GetKeyMatrix() {
    return z718::intList(keys(this).deviceWideMatrix());
}

void myQQuickView::changeMacroFileType(QVariant macroIndex, QVariant macroType) {
    keys(this).macroRepeatChanged(macroIndex.toUInt(), macroType.toInt());
}

void myQQuickView::changeMacroFileIndex(QVariant macroIndex) {
    keys(this).macroRemoved(macroIndex.toUInt());
}

void myQQuickView::forgetMacro(const QString& name) {
    keys(this).macroDeleted(name);
}

// --- pointer settings ---

void myQQuickView::setCursorSpeed(uint cursorSpeed) {
    pointerPreferences(this).set(PointerValue::CursorSpeed, cursorSpeed);
}

void myQQuickView::setVerticalScrollLines(uint lines) {
    pointerPreferences(this).set(PointerValue::ScrollLines, lines);
}

void myQQuickView::setDoubleClickSpeed(uint speed) {
    pointerPreferences(this).set(PointerValue::DoubleClickSpeed, speed);
}

void myQQuickView::setAcceleration(bool acceleration) {
    pointerPreferences(this).setAcceleration(acceleration);
}

bool myQQuickView::getAcceleration() {
    return pointerPreferences(this).acceleration();
}

uint myQQuickView::getCursorSpeed() {
    return pointerPreferences(this).recorded(PointerValue::CursorSpeed);
}

uint myQQuickView::getVerticalScrollLines() {
    return pointerPreferences(this).recorded(PointerValue::ScrollLines);
}

uint myQQuickView::getDoubleClickSpeed() {
    return pointerPreferences(this).recorded(PointerValue::DoubleClickSpeed);
}

void myQQuickView::setScrollPinSwap(bool isSwap) {
    pointerPreferences(this).setWheelSwap(isSwap);
}

bool myQQuickView::getScrollPinSwap() {
    return pointerPreferences(this).wheelSwap();
}
