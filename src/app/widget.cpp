#include "app/widget.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QMenu>
#include <QThread>

#include "app/tray_profiles.h"
#include "device/focus_switch.h"
#include "i18n/desktop_texts.h"
#include "link/catalogue.h"
#include "link/user_event.h"
#include "platform/device_watcher.h"
#include "platform/timing.h"
#include "ui/Ui_Controler.h"
#include "ui/myQQuickView.h"

namespace {

const char* const kTrayMenuStyle =
    "QMenu { border: 1px solid rgb(100, 100, 100); background: rgb(68, 69, 73); } "
    "QMenu::item { height: 22px; padding: 0px 25px 0px 20px; } "
    "QMenu::item:enabled { color: rgb(225, 225, 225); } "
    "QMenu::item:!enabled { color: rgb(155, 155, 155); } "
    "QMenu::item:enabled:selected { color: rgb(230, 230, 230); background: rgba(255, 255, 255, "
    "40); } QMenu::separator { height: 1px; background: rgb(100, 100, 100); }";

// Trays draw their icons at 16 to 64 pixels; the file's 256-pixel image, decoded, would stay
// with the program all day for nothing, so it is skipped undecoded (a PNG of 256 x 256 pixels,
// which start-up would otherwise wait for).
QIcon trayIconImages(const QString& path) {
    QIcon icon;
    QImageReader reader(path);
    do {
        if (reader.size().width() > 64) {
            continue;
        }
        const QImage image = reader.read();
        if (!image.isNull() && image.width() <= 64) {
            icon.addPixmap(QPixmap::fromImage(image));
        }
    } while (reader.jumpToNextImage());
    return icon;
}

}  // namespace

Widget::Widget(const z718::Services& services, QWidget* parent)
    : QWidget(parent), hid_(this, services.hid, services.injector) {
    controller_ = new Ui_Controler;
    controller_->setupWindow(this, &hid_, services);
    controller_->view()->setHid(&hid_);

    pollTimer_.setInterval(z718::durations().pollMs);
    pollTimer_.setSingleShot(true);
    connect(&pollTimer_, &QTimer::timeout, this, &Widget::checkDevice);
    // Where no WM_DEVICECHANGE exists, the system's device events restart the poll instead.
    z718::DeviceWatcher::instance().startSystemWatch();
    connect(&z718::DeviceWatcher::instance(), &z718::DeviceWatcher::deviceChanged, this,
            [this] { pollTimer_.start(); });

    setUpTrayIcon();
    followProgramInFront();
}

void Widget::followProgramInFront() {
    auto* follow = new z718::FocusSwitch(
        z718::platform::focusSource(), view()->rules(), view()->settings(),
        [view = view()](int profile) { view->activateProfile(profile, true); }, this);
    connect(view(), &myQQuickView::profileActivated, follow, &z718::FocusSwitch::profileApplied);
    connect(follow, &z718::FocusSwitch::switchedByRule, this, &Widget::announceRuleSwitch);
}

// Once per switch, and only while the window is out of sight: the page shows it otherwise.
void Widget::announceRuleSwitch(int profile, const QString& program) {
    if ((isVisible() && !isMinimized()) || !QSystemTrayIcon::isSystemTrayAvailable()) {
        return;
    }
    QString name = view()->profileList().nameOf(profile);
    if (name.isEmpty()) {
        name = QString::number(profile + 1);
    }
    trayIcon_->showMessage(
        QStringLiteral("KESTRAN SOLUX MOUSE Z718"),
        z718::desktopText(z718::DesktopText::RuleSwitched, chinese()).arg(name, program),
        QSystemTrayIcon::Information, 5000);
}

Widget::~Widget() {
    hid_.stopWorker();
    controller_->deleteLater();
}

void Widget::showAtStart(bool hidden) {
    if (!hidden) {
        showNormal();
    } else if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        showMinimized();
    } else {
        view()->releaseScene();
    }
}

myQQuickView* Widget::view() const {
    return controller_->view();
}

void Widget::setUpTrayIcon() {
    trayIcon_ = new QSystemTrayIcon(this);
    auto* menu = new QMenu(this);
#ifndef Q_OS_WIN
    // StatusNotifierItem trays (KDE, GNOME's AppIndicator) know no double-click, so the menu
    // leads back to the window as well.
    auto* show = new QAction(z718::desktopText(z718::DesktopText::Show, chinese()), this);
    connect(show, &QAction::triggered, this, &Widget::showIfConnected);
    menu->addAction(show);
#endif
    auto* quit = new QAction(tr("Quit (&Q)"), this);
    connect(quit, &QAction::triggered, this, &Widget::exitSYS);
    menu->addAction(quit);
    new TrayProfiles(menu, quit, view());
    menu->setStyleSheet(QString::fromLatin1(kTrayMenuStyle));
    trayIcon_->setContextMenu(menu);
#ifdef Q_OS_WIN
    trayIcon_->setToolTip(QStringLiteral("KESTRAN SOLUX MOUSE Z718"));
#else
    // Until the mouse connects the window cannot be shown; the tool tip says why.
    trayIcon_->setToolTip(z718::desktopText(z718::DesktopText::NotConnectedTip, chinese()));
#endif
    // Only a regular file: reading a FIFO or a device in its place would block start-up.
    const QString icon = QStringLiteral("./modules/img/trayIcon.ico");
    if (QFileInfo(icon).isFile()) {
        trayIcon_->setIcon(trayIconImages(icon));
    }
    connect(trayIcon_, &QSystemTrayIcon::activated, this, &Widget::trayIconActivated);
    // Without a system tray (plain GNOME, a bare X server) the icon is not shown, and the
    // program runs on; should a tray host start later, Qt docks the icon there.
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        qDebug(
            "No system tray: the tray icon and its menu are not shown, and closing the window "
            "minimises it");
    }
    trayIcon_->setVisible(true);
}

void Widget::trayIconActivated(QSystemTrayIcon::ActivationReason reason) {
#ifdef Q_OS_WIN
    if (reason == QSystemTrayIcon::DoubleClick && z718::connectedFlag()) {
        restoreWindow();
    }
#else
    // StatusNotifierItem trays report a click (Trigger) or a middle click, never a double-click;
    // XEmbed trays report all three. Any of them leads back to the window, and while the mouse
    // is away says why it cannot.
    if (reason != QSystemTrayIcon::Context) {
        showIfConnected();
    }
#endif
}

bool Widget::showIfConnected() {
    if (z718::connectedFlag()) {
        restoreWindow();
        return true;
    }
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        trayIcon_->showMessage(QStringLiteral("KESTRAN SOLUX MOUSE Z718"),
                               z718::desktopText(z718::DesktopText::NotConnected, chinese()),
                               QSystemTrayIcon::Information, 5000);
    }
    return false;
}

bool Widget::chinese() {
    return appConfigString(QStringLiteral("common/language"), {}) ==
           QStringLiteral("ChineseSimplified");
}

void Widget::checkDevice() {
    const QStringList names =
        view()->settings().appConfig().value(QStringLiteral("common/product_name")).toStringList();
    hid_.detection().scan(z718::loadCatalogue(z718::kCataloguePath, names));
}

void Widget::exitSYS() {
    hid_.stopWorker();
    QCoreApplication::exit(0);
}

void Widget::customEvent(QEvent* event) {
    // Type 1000 is QEvent::User, which is not ours alone.
    const auto* userEvent = dynamic_cast<const z718::UserEvent*>(event);
    if (userEvent && userEvent->code() == z718::UserEvent::kRunScene) {
        view()->runUI();
    }
}

void Widget::startScene() {
#ifndef Q_OS_WIN
    trayIcon_->setToolTip(QStringLiteral("KESTRAN SOLUX MOUSE Z718"));
#endif
    view()->initUI();
    QCoreApplication::postEvent(this, new z718::UserEvent(z718::UserEvent::kRunScene));
}

void Widget::setViewEnabled(bool enabled) {
    // The worker disables the view as it ends; widgets are only touched on the GUI thread.
    QMetaObject::invokeMethod(
        view(), [view = view(), enabled] { view->setEnabled(enabled); },
        thread() == QThread::currentThread() ? Qt::DirectConnection : Qt::QueuedConnection);
}

void Widget::showTrayMessage(const QString& title, const QString& text) {
    trayIcon_->showMessage(title, text, QSystemTrayIcon::Information, 10000);
}

QString Widget::appConfigString(const QString& key, const QString& fallback) {
    return view()->settings().appConfig().value(key, fallback).toString();
}

void Widget::hideWindow() {
#ifndef Q_OS_WIN
    trayIcon_->setToolTip(z718::desktopText(z718::DesktopText::NotConnectedTip, chinese()));
    // Without a tray a hidden window could not be found again: it goes to the taskbar instead.
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        showMinimized();
        return;
    }
#endif
    setVisible(false);
}

#ifndef Q_OS_WIN
// What SC_RESTORE does on Windows: show the window and bring it out of the minimised state.
void Widget::restoreWindow() {
    QMetaObject::invokeMethod(
        this,
        [this] {
            setVisible(true);
            setWindowState(windowState() & ~Qt::WindowMinimized);
            raise();
            activateWindow();
        },
        Qt::QueuedConnection);
}
#endif
