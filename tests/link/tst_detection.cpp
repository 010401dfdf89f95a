#include <QtTest>

#include "link/detection.h"
#include "sim/virtual_mouse.h"
#include "support/debug_capture.h"

using namespace z718;

namespace {

// Records, in order, what connecting asked of the window, scene, tray and worker.
class FakeHost : public ConnectionHost, public WorkerControl {
public:
    QStringList calls;
    QMap<QString, QString> config;

    void startScene() override { calls << "startScene"; }
    void setViewEnabled(bool enabled) override { calls << (enabled ? "enable" : "disable"); }
    void showTrayMessage(const QString& title, const QString& text) override {
        calls << title + ": " + text;
    }
    QString appConfigString(const QString& key, const QString& fallback) override {
        return config.value(key, fallback);
    }
    void hideWindow() override { calls << "hide"; }
    void startWorker(uint32_t index) override {
        running = true;
        calls << QStringLiteral("start worker %1").arg(index);
    }
    void stopWorker() override { running = false; }
    bool workerRunning() const override { return running; }
    bool running = false;
};

}  // namespace

// The connection steps and their order; unplug and replug run end to end in tests/app.
class DetectionTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void connectsOnceAndKeepsALiveConnection();
    void secrecyCodeAndSwitchingDevice();

private:
    std::unique_ptr<sim::VirtualMouse> mouse_;
    std::unique_ptr<Link> link_;
    std::unique_ptr<FakeHost> host_;
    std::unique_ptr<Detection> detection_;
};

void DetectionTest::init() {
    mouse_ = std::make_unique<sim::VirtualMouse>();
    link_ = std::make_unique<Link>(*mouse_, [] {});
    host_ = std::make_unique<FakeHost>();
    detection_ = std::make_unique<Detection>(*mouse_, *link_, *host_, *host_);
    connectedFlag() = false;
    linkSecrets() = LinkSecrets{};
}

void DetectionTest::connectsOnceAndKeepsALiveConnection() {
    test::DebugCapture debug;
    QVERIFY(link_->acquireLink());  // a command left unfinished
    detection_->scan(loadCatalogue(kCataloguePath, {}));
    QCOMPARE(debug.captured(), QStringList{"Device Connect"});
    QCOMPARE(host_->calls,
             (QStringList{"startScene", "enable", "Info: Detect XT417KC Mouse", "start worker 1"}));
    QVERIFY(link_->isIdle());
    QVERIFY(connectedFlag());

    host_->calls.clear();
    detection_->scan(loadCatalogue(kCataloguePath, {}));  // a poll while connected
    QCOMPARE(debug.count("Device Connect"), 2);
    QVERIFY(host_->calls.isEmpty());
}

void DetectionTest::secrecyCodeAndSwitchingDevice() {
    using Code = std::array<uchar, 8>;
    host_->config["common/sCode1"] = "12345";
    test::DebugCapture debug;
    detection_->selectDevice(1);
    QCOMPARE(link_->currentIndex(), 1u);
    QCOMPARE(linkSecrets().secrecyCode, Code{});  // five characters: left alone
    QCOMPARE(debug.captured(), QStringList{"Device Connect"});
    QCOMPARE(host_->calls,
             (QStringList{"startScene", "enable", "Info: Detect RD615 Mouse", "start worker 1"}));

    host_->calls.clear();
    host_->config["common/sCode1"] = "abcdef";
    detection_->selectDevice(1);  // same device: the steps again, the worker left alone
    QCOMPARE(linkSecrets().secrecyCode, (Code{0, 'a', 'b', 'c', 'd', 'e', 'f', 0}));
    QCOMPARE(host_->calls, (QStringList{"startScene", "enable", "Info: Detect RD615 Mouse"}));

    detection_->selectDevice(0);  // no key stored: the built-in code
    QCOMPARE(linkSecrets().secrecyCode, (Code{0, '7', '3', '5', '2', '9', '1', 0}));
}

QTEST_GUILESS_MAIN(DetectionTest)
#include "tst_detection.moc"
