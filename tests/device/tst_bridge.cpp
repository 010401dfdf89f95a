#include <QtTest>

#include "device/device_bridge.h"
#include "device/key_assignments.h"
#include "device_rig.h"
#include "engine/shared_tables.h"
#include "settings/scratch_dir.h"

using namespace z718;
using namespace z718::test;
using Family = DeviceRig::Family;

namespace {

QVariantList numbers(std::initializer_list<int> values) {
    QVariantList list;
    for (int value : values) {
        list.append(value);
    }
    return list;
}

QVariantList range(int count, int first = 0) {
    QVariantList list;
    for (int i = 0; i < count; ++i) {
        list.append(first + i);
    }
    return list;
}

// One 33-byte output report: report id 0, the given data bytes, zeros up to 32.
QString report(std::initializer_list<int> data) {
    QByteArray bytes(33, '\0');
    int i = 1;
    for (int value : data) {
        bytes[i++] = static_cast<char>(value);
    }
    return hex(bytes);
}

QVariantList entry(int b0, int b1, int b2, int b3) {
    return numbers({b0, b1, b2, b3});
}

}  // namespace

class BridgeTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void stageColoursArePackedForType2();
    void stageColourListsAreCutAndPadded();
    void dpiSetStoresPageValuesAndSendsCodes();
    void reportRateFollowsTheCurrentDevice();
    void currentProfileChangesOnlyWhenDifferent();
    void storedListsComeBackAsNumbers();
    void dpiStageIsReadOnlyWhileVisible();
    void deviceChecksTurnFailuresIntoDefaults();
    void failedReadsHandBackZerosNotLeftovers();
    void valuesStayStoredWhenTheLinkIsBusy();
    void keyboardSettingsStoreAndSend();
    void keyMatrixStoresScenesValuesAndFillsTheTable();
    void shortMatricesArePaddedWithZeros();
    void wideKeyMatrixStoresGroupsAndSendsAllBytes();
    void keyMatricesAreReadFromTheDevice();
    void macroMaintenanceRewritesOtherProfilesOnly();

private:
    DeviceBridge bridge() { return DeviceBridge(*store_, rig_->hid.get()); }
    KeyAssignments keys() { return KeyAssignments(*store_, rig_->hid.get()); }
    QVariant stored(const char* key) { return store_->currentProfile().value(QLatin1String(key)); }

    std::unique_ptr<ScratchDir> scratch_;
    std::unique_ptr<SettingsStore> store_;
    std::unique_ptr<DeviceRig> rig_;
};

void BridgeTest::init() {
    scratch_ = std::make_unique<ScratchDir>();
    store_ = std::make_unique<SettingsStore>();
    rig_ = std::make_unique<DeviceRig>();
}

void BridgeTest::cleanup() {
    QVERIFY(rig_->hid->link().isIdle());
    rig_.reset();
    store_.reset();
    scratch_.reset();
}

void BridgeTest::stageColoursArePackedForType2() {
    bridge().ui_10H_SetLED8StageColor(2, range(8, 1));
    QCOMPARE(rig_->wire("feature-out"), QStringList{"00 10 02 04 00 00 00 00 E9"});
    QCOMPARE(rig_->wire("output"), QStringList{report({0x21, 0x43, 0x65, 0x87})});
    QCOMPARE(bridge().ui_90H_GetLED8StageColor(2), range(8, 1));
    QVERIFY(bridge().ui_90H_GetLED8StageColor(1).isEmpty());
}

void BridgeTest::stageColourListsAreCutAndPadded() {
    bridge().ui_10H_SetLED8StageColor(1, range(30, 1));
    QCOMPARE(rig_->wire("output"),
             QStringList{report({1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                                 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24})});
    QCOMPARE(bridge().ui_90H_GetLED8StageColor(1), range(30, 1));  // stored as given

    rig_->mouse.clearLog();
    bridge().ui_10H_SetLED8StageColor(1, numbers({255, 0, 256, 7}));
    QCOMPARE(rig_->wire("output"), QStringList{report({255, 0, 0, 7})});
    QCOMPARE(stageColourBlock(2, numbers({0x1F, 0x2E})), (std::array<uchar, 24>{0xEF}));
}

void BridgeTest::dpiSetStoresPageValuesAndSendsCodes() {
    const QVariantList shown = numbers({400, 800, 1600, 3200, 6400, 12000, 16000});
    bridge().ui_11H_SetDPISet(7, numbers({4, 8, 16, 32, 64, 0x80, 0x80, 0x80}), shown);
    QCOMPARE(rig_->wire("feature-out"), QStringList{"00 11 07 08 00 00 00 00 DF"});
    QCOMPARE(rig_->wire("output"), QStringList{report({4, 8, 16, 32, 64, 0x80, 0x80, 0x80})});
    QCOMPARE(bridge().ui_91H_GetDPISet().size(), shown.size());
    QCOMPARE(bridge().ui_91H_GetDPISet().at(6).toInt(), 16000);

    // A short list leaves the missing stages disabled.
    rig_->mouse.clearLog();
    bridge().ui_11H_SetDPISet(7, numbers({4, 8}), shown);
    QCOMPARE(rig_->wire("output"), QStringList{report({4, 8, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80})});

    bridge().ui_11H_SetDPISelect(numbers({1, 1, 0, 1}));
    QCOMPARE(bridge().ui_91H_GetDPISelect().size(), 4);
    QCOMPARE(bridge().ui_91H_GetDPISelect().at(3).toInt(), 1);
}

void BridgeTest::reportRateFollowsTheCurrentDevice() {
    rig_->firmware(Family::Keyboard).reportRate = 2;
    rig_->use(Family::Keyboard);
    bridge().ui_01H_SetReportRate(8);
    QCOMPARE(rig_->wire("feature-out"), QStringList{"00 01 08 00 00 00 00 00 F6"});
    QVERIFY(!stored("sensor/reportRate_Q7").isValid());
    QCOMPARE(bridge().ui_81H_GetReportRate(), QVariant(8));  // the keyboard is asked

    rig_->use(Family::Mouse);
    bridge().ui_01H_SetReportRate(4);
    QCOMPARE(stored("sensor/reportRate_Q7").toInt(), 4);
    rig_->mouse.mouseFirmware().state().reportRate = 1;
    rig_->mouse.clearLog();
    QCOMPARE(bridge().ui_81H_GetReportRate(), QVariant(4));  // the mouse's comes from the profile
    QVERIFY(rig_->mouse.log().isEmpty());

    rig_->hid->link().setCurrentIndex(2);
    QCOMPARE(bridge().ui_81H_GetReportRate(), QVariant(0));
    QVERIFY(rig_->mouse.log().isEmpty());
}

void BridgeTest::currentProfileChangesOnlyWhenDifferent() {
    bridge().ui_02H_SetCurrentProfile(0);
    QVERIFY(!store_->appConfig().contains(QStringLiteral("Q7/profileNo")));
    bridge().ui_02H_SetCurrentProfile(3);
    QCOMPARE(store_->currentProfileIndex(), 3);
    QCOMPARE(store_->appConfig().value(QStringLiteral("Q7/profileNo")).toInt(), 3);
    bridge().ui_02H_SetCurrentProfile(12);
    QCOMPARE(store_->currentProfileIndex(), 3);
    QCOMPARE(store_->appConfig().value(QStringLiteral("Q7/profileNo")).toInt(), 3);
    QVERIFY(rig_->mouse.log().isEmpty());

    // Stored values go to the profile that is current.
    bridge().ui_0BH_SetCurrentDPIStage(2);
    QCOMPARE(store_->profile(3).value(QStringLiteral("sensor/stage_Q7")).toInt(), 2);
    QVERIFY(!store_->profile(0).contains(QStringLiteral("sensor/stage_Q7")));
}

void BridgeTest::storedListsComeBackAsNumbers() {
    QVERIFY(bridge().ui_8DH_GetRGBLedEffect().isEmpty());
    bridge().ui_0DH_SetRGBLedEffect(9, 8, 7, numbers({1, 2, 3}));
    QCOMPARE(rig_->wire("feature-out"), QStringList{"00 0D 09 08 07 00 00 00 DA"});
    const QVariantList effect = bridge().ui_8DH_GetRGBLedEffect();
    QCOMPARE(effect, (QVariantList{1u, 2u, 3u}));
    QCOMPARE(effect.at(0).typeId(), QMetaType::UInt);
}

void BridgeTest::dpiStageIsReadOnlyWhileVisible() {
    rig_->mouse.mouseFirmware().state().dpiStage = 5;
    QCOMPARE(bridge().ui_8BH_GetCurrentDPIStage(false), QVariant(0));
    QVERIFY(rig_->mouse.log().isEmpty());
    QCOMPARE(bridge().ui_8BH_GetCurrentDPIStage(true), QVariant(5));
}

void BridgeTest::deviceChecksTurnFailuresIntoDefaults() {
    sim::FirmwareState& mouse = rig_->firmware(Family::Mouse);
    mouse.dpiMaxStage = 5;
    mouse.sensorType = 0x31;
    mouse.ledInstruct[0] = {0, 1, 1};
    QCOMPARE(bridge().ui_91H_SyncDPI(), uchar(5));
    QCOMPARE(bridge().getSensorType(), QVariant(0x31));
    QVERIFY(bridge().chkIsLogoLedWork());
    mouse.ledInstruct[0] = {1, 0, 0};
    QVERIFY(!bridge().chkIsLogoLedWork());

    mouse.ledInstruct[0] = {0, 0, 0};
    rig_->mouse.setFault(sim::VirtualMouse::GetFeatureFails);
    QCOMPARE(bridge().ui_91H_SyncDPI(), uchar(8));
    QVERIFY(!bridge().chkIsLogoLedWork());
    QCOMPARE(bridge().getSensorType(), QVariant(0));
}

void BridgeTest::failedReadsHandBackZerosNotLeftovers() {
    rig_->use(Family::Keyboard);
    sim::FirmwareState& keyboard = rig_->firmware(Family::Keyboard);
    keyboard.keyboardOptions = {1, 2, 3, 4};
    keyboard.buttonSensitivity = {5, 6, 7, 8};
    keyboard.keyboardMode = 3;
    keyboard.currentProfile = 2;
    keyboard.keyOnOff.fill(9);
    QCOMPARE(bridge().ui_83H_GetKeyboardoption(), numbers({1, 2, 3, 4}));
    QCOMPARE(bridge().ui_84H_GetButtonSensitivity(), numbers({5, 6, 7, 8}));
    QCOMPARE(bridge().ui_89H_GetKeyboardMode(), QVariant(3));
    QCOMPARE(bridge().ui_82H_GetCurrentProfile(), QVariant(2));
    QCOMPARE(bridge().ui_8EH_GetKeyOnOff(), QVariantList(21, 9));
    QCOMPARE(bridge().ui_80H_GetFWVersion(), QStringLiteral("1.05"));

    rig_->mouse.setFault(sim::VirtualMouse::GetFeatureFails);
    QCOMPARE(bridge().ui_83H_GetKeyboardoption(), numbers({0, 0, 0, 0}));
    QCOMPARE(bridge().ui_84H_GetButtonSensitivity(), numbers({0, 0, 0, 0}));
    QCOMPARE(bridge().ui_89H_GetKeyboardMode(), QVariant(0));
    QCOMPARE(bridge().ui_82H_GetCurrentProfile(), QVariant(0));
    QCOMPARE(bridge().ui_81H_GetReportRate(), QVariant(0));
    QCOMPARE(bridge().ui_80H_GetFWVersion(), QStringLiteral("unknown"));
    rig_->mouse.clearFaults();
    rig_->mouse.setFault(sim::VirtualMouse::ReadFails);
    QCOMPARE(bridge().ui_8EH_GetKeyOnOff(), QVariantList(21, 0));
}

void BridgeTest::valuesStayStoredWhenTheLinkIsBusy() {
    QVERIFY(rig_->hid->link().acquireLink());
    bridge().ui_0BH_SetCurrentDPIStage(6);
    bridge().ui_14H_SetColor(2, 10, 20, 30);
    QVERIFY(rig_->mouse.log().isEmpty());
    QCOMPARE(stored("sensor/stage_Q7").toInt(), 6);
    QCOMPARE(bridge().ui_94H_GetColor(2).size(), 3);
    QCOMPARE(bridge().ui_80H_GetFWVersion(), QString());  // not acquired: no text at all
    rig_->hid->link().setIdle();
}

void BridgeTest::keyboardSettingsStoreAndSend() {
    rig_->use(Family::Keyboard);
    bridge().ui_08H_SetLEDType(1, 2, 3, 4, 5, 6);
    QCOMPARE(bridge().ui_88H_GetLEDType().size(), 5);
    QCOMPARE(bridge().ui_88H_GetLEDType().at(0).toInt(), 2);
    QCOMPARE(rig_->firmware(Family::Keyboard).ledType, (std::array<uchar, 5>{2, 3, 4, 5, 6}));

    bridge().ui_0EH_SetXYSensitive(QVariant(300u), QVariant(QStringLiteral("7")));
    QCOMPARE(rig_->firmware(Family::Keyboard).xySensitive, (std::array<uchar, 2>{44, 7}));

    bridge().ui_0EH_SetKeyOnOff(numbers({1, 0, 1}));
    std::array<uchar, 21> onOff{1, 0, 1};
    QCOMPARE(rig_->firmware(Family::Keyboard).keyOnOff, onOff);

    rig_->mouse.clearLog();
    bridge().ui_12H_SetUserPicture(4, 255, range(512));
    QVERIFY(rig_->mouse.log().isEmpty());
    QCOMPARE(bridge().ui_92H_GetUserPicture(4).size(), 512);
    bridge().ui_12H_SetUserPicture(4, 1, range(10, 1));
    QCOMPARE(rig_->wire("output").size(), 16);
    QCOMPARE(rig_->firmware(Family::Keyboard).userPictures[4][9], uchar(10));
    QCOMPARE(rig_->firmware(Family::Keyboard).userPictures[4][10], uchar(0));
}

void BridgeTest::keyMatrixStoresScenesValuesAndFillsTheTable() {
    QVERIFY(keys().getKeydefine(3).isEmpty());
    QVariantList matrix = range(64, 0);
    matrix[0] = 256;
    matrix[4] = QStringLiteral("1");
    keys().ui_12H_SetKeyMatrix(matrix);
    QCOMPARE(keys().getKeydefine(0).at(0).toInt(), 256);
    QCOMPARE(keys().getKeydefine(QVariant(15.0)).at(3).toInt(), 63);
    const KeyEntry first = keyMatrix().entry(0);
    QCOMPARE(int(first.type), 0);
    QCOMPARE(int(first.b3), 3);
    QCOMPARE(int(keyMatrix().entry(1).type), 1);
    QCOMPARE(int(keyMatrix().entry(15).b3), 63);
    QVERIFY(rig_->mouse.log().isEmpty());  // the matrix stays in the program
}

void BridgeTest::shortMatricesArePaddedWithZeros() {
    keys().ui_12H_SetKeyMatrix(numbers({1, 0, 0xF1, 0}));
    QCOMPARE(int(keyMatrix().entry(0).b2), 0xF1);
    QCOMPARE(int(keyMatrix().entry(1).type), 0);
    QCOMPARE(keys().getKeydefine(5), numbers({0, 0, 0, 0}));

    rig_->use(Family::Keyboard);
    keys().ui_0DH_SetKeyMatrix(numbers({7, 7}));
    QCOMPARE(rig_->wire("output").size(), 16);
    QCOMPARE(int(rig_->firmware(Family::Keyboard).keyMatrix[1]), 7);
    QCOMPARE(int(rig_->firmware(Family::Keyboard).keyMatrix[2]), 0);
}

void BridgeTest::wideKeyMatrixStoresGroupsAndSendsAllBytes() {
    rig_->use(Family::Keyboard);
    keys().ui_0DH_SetKeyMatrix(range(512, 0));
    QCOMPARE(rig_->wire("feature-out"), QStringList{"00 0D 00 00 08 00 00 00 EA"});
    QByteArray sent(512, '\0');
    for (int i = 0; i < 512; ++i) {
        sent[i] = static_cast<char>(i);
    }
    QCOMPARE(
        QByteArray(reinterpret_cast<const char*>(rig_->firmware(Family::Keyboard).keyMatrix.data()),
                   512),
        sent);
    QCOMPARE(store_->currentProfile().value(QStringLiteral("keydefine/125")).toList().at(3).toInt(),
             503);
    QVERIFY(!store_->currentProfile().contains(QStringLiteral("keydefine/126")));
}

void BridgeTest::keyMatricesAreReadFromTheDevice() {
    const QByteArray mouseMatrix = pattern(64, 3);
    std::copy(mouseMatrix.begin(), mouseMatrix.end(),
              rig_->firmware(Family::Mouse).keyMatrix.begin());
    QVariantList unsignedBytes;
    for (char byte : mouseMatrix) {
        unsignedBytes.append(int(uchar(byte)));
    }
    QCOMPARE(keys().ui_92H_GetKeyMatrix(), unsignedBytes);

    rig_->use(Family::Keyboard);
    rig_->firmware(Family::Keyboard).keyMatrix.fill(0xF0);
    QCOMPARE(keys().ui_8DH_GetKeyMatrix(), QVariantList(512, 0xF0));
}

void BridgeTest::macroMaintenanceRewritesOtherProfilesOnly() {
    store_->setCurrentProfileIndex(1);
    const QString key4 = QStringLiteral("keydefine_Q7/4");
    const QString key2 = QStringLiteral("keydefine_Q7/2");
    for (int p : {0, 1, 2, 5}) {
        store_->profile(p).setValue(key4, entry(9, 0, 2, 0));
        store_->profile(p).setValue(key2, entry(9, 1, 5, 0));
        store_->profile(p).setValue(QStringLiteral("keydefine_Q7/3"), entry(9, 0, 1, 0));
        store_->profile(p).setValue(QStringLiteral("keydefine_Q7/7"), entry(9, 0, 5, 0));
        store_->profile(p).setValue(QStringLiteral("keydefine_Q7/6"), entry(1, 0, 2, 0));
    }
    store_->profile(0).setValue(QStringLiteral("keydefine_Q7/5"), numbers({9, 0}));

    keys().changeMacroFileIndex(2);
    auto read = [&](int p, const char* key) {
        QVariantList values;
        for (const QVariant& v : store_->profile(p).value(QLatin1String(key)).toList()) {
            values.append(v.toInt());
        }
        return values;
    };
    for (int p : {0, 2}) {
        QCOMPARE(read(p, "keydefine_Q7/4"), entry(1, 0, 0xF3, 0));
        QCOMPARE(read(p, "keydefine_Q7/2"), entry(9, 1, 4, 0));
        QCOMPARE(read(p, "keydefine_Q7/3"), entry(9, 0, 1, 0));
        QCOMPARE(read(p, "keydefine_Q7/7"), entry(9, 0, 5, 0));  // keys 7.. are not maintained
        QCOMPARE(read(p, "keydefine_Q7/6"), entry(1, 0, 2, 0));  // not a macro entry
    }
    QCOMPARE(read(1, "keydefine_Q7/4"), entry(9, 0, 2, 0));  // the current profile
    QCOMPARE(read(5, "keydefine_Q7/4"), entry(9, 0, 2, 0));  // profiles 5.. are not maintained
    QCOMPARE(read(0, "keydefine_Q7/5"), numbers({9, 0}));    // too short to be an entry

    keys().changeMacroFileType(4, 1);
    QCOMPARE(read(0, "keydefine_Q7/2"), entry(9, 2, 4, 0));
    QCOMPARE(read(0, "keydefine_Q7/3"), entry(9, 0, 1, 0));
    keys().changeMacroFileType(4, 2);
    QCOMPARE(read(2, "keydefine_Q7/2"), entry(9, 0, 4, 0));
    QCOMPARE(read(1, "keydefine_Q7/2"), entry(9, 1, 5, 0));
}

QTEST_GUILESS_MAIN(BridgeTest)
#include "tst_bridge.moc"
