#include "link/detection.h"

#include <QDebug>

#include "link/scanner.h"

namespace z718 {

bool& connectedFlag() {
    static bool connected = false;
    return connected;
}

Detection::Detection(HidApi& hid, Link& link, WorkerControl& worker, ConnectionHost& host)
    : hid_(hid), link_(link), worker_(worker), host_(host) {}

void Detection::scan(const QList<CatalogueEntry>& entries) {
    ScanResult result = scanDevices(hid_, entries, link_.currentIndex());
    link_.setDevices(std::move(result.devices));
    link_.setCurrentIndex(result.currentIndex);
    if (!link_.device(link_.currentIndex()).interface1Path.isEmpty()) {
        qDebug("Device Connect");
        if (!worker_.workerRunning()) {
            connectionSteps(QStringLiteral("Detect XT417KC Mouse"));
        }
        return;
    }
    qDebug("Device Error");
    worker_.stopWorker();
    connectedFlag() = false;
    host_.hideWindow();
}

void Detection::selectDevice(uint32_t did) {
    if (did != link_.currentIndex()) {
        link_.setCurrentIndex(did);
    }
    connectCurrent();
}

void Detection::connectCurrent() {
    const QString key = QStringLiteral("common/sCode") + QString::number(link_.currentIndex());
    const QString code = host_.appConfigString(key, QStringLiteral("735291"));
    if (code.size() == 6) {
        const QByteArray bytes = code.toLatin1();
        for (int i = 0; i < 6; ++i) {
            linkSecrets().secrecyCode[static_cast<size_t>(i) + 1] = static_cast<uchar>(bytes[i]);
        }
    }
    qDebug("Device Connect");
    connectionSteps(QStringLiteral("Detect RD615 Mouse"));
}

void Detection::connectionSteps(const QString& trayText) {
    host_.startScene();
    host_.setViewEnabled(true);
    link_.setIdle();
    connectedFlag() = true;
    host_.showTrayMessage(QStringLiteral("Info"), trayText);
    if (!worker_.workerRunning()) {
        worker_.startWorker(link_.currentIndex());
    }
}

}  // namespace z718
