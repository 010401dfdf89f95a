#pragma once

#include <QFuture>
#include <QObject>
#include <atomic>

#include "engine/action_engine.h"
#include "link/detection.h"
#include "link/transport.h"

// The device link as the scene sees it ("hid"): transfers, detection, the worker, and the
// command slots. Each slot forwards to the plain class that owns the behaviour.
class Hid_Thread : public QObject, public z718::WorkerControl {
    Q_OBJECT
public:
    explicit Hid_Thread(z718::ConnectionHost* owner, QObject* parent = nullptr);
    ~Hid_Thread() override;

    z718::Link& link() { return link_; }
    z718::Detection& detection() { return detection_; }

    void startWorker(uint32_t deviceIndex) override;
    void stopWorker() override;
    bool workerRunning() const override { return workerRunning_.load(); }
    const std::atomic<bool>& workerRunningFlag() const { return workerRunning_; }

    // The worker: runs the engine until stopped, then performs the removal steps.
    void keyActionLoop(uint did);

public slots:
    uchar hidCS(uchar* cmd);
    void USBDataEncryption(uchar FIFOBuf[], uchar SecrecyCode[]);
    void USBDataDecipher(uchar FIFOBuf[], uchar SecrecyCode[]);
    void swichCurDevice(uint did);
    void chkDeviceIsEnCode();

    // --- engine ---

    // --- set commands ---

    // --- get commands ---

    // --- macros ---

private:
    z718::ConnectionHost* owner_;
    z718::Link link_;
    z718::Detection detection_;
    z718::ActionEngine engine_;
    std::atomic<bool> workerRunning_{false};
    QFuture<void> worker_;
};
