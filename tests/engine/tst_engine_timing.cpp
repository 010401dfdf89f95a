#include <QtTest>
#include <thread>

#include "engine/action_engine.h"
#include "engine_fixture.h"

using namespace z718;

class TestEngineTiming : public QObject {
    Q_OBJECT
private slots:
    // Ticks sleep to steady deadlines, so their mean period stays 10 ms even when each tick's
    // work takes a while.
    void meanPeriodOver500TicksIsTenMilliseconds();
};

namespace {

// Makes every tick do 4 ms of work.
class SlowInjector : public platform::InputInjector {
public:
    void mouseEvent(uint32_t) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(4));
    }
    void keybdEvent(uint8_t, uint8_t, uint32_t) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(4));
    }
};

}  // namespace

void TestEngineTiming::meanPeriodOver500TicksIsTenMilliseconds() {
    MySafeQueue events;
    MyQueue macroQueue;
    MyQueue actionQueue;
    SlowInjector injector;
    KeyMatrixTable matrix;
    MacroSlots macros;
    const std::vector<uint32_t> keys(MacroSlots::kWords - 1, 0x41);  // one key every tick
    std::vector<uint32_t> words = {0, 200};
    words.insert(words.end(), keys.begin(), keys.begin() + 197);
    macros.write(0, words);
    uint8_t bytes[KeyMatrixTable::kBytes] = {kMacroFunction, kRepeatCounted};
    matrix.write(bytes);
    events.push(0);
    ActionEngine engine(events, macroQueue, actionQueue, injector, matrix, macros);

    std::atomic<bool> running{true};
    const auto start = std::chrono::steady_clock::now();
    std::thread worker([&] { engine.run(running); });
    const auto limit = start + std::chrono::seconds(20);
    while (engine.ticks() < 500 && std::chrono::steady_clock::now() < limit) {
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    running.store(false);
    worker.join();

    QVERIFY(engine.ticks() >= 500);
    const double meanMs = std::chrono::duration<double, std::milli>(elapsed).count() / 500;
    qInfo("mean tick period %.3f ms", meanMs);
    QVERIFY2(std::abs(meanMs - 10.0) < 0.2, qPrintable(QString::number(meanMs)));
}

QTEST_GUILESS_MAIN(TestEngineTiming)
#include "tst_engine_timing.moc"
