// The portable stand-ins: pointer settings with Windows' ranges and defaults, and the input
// system's delivery of real and injected events.
#include <QtTest>

#include "platform/portable/portable_input.h"

using namespace z718;
using namespace z718::platform;

class TestPortablePlatform : public QObject {
    Q_OBJECT
private slots:
    void pointerSettingsKeepWindowsDefaultsAndRanges() {
        PortablePointerSettings settings;
        const auto get = [&](uint32_t action) {
            std::array<int, 3> value{};
            return settings.systemParametersInfo(action, 0, value.data(), 0)
                       ? value
                       : std::array{-1, -1, -1};
        };
        const auto setSpeed = [&](intptr_t speed) {
            return settings.systemParametersInfo(win::kSpiSetMouseSpeed, 0,
                                                 reinterpret_cast<void*>(speed), 3);
        };
        QCOMPARE(get(win::kSpiGetMouseSpeed)[0], 10);
        QCOMPARE(get(win::kSpiGetWheelScrollLines)[0], 3);
        QCOMPARE(get(win::kSpiGetMouse), (std::array{6, 10, 1}));
        QCOMPARE(settings.doubleClickTime(), 500u);
        QVERIFY(!settings.systemParametersInfo(win::kSpiGetMouseSpeed, 0, nullptr, 0));
        QVERIFY(!settings.systemParametersInfo(0x1234, 0, nullptr, 0));

        QVERIFY(setSpeed(1) && setSpeed(20));
        QVERIFY(!setSpeed(0) && !setSpeed(21) && !setSpeed(-3));
        QCOMPARE(get(win::kSpiGetMouseSpeed)[0], 20);
        // Double-click time: 0 is the default, and it is capped at 5000.
        for (const auto& [set, got] : {std::pair{200u, 200u}, {0u, 500u}, {9000u, 5000u}}) {
            QVERIFY(settings.systemParametersInfo(win::kSpiSetDoubleClickTime, set, nullptr, 3));
            QCOMPARE(settings.doubleClickTime(), got);
        }
        QVERIFY(!settings.systemParametersInfo(win::kSpiSetMouse, 0, nullptr, 3));
    }
    void injectedEventsComeBackFlaggedAndInOrder() {
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
        QCOMPARE(keyFlags,
                 (std::vector<uint32_t>{win::kLlkhfInjected, win::kLlkhfInjected | win::kLlkhfUp,
                                        win::kLlkhfUp}));
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
};

QTEST_GUILESS_MAIN(TestPortablePlatform)
#include "tst_portable_platform.moc"
