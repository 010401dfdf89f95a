#include "app/startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace z718 {

namespace {

QString lockPath() {
    return QStandardPaths::writableLocation(QStandardPaths::TempLocation) +
           QStringLiteral("/kestran-solux-z718.lock");
}

}  // namespace

SingleInstance::SingleInstance() : lock_(lockPath()), locked_(lock_.tryLock(0)) {}

std::unique_ptr<sim::VirtualMouse> installVirtualMouseIfAsked(const QStringList& arguments) {
    const bool asked = arguments.contains(QStringLiteral("--virtual-mouse")) ||
                       qEnvironmentVariable("Z718_VIRTUAL_MOUSE") == QStringLiteral("1");
    if (!asked) {
        return nullptr;
    }
    auto mouse = std::make_unique<sim::VirtualMouse>();
    setHidBackend(mouse.get());
    return mouse;
}

}  // namespace z718
