// A StatusNotifierItem tray host for the tests, as KDE Plasma or GNOME's AppIndicator extension
// provide one: it owns org.kde.StatusNotifierWatcher on the session bus, accepts items, and
// keeps the desktop notifications (tray messages) sent to it. Its own interface "test.Host"
// lets a test read both. Writes "ready" once it owns its names.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QStringList>
#include <QVariantMap>
#include <cstdio>

class Watcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems MEMBER items_)
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
public:
    QStringList items_;
    bool hostRegistered() const { return true; }
    int protocolVersion() const { return 0; }

public slots:
    // The item names itself by its bus name (Qt does) or by an object path on the caller.
    void RegisterStatusNotifierItem(const QString& service, const QDBusMessage& message) {
        items_ << (service.startsWith('/') ? message.service() + service : service);
        emit StatusNotifierItemRegistered(items_.constLast());
    }
    void RegisterStatusNotifierHost(const QString&) {}

signals:
    void StatusNotifierItemRegistered(const QString& service);
    void StatusNotifierItemUnregistered(const QString& service);
    void StatusNotifierHostRegistered();
};

class Notifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList shown_;

public slots:
    uint Notify(const QString&, uint, const QString&, const QString& summary, const QString& body,
                const QStringList&, const QVariantMap&, int) {
        shown_ << summary + '|' + body;
        return static_cast<uint>(shown_.size());
    }
    QStringList GetCapabilities() { return {"body"}; }
    void CloseNotification(uint) {}
    QString GetServerInformation(QString& vendor, QString& version, QString& specVersion) {
        vendor = "test";
        version = "1";
        specVersion = "1.2";
        return "sni_host";
    }
};

class Host : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "test.Host")
public:
    Host(Watcher& watcher, Notifications& notifications)
        : watcher_(watcher), notifications_(notifications) {}

public slots:
    QStringList Items() { return watcher_.items_; }
    QStringList Messages() { return notifications_.shown_; }

private:
    Watcher& watcher_;
    Notifications& notifications_;
};

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    Watcher watcher;
    Notifications notifications;
    Host host(watcher, notifications);
    const auto all = QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals |
                     QDBusConnection::ExportAllProperties;
    bool ok = bus.registerObject("/StatusNotifierWatcher", &watcher, all) &&
              bus.registerObject("/org/freedesktop/Notifications", &notifications, all) &&
              bus.registerObject("/Host", &host, all) &&
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
