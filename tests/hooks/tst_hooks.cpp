// The hook procedures on the portable backend, with the engine stepped tick by tick: what the
// scene is told, what reaches the system and what the engine replays.
#include <QtTest>

#include "engine/action_engine.h"
#include "hooks/hook_procedures.h"
#include "hooks/vk_usage_table.h"
#include "platform/portable/portable_input.h"
#include "support/debug_capture.h"

using namespace z718;
using Delivered = platform::PortableInput::Delivered;

namespace {

constexpr uint32_t kVkWindows = 0x5B, kScanWindows = 0x5B;
constexpr uint32_t kVkD = 0x44, kScanD = 0x20;

Delivered realKey(uint32_t vk, bool up) {
    return {false, up ? win::kWmKeyUp : win::kWmKeyDown, vk, false};
}
Delivered injectedKey(uint32_t vk, bool up) {
    return {false, up ? win::kWmKeyUp : win::kWmKeyDown, vk, true};
}
Delivered injectedButton(uint32_t message) {
    return {true, message, 0, true};
}

// The system, the hooks and the engine, with the worker's flag in the test's hand.
struct HookRig {
    platform::PortableInput input;
    MySafeQueue events;
    MyQueue macroQueue;
    MyQueue actionQueue;
    KeyMatrixTable matrix;
    MacroSlots macros;
    ActionEngine engine{events, macroQueue, actionQueue, input, matrix, macros};
    std::atomic<bool> running{true};
    QStringList reports;
    HookProcedures hooks{
        {[this](uint8_t usage, uint8_t keyUp) {
             reports.append(QStringLiteral("key %1 %2").arg(keyUp).arg(usage));
         },
         [this](uint8_t code, uint8_t down, int x, int y) {
             reports.append(
                 QStringLiteral("mouse %1 %2 %3,%4").arg(down).arg(code, 0, 16).arg(x).arg(y));
         },
         &running, &events}};

    HookRig() {
        input.install([this](int n, const auto& e) { return hooks.keyboard(n, e); },
                      [this](int n, const auto& e) { return hooks.mouse(n, e); });
    }
    void assign(int button, KeyEntry e) {
        uint8_t bytes[KeyMatrixTable::kBytes] = {};
        for (int i = 0; i < KeyMatrixTable::kEntries; ++i) {
            const KeyEntry old = i == button ? e : matrix.entry(i);
            bytes[i * 4] = old.type;
            bytes[i * 4 + 1] = old.b1;
            bytes[i * 4 + 2] = old.b2;
            bytes[i * 4 + 3] = old.b3;
        }
        matrix.write(bytes);
    }
    std::vector<Delivered> ticks(int n) {
        input.clearDelivered();
        for (int i = 0; i < n; ++i) {
            engine.tick();
        }
        return input.delivered();
    }
    std::vector<int> drainEvents() {
        std::vector<int> all;
        while (const auto e = events.pop()) {
            all.push_back(*e);
        }
        return all;
    }
};

}  // namespace

class TestHooks : public QObject {
    Q_OBJECT
private slots:
    void vkUsageTable();
    void clickIsSwallowedReportedAndReplayed();
    void rightButtonPlaysTheAssignedLeftClick();
    void buttonMessagesAndTheirEvents_data();
    void buttonMessagesAndTheirEvents();
    void otherXButtonsAreSwallowedUnreported();
    void withoutDeviceClicksPassUnreportedAndKeysAreReported();
    void injectedInputPassesUntouched();
    void windowsAndDWithinTheWindowAreTheSixthButton();
    void windowsThenDTooLateLetsTheDPass();
    void windowsKeyAloneReachesTheSystemTwoTicksLate();
    void keysOutsideTheChordPass();
};

void TestHooks::vkUsageTable() {
    QCOMPARE(int(vkUsageRows().size()), 138);
    QCOMPARE(int(std::count_if(vkUsageRows().begin(), vkUsageRows().end(),
                               [](const VkUsageRow& r) { return r.vk == 0; })),
             29);
    int mapped = 0;
    for (uint32_t vk = 0; vk < 256; ++vk) {
        mapped += vkToUsage(vk) != 0;
    }
    QCOMPARE(mapped, 108);
    const std::pair<uint32_t, int> samples[] = {
        {0x08, 42},  {0x13, 72},  {0x19, 145}, {0x1C, 138}, {0x1E, 136}, {0x26, 82},
        {0x30, 39},  {0x3D, 144}, {0x41, 4},   {0x5A, 29},  {0x5D, 101}, {0x60, 98},
        {0x61, 89},  {0x69, 97},  {0x6E, 99},  {0x6F, 84},  {0x70, 58},  {0x7B, 69},
        {0xA4, 226}, {0xA5, 230}, {0xBA, 51},  {0xC0, 53},  {0xDC, 49},  {0xDE, 52},
        {0x00, 0},   {0x7C, 0},   {0x0C, 0},   {0xFF, 0},   {0x10000, 0}};
    for (const auto& [vk, usage] : samples) {
        QCOMPARE(int(vkToUsage(vk)), usage);
    }
}

void TestHooks::clickIsSwallowedReportedAndReplayed() {
    HookRig rig;  // entry 0 starts as the left button
    QVERIFY(!rig.input.feedMouse(win::kWmLButtonDown, 10, 20));
    QVERIFY(!rig.input.feedMouse(win::kWmLButtonUp, 11, 21));
    QCOMPARE(rig.reports, (QStringList{"mouse 1 f0 10,20", "mouse 0 f0 11,21"}));
    QVERIFY(rig.input.delivered().empty());
    QCOMPARE(rig.ticks(1), std::vector{injectedButton(win::kWmLButtonDown)});
    QCOMPARE(rig.ticks(2), std::vector{injectedButton(win::kWmLButtonUp)});
}

void TestHooks::rightButtonPlaysTheAssignedLeftClick() {
    HookRig rig;
    rig.assign(1, {kMouseFunction, 0, 0xF0, 0});
    QVERIFY(!rig.input.feedMouse(win::kWmRButtonDown, 0, 0));
    QCOMPARE(rig.ticks(2), std::vector{injectedButton(win::kWmLButtonDown)});
    QVERIFY(!rig.input.feedMouse(win::kWmRButtonUp, 0, 0));
    QCOMPARE(rig.ticks(2), std::vector{injectedButton(win::kWmLButtonUp)});
}

void TestHooks::buttonMessagesAndTheirEvents_data() {
    QTest::addColumn<uint>("message");
    QTest::addColumn<uint>("mouseData");
    QTest::addColumn<QString>("report");
    QTest::addColumn<int>("event");
    QTest::newRow("left up") << uint(win::kWmLButtonUp) << 0u << "mouse 0 f0 5,6" << 0x80;
    QTest::newRow("right down") << uint(win::kWmRButtonDown) << 0u << "mouse 1 f1 5,6" << 0x01;
    QTest::newRow("middle up") << uint(win::kWmMButtonUp) << 0u << "mouse 0 f2 5,6" << 0x82;
    QTest::newRow("forward down") << uint(win::kWmXButtonDown) << uint(win::kXButton2Data)
                                  << "mouse 1 f4 5,6" << 0x03;
    QTest::newRow("back up") << uint(win::kWmXButtonUp) << uint(win::kXButton1Data)
                             << "mouse 0 f3 5,6" << 0x84;
}

void TestHooks::buttonMessagesAndTheirEvents() {
    QFETCH(uint, message);
    QFETCH(uint, mouseData);
    QFETCH(QString, report);
    QFETCH(int, event);
    HookRig rig;
    QVERIFY(!rig.input.feedMouse(message, 5, 6, mouseData));
    QCOMPARE(rig.reports, QStringList{report});
    QCOMPARE(rig.drainEvents(), std::vector{event});
}

void TestHooks::otherXButtonsAreSwallowedUnreported() {
    HookRig rig;
    QVERIFY(!rig.input.feedMouse(win::kWmXButtonDown, 0, 0, 0x30000));
    QVERIFY(rig.reports.isEmpty());
    QVERIFY(rig.drainEvents().empty());
    QVERIFY(rig.input.feedMouse(win::kWmMouseWheel, 0, 0, 0x780000));
    QVERIFY(rig.input.feedMouse(win::kWmMouseMove, 3, 4));
    QVERIFY(rig.reports.isEmpty());
}

void TestHooks::withoutDeviceClicksPassUnreportedAndKeysAreReported() {
    HookRig rig;
    rig.running = false;
    QVERIFY(rig.input.feedMouse(win::kWmLButtonDown, 1, 1));
    QVERIFY(rig.input.feedMouse(win::kWmLButtonUp, 1, 1));
    QVERIFY(rig.input.feedKey(0x41, 0x1E, false));
    QVERIFY(rig.input.feedKey(0x41, 0x1E, true));
    QVERIFY(rig.input.feedKey(kVkWindows, kScanWindows, false));  // no chord either
    QCOMPARE(rig.reports, (QStringList{"key 0 4", "key 1 4", "key 0 227"}));
    QVERIFY(rig.drainEvents().empty());
    QCOMPARE(int(rig.input.delivered().size()), 5);
}

void TestHooks::injectedInputPassesUntouched() {
    HookRig rig;
    rig.input.mouseEvent(win::kMouseEventRightDown);
    rig.input.keybdEvent(0x44, 0, 0);  // an injected D carries no scan code
    QCOMPARE(rig.input.delivered(),
             (std::vector{injectedButton(win::kWmRButtonDown), injectedKey(0x44, false)}));
    QCOMPARE(rig.reports, QStringList{"key 0 7"});  // keys are reported, injected or not
    QVERIFY(rig.drainEvents().empty());
    QCOMPARE(rig.hooks.chordState(), HookProcedures::kChordIdle);
}

void TestHooks::windowsAndDWithinTheWindowAreTheSixthButton() {
    test::DebugCapture debug;
    HookRig rig;
    rig.assign(5, {kKeysFunction, 0, 0x04, 0});  // the sixth button types "a"
    QVERIFY(!rig.input.feedKey(kVkWindows, kScanWindows, false, 1000));
    QVERIFY(!rig.input.feedKey(kVkD, kScanD, false, 1005));
    QCOMPARE(debug.count("Win+D Down"), 1);
    QVERIFY(!rig.input.feedKey(kVkWindows, kScanWindows, false, 1030));  // repeat while held
    QVERIFY(!rig.input.feedKey(kVkD, kScanD, false, 1035));
    QVERIFY(rig.input.feedKey(kVkD, kScanD, true, 1040));  // D's release passes
    QVERIFY(!rig.input.feedKey(kVkWindows, kScanWindows, true, 1050));
    QCOMPARE(debug.count("Win+D Up"), 1);
    QCOMPARE(rig.drainEvents(), (std::vector{5, 0x85}));

    rig.events.push(5);
    rig.events.push(0x85);
    const auto out = rig.ticks(6);
    QCOMPARE(out, (std::vector{injectedKey(0x41, false), injectedKey(0x41, true)}));
    QCOMPARE(rig.hooks.chordState(), HookProcedures::kChordIdle);
}

void TestHooks::windowsThenDTooLateLetsTheDPass() {
    test::DebugCapture debug;
    HookRig rig;
    QVERIFY(!rig.input.feedKey(kVkWindows, kScanWindows, false, 1000));
    QVERIFY(rig.input.feedKey(kVkD, kScanD, false, 1030));
    QCOMPARE(rig.hooks.chordState(), HookProcedures::kChordIdle);
    QCOMPARE(debug.count("Win+D Down"), 0);
    QVERIFY(rig.drainEvents().empty());
    // The held-back Windows key still reaches the system, two ticks on.
    QCOMPARE(rig.ticks(2), std::vector{injectedKey(kVkWindows, false)});
}

void TestHooks::windowsKeyAloneReachesTheSystemTwoTicksLate() {
    HookRig rig;
    QVERIFY(!rig.input.feedKey(kVkWindows, kScanWindows, false, 500));
    QCOMPARE(rig.ticks(1), std::vector<Delivered>{});
    QCOMPARE(rig.ticks(1), std::vector{injectedKey(kVkWindows, false)});
    QVERIFY(rig.input.feedKey(kVkWindows, kScanWindows, true, 600));  // the real release
    QCOMPARE(rig.input.delivered().back(), realKey(kVkWindows, true));
    QCOMPARE(rig.ticks(5), std::vector<Delivered>{});

    rig.running = false;  // worker stopped: it passes at once
    QVERIFY(rig.input.feedKey(kVkWindows, kScanWindows, false, 700));
    QCOMPARE(rig.ticks(3), std::vector<Delivered>{});
}

void TestHooks::keysOutsideTheChordPass() {
    HookRig rig;
    QVERIFY(rig.input.feedKey(kVkD, kScanD, false, 10));  // D without the Windows key
    QVERIFY(rig.input.feedKey(0xA2, 0x1D, false, 20));
    QVERIFY(rig.input.feedKey(0xA2, 0x1D, true, 30));
    QCOMPARE(rig.reports, (QStringList{"key 0 7", "key 0 224", "key 1 224"}));
    QVERIFY(rig.drainEvents().empty());
}

QTEST_GUILESS_MAIN(TestHooks)
#include "tst_hooks.moc"
