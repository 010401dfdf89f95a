#pragma once

#include <QSettings>
#include <QStringList>
#include <array>

#include "engine/shared_tables.h"
#include "platform/input_platform.h"

namespace z718::test {

// The process-wide tables as a fresh process starts with them.
inline void resetSharedTables() {
    const KeyMatrixTable freshMatrix;
    std::array<KeyEntry, KeyMatrixTable::kEntries> entries;
    for (int k = 0; k < KeyMatrixTable::kEntries; ++k) {
        entries[k] = freshMatrix.entry(k);
    }
    keyMatrix().write(reinterpret_cast<const uint8_t*>(entries.data()));  // four bytes an entry
    const MacroSlots freshSlots;
    for (int s = 0; s < MacroSlots::kSlots; ++s) {
        macroSlots().write(s, freshSlots.read(s));
    }
}

// What applying a profile leaves behind, as text to compare: the reports on the wire, the
// engine's key matrix and macro slots, the system's pointer settings and what the profile
// holds afterwards.
inline QString activationRecord(QSettings& profile, const QStringList& wire,
                                platform::PointerSettings& system) {
    QStringList matrix, stored;
    for (int k = 0; k < KeyMatrixTable::kEntries; ++k) {
        const KeyEntry e = keyMatrix().entry(k);
        matrix << QString::asprintf("%02X %02X %02X %02X", e.type, e.b1, e.b2, e.b3);
        const QVariant v = profile.value(QStringLiteral("keydefine_Q7/%1").arg(k));
        stored << QStringLiteral("%1=[%2]").arg(k).arg(v.toStringList().join(','));
    }
    QStringList out{QStringLiteral("wire: ") + (wire.isEmpty() ? "-" : wire.join(" | ")),
                    QStringLiteral("matrix: ") + matrix.join(QStringLiteral(", "))};
    for (int s = 0; s < MacroSlots::kSlots; ++s) {
        QStringList words;
        for (const uint32_t word : macroSlots().read(s)) {
            words << QString::number(word, 16);
        }
        while (!words.isEmpty() && words.last() == "0") {
            words.removeLast();  // the slot's unused tail
        }
        out << QStringLiteral("slot%1: %2").arg(s).arg(words.join(' '));
    }
    int speed = 0;
    uint32_t lines = 0;
    system.systemParametersInfo(win::kSpiGetMouseSpeed, 0, &speed, 0);
    system.systemParametersInfo(win::kSpiGetWheelScrollLines, 0, &lines, 0);
    out << QString::asprintf("pointer: speed %d, lines %u, double-click %u ms", speed, lines,
                             system.doubleClickTime());
    for (const char* key : {"cursorSpeed_Q7", "verticalScrollLines_Q7", "doubleClickSpeed_Q7"}) {
        stored << QStringLiteral("%1=%2").arg(
            key, profile.value(QStringLiteral("sensor/") + key).toString());
    }
    out << QStringLiteral("stored: ") + stored.join(' ');
    return out.join('\n');
}

}  // namespace z718::test
