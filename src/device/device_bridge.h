#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <array>

#include "link/frame.h"
#include "settings/settings_store.h"

class Hid_Thread;

namespace z718 {

// The scene's values as command bytes.
// Stage colours: element i to byte i (at most 24, the rest 0); type 2 packs the first 8 bytes
// into 4 as nibble pairs, low nibble first.
std::array<uchar, 24> stageColourBlock(uchar type, const QVariantList& colours);
// DPI codes: element i to byte i; missing stages are sent disabled (0x80).
std::array<uchar, 8> dpiCodeBlock(const QVariantList& codes);

// What the view's device-settings slots do: record the scene's values in the current profile,
// then send the matching command; reads come from the profile or, for the few values the
// profile does not hold, from the device. Without a link the values are only recorded and
// device reads give 0.
class DeviceBridge {
public:
    DeviceBridge(SettingsStore& settings, Hid_Thread* hid) : settings_(settings), hid_(hid) {}

    // Mouse family and shared commands.
    void ui_01H_SetReportRate(uchar rate);
    void ui_02H_SetCurrentProfile(int profile);
    void ui_04H_SetGunData(uchar par0, uchar par1, uchar par2, uchar par3, uchar par4);
    void ui_0BH_SetCurrentDPIStage(uchar dpiStage);
    void ui_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2,
                                const QVariantList& configs);
    void ui_10H_SetLED8StageColor(uchar type, const QVariantList& src24);
    void ui_11H_SetDPISet(uchar dpiStage, const QVariantList& src8,
                          const QVariantList& valueForIndex);
    void ui_11H_SetDPISelect(const QVariantList& valueForIndex);
    QVariant ui_81H_GetReportRate();
    QVariant ui_8BH_GetCurrentDPIStage(bool viewVisible);
    QVariantList ui_8DH_GetRGBLedEffect();
    QVariantList ui_90H_GetLED8StageColor(uchar type);
    QVariantList ui_91H_GetDPISet();
    QVariantList ui_91H_GetDPISelect();
    uchar ui_91H_SyncDPI();
    QVariant getSensorType();
    bool chkIsLogoLedWork();

    // Keyboard family.
    void ui_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void ui_07H_SetControlIndicatorLight(uchar effect, uchar frequenty);
    void ui_08H_SetLEDType(uchar option, uchar effect, uchar speed, uchar light, uchar color,
                           uchar direction);
    void ui_09H_SetKeyboardMode(uchar mode);
    void ui_0EH_SetKeyOnOff(const QVariantList& src21);
    void ui_0EH_SetXYSensitive(const QVariant& par0, const QVariant& par1);
    void ui_12H_SetUserPicture(uchar index, uchar option, const QVariantList& src512);
    void ui_13H_SetRecoveryData();
    void ui_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue);
    QString ui_80H_GetFWVersion();
    QVariant ui_82H_GetCurrentProfile();
    QVariantList ui_83H_GetKeyboardoption();
    QVariantList ui_84H_GetButtonSensitivity();
    QVariantList ui_88H_GetLEDType();
    QVariant ui_89H_GetKeyboardMode();
    QVariantList ui_8EH_GetKeyOnOff();
    QVariantList ui_92H_GetUserPicture(uchar index);
    QVariantList ui_94H_GetColor(uchar index);

private:
    QSettings& profile() { return settings_.currentProfile(); }
    void store(const QString& key, const QVariant& value);
    QVariantList storedList(const QString& key);
    QVariantList storedUIntList(const QString& key);

    SettingsStore& settings_;
    Hid_Thread* hid_;
};

}  // namespace z718
