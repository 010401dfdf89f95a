#pragma once

#include <QStringList>
#include <atomic>
#include <thread>
#include <vector>

#include "engine/action_engine.h"
#include "hooks/hook_procedures.h"
#include "platform/portable/portable_input.h"

namespace z718::test {

// The portable input system, the hooks and an engine with tables of its own, stepped tick by
// tick or run by a worker thread; the worker-running flag is in the test's hand.
struct EngineRig {
    platform::PortableInput input;
    MySafeQueue events;
    MyQueue macroQueue;
    MyQueue actionQueue;
    KeyMatrixTable matrix;
    MacroSlots macros;
    ActionEngine engine{events, macroQueue, actionQueue, input, matrix, macros};
    std::atomic<bool> running{true};
    QStringList reports;  // what the scene was told: "key 1 4", "mouse 1 f0 10,20"
    HookProcedures hooks{{[this](uint8_t usage, uint8_t up) {
                              reports.append(QString::asprintf("key %d %d", up, usage));
                          },
                          [this](uint8_t code, uint8_t down, int x, int y) {
                              reports.append(
                                  QString::asprintf("mouse %d %x %d,%d", down, code, x, y));
                          },
                          &running, &events}};
    int tick = 0;
    std::thread worker;

    EngineRig() {
        input.install([this](int n, const auto& e) { return hooks.keyboard(n, e); },
                      [this](int n, const auto& e) { return hooks.mouse(n, e); });
    }
    ~EngineRig() { stopWorker(); }

    void startWorker() {
        worker = std::thread([this] { engine.run(running); });
    }
    void stopWorker() {
        if (worker.joinable()) {
            running.store(false);
            events.wake();
            worker.join();
        }
    }

    void assign(int button, KeyEntry entry) {
        uint8_t bytes[KeyMatrixTable::kBytes];
        for (int i = 0; i < KeyMatrixTable::kEntries; ++i) {
            const KeyEntry e = i == button ? entry : matrix.entry(i);
            const uint8_t row[] = {e.type, e.b1, e.b2, e.b3};
            std::copy(std::begin(row), std::end(row), bytes + i * 4);
        }
        matrix.write(bytes);
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
    std::vector<int> drainEvents() {
        std::vector<int> all;
        while (const auto e = events.pop()) {
            all.push_back(*e);
        }
        return all;
    }

    // "key A2 down", "left up".
    static QString describe(const platform::PortableInput::Delivered& d) {
        static const std::pair<uint32_t, const char*> kButtons[] = {
            {win::kWmLButtonDown, "left down"},   {win::kWmLButtonUp, "left up"},
            {win::kWmRButtonDown, "right down"},  {win::kWmRButtonUp, "right up"},
            {win::kWmMButtonDown, "middle down"}, {win::kWmMButtonUp, "middle up"},
        };
        for (const auto& [message, name] : kButtons) {
            if (d.mouse && d.message == message) {
                return QLatin1String(name);
            }
        }
        return QString::asprintf("key %02X %s", d.code, d.message == win::kWmKeyUp ? "up" : "down");
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
