#pragma once

#include <QMap>
#include <QStringList>
#include <array>
#include <atomic>
#include <functional>
#include <thread>
#include <vector>

#include "engine/action_engine.h"
#include "hooks/hook_procedures.h"
#include "platform/portable/portable_input.h"

namespace z718::test {

// Queues, tables of its own, the engine and the hook procedures, wired to one input system:
// stepped tick by tick or run by a worker thread; the worker-running flag is in the caller's
// hand. What the hooks tell the scene is kept in `reports` ("key 1 4", "mouse 1 f0 10,20")
// unless the rig is told to stay quiet.
struct EngineCore {
    explicit EngineCore(platform::InputInjector& injector, bool keepReports = true)
        : engine{events, macroQueue, actionQueue, injector, matrix, macros},
          hooks{keepReports ? reportingTargets()
                            : HookTargets{nullptr, nullptr, &running, &events}} {}
    ~EngineCore() { stopWorker(); }

    // The hook procedures installed into `system`, as the program does at start.
    bool installHooks(platform::InputHooks& system) {
        return system.install([this](int n, const auto& e) { return hooks.keyboard(n, e); },
                              [this](int n, const auto& e) { return hooks.mouse(n, e); });
    }
    // The worker runs `loop`, by default the engine's own.
    void startWorker(std::function<void()> loop = nullptr) {
        worker = std::thread(loop ? std::move(loop) : [this] { engine.run(running); });
    }
    void stopWorker() {
        if (worker.joinable()) {
            running.store(false);
            events.wake();
            worker.join();
        }
    }
    // Button `button` takes `entry`; the other buttons keep theirs.
    void assign(int button, KeyEntry entry) {
        std::array<KeyEntry, KeyMatrixTable::kEntries> entries;
        for (int i = 0; i < KeyMatrixTable::kEntries; ++i) {
            entries[i] = i == button ? entry : matrix.entry(i);
        }
        matrix.write(reinterpret_cast<const uint8_t*>(entries.data()));  // four bytes an entry
    }
    // Button `button` plays macro slot `button`, which now starts with `words`.
    bool assignMacro(int button, uint8_t repeat, const std::vector<uint32_t>& words) {
        assign(button, {kMacroFunction, repeat, 0, 0});
        return macros.write(button, words);
    }
    void advance(int ticks) {
        for (int i = 0; i < ticks; ++i) {
            engine.tick();
        }
    }
    std::vector<int> drainEvents() {
        std::vector<int> all;
        while (const auto e = events.pop()) {
            all.push_back(*e);
        }
        return all;
    }

    MySafeQueue events;
    MyQueue macroQueue;
    MyQueue actionQueue;
    KeyMatrixTable matrix;
    MacroSlots macros;
    ActionEngine engine;
    std::atomic<bool> running{true};
    QStringList reports;
    HookProcedures hooks;
    std::thread worker;

    HookTargets reportingTargets() {
        return {[this](uint8_t usage, uint8_t up) {
                    reports.append(QString::asprintf("key %d %d", up, usage));
                },
                [this](uint8_t code, uint8_t down, int x, int y) {
                    reports.append(QString::asprintf("mouse %d %x %d,%d", down, code, x, y));
                },
                &running, &events};
    }
};

// Holds the portable input system so that it is built before the engine that injects into it.
struct PortableInputHolder {
    platform::PortableInput input;
};

// The engine over the portable input system with its hooks installed.
class EngineRig : public PortableInputHolder, public EngineCore {
public:
    explicit EngineRig(bool keepReports = true) : EngineCore(input, keepReports) {
        installHooks(input);
    }

    // The real button's press or release; true when it reached the system. The sixth button
    // comes as the device sends it: the Windows key, then D 5 ms later.
    bool press(int button) { return feedButton(button, false); }
    bool release(int button) { return feedButton(button, true); }

    // Runs n ticks; returns what reached the system meanwhile: "3 key A2 down", "4 left up".
    QStringList ticks(int n) {
        QStringList log;
        for (int i = 0; i < n; ++i) {
            ++tick;
            input.clearDelivered();
            engine.tick();
            for (const auto& d : input.delivered()) {
                log.append(QString::asprintf("%d %s", tick, d.injected ? "" : "real ") +
                           describe(d));
            }
        }
        return log;
    }

    int tick = 0;

    // "key A2 down", "left up".
    static QString describe(const platform::PortableInput::Delivered& d) {
        static const QMap<uint32_t, QString> kButtons = {
            {win::kWmLButtonDown, "left down"},   {win::kWmLButtonUp, "left up"},
            {win::kWmRButtonDown, "right down"},  {win::kWmRButtonUp, "right up"},
            {win::kWmMButtonDown, "middle down"}, {win::kWmMButtonUp, "middle up"},
        };
        return d.mouse ? kButtons.value(d.message, QStringLiteral("mouse %1").arg(d.message))
                       : QString::asprintf("key %02X %s", d.code,
                                           d.message == win::kWmKeyUp ? "up" : "down");
    }

private:
    bool feedButton(int button, bool up) {
        static constexpr uint32_t kMessages[][3] = {
            {win::kWmLButtonDown, win::kWmLButtonUp, 0},
            {win::kWmRButtonDown, win::kWmRButtonUp, 0},
            {win::kWmMButtonDown, win::kWmMButtonUp, 0},
            {win::kWmXButtonDown, win::kWmXButtonUp, win::kXButton2Data},
            {win::kWmXButtonDown, win::kWmXButtonUp, win::kXButton1Data},
        };
        clock_ += 100;
        if (button == 5) {
            const bool windows = input.feedKey(0x5B, 0x5B, up, clock_);
            return up ? windows : input.feedKey(0x44, 0x20, false, clock_ + 5) || windows;
        }
        return input.feedMouse(kMessages[button][up ? 1 : 0], 0, 0, kMessages[button][2], clock_);
    }

    uint32_t clock_ = 1000;
};

}  // namespace z718::test
