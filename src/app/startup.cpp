#include "app/startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QQuickWindow>
#include <QStandardPaths>

namespace z718 {

namespace {

// One copy per user session, not per machine: a lock in a folder every user shares would let
// one user's copy, running or crashed, keep all others out. Windows' temporary folder is the
// user's own; elsewhere the session's runtime folder is.
QString lockPath() {
#ifdef Q_OS_WIN
    const auto location = QStandardPaths::TempLocation;
#else
    const auto location = QStandardPaths::RuntimeLocation;
#endif
    return QStandardPaths::writableLocation(location) + QStringLiteral("/kestran-solux-z718.lock");
}

}  // namespace

SingleInstance::SingleInstance() : lock_(lockPath()), locked_(lock_.tryLock(0)) {}

void chooseSceneGraph() {
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND")) {
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    }
}

std::unique_ptr<sim::VirtualMouse> installVirtualMouseIfAsked(bool asked) {
    if (!asked) {
        return nullptr;
    }
    auto mouse = std::make_unique<sim::VirtualMouse>();
    setHidBackend(mouse.get());
    return mouse;
}

}  // namespace z718
