#include "ui/myQQuickView.h"

#include <QFocusEvent>
#include <QGenericArgument>
#include <QHideEvent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QShowEvent>
#include <QTimer>
#include <utility>

#include "i18n/key_names.h"
#include "ui/Hid_Thread.h"
#include "ui/hidden_scene.h"

myQQuickView::myQQuickView(z718::Prompts& prompts, z718::platform::PointerSettings& pointer,
                           QWidget* parent)
    : QQuickWidget(parent),
      prompts_(prompts),
      pointer_(pointer),
      profiles_(settings_, prompts, rules_) {
    z718::buildKeyNameTable();
    macros_ = new z718::MacroListModel(settings_, this);
    connect(macros_, &z718::MacroListModel::removed, this, &myQQuickView::forgetMacro);
    connect(macros_, &z718::MacroListModel::macroChanged, this, &myQQuickView::reloadMacro);
}

myQQuickView::~myQQuickView() {
    // The scene and its engine go before the objects they show.
    if (!sceneReleased_) {
        setSource(QUrl());
        delete engine();
    }
}

void myQQuickView::loadScene(const QUrl& scene, QObject* hid, QObject* controller) {
    scene_ = scene;
    sceneHid_ = hid;
    sceneController_ = controller;
    // The scene's page folders import the scene module, which lives at qrc:/modules/qml.
    engine()->addImportPath(QStringLiteral("qrc:/"));
    setSource(scene);
    // Registered only after loading, so scene code that runs while loading sees them undefined.
    QQmlContext* context = rootContext();
    context->setContextProperty(QStringLiteral("ui_View"), this);
    context->setContextProperty(QStringLiteral("hid"), hid);
    context->setContextProperty(QStringLiteral("ui_Ctl"), controller);
}

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
    sceneStarted_ = true;
    if (sceneReleased_) {
        QMetaObject::invokeMethod(this, &myQQuickView::startWithoutScene, Qt::QueuedConnection);
        return;
    }
    callScene("initUI", Qt::QueuedConnection);
}

void myQQuickView::startWithoutScene() {
    const int profile = getProfile().toInt();
    ui_02H_SetCurrentProfile(profile);
    activateProfile(profile, false);
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
    if (std::exchange(sceneReleased_, false)) {
        if (std::exchange(frameReleased_, false)) {
            z718::restoreFrame(this);
        }
        loadScene(scene_, sceneHid_, sceneController_);
        if (sceneStarted_) {
            callScene("restoreUI", Qt::DirectConnection);
        }
    }
    QQuickWidget::showEvent(event);
}

void myQQuickView::hideEvent(QHideEvent* event) {
    QQuickWidget::hideEvent(event);
    // Hiding may come from inside a scene handler (the close button): release after it ended.
    QTimer::singleShot(0, this, [this] {
        if (!isVisible()) {
            releaseScene();
        }
    });
}

void myQQuickView::releaseScene() {
    if (sceneReleased_) {
        return;
    }
    QObject* root = rootObject();
    // An open dialog may hold the user's unfinished work: the scene stays until it closes.
    if (root && root->property("dialogOpen").toBool()) {
        return;
    }
    // The start-up's busy time would have ended with its timer, which goes with the scene.
    if (root && root->property("isProtected").toBool()) {
        setEnabled(true);
    }
    frameReleased_ = z718::releaseScene(this);
    sceneReleased_ = true;
}
