#pragma once

#include <QString>
#include <QVariantList>
#include <array>

#include "device/command_set.h"
#include "settings/settings_store.h"

namespace z718 {

// Stage colours: element i to byte i (at most 24, the rest 0); type 2 packs the first 8 bytes
// into 4 as nibble pairs, low nibble first.
std::array<uchar, 24> stageColourBlock(uchar type, const QVariantList& colours);
// DPI codes: element i to byte i; missing stages are sent disabled (0x80).
std::array<uchar, 8> dpiCodeBlock(const QVariantList& codes);

// The device settings as the pages see them: values are recorded in the current profile (as
// the page gave them), then the matching command is sent; reads come from the profile or, for
// the few values the profile does not hold, from the device. Without commands the values are
// only recorded and device reads give 0.
class DeviceBridge {
public:
    DeviceBridge(SettingsStore& settings, DeviceCommands* commands)
        : settings_(settings), commands_(commands) {}

    // Mouse family and shared commands.
    void setReportRate(uchar rate);
    void selectProfile(int profile);
    void sendGunData(uchar par0, uchar par1, uchar par2, uchar par3, uchar par4);
    void setDpiStage(uchar stage);
    void setLightingEffect(uchar effect, uchar option1, uchar option2,
                           const QVariantList& pageValues);
    void setStageColours(uchar type, const QVariantList& colours);
    void setDpiStages(uchar stageCount, const QVariantList& codes, const QVariantList& shown);
    void setDpiSelection(const QVariantList& selection);
    int reportRate();
    int dpiStage(bool viewVisible);
    QVariantList lightingEffect();
    QVariantList stageColours(uchar type);
    QVariantList dpiStages();
    QVariantList dpiSelection();
    uchar deviceDpiStageCount();
    int sensorType();
    bool logoLedWorks();

    // Keyboard family.
    void setKeyboardOptions(const std::array<uchar, 4>& options);
    void setIndicatorLight(uchar effect, uchar frequency);
    void setLedType(uchar option, const std::array<uchar, 5>& look);
    void setKeyboardMode(uchar mode);
    void setKeysEnabled(const std::array<uchar, 21>& keys);
    void setXYSensitivity(uchar x, uchar y);
    void setUserPicture(uchar index, uchar option, const QVariantList& picture);
    void restoreFactoryData();
    void setColour(uchar index, const std::array<uchar, 3>& rgb);
    QString firmwareVersion();
    int deviceProfile();
    std::array<uchar, 4> keyboardOptions();
    std::array<uchar, 4> buttonSensitivity();
    QVariantList ledType();
    int keyboardMode();
    std::array<uchar, 21> keysEnabled();
    QVariantList userPicture(uchar index);
    QVariantList colour(uchar index);

private:
    QSettings& profile() { return settings_.currentProfile(); }
    void store(const QString& key, const QVariant& value);
    QVariantList storedList(const QString& key);
    QVariantList storedUIntList(const QString& key);
    void send(const SetCommand& command, std::initializer_list<uchar> args,
              const uchar* block = nullptr);
    // Zero-filled outs stay zero when there are no commands.
    void fetch(const GetCommand& command, std::initializer_list<uchar> args,
               std::initializer_list<uchar*> outs, uchar* block = nullptr);

    SettingsStore& settings_;
    DeviceCommands* commands_;
};

}  // namespace z718
