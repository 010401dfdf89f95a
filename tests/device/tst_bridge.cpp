// The device settings the scene changes: kept in the profile, sent to the mouse and, for the
// pointer, to the system.
#include <QtTest>

#include "device/device_bridge.h"
#include "device/key_assignments.h"
#include "device/pointer_preferences.h"
#include "device/profile_activation.h"
#include "device/scene_values.h"
#include "device_rig.h"
#include "engine/shared_tables.h"
#include "macro/macro_store.h"
#include "platform/portable/portable_input.h"
#include "support/debug_capture.h"
#include "support/table_rows.h"

using namespace z718;
using namespace z718::test;

namespace {

// One 33-byte output report: report id 0, the given data bytes, zeros up to 32.
QStringList report(const QVariantList& data) {
    QByteArray bytes(33, '\0');
    std::ranges::transform(data, bytes.begin() + 1, [](auto& v) { return char(v.toInt()); });
    return {hex(bytes)};
}

QString text(const QVariant& value) {
    return value.canConvert<QStringList>() ? value.toStringList().join(' ') : value.toString();
}

// One setter as the scene calls it: the key and text it keeps in the current profile, then the
// frames and output reports on the wire, and the getter the scene reads the text back with.
struct SetterRow {
    const char* name;
    DeviceRig::Family family;
    std::function<void(DeviceBridge&&)> call;
    QString key, stored;
    QStringList frames, outputs;
    std::function<QVariantList(DeviceBridge&&)> read{};
};

using B = DeviceBridge;
const QVariantList kShownDpi{400, 800, 1600, 3200, 6400, 12000, 16000};

// clang-format off
const QList<SetterRow> kSetterRows{
    {"keyboard rate, not kept", Kb, [](B&& b) { b.setReportRate(8); }, "sensor/reportRate_Q7", "", {"00 01 08 00 00 00 00 00 F6"}, {}},
    {"mouse rate", Ms, [](B&& b) { b.setReportRate(4); }, "sensor/reportRate_Q7", "4", {"00 01 04 00 00 00 00 00 FA"}, {}},
    {"colours packed", Ms, [](B&& b) { b.setStageColours(2, range(8, 1)); }, "color_Q7/type2", text(range(8, 1)), {"00 10 02 04 00 00 00 00 E9"}, report({0x21, 0x43, 0x65, 0x87}), [](B&& b) { return b.stageColours(2); }},
    {"colours cut, kept whole", Ms, [](B&& b) { b.setStageColours(1, range(30, 1)); }, "color_Q7/type1", text(range(30, 1)), {"00 10 01 18 00 00 00 00 D6"}, report(range(24, 1)), [](B&& b) { return b.stageColours(1); }},
    {"colours to bytes", Ms, [](B&& b) { b.setStageColours(1, {255, 0, 256, 7}); }, "color_Q7/type1", "255 0 256 7", {"00 10 01 18 00 00 00 00 D6"}, report({255, 0, 0, 7}), [](B&& b) { return b.stageColours(1); }},
    {"dpi stages", Ms, [](B&& b) { b.setDpiStages(7, {4, 8, 16, 32, 64, 0x80, 0x80, 0x80}, kShownDpi); }, "sensor/dpi_Q7", text(kShownDpi), {"00 11 07 08 00 00 00 00 DF"}, report({4, 8, 16, 32, 64, 0x80, 0x80, 0x80}), [](B&& b) { return b.dpiStages(); }},
    {"missing stages disabled", Ms, [](B&& b) { b.setDpiStages(7, {4, 8}, kShownDpi); }, "sensor/dpi_Q7", text(kShownDpi), {"00 11 07 08 00 00 00 00 DF"}, report({4, 8, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80}), [](B&& b) { return b.dpiStages(); }},
    {"dpi stage", Ms, [](B&& b) { b.setDpiStage(6); }, "sensor/stage_Q7", "6", {"00 0B 06 00 00 00 00 00 EE"}, {}},
    {"lighting", Ms, [](B&& b) { b.setLightingEffect(9, 8, 7, {1, 2, 3}); }, "color_Q7/ledEffect", "1 2 3", {"00 0D 09 08 07 00 00 00 DA"}, {}, [](B&& b) { return b.lightingEffect(); }},
    {"colour", Kb, [](B&& b) { b.setColour(2, {10, 20, 30}); }, "color/2", "10 20 30", {"00 14 00 02 0A 14 1E 00 AD"}, {}, [](B&& b) { return b.colour(2); }},
    {"led type", Kb, [](B&& b) { b.setLedType(1, {2, 3, 4, 5, 6}); }, "color/ledType", "2 3 4 5 6", {"00 08 01 02 03 04 05 06 E2"}, {}, [](B&& b) { return b.ledType(); }},
    {"picture 255 only kept", Kb, [](B&& b) { b.setUserPicture(4, 255, range(512)); }, "userPicture/4", text(range(512)), {}, {}, [](B&& b) { return b.userPicture(4); }},
    {"short picture padded", Kb, [](B&& b) { b.setUserPicture(4, 1, range(10, 1)); }, "userPicture/4", text(range(10, 1)), {"00 12 00 04 08 01 00 00 E0"}, report(range(10, 1)) + QStringList(15, report({})[0]), [](B&& b) { return b.userPicture(4); }},
};
// clang-format on

}  // namespace

class BridgeTest : public QObject {
    Q_OBJECT
private slots:
    void init() { t_ = std::make_unique<StoreRig>(); }
    void cleanup() {
        QVERIFY(rig().hid->link().isIdle());
        t_.reset();
    }

    // Each setter keeps the scene's values in the current profile, also while the link is busy
    // and nothing goes out, and then sends them cut, padded and packed into bytes.
    void settersStoreThenSend() {
        for (const SetterRow& row : kSetterRows) {
            RowName named(row.name);
            rig().use(row.family);
            rig().whileBusy([&] { row.call(bridge()); });
            QCOMPARE(text(stored(row.key)), row.stored);
            row.call(bridge());
            QCOMPARE(rig().wire("feature-out"), row.frames);
            QCOMPARE(rig().wire("output"), row.outputs);
            if (row.read) {
                QCOMPARE(text(row.read(bridge())), row.stored);
            }
        }
        // Unsigned numbers where the scene takes them so.
        QCOMPARE(bridge().lightingEffect().at(0).typeId(), QMetaType::UInt);
        QCOMPARE(stageColourBlock(2, QVariantList{0x1F, 0x2E}), (std::array<uchar, 24>{0xEF}));
        // Not acquired: no text at all.
        rig().whileBusy([&] { QCOMPARE(bridge().firmwareVersion(), QString()); });
    }

    void currentProfileChangesOnlyWhenDifferent() {
        bridge().selectProfile(0);
        QVERIFY(!store().appConfig().contains("Q7/profileNo"));
        bridge().selectProfile(3);
        bridge().selectProfile(12);
        QCOMPARE(store().currentProfileIndex(), 3);
        QCOMPARE(store().appConfig().value("Q7/profileNo").toInt(), 3);
        QVERIFY(rig().mouse.log().isEmpty());

        bridge().setDpiStage(2);  // stored in the profile that is now current
        QCOMPARE(stored("sensor/stage_Q7", 3).toInt(), 2);
        QVERIFY(!stored("sensor/stage_Q7", 0).isValid());
    }

    void deviceReadsAndTheirDefaults() {
        sim::FirmwareState& mouse = rig().firmware(Ms);
        mouse.dpiStage = 5;
        mouse.dpiMaxStage = 6;
        mouse.sensorType = 0x31;
        mouse.ledInstruct[0] = {0, 1, 1};
        mouse.reportRate = 1;
        store().currentProfile().setValue("sensor/reportRate_Q7", 4);
        QCOMPARE(bridge().reportRate(), 4);  // the mouse's is the profile's, not asked for
        QVERIFY(rig().mouse.log().isEmpty());
        QCOMPARE(bridge().dpiStage(true), 5);
        QCOMPARE(bridge().deviceDpiStageCount(), uchar(6));
        QCOMPARE(bridge().sensorType(), 0x31);
        QVERIFY(bridge().logoLedWorks());
        mouse.ledInstruct[0] = {1, 0, 0};
        QVERIFY(!bridge().logoLedWorks());

        rig().use(Kb);
        rig().firmware(Kb).reportRate = 8;
        QCOMPARE(bridge().reportRate(), 8);  // the keyboard is asked
        rig().use(DeviceRig::Family(2));
        QCOMPARE(bridge().reportRate(), 0);  // no such device
        QVERIFY(rig().mouse.log().isEmpty());
        rig().use(Kb);
        // Failed reads give zeros, never what a buffer happened to hold.
        mouse.ledInstruct[0] = {0, 0, 0};
        rig().mouse.setFault(sim::VirtualMouse::GetFeatureFails);
        QCOMPARE(bridge().keyboardOptions(), (std::array<uchar, 4>{0, 0, 0, 0}));
        QCOMPARE(bridge().reportRate(), 0);
        rig().use(Ms);
        QCOMPARE(bridge().deviceDpiStageCount(), uchar(8));
        QVERIFY(!bridge().logoLedWorks());
        QCOMPARE(bridge().sensorType(), 0);
    }

    // (Values beyond a byte, or given as texts, are the activation record's: scene tests.)
    void keyMatricesStoreScenesValuesAndFillTheTable() {
        keys().setButtonEntries(range(64));
        QCOMPARE(int(keyMatrix().entry(15).b3), 63);
        keys().setButtonEntries({1, 0, 0xF1, 0});  // short: padded with zeros
        QCOMPARE(int(keyMatrix().entry(0).b2), 0xF1);
        QCOMPARE(int(keyMatrix().entry(15).b3), 0);
        QCOMPARE(keys().storedEntry(5), (QVariantList{0, 0, 0, 0}));
        QVERIFY(rig().mouse.log().isEmpty());  // the matrix stays in the program

        rig().firmware(Ms).keyMatrix.fill(0xF3);
        QCOMPARE(intList(keys().deviceButtonEntries()),
                 QVariantList(64, 0xF3));  // unsigned, not -13

        // At least one button keeps the left click (01 xx F0 xx). Matrices from button 0 on.
        const auto may = [](const QVariantList& matrix, int row) {
            return mayChangeButton(intBlock<64>(matrix), row);
        };
        QVERIFY(!may({1, 0, 0xF0, 0}, 0));
        QVERIFY(may({1, 0, 0xF0, 0, 0, 0, 0, 0, 1, 0, 0xF0, 0}, 0));
        QVERIFY(may({1, 0, 0xF0, 0}, 1));
        QVERIFY(!may({1, 5, 0xF0, 7, 1, 0, 0xF1, 0, 0x0A, 0, 0xF0, 0}, 0));
        QVERIFY(!may({1, 0, 0xF0, 0, 1, 0, 0xF0, 0}, 16));  // no such button

        // The keyboard's wide matrix: stored in groups of four, sent whole.
        rig().use(Kb);
        sim::FirmwareState& keyboard = rig().firmware(Kb);
        keys().setWideMatrix(range(512));
        QCOMPARE(rig().wire("feature-out"), QStringList{"00 0D 00 00 08 00 00 00 EA"});
        QCOMPARE(keyboard.keyMatrix[300], uchar(300 & 0xFF));
        QCOMPARE(stored("keydefine/125").toList().at(3).toInt(), 503);
        QVERIFY(!stored("keydefine/126").isValid());
        QCOMPARE(intList(keys().deviceWideMatrix()), range(256) + range(256));

        keys().setWideMatrix({7, 7});  // short: padded with zeros
        QCOMPARE(int(keyboard.keyMatrix[1]), 7);
        QCOMPARE(int(keyboard.keyMatrix[2]), 0);
    }

    // Macro slots removed and repeat counts changed rewrite the other profiles' entries.
    void macroChangesReachTheEntriesAndSlotsPlayingThem() {
        const struct {
            int key;
            QString before, afterSlotTwoGoes, afterSlotFourRepeats;
        } rows[]{
            {4, "9 0 2 0", "1 0 243 0", "1 0 243 0"},  // key 4's default comes back
            {2, "9 1 5 0", "9 1 4 0", "9 2 4 0"},
            {3, "9 0 1 0", "9 0 1 0", "9 0 1 0"},
            {6, "1 0 2 0", "1 0 2 0", "1 0 2 0"},  // not a macro entry
            {7, "9 0 5 0", "9 0 5 0", "9 0 5 0"},  // keys 7.. are not maintained
            {5, "9 0", "9 0", "9 0"},              // too short to be an entry
        };
        store().setCurrentProfileIndex(1);
        for (int p : {0, 1, 2, 5}) {
            for (const auto& row : rows) {
                setEntry(p, row.key, row.before);
            }
        }
        keys().macroRemoved(2);
        for (const auto& row : rows) {
            QCOMPARE(entry(0, row.key), row.afterSlotTwoGoes);
            QCOMPARE(entry(2, row.key), row.afterSlotTwoGoes);
            QCOMPARE(entry(1, row.key), row.before);  // the current profile
            QCOMPARE(entry(5, row.key), row.before);  // profiles 5.. are not maintained
        }
        keys().macroRepeatChanged(4, 1);
        for (const auto& row : rows) {
            QCOMPARE(entry(2, row.key), row.afterSlotFourRepeats);
        }
        keys().macroRepeatChanged(4, 2);
        QCOMPARE(entry(2, 2), QStringLiteral("9 0 4 0"));

        // Deleting macro "Gone": each button playing it, in any profile, gets its default back,
        // and the engine the current profile's new matrix.
        const struct {
            int profile, key;
            QString before, macro, after;
        } deleted[]{
            {1, 5, "9 0 5 0", "Gone", "0 0 227 7"},    // the current profile
            {7, 2, "9 2 2 0", "Gone", "1 0 242 0"},    // any profile
            {3, 12, "9 0 12 0", "Gone", "0 0 0 0"},    // any button
            {0, 15, "9 0 15 0", "Gone", "4 0 2 0"},    //
            {0, 3, "9 0 3 0", "Kept", "9 0 3 0"},      // another macro
            {2, 4, "1 0 243 0", "Gone", "1 0 243 0"},  // assigned once, plays no macro now
        };
        for (const auto& row : deleted) {
            setEntry(row.profile, row.key, row.before);
            store().profile(row.profile).setValue(QString("macro/%1").arg(row.key), row.macro);
        }
        keys().macroDeleted("Gone");
        for (const auto& row : deleted) {
            QCOMPARE(entry(row.profile, row.key), row.after);
        }
        QCOMPARE(int(keyMatrix().entry(5).b2), 0xE3);

        // A saved macro reaches the slots of the current profile's buttons that play it; the
        // slot of a button with the same number in another profile is the current profile's own.
        MacroStore macros(store());
        macros.create("M", 0);
        macros.save("M", {"1,A", "2,A"}, 1);
        const struct {
            int profile, button;
            const char* macro;
        } assigned[] = {{1, 2, "M"}, {0, 3, "M"}, {1, 4, "Other"}};
        const std::array<uint32_t, 3> before{0, 1, 0x42};
        for (const auto& a : assigned) {
            store().profile(a.profile).setValue(QString("macro/%1").arg(a.button), a.macro);
            macroSlots().write(a.button, before);
        }
        ProfileActivation(store(), system(), &rig().hid->commands()).uploadToButtons("M");
        QCOMPARE(macroSlots().read(2)[2], 0x41u);
        QCOMPARE(macroSlots().read(3)[2], 0x42u);
        QCOMPARE(macroSlots().read(4)[2], 0x42u);
    }

    // Each value is kept in the profile and applied, saved and broadcast, without a word. (The
    // conversions, for every step, are the profile activation scene test's.)
    void settersStoreThenApply() {
        const std::pair<PointerValue, const char*> rows[]{
            {PointerValue::CursorSpeed, "sensor/cursorSpeed_Q7"},
            {PointerValue::DoubleClickSpeed, "sensor/doubleClickSpeed_Q7"},
            {PointerValue::ScrollLines, "sensor/verticalScrollLines_Q7"},
        };
        for (const auto& [which, key] : rows) {
            DebugCapture debug;
            preferences().set(which, 7);
            QCOMPARE(store().currentProfile().value(key).toUInt(), 7u);
            QCOMPARE(system().lastWinIni(), 3u);
            QVERIFY(debug.captured().isEmpty());
        }
        QCOMPARE(systemValue<int>(win::kSpiGetMouseSpeed), 14);

        // Acceleration changes only its own entry of the system's triple, and is not kept.
        int custom[3] = {4, 12, 1};
        QVERIFY(system().systemParametersInfo(win::kSpiSetMouse, 0, custom, 0));
        preferences().setAcceleration(false);
        QCOMPARE((systemValue<std::array<int, 3>>(win::kSpiGetMouse)),
                 (std::array<int, 3>{4, 12, 0}));
        QCOMPARE(system().lastWinIni(), 3u);
        QVERIFY(!preferences().acceleration());
        preferences().setAcceleration(true);
        QVERIFY(preferences().acceleration());
        QVERIFY(store().currentProfile().allKeys().filter("ccel").isEmpty());
    }

    void refusedCallsPrintTheirTextAndKeepTheStoredValue() {
        QCOMPARE(preferences().recorded(PointerValue::CursorSpeed), 0u);  // nothing stored yet
        QVERIFY(!preferences().wheelSwap());
        DebugCapture debug;
        system().setRefuseAll(true);
        preferences().set(PointerValue::CursorSpeed, 3);
        preferences().set(PointerValue::ScrollLines, 5);
        preferences().set(PointerValue::DoubleClickSpeed, 2);
        preferences().setAcceleration(true);
        QVERIFY(!preferences().acceleration());
        QCOMPARE(debug.captured(),
                 (QStringList{"setCursorSpeed Failed", "setVerticalScrollLines Failed",
                              "setDoubleClickSpeed Failed", "setAcceleration Failed",
                              "getAcceleration Failed"}));
        QCOMPARE(preferences().recorded(PointerValue::CursorSpeed), 3u);
        QCOMPARE(preferences().recorded(PointerValue::ScrollLines), 5u);
        QCOMPARE(preferences().recorded(PointerValue::DoubleClickSpeed), 2u);
        store().setCurrentProfileIndex(2);  // another profile, its own value
        QCOMPARE(preferences().recorded(PointerValue::CursorSpeed), 0u);
    }

    void scrollSwapRewritesOnlyItsBitAndNeedsTheRate() {
        sim::FirmwareState& mouse = rig().firmware(Ms);
        mouse.sensorType = 0x12;
        mouse.reportRate = 4;
        mouse.functionOptions = {0x81, 0x05};
        preferences().setWheelSwap(true);
        QCOMPARE(rig().wire("feature-out"),
                 (QStringList{"00 83 00 00 00 00 00 00 7C", "00 81 00 00 00 00 00 00 7E",
                              "00 03 12 04 C1 05 00 00 20"}));
        QVERIFY(preferences().wheelSwap());
        rig().mouse.clearLog();
        preferences().setWheelSwap(false);
        QCOMPARE(functionOptionWrites(), QStringList{"00 03 12 04 81 05 00 00 60"});
        QVERIFY(!preferences().wheelSwap());

        // No report rate: nothing is written, but the profile keeps the choice.
        rig().use(Ms);
        rig().mouse.replyFailsFor = 0x81;
        preferences().setWheelSwap(true);
        QCOMPARE(rig().wire("feature-out").size(), 2);
        QVERIFY(functionOptionWrites().isEmpty());
        QVERIFY(preferences().wheelSwap());

        // No function option: it goes back as the failed read left it, zeros.
        rig().use(Ms);
        rig().mouse.replyFailsFor = 0x83;
        preferences().setWheelSwap(true);
        QCOMPARE(functionOptionWrites(), QStringList{"00 03 00 04 40 00 00 00 B8"});
    }

private:
    DeviceRig& rig() { return t_->rig; }
    platform::PortablePointerSettings& system() { return rig().fakes.pointer; }
    template <typename T>
    T systemValue(uint32_t action) {
        T value{};
        system().systemParametersInfo(action, 0, &value, 0);
        return value;
    }
    SettingsStore& store() { return t_->store; }
    DeviceBridge bridge() { return DeviceBridge(store(), &rig().hid->commands()); }
    KeyAssignments keys() { return KeyAssignments(store(), &rig().hid->commands()); }
    PointerPreferences preferences() {
        return PointerPreferences(store(), system(), &rig().hid->commands());
    }
    QStringList functionOptionWrites() { return rig().wire("feature-out").filter("00 03 "); }
    // A profile's key entry as its numbers, space-separated.
    QString entry(int profile, int key) {
        return stored(QString("keydefine_Q7/%1").arg(key), profile).toStringList().join(' ');
    }
    void setEntry(int profile, int key, const QString& numbers) {
        store().profile(profile).setValue(QString("keydefine_Q7/%1").arg(key), numbers.split(' '));
    }
    QVariant stored(const QString& key, int profile = -1) {
        return (profile < 0 ? store().currentProfile() : store().profile(profile)).value(key);
    }

    std::unique_ptr<StoreRig> t_;
};

QTEST_GUILESS_MAIN(BridgeTest)
#include "tst_bridge.moc"
