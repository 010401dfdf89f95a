// The link's uploads to the engine's tables: hidSetMacro turns an upload list as the macro
// editor page builds it (type and value pairs with key and mouse codes, the repeat count last)
// into the playback slot of its button, hidSetKeyMatrix stores the sixteen entries. How the
// engine plays them and a list is encoded is checked beside each (engine, encoding).
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
        // Left Ctrl down, 50 ms, up; the left button down, 20 ms, up; twice, on the sixth button.
        rig.hid->hidSetMacro(5, {1, 0xE0, 0, 50, 2, 0xE0, 3, 0xF0, 0, 20, 4, 0xF0, 2});
        std::vector<z718::MacroSlots::Slot> kept;
        for (int s = 0; s < z718::MacroSlots::kSlots; ++s) {
            kept.push_back(z718::macroSlots().read(s));
        }
        QCOMPARE(
            (std::vector<uint32_t>(kept[5].begin(), kept[5].begin() + 9)),
            (std::vector<uint32_t>{0, 2, 0xA2, 0x80000005, 0x1A2, 0xE8, 0x80000002, 0x1E8, 0}));
        // Buttons without a slot, and a list without its repeat count, change nothing.
        for (int button : {6, 15, -1}) {
            rig.hid->hidSetMacro(button, {1, 4, 2, 4, 1});
        }
        rig.hid->hidSetMacro(3, {1, 4, 2, 4});
        for (int s = 0; s < z718::MacroSlots::kSlots; ++s) {
            QCOMPARE(z718::macroSlots().read(s), kept[static_cast<size_t>(s)]);
        }
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
