#include <QtTest>

#include "macro/macro_encoder.h"
#include "macro/macro_slot_image.h"

using Bytes = QList<uchar>;

namespace {

uchar testKeyCode(const QString& name) {
    static const QHash<QString, uchar> table{{"A", 0x04}, {"B", 0x05}, {"L Ctrl", 0xE0}};
    return table.value(name, 0);
}

int testVk(int usage) {
    static const QHash<int, int> map{{4, 0x41}, {5, 0x42}, {224, 0xA2}, {240, 0xE8}};
    return map.value(usage, 0);
}

QString down(const QString& key) {
    return key + "    [Down]";
}
QString up(const QString& key) {
    return key + "      [Up]";
}
QString delay(int ms) {
    return QString::number(ms) + "   [Delay]";
}

Bytes encode(const QStringList& lines, int did) {
    return z718::macroIncode(lines, did, testKeyCode);
}

// header + body + trailer
Bytes stream(const Bytes& body) {
    return Bytes{0x00, 0x01} + body + Bytes{0x00, 0x00};
}

}  // namespace

class TestMacroEncoding : public QObject {
    Q_OBJECT

private slots:
    void slotFromPairs() {
        const auto slot = z718::macroSlotImage({1, 4, 0, 50, 2, 4, 3}, testVk);
        QVERIFY(slot);
        QCOMPARE((*slot)[0], 0u);
        QCOMPARE((*slot)[1], 3u);
        QCOMPARE((*slot)[2], 0x41u);
        QCOMPARE((*slot)[3], 0x80000005u);
        QCOMPARE((*slot)[4], 0x141u);
        QCOMPARE((*slot)[5], 0u);
    }

    void slotWordRules() {
        // mouse codes, a delay below one tick, unmapped usages, other types as delays
        const auto slot =
            z718::macroSlotImage({3, 240, 0, 9, 4, 240, 1, 99, 2, 99, 5, 25, 300}, testVk);
        QVERIFY(slot);
        QCOMPARE((*slot)[0], 1u);
        QCOMPARE((*slot)[1], 44u);
        const uint32_t expected[] = {0xE8, 0x80000000, 0x1E8, 0, 0x100, 0x80000002, 0};
        for (int k = 0; k < 7; ++k) {
            QCOMPARE((*slot)[2 + k], expected[k]);
        }
    }

    void slotEmptyAndEvenLists() {
        const auto empty = z718::macroSlotImage({5}, testVk);
        QVERIFY(empty);
        QCOMPARE((*empty)[1], 5u);
        QCOMPARE((*empty)[2], 0u);
        QVERIFY(!z718::macroSlotImage({}, testVk));
        QVERIFY(!z718::macroSlotImage({1, 4}, testVk));
        QVERIFY(!z718::macroSlotImage({1, 4, 2, 4}, testVk));
    }

    void slotCutsOversizeLists_data() {
        QTest::addColumn<int>("pairs");
        QTest::newRow("fits") << 253;
        QTest::newRow("one over") << 254;
        QTest::newRow("far over") << 1000;
    }
    void slotCutsOversizeLists() {
        QFETCH(int, pairs);
        QVariantList list;
        for (int k = 0; k < pairs; ++k) {
            list << 1 << 5;
        }
        list << 7;
        const auto slot = z718::macroSlotImage(list, testVk);
        QVERIFY(slot);
        QCOMPARE((*slot)[1], 7u);
        QCOMPARE((*slot)[254], 0x42u);
        QCOMPARE((*slot)[255], 0u);
    }

    void keyEvents() {
        QCOMPARE(encode({down("A"), up("L Ctrl")}, 0), stream({0x01, 0x04, 0x81, 0xE0}));
        QCOMPARE(encode({down("A"), up("L Ctrl")}, 1), stream({0x01, 0x04, 0x81, 0xE0}));
    }

    void skippedLines() {
        // unknown key, zero or unreadable delay, untagged text, the trailing repeat count,
        // a tag with one blank too few
        const QStringList lines{down("Nope"), delay(0),   "x   [Delay]", "1,A",
                                "A   [Down]", down("A "), "12"};
        QCOMPARE(encode(lines, 0), stream({}));
        QCOMPARE(encode(lines, 1), stream({}));
        QCOMPARE(encode({}, 1), stream({}));
        // a device with neither format keeps its events and drops its delays
        QCOMPARE(encode({down("A"), delay(50), up("A")}, 2), stream({0x01, 0x04, 0x81, 0x04}));
    }

    void keyboardDeviceDelays_data() {
        QTest::addColumn<int>("ms");
        QTest::addColumn<Bytes>("record");
        QTest::newRow("9") << 9 << Bytes{0x7F, 0x00, 0x00, 0x00};
        QTest::newRow("10") << 10 << Bytes{0x7F, 0x00, 0x00, 0x01};
        QTest::newRow("1270") << 1270 << Bytes{0x7F, 0x00, 0x00, 0x7F};
        QTest::newRow("1271") << 1271 << Bytes{0x7F, 0x00, 0x00, 0x7F};
        QTest::newRow("2000") << 2000 << Bytes{0x7F, 0x00, 0x00, 0xC8};
        QTest::newRow("5101") << 5101 << Bytes{0x7F, 0x00, 0x01, 0xFE};
    }
    void keyboardDeviceDelays() {
        QFETCH(int, ms);
        QFETCH(Bytes, record);
        QCOMPARE(encode({down("A"), delay(ms)}, 0), stream(Bytes{0x01, 0x04} + record));
        QCOMPARE(encode({delay(ms)}, 0), stream(record));
    }

    // after a key event: folded into its flag, a 20 ms pair, or a long record
    void mouseDeviceDelaysAfterEvent_data() {
        QTest::addColumn<int>("ms");
        QTest::addColumn<Bytes>("body");
        QTest::newRow("5") << 5 << Bytes{0x01, 0x04};
        QTest::newRow("10") << 10 << Bytes{0x01, 0x04};
        QTest::newRow("14") << 14 << Bytes{0x01, 0x04};
        QTest::newRow("15") << 15 << Bytes{0x02, 0x04};
        QTest::newRow("30") << 30 << Bytes{0x03, 0x04};
        QTest::newRow("1270") << 1270 << Bytes{0x7F, 0x04};
        QTest::newRow("1271") << 1271 << Bytes{0x01, 0x04, 0x40, 0x01};
        QTest::newRow("2000") << 2000 << Bytes{0x01, 0x04, 0x64, 0x01};
        QTest::newRow("5100") << 5100 << Bytes{0x01, 0x04, 0xFF, 0x01};
        QTest::newRow("5101") << 5101 << Bytes{0x01, 0x04, 0x00, 0x01, 0x00, 0xFF};
        QTest::newRow("6000") << 6000 << Bytes{0x01, 0x04, 0x00, 0x01, 0x01, 0x2C};
    }
    void mouseDeviceDelaysAfterEvent() {
        QFETCH(int, ms);
        QFETCH(Bytes, body);
        QCOMPARE(encode({down("A"), delay(ms)}, 1), stream(body));
    }

    void mouseDeviceFoldKeepsReleaseBit() {
        QCOMPARE(encode({down("A"), delay(30), up("A")}, 1), stream({0x03, 0x04, 0x81, 0x04}));
        QCOMPARE(encode({up("A"), delay(1270)}, 1), stream({0xFF, 0x04}));
    }

    // first line, or right after another delay: always a long record
    void mouseDeviceDelaysWithoutEvent_data() {
        QTest::addColumn<int>("ms");
        QTest::addColumn<Bytes>("record");
        QTest::newRow("10") << 10 << Bytes{0x00, 0x01, 0x00, 0x01};
        QTest::newRow("29") << 29 << Bytes{0x00, 0x01, 0x00, 0x01};
        QTest::newRow("30") << 30 << Bytes{0x00, 0x01, 0x00, 0x02};
        QTest::newRow("500") << 500 << Bytes{0x00, 0x01, 0x00, 0x19};
        QTest::newRow("1270") << 1270 << Bytes{0x00, 0x01, 0x00, 0x40};
        QTest::newRow("1271") << 1271 << Bytes{0x40, 0x01};
        QTest::newRow("5100") << 5100 << Bytes{0xFF, 0x01};
        QTest::newRow("5101") << 5101 << Bytes{0x00, 0x01, 0x00, 0xFF};
    }
    void mouseDeviceDelaysWithoutEvent() {
        QFETCH(int, ms);
        QFETCH(Bytes, record);
        QCOMPARE(encode({delay(ms)}, 1), stream(record));
        QCOMPARE(encode({down("A"), delay(40), delay(ms)}, 1), stream(Bytes{0x04, 0x04} + record));
    }

    // The line before decides, even when it produced nothing: the fold then lands on
    // whatever byte sits two places before the end.
    void mouseDeviceFoldAfterSkippedLine() {
        QCOMPARE(encode({down("Nope"), delay(30)}, 1), (Bytes{0x03, 0x01, 0x00, 0x00}));
        QCOMPARE(encode({down("A"), delay(0), delay(30)}, 1),
                 stream({0x01, 0x04, 0x00, 0x01, 0x00, 0x02}));
    }

    void extremeDelays() {
        // (2147483647 + 10) / 20 = 107374182 = 0x6666666
        QCOMPARE(encode({delay(2147483647)}, 1), stream({0x00, 0x01, 0x66, 0x66}));
        QCOMPARE(encode({down("A"), delay(-50)}, 1), stream({0x01, 0x04}));
        QCOMPARE(encode({delay(-50)}, 1), stream({0x00, 0x01, 0x00, 0x01}));
        QCOMPARE(encode({"99999999999   [Delay]"}, 1), stream({}));
    }

    void deviceBufferIsPaddedOrCut() {
        const auto shortBuffer = z718::deviceMacroBuffer(stream({0x01, 0x04}));
        QCOMPARE(shortBuffer[2], uchar(0x01));
        QCOMPARE(shortBuffer[191], uchar(0));
        Bytes longStream;
        for (int i = 0; i < 250; ++i) {
            longStream << static_cast<uchar>(i + 1);
        }
        const auto cut = z718::deviceMacroBuffer(longStream);
        QCOMPARE(cut[0], uchar(1));
        QCOMPARE(cut[191], uchar(192));
    }
};

QTEST_GUILESS_MAIN(TestMacroEncoding)
#include "tst_macro_encoding.moc"
