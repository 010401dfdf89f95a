#include <QtTest>

#include "platform/portable/portable_input.h"

using namespace z718;
using namespace z718::platform;

namespace {

void* asPointer(intptr_t value) {
    return reinterpret_cast<void*>(value);
}

constexpr uint32_t kSave = win::kSpifUpdateIniFile | win::kSpifSendChange;

}  // namespace

// The portable stand-ins: pointer settings with Windows' ranges and defaults, and the input
// system's delivery of real and injected events.
class TestPortablePlatform : public QObject {
    Q_OBJECT
private slots:
    void pointerSettingsStartAtWindowsDefaults();
    void mouseSpeedKeepsToOneToTwenty();
    void doubleClickTimeZeroMeansDefaultAndIsCapped();
    void scrollLinesAndAccelerationRoundTrip();
    void refusedCallsChangeNothing();
    void injectedEventsComeBackFlaggedAndInOrder();
};

void TestPortablePlatform::pointerSettingsStartAtWindowsDefaults() {
    PortablePointerSettings settings;
    int speed = 0;
    uint32_t lines = 0;
    int mouse[3] = {};
    QVERIFY(settings.systemParametersInfo(win::kSpiGetMouseSpeed, 0, &speed, 0));
    QVERIFY(settings.systemParametersInfo(win::kSpiGetWheelScrollLines, 0, &lines, 0));
    QVERIFY(settings.systemParametersInfo(win::kSpiGetMouse, 0, mouse, 0));
    QCOMPARE(speed, 10);
    QCOMPARE(lines, 3u);
    QCOMPARE(settings.doubleClickTime(), 500u);
    QCOMPARE((std::array{mouse[0], mouse[1], mouse[2]}), (std::array{6, 10, 1}));
    QVERIFY(!settings.systemParametersInfo(win::kSpiGetMouseSpeed, 0, nullptr, 0));
    QVERIFY(!settings.systemParametersInfo(0x1234, 0, &speed, 0));
}

void TestPortablePlatform::mouseSpeedKeepsToOneToTwenty() {
    PortablePointerSettings settings;
    int speed = 0;
    for (const intptr_t accepted : {1, 14, 20}) {
        QVERIFY(
            settings.systemParametersInfo(win::kSpiSetMouseSpeed, 0, asPointer(accepted), kSave));
        QVERIFY(settings.systemParametersInfo(win::kSpiGetMouseSpeed, 0, &speed, 0));
        QCOMPARE(speed, int(accepted));
    }
    QCOMPARE(settings.lastWinIni(), kSave);
    for (const intptr_t refused : {0, 21, -3}) {
        QVERIFY(
            !settings.systemParametersInfo(win::kSpiSetMouseSpeed, 0, asPointer(refused), kSave));
    }
    QVERIFY(settings.systemParametersInfo(win::kSpiGetMouseSpeed, 0, &speed, 0));
    QCOMPARE(speed, 20);
}

void TestPortablePlatform::doubleClickTimeZeroMeansDefaultAndIsCapped() {
    PortablePointerSettings settings;
    QVERIFY(settings.systemParametersInfo(win::kSpiSetDoubleClickTime, 200, nullptr, kSave));
    QCOMPARE(settings.doubleClickTime(), 200u);
    QVERIFY(settings.systemParametersInfo(win::kSpiSetDoubleClickTime, 0, nullptr, kSave));
    QCOMPARE(settings.doubleClickTime(), 500u);
    QVERIFY(settings.systemParametersInfo(win::kSpiSetDoubleClickTime, 9000, nullptr, kSave));
    QCOMPARE(settings.doubleClickTime(), 5000u);
}

void TestPortablePlatform::scrollLinesAndAccelerationRoundTrip() {
    PortablePointerSettings settings;
    uint32_t lines = 0;
    QVERIFY(settings.systemParametersInfo(win::kSpiSetWheelScrollLines, 1000, nullptr, kSave));
    QVERIFY(settings.systemParametersInfo(win::kSpiGetWheelScrollLines, 0, &lines, 0));
    QCOMPARE(lines, 1000u);
    int mouse[3] = {4, 12, 0};
    QVERIFY(settings.systemParametersInfo(win::kSpiSetMouse, 0, mouse, kSave));
    int readBack[3] = {};
    QVERIFY(settings.systemParametersInfo(win::kSpiGetMouse, 0, readBack, 0));
    QCOMPARE((std::array{readBack[0], readBack[1], readBack[2]}), (std::array{4, 12, 0}));
    QVERIFY(!settings.systemParametersInfo(win::kSpiSetMouse, 0, nullptr, kSave));
}

void TestPortablePlatform::refusedCallsChangeNothing() {
    PortablePointerSettings settings;
    settings.setRefuseAll(true);
    QVERIFY(!settings.systemParametersInfo(win::kSpiSetDoubleClickTime, 300, nullptr, kSave));
    int speed = 0;
    QVERIFY(!settings.systemParametersInfo(win::kSpiGetMouseSpeed, 0, &speed, 0));
    QCOMPARE(settings.doubleClickTime(), 500u);
    settings.reset();
    QVERIFY(settings.systemParametersInfo(win::kSpiGetMouseSpeed, 0, &speed, 0));
}

void TestPortablePlatform::injectedEventsComeBackFlaggedAndInOrder() {
    PortableInput input;
    std::vector<uint32_t> keyFlags;
    std::vector<std::pair<uint32_t, uint32_t>> buttons;  // message, flags
    input.install(
        [&](int, const KeyboardHookEvent& e) {
            keyFlags.push_back(e.flags);
            return false;
        },
        [&](int, const MouseHookEvent& e) {
            buttons.emplace_back(e.message, e.flags);
            return e.flags == 0;  // swallows real buttons only
        });
    input.keybdEvent(0x41, 0, 0);
    input.keybdEvent(0x41, 0, win::kKeyEventKeyUp);
    QVERIFY(input.feedKey(0x41, 0x1E, true));
    QCOMPARE(keyFlags, (std::vector<uint32_t>{win::kLlkhfInjected,
                                              win::kLlkhfInjected | win::kLlkhfUp, win::kLlkhfUp}));
    QVERIFY(!input.feedMouse(win::kWmMButtonDown, 7, 8));
    input.mouseEvent(win::kMouseEventLeftDown | win::kMouseEventLeftUp);
    QCOMPARE(buttons, (std::vector<std::pair<uint32_t, uint32_t>>{
                          {win::kWmMButtonDown, 0},
                          {win::kWmLButtonDown, win::kLlmhfInjected},
                          {win::kWmLButtonUp, win::kLlmhfInjected}}));
    QCOMPARE(int(input.delivered().size()), 5);  // all but the swallowed middle button
    input.uninstall();
    QVERIFY(!input.installed());
    QVERIFY(input.feedMouse(win::kWmMButtonDown, 7, 8));
}

QTEST_GUILESS_MAIN(TestPortablePlatform)
#include "tst_portable_platform.moc"
