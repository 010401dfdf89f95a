// The link's uploads to the engine's tables: hidSetMacro turns an upload list as the macro
// editor page builds it (type and value pairs with key and mouse codes, the repeat count last)
// into the playback slot of its button, hidSetKeyMatrix stores the sixteen entries. How the
// engine plays them is checked beside it (engine).
#include <QtTest>
#include <array>
#include <vector>

#include "device/device_rig.h"
#include "engine/shared_tables.h"

class TestMacroPlayback : public QObject {
    Q_OBJECT

private slots:
    void uploadsFillTheEnginesTables() {
        z718::test::DeviceRig rig;
        // Left Ctrl down, 50 ms, up; the left button down, 9 ms (under one tick), up; an entry of
        // no known type, taken for a delay; 300 times.
        rig.hid->hidSetMacro(5, {1, 0xE0, 0, 50, 2, 0xE0, 3, 0xF0, 0, 9, 4, 0xF0, 5, 20, 300});
        std::vector<z718::MacroSlots::Slot> kept;
        for (int s = 0; s < z718::MacroSlots::kSlots; ++s) {
            kept.push_back(z718::macroSlots().read(s));
        }
        QCOMPARE((std::vector<uint32_t>(kept[5].begin(), kept[5].begin() + 10)),
                 (std::vector<uint32_t>{1, 44, 0xA2, 0x80000005, 0x1A2, 0xE8, 0x80000000, 0x1E8,
                                        0x80000002, 0}));
        // Buttons without a slot, and a list without its repeat count, change nothing.
        for (int button : {6, 15, -1}) {
            rig.hid->hidSetMacro(button, {1, 4, 2, 4, 1});
        }
        rig.hid->hidSetMacro(3, {1, 4, 2, 4});
        for (int s = 0; s < z718::MacroSlots::kSlots; ++s) {
            QCOMPARE(z718::macroSlots().read(s), kept[static_cast<size_t>(s)]);
        }
        // A list longer than a slot holds is cut before the end marker, its repeat count kept.
        QVariantList pressesOfB;
        for (int k = 0; k < 300; ++k) {
            pressesOfB << 1 << 5;
        }
        rig.hid->hidSetMacro(4, pressesOfB << 7);
        const z718::MacroSlots::Slot cut = z718::macroSlots().read(4);
        QCOMPARE((std::vector<uint32_t>{cut[1], cut[254], cut[255]}),
                 (std::vector<uint32_t>{7, 0x42, 0}));
        rig.hid->hidSetMacro(3, {5});  // a repeat count alone: a macro without actions
        QCOMPARE(z718::macroSlots().read(3)[1], 5u);
        std::array<uchar, 64> matrix{};
        matrix[4 * 5] = 9;  // the sixth button plays a macro from slot 5
        matrix[4 * 5 + 2] = 5;
        rig.hid->hidSetKeyMatrix(matrix.data());
        QCOMPARE(z718::keyMatrix().entry(5).type, 9);
        QCOMPARE(z718::keyMatrix().entry(5).b2, 5);
    }
};

QTEST_GUILESS_MAIN(TestMacroPlayback)
#include "tst_macro_playback.moc"
