// Macros on their way to be played: encodeMacro turns the editor's lines into the device's
// macro memory bytes; hidSetMacro turns an upload list as the macro editor page builds it (type
// and value pairs with key and mouse codes, the repeat count last) into the playback slot of its
// button, and hidSetKeyMatrix stores the sixteen entries. How the engine plays them is checked
// beside it (engine).
#include <QtTest>
#include <array>
#include <vector>

#include "device/device_rig.h"
#include "engine/shared_tables.h"
#include "macro/macro_encoder.h"
#include "support/table_rows.h"

using Bytes = QList<uchar>;

class TestMacroEncoding : public QObject {
    Q_OBJECT

    static QString down(const QString& key) { return key + "    [Down]"; }
    static QString up(const QString& key) { return key + "      [Up]"; }
    static QString delay(int ms) { return QString::number(ms) + "   [Delay]"; }
    // Only two keys are known.
    static Bytes encode(const QStringList& lines, uint32_t did) {
        return z718::encodeMacro(lines, did, [](const QString& name) {
            return uchar(name == "A" ? 0x04 : name == "L Ctrl" ? 0xE0 : 0);
        });
    }
    // header + body + trailer
    static Bytes stream(const Bytes& body) { return Bytes{0x00, 0x01} + body + Bytes{0x00, 0x00}; }

private slots:
    void keyEventsSkippedLinesAndDelays() {
        for (uint32_t did : {0u, 1u}) {
            QCOMPARE(encode({down("A"), up("L Ctrl")}, did), stream({0x01, 0x04, 0x81, 0xE0}));
            // unknown key, zero, unreadable or overflowing delay, untagged text, a tag one
            // blank short, the trailing repeat count
            QCOMPARE(encode({down("Nope"), delay(0), "x   [Delay]", "99999999999   [Delay]", "1,A",
                             "A   [Down]", "12"},
                            did),
                     stream({}));
        }
        // a device with neither format keeps its events and drops its delays
        QCOMPARE(encode({down("A"), delay(50), up("A")}, 2), stream({0x01, 0x04, 0x81, 0x04}));
        // the keyboard-type device: a record of whole 10 ms units wherever the delay stands
        QCOMPARE(encode({delay(9), down("A"), delay(2000), delay(5101)}, 0),
                 stream({0x7F, 0, 0, 0, 0x01, 0x04, 0x7F, 0, 0, 0xC8, 0x7F, 0, 0x01, 0xFE}));

        // The mouse-type device. After a key event: folded into its flag byte (rounded, at least
        // one unit) up to 1270 ms, then a 20 ms pair, then a long record in 20 ms units. On the
        // first line or right after another delay there is no fold: a long record instead.
        const std::tuple<int, Bytes, Bytes> rows[] = {
            // ms, after a key event, alone
            {5, {0x01, 0x04}, {0x00, 0x01, 0x00, 0x01}},
            {15, {0x02, 0x04}, {0x00, 0x01, 0x00, 0x01}},
            {29, {0x03, 0x04}, {0x00, 0x01, 0x00, 0x01}},
            {30, {0x03, 0x04}, {0x00, 0x01, 0x00, 0x02}},
            {1270, {0x7F, 0x04}, {0x00, 0x01, 0x00, 0x40}},
            {1271, {0x01, 0x04, 0x40, 0x01}, {0x40, 0x01}},
            {5100, {0x01, 0x04, 0xFF, 0x01}, {0xFF, 0x01}},
            {5101, {0x01, 0x04, 0x00, 0x01, 0x00, 0xFF}, {0x00, 0x01, 0x00, 0xFF}},
            // (2147483647 + 10) / 20 = 107374182 = 0x6666666: the low 16 bits
            {2147483647, {0x01, 0x04, 0x00, 0x01, 0x66, 0x66}, {0x00, 0x01, 0x66, 0x66}},
            {-50, {0x01, 0x04}, {0x00, 0x01, 0x00, 0x01}},
        };
        for (const auto& [ms, afterEvent, alone] : rows) {
            const z718::test::RowName row(QString::number(ms));
            QCOMPARE(encode({down("A"), delay(ms)}, 1), stream(afterEvent));
            QCOMPARE(encode({delay(ms)}, 1), stream(alone));
            QCOMPARE(encode({down("A"), delay(40), delay(ms)}, 1),
                     stream(Bytes{0x04, 0x04} + alone));
        }
        QCOMPARE(encode({down("A"), delay(30), up("A")}, 1), stream({0x03, 0x04, 0x81, 0x04}));
        QCOMPARE(encode({up("A"), delay(1270)}, 1), stream({0xFF, 0x04}));
        // The line before decides, even when it produced nothing: the fold then lands on
        // whatever byte sits two places before the end.
        QCOMPARE(encode({down("Nope"), delay(30)}, 1), (Bytes{0x03, 0x01, 0x00, 0x00}));
        QCOMPARE(encode({down("A"), delay(0), delay(30)}, 1),
                 stream({0x01, 0x04, 0x00, 0x01, 0x00, 0x02}));
    }

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
        // A list longer than a slot holds is cut before the end marker, its repeat count kept:
        // 300 entries of type 5 (a delay) and a repeat count of 5.
        rig.hid->hidSetMacro(4, QVariantList(601, 5));
        const z718::MacroSlots::Slot cut = z718::macroSlots().read(4);
        QCOMPARE((std::vector<uint32_t>{cut[1], cut[254], cut[255]}),
                 (std::vector<uint32_t>{5, 0x80000000, 0}));
        rig.hid->hidSetMacro(3, {5});  // a repeat count alone: a macro without actions
        QCOMPARE(z718::macroSlots().read(3)[1], 5u);
        std::array<uchar, 64> matrix{};
        matrix[4 * 5 + 2] = 5;  // the sixth button's entry, four bytes each
        rig.hid->hidSetKeyMatrix(matrix.data());
        QCOMPARE(z718::keyMatrix().entry(5).b2, 5);
    }
};

QTEST_GUILESS_MAIN(TestMacroEncoding)
#include "tst_macro_encoding.moc"
