#include <QtTest>

#include "engine/key_tables.h"
#include "engine_fixture.h"

using namespace z718;
using z718::test::EngineFixture;

namespace {

constexpr uint32_t kDelay = 0x80000000u;

QStringList matching(const QStringList& log, const QString& what) {
    QStringList found;
    for (const QString& line : log) {
        if (line.endsWith(what)) {
            found.append(line.section(QLatin1Char(' '), 0, 0));
        }
    }
    return found;
}

}  // namespace

class TestActionEngine : public QObject {
    Q_OBJECT
private slots:
    void mouseFunctionsPlayTheAssignedButton_data();
    void mouseFunctionsPlayTheAssignedButton();
    void keysGoDownAndUpInEntryOrderOnePerTick();
    void mediaKeys();
    void entriesWithoutActionSwallowTheButton();
    void tripleClickTakesSixTicks();
    void countedMacroPlaysItsPassesWithDelays();
    void countedMacroWithCountZeroPlaysOnce();
    void untilNextPressMacroIsEndedByAPressItConsumes();
    void whileHeldMacroFinishesItsPassWithoutDelaysOnRelease();
    void macroPressIsHeldBackWhileAnotherPlays();
    void eventRingHoldsElevenEvents();
    void queuesAndSlotsAreCutAt199Words();
    void heldBackWindowsKeyIsReplayedAfterTwoTicks();
    void usageToVkTable();
    void sharedTablesStartContentsAndWrites();
    void runTicksUntilStopped();
};

void TestActionEngine::mouseFunctionsPlayTheAssignedButton_data() {
    QTest::addColumn<int>("b2");
    QTest::addColumn<QStringList>("pressed");
    QTest::addColumn<QStringList>("released");
    QTest::newRow("right button plays a left click")
        << 0xF0 << QStringList{"1 left down"} << QStringList{"3 left up"};
    QTest::newRow("right") << 0xF1 << QStringList{"1 right down"} << QStringList{"3 right up"};
    QTest::newRow("middle") << 0xF2 << QStringList{"1 middle down"} << QStringList{"3 middle up"};
    QTest::newRow("back is Alt+Left") << 0xF3 << QStringList{"1 key 12 down", "2 key 25 down"}
                                      << QStringList{"3 key 12 up", "4 key 25 up"};
    QTest::newRow("forward is Alt+Right") << 0xF4 << QStringList{"1 key 12 down", "2 key 27 down"}
                                          << QStringList{"3 key 12 up", "4 key 27 up"};
    QTest::newRow("unknown button code") << 0x10 << QStringList{} << QStringList{};
}

void TestActionEngine::mouseFunctionsPlayTheAssignedButton() {
    QFETCH(int, b2);
    QFETCH(QStringList, pressed);
    QFETCH(QStringList, released);
    EngineFixture f;
    f.assign(1, {kMouseFunction, 0, static_cast<uint8_t>(b2), 0});
    f.press(1);
    QCOMPARE(f.ticks(2), pressed);
    f.release(1);
    QCOMPARE(f.ticks(3), released);
}

void TestActionEngine::keysGoDownAndUpInEntryOrderOnePerTick() {
    EngineFixture f;
    f.assign(2, {kKeysFunction, 0xE0, 0x06, 0});  // left Ctrl + C
    f.press(2);
    QCOMPARE(f.ticks(3), (QStringList{"1 key A2 down", "2 key 43 down"}));
    f.release(2);
    QCOMPARE(f.ticks(3), (QStringList{"4 key A2 up", "5 key 43 up"}));

    f.assign(2, {kKeysFunction, 0x04, 0x66, 0x05});  // a, a usage without a key, b
    f.press(2);
    QCOMPARE(f.ticks(4), (QStringList{"7 key 41 down", "8 key 00 down", "9 key 42 down"}));
}

void TestActionEngine::mediaKeys() {
    EngineFixture f;
    f.assign(4, {kMediaFunction, 0, 0x94, 0});
    f.press(4);
    QCOMPARE(f.ticks(3), (QStringList{"1 key 5B down", "2 key 45 down"}));  // Win+E
    f.release(4);
    QCOMPARE(f.ticks(3), (QStringList{"4 key 5B up", "5 key 45 up"}));

    f.assign(4, {kMediaFunction, 0, 0xE9, 0});
    f.press(4);
    QCOMPARE(f.ticks(2), (QStringList{"7 key AF down"}));  // volume up
    f.assign(4, {kMediaFunction, 0, 0x01, 0});
    f.press(4);
    QCOMPARE(f.ticks(2), QStringList{});
}

void TestActionEngine::entriesWithoutActionSwallowTheButton() {
    EngineFixture f;
    for (const uint8_t type : {2, 4, 5, 6, 7, 8, 11, 255}) {
        f.assign(0, {type, 0x04, 0xF0, 0x05});
        f.press(0);
        f.release(0);
        QVERIFY2(f.ticks(4).isEmpty(), qPrintable(QString::number(type)));
    }
}

void TestActionEngine::tripleClickTakesSixTicks() {
    EngineFixture f;
    f.assign(0, {kTripleClickFunction, 0, 0, 0});
    f.press(0);
    f.release(0);
    QCOMPARE(f.ticks(8), (QStringList{"1 left down", "2 left up", "3 left down", "4 left up",
                                      "5 left down", "6 left up"}));
}

void TestActionEngine::countedMacroPlaysItsPassesWithDelays() {
    EngineFixture f;  // slot 0 starts with A, delay 2, A up, delay 2, three times
    f.assign(0, {kMacroFunction, kRepeatCounted, 0, 0});
    f.press(0);
    f.release(0);
    const QStringList log = f.ticks(60);
    // A delay word d holds its queue's next word back until d + 2 ticks later.
    QCOMPARE(matching(log, "key 41 down"), (QStringList{"1", "11", "21"}));
    QCOMPARE(matching(log, "key 41 up"), (QStringList{"6", "16", "26"}));
    QCOMPARE(log.size(), 6);
    QVERIFY(!f.macroQueue.playing());
    QCOMPARE(f.macroQueue.repeat, 1);
}

void TestActionEngine::countedMacroWithCountZeroPlaysOnce() {
    EngineFixture f;
    const uint32_t words[] = {0, 0, 0x42, 0x142, 0};
    QVERIFY(f.macros.write(1, words));
    f.assign(1, {kMacroFunction, kRepeatCounted, 0, 0});
    f.press(1);
    QCOMPARE(f.ticks(20), (QStringList{"1 key 42 down", "2 key 42 up"}));
}

void TestActionEngine::untilNextPressMacroIsEndedByAPressItConsumes() {
    EngineFixture f;
    const uint32_t words[] = {0, 1, 0x41, kDelay | 1, 0x141, kDelay | 1, 0};
    QVERIFY(f.macros.write(3, words));
    f.assign(3, {kMacroFunction, kRepeatUntilNextPress, 0, 0});
    f.assign(1, {kMouseFunction, 0, 0xF0, 0});
    f.press(3);
    f.release(3);
    QStringList log = f.ticks(40);
    QCOMPARE(matching(log, "key 41 down").size(), 5);  // far beyond its count of 1

    f.press(1);
    log += f.untilIdle();
    QVERIFY(!log.join(' ').contains("left"));  // the press only ended the macro
    QCOMPARE(matching(log, "key 41 down").size(), matching(log, "key 41 up").size());
    QVERIFY(log.last().endsWith("key 41 up"));
    QCOMPARE(f.engine.repeatMode(), kRepeatCounted);
    QVERIFY(f.ticks(10).isEmpty());

    f.press(1);  // the next press acts again
    QCOMPARE(f.ticks(1).size(), 1);
}

void TestActionEngine::whileHeldMacroFinishesItsPassWithoutDelaysOnRelease() {
    EngineFixture f;
    const uint32_t words[] = {0, 1, 0x41, kDelay | 10, 0x141, kDelay | 10, 0};
    QVERIFY(f.macros.write(5, words));
    f.assign(5, {kMacroFunction, kRepeatWhileHeld, 0, 0});
    f.press(5);
    const QStringList held = f.ticks(60);
    QCOMPARE(matching(held, "key 41 down"), (QStringList{"1", "27", "53"}));

    f.release(5);  // mid-delay after the third press of A
    const int releasedAt = f.out.tick;
    const QStringList rest = f.untilIdle();
    QCOMPARE(rest, (QStringList{QStringLiteral("%1 key 41 up").arg(releasedAt + 2)}));
    QVERIFY(f.out.tick - releasedAt <= 5);
    QVERIFY(!f.engine.stopping());
}

void TestActionEngine::macroPressIsHeldBackWhileAnotherPlays() {
    EngineFixture f;
    const uint32_t first[] = {0, 1, 0x41, kDelay | 5, 0x141, 0};
    const uint32_t second[] = {0, 1, 0x42, 0x142, 0};
    QVERIFY(f.macros.write(0, first));
    QVERIFY(f.macros.write(1, second));
    f.assign(0, {kMacroFunction, kRepeatCounted, 0, 0});
    f.assign(1, {kMacroFunction, kRepeatCounted, 0, 0});
    f.press(0);
    f.ticks(1);
    f.press(1);
    const QStringList log = f.ticks(20);
    QCOMPARE(log, (QStringList{"9 key 41 up", "10 key 42 down", "11 key 42 up"}));
}

void TestActionEngine::eventRingHoldsElevenEvents() {
    MySafeQueue events;
    for (int i = 0; i < 11; ++i) {
        QVERIFY(events.push(i));
    }
    QVERIFY(!events.push(11));
    for (int i = 0; i < 11; ++i) {
        QCOMPARE(events.pop(), std::optional<int>(i));
    }
    QCOMPARE(events.pop(), std::nullopt);
    for (int round = 0; round < 30; ++round) {  // wraps around the ring
        QVERIFY(events.push(round));
        QCOMPARE(events.pop(), std::optional<int>(round));
    }
}

void TestActionEngine::queuesAndSlotsAreCutAt199Words() {
    MyQueue queue;
    for (int i = 0; i < MyQueue::kLimit; ++i) {
        QVERIFY(queue.append(0x41));
    }
    QVERIFY(!queue.append(0x41));
    QCOMPARE(queue.write, 199);

    EngineFixture f;
    std::vector<uint32_t> longMacro(MacroSlots::kWords - 1, 0x41);
    longMacro[0] = 0;
    longMacro[1] = 1;
    QVERIFY(f.macros.write(2, longMacro));
    f.assign(2, {kMacroFunction, kRepeatCounted, 0, 0});
    f.press(2);
    QStringList log = f.ticks(1);
    log += f.untilIdle();
    QCOMPARE(log.size(), 199);
}

void TestActionEngine::heldBackWindowsKeyIsReplayedAfterTwoTicks() {
    EngineFixture f;
    f.events.setCountdown(2);
    QCOMPARE(f.ticks(1), QStringList{});
    QCOMPARE(f.ticks(1), QStringList{"2 key 5B down"});
    QCOMPARE(f.events.countdown(), 0);
    QVERIFY(f.ticks(3).isEmpty());

    f.events.setCountdown(2);
    f.ticks(1);
    f.events.setCountdown(0);  // the chord's D came
    QVERIFY(f.ticks(3).isEmpty());
}

void TestActionEngine::usageToVkTable() {
    int rows = 0;
    for (int usage = 0; usage < 256; ++usage) {
        rows += usageToVk(usage) != 0;
    }
    QCOMPARE(rows, 120);
    QCOMPARE(usageToVk(4), 0x41);
    QCOMPARE(usageToVk(29), 0x5A);
    QCOMPARE(usageToVk(30), 0x31);
    QCOMPARE(usageToVk(39), 0x30);
    QCOMPARE(usageToVk(49), 0xDC);
    QCOMPARE(usageToVk(50), 0xDC);
    QCOMPARE(usageToVk(69), 0x7B);
    QCOMPARE(usageToVk(82), 0x26);
    QCOMPARE(usageToVk(88), 0x6C);
    QCOMPARE(usageToVk(97), 0x69);
    QCOMPARE(usageToVk(98), 0x60);
    QCOMPARE(usageToVk(115), 0x87);
    QCOMPARE(usageToVk(224), 0xA2);
    QCOMPARE(usageToVk(226), 0x12);
    QCOMPARE(usageToVk(230), 0x12);
    QCOMPARE(usageToVk(231), 0x5C);
    QCOMPARE(usageToVk(240), 0xE8);
    QCOMPARE(usageToVk(242), 0xEA);
    QCOMPARE(usageToVk(100), 0);
    QCOMPARE(usageToVk(-1), 0);
    QCOMPARE(usageToVk(4096), 0);
}

void TestActionEngine::sharedTablesStartContentsAndWrites() {
    KeyMatrixTable matrix;
    QCOMPARE(matrix.entry(0).type, 1);
    QCOMPARE(matrix.entry(0).b2, 0xF0);
    QCOMPARE(matrix.entry(14).b2, 0x68);
    QCOMPARE(matrix.entry(15).b2, 0xE3);
    for (int i = 1; i < 14; ++i) {
        const KeyEntry e = matrix.entry(i);
        QVERIFY(e.type == 0 && e.b1 == 0 && e.b2 == 0 && e.b3 == 0);
    }
    uint8_t bytes[64];
    for (int i = 0; i < 64; ++i) {
        bytes[i] = static_cast<uint8_t>(i);
    }
    matrix.write(bytes);
    QCOMPARE(matrix.entry(5).type, 20);
    QCOMPARE(matrix.entry(5).b3, 23);
    QCOMPARE(matrix.entry(16).type, 0);

    MacroSlots macros;
    QCOMPARE(macros.read(0)[1], 3u);
    QCOMPARE(macros.read(0)[3], 0x80000002u);
    QCOMPARE(macros.read(1)[6], 0x143u);
    QCOMPARE(macros.read(2)[4], 0x144u);
    QCOMPARE(macros.read(3)[2], 0u);
    const uint32_t shorter[] = {0, 2, 0x45, 0};
    QVERIFY(macros.write(0, shorter));
    const MacroSlots::Slot slot = macros.read(0);
    QCOMPARE(slot[2], 0x45u);
    QCOMPARE(slot[3], 0u);
    QCOMPARE(slot[4], 0x141u);  // filled in place: the old words after the end stay
    QVERIFY(!macros.write(6, shorter));
    QVERIFY(!macros.write(-1, shorter));
    QVERIFY(!macros.write(1, std::vector<uint32_t>(257, 1)));
    QCOMPARE(macros.read(1)[2], 0x42u);
}

void TestActionEngine::runTicksUntilStopped() {
    EngineFixture f;
    std::atomic<bool> running{true};
    std::thread worker([&] { f.engine.run(running); });
    QTRY_VERIFY_WITH_TIMEOUT(f.engine.ticks() >= 3, 5000);
    running.store(false);
    worker.join();
    const uint64_t stoppedAt = f.engine.ticks();
    QTest::qWait(30);
    QCOMPARE(f.engine.ticks(), stoppedAt);
}

QTEST_GUILESS_MAIN(TestActionEngine)
#include "tst_action_engine.moc"
