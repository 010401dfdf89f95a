#include "engine/action_engine.h"

#include <chrono>

#include "engine/key_tables.h"
#include "platform/tick_clock.h"
#include "platform/timing.h"

namespace z718 {

namespace {

constexpr uint32_t kWindowsKeyVk = 0x5B;

struct ButtonOutput {
    uint8_t b2;
    uint32_t words[2];
    int count;
};

// Mouse-function entries: the button codes, or Alt + Left / Alt + Right for back and forward.
constexpr ButtonOutput kMouseFunctions[] = {
    {0xF0, {kLeftButtonCode}, 1},   {0xF1, {kRightButtonCode}, 1},
    {0xF2, {kMiddleButtonCode}, 1}, {0xF3, {0x12, 0x25}, 2},  // back
    {0xF4, {0x12, 0x27}, 2},                                  // forward
};

struct MouseFlags {
    uint32_t code;
    uint32_t down;
    uint32_t up;
};

constexpr MouseFlags kMouseFlags[] = {
    {kLeftButtonCode, win::kMouseEventLeftDown, win::kMouseEventLeftUp},
    {kRightButtonCode, win::kMouseEventRightDown, win::kMouseEventRightUp},
    {kMiddleButtonCode, win::kMouseEventMiddleDown, win::kMouseEventMiddleUp},
};

constexpr uint32_t kTripleClick[] = {0xE8, 0x1E8, 0xE8, 0x1E8, 0xE8, 0x1E8};

}  // namespace

ActionEngine::ActionEngine(MySafeQueue& events, MyQueue& macroQueue, MyQueue& actionQueue,
                           platform::InputInjector& injector, const KeyMatrixTable& matrix,
                           const MacroSlots& macros)
    : events_(events),
      macroQueue_(macroQueue),
      actionQueue_(actionQueue),
      injector_(injector),
      matrix_(matrix),
      slots_(macros) {}

void ActionEngine::run(const std::atomic<bool>& running) {
    using Clock = std::chrono::steady_clock;
    const auto period = std::chrono::milliseconds(durations().tickMs);
    auto deadline = Clock::now() - period;  // the first tick comes at once
    while (running.load()) {
        if (park(running)) {
            if (!running.load()) {
                break;
            }
            deadline = Clock::now();  // the waking event is answered at once
        } else {
            deadline += period;
            // After a long stall (a suspended machine) start afresh rather than racing
            // through every missed tick.
            if (Clock::now() - deadline > std::chrono::seconds(1)) {
                deadline = Clock::now() + period;
            }
            sleepUntil(deadline);
        }
        tick();
    }
}

bool ActionEngine::park(const std::atomic<bool>& running) {
    if (!queuesIdle()) {
        return false;
    }
    if (beforePark_) {
        beforePark_();
    }
    return events_.parkWhileEmpty(running);
}

bool ActionEngine::queuesIdle() const {
    return actionQueue_.idle() && macroQueue_.idle() && actionQueue_.wait == 0 &&
           macroQueue_.wait == 0;
}

void ActionEngine::tick() {
    if (events_.countDown()) {
        queueAction(kWindowsKeyVk);  // the Windows key pressed alone, held back so far
    }
    if (const auto event = events_.pop()) {
        dispatch(*event);
    }
    step(actionQueue_, actionRemaining_);
    if (repeatMode_ == kRepeatUntilNextPress || repeatMode_ == kRepeatWhileHeld) {
        macroQueue_.repeat = 100;  // such a macro never runs out of passes
    }
    step(macroQueue_, macroRemaining_);
    if (macroQueue_.idle()) {
        stop_ = false;
    } else if (macroQueue_.wait == 1 && stop_) {
        macroQueue_.wait = 0;
        macroRemaining_ = 0;
    }
    ticks_.fetch_add(1);
}

void ActionEngine::dispatch(int event) {
    const int index = event & 0x7F;
    const bool release = event & kButtonReleased;
    if (!release && repeatMode_ == kRepeatUntilNextPress) {
        stopMacro();  // this press only ends the looping macro
        return;
    }
    const KeyEntry entry = matrix_.entry(index);
    const uint32_t r = release ? kReleaseWord : 0;
    switch (entry.type) {
        case kKeysFunction:
            for (const uint8_t usage : {entry.b1, entry.b2, entry.b3}) {
                if (usage != 0) {
                    queueAction(r | usageToVk(usage));
                }
            }
            break;
        case kMouseFunction:
            for (const ButtonOutput& output : kMouseFunctions) {
                if (output.b2 == entry.b2) {
                    for (int i = 0; i < output.count; ++i) {
                        queueAction(r | output.words[i]);
                    }
                }
            }
            break;
        case kMediaFunction:
            for (const uint8_t vk : mediaKeyVks(entry.b2)) {
                queueAction(r | vk);
            }
            break;
        case kMacroFunction:
            dispatchMacro(event, index, entry, release);
            break;
        case kTripleClickFunction:
            if (!release) {
                for (const uint32_t word : kTripleClick) {
                    queueAction(word);
                }
            }
            break;
        default:  // no action, or an unknown type: the button is just swallowed
            break;
    }
}

void ActionEngine::queueAction(uint32_t word) {
    const size_t code = word & 0xFF;
    const bool release = word & kReleaseWord;
    const int free = MyQueue::kLimit - actionQueue_.write - reservedActions_;
    if (release && heldActions_[code]) {
        heldActions_[code] = false;  // its place was kept
        --reservedActions_;
    } else if (!release && !heldActions_[code]) {
        if (free < 2) {  // this press and, later, its release
            return;
        }
        heldActions_[code] = true;
        ++reservedActions_;
    } else if (free < 1) {
        return;
    }
    actionQueue_.append(word);
}

void ActionEngine::dispatchMacro(int event, int index, const KeyEntry& entry, bool release) {
    if (release) {
        if (repeatMode_ == kRepeatWhileHeld) {
            stopMacro();
        }
        return;
    }
    if (macroQueue_.playing()) {
        events_.push(event);  // retried on later ticks until the playing macro ends
        return;
    }
    loadMacro(index, entry.b1);
}

void ActionEngine::loadMacro(int slot, int32_t repeatMode) {
    const MacroSlots::Slot words = slots_.read(slot);
    repeatMode_ = repeatMode;
    stop_ = false;
    macroQueue_.restart();
    macroQueue_.repeat = static_cast<int32_t>(words[0] * 256 + words[1]);
    for (int i = 2; i < MacroSlots::kWords && words[i] != 0; ++i) {
        macroQueue_.append(words[i]);
    }
}

void ActionEngine::stopMacro() {
    // The current pass plays on with its delays cut short, so whatever it pressed is released.
    macroQueue_.repeat = 1;
    stop_ = true;
    repeatMode_ = kRepeatCounted;
}

void ActionEngine::step(MyQueue& queue, int& remaining) {
    if (queue.wait == 1) {
        if (--remaining < 0) {
            queue.wait = 0;
        }
        return;
    }
    if (!queue.playing()) {
        if (queue.read > 0) {  // a pass just ended
            if (--queue.repeat > 0) {
                perform(queue.words[0], queue, remaining);
                queue.read = 1;
            } else {
                queue.restart();
                queue.repeat = 1;
            }
        }
        return;
    }
    perform(queue.words[queue.read++], queue, remaining);
}

void ActionEngine::perform(uint32_t word, MyQueue& queue, int& remaining) {
    if (word & kDelayWord) {
        remaining = static_cast<int>(word & ~kDelayWord);
        queue.wait = 1;
        return;
    }
    const bool release = word & kReleaseWord;
    const uint32_t code = word & ~kReleaseWord;
    for (const MouseFlags& button : kMouseFlags) {
        if (button.code == code) {
            injector_.mouseEvent(release ? button.up : button.down);
            return;
        }
    }
    injector_.keybdEvent(static_cast<uint8_t>(code & 0xFF), 0, release ? win::kKeyEventKeyUp : 0);
}

}  // namespace z718
