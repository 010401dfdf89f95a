#include <QtTest>

#include "link/detection.h"
#include "sim/virtual_mouse.h"
#include "support/debug_capture.h"

using namespace z718;

namespace {

// Records what connecting and disconnecting asked of the window, scene and tray.
class FakeHost : public ConnectionHost {
public:
    QStringList calls;
    QMap<QString, QString> config;

    void startScene() override { calls << "startScene"; }
    void setViewEnabled(bool enabled) override { calls << (enabled ? "enable" : "disable"); }
    void showTrayMessage(const QString& title, const QString& text) override {
        calls << "tray " + title + ": " + text;
    }
    QString appConfigString(const QString& key, const QString& fallback) override {
        return config.value(key, fallback);
    }
    void hideWindow() override { calls << "hide"; }
};

class FakeWorker : public WorkerControl {
public:
    explicit FakeWorker(QStringList& calls) : calls_(calls) {}
    void startWorker(uint32_t index) override {
        running_ = true;
        calls_ << QStringLiteral("start worker %1").arg(index);
    }
    void stopWorker() override {
        if (running_) {
            calls_ << "stop worker";
        }
        running_ = false;
    }
    bool workerRunning() const override { return running_; }

private:
    QStringList& calls_;
    bool running_ = false;
};

}  // namespace

class DetectionTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void connectsOnceAndKeepsALiveConnection();
    void unplugDisconnectsAndReplugConnectsAgain();
    void noDeviceAtAll();
    void secrecyCodeNeedsSixCharacters();
    void switchingDevice();

private:
    void scan() { detection_->scan(loadCatalogue(kCataloguePath, {})); }

    std::unique_ptr<sim::VirtualMouse> mouse_;
    std::unique_ptr<Link> link_;
    std::unique_ptr<FakeHost> host_;
    std::unique_ptr<FakeWorker> worker_;
    std::unique_ptr<Detection> detection_;
};

void DetectionTest::init() {
    mouse_ = std::make_unique<sim::VirtualMouse>();
    link_ = std::make_unique<Link>(*mouse_, [] {});
    host_ = std::make_unique<FakeHost>();
    worker_ = std::make_unique<FakeWorker>(host_->calls);
    detection_ = std::make_unique<Detection>(*mouse_, *link_, *worker_, *host_);
    connectedFlag() = false;
    linkSecrets() = LinkSecrets{};
}

void DetectionTest::connectsOnceAndKeepsALiveConnection() {
    test::DebugCapture debug;
    QVERIFY(link_->acquireLink());  // a command left unfinished
    scan();
    QCOMPARE(debug.captured(), QStringList{"Device Connect"});
    QCOMPARE(host_->calls, (QStringList{"startScene", "enable", "tray Info: Detect XT417KC Mouse",
                                        "start worker 1"}));
    QVERIFY(link_->isIdle());
    QVERIFY(connectedFlag());
    QCOMPARE(link_->device(1).interface2Path, QStringLiteral("sim/mouse/if2"));

    host_->calls.clear();
    scan();  // a poll while connected
    QCOMPARE(debug.count("Device Connect"), 2);
    QVERIFY(host_->calls.isEmpty());
}

void DetectionTest::unplugDisconnectsAndReplugConnectsAgain() {
    scan();
    host_->calls.clear();
    test::DebugCapture debug;
    mouse_->unplug();
    scan();
    QCOMPARE(debug.captured(), QStringList{"Device Error"});
    QCOMPARE(host_->calls, (QStringList{"stop worker", "hide"}));
    QVERIFY(!connectedFlag());
    QCOMPARE(link_->currentIndex(), 1u);  // kept when nothing matches

    host_->calls.clear();
    mouse_->plug();
    scan();
    QCOMPARE(host_->calls.first(), QStringLiteral("startScene"));
    QCOMPARE(host_->calls.last(), QStringLiteral("start worker 1"));
    QVERIFY(connectedFlag());
}

void DetectionTest::noDeviceAtAll() {
    mouse_->unplug();
    test::DebugCapture debug;
    scan();
    QCOMPARE(debug.captured(), QStringList{"Device Error"});
    QCOMPARE(host_->calls, QStringList{"hide"});
    QCOMPARE(link_->devices().size(), 2);  // every entry keeps a record, with empty paths
    QVERIFY(link_->device(0).interface1Path.isEmpty());
}

void DetectionTest::secrecyCodeNeedsSixCharacters() {
    link_->setCurrentIndex(1);
    host_->config["common/sCode1"] = "12345";
    test::DebugCapture debug;
    detection_->chkDeviceIsEnCode();
    QCOMPARE(linkSecrets().secrecyCode, (std::array<uchar, 8>{}));
    QCOMPARE(debug.captured(), QStringList{"Device Connect"});
    QVERIFY(host_->calls.contains("tray Info: Detect RD615 Mouse"));

    host_->config["common/sCode1"] = "abcdef";
    detection_->chkDeviceIsEnCode();
    QCOMPARE(linkSecrets().secrecyCode, (std::array<uchar, 8>{0, 'a', 'b', 'c', 'd', 'e', 'f', 0}));

    link_->setCurrentIndex(0);  // no key stored: the built-in code
    detection_->chkDeviceIsEnCode();
    QCOMPARE(linkSecrets().secrecyCode, (std::array<uchar, 8>{0, '7', '3', '5', '2', '9', '1', 0}));
}

void DetectionTest::switchingDevice() {
    detection_->swichCurDevice(0);
    QCOMPARE(link_->currentIndex(), 0u);
    QCOMPARE(host_->calls.last(), QStringLiteral("start worker 0"));
    host_->calls.clear();
    detection_->swichCurDevice(0);  // same device: connection steps again, worker left alone
    QCOMPARE(host_->calls, (QStringList{"startScene", "enable", "tray Info: Detect RD615 Mouse"}));
}

QTEST_GUILESS_MAIN(DetectionTest)
#include "tst_detection.moc"
