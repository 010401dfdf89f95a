#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include "link/detection.h"

namespace z718::test {

// A connection host that shows nothing, also standing in for the worker; it lists, in order,
// what connecting asked of the window, scene, tray and worker, and answers configuration reads
// from `config`.
class QuietHost : public ConnectionHost, public WorkerControl {
public:
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

    QStringList calls;
    QMap<QString, QString> config;
    bool running = false;
};

}  // namespace z718::test
