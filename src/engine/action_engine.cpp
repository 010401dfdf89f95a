#include "engine/action_engine.h"

#include <algorithm>
#include <chrono>
#include <vector>

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
    releaseEverything();
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
    const int windowsKey = events_.windowsKeyDue();
    if (windowsKey & MySafeQueue::kWindowsPress) {
        queueAction(kWindowsKeyVk);  // the Windows key pressed alone, held back so far
    }
    if (windowsKey & MySafeQueue::kWindowsRelease) {
        queueAction(kWindowsKeyVk | kReleaseWord);  // its real release, kept behind the press
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
    if (event & kButtonReleased) {
        releaseButton(index);
    } else if (repeatMode_ == kRepeatUntilNextPress) {
        stopMacro();  // this press only ends the looping macro
    } else {
        pressButton(event, index);
    }
}

void ActionEngine::pressButton(int event, int index) {
    const KeyEntry entry = matrix_.entry(index);
    PressRecord& record = presses_[index];
    const auto press = [&](uint32_t word) {
        if (queueAction(word) && record.count < int(record.codes.size())) {
            record.codes[record.count++] = word;
        }
    };
    switch (entry.type) {
        case kKeysFunction:
            for (const uint8_t usage : {entry.b1, entry.b2, entry.b3}) {
                if (usage != 0) {
                    press(usageToVk(usage));
                }
            }
            break;
        case kMouseFunction:
            for (const ButtonOutput& output : kMouseFunctions) {
                if (output.b2 == entry.b2) {
                    for (int i = 0; i < output.count; ++i) {
                        press(output.words[i]);
                    }
                }
            }
            break;
        case kMediaFunction:
            for (const uint8_t vk : mediaKeyVks(entry.b2)) {
                press(vk);
            }
            break;
        case kMacroFunction:
            pressMacro(event, index, entry);
            break;
        case kTripleClickFunction:
            for (const uint32_t word : kTripleClick) {
                queueAction(word);
            }
            break;
        default:  // no action, or an unknown type: the button is just swallowed
            break;
    }
}

void ActionEngine::releaseButton(int index) {
    PressRecord& record = presses_[index];
    for (int i = 0; i < record.count; ++i) {
        queueAction(record.codes[i] | kReleaseWord);
    }
    if (heldBack_[index]) {
        releasedEarly_[index] = true;  // its macro, once started, ends at once
    } else if (record.startedMacro && macroOwner_ == index && repeatMode_ == kRepeatWhileHeld) {
        stopMacro();
    }
    record = {};
}

bool ActionEngine::queueAction(uint32_t word) {
    const size_t code = word & 0xFF;
    const bool release = word & kReleaseWord;
    const int free = MyQueue::kLimit - actionQueue_.write - reservedActions_;
    if (release && heldActions_[code]) {
        heldActions_[code] = false;  // its place was kept
        --reservedActions_;
    } else if (!release && !heldActions_[code]) {
        if (free < 2) {  // this press and, later, its release
            return false;
        }
        heldActions_[code] = true;
        ++reservedActions_;
    } else if (free < 1) {
        return false;
    }
    return actionQueue_.append(word);
}

void ActionEngine::pressMacro(int event, int index, const KeyEntry& entry) {
    if (macroQueue_.playing()) {
        // Retried on later ticks until the playing macro ends; dropped when the ring is full.
        heldBack_[index] = events_.requeue(event);
        releasedEarly_[index] = releasedEarly_[index] && heldBack_[index];
        return;
    }
    const bool releasedEarly = releasedEarly_[index];
    heldBack_[index] = releasedEarly_[index] = false;
    loadMacro(index, entry.b1);
    macroOwner_ = index;
    presses_[index].startedMacro = !releasedEarly;
    if (releasedEarly && repeatMode_ == kRepeatWhileHeld) {
        stopMacro();
    }
}

void ActionEngine::loadMacro(int slot, int32_t repeatMode) {
    const MacroSlots::Slot words = slots_.read(slot);
    repeatMode_ = repeatMode;
    stop_ = false;
    macroQueue_.restart();
    macroQueue_.repeat = static_cast<int32_t>(words[0] * 256 + words[1]);
    // A slot holds more words than the queue. The part kept is cut where the next word would
    // leave no place for the releases of what the kept part pressed, and those releases end it.
    std::vector<uint32_t> open;  // codes pressed and not yet released, in press order
    for (int i = 2; i < MacroSlots::kWords && words[i] != 0; ++i) {
        const uint32_t word = words[i];
        const uint32_t code = word & 0xFF;
        const bool key = !(word & kDelayWord);
        const auto opened = std::find(open.begin(), open.end(), code);
        const int free = MyQueue::kLimit - macroQueue_.write - int(open.size());
        if (key && (word & kReleaseWord) && opened != open.end()) {
            open.erase(opened);  // its place was kept
        } else if (key && !(word & kReleaseWord) && opened == open.end()) {
            if (free < 2) {
                break;
            }
            open.push_back(code);
        } else if (free < 1) {
            break;
        }
        macroQueue_.append(word);
    }
    for (auto code = open.rbegin(); code != open.rend(); ++code) {
        macroQueue_.append(*code | kReleaseWord);
    }
}

void ActionEngine::stopMacro() {
    // The current pass plays on with its delays cut short, so whatever it pressed is released.
    macroQueue_.repeat = 1;
    stop_ = true;
    repeatMode_ = kRepeatCounted;
    macroOwner_ = -1;
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
    inject(word & ~kReleaseWord, word & kReleaseWord);
}

void ActionEngine::inject(uint32_t code, bool release) {
    down_[code & 0xFF] = !release;
    for (const MouseFlags& button : kMouseFlags) {
        if (button.code == code) {
            injector_.mouseEvent(release ? button.up : button.down);
            return;
        }
    }
    injector_.keybdEvent(static_cast<uint8_t>(code & 0xFF), 0, release ? win::kKeyEventKeyUp : 0);
}

void ActionEngine::releaseEverything() {
    // The worker stops when the mouse goes away (or the program ends). The real releases then
    // pass straight to the system, so nothing the engine pressed may stay down, and nothing
    // half-played may wait for the next worker: unlike a plain stop, everything is let go.
    for (uint32_t code = 0; code < down_.size(); ++code) {
        if (down_[code]) {
            inject(code, true);
        }
    }
    events_.clear();
    for (MyQueue* queue : {&actionQueue_, &macroQueue_}) {
        queue->restart();
        queue->repeat = 1;
        queue->wait = 0;
    }
    actionRemaining_ = macroRemaining_ = 0;
    repeatMode_ = kRepeatCounted;
    stop_ = false;
    heldActions_.reset();
    reservedActions_ = 0;
    presses_ = {};
    heldBack_.reset();
    releasedEarly_.reset();
    macroOwner_ = -1;
}

}  // namespace z718
