#include "ui/Hid_Thread.h"

#include <QCoreApplication>

#include "platform/thread_name.h"

Hid_Thread::Hid_Thread(z718::ConnectionHost* owner, z718::HidApi& hid,
                       z718::platform::InputInjector& injector, QObject* parent)
    : QObject(parent),
      owner_(owner),
      link_(hid, [] { QCoreApplication::processEvents(QEventLoop::AllEvents); }),
      detection_(hid, link_, *this, *owner),
      engine_(*eventQueue_, *macroQueue_, *actionQueue_, injector) {}

Hid_Thread::~Hid_Thread() {
    stopWorker();
    eventQueue_->deleteLater();
    macroQueue_->deleteLater();
    actionQueue_->deleteLater();
}

void Hid_Thread::startWorker(uint32_t deviceIndex) {
    if (workerRunning_.exchange(true)) {
        return;
    }
    worker_ = std::thread([this, deviceIndex] {
        z718::platform::nameThisThread("z718-engine");
        keyActionLoop(deviceIndex);
    });
}

void Hid_Thread::stopWorker() {
    if (workerRunning_.exchange(false)) {
        eventQueue_->wake();
        worker_.join();
    }
}

void Hid_Thread::keyActionLoop(uint did) {
    engine_.run(workerRunning_);
    qDebug("Device removed");
    owner_->setViewEnabled(false);
    link_.clearInterface2Path(did);
}

uchar Hid_Thread::hidCS(uchar* cmd) {
    return z718::frameChecksum(cmd);
}

void Hid_Thread::USBDataEncryption(uchar FIFOBuf[], uchar SecrecyCode[]) {
    z718::scrambleBlock(FIFOBuf, SecrecyCode);
}

void Hid_Thread::USBDataDecipher(uchar FIFOBuf[], uchar SecrecyCode[]) {
    z718::unscrambleBlock(FIFOBuf, SecrecyCode);
}

void Hid_Thread::swichCurDevice(uint did) {
    detection_.selectDevice(did);
}

void Hid_Thread::chkDeviceIsEnCode() {
    detection_.connectCurrent();
}
