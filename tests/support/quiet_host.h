#pragma once

#include <QString>

#include "link/detection.h"

namespace z718::test {

// A connection host that shows nothing: connection side effects are not what its users look at.
class QuietHost : public ConnectionHost {
public:
    void startScene() override {}
    void setViewEnabled(bool) override {}
    void showTrayMessage(const QString&, const QString&) override {}
    QString appConfigString(const QString&, const QString& fallback) override { return fallback; }
    void hideWindow() override {}
};

}  // namespace z718::test
