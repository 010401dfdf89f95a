// The engine's worker against a hook thread and a GUI thread that rewrites the shared tables
// meanwhile. Run under ThreadSanitizer, it finds any unsynchronised access; on its own it checks
// that no read ever sees half of one write and half of another.
#include <QtTest>
#include <thread>

#include "engine/action_engine.h"
#include "hooks/hook_procedures.h"
#include "platform/portable/portable_input.h"
#include "platform/timing.h"

using namespace z718;

class TestEngineStress : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { durations().tickMs = 1; }
    void cleanupTestCase() { durations() = Durations(); }
    void tableReadsNeverSeeHalfAWrite();
    void workerHooksAndTableWritesRunTogether();
};

namespace {

constexpr auto kStressTime = std::chrono::milliseconds(1500);

// Fills every byte of the key matrix, and every word of a slot, with one value per write.
void writeUniform(KeyMatrixTable& matrix, uint8_t value) {
    uint8_t bytes[KeyMatrixTable::kBytes];
    std::fill(std::begin(bytes), std::end(bytes), value);
    matrix.write(bytes);
}

void writeUniform(MacroSlots& macros, int slot, uint32_t value) {
    const std::vector<uint32_t> words(MacroSlots::kWords, value);
    macros.write(slot, words);
}

}  // namespace

void TestEngineStress::tableReadsNeverSeeHalfAWrite() {
    KeyMatrixTable matrix;
    MacroSlots macros;
    writeUniform(matrix, 1);
    for (int slot = 0; slot < MacroSlots::kSlots; ++slot) {
        writeUniform(macros, slot, 1);
    }
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (uint32_t round = 2; !done.load(); ++round) {
            writeUniform(matrix, static_cast<uint8_t>(round));
            writeUniform(macros, static_cast<int>(round % MacroSlots::kSlots), round);
        }
    });
    int torn = 0;
    int reads = 0;
    const auto end = std::chrono::steady_clock::now() + kStressTime;
    while (std::chrono::steady_clock::now() < end) {
        const KeyEntry e = matrix.entry(reads % KeyMatrixTable::kEntries);
        torn += !(e.type == e.b1 && e.b1 == e.b2 && e.b2 == e.b3);
        const MacroSlots::Slot slot = macros.read(reads % MacroSlots::kSlots);
        torn += std::any_of(slot.begin(), slot.end(), [&](uint32_t w) { return w != slot[0]; });
        ++reads;
    }
    done.store(true);
    writer.join();
    QCOMPARE(torn, 0);
    QVERIFY(reads > 100);
}

void TestEngineStress::workerHooksAndTableWritesRunTogether() {
    platform::PortableInput input;
    MySafeQueue events;
    MyQueue macroQueue;
    MyQueue actionQueue;
    KeyMatrixTable matrix;
    MacroSlots macros;
    ActionEngine engine(events, macroQueue, actionQueue, input, matrix, macros);
    std::atomic<bool> running{true};
    std::atomic<int> reported{0};
    HookProcedures hooks({[&](uint8_t, uint8_t) { reported.fetch_add(1); },
                          [&](uint8_t, uint8_t, int, int) { reported.fetch_add(1); }, &running,
                          &events});
    input.install([&](int n, const auto& e) { return hooks.keyboard(n, e); },
                  [&](int n, const auto& e) { return hooks.mouse(n, e); });

    std::thread worker([&] { engine.run(running); });
    std::atomic<bool> done{false};
    std::thread hookThread([&] {
        for (uint32_t i = 0; !done.load(); ++i) {
            const uint32_t down = i % 2 ? win::kWmRButtonDown : win::kWmLButtonDown;
            input.feedMouse(down, 1, 2);
            input.feedMouse(down + 1, 1, 2);
            input.feedKey(0x41, 0x1E, i % 2);
            std::this_thread::sleep_for(std::chrono::microseconds(300));
        }
    });
    // The GUI thread: assignments and macros change under the worker's feet.
    const uint8_t entries[][4] = {{kMouseFunction, 0, 0xF0, 0},
                                  {kKeysFunction, 0xE0, 0x06, 0x04},
                                  {kMacroFunction, kRepeatCounted, 0, 0},
                                  {kTripleClickFunction, 0, 0, 0}};
    const auto end = std::chrono::steady_clock::now() + kStressTime;
    for (int round = 0; std::chrono::steady_clock::now() < end; ++round) {
        uint8_t bytes[KeyMatrixTable::kBytes];
        for (int i = 0; i < KeyMatrixTable::kEntries; ++i) {
            std::copy(std::begin(entries[(i + round) % 4]), std::end(entries[(i + round) % 4]),
                      bytes + i * 4);
        }
        matrix.write(bytes);
        const uint32_t words[] = {0, 1, 0x41, 0x80000001, 0x141, 0};
        macros.write(round % MacroSlots::kSlots, words);
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    done.store(true);
    hookThread.join();
    running.store(false);
    worker.join();
    input.uninstall();

    QVERIFY(engine.ticks() > 100);
    QVERIFY(reported.load() > 100);
    const auto delivered = input.delivered();
    QVERIFY(std::any_of(delivered.begin(), delivered.end(),
                        [](const auto& d) { return d.mouse && d.injected; }));
}

QTEST_GUILESS_MAIN(TestEngineStress)
#include "tst_engine_stress.moc"
