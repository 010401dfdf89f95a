#include "app/startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QQuickWindow>
#include <QStandardPaths>
#include <filesystem>
#include <system_error>

#include "settings/settings_file.h"

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

// The lock is a regular file of its own. Anything else there would keep every start out (a
// folder, a link) or hang it (a FIFO the lock's stale check reads), so it is moved aside, the
// way the settings files' own locks are.
QString usableLockPath() {
    const QString path = lockPath();
    const QFileInfo info(path);
    if (info.isSymLink() || (info.exists() && !info.isFile())) {
        std::error_code error;
        std::filesystem::rename(nativePath(path), nativePath(path + QStringLiteral(".bad")), error);
        if (error) {
            qWarning("The single-instance lock %s is not a file and cannot be replaced",
                     qPrintable(path));
        }
    }
    return path;
}

}  // namespace

SingleInstance::SingleInstance() : lock_(usableLockPath()), locked_(lock_.tryLock(0)) {}

void chooseSceneGraph() {
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND")) {
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    }
}

std::unique_ptr<sim::VirtualMouse> virtualMouseIfAsked(bool asked) {
    return asked ? std::make_unique<sim::VirtualMouse>() : nullptr;
}

}  // namespace z718
