#pragma once

#include <array>
#include <atomic>
#include <bitset>
#include <cstdint>
#include <functional>

#include "engine/queues.h"
#include "engine/shared_tables.h"
#include "platform/input_platform.h"

namespace z718 {

// Button event: bits 0..6 the button index (0 left, 1 right, 2 middle, 3 forward, 4 back,
// 5 the sixth button), bit 7 set for a release.
constexpr int kButtonReleased = 0x80;

// Action word: bit 31 set = a delay of the low bits in ticks; otherwise bit 8 = release and
// the rest the code: 0xE8..0xEA the left, right and middle buttons, else a virtual key.
constexpr uint32_t kDelayWord = 0x80000000u;
constexpr uint32_t kReleaseWord = 0x100u;
constexpr uint32_t kLeftButtonCode = 0xE8;
constexpr uint32_t kRightButtonCode = 0xE9;
constexpr uint32_t kMiddleButtonCode = 0xEA;

// Function types of a key entry.
enum KeyFunction : uint8_t {
    kKeysFunction = 0,
    kMouseFunction = 1,
    kMediaFunction = 3,
    kMacroFunction = 9,
    kTripleClickFunction = 10,
};

// Macro repeat modes (b1 of a macro entry).
enum RepeatMode : int32_t {
    kRepeatCounted = 0,
    kRepeatUntilNextPress = 1,
    kRepeatWhileHeld = 2,
};

// The button-action engine: every 10 ms tick it takes one button event from the hooks, turns
// it into action words by the key-matrix table, and plays at most one word of the action
// queue and one of the macro queue through the injector. With nothing to do it parks until
// the hooks bring an event, and answers it at once.
class ActionEngine {
public:
    ActionEngine(MySafeQueue& events, MyQueue& macroQueue, MyQueue& actionQueue,
                 platform::InputInjector& injector, const KeyMatrixTable& matrix = keyMatrix(),
                 const MacroSlots& macros = macroSlots());

    // Ticks on steady 10 ms deadlines until running turns false. While the event ring, the
    // Windows-key countdown and both queues are empty it parks; the event that wakes it gets
    // a tick at once, and the deadlines run from there. Whoever clears running must then
    // call the event queue's wake().
    void run(const std::atomic<bool>& running);
    // One tick's work, without the sleep.
    void tick();
    // Nothing left to play: both queues are empty and no delay runs.
    bool queuesIdle() const;

    // Called on the worker each time its queues are found empty, just before it parks.
    // Tests use it to land an event in that very moment.
    void setBeforePark(std::function<void()> callback) { beforePark_ = std::move(callback); }

    // Lets go of everything: injects the release of every key and button it pressed and not
    // yet released, and forgets what waits in its queues. run() ends with it.
    void releaseEverything();

    bool stopping() const { return stop_; }
    uint64_t ticks() const { return ticks_.load(); }

private:
    // What a press did, so that its release undoes exactly that, whatever the table says by
    // then: the codes it pressed, and whether it started a while-held macro.
    struct PressRecord {
        std::array<uint32_t, 4> codes{};
        int count = 0;
        bool startedMacro = false;
    };
    static constexpr int kButtons = 128;

    void dispatch(int event);
    void pressButton(int event, int index);
    void releaseButton(int index);
    // Appends to the action queue. A full queue drops new words, but never the release of a
    // press it took: each such press keeps a place free for its release. False when dropped.
    bool queueAction(uint32_t word);
    void pressMacro(int event, int index, const KeyEntry& entry);
    void loadMacro(int slot, int32_t repeatMode);
    void stopMacro();
    void step(MyQueue& queue, int& remaining);
    void perform(uint32_t word, MyQueue& queue, int& remaining);
    void inject(uint32_t code, bool release);
    bool park(const std::atomic<bool>& running);

    MySafeQueue& events_;
    MyQueue& macroQueue_;
    MyQueue& actionQueue_;
    platform::InputInjector& injector_;
    const KeyMatrixTable& matrix_;
    const MacroSlots& slots_;

    // Kept between workers: a new worker continues where the last one stopped.
    int actionRemaining_ = 0;
    int macroRemaining_ = 0;
    int32_t repeatMode_ = kRepeatCounted;
    bool stop_ = false;
    std::bitset<256> heldActions_;  // codes pressed through the action queue, not yet released
    int reservedActions_ = 0;
    std::array<PressRecord, kButtons> presses_{};
    std::bitset<kButtons> heldBack_;       // macro presses waiting for the playing macro to end
    std::bitset<kButtons> releasedEarly_;  // ... whose button was released meanwhile
    int macroOwner_ = -1;                  // the button whose press loaded the playing macro
    std::bitset<256> down_;                // codes injected down and not yet up
    std::atomic<uint64_t> ticks_{0};
    std::function<void()> beforePark_;
};

}  // namespace z718
