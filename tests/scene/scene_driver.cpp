#include "scene_driver.h"

#include <QAccessible>
#include <QDir>
#include <QImage>
#include <QMouseEvent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSettings>
#include <QtTest>
#include <filesystem>
#include <map>
#include <utility>

#include "app/widget.h"
#include "hooks/global_hooks.h"
#include "scene_input.h"
#include "support/activation_record.h"
#include "ui/Ui_Controler.h"
#include "ui/myQQuickView.h"

namespace {

// How long a button event may take to come back from the engine's replay (a 10 ms tick, then
// the queued delivery), on a loaded machine and under Wine's hooks. A remapped button may
// never come back; the call then gives up.
constexpr int kReplayWaitMs = 5000;

// `item` and every item under it, depth first; none for no item.
QList<QQuickItem*> itemsFrom(QQuickItem* item) {
    QList<QQuickItem*> items;
    if (item) {
        items.append(item);
        for (QQuickItem* child : item->childItems()) {
            items += itemsFrom(child);
        }
    }
    return items;
}

bool shownToUser(const QQuickItem* item) {
    for (const QQuickItem* it = item; it; it = it->parentItem()) {
        if (!it->isVisible() || it->opacity() <= 0.0) {
            return false;
        }
    }
    return true;
}

bool isTextItem(const QQuickItem* item) {
    return item->inherits("QQuickText") || item->inherits("QQuickTextInput") ||
           item->inherits("QQuickTextEdit");
}

// Copies the folder `from` into `to`, over the files already there.
bool copyOver(const QString& from, const QString& to) {
    using std::filesystem::copy_options;
    std::error_code error;
    std::filesystem::copy(from.toStdU16String(), to.toStdU16String(),
                          copy_options::recursive | copy_options::overwrite_existing, error);
    return !error;
}

QString shippedModules() {
    return QCoreApplication::applicationDirPath() + "/modules";
}

}  // namespace

SceneDriver::SceneDriver() = default;

SceneDriver::~SceneDriver() {
    stopProgram();
    z718::platform::useFocusSource(nullptr);
}

bool SceneDriver::start() {
    if (!scratch_.isValid() || !copyOver(shippedModules(), scratch_.path() + "/modules")) {
        qWarning("Cannot prepare a scratch folder with a copy of %s", qPrintable(shippedModules()));
        return false;
    }
    QDir::setCurrent(scratch_.path());
    z718::platform::useFocusSource(&foreground_);
    startProgram();
    return true;
}

void SceneDriver::qmlEngineAvailable(QQmlEngine* engine) {
    engine_ = engine;
    // Lets a test file import the scene's module and load one page alone.
    engine->addImportPath(QStringLiteral("qrc:/"));
    registerProgram();
    QQmlContext* context = engine->rootContext();
    for (const char* name : {"scene", "virtualInput", "prompts"}) {
        context->setContextProperty(name, this);
    }
    context->setContextProperty("foreground", &foreground_);
}

void SceneDriver::startProgram() {
    widget_ = std::make_unique<Widget>(services_);
    hooks_ = std::make_unique<z718::GlobalHooks>(widget_->view(), widget_->hid(), input_.hooks());
    hooks_->install();
    scene_input::programHooks(true);
    windowFeed_ = z718::feedHooksFromWindow(input_.window());
    widget_->view()->installEventFilter(this);
    widget_->showNormal();
    widget_->checkDevice();
    if (engine_) {
        registerProgram();
    }
}

void SceneDriver::stopProgram() {
    windowFeed_.reset();
    scene_input::programHooks(false);
    if (hooks_) {
        hooks_->uninstall();
    }
    hooks_.reset();
    if (widget_) {
        widget_->hide();
    }
    widget_.reset();
    // The window controller goes with deleteLater.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void SceneDriver::registerProgram() {
    QQmlContext* context = engine_->rootContext();
    context->setContextProperty("ui_View", widget_->view());
    context->setContextProperty("hid", &widget_->hid());
    context->setContextProperty("ui_Ctl", widget_->controller());
}

bool SceneDriver::eventFilter(QObject* watched, QEvent* event) {
    if (static_cast<QWidget*>(watched)->isEnabled()) {
        const QEvent::Type type = event->type();
        presses_ += type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
        releases_ += type == QEvent::MouseButtonRelease;
        doubleClicks_ += type == QEvent::MouseButtonDblClick;
    }
    return false;
}

QWindow* SceneDriver::window() const {
    return widget_->windowHandle();
}

QQuickItem* SceneDriver::rootItem() const {
    return widget_->view()->rootObject();
}

// The scene's items stay the scene's: without this, the test engine would take a parentless
// item it is handed (the root) as its own and delete it when it collects garbage.
static QObject* handedToTests(QObject* item) {
    if (item) {
        QQmlEngine::setObjectOwnership(item, QQmlEngine::CppOwnership);
    }
    return item;
}

QObject* SceneDriver::find(const QString& objectName) const {
    for (QQuickItem* item : itemsFrom(rootItem())) {
        if (item->objectName() == objectName) {
            return handedToTests(item);
        }
    }
    return nullptr;
}

bool SceneDriver::sendButton(bool press, Qt::MouseButton button, QPoint pos) {
    const int& count = press ? presses_ : releases_;
    const int before = count;
    scene_input::button(window(), button, press, pos);
    return QTest::qWaitFor([&] { return count > before; }, kReplayWaitMs);
}

bool SceneDriver::press(int x, int y) {
    return sendButton(true, Qt::LeftButton, {x, y});
}

bool SceneDriver::release(int x, int y) {
    return sendButton(false, Qt::LeftButton, {x, y});
}

bool SceneDriver::click(int x, int y, int button) {
    const auto which = static_cast<Qt::MouseButton>(button);
    const bool pressed = sendButton(true, which, {x, y});
    return sendButton(false, which, {x, y}) && pressed;
}

bool SceneDriver::doubleClick(int x, int y) {
    const int releases = releases_;
    const int doubles = doubleClicks_;
    scene_input::doubleClick(window(), QPoint(x, y));
    return QTest::qWaitFor([&] { return releases_ >= releases + 2 && doubleClicks_ > doubles; },
                           kReplayWaitMs);
}

void SceneDriver::move(int x, int y) {
    scene_input::move(window(), QPoint(x, y));
    QCoreApplication::processEvents();
}

void SceneDriver::key(int qtKey, int modifiers) {
    widget_->activateWindow();
    scene_input::keyClick(window(), static_cast<Qt::Key>(qtKey),
                          static_cast<Qt::KeyboardModifiers>(modifiers));
    // The hooks' report to the scene is queued.
    QCoreApplication::processEvents();
}

void SceneDriver::typeText(const QString& text) {
    widget_->activateWindow();
    for (const QChar c : text) {
        scene_input::charClick(window(), c.toLatin1());
    }
    QCoreApplication::processEvents();
}

QObject* SceneDriver::focused() const {
    return handedToTests(widget_->view()->quickWindow()->activeFocusItem());
}

// As a screen reader learns it, through the item's accessibility interface.
QVariantMap SceneDriver::accessible(QObject* item) const {
    QAccessibleInterface* face = item ? QAccessible::queryAccessibleInterface(item) : nullptr;
    if (!face) {
        return {};
    }
    return {{QStringLiteral("name"), face->text(QAccessible::Name)},
            {QStringLiteral("role"), static_cast<int>(face->role())}};
}

QStringList SceneDriver::visibleTexts() const {
    // By y, then x; texts at the same place in the order of the items.
    std::multimap<std::pair<qreal, qreal>, QString> placed;
    for (QQuickItem* item : itemsFrom(rootItem())) {
        const QString text = item->property("text").toString();
        if (isTextItem(item) && shownToUser(item) && !text.isEmpty()) {
            const QPointF at = item->mapToScene(QPointF(0, 0));
            placed.emplace(std::pair(at.y(), at.x()), text);
        }
    }
    QStringList result;
    for (const auto& [at, text] : placed) {
        result.append(text);
    }
    return result;
}

bool SceneDriver::grab(const QString& path) const {
    return widget_->view()->grabFramebuffer().save(path, "PNG");
}

QVariantList SceneDriver::pixels(int x, int y, int width, int height) const {
    const QImage frame = widget_->view()->grabFramebuffer();
    QVariantList values;
    for (int row = y; row < y + height; ++row) {
        for (int column = x; column < x + width; ++column) {
            values.append(frame.valid(column, row) ? static_cast<qint64>(frame.pixel(column, row))
                                                   : qint64{-1});
        }
    }
    return values;
}

QVariantMap SceneDriver::windowPosition() const {
    const QPoint pos = widget_->pos();
    return {{"x", pos.x()}, {"y", pos.y()}};
}

void SceneDriver::hideWindow() {
    widget_->hide();
}

void SceneDriver::showWindow() {
    widget_->showIfConnected();
}

QObject* SceneDriver::quickWindow() const {
    return handedToTests(widget_->view()->quickWindow());
}

void SceneDriver::restart() {
    stopProgram();
    startProgram();
}

bool SceneDriver::writeSetting(const QString& file, const QString& key, const QVariant& value) {
    const QString path = QStringLiteral("./modules/setting/") + file;
    if (!QFileInfo::exists(path)) {
        return false;
    }
    QSettings settings(path, QSettings::IniFormat);
    settings.setValue(key, value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

// Copies `folder` (the shipped modules when empty) over ./modules while the program is
// stopped, so that no settings object of the old window writes over the copies.
bool SceneDriver::restartWith(const QString& folder) {
    const QString from = folder.isEmpty() ? shippedModules() : folder;
    stopProgram();
    const bool copied = QFileInfo(from).isDir() && copyOver(from, QStringLiteral("./modules"));
    z718::test::resetSharedTables();
    startProgram();
    return copied;
}

QString SceneDriver::readText(const QString& path) const {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString SceneDriver::activationRecord() {
    myQQuickView* view = widget_->view();
    const QString record = z718::test::activationRecord(view->settings().currentProfile(),
                                                        mouse_.log(), view->pointer());
    mouse_.clearLog();
    return record;
}
