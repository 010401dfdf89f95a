#include "ui/myQQuickView.h"

#include <QFocusEvent>
#include <QGenericArgument>
#include <QHideEvent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QShowEvent>
#include <QTimer>
#include <utility>

#include "i18n/key_names.h"
#include "ui/Hid_Thread.h"
#include "ui/hidden_scene.h"
#include "ui/prompts.h"

myQQuickView::myQQuickView(QWidget* parent)
    : QQuickWidget(parent), profiles_(settings_, z718::prompts(), rules_) {
    z718::buildKeyNameTable();
    // The scene's page folders import the scene module, which lives at qrc:/modules/qml.
    engine()->addImportPath(QStringLiteral("qrc:/"));
    // Made after the engine, so that it goes after the engine and the scene that hold it.
    macros_ = new z718::MacroListModel(settings_, this);
    connect(macros_, &z718::MacroListModel::removed, this, &myQQuickView::forgetMacro);
    connect(macros_, &z718::MacroListModel::macroChanged, this, &myQQuickView::reloadMacro);
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

// The hooks report from their own thread (and, off Windows, from the worker that injects):
// the view and the scene are only looked at on the view's thread, after the hook returned.
// Queued by name: the view's meta-object is static, so this is safe from any thread.
void myQQuickView::reportKey(bool released, int usage) {
    QMetaObject::invokeMethod(this, "deliverKeyReport", Qt::QueuedConnection, Q_ARG(bool, released),
                              Q_ARG(int, usage));
}

void myQQuickView::reportMouse(bool pressed, uint code, uint x, uint y) {
    QMetaObject::invokeMethod(this, "deliverMouseReport", Qt::QueuedConnection,
                              Q_ARG(bool, pressed), Q_ARG(uint, code), Q_ARG(uint, x),
                              Q_ARG(uint, y));
}

void myQQuickView::deliverKeyReport(bool released, int usage) {
    callScene("detectKeyboard", Qt::DirectConnection, {QVariant(released), QVariant(usage)});
}

void myQQuickView::deliverMouseReport(bool pressed, uint code, uint x, uint y) {
    callScene("detectMouse", Qt::DirectConnection,
              {QVariant(pressed), QVariant(code), QVariant(x), QVariant(y)});
}

void myQQuickView::setEnableAudio(bool isEnable) {
    audioEnabled_ = isEnable;
}

void myQQuickView::clearHidBusy() {
    if (hid_) {
        hid_->freeLink();
    }
}

void myQQuickView::focusInEvent(QFocusEvent* event) {
    // The widget hands its focus on to the scene's window; without this no scene item ever
    // gets active focus, and text fields take no keys.
    QQuickWidget::focusInEvent(event);
    repaint();
    event->accept();
}

void myQQuickView::showEvent(QShowEvent* event) {
    if (std::exchange(frameReleased_, false)) {
        z718::restoreFrame(this);
    }
    QQuickWidget::showEvent(event);
}

void myQQuickView::hideEvent(QHideEvent* event) {
    QQuickWidget::hideEvent(event);
    // Hiding may come from inside a scene handler (the close button): release after it ended.
    QTimer::singleShot(0, this, [this] {
        if (!isVisible()) {
            frameReleased_ = z718::releaseWhileHidden(this);
        }
    });
}
