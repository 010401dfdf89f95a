#include <QElapsedTimer>
#include <QtTest>
#include <thread>

#include "link/catalogue.h"
#include "link/scanner.h"
#include "link/transport.h"
#include "platform/timing.h"
#include "sim/virtual_mouse.h"
#include "support/debug_capture.h"

using namespace z718;

class TransportTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void payloadChunking_data();
    void payloadChunking();
    void getPayloadKeepsReportLengthOfEachReport();
    void acquisitionTimesOut();
    void emptyPathFailsWithoutHidCalls();
    void refusedOpenEmptiesPathUntilNextScan();
    void exchangeFailures_data();
    void exchangeFailures();
    void inputThatNeverComesEndsWithUnplug();
    void scramblingAppliesToFramesOnly();
    void settleWaitIsTwoSleeps();

private:
    void connectMouse();

    std::unique_ptr<sim::VirtualMouse> mouse_;
    std::unique_ptr<Link> link_;
    int eventRounds_ = 0;
};

void TransportTest::init() {
    durations() = Durations{};
    durations().acquireRoundMs = 1;
    durations().settleSleepMs = 1;
    durations().reportPauseMs = 1;
    mouse_ = std::make_unique<sim::VirtualMouse>();
    eventRounds_ = 0;
    link_ = std::make_unique<Link>(*mouse_, [this] { ++eventRounds_; });
    connectMouse();
    linkSecrets() = LinkSecrets{};
}

void TransportTest::cleanup() {
    QCOMPARE(mouse_->openHandles(), 0);  // no handle outlives a transfer
    QVERIFY(link_->isIdle());
    link_.reset();
    mouse_.reset();
}

void TransportTest::connectMouse() {
    ScanResult scan = scanDevices(*mouse_, loadCatalogue(kCataloguePath, {}), 0);
    link_->setDevices(scan.devices);
    link_->setCurrentIndex(scan.currentIndex);
    QCOMPARE(scan.currentIndex, 1u);
    mouse_->clearLog();
}

static QByteArray report(int dataBytes, int first = 1) {
    QByteArray bytes(33, '\0');
    for (int i = 0; i < dataBytes; ++i) {
        bytes[1 + i] = static_cast<char>(first + i);
    }
    return bytes.toHex(' ').toUpper();
}

void TransportTest::payloadChunking_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<QStringList>("outputs");
    QTest::newRow("21 bytes: one report, 11 zero bytes")
        << 21 << QStringList{"output " + report(21)};
    QTest::newRow("8 bytes: one report zero after byte 8") << 8 << QStringList{"output " + report(8)};
    QStringList six;
    for (int r = 0; r < 6; ++r) {
        six << "output " + report(32, 1 + 32 * r);
    }
    QTest::newRow("192 bytes: six full reports") << 192 << six;
}

void TransportTest::payloadChunking() {
    QFETCH(int, length);
    QFETCH(QStringList, outputs);
    for (int i = 0; i < kMaxPayload; ++i) {
        link_->payload()[i] = static_cast<uchar>(i + 1);
    }
    QVERIFY(link_->acquireLink());
    link_->frame() = makeFrame(0x11, {0x07, 0x08});
    QVERIFY(link_->hidSetTransfer(length, false));
    QStringList log = mouse_->log();
    QCOMPARE(log.takeFirst(), QStringLiteral("feature-out 00 11 07 08 00 00 00 00 DF"));
    QCOMPARE(log, outputs);
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
    const QStringList log = mouse_->log();
    QCOMPARE(log.size(), 4);  // frame out, reply in, two input reports
    QCOMPARE(log[1], QStringLiteral("feature-in 00 92 00 00 00 00 00 00 6D"));
    for (int i = 0; i < 64; ++i) {
        QCOMPARE(link_->payload()[i], static_cast<uchar>(0xA0 + i));
    }
    QCOMPARE(link_->payload()[64], uchar(0xEE));  // nothing read past the length
}

void TransportTest::acquisitionTimesOut() {
    QVERIFY(link_->acquireLink());
    QVERIFY(!link_->acquireLink());
    QCOMPARE(eventRounds_, 255);
    QVERIFY(mouse_->log().isEmpty());
    link_->setIdle();
}

void TransportTest::emptyPathFailsWithoutHidCalls() {
    auto devices = link_->devices();
    devices[1].interface1Path.clear();
    link_->setDevices(devices);
    const int calls = mouse_->callCount();
    QVERIFY(link_->acquireLink());
    QVERIFY(!link_->hidSetTransfer(8, true));
    QVERIFY(link_->isIdle());
    QVERIFY(link_->acquireLink());
    QVERIFY(!link_->hidGetTransfer(0));
    QCOMPARE(mouse_->callCount(), calls);
}

void TransportTest::refusedOpenEmptiesPathUntilNextScan() {
    link_->frame() = makeFrame(0x81);
    mouse_->setFault(sim::VirtualMouse::OpenRefused);
    QVERIFY(link_->acquireLink());
    QVERIFY(!link_->hidGetTransfer(0));
    QVERIFY(link_->device(1).interface1Path.isEmpty());
    mouse_->clearFaults();
    QVERIFY(link_->acquireLink());
    QVERIFY(!link_->hidGetTransfer(0));  // still empty: nothing reopens it but a scan
    connectMouse();
    QVERIFY(link_->acquireLink());
    QVERIFY(link_->hidGetTransfer(0));
}

void TransportTest::exchangeFailures_data() {
    QTest::addColumn<int>("fault");
    QTest::addColumn<bool>("get");
    QTest::addColumn<int>("loggedReports");
    QTest::newRow("set: feature send") << int(sim::VirtualMouse::SendFeatureFails) << false << 0;
    QTest::newRow("set: output write") << int(sim::VirtualMouse::WriteFails) << false << 1;
    QTest::newRow("get: feature send") << int(sim::VirtualMouse::SendFeatureFails) << true << 0;
    QTest::newRow("get: feature read") << int(sim::VirtualMouse::GetFeatureFails) << true << 1;
    QTest::newRow("get: input read") << int(sim::VirtualMouse::ReadFails) << true << 2;
}

void TransportTest::exchangeFailures() {
    QFETCH(int, fault);
    QFETCH(bool, get);
    QFETCH(int, loggedReports);
    mouse_->setFault(static_cast<sim::VirtualMouse::Fault>(fault));
    QVERIFY(link_->acquireLink());
    link_->frame() = makeFrame(get ? 0x91 : 0x11, {0x07, 0x08});
    QVERIFY(!(get ? link_->hidGetTransfer(8) : link_->hidSetTransfer(8, true)));
    QCOMPARE(mouse_->log().size(), loggedReports);
    QVERIFY(!link_->device(1).interface1Path.isEmpty());  // only a refused open empties it
}

void TransportTest::inputThatNeverComesEndsWithUnplug() {
    mouse_->setFault(sim::VirtualMouse::InputNeverComes);
    std::thread unplugger([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        mouse_->unplug();
    });
    QElapsedTimer timer;
    timer.start();
    QVERIFY(link_->acquireLink());
    link_->frame() = makeFrame(0x91);
    QVERIFY(!link_->hidGetTransfer(8));
    unplugger.join();
    QVERIFY(timer.elapsed() >= 90);
}

void TransportTest::scramblingAppliesToFramesOnly() {
    linkSecrets().scrambling = true;
    linkSecrets().secrecyCode = {0, '7', '3', '5', '2', '9', '1', 0};
    mouse_->setScrambling(linkSecrets().secrecyCode);
    mouse_->mouseFirmware().state().reportRate = 4;
    Frame scrambled = makeFrame(0x81);
    scrambleBlock(&scrambled[1], linkSecrets().secrecyCode.data());

    link_->frame() = makeFrame(0x81);
    QVERIFY(link_->acquireLink());
    QVERIFY(link_->hidGetTransfer(0));
    QCOMPARE(mouse_->log().first(), "feature-out " + QByteArray(reinterpret_cast<const char*>(
                                                        scrambled.data()), 9).toHex(' ').toUpper());
    QCOMPARE(link_->reply()[1], uchar(0x81));  // deciphered
    QCOMPARE(link_->reply()[2], uchar(4));

    // With a payload the reply and the payload stay as read.
    mouse_->mouseFirmware().state().dpiCodes = {1, 2, 3, 4, 5, 6, 7, 8};
    link_->frame() = makeFrame(0x91);
    QVERIFY(link_->acquireLink());
    QVERIFY(link_->hidGetTransfer(8));
    Frame reply = makeFrame(0x91, {mouse_->mouseFirmware().state().dpiMaxStage});
    scrambleBlock(&reply[1], linkSecrets().secrecyCode.data());
    QCOMPARE(link_->reply(), reply);
    QCOMPARE(link_->payload()[7], uchar(8));
}

void TransportTest::settleWaitIsTwoSleeps() {
    durations().settleSleepMs = 40;
    QElapsedTimer timer;
    timer.start();
    link_->settleWait();
    const qint64 elapsed = timer.elapsed();
    QVERIFY2(elapsed >= 80 && elapsed < 120 * 4, qPrintable(QString::number(elapsed)));
}

QTEST_GUILESS_MAIN(TransportTest)
#include "tst_transport.moc"
