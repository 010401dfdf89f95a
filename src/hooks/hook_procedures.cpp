#include "hooks/hook_procedures.h"

#include <QDebug>
#include <utility>

#include "hooks/vk_usage_table.h"

namespace z718 {

namespace {

enum class ChordAction {
    Pass,
    Swallow,
    HoldWindowsKey,   // keep the press back until D comes or the engine's countdown runs out
    WindowsReleased,  // passes, unless its held-back press is not through yet
    DPressed,         // starts the chord when it comes within the window
    ChordReleased,
};

// Hardware scan codes; injected keys carry 0 and never take part in the chord.
constexpr uint32_t kWindowsScan = 0x5B;
constexpr uint32_t kDScan = 0x20;
constexpr uint32_t kWindowsVk = 0x5B;
constexpr int kSixthButton = 5;

struct ChordRow {
    uint32_t scanCode;
    bool up;
    int state;
    ChordAction action;
};

using enum ChordAction;

// Keys and states without a row pass on.
constexpr ChordRow kChordRows[] = {
    {kWindowsScan, false, HookProcedures::kChordIdle, HoldWindowsKey},
    {kWindowsScan, false, HookProcedures::kChordWindowsHeld, Pass},
    {kWindowsScan, false, HookProcedures::kChordActive, Swallow},
    {kWindowsScan, true, HookProcedures::kChordIdle, WindowsReleased},
    {kWindowsScan, true, HookProcedures::kChordWindowsHeld, WindowsReleased},
    {kWindowsScan, true, HookProcedures::kChordActive, ChordReleased},
    {kDScan, false, HookProcedures::kChordWindowsHeld, DPressed},
    {kDScan, false, HookProcedures::kChordActive, Swallow},
};

struct MouseRow {
    uint32_t message;
    uint32_t mouseData;  // 0: any
    uint8_t code;
    uint8_t down;
    int event;
};

constexpr MouseRow kMouseRows[] = {
    {win::kWmLButtonDown, 0, 0xF0, 1, 0x00},
    {win::kWmLButtonUp, 0, 0xF0, 0, 0x80},
    {win::kWmRButtonDown, 0, 0xF1, 1, 0x01},
    {win::kWmRButtonUp, 0, 0xF1, 0, 0x81},
    {win::kWmMButtonDown, 0, 0xF2, 1, 0x02},
    {win::kWmMButtonUp, 0, 0xF2, 0, 0x82},
    {win::kWmXButtonDown, win::kXButton2Data, 0xF4, 1, 0x03},
    {win::kWmXButtonUp, win::kXButton2Data, 0xF4, 0, 0x83},
    {win::kWmXButtonDown, win::kXButton1Data, 0xF3, 1, 0x04},
    {win::kWmXButtonUp, win::kXButton1Data, 0xF3, 0, 0x84},
};

ChordAction chordAction(uint32_t scanCode, bool up, int state) {
    for (const ChordRow& row : kChordRows) {
        if (row.scanCode == scanCode && row.up == up && row.state == state) {
            return row.action;
        }
    }
    return Pass;
}

}  // namespace

bool HookProcedures::keyboard(int /*nCode*/, const platform::KeyboardHookEvent& event) {
    const uint8_t usage = vkToUsage(event.vkCode);
    const bool up = (event.flags & win::kLlkhfUp) != 0;
    if (targets_.keyboardCallback) {
        targets_.keyboardCallback(usage, up ? 1 : 0);
    }
    if (!workerRunning()) {
        return false;
    }
    if (event.vkCode == kWindowsVk && !up && (event.flags & win::kLlkhfInjected) != 0) {
        windowsReplayPending_ = false;  // the engine's replay of the held-back press is through
    }
    return handleChord(event, up);
}

bool HookProcedures::handleChord(const platform::KeyboardHookEvent& event, bool up) {
    switch (chordAction(event.scanCode, up, chordState_)) {
        case Pass:
            return false;
        case Swallow:
            return true;
        case HoldWindowsKey:
            chordTime_ = event.time;
            chordState_ = kChordWindowsHeld;
            targets_.events->setCountdown(kWindowsKeyDelayTicks);
            windowsReplayPending_ = true;
            return true;
        case WindowsReleased:
            resetChord();
            if (!std::exchange(windowsReplayPending_, false)) {
                return false;
            }
            // Passed now, the release would overtake the press still to be replayed and leave
            // the Windows key held: the engine replays the release after the press instead.
            targets_.events->releaseWindowsKey();
            return true;
        case DPressed:
            if (event.time - chordTime_ >= kChordWindowMs) {
                resetChord();
                return false;
            }
            chordState_ = kChordActive;
            targets_.events->setCountdown(0);
            windowsReplayPending_ = false;
            pushEvent(kSixthButton);
            qDebug("Win+D Down");
            return true;
        case ChordReleased:
            pushEvent(kSixthButton | 0x80);
            qDebug("Win+D Up");
            resetChord();
            return true;
    }
    return false;
}

void HookProcedures::resetChord() {
    chordState_ = kChordIdle;
    chordTime_ = 0;
}

bool HookProcedures::mouse(int nCode, const platform::MouseHookEvent& event) {
    if (nCode < 0 || !workerRunning() || event.flags != 0) {
        return false;
    }
    const bool xButton = event.message == win::kWmXButtonDown || event.message == win::kWmXButtonUp;
    for (const MouseRow& row : kMouseRows) {
        if (row.message == event.message && row.mouseData == (xButton ? event.mouseData : 0)) {
            if (targets_.mouseCallback) {
                targets_.mouseCallback(row.code, row.down, event.x, event.y);
            }
            pushEvent(row.event);
            return true;
        }
    }
    return xButton;  // an X button of another number is swallowed unreported
}

void HookProcedures::pushEvent(int event) {
    targets_.events->push(event);
}

bool HookProcedures::workerRunning() const {
    return targets_.workerRunning && targets_.workerRunning->load() && targets_.events;
}

}  // namespace z718
