#include "ui/myQQuickView.h"

#include <QFocusEvent>
#include <QGenericArgument>
#include <QQuickItem>

#include "i18n/key_names.h"
#include "link/Hid_Thread.h"

myQQuickView::myQQuickView(QWidget* parent) : QQuickWidget(parent) {
    z718::buildKeyNameTable();
}

myQQuickView::~myQQuickView() = default;

bool myQQuickView::callScene(const char* function, Qt::ConnectionType type,
                             const QList<QVariant>& arguments) {
    QObject* root = rootObject();
    if (!root) {
        return false;
    }
    // QML functions take QVariant parameters; at most four are ever passed.
    QGenericArgument args[4];
    for (int i = 0; i < arguments.size() && i < 4; ++i) {
        args[i] = Q_ARG(QVariant, arguments[i]);
    }
    return QMetaObject::invokeMethod(root, function, type, args[0], args[1], args[2], args[3]);
}

void myQQuickView::initUI() {
    callScene("initUI", Qt::QueuedConnection);
}

void myQQuickView::runUI() {
    callScene("run", Qt::QueuedConnection);
}

void myQQuickView::reportKey(bool released, int usage) {
    callScene("detectKeyboard", Qt::QueuedConnection, {QVariant(released), QVariant(usage)});
}

void myQQuickView::reportMouse(bool pressed, uint code, uint x, uint y) {
    callScene("detectMouse", Qt::QueuedConnection,
              {QVariant(pressed), QVariant(code), QVariant(x), QVariant(y)});
}

void myQQuickView::setEnableAudio(bool isEnable) {
    audioEnabled_ = isEnable;
}

void myQQuickView::clearHidBusy() {
    if (hid_) {
        hid_->link().setIdle();
    }
}

void myQQuickView::focusInEvent(QFocusEvent* event) {
    // The widget hands its focus on to the scene's window; without this no scene item ever
    // gets active focus, and text fields take no keys.
    QQuickWidget::focusInEvent(event);
    repaint();
    event->accept();
}
