#include "ui/Ui_Controler.h"

#include <QGuiApplication>
#include <QSystemTrayIcon>
#include <QWidget>
#include <QWindow>

#include "ui/font_cache.h"
#include "ui/myQQuickView.h"
#include "ui/services.h"

Ui_Controler::Ui_Controler(QObject* parent) : QObject(parent) {}

void Ui_Controler::setupWindow(QWidget* window, QObject* hid, const z718::Services& services) {
    if (window->objectName().isEmpty()) {
        window->setObjectName(QStringLiteral("Widget"));
    }
    window_ = window;
    window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::CustomizeWindowHint);
    window->setWindowOpacity(1.0);
    window->setAttribute(Qt::WA_TranslucentBackground);
    window->setStyleSheet(QStringLiteral("background:transparent;"));

    // Before the view's window exists: a window lays every text out anew at its first frame
    // after a font was added, and the scene's texts would all be laid out twice at start.
    z718::loadWindowFont();
    view_ = new myQQuickView(services.prompts, services.pointer, window);
    view_->setObjectName(QStringLiteral("ui_View"));
    view_->setResizeMode(QQuickWidget::SizeViewToRootObject);
    view_->setClearColor(Qt::transparent);
    view_->loadScene(services.scene, hid, this);

    // The scene has the keys from the start: a first Tab moves in it, not onto the view.
    view_->setFocus();
    window->resize(view_->size());
    window->setWindowTitle(
        view_->settings().appConfig().value(QStringLiteral("common/name")).toString());
}

void Ui_Controler::onMinimize() {
    if (window_) {
        window_->showMinimized();
    }
}

void Ui_Controler::onClose() {
    if (!window_) {
        return;
    }
#ifndef Q_OS_WIN
    // With no tray to come back from (plain GNOME, a bare window manager), a hidden window
    // would leave an invisible program behind: closing minimises it instead.
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        window_->showMinimized();
        return;
    }
#endif
    window_->setVisible(false);
}

namespace {

bool onWayland() {
    return QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
}

}  // namespace

// Wayland lets no program place its own window: the compositor moves it instead, following
// the pointer from the press that started the drag until its release. The scene's first step
// of a drag hands the move over; the compositor then keeps the pointer, so no further steps
// arrive until the next press.
bool Ui_Controler::compositorMoves() {
    if (!onWayland()) {
        return false;
    }
    if (QWindow* handle = window_->windowHandle()) {
        handle->startSystemMove();
    }
    return true;
}

void Ui_Controler::onXChanged(int x) {
    if (window_ && !compositorMoves()) {
        window_->move(window_->x() + x, window_->y());
    }
}

void Ui_Controler::onYChanged(int y) {
    // Under Wayland the step's horizontal half has already handed the drag over.
    if (window_ && !onWayland()) {
        window_->move(window_->x(), window_->y() + y);
    }
}

void Ui_Controler::setBusy(int busyTime) {
    if (view_) {
        view_->callScene("setProtectUI", Qt::DirectConnection, {QVariant(busyTime)});
    }
}

void Ui_Controler::setBusy() {
    setBusy(0);
}
