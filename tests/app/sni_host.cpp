// A StatusNotifierItem tray host for the tests, as KDE Plasma or GNOME's AppIndicator extension
// provide one: it owns org.kde.StatusNotifierWatcher on the session bus, accepts items, and
// keeps the desktop notifications (tray messages) sent to it, which a test reads as the
// property "Shown". Writes "ready" once it owns its names.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>
#include <cstdio>

class Watcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems MEMBER items_)
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
public:
    QStringList items_;
    bool hostRegistered() const { return true; }

public slots:
    // The item names itself by its bus name (Qt does) or by an object path on the caller.
    void RegisterStatusNotifierItem(const QString& service, const QDBusMessage& message) {
        items_ << (service.startsWith('/') ? message.service() + service : service);
    }
};

class Notifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
    Q_PROPERTY(QStringList Shown MEMBER shown_)  // the test's own: what was shown
public:
    QStringList shown_;

public slots:
    uint Notify(const QString&, uint, const QString&, const QString& summary, const QString& body,
                const QStringList&, const QVariantMap&, int) {
        shown_ << summary + '|' + body;
        return static_cast<uint>(shown_.size());
    }
};

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    Watcher watcher;
    Notifications notifications;
    const auto all = QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties;
    bool ok = bus.registerObject("/StatusNotifierWatcher", &watcher, all) &&
              bus.registerObject("/org/freedesktop/Notifications", &notifications, all) &&
              bus.registerService("org.freedesktop.Notifications") &&
              bus.registerService("org.kde.StatusNotifierWatcher");
    if (!ok) {
        std::fprintf(stderr, "sni_host: %s\n", qPrintable(bus.lastError().message()));
        return 1;
    }
    std::puts("ready");
    std::fflush(stdout);
    return app.exec();
}

#include "sni_host.moc"
