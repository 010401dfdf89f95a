#include <QRandomGenerator>
#include <QtTest>

#include "link/frame.h"

using namespace z718;

class FrameTest : public QObject {
    Q_OBJECT
private slots:
    void checksums_data();
    void checksums();
    void scrambleKnownAnswers_data();
    void scrambleKnownAnswers();
    void scrambleRoundTrips();
};

static QByteArray hex(const uchar* bytes, int count) {
    return QByteArray(reinterpret_cast<const char*>(bytes), count).toHex(' ').toUpper();
}

void FrameTest::checksums_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QList<int>>("data");
    QTest::addColumn<QByteArray>("wire");
    QTest::newRow("sum 3") << 0x01 << QList<int>{0x02} << QByteArray("00 01 02 00 00 00 00 00 FC");
    QTest::newRow("report rate 4") << 0x01 << QList<int>{0x04} << QByteArray("00 01 04 00 00 00 00 00 FA");
    QTest::newRow("recovery") << 0x13 << QList<int>{0xFF} << QByteArray("00 13 FF 00 00 00 00 00 ED");
    QTest::newRow("dpi stage read") << 0x8B << QList<int>{} << QByteArray("00 8B 00 00 00 00 00 00 74");
    QTest::newRow("key matrix read") << 0x92 << QList<int>{0x01} << QByteArray("00 92 01 00 00 00 00 00 6C");
    QTest::newRow("sum wraps") << 0xFF << QList<int>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}
                               << QByteArray("00 FF FF FF FF FF FF FF 06");
}

void FrameTest::checksums() {
    QFETCH(int, code);
    QFETCH(QList<int>, data);
    QFETCH(QByteArray, wire);
    Frame frame{};
    frame[1] = static_cast<uchar>(code);
    for (int i = 0; i < data.size(); ++i) {
        frame[2 + i] = static_cast<uchar>(data[i]);
    }
    frame[8] = frameChecksum(&frame[1]);
    QCOMPARE(hex(frame.data(), kFrameSize), wire);
}

// Worked by hand: swap pairs, XOR bytes 1..6, rotate left by 3, add the nibble-swapped key
// 84 16 05 67 57 B4 F6 C6.
void FrameTest::scrambleKnownAnswers_data() {
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<QByteArray>("scrambled");
    const QByteArray zeros(8, '\0');
    QTest::newRow("zeros") << zeros << zeros << QByteArray("84 16 05 67 57 B4 F6 C6");
    QTest::newRow("swap then rotate") << QByteArray::fromHex("8000000000000000") << zeros
                                      << QByteArray("84 16 05 67 5B B4 F6 C6");
    QTest::newRow("rotate wraps into last byte")
        << QByteArray::fromHex("00000000 00E00000") << zeros << QByteArray("84 16 05 67 57 B4 F6 CD");
    QTest::newRow("code byte 1 used") << zeros << QByteArray::fromHex("00FF000000000000")
                                      << QByteArray("8B 0E 05 67 57 B4 F6 C6");
    QTest::newRow("code bytes 0 and 7 unused")
        << zeros << QByteArray::fromHex("FF000000000000FF") << QByteArray("84 16 05 67 57 B4 F6 C6");
}

void FrameTest::scrambleKnownAnswers() {
    QFETCH(QByteArray, block);
    QFETCH(QByteArray, code);
    QFETCH(QByteArray, scrambled);
    auto* bytes = reinterpret_cast<uchar*>(block.data());
    scrambleBlock(bytes, reinterpret_cast<const uchar*>(code.constData()));
    QCOMPARE(hex(bytes, 8), scrambled);
}

void FrameTest::scrambleRoundTrips() {
    QRandomGenerator random(718);
    for (int round = 0; round < 5000; ++round) {
        uchar block[8];
        uchar code[8];
        for (int i = 0; i < 8; ++i) {
            block[i] = static_cast<uchar>(random.bounded(256));
            code[i] = static_cast<uchar>(random.bounded(256));
        }
        uchar copy[8];
        std::copy(block, block + 8, copy);
        scrambleBlock(copy, code);
        unscrambleBlock(copy, code);
        QCOMPARE(hex(copy, 8), hex(block, 8));
    }
}

QTEST_GUILESS_MAIN(FrameTest)
#include "tst_frame.moc"
