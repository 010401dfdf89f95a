// The mouse's catalogue and how a scan matches it, the transfers, and connecting.
#include <QtTest>
#include <atomic>
#include <numeric>
#include <thread>

#include "link/catalogue.h"
#include "link/detection.h"
#include "link/scanner.h"
#include "link/transport.h"
#include "platform/timing.h"
#include "sim/virtual_mouse.h"
#include "support/debug_capture.h"
#include "support/quiet_host.h"
#include "support/scratch_dir.h"

using namespace z718;
using Fault = sim::VirtualMouse::Fault;

namespace {

// Interfaces the scan sees, in enumeration order, for a fake entry.
struct FixedHid : sim::VirtualMouse {
    explicit FixedHid(Enumeration list) : interfaces(std::move(list)) {}
    Enumeration* enumerate(uint16_t, uint16_t) override { return new Enumeration(interfaces); }
    Enumeration interfaces;
};

}  // namespace

class LinkTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        durations() = Durations{};
        durations().acquireRoundMs = durations().settleSleepMs = durations().reportPauseMs = 1;
        connectedFlag() = false;
        linkSecrets() = LinkSecrets{};
        t_ = std::make_unique<Rig>();
        connectMouse();
    }

    void cleanup() {
        QCOMPARE(t_->mouse.openHandles(), 0);  // no handle outlives a transfer
        QVERIFY(t_->link.isIdle());            // every exit gives the link back
        t_.reset();
    }

    void getPayloadKeepsReportLengthOfEachReport() {
        auto& matrix = t_->mouse.mouseFirmware().state().keyMatrix;
        std::iota(matrix.begin(), matrix.begin() + 64, uchar(0xA0));
        std::fill(t_->link.payload(), t_->link.payload() + kMaxPayload, 0xEE);
        QVERIFY(exchange(makeFrame(0x92, {0x01}), 64));
        QCOMPARE(hex(t_->link.payload(), 65), hex(matrix.data(), 64) + " EE");
    }

    // The command prints its own failure text; the link only reports that nothing was sent.
    void acquisitionAndOpenFailures() {
        QVERIFY(t_->link.acquireLink());
        QVERIFY(!t_->link.acquireLink());
        QCOMPARE(t_->eventRounds, 255);
        QVERIFY(t_->mouse.log().isEmpty());
        t_->link.setIdle();

        // A refused open empties the path; until the next scan no hidapi call is made at all.
        t_->mouse.setFault(Fault::OpenRefused);
        QVERIFY(!exchange(makeFrame(0x81), 0));
        QVERIFY(t_->link.device(1).interface1Path.isEmpty());
        t_->mouse.clearFaults();
        const int calls = t_->mouse.callCount();
        QVERIFY(!exchange(makeFrame(0x01), 8, false));
        QVERIFY(!exchange(makeFrame(0x81), 0));
        QCOMPARE(t_->mouse.callCount(), calls);
        connectMouse();
        QVERIFY(exchange(makeFrame(0x81), 0));
    }

    // Each failing step ends the exchange, after the reports before it went by.
    void exchangeFailures() {
        const struct {
            Fault fault;
            bool get;
            int loggedReports;
        } rows[]{
            {Fault::SendFeatureFails, false, 0}, {Fault::WriteFails, false, 1},
            {Fault::SendFeatureFails, true, 0},  {Fault::GetFeatureFails, true, 1},
            {Fault::ReadFails, true, 2},
        };
        for (const auto& row : rows) {
            connectMouse();
            t_->mouse.setFault(row.fault);
            QVERIFY(!exchange(makeFrame(row.get ? 0x91 : 0x11, {0x07, 0x08}), 8, row.get));
            t_->mouse.clearFaults();
            QCOMPARE(t_->mouse.openHandles(), 0);  // closed at once, not by the next exchange
            QCOMPARE(t_->mouse.log().size(), row.loggedReports);
            // Only a refused open empties the path.
            QVERIFY(!t_->link.device(1).interface1Path.isEmpty());
        }
    }

    // A device that stops answering must not hold the program: the read gives up after its
    // time-out and the exchange fails like any other.
    void inputThatNeverComesFailsTheExchange() {
        durations().inputReportMs = 5;
        t_->mouse.setFault(Fault::InputNeverComes);
        // A read without a time-out would wait for good; the watchdog then lets the report come,
        // so such a read ends in a successful exchange and fails the test instead of hanging it.
        std::atomic<bool> returned{false};
        std::thread watchdog([&] {
            for (int i = 0; i < 1000 && !returned.load(); ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            t_->mouse.clearFaults();
        });
        const bool exchanged = exchange(makeFrame(0x91), 8);
        returned.store(true);
        watchdog.join();
        QVERIFY(!exchanged);
        QVERIFY(exchange(makeFrame(0x91), 8));  // released, and the next exchange goes through
    }

    // Worked by hand: swap pairs, XOR bytes 1..6, rotate left by 3, add the nibble-swapped key
    // 84 16 05 67 57 B4 F6 C6.
    void scrambleKnownAnswers() {
        const struct {
            const char *block, *code, *scrambled;
        } rows[]{
            {"0000000000000000", "0000000000000000", "84 16 05 67 57 B4 F6 C6"},
            {"0000000000E00000", "0000000000000000", "84 16 05 67 57 B4 F6 CD"},  // rotate wraps
            {"0000000000000000", "00FF000000000000", "8B 0E 05 67 57 B4 F6 C6"},  // code byte 1
            {"0000000000000000", "FF000000000000FF", "84 16 05 67 57 B4 F6 C6"},  // 0 and 7 unused
        };
        for (const auto& row : rows) {
            QByteArray block = QByteArray::fromHex(row.block);
            const QByteArray code = QByteArray::fromHex(row.code);
            scrambleBlock(reinterpret_cast<uchar*>(block.data()),
                          reinterpret_cast<const uchar*>(code.data()));
            QCOMPARE(block.toHex(' ').toUpper(), row.scrambled);
        }
    }

    // Unscrambling is checked on the way back: a reply the mouse scrambled.
    void scramblingAppliesToFramesOnly() {
        const auto& secrets = linkSecrets() = {.secrecyCode = {0, '7', '3', '5', '2', '9', '1', 0},
                                               .scrambling = true};
        t_->mouse.setScrambling(secrets.secrecyCode);
        t_->mouse.mouseFirmware().state().reportRate = 4;
        Frame sent = makeFrame(0x81);
        scrambleBlock(&sent[1], secrets.secrecyCode.data());
        QVERIFY(exchange(makeFrame(0x81), 0));
        QCOMPARE(t_->mouse.log().first(), "feature-out " + hex(sent.data(), kFrameSize));
        QCOMPARE(t_->link.reply(), makeFrame(0x81, {4}));  // deciphered

        // With a payload the reply and the payload stay as read.
        t_->mouse.mouseFirmware().state().dpiCodes = {1, 2, 3, 4, 5, 6, 7, 8};
        QVERIFY(exchange(makeFrame(0x91), 8));
        Frame reply = makeFrame(0x91, {t_->mouse.mouseFirmware().state().dpiMaxStage});
        scrambleBlock(&reply[1], secrets.secrecyCode.data());
        QCOMPARE(t_->link.reply(), reply);
        QCOMPARE(t_->link.payload()[7], uchar(8));
    }

    void shippedAndDamagedCatalogues() {
        const QByteArray text = test::ScratchDir::read(kCataloguePath);
        QVERIFY(text.startsWith("; type 0: Keyboard, type 1: Mouse\r\n"));
        QCOMPARE(text.count("\n"), text.count("\r\n"));

        const auto entries = loadCatalogue(kCataloguePath, {"Keyboard", "Mouse"});
        QCOMPARE(entries.size(), 2);
        QCOMPARE(numbers(entries[0]).mid(0, 6), (QList<int>{0, 0xff01, 0, 0xff02, 2, 32}));
        QCOMPARE(numbers(entries[1]).mid(0, 6),
                 (QList<int>{1, 0xff00, 0xff00, 0xff01, 0xff01, 32}));
        QVERIFY(entries[0].vid && entries[0].pid && entries[1].vid && entries[1].pid);
        QVERIFY(entries[0].vid != entries[1].vid || entries[0].pid != entries[1].pid);
        QCOMPARE(entries[1].name, QStringLiteral("Mouse"));

        // Missing keys and hex forms.
        test::ScratchDir scratch;
        test::ScratchDir::write("cat.ini",
                                "[common]\r\ntotal=2\r\n[0]\r\nvid=04d9\r\npid=1ABCD\r\n"
                                "usagePage=zz\r\n[1]\r\ntype=1\r\n");
        const auto written = loadCatalogue("cat.ini", {"only one"});
        QCOMPARE(written.size(), 2);
        // The pid is cut to 16 bits.
        QCOMPARE(numbers(written[0]), (QList<int>{-1, 0, 0, 0, 0, 0, 0x04d9, 0xABCD}));
        QCOMPARE(written[1].name, QString());
        QVERIFY(loadCatalogue("missing.ini", {}).isEmpty());
    }

    void matchingRule() {
        const CatalogueEntry keyboard{
            .usagePage = 0xff01, .usagePage2 = 0xff02, .usage2 = 2, .name = {}};
        // usage 0 matches only usage 0 exactly; the index stays when nothing matches.
        FixedHid near({{"a", 0, 0, 0xff01, 0x0001}, {"b", 0, 0, 0xff02, 2}});
        const ScanResult missed = scanDevices(near, {keyboard}, 7);
        QVERIFY(missed.devices[0].interface1Path.isEmpty());
        QCOMPARE(missed.currentIndex, 7u);
        // Only the first interface: not present, the lone path is dropped.
        FixedHid half({{"a", 0, 0, 0xff01, 0}});
        QVERIFY(scanDevices(half, {keyboard}, 0).devices[0].interface1Path.isEmpty());
        // One interface may satisfy both pairs.
        const CatalogueEntry same{.usagePage = 0xff01, .usagePage2 = 0xff01, .name = {}};
        const auto both = scanDevices(half, {same}, 0).devices[0];
        QCOMPARE(both.interface1Path + both.interface2Path, QStringLiteral("aa"));
        // Several entries present: the last one becomes current.
        FixedHid all({{"x", 0, 0, 0xff01, 0}, {"y", 0, 0, 0xff02, 2}});
        QCOMPARE(scanDevices(all, {keyboard, keyboard}, 0).currentIndex, 1u);
    }

    // (The flag and the first "Device Connect" are the widget test's.)
    void connectsOnceAndKeepsALiveConnection() {
        test::DebugCapture debug;
        QVERIFY(t_->link.acquireLink());  // a command left unfinished
        t_->detection.scan(loadCatalogue(kCataloguePath, {}));
        QCOMPARE(t_->host.calls, (QStringList{"startScene", "enable", "Info: Detect XT417KC Mouse",
                                              "start worker 1"}));
        QVERIFY(t_->link.isIdle());
        t_->detection.scan(loadCatalogue(kCataloguePath, {}));  // a poll while connected says so
        QCOMPARE(debug.count("Device Connect"), 2);
    }

    void secrecyCodeAndSwitchingDevice() {
        using Code = std::array<uchar, 8>;
        t_->host.config["common/sCode1"] = "12345";
        test::DebugCapture debug;
        t_->detection.selectDevice(1);
        QCOMPARE(t_->link.currentIndex(), 1u);
        QCOMPARE(linkSecrets().secrecyCode, Code{});  // five characters: left alone
        QCOMPARE(debug.captured(), QStringList{"Device Connect"});
        QCOMPARE(t_->host.calls, (QStringList{"startScene", "enable", "Info: Detect RD615 Mouse",
                                              "start worker 1"}));

        t_->host.calls.clear();
        t_->host.config["common/sCode1"] = "abcdef";
        t_->detection.selectDevice(1);  // same device: the steps again, the worker left alone
        QCOMPARE(linkSecrets().secrecyCode, (Code{0, 'a', 'b', 'c', 'd', 'e', 'f', 0}));
        QCOMPARE(t_->host.calls, (QStringList{"startScene", "enable", "Info: Detect RD615 Mouse"}));

        t_->detection.selectDevice(0);  // no key stored: the built-in code
        QCOMPARE(linkSecrets().secrecyCode, (Code{0, '7', '3', '5', '2', '9', '1', 0}));
    }

private:
    void connectMouse() {
        ScanResult scan = scanDevices(t_->mouse, loadCatalogue(kCataloguePath, {}), 0);
        t_->link.setDevices(scan.devices);
        t_->link.setCurrentIndex(scan.currentIndex);
        t_->mouse.clearLog();
    }
    // One exchange as a command runs it: the link taken, the frame set, the transfer.
    bool exchange(const Frame& frame, int payload, bool get = true) {
        QTest::qVerify(t_->link.acquireLink(), "acquireLink()", "", __FILE__, __LINE__);
        t_->link.frame() = frame;
        return get ? t_->link.hidGetTransfer(payload) : t_->link.hidSetTransfer(payload, true);
    }
    // An entry's type, usage pairs and report length, then its vid and pid.
    static QList<int> numbers(const CatalogueEntry& e) {
        return {e.type,   e.usagePage,         e.usage, e.usagePage2,
                e.usage2, int(e.reportLength), e.vid,   e.pid};
    }
    static QString hex(const uchar* bytes, int count) {
        return QByteArray(reinterpret_cast<const char*>(bytes), count).toHex(' ').toUpper();
    }

    struct Rig {
        sim::VirtualMouse mouse;
        int eventRounds = 0;
        Link link{mouse, [this] { ++eventRounds; }};
        test::QuietHost host;
        Detection detection{mouse, link, host, host};
    };
    std::unique_ptr<Rig> t_;
};

QTEST_GUILESS_MAIN(LinkTest)
#include "tst_link.moc"
