#include <QRandomGenerator>
#include <QtTest>
#include <cstring>

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
    QTest::addColumn<Frame>("frame");
    QTest::addColumn<QByteArray>("wire");
    QTest::newRow("sum 3") << makeFrame(0x01, {0x02}) << QByteArray("00 01 02 00 00 00 00 00 FC");
    QTest::newRow("read") << makeFrame(0x8B) << QByteArray("00 8B 00 00 00 00 00 00 74");
    QTest::newRow("sum wraps") << makeFrame(0xFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})
                               << QByteArray("00 FF FF FF FF FF FF FF 06");
}

void FrameTest::checksums() {
    QFETCH(Frame, frame);
    QFETCH(QByteArray, wire);
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
    QTest::newRow("swap, rotate wraps into last byte")
        << QByteArray::fromHex("00000000 00E00000") << zeros
        << QByteArray("84 16 05 67 57 B4 F6 CD");
    QTest::newRow("code byte 1 used") << zeros << QByteArray::fromHex("00FF000000000000")
                                      << QByteArray("8B 0E 05 67 57 B4 F6 C6");
    QTest::newRow("code bytes 0 and 7 unused") << zeros << QByteArray::fromHex("FF000000000000FF")
                                               << QByteArray("84 16 05 67 57 B4 F6 C6");
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
        const quint64 blockBits = random.generate64();
        const quint64 codeBits = random.generate64();
        std::memcpy(block, &blockBits, 8);
        std::memcpy(code, &codeBits, 8);
        uchar copy[8];
        std::copy(block, block + 8, copy);
        scrambleBlock(copy, code);
        unscrambleBlock(copy, code);
        QCOMPARE(hex(copy, 8), hex(block, 8));
    }
}

QTEST_GUILESS_MAIN(FrameTest)
#include "tst_frame.moc"
