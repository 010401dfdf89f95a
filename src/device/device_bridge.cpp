#include "device/device_bridge.h"

#include "device/scene_values.h"
#include "settings/ini_values.h"
#include "ui/Hid_Thread.h"

namespace z718 {

namespace {

constexpr uint32_t kMouseEntry = 1;  // the catalogue's mouse; the keyboard is entry 0
constexpr uchar kDisabledStage = 0x80;

uchar uintByte(const QVariant& value) {
    return static_cast<uchar>(value.toUInt());
}

}  // namespace

std::array<uchar, 24> stageColourBlock(uchar type, const QVariantList& colours) {
    std::array<uchar, 24> block = intBlock<24>(colours);
    if (type == 2) {
        for (size_t k = 0; k < 4; ++k) {
            block[k] = static_cast<uchar>((block[2 * k] & 0x0F) | (block[2 * k + 1] << 4));
        }
    }
    return block;
}

std::array<uchar, 8> dpiCodeBlock(const QVariantList& codes) {
    return intBlock<8>(codes, kDisabledStage);
}

void DeviceBridge::store(const QString& key, const QVariant& value) {
    profile().setValue(key, storedForm(value));
}

QVariantList DeviceBridge::storedList(const QString& key) {
    return listValue(profile().value(key));
}

QVariantList DeviceBridge::storedUIntList(const QString& key) {
    QVariantList values;
    for (const QVariant& value : storedList(key)) {
        values.append(value.toUInt());
    }
    return values;
}

// --- mouse family and shared commands ---

void DeviceBridge::ui_01H_SetReportRate(uchar rate) {
    if (!hid_) {
        return;
    }
    if (hid_->link().currentIndex() == kMouseEntry) {
        store(QStringLiteral("sensor/reportRate_Q7"), int(rate));
    }
    hid_->hid_01H_SetReportRate(rate);
}

void DeviceBridge::ui_02H_SetCurrentProfile(int profile) {
    if (profile == settings_.currentProfileIndex() || !SettingsStore::isProfileIndex(profile)) {
        return;
    }
    settings_.setCurrentProfileIndex(profile);
    settings_.appConfig().setValue(QStringLiteral("Q7/profileNo"), profile);
}

void DeviceBridge::ui_04H_SetGunData(uchar par0, uchar par1, uchar par2, uchar par3, uchar par4) {
    if (hid_) {
        hid_->hid_04H_SetGunData(par0, par1, par2, par3, par4);
    }
}

void DeviceBridge::ui_0BH_SetCurrentDPIStage(uchar dpiStage) {
    store(QStringLiteral("sensor/stage_Q7"), int(dpiStage));
    if (hid_) {
        hid_->hid_0BH_SetCurrentDPIStage(dpiStage);
    }
}

void DeviceBridge::ui_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2,
                                          const QVariantList& configs) {
    store(QStringLiteral("color_Q7/ledEffect"), configs);
    if (hid_) {
        hid_->hid_0DH_SetRGBLedEffect(effect, option1, option2);
    }
}

void DeviceBridge::ui_10H_SetLED8StageColor(uchar type, const QVariantList& src24) {
    store(numberedKey("color_Q7/type", type), src24);
    std::array<uchar, 24> block = stageColourBlock(type, src24);
    if (hid_) {
        hid_->hid_10H_SetLED8StageColor(type, block.data());
    }
}

void DeviceBridge::ui_11H_SetDPISet(uchar dpiStage, const QVariantList& src8,
                                    const QVariantList& valueForIndex) {
    store(QStringLiteral("sensor/dpi_Q7"), valueForIndex);
    std::array<uchar, 8> block = dpiCodeBlock(src8);
    if (hid_) {
        hid_->hid_11H_SetDPISet(dpiStage, block.data());
    }
}

void DeviceBridge::ui_11H_SetDPISelect(const QVariantList& valueForIndex) {
    store(QStringLiteral("sensor/dpi_Select"), valueForIndex);
}

QVariant DeviceBridge::ui_81H_GetReportRate() {
    const uint32_t device = hid_ ? hid_->link().currentIndex() : kMouseEntry;
    if (device == kMouseEntry) {
        return int(uintByte(profile().value(QStringLiteral("sensor/reportRate_Q7"), 0)));
    }
    uchar rate = 0;
    if (hid_ && device == 0) {
        hid_->hid_81H_GetReportRate(rate);
    }
    return int(rate);
}

QVariant DeviceBridge::ui_8BH_GetCurrentDPIStage(bool viewVisible) {
    uchar stage = 0;
    if (hid_ && viewVisible) {
        hid_->hid_8BH_GetCurrentDPIStage(stage);
    }
    return int(stage);
}

QVariantList DeviceBridge::ui_8DH_GetRGBLedEffect() {
    return storedUIntList(QStringLiteral("color_Q7/ledEffect"));
}

QVariantList DeviceBridge::ui_90H_GetLED8StageColor(uchar type) {
    return storedUIntList(numberedKey("color_Q7/type", type));
}

QVariantList DeviceBridge::ui_91H_GetDPISet() {
    return storedList(QStringLiteral("sensor/dpi_Q7"));
}

QVariantList DeviceBridge::ui_91H_GetDPISelect() {
    return storedList(QStringLiteral("sensor/dpi_Select"));
}

uchar DeviceBridge::ui_91H_SyncDPI() {
    uchar stages = 0;
    std::array<uchar, 8> codes{};
    if (hid_ && hid_->hid_91H_GetDPISet(stages, codes.data())) {
        return stages;
    }
    return 8;
}

QVariant DeviceBridge::getSensorType() {
    uchar type = 0, option1 = 0, option2 = 0;
    if (hid_) {
        hid_->hid_83H_GetFunctionOption(type, option1, option2);
    }
    return int(type);
}

bool DeviceBridge::chkIsLogoLedWork() {
    uchar option1 = 0, option2 = 0, option3 = 0;
    return hid_ && hid_->hid_87H_GetLEDInstructFunction(0, option1, option2, option3) &&
           option1 == 0;
}

// --- keyboard family ---

void DeviceBridge::ui_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4) {
    if (hid_) {
        hid_->hid_03H_SetKeyboardoption(byte1, byte2, byte3, byte4);
    }
}

void DeviceBridge::ui_07H_SetControlIndicatorLight(uchar effect, uchar frequenty) {
    if (hid_) {
        hid_->hid_07H_SetControlIndicatorLight(effect, frequenty);
    }
}

void DeviceBridge::ui_08H_SetLEDType(uchar option, uchar effect, uchar speed, uchar light,
                                     uchar color, uchar direction) {
    store(QStringLiteral("color/ledType"),
          intList(std::array{effect, speed, light, color, direction}));
    if (hid_) {
        hid_->hid_08H_SetLEDType(option, effect, speed, light, color, direction);
    }
}

void DeviceBridge::ui_09H_SetKeyboardMode(uchar mode) {
    if (hid_) {
        hid_->hid_09H_SetKeyboardMode(mode);
    }
}

void DeviceBridge::ui_0EH_SetKeyOnOff(const QVariantList& src21) {
    std::array<uchar, 21> block = intBlock<21>(src21);
    if (hid_) {
        hid_->hid_0EH_SetKeyOnOff(block.data());
    }
}

void DeviceBridge::ui_0EH_SetXYSensitive(const QVariant& par0, const QVariant& par1) {
    if (hid_) {
        hid_->hid_0EH_SetXYSensitive(uintByte(par0), uintByte(par1));
    }
}

void DeviceBridge::ui_12H_SetUserPicture(uchar index, uchar option, const QVariantList& src512) {
    store(numberedKey("userPicture/", index), src512);
    if (option == 255 || !hid_) {
        return;  // 255 records the picture without sending it
    }
    std::array<uchar, 512> block = intBlock<512>(src512);
    hid_->hid_12H_SetUserPicture(index, option, block.data());
}

void DeviceBridge::ui_13H_SetRecoveryData() {
    if (hid_) {
        hid_->hid_13H_SetRecoveryData();
    }
}

void DeviceBridge::ui_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue) {
    store(numberedKey("color/", index), intList(std::array{rValue, gValue, bValue}));
    if (hid_) {
        hid_->hid_14H_SetColor(index, rValue, gValue, bValue);
    }
}

QString DeviceBridge::ui_80H_GetFWVersion() {
    QString version;
    if (hid_) {
        hid_->hid_80H_GetFWVersion(version);
    }
    return version;
}

QVariant DeviceBridge::ui_82H_GetCurrentProfile() {
    uchar profile = 0;
    if (hid_) {
        hid_->hid_82H_GetCurrentProfile(profile);
    }
    return int(profile);
}

QVariantList DeviceBridge::ui_83H_GetKeyboardoption() {
    uchar b[4] = {};
    if (hid_) {
        hid_->hid_83H_GetKeyboardoption(b[0], b[1], b[2], b[3]);
    }
    return intList(b);
}

QVariantList DeviceBridge::ui_84H_GetButtonSensitivity() {
    uchar s[4] = {};
    if (hid_) {
        hid_->hid_84H_GetButtonSensitivity(s[0], s[1], s[2], s[3]);
    }
    return intList(s);
}

QVariantList DeviceBridge::ui_88H_GetLEDType() {
    return storedList(QStringLiteral("color/ledType"));
}

QVariant DeviceBridge::ui_89H_GetKeyboardMode() {
    uchar mode = 0;
    if (hid_) {
        hid_->hid_89H_GetKeyboardMode(mode);
    }
    return int(mode);
}

QVariantList DeviceBridge::ui_8EH_GetKeyOnOff() {
    std::array<uchar, 21> block{};
    if (hid_) {
        hid_->hid_8EH_GetKeyOnOff(block.data());
    }
    return intList(block);
}

QVariantList DeviceBridge::ui_92H_GetUserPicture(uchar index) {
    return storedList(numberedKey("userPicture/", index));
}

QVariantList DeviceBridge::ui_94H_GetColor(uchar index) {
    return storedList(numberedKey("color/", index));
}

}  // namespace z718
