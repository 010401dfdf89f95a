#pragma once

#include <QString>
#include <cstdint>

#include "link/catalogue.h"
#include "link/transport.h"

namespace z718 {

// What connecting and disconnecting does outside the link: the scene, the window, the tray.
class ConnectionHost {
public:
    virtual ~ConnectionHost() = default;
    // Queues the scene's initUI and, behind it, the event that runs the scene's run.
    virtual void startScene() = 0;
    // May be called from the worker thread; the host carries it out on the GUI thread.
    virtual void setViewEnabled(bool enabled) = 0;
    virtual void showTrayMessage(const QString& title, const QString& text) = 0;
    virtual QString appConfigString(const QString& key, const QString& fallback) = 0;
    virtual void hideWindow() = 0;
};

// Starts and stops the button-action worker.
class WorkerControl {
public:
    virtual ~WorkerControl() = default;
    virtual void startWorker(uint32_t deviceIndex) = 0;
    virtual void stopWorker() = 0;
    virtual bool workerRunning() const = 0;
};

// True between a connection and the next scan that finds no device.
bool& connectedFlag();

// Decides from a scan whether the mouse is there and connects or disconnects.
class Detection {
public:
    Detection(HidApi& hid, Link& link, WorkerControl& worker, ConnectionHost& host);

    void scan(const QList<CatalogueEntry>& entries);
    // Makes `did` the current device, then connects it.
    void selectDevice(uint32_t did);
    // Takes the current device's secrecy code from the configuration and runs the connection
    // steps.
    void connectCurrent();

private:
    void connectionSteps(const QString& trayText);

    HidApi& hid_;
    Link& link_;
    WorkerControl& worker_;
    ConnectionHost& host_;
};

}  // namespace z718
