// The engine's worker on its own thread: its tick period, and its run against a hook thread and
// a GUI thread that rewrites the shared tables meanwhile. Run under ThreadSanitizer, the latter
// finds any unsynchronised access, such as a read of a half-written entry or macro slot.
#include <QtTest>
#include <thread>

#include "engine_fixture.h"
#include "platform/timing.h"

using namespace z718;

class TestEngineStress : public QObject {
    Q_OBJECT
private slots:
    void init() { durations() = Durations(); }
    void cleanupTestCase() { durations() = Durations(); }
    // Ticks sleep to steady deadlines, so their mean period stays 10 ms even when each tick's
    // work takes a while; the loop ends once the running flag drops.
    void meanPeriodOver500TicksIsTenMilliseconds();
    void workerHooksAndTableWritesRunTogether();
};

void TestEngineStress::meanPeriodOver500TicksIsTenMilliseconds() {
    using namespace std::chrono;
    test::EngineRig rig;
    // Every tick plays a key, and every key takes 4 ms to reach the system.
    rig.input.setDeliverySink([](const auto&) { std::this_thread::sleep_for(milliseconds(4)); });
    std::vector<uint32_t> words(2 + 197, 0x41);
    words[0] = 0;
    words[1] = 200;
    QVERIFY(rig.macros.write(0, words));
    rig.assign(0, {kMacroFunction, kRepeatCounted, 0, 0});
    rig.press(0);

    const auto start = steady_clock::now();
    std::thread worker([&] { rig.engine.run(rig.running); });
    while (rig.engine.ticks() < 500 && steady_clock::now() < start + seconds(20)) {
        std::this_thread::sleep_for(microseconds(200));
    }
    const auto elapsed = steady_clock::now() - start;
    rig.running.store(false);
    worker.join();
    QVERIFY(rig.engine.ticks() >= 500);
    const double meanMs = duration<double, std::milli>(elapsed).count() / 500;
    qInfo("mean tick period %.3f ms", meanMs);
    QVERIFY2(std::abs(meanMs - 10.0) < 0.2, qPrintable(QString::number(meanMs)));
}

void TestEngineStress::workerHooksAndTableWritesRunTogether() {
    durations().tickMs = 1;
    test::EngineRig rig;
    std::thread worker([&] { rig.engine.run(rig.running); });
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
    rig.running.store(false);
    worker.join();

    QVERIFY(rig.engine.ticks() > 100);
    QVERIFY(rig.reports.size() > 100);
    const auto delivered = rig.input.delivered();
    QVERIFY(std::any_of(delivered.begin(), delivered.end(),
                        [](const auto& d) { return d.mouse && d.injected; }));
}

QTEST_GUILESS_MAIN(TestEngineStress)
#include "tst_engine_stress.moc"
