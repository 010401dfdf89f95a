#include "app/system_input.h"

#include "app/widget.h"

#ifdef Z718_HAVE_EVDEV
#include <QDebug>
#include <QPointer>

#include "link/catalogue.h"
#include "platform/device_watcher.h"
#include "platform/input_backend.h"
#include "platform/linux/linux_input.h"
#endif

namespace z718 {

#ifdef Z718_HAVE_EVDEV
namespace {

constexpr int kMouseType = 1;

QString offMessage(const std::string& reason) {
    return QStringLiteral(
               "System-wide button remapping is off: %1. The buttons are remapped "
               "inside this window only; the README (/usr/share/doc/kestran-solux-z718/) "
               "says how to install the udev rule.")
        .arg(QString::fromStdString(reason));
}

}  // namespace

void startSystemWideInput(Widget& widget, platform::InputBackend& backend) {
    for (const CatalogueEntry& entry : loadCatalogue(kCataloguePath, {})) {
        if (entry.type != kMouseType) {
            continue;
        }
        platform::LinuxInput& input = backend.evdev();
        const QPointer<Widget> tray(&widget);
        input.enableSystemWide(entry.vid, entry.pid, [tray](const std::string& reason) {
            const QString text = offMessage(reason);
            qWarning().noquote() << text;
            if (tray) {
                QMetaObject::invokeMethod(
                    tray, [tray, text] { tray->showTrayMessage(QStringLiteral("Info"), text); });
            }
        });
        // Plug and unplug: the nodes come and go with the mouse.
        QObject::connect(&DeviceWatcher::instance(), &DeviceWatcher::deviceChanged, &widget,
                         [&input] { input.rescan(); });
        return;
    }
}
#else
void startSystemWideInput(Widget&, platform::InputBackend&) {}
#endif

}  // namespace z718
