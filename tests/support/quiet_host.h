#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include "link/detection.h"

namespace z718::test {

// A connection host that shows nothing; it lists, in order, what connecting asked of the
// window, scene and tray, and answers configuration reads from `config`.
class QuietHost : public ConnectionHost {
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

    QStringList calls;
    QMap<QString, QString> config;
};

}  // namespace z718::test
