#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

#include "engine/queues.h"
#include "platform/input_platform.h"

namespace z718 {

// What the hooks feed: the scene's key and button reports (either may be empty), the
// worker-running flag and the engine's event queue.
struct HookTargets {
    std::function<void(uint8_t usage, uint8_t keyUp)> keyboardCallback;
    std::function<void(uint8_t code, uint8_t down, int x, int y)> mouseCallback;
    const std::atomic<bool>* workerRunning = nullptr;
    MySafeQueue* events = nullptr;
};

// The two low-level hook procedures. While the worker runs they swallow the five mouse
// buttons and the device's sixth button, which arrives as the Windows-key + D chord, and turn
// them into button events; injected input passes untouched. Keys are always reported.
// Both procedures must run on one thread at a time (the hook thread).
class HookProcedures {
public:
    // Chord states.
    static constexpr int kChordIdle = 0;
    static constexpr int kChordWindowsHeld = 1;
    static constexpr int kChordActive = 3;
    // A D press this soon after the Windows key comes from the device, not from a hand.
    static constexpr uint32_t kChordWindowMs = 20;
    // Ticks the engine holds back a lone Windows-key press before replaying it.
    static constexpr int kWindowsKeyDelayTicks = 2;

    explicit HookProcedures(HookTargets targets) : targets_(std::move(targets)) {}

    // True to swallow the event.
    bool keyboard(int nCode, const platform::KeyboardHookEvent& event);
    bool mouse(int nCode, const platform::MouseHookEvent& event);

    int chordState() const { return chordState_; }

private:
    bool handleChord(const platform::KeyboardHookEvent& event, bool up);
    void resetChord();
    void pushEvent(int event);
    bool workerRunning() const;

    HookTargets targets_;
    int32_t chordState_ = kChordIdle;
    uint32_t chordTime_ = 0;
    bool windowsReplayPending_ = false;  // a held-back Windows press not yet replayed
};

}  // namespace z718
