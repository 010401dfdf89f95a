// The hook procedures on the portable input system, with the engine stepped tick by tick: what
// the scene is told, what reaches the system and what the engine replays.
#include <QtTest>
#include <algorithm>
#include <ranges>

#include "engine/key_tables.h"
#include "hooks/vk_usage_table.h"
#include "support/debug_capture.h"
#include "support/engine_rig.h"

using namespace z718;
using z718::test::EngineRig;

constexpr uint32_t kWindows = 0x5B;  // virtual key and scan code alike
constexpr uint32_t kVkD = 0x44, kScanD = 0x20;

class TestHooks : public QObject {
    Q_OBJECT
private slots:
    // The hooks' virtual-key table and the engine's usage map describe the same keys both ways.
    void keyTablesAgree() {
        // Keys the engine sends back as another virtual key, or not at all: {usage, sent as}.
        const QMap<uint32_t, std::pair<int, int>> others = {
            {0xA4, {226, 0x12}}, {0xA5, {230, 0x12}}, {0x1C, {138, 0}}, {0x1D, {139, 0}},
            {0x1E, {136, 0}},    {0x19, {145, 0}},    {0x3D, {144, 0}}};
        int reported = 0;
        for (uint32_t vk = 0; vk < 256; ++vk) {
            if (const int usage = vkToUsage(vk)) {
                ++reported;
                QVERIFY2(
                    (std::pair{usage, int(usageToVk(usage))}) == others.value(vk, {usage, int(vk)}),
                    qPrintable(QString::number(vk, 16)));
            }
        }
        QCOMPARE(reported, 108);
        QCOMPARE(int(vkToUsage(0x10000 | 0x41)), 0);

        QCOMPARE(
            std::ranges::count_if(std::views::iota(0, 256), [](int u) { return usageToVk(u); }),
            120);
        // Usages no reported key has: non-US #, keypad Enter, F13..F24, the mouse buttons; none.
        const std::pair<int, int> usageOnly[] = {{50, 0xDC},  {88, 0x6C},  {104, 0x7C}, {115, 0x87},
                                                 {240, 0xE8}, {242, 0xEA}, {-1, 0}};
        for (const auto& [usage, vk] : usageOnly) {
            QCOMPARE(int(usageToVk(usage)), vk);
        }
    }

    void buttonMessages_data() {
        QTest::addColumn<uint>("message");
        QTest::addColumn<uint>("mouseData");
        QTest::addColumn<QStringList>("reports");
        QTest::addColumn<std::vector<int>>("events");
        QTest::addColumn<bool>("passes");
        const auto row = [](const char* name, uint32_t message, uint32_t data, QStringList reports,
                            std::vector<int> events, bool passes) {
            QTest::newRow(name) << uint(message) << uint(data) << reports << events << passes;
        };
        row("left down", win::kWmLButtonDown, 0, {"mouse 1 f0 5,6"}, {0x00}, false);
        row("left up", win::kWmLButtonUp, 0, {"mouse 0 f0 5,6"}, {0x80}, false);
        row("middle up", win::kWmMButtonUp, 0, {"mouse 0 f2 5,6"}, {0x82}, false);
        row("forward down", win::kWmXButtonDown, win::kXButton2Data, {"mouse 1 f4 5,6"}, {0x03},
            false);
        row("back up", win::kWmXButtonUp, win::kXButton1Data, {"mouse 0 f3 5,6"}, {0x84}, false);
        row("another X button", win::kWmXButtonDown, 0x30000, {}, {}, false);
        row("wheel", win::kWmMouseWheel, 0x780000, {}, {}, true);
        row("move", win::kWmMouseMove, 0, {}, {}, true);
    }

    void buttonMessages() {
        QFETCH(uint, message);
        QFETCH(uint, mouseData);
        QFETCH(QStringList, reports);
        QFETCH(std::vector<int>, events);
        QFETCH(bool, passes);
        EngineRig rig;
        QCOMPARE(rig.input.feedMouse(message, 5, 6, mouseData), passes);
        QCOMPARE(rig.reports, reports);
        QCOMPARE(rig.drainEvents(), events);
    }

    // Injected input passes untouched, and so does real input while the engine is stopped
    // (no device): clicks unreported, keys reported, the Windows key at once, no chord either.
    void inputTheEngineDoesNotTakePasses() {
        EngineRig rig;
        rig.input.keybdEvent(0x44, 0, 0);  // an injected D carries no scan code
        QCOMPARE(rig.input.delivered().size(), size_t(1));
        QCOMPARE(rig.reports, QStringList{"key 0 7"});  // keys are reported, injected or not
        QVERIFY(rig.drainEvents().empty());

        rig.running = false;
        QVERIFY(rig.press(0));
        QVERIFY(rig.release(0));
        QVERIFY(rig.input.feedKey(kWindows, kWindows, false));
        QCOMPARE(rig.reports, (QStringList{"key 0 7", "key 0 227"}));
        QVERIFY(rig.drainEvents().empty());
        QVERIFY(rig.ticks(3).isEmpty());
    }

    // The Windows key, then D within 20 ms: the sixth button.
    void windowsKeyThenD() {
        test::DebugCapture debug;
        EngineRig rig;
        rig.assign(5, {kKeysFunction, 0, 0x04, 0});  // the sixth button types "a"
        QVERIFY(!rig.input.feedKey(kWindows, kWindows, false, 1000));
        QVERIFY(!rig.input.feedKey(kVkD, kScanD, false, 1005));
        QCOMPARE(debug.captured(), QStringList{"Win+D Down"});
        QVERIFY(!rig.input.feedKey(kWindows, kWindows, false, 1030));  // repeat while held
        QVERIFY(!rig.input.feedKey(kVkD, kScanD, false, 1035));
        QVERIFY(rig.input.feedKey(kVkD, kScanD, true, 1040));  // D's release passes
        QVERIFY(!rig.input.feedKey(kWindows, kWindows, true, 1050));
        QCOMPARE(debug.captured(), (QStringList{"Win+D Down", "Win+D Up"}));
        // The held-back Windows key never reaches the system: only the assignment plays.
        QCOMPARE(rig.ticks(6), (QStringList{"1 key 41 down", "2 key 41 up"}));

        // D 30 ms after the Windows key passes. The held-back Windows key still reaches the
        // system, two ticks on; its real release then passes by itself.
        QVERIFY(!rig.input.feedKey(kWindows, kWindows, false, 2000));
        QVERIFY(rig.input.feedKey(kVkD, kScanD, false, 2030));
        QCOMPARE(rig.hooks.chordState(), HookProcedures::kChordIdle);
        QCOMPARE(debug.captured().size(), 2);
        QVERIFY(rig.drainEvents().empty());
        QCOMPARE(rig.ticks(4), QStringList{"8 key 5B down"});
        QVERIFY(rig.input.feedKey(kWindows, kWindows, true, 2100));
        QVERIFY(rig.ticks(3).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestHooks)
#include "tst_hooks.moc"
