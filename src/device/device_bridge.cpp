#include "device/device_bridge.h"

#include "device/scene_values.h"
#include "settings/ini_values.h"

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

void DeviceBridge::send(const SetCommand& command, std::initializer_list<uchar> args,
                        const uchar* block) {
    if (commands_) {
        commands_->send(command, args, block);
    }
}

void DeviceBridge::fetch(const GetCommand& command, std::initializer_list<uchar> args,
                         std::initializer_list<uchar*> outs, uchar* block) {
    if (commands_) {
        commands_->fetch(command, args, outs, block);
    }
}

// --- mouse family and shared commands ---

void DeviceBridge::setReportRate(uchar rate) {
    if (!commands_) {
        return;
    }
    if (commands_->currentDevice() == kMouseEntry) {
        store(QStringLiteral("sensor/reportRate_Q7"), int(rate));
    }
    send(setRow("hid_01H_SetReportRate"), {rate});
}

void DeviceBridge::selectProfile(int profile) {
    if (profile == settings_.currentProfileIndex() || !SettingsStore::isProfileIndex(profile)) {
        return;
    }
    settings_.setCurrentProfileIndex(profile);
    settings_.appConfig().setValue(QStringLiteral("Q7/profileNo"), profile);
}

void DeviceBridge::sendGunData(uchar par0, uchar par1, uchar par2, uchar par3, uchar par4) {
    send(setRow("hid_04H_SetGunData"), {par0, par1, par2, par3, par4});
}

void DeviceBridge::setDpiStage(uchar stage) {
    store(QStringLiteral("sensor/stage_Q7"), int(stage));
    send(setRow("hid_0BH_SetCurrentDPIStage"), {stage});
}

void DeviceBridge::setLightingEffect(uchar effect, uchar option1, uchar option2,
                                     const QVariantList& pageValues) {
    store(QStringLiteral("color_Q7/ledEffect"), pageValues);
    send(setRow("hid_0DH_SetRGBLedEffect"), {effect, option1, option2});
}

void DeviceBridge::setStageColours(uchar type, const QVariantList& colours) {
    store(numberedKey("color_Q7/type", type), colours);
    const std::array<uchar, 24> block = stageColourBlock(type, colours);
    send(setRow("hid_10H_SetLED8StageColor"), {type}, block.data());
}

void DeviceBridge::setDpiStages(uchar stageCount, const QVariantList& codes,
                                const QVariantList& shown) {
    store(QStringLiteral("sensor/dpi_Q7"), shown);
    const std::array<uchar, 8> block = dpiCodeBlock(codes);
    send(setRow("hid_11H_SetDPISet"), {stageCount}, block.data());
}

void DeviceBridge::setDpiSelection(const QVariantList& selection) {
    store(QStringLiteral("sensor/dpi_Select"), selection);
}

int DeviceBridge::reportRate() {
    const uint32_t device = commands_ ? commands_->currentDevice() : kMouseEntry;
    if (device == kMouseEntry) {
        return uintByte(profile().value(QStringLiteral("sensor/reportRate_Q7"), 0));
    }
    uchar rate = 0;
    if (device == 0) {
        fetch(getRow("hid_81H_GetReportRate"), {}, {&rate});
    }
    return rate;
}

int DeviceBridge::dpiStage(bool viewVisible) {
    uchar stage = 0;
    if (viewVisible) {
        fetch(getRow("hid_8BH_GetCurrentDPIStage"), {}, {&stage});
    }
    return stage;
}

QVariantList DeviceBridge::lightingEffect() {
    return storedUIntList(QStringLiteral("color_Q7/ledEffect"));
}

QVariantList DeviceBridge::stageColours(uchar type) {
    return storedUIntList(numberedKey("color_Q7/type", type));
}

QVariantList DeviceBridge::dpiStages() {
    return storedList(QStringLiteral("sensor/dpi_Q7"));
}

QVariantList DeviceBridge::dpiSelection() {
    return storedList(QStringLiteral("sensor/dpi_Select"));
}

uchar DeviceBridge::deviceDpiStageCount() {
    uchar stages = 0;
    std::array<uchar, 8> codes{};
    if (commands_ && commands_->fetch(getRow("hid_91H_GetDPISet"), {}, {&stages}, codes.data()) ==
                         DeviceCommands::Exchange::Done) {
        return stages;
    }
    return 8;
}

int DeviceBridge::sensorType() {
    uchar type = 0, option1 = 0, option2 = 0;
    fetch(getRow("hid_83H_GetFunctionOption"), {}, {&type, &option1, &option2});
    return type;
}

bool DeviceBridge::logoLedWorks() {
    uchar option1 = 0, option2 = 0, option3 = 0;
    return commands_ &&
           commands_->fetch(getRow("hid_87H_GetLEDInstructFunction"), {0},
                            {&option1, &option2, &option3}) == DeviceCommands::Exchange::Done &&
           option1 == 0;
}

// --- keyboard family ---

void DeviceBridge::setKeyboardOptions(const std::array<uchar, 4>& options) {
    send(setRow("hid_03H_SetKeyboardoption"), {options[0], options[1], options[2], options[3]});
}

void DeviceBridge::setIndicatorLight(uchar effect, uchar frequency) {
    send(setRow("hid_07H_SetControlIndicatorLight"), {effect, frequency});
}

void DeviceBridge::setLedType(uchar option, const std::array<uchar, 5>& look) {
    store(QStringLiteral("color/ledType"), intList(look));
    send(setRow("hid_08H_SetLEDType"), {option, look[0], look[1], look[2], look[3], look[4]});
}

void DeviceBridge::setKeyboardMode(uchar mode) {
    send(setRow("hid_09H_SetKeyboardMode"), {mode});
}

void DeviceBridge::setKeysEnabled(const std::array<uchar, 21>& keys) {
    send(setRow("hid_0EH_SetKeyOnOff"), {}, keys.data());
}

void DeviceBridge::setXYSensitivity(uchar x, uchar y) {
    send(setRow("hid_0EH_SetXYSensitive"), {x, y});
}

void DeviceBridge::setUserPicture(uchar index, uchar option, const QVariantList& picture) {
    store(numberedKey("userPicture/", index), picture);
    if (option == 255) {
        return;  // 255 records the picture without sending it
    }
    const std::array<uchar, 512> block = intBlock<512>(picture);
    send(setRow("hid_12H_SetUserPicture"), {index, option}, block.data());
}

void DeviceBridge::restoreFactoryData() {
    send(setRow("hid_13H_SetRecoveryData"), {});
}

void DeviceBridge::setColour(uchar index, const std::array<uchar, 3>& rgb) {
    store(numberedKey("color/", index), intList(rgb));
    send(setRow("hid_14H_SetColor"), {index, rgb[0], rgb[1], rgb[2]});
}

QString DeviceBridge::firmwareVersion() {
    QString version;
    if (commands_) {
        readFirmwareVersion(*commands_, version);
    }
    return version;
}

int DeviceBridge::deviceProfile() {
    uchar profile = 0;
    fetch(getRow("hid_82H_GetCurrentProfile"), {}, {&profile});
    return profile;
}

std::array<uchar, 4> DeviceBridge::keyboardOptions() {
    std::array<uchar, 4> b{};
    fetch(getRow("hid_83H_GetKeyboardoption"), {}, {&b[0], &b[1], &b[2], &b[3]});
    return b;
}

std::array<uchar, 4> DeviceBridge::buttonSensitivity() {
    std::array<uchar, 4> s{};
    fetch(getRow("hid_84H_GetButtonSensitivity"), {}, {&s[0], &s[1], &s[2], &s[3]});
    return s;
}

QVariantList DeviceBridge::ledType() {
    return storedList(QStringLiteral("color/ledType"));
}

int DeviceBridge::keyboardMode() {
    uchar mode = 0;
    fetch(getRow("hid_89H_GetKeyboardMode"), {}, {&mode});
    return mode;
}

std::array<uchar, 21> DeviceBridge::keysEnabled() {
    std::array<uchar, 21> block{};
    fetch(getRow("hid_8EH_GetKeyOnOff"), {}, {}, block.data());
    return block;
}

QVariantList DeviceBridge::userPicture(uchar index) {
    return storedList(numberedKey("userPicture/", index));
}

QVariantList DeviceBridge::colour(uchar index) {
    return storedList(numberedKey("color/", index));
}

}  // namespace z718
