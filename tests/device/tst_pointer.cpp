#include <QtTest>

#include "device/pointer_apply.h"
#include "device/pointer_preferences.h"
#include "device_rig.h"
#include "platform/portable/portable_input.h"
#include "settings/scratch_dir.h"
#include "support/debug_capture.h"

using namespace z718;
using namespace z718::test;

namespace {

// The virtual mouse, except that the answer to a report-rate request never arrives.
class RateReadFails : public HidApi {
public:
    explicit RateReadFails(sim::VirtualMouse& mouse) : mouse_(mouse) {}
    Enumeration* enumerate(uint16_t v, uint16_t p) override { return mouse_.enumerate(v, p); }
    void freeEnumeration(Enumeration* list) override { mouse_.freeEnumeration(list); }
    Device* openPath(const char* path) override { return mouse_.openPath(path); }
    int setNonblocking(Device* d, int n) override { return mouse_.setNonblocking(d, n); }
    int sendFeatureReport(Device* d, const unsigned char* data, size_t length) override {
        lastCode_ = data[1];
        return mouse_.sendFeatureReport(d, data, length);
    }
    int getFeatureReport(Device* d, unsigned char* data, size_t length) override {
        return lastCode_ == 0x81 ? -1 : mouse_.getFeatureReport(d, data, length);
    }
    int write(Device* d, const unsigned char* data, size_t length) override {
        return mouse_.write(d, data, length);
    }
    int read(Device* d, unsigned char* data, size_t length) override {
        return mouse_.read(d, data, length);
    }
    void close(Device* d) override { mouse_.close(d); }

private:
    sim::VirtualMouse& mouse_;
    unsigned char lastCode_ = 0;
};

int systemSpeed(platform::PointerSettings& system) {
    int speed = 0;
    system.systemParametersInfo(win::kSpiGetMouseSpeed, 0, &speed, 0);
    return speed;
}

uint32_t systemScrollLines(platform::PointerSettings& system) {
    uint32_t lines = 0;
    system.systemParametersInfo(win::kSpiGetWheelScrollLines, 0, &lines, 0);
    return lines;
}

std::array<int, 3> systemMouse(platform::PointerSettings& system) {
    std::array<int, 3> mouse{};
    system.systemParametersInfo(win::kSpiGetMouse, 0, mouse.data(), 0);
    return mouse;
}

}  // namespace

class PointerTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void settersStoreThenApplyConverted_data();
    void settersStoreThenApplyConverted();
    void refusedCallsPrintTheirTextAndKeepTheStoredValue();
    void accelerationChangesOnlyItsOwnEntry();
    void gettersReportTheProfile();
    void scrollSwapRewritesOnlyItsBit();
    void scrollSwapWritesNothingHalfKnown();

private:
    PointerPreferences preferences() {
        return PointerPreferences(*store_, system(), rig_->hid.get());
    }
    platform::PortablePointerSettings& system() { return platform::portablePointerSettings(); }

    std::unique_ptr<ScratchDir> scratch_;
    std::unique_ptr<SettingsStore> store_;
    std::unique_ptr<DeviceRig> rig_;
};

void PointerTest::init() {
    scratch_ = std::make_unique<ScratchDir>();
    store_ = std::make_unique<SettingsStore>();
    rig_ = std::make_unique<DeviceRig>();
    system().reset();
}

void PointerTest::cleanup() {
    system().reset();
    rig_.reset();
    store_.reset();
    scratch_.reset();
}

void PointerTest::settersStoreThenApplyConverted_data() {
    QTest::addColumn<QString>("setter");
    QTest::addColumn<uint>("value");
    QTest::addColumn<QString>("key");
    QTest::addColumn<uint>("applied");
    QTest::newRow("speed 0 has the floor 1") << "speed" << 0u << "sensor/cursorSpeed_Q7" << 1u;
    QTest::newRow("speed 7 doubles") << "speed" << 7u << "sensor/cursorSpeed_Q7" << 14u;
    QTest::newRow("speed 10 is the fastest") << "speed" << 10u << "sensor/cursorSpeed_Q7" << 20u;
    QTest::newRow("double-click 0 is 900 ms")
        << "click" << 0u << "sensor/doubleClickSpeed_Q7" << 900u;
    QTest::newRow("double-click 5 is 550 ms")
        << "click" << 5u << "sensor/doubleClickSpeed_Q7" << 550u;
    QTest::newRow("double-click 10 is 200 ms")
        << "click" << 10u << "sensor/doubleClickSpeed_Q7" << 200u;
    QTest::newRow("double-click 13 stays 200 ms")
        << "click" << 13u << "sensor/doubleClickSpeed_Q7" << 200u;
    QTest::newRow("1000 lines go through")
        << "lines" << 1000u << "sensor/verticalScrollLines_Q7" << 1000u;
    QTest::newRow("4 lines") << "lines" << 4u << "sensor/verticalScrollLines_Q7" << 4u;
}

void PointerTest::settersStoreThenApplyConverted() {
    QFETCH(QString, setter);
    QFETCH(uint, value);
    QFETCH(QString, key);
    QFETCH(uint, applied);
    DebugCapture debug;
    if (setter == QLatin1String("speed")) {
        preferences().setCursorSpeed(value);
        QCOMPARE(uint(systemSpeed(system())), applied);
    } else if (setter == QLatin1String("click")) {
        preferences().setDoubleClickSpeed(value);
        QCOMPARE(system().doubleClickTime(), applied);
    } else {
        preferences().setVerticalScrollLines(value);
        QCOMPARE(systemScrollLines(system()), applied);
    }
    QCOMPARE(store_->currentProfile().value(key).toUInt(), value);
    QCOMPARE(system().lastWinIni(), 3u);
    QVERIFY(debug.captured().isEmpty());
}

void PointerTest::refusedCallsPrintTheirTextAndKeepTheStoredValue() {
    DebugCapture debug;
    system().setRefuseAll(true);
    preferences().setCursorSpeed(3);
    preferences().setVerticalScrollLines(5);
    preferences().setDoubleClickSpeed(2);
    preferences().setAcceleration(true);
    QVERIFY(!preferences().getAcceleration());
    QCOMPARE(debug.captured(),
             (QStringList{"setCursorSpeed Failed", "setVerticalScrollLines Failed",
                          "setDoubleClickSpeed Failed", "setAcceleration Failed",
                          "getAcceleration Failed"}));
    QCOMPARE(preferences().getCursorSpeed(), 3u);
    QCOMPARE(preferences().getVerticalScrollLines(), 5u);
    QCOMPARE(preferences().getDoubleClickSpeed(), 2u);
}

void PointerTest::accelerationChangesOnlyItsOwnEntry() {
    int custom[3] = {4, 12, 1};
    QVERIFY(system().systemParametersInfo(win::kSpiSetMouse, 0, custom, 0));
    preferences().setAcceleration(false);
    QCOMPARE(systemMouse(system()), (std::array<int, 3>{4, 12, 0}));
    QVERIFY(!preferences().getAcceleration());
    QCOMPARE(system().lastWinIni(), 3u);
    preferences().setAcceleration(true);
    QCOMPARE(systemMouse(system()), (std::array<int, 3>{4, 12, 1}));
    QVERIFY(preferences().getAcceleration());
    QVERIFY(!store_->currentProfile().allKeys().join(',').contains(QLatin1String("ccel")));
}

void PointerTest::gettersReportTheProfile() {
    QCOMPARE(preferences().getCursorSpeed(), 0u);
    QCOMPARE(preferences().getVerticalScrollLines(), 0u);
    QCOMPARE(preferences().getDoubleClickSpeed(), 0u);
    QVERIFY(!preferences().getScrollPinSwap());
    preferences().setCursorSpeed(6);
    store_->setCurrentProfileIndex(2);
    QCOMPARE(preferences().getCursorSpeed(), 0u);  // another profile, its own value
    store_->setCurrentProfileIndex(0);
    QCOMPARE(preferences().getCursorSpeed(), 6u);
    QCOMPARE(systemSpeed(system()), 12);
}

void PointerTest::scrollSwapRewritesOnlyItsBit() {
    sim::FirmwareState& mouse = rig_->firmware(DeviceRig::Mouse);
    mouse.sensorType = 0x12;
    mouse.reportRate = 4;
    mouse.functionOptions = {0x81, 0x05};
    preferences().setScrollPinSwap(true);
    QCOMPARE(rig_->wire("feature-out"),
             (QStringList{"00 83 00 00 00 00 00 00 7C", "00 81 00 00 00 00 00 00 7E",
                          "00 03 12 04 C1 05 00 00 20"}));
    QVERIFY(preferences().getScrollPinSwap());
    rig_->mouse.clearLog();
    preferences().setScrollPinSwap(false);
    QCOMPARE(rig_->wire("feature-out").value(2), QStringLiteral("00 03 12 04 81 05 00 00 60"));
    QVERIFY(!preferences().getScrollPinSwap());
}

void PointerTest::scrollSwapWritesNothingHalfKnown() {
    RateReadFails backend(rig_->mouse);
    rig_->useBackend(backend);
    preferences().setScrollPinSwap(true);
    QCOMPARE(rig_->wire("feature-out").size(), 2);  // the two reads, no write
    QVERIFY(preferences().getScrollPinSwap());      // the profile keeps the choice

    rig_->useBackend(rig_->mouse);
    rig_->mouse.setFault(sim::VirtualMouse::GetFeatureFails);
    preferences().setScrollPinSwap(false);
    QCOMPARE(rig_->wire("feature-out").size(), 1);
    QVERIFY(!preferences().getScrollPinSwap());
}

QTEST_GUILESS_MAIN(PointerTest)
#include "tst_pointer.moc"
