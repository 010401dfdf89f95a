#include <QRandomGenerator>
#include <QtTest>
#include <atomic>
#include <thread>

#include "link/catalogue.h"
#include "link/scanner.h"
#include "link/transport.h"
#include "platform/timing.h"
#include "sim/virtual_mouse.h"

using namespace z718;
using Fault = sim::VirtualMouse::Fault;

class TransportTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void getPayloadKeepsReportLengthOfEachReport();
    void acquisitionTimesOut();
    void openFailures();
    void exchangeFailures_data();
    void exchangeFailures();
    void inputThatNeverComesFailsTheExchange();
    void scrambleKnownAnswers_data();
    void scrambleKnownAnswers();
    void scrambleRoundTrips();
    void scramblingAppliesToFramesOnly();

private:
    void connectMouse();
    static QString hex(const uchar* bytes, int count) {
        return QByteArray(reinterpret_cast<const char*>(bytes), count).toHex(' ').toUpper();
    }

    std::unique_ptr<sim::VirtualMouse> mouse_;
    std::unique_ptr<Link> link_;
    int eventRounds_ = 0;
};

void TransportTest::init() {
    durations() = Durations{};
    durations().acquireRoundMs = durations().settleSleepMs = durations().reportPauseMs = 1;
    mouse_ = std::make_unique<sim::VirtualMouse>();
    eventRounds_ = 0;
    link_ = std::make_unique<Link>(*mouse_, [this] { ++eventRounds_; });
    connectMouse();
    linkSecrets() = LinkSecrets{};
}

void TransportTest::cleanup() {
    QCOMPARE(mouse_->openHandles(), 0);  // no handle outlives a transfer
    QVERIFY(link_->isIdle());            // every exit gives the link back
    link_.reset();
    mouse_.reset();
}

void TransportTest::connectMouse() {
    ScanResult scan = scanDevices(*mouse_, loadCatalogue(kCataloguePath, {}), 0);
    link_->setDevices(scan.devices);
    link_->setCurrentIndex(scan.currentIndex);
    mouse_->clearLog();
}

void TransportTest::getPayloadKeepsReportLengthOfEachReport() {
    auto& matrix = mouse_->mouseFirmware().state().keyMatrix;
    for (int i = 0; i < 64; ++i) {
        matrix[static_cast<size_t>(i)] = static_cast<uchar>(0xA0 + i);
    }
    std::fill(link_->payload(), link_->payload() + kMaxPayload, 0xEE);
    QVERIFY(link_->acquireLink());
    link_->frame() = makeFrame(0x92, {0x01});
    QVERIFY(link_->hidGetTransfer(64));
    QCOMPARE(mouse_->log().size(), 4);  // frame out, reply in, two input reports
    QCOMPARE(hex(link_->payload(), 65), hex(matrix.data(), 64) + " EE");
}

// The command prints its own failure text; the link only reports that nothing was sent.
void TransportTest::acquisitionTimesOut() {
    QVERIFY(link_->acquireLink());
    QVERIFY(!link_->acquireLink());
    QCOMPARE(eventRounds_, 255);
    QVERIFY(mouse_->log().isEmpty());
    link_->setIdle();
}

void TransportTest::openFailures() {
    // A refused open empties the path; until the next scan no hidapi call is made at all.
    link_->frame() = makeFrame(0x81);
    mouse_->setFault(Fault::OpenRefused);
    QVERIFY(link_->acquireLink());
    QVERIFY(!link_->hidGetTransfer(0));
    QVERIFY(link_->device(1).interface1Path.isEmpty());
    mouse_->clearFaults();
    const int calls = mouse_->callCount();
    QVERIFY(link_->acquireLink());
    QVERIFY(!link_->hidSetTransfer(8, true));
    QVERIFY(link_->acquireLink());
    QVERIFY(!link_->hidGetTransfer(0));
    QCOMPARE(mouse_->callCount(), calls);
    connectMouse();
    QVERIFY(link_->acquireLink());
    QVERIFY(link_->hidGetTransfer(0));
}

void TransportTest::exchangeFailures_data() {
    QTest::addColumn<int>("fault");
    QTest::addColumn<bool>("get");
    QTest::addColumn<int>("loggedReports");
    QTest::newRow("set: feature send") << int(Fault::SendFeatureFails) << false << 0;
    QTest::newRow("set: output write") << int(Fault::WriteFails) << false << 1;
    QTest::newRow("get: feature send") << int(Fault::SendFeatureFails) << true << 0;
    QTest::newRow("get: feature read") << int(Fault::GetFeatureFails) << true << 1;
    QTest::newRow("get: input read") << int(Fault::ReadFails) << true << 2;
}

void TransportTest::exchangeFailures() {
    QFETCH(int, fault);
    QFETCH(bool, get);
    QFETCH(int, loggedReports);
    mouse_->setFault(static_cast<Fault>(fault));
    QVERIFY(link_->acquireLink());
    link_->frame() = makeFrame(get ? 0x91 : 0x11, {0x07, 0x08});
    QVERIFY(!(get ? link_->hidGetTransfer(8) : link_->hidSetTransfer(8, true)));
    QCOMPARE(mouse_->log().size(), loggedReports);
    QVERIFY(!link_->device(1).interface1Path.isEmpty());  // only a refused open empties it
}

// A device that stops answering must not hold the program: the read gives up after its
// time-out and the exchange fails like any other.
void TransportTest::inputThatNeverComesFailsTheExchange() {
    durations().inputReportMs = 5;
    mouse_->setFault(Fault::InputNeverComes);
    // A read without a time-out would wait for good; the watchdog then lets the report come,
    // so such a read ends in a successful exchange and fails the test instead of hanging it.
    std::atomic<bool> returned{false};
    std::thread watchdog([&] {
        for (int i = 0; i < 1000 && !returned.load(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        mouse_->clearFaults();
    });
    QVERIFY(link_->acquireLink());
    link_->frame() = makeFrame(0x91);
    const bool exchanged = link_->hidGetTransfer(8);
    returned.store(true);
    watchdog.join();
    QVERIFY(!exchanged);
    QVERIFY(link_->acquireLink());  // released, and the next exchange goes through
    QVERIFY(link_->hidGetTransfer(8));
}

// Worked by hand: swap pairs, XOR bytes 1..6, rotate left by 3, add the nibble-swapped key
// 84 16 05 67 57 B4 F6 C6.
void TransportTest::scrambleKnownAnswers_data() {
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

void TransportTest::scrambleKnownAnswers() {
    QFETCH(QByteArray, block);
    QFETCH(QByteArray, code);
    QFETCH(QByteArray, scrambled);
    auto* bytes = reinterpret_cast<uchar*>(block.data());
    scrambleBlock(bytes, reinterpret_cast<const uchar*>(code.constData()));
    QCOMPARE(hex(bytes, 8).toLatin1(), scrambled);
}

void TransportTest::scrambleRoundTrips() {
    QRandomGenerator random(718);
    for (int round = 0; round < 5000; ++round) {
        const quint64 block = random.generate64(), code = random.generate64();
        quint64 copy = block;
        scrambleBlock(reinterpret_cast<uchar*>(&copy), reinterpret_cast<const uchar*>(&code));
        unscrambleBlock(reinterpret_cast<uchar*>(&copy), reinterpret_cast<const uchar*>(&code));
        QCOMPARE(copy, block);
    }
}

void TransportTest::scramblingAppliesToFramesOnly() {
    auto& secrets = linkSecrets();
    secrets.scrambling = true;
    secrets.secrecyCode = {0, '7', '3', '5', '2', '9', '1', 0};
    mouse_->setScrambling(secrets.secrecyCode);
    mouse_->mouseFirmware().state().reportRate = 4;
    Frame sent = makeFrame(0x81);
    scrambleBlock(&sent[1], secrets.secrecyCode.data());
    link_->frame() = makeFrame(0x81);
    QVERIFY(link_->acquireLink());
    QVERIFY(link_->hidGetTransfer(0));
    QCOMPARE(mouse_->log().first(), "feature-out " + hex(sent.data(), kFrameSize));
    QCOMPARE(link_->reply(), makeFrame(0x81, {4}));  // deciphered

    // With a payload the reply and the payload stay as read.
    mouse_->mouseFirmware().state().dpiCodes = {1, 2, 3, 4, 5, 6, 7, 8};
    link_->frame() = makeFrame(0x91);
    QVERIFY(link_->acquireLink());
    QVERIFY(link_->hidGetTransfer(8));
    Frame reply = makeFrame(0x91, {mouse_->mouseFirmware().state().dpiMaxStage});
    scrambleBlock(&reply[1], secrets.secrecyCode.data());
    QCOMPARE(link_->reply(), reply);
    QCOMPARE(link_->payload()[7], uchar(8));
}

QTEST_GUILESS_MAIN(TransportTest)
#include "tst_transport.moc"
