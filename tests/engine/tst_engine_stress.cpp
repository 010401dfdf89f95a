// The engine's worker on its own thread: how it parks and wakes, and its run
// against a hook thread and a GUI thread that rewrites the shared tables meanwhile. Run under
// ThreadSanitizer, the latter finds any unsynchronised access, such as a read of a half-written
// entry or macro slot.
#include <QtTest>
#include <thread>

#include "platform/timing.h"
#include "support/engine_rig.h"

using namespace z718;

class TestEngineStress : public QObject {
    Q_OBJECT
private slots:
    void init() { durations() = Durations(); }
    void cleanupTestCase() { durations() = Durations(); }
    // With nothing to do the worker does not tick at all; an event gets its tick at once
    // rather than at the next deadline.
    void idleWorkerParksAndAnswersAnEventAtOnce();
    // An event that comes after the worker's last look at its queues, just before it parks,
    // still wakes it: the classic lost wake-up.
    void eventsLandingAsTheWorkerParksAreNotLost();
    void workerHooksAndTableWritesRunTogether();
};

void TestEngineStress::idleWorkerParksAndAnswersAnEventAtOnce() {
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

void TestEngineStress::eventsLandingAsTheWorkerParksAreNotLost() {
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
    QVERIFY(
        std::all_of(delivered.begin(), delivered.end(), [](const auto& d) { return d.injected; }));
    QCOMPARE(delivered.back().code, 0x5Bu);
}

void TestEngineStress::workerHooksAndTableWritesRunTogether() {
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
    const uint8_t entries[][4] = {{kMouseFunction, 0, 0xF0, 0},
                                  {kKeysFunction, 0xE0, 0x06, 0x04},
                                  {kMacroFunction, kRepeatCounted, 0, 0},
                                  {kTripleClickFunction, 0, 0, 0}};
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
    for (int round = 0; std::chrono::steady_clock::now() < end; ++round) {
        uint8_t bytes[KeyMatrixTable::kBytes];
        for (int i = 0; i < KeyMatrixTable::kEntries; ++i) {
            std::copy(std::begin(entries[(i + round) % 4]), std::end(entries[(i + round) % 4]),
                      bytes + i * 4);
        }
        rig.matrix.write(bytes);
        const uint32_t words[] = {0, 1, 0x41, 0x80000001, 0x141, 0};
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

QTEST_GUILESS_MAIN(TestEngineStress)
#include "tst_engine_stress.moc"
