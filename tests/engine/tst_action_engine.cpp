// The engine fed through the hooks on the portable input system, stepped tick by tick; then
// its worker on its own thread: how it parks and wakes, and its run against a hook thread and
// a GUI thread that rewrites the shared tables meanwhile. Run under ThreadSanitizer, the latter
// finds any unsynchronised access, such as a read of a half-written entry or macro slot.
#include <QtTest>
#include <thread>

#include "platform/timing.h"
#include "support/engine_rig.h"

using namespace z718;
using z718::test::EngineRig;

// What a log ("3 key A2 down", "4 left up") leaves down at its end, then the lines that press
// what is still down.
static QStringList leftDown(const QStringList& log) {
    QStringList down, twice;
    for (const QString& line : log) {
        const QString what = line.section(QLatin1Char(' '), 1, -2);
        if (!line.endsWith(QLatin1String(" down"))) {
            down.removeAll(what);
        } else if (down.contains(what)) {
            twice.append(line);
        } else {
            down.append(what);
        }
    }
    return down + twice;
}

class TestActionEngine : public QObject {
    Q_OBJECT
private slots:
    void entriesPlayTheirActions_data() {
        QTest::addColumn<uint>("entry");           // type, b1, b2, b3
        QTest::addColumn<QStringList>("pressed");  // ticks 1..7
        const auto row = [](const char* name, uint entry, QStringList pressed) {
            QTest::newRow(name) << entry << pressed;
        };
        row("right button plays a left click", 0x01'00'F0'00, {"1 left down"});
        row("right", 0x01'00'F1'00, {"1 right down"});
        row("middle", 0x01'00'F2'00, {"1 middle down"});
        row("back is Alt+Left", 0x01'00'F3'00, {"1 key 12 down", "2 key 25 down"});
        row("forward is Alt+Right", 0x01'00'F4'00, {"1 key 12 down", "2 key 27 down"});
        row("unknown button code", 0x01'00'10'00, {});
        row("Ctrl+C", 0x00'E0'06'00, {"1 key A2 down", "2 key 43 down"});
        row("a, a usage without a key, b", 0x00'04'66'05,
            {"1 key 41 down", "2 key 00 down", "3 key 42 down"});
        row("Win+E", 0x03'00'94'00, {"1 key 5B down", "2 key 45 down"});
        row("volume up", 0x03'00'E9'00, {"1 key AF down"});
        row("unknown media key", 0x03'00'01'00, {});
        row("triple click in six ticks", 0x0A'00'00'00,
            {"1 left down", "2 left up", "3 left down", "4 left up", "5 left down", "6 left up"});
        row("type 2 swallows the button", 0x02'04'F0'05, {});
        row("type 4 swallows the button", 0x04'04'F0'05, {});
        row("type 8 swallows the button", 0x08'04'F0'05, {});
        row("type 11 is ignored", 0x0B'04'F0'05, {});
    }

    // Whatever the table says by the time of the release, the release lets go of exactly what
    // the press pressed, one a tick from tick 8 on, in the order it went down.
    void entriesPlayTheirActions() {
        QFETCH(uint, entry);
        QFETCH(QStringList, pressed);
        QStringList released;
        for (const QString& what : leftDown(pressed)) {
            released << QStringLiteral("%1 %2 up").arg(8 + released.size()).arg(what);
        }
        EngineRig rig;
        rig.assign(
            1, {uint8_t(entry >> 24), uint8_t(entry >> 16), uint8_t(entry >> 8), uint8_t(entry)});
        QVERIFY(!rig.press(1));
        QCOMPARE(rig.ticks(7), pressed);
        rig.assign(1, {4, 0, 0, 0});  // swallowed: a release that looked here would do nothing
        QVERIFY(!rig.release(1));
        QCOMPARE(rig.ticks(7), released);
    }

    void countedMacroPlaysItsPassesWithDelays() {
        EngineRig rig;  // slot 0 starts with A, delay 2, A up, delay 2, three times
        rig.assign(0, {kMacroFunction, kRepeatCounted, 0, 0});
        rig.press(0);
        rig.release(0);
        const QStringList log = rig.ticks(60);
        // A delay word d holds its queue's next word back until d + 2 ticks later.
        QCOMPARE(log, (QStringList{"1 key 41 down", "6 key 41 up", "11 key 41 down", "16 key 41 up",
                                   "21 key 41 down", "26 key 41 up"}));

        QVERIFY(rig.assignMacro(1, kRepeatCounted, {0, 0, 0x42, 0x142, 0}));  // a count of 0: once
        rig.press(1);
        QCOMPARE(rig.ticks(20), (QStringList{"61 key 42 down", "62 key 42 up"}));
    }

    void untilNextPressMacroIsEndedByAPressItConsumes() {
        EngineRig rig;
        QVERIFY(rig.assignMacro(3, kRepeatUntilNextPress,
                                {0, 1, 0x41, kDelayWord | 1, 0x141, kDelayWord | 1, 0}));
        rig.assign(1, {kMouseFunction, 0, 0xF0, 0});
        rig.press(3);
        rig.release(3);
        QStringList log = rig.ticks(40);
        QCOMPARE(log.filter("key 41 down").size(), 5);  // far beyond its count of 1

        rig.press(1);
        log += rig.ticks(20);
        QVERIFY(rig.macroQueue.idle());
        QVERIFY(!log.join(' ').contains("left"));  // the press only ended the macro
        QCOMPARE(log.filter("key 41 down").size(), log.filter("key 41 up").size());
        QVERIFY(log.last().endsWith("key 41 up"));
        QVERIFY(rig.ticks(10).isEmpty());

        rig.press(1);  // the next press acts again
        QCOMPARE(rig.ticks(1).size(), 1);
    }

    // Only the release of its own button ends a while-held macro.
    void whileHeldMacroFinishesItsPassWithoutDelaysOnRelease() {
        EngineRig rig;
        QVERIFY(rig.assignMacro(5, kRepeatWhileHeld,
                                {0, 1, 0x41, kDelayWord | 10, 0x141, kDelayWord | 10, 0}));
        rig.assign(2, {kMacroFunction, kRepeatWhileHeld, 0, 0});
        QVERIFY(!rig.press(5));  // the sixth button: Windows key + D
        rig.release(2);          // taken on the second tick, while the macro plays
        const QStringList held = rig.ticks(60);
        QCOMPARE(held.filter("key 41 down"),
                 (QStringList{"1 key 41 down", "27 key 41 down", "53 key 41 down"}));

        QVERIFY(!rig.release(5));  // mid-delay after the third press of A
        const int releasedAt = rig.tick;
        const QStringList rest = rig.ticks(10);
        QCOMPARE(rest, (QStringList{QStringLiteral("%1 key 41 up").arg(releasedAt + 2)}));
        QVERIFY(!rig.engine.stopping());
    }

    void ringAndQueuesDropWhatOverflows() {
        EngineRig rig;
        for (int i = 0; i < 12; ++i) {
            rig.press(i == 9 ? 1 : 0);
        }
        rig.release(0);
        // The ring keeps one place free, and one for the release of each press it took: the
        // other button's press finds no place for its release and is dropped.
        const std::vector<int> events = rig.drainEvents();
        QCOMPARE(events.size(), size_t(11));
        QCOMPARE(std::count(events.begin(), events.end(), 0x01), 0);
        QCOMPARE(events.back(), 0x80);

        MyQueue queue;
        for (int i = 0; i < MyQueue::kLimit; ++i) {
            QVERIFY(queue.append(0x41));
        }
        QVERIFY(!queue.append(0x41));

        // A macro of presses alone fills the queue to its limit.
        std::vector<uint32_t> presses(MacroSlots::kWords - 1, 0x41);
        presses[0] = 0;
        presses[1] = 1;
        QVERIFY(rig.assignMacro(2, kRepeatCounted, presses));
        rig.press(2);
        QCOMPARE(rig.ticks(250).size(), MyQueue::kLimit);
    }

    // Presses beyond what the ring and the action queue hold are dropped, but a press that was
    // played always gets its release: at the end no key or button stays down. The pairs come
    // back to back, one a tick, or one in two ticks.
    void burstsLeaveNothingHeld() {
        for (const int ticksPerPair : {0, 1, 2}) {
            EngineRig rig;
            rig.assign(1, {kMouseFunction, 0, 0xF1, 0});       // right
            rig.assign(2, {kKeysFunction, 0xE0, 0xE1, 0x06});  // Ctrl+Shift+C
            rig.assign(3, {kMediaFunction, 0, 0xE9, 0});       // volume up
            QStringList log;
            for (int i = 0; i < 300; ++i) {
                const int button = 1 + i % 3;
                rig.press(button);
                rig.release(button);
                log += rig.ticks(ticksPerPair);
            }
            log += rig.ticks(1000);
            const QString held = leftDown(log).join(", ");
            QVERIFY2(held.isEmpty(),
                     qPrintable(QStringLiteral("%1: %2").arg(ticksPerPair).arg(held)));
        }
    }

    void sharedTablesStartContentsAndWrites() {
        KeyMatrixTable matrix;
        const QMap<int, uint> filled = {{0, 0x01'00'F0'00}, {14, 0x68'00}, {15, 0xE3'00}};
        for (int i = 0; i < KeyMatrixTable::kEntries; ++i) {
            const KeyEntry e = matrix.entry(i);
            QCOMPARE(uint(e.type << 24 | e.b1 << 16 | e.b2 << 8 | e.b3), filled.value(i));
        }

        MacroSlots macros;
        const uint32_t shorter[] = {0, 2, 0x45, 0};
        QVERIFY(macros.write(0, shorter));
        const MacroSlots::Slot slot = macros.read(0);
        QCOMPARE((std::vector<uint32_t>(slot.begin(), slot.begin() + 6)),
                 (std::vector<uint32_t>{0, 2, 0x45, 0, 0x141, 0x80000002}));  // written in place
        QVERIFY(!macros.write(6, shorter));
        QVERIFY(!macros.write(1, std::vector<uint32_t>(MacroSlots::kWords + 1, 1)));
        QCOMPARE(macros.read(1)[2], 0x42u);
    }

    // The mouse taken away while a button is held: the worker stops, and whatever the engine
    // pressed is released at once; nothing half-done is left for the next worker.
    void stoppedWorkerLetsGoOfEverythingItHolds() {
        EngineRig rig;
        rig.assign(1, {kKeysFunction, 0xE0, 0x06, 0});  // Ctrl+C
        QVERIFY(rig.assignMacro(2, kRepeatCounted,
                                {0, 1, 0xA0, 0xE9, kDelayWord | 500, 0x1E9, 0x1A0, 0}));
        rig.assign(3, {kMouseFunction, 0, 0xF2, 0});
        rig.press(1);
        rig.press(2);
        QStringList log = rig.ticks(4);
        QCOMPARE(log.size(), 4);  // Ctrl, C, Shift and the right button down
        rig.press(3);             // still waiting in the ring
        QVERIFY(!rig.input.feedKey(0x5B, 0x5B, false, 5000));  // a held-back Windows key
        rig.input.clearDelivered();
        rig.startWorker();
        rig.stopWorker();
        for (const auto& d : rig.input.delivered()) {
            log.append("0 " + EngineRig::describe(d));
        }
        QCOMPARE(leftDown(log), QStringList{});
        QVERIFY(rig.ticks(100).isEmpty());
        rig.running = true;  // the mouse is back
        rig.release(1);
        QVERIFY(rig.ticks(10).isEmpty());
    }

    // With nothing to do the worker does not tick at all; an event gets its tick at once rather
    // than at the next deadline.
    void idleWorkerParksAndAnswersAnEventAtOnce() {
        durations().tickMs = 1;
        {
            test::EngineRig rig;
            rig.startWorker();
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            QCOMPARE(rig.engine.ticks(), 0u);  // polling every millisecond would have ticked
        }
        durations().tickMs = 30'000;  // a deadline-bound tick would come half a minute late
        test::EngineRig rig;
        rig.assign(1, {4, 0, 0, 0});  // swallowed: each event's tick leaves nothing to play
        rig.startWorker();
        rig.press(1);
        QTRY_COMPARE_WITH_TIMEOUT(rig.engine.ticks(), 1u, 5000);
        rig.release(1);
        QTRY_COMPARE_WITH_TIMEOUT(rig.engine.ticks(), 2u, 5000);
        rig.stopWorker();  // parked again: the stop is answered at once too
    }

    // An event that comes after the worker's last look at its queues, just before it parks,
    // still wakes it: the classic lost wake-up.
    void eventsLandingAsTheWorkerParksAreNotLost() {
        durations().tickMs = 1;
        test::EngineRig rig;
        rig.assign(1, {kMouseFunction, 0, 0xF1, 0});
        int parks = 0;
        rig.engine.setBeforePark([&] {
            // Ten right clicks, a press or a release at each park, then a lone Windows key.
            if (parks < 20) {
                parks % 2 ? rig.release(1) : rig.press(1);
            } else if (parks == 20) {
                rig.input.feedKey(0x5B, 0x5B, false);
            }
            ++parks;
        });
        rig.startWorker();
        QTRY_COMPARE_WITH_TIMEOUT(rig.input.delivered().size(), size_t(21), 10000);
        rig.stopWorker();
        const auto delivered = rig.input.delivered();
        QVERIFY(std::all_of(delivered.begin(), delivered.end(),
                            [](const auto& d) { return d.injected; }));
        QCOMPARE(delivered.back().code, 0x5Bu);
    }

    void workerHooksAndTableWritesRunTogether() {
        durations().tickMs = 1;
        test::EngineRig rig;
        rig.startWorker();
        std::atomic<bool> done{false};
        std::thread hookThread([&] {
            for (uint32_t i = 0; !done.load(); ++i) {
                const uint32_t down = i % 2 ? win::kWmRButtonDown : win::kWmLButtonDown;
                rig.input.feedMouse(down, 1, 2);
                rig.input.feedMouse(down + 1, 1, 2);
                rig.input.feedKey(0x41, 0x1E, i % 2);
                std::this_thread::sleep_for(std::chrono::microseconds(300));
            }
        });
        // The GUI thread: assignments and macros change under the worker's feet.
        const KeyEntry entries[] = {{kMouseFunction, 0, 0xF0, 0},
                                    {kKeysFunction, 0xE0, 0x06, 0x04},
                                    {kMacroFunction, kRepeatCounted, 0, 0},
                                    {kTripleClickFunction, 0, 0, 0}};
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
        for (int round = 0; std::chrono::steady_clock::now() < end; ++round) {
            rig.assign(round % KeyMatrixTable::kEntries,
                       entries[round / KeyMatrixTable::kEntries % 4]);
            const uint32_t words[] = {0, 1, 0x41, kDelayWord | 1, 0x141, 0};
            rig.macros.write(round % MacroSlots::kSlots, words);
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        done.store(true);
        hookThread.join();
        rig.stopWorker();

        QVERIFY(rig.engine.ticks() > 100);
        QVERIFY(rig.reports.size() > 100);
        const auto delivered = rig.input.delivered();
        QVERIFY(std::any_of(delivered.begin(), delivered.end(),
                            [](const auto& d) { return d.mouse && d.injected; }));
    }
    void init() { durations() = Durations(); }
};

QTEST_GUILESS_MAIN(TestActionEngine)
#include "tst_action_engine.moc"
