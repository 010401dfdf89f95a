#pragma once

#include <QString>
#include <QStringList>
#include <array>

#include "engine/action_engine.h"

namespace z718::test {

// Writes what the engine injects as "<tick> <action>": "3 key A2 down", "4 left up".
class RecordingInjector : public platform::InputInjector {
public:
    void mouseEvent(uint32_t flags) override {
        static const std::pair<uint32_t, const char*> names[] = {
            {win::kMouseEventLeftDown, "left down"},     {win::kMouseEventLeftUp, "left up"},
            {win::kMouseEventRightDown, "right down"},   {win::kMouseEventRightUp, "right up"},
            {win::kMouseEventMiddleDown, "middle down"}, {win::kMouseEventMiddleUp, "middle up"},
        };
        for (const auto& [flag, name] : names) {
            if (flags == flag) {
                log.append(QStringLiteral("%1 %2").arg(tick).arg(QLatin1String(name)));
            }
        }
    }
    void keybdEvent(uint8_t vk, uint8_t, uint32_t flags) override {
        const QString code = QString::number(vk, 16).toUpper().rightJustified(2, QLatin1Char('0'));
        log.append(QStringLiteral("%1 key %2 %3")
                       .arg(tick)
                       .arg(code, QLatin1String(flags & win::kKeyEventKeyUp ? "up" : "down")));
    }

    int tick = 0;
    QStringList log;
};

// An engine with tables of its own, stepped tick by tick.
struct EngineFixture {
    MySafeQueue events;
    MyQueue macroQueue;
    MyQueue actionQueue;
    RecordingInjector out;
    KeyMatrixTable matrix;
    MacroSlots macros;
    ActionEngine engine{events, macroQueue, actionQueue, out, matrix, macros};

    void assign(int button, KeyEntry entry) {
        std::array<uint8_t, KeyMatrixTable::kBytes> bytes{};
        for (int i = 0; i < KeyMatrixTable::kEntries; ++i) {
            const KeyEntry e = i == button ? entry : matrix.entry(i);
            bytes[i * 4] = e.type;
            bytes[i * 4 + 1] = e.b1;
            bytes[i * 4 + 2] = e.b2;
            bytes[i * 4 + 3] = e.b3;
        }
        matrix.write(bytes.data());
    }
    void press(int button) { events.push(button); }
    void release(int button) { events.push(button | kButtonReleased); }
    // Runs n ticks and returns what they injected.
    QStringList ticks(int n) {
        const qsizetype before = out.log.size();
        for (int i = 0; i < n; ++i) {
            ++out.tick;
            engine.tick();
        }
        return out.log.mid(before);
    }
    // Ticks until the engine has nothing left to play (bounded).
    QStringList untilIdle(int limit = 2000) {
        QStringList all;
        for (int i = 0; i < limit && !(macroQueue.idle() && actionQueue.idle()); ++i) {
            all += ticks(1);
        }
        return all;
    }
};

}  // namespace z718::test
