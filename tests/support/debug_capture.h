#pragma once

#include <QStringList>
#include <QtGlobal>

namespace z718::test {

// Collects the program's debug lines while it lives.
class DebugCapture {
public:
    DebugCapture() { lines().clear(); }
    ~DebugCapture() { qInstallMessageHandler(previous_); }

    QStringList captured() const { return lines(); }
    int count(const QString& line) const { return static_cast<int>(lines().count(line)); }
    void clear() { lines().clear(); }

private:
    static QStringList& lines() {
        static QStringList all;
        return all;
    }
    static void handler(QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtDebugMsg) {
            lines().append(message);
        }
    }
    const QtMessageHandler previous_ = qInstallMessageHandler(&DebugCapture::handler);
};

}  // namespace z718::test
