#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QtTest>

#include "app/widget.h"
#include "sim/virtual_mouse.h"
#include "support/probe_scene.h"
#include "ui/myQQuickView.h"

using namespace z718;

// The tray icon as a StatusNotifierItem, the D-Bus tray of KDE Plasma and of GNOME's
// AppIndicator extension, which know no double-click. run-with-sni-host starts a private
// session bus with a watcher and notification server (sni_host); the test speaks to the icon
// over the bus as such a tray does.
class SniTrayTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(tray_.isConnected());
        test::useProbeScene();
        setHidBackend(&mouse_);
        mouse_.unplug();
        widget_ = std::make_unique<Widget>();
        widget_->showNormal();
        QVERIFY(QSystemTrayIcon::isSystemTrayAvailable());
        QTRY_COMPARE_WITH_TIMEOUT(items().size(), 1, 20000);
        item_ = items().constFirst();
    }

    void clickWhileNotConnectedSaysSo() {
        widget_->checkDevice();
        activateIcon();
        QTRY_COMPARE_WITH_TIMEOUT(
            hostList("/org/freedesktop/Notifications", "org.freedesktop.Notifications", "Shown"),
            QStringList{"KESTRAN SOLUX MOUSE Z718|The mouse is not connected."}, 20000);
    }

    // Also after a start in the tray, which holds no scene until the window shows.
    void clickShowsTheHiddenWindow() {
        mouse_.plug();
        widget_->checkDevice();
        widget_->hide();
        activateIcon();
        QTRY_VERIFY(widget_->isVisible());
        Widget hiddenStart;
        hiddenStart.showAtStart(true);
        QVERIFY(!hiddenStart.isVisible() && !hiddenStart.view()->rootObject());
        QVERIFY(hiddenStart.showIfConnected());
        QTRY_VERIFY(hiddenStart.isVisible() && hiddenStart.view()->rootObject());
    }

    void menuShowEntryAboveQuit() {
        const QString menuPath = "/MenuBar";
        const QDBusMessage reply =
            call(item_, menuPath, "com.canonical.dbusmenu", "GetLayout", {0, -1, QStringList{}});
        QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
        QList<MenuEntry> entries;
        readLayout(reply.arguments().value(1).value<QDBusArgument>(), entries);
        QStringList labels;
        for (const MenuEntry& entry : entries) {
            labels << entry.label;
        }
        QCOMPARE(labels, (QStringList{"", "Show", "Quit (_Q)"}));  // the root first
        widget_->hide();
        call(item_, menuPath, "com.canonical.dbusmenu", "Event",
             {entries.at(1).id, "clicked", QVariant::fromValue(QDBusVariant(0)), 0u});
        QTRY_VERIFY(widget_->isVisible());
        widget_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        setHidBackend(nullptr);
    }

private:
    struct MenuEntry {
        int id;
        QString label;
    };
    static void readLayout(const QDBusArgument& layout, QList<MenuEntry>& entries) {
        int id = 0;
        QVariantMap properties;
        layout.beginStructure();
        layout >> id >> properties;
        entries << MenuEntry{id, properties.value("label").toString()};
        layout.beginArray();
        while (!layout.atEnd()) {
            QDBusVariant child;
            layout >> child;
            readLayout(child.variant().value<QDBusArgument>(), entries);
        }
        layout.endArray();
        layout.endStructure();
    }
    // Asks without blocking: the icon answers from this thread's event loop.
    QDBusMessage call(const QString& service, const QString& path, const QString& interface,
                      const QString& method, const QVariantList& arguments = {}) {
        QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
        message.setArguments(arguments);
        QDBusPendingCall pending = tray_.asyncCall(message);
        [&pending] { QTRY_VERIFY_WITH_TIMEOUT(pending.isFinished(), 20000); }();
        return pending.reply();
    }
    // A list sni_host keeps: the watcher's items, the notifications shown. It answers from
    // its own process, so a blocking call is fine.
    QStringList hostList(const char* path, const char* interface, const char* property) {
        QDBusInterface host("org.kde.StatusNotifierWatcher", path, interface, tray_);
        return host.property(property).toStringList();
    }
    QStringList items() {
        return hostList("/StatusNotifierWatcher", "org.kde.StatusNotifierWatcher",
                        "RegisteredStatusNotifierItems");
    }
    void activateIcon() {
        call(item_, "/StatusNotifierItem", "org.kde.StatusNotifierItem", "Activate", {0, 0});
    }

    QDBusConnection tray_ = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "tray");
    QString item_;
    sim::VirtualMouse mouse_;
    std::unique_ptr<Widget> widget_;
};

QTEST_MAIN(SniTrayTest)
#include "tst_tray_sni.moc"
