#include <QtTest>

#include "device/pointer_preferences.h"
#include "device_rig.h"
#include "platform/portable/portable_input.h"
#include "support/debug_capture.h"

using namespace z718;
using namespace z718::test;

namespace {

platform::PortablePointerSettings& system() {
    return platform::portablePointerSettings();
}

template <typename T>
T systemValue(uint32_t action) {
    T value{};
    system().systemParametersInfo(action, 0, &value, 0);
    return value;
}

}  // namespace

class PointerTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        t_ = std::make_unique<StoreRig>();
        system().reset();
    }
    void cleanup() {
        system().reset();
        t_.reset();
    }

    void settersStoreThenApplyConverted() {
        auto check = [&](PointerValue which, const char* key, auto applied,
                         QList<std::pair<uint, uint>> steps) {
            for (auto [value, expected] : steps) {
                DebugCapture debug;
                preferences().set(which, value);
                QCOMPARE(applied(), expected);
                QCOMPARE(t_->store.currentProfile().value(key).toUInt(), value);
                QCOMPARE(system().lastWinIni(), 3u);
                QVERIFY(debug.captured().isEmpty());
            }
        };
        check(PointerValue::CursorSpeed, "sensor/cursorSpeed_Q7",
              [] { return uint(systemValue<int>(win::kSpiGetMouseSpeed)); },
              {{0, 1}, {7, 14}, {10, 20}});
        // Steps above 10 would give a negative time; they get the shortest instead.
        check(PointerValue::DoubleClickSpeed, "sensor/doubleClickSpeed_Q7",
              [] { return system().doubleClickTime(); },
              {{0, 900}, {5, 550}, {10, 200}, {13, 200}});
        check(PointerValue::ScrollLines, "sensor/verticalScrollLines_Q7",
              [] { return systemValue<uint32_t>(win::kSpiGetWheelScrollLines); },
              {{4, 4}, {1000, 1000}});
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
        t_->store.setCurrentProfileIndex(2);
        QCOMPARE(preferences().recorded(PointerValue::CursorSpeed),
                 0u);  // another profile, its own value
    }

    void accelerationChangesOnlyItsOwnEntry() {
        int custom[3] = {4, 12, 1};
        QVERIFY(system().systemParametersInfo(win::kSpiSetMouse, 0, custom, 0));
        preferences().setAcceleration(false);
        QCOMPARE((systemValue<std::array<int, 3>>(win::kSpiGetMouse)),
                 (std::array<int, 3>{4, 12, 0}));
        QCOMPARE(system().lastWinIni(), 3u);
        QVERIFY(!preferences().acceleration());
        preferences().setAcceleration(true);
        QVERIFY(preferences().acceleration());
        QVERIFY(t_->store.currentProfile().allKeys().filter("ccel").isEmpty());
    }

    void scrollSwapRewritesOnlyItsBitAndNeedsTheRate() {
        sim::FirmwareState& mouse = t_->rig.firmware(DeviceRig::Mouse);
        mouse.sensorType = 0x12;
        mouse.reportRate = 4;
        mouse.functionOptions = {0x81, 0x05};
        preferences().setWheelSwap(true);
        QCOMPARE(t_->rig.wire("feature-out"),
                 (QStringList{"00 83 00 00 00 00 00 00 7C", "00 81 00 00 00 00 00 00 7E",
                              "00 03 12 04 C1 05 00 00 20"}));
        QVERIFY(preferences().wheelSwap());
        t_->rig.mouse.clearLog();
        preferences().setWheelSwap(false);
        QCOMPARE(functionOptionWrites(), QStringList{"00 03 12 04 81 05 00 00 60"});
        QVERIFY(!preferences().wheelSwap());

        // No report rate: nothing is written, but the profile keeps the choice.
        t_->rig.use(DeviceRig::Mouse);
        t_->rig.mouse.replyFailsFor = 0x81;
        preferences().setWheelSwap(true);
        QCOMPARE(t_->rig.wire("feature-out").size(), 2);
        QVERIFY(functionOptionWrites().isEmpty());
        QVERIFY(preferences().wheelSwap());

        // No function option: it goes back as the failed read left it, zeros.
        t_->rig.use(DeviceRig::Mouse);
        t_->rig.mouse.replyFailsFor = 0x83;
        preferences().setWheelSwap(true);
        QCOMPARE(functionOptionWrites(), QStringList{"00 03 00 04 40 00 00 00 B8"});
    }

private:
    PointerPreferences preferences() {
        return PointerPreferences(t_->store, system(), &t_->rig.hid->commands());
    }
    QStringList functionOptionWrites() { return t_->rig.wire("feature-out").filter("00 03 "); }

    std::unique_ptr<StoreRig> t_;
};

QTEST_GUILESS_MAIN(PointerTest)
#include "tst_pointer.moc"
