#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QtTest>

#include "app/widget.h"
#include "sim/virtual_mouse.h"
#include "support/fake_services.h"
#include "ui/myQQuickView.h"

using namespace z718;

// The tray icon as a StatusNotifierItem, the D-Bus tray of KDE Plasma and of GNOME's
// AppIndicator extension. run-with-sni-host starts a private session bus with a watcher and
// notification server (sni_host); the test speaks to the icon over the bus as such a tray
// does. The icon's menu and its clicks are the widget test's.
class SniTrayTest : public QObject {
    Q_OBJECT
private slots:
    // A click while the mouse is away says why the window does not show; a start in the tray
    // holds no scene until the window first shows.
    void clickWhileNotConnectedAndAStartInTheTray() {
        QVERIFY(tray_.isConnected());
        sim::VirtualMouse mouse;
        test::Fakes fakes;
        mouse.unplug();
        {
            Widget widget(fakes.services(mouse));
            widget.showNormal();
            QVERIFY(QSystemTrayIcon::isSystemTrayAvailable());
            const auto items = [this] {
                return hostList("/StatusNotifierWatcher", "org.kde.StatusNotifierWatcher",
                                "RegisteredStatusNotifierItems");
            };
            QTRY_COMPARE_WITH_TIMEOUT(items().size(), 1, 20000);
            widget.checkDevice();
            // Not waited for: the icon answers from this thread's event loop, which the wait
            // for the message runs.
            QDBusMessage click =
                QDBusMessage::createMethodCall(items().constFirst(), "/StatusNotifierItem",
                                               "org.kde.StatusNotifierItem", "Activate");
            click.setArguments({0, 0});
            tray_.asyncCall(click);
            QTRY_COMPARE_WITH_TIMEOUT(
                hostList("/org/freedesktop/Notifications", "org.freedesktop.Notifications",
                         "Shown"),
                QStringList{"KESTRAN SOLUX MOUSE Z718|The mouse is not connected."}, 20000);
            mouse.plug();
            widget.checkDevice();
            Widget hiddenStart(fakes.services(mouse));
            hiddenStart.showAtStart(true);
            QVERIFY(!hiddenStart.isVisible() && !hiddenStart.view()->rootObject());
            QVERIFY(hiddenStart.showIfConnected());
            QTRY_VERIFY(hiddenStart.isVisible() && hiddenStart.view()->rootObject());
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private:
    // A list sni_host keeps: the watcher's items, the notifications shown. It answers from
    // its own process, so a blocking call is fine.
    QStringList hostList(const char* path, const char* interface, const char* property) {
        QDBusInterface host("org.kde.StatusNotifierWatcher", path, interface, tray_);
        return host.property(property).toStringList();
    }

    QDBusConnection tray_ = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "tray");
};

QTEST_MAIN(SniTrayTest)
#include "tst_tray_sni.moc"
