#include "scene_driver.h"

#include <QAccessible>
#include <QDir>
#include <QDirIterator>
#include <QHash>
#include <QImage>
#include <QMouseEvent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSettings>
#include <QtTest>
#include <algorithm>

#include "app/widget.h"
#include "scene_input.h"
#include "sim/virtual_mouse.h"
#include "support/activation_record.h"
#include "ui/myQQuickView.h"

namespace {

// How long a button event may take to come back from the engine's replay (a 10 ms tick, then
// the queued delivery), on a loaded machine and under Wine's hooks. A remapped button may
// never come back; the call then gives up.
constexpr int kReplayWaitMs = 5000;

void collectItems(QQuickItem* item, QList<QQuickItem*>& items) {
    items.append(item);
    for (QQuickItem* child : item->childItems()) {
        collectItems(child, items);
    }
}

bool shownToUser(const QQuickItem* item) {
    if (!item->isVisible()) {
        return false;
    }
    for (const QQuickItem* it = item; it; it = it->parentItem()) {
        if (it->opacity() <= 0.0) {
            return false;
        }
    }
    return true;
}

bool isTextItem(const QQuickItem* item) {
    return item->inherits("QQuickText") || item->inherits("QQuickTextInput") ||
           item->inherits("QQuickTextEdit");
}

}  // namespace

// Counts the button events that reach the scene's widget while it takes input, wherever they
// came from.
class SceneDriver::EventCounter : public QObject {
public:
    using QObject::QObject;
    int count(QEvent::Type type) const { return counts_.value(type); }
    // A second press soon after a first comes as a double click.
    int presses() const {
        return count(QEvent::MouseButtonPress) + count(QEvent::MouseButtonDblClick);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (static_cast<QWidget*>(watched)->isEnabled() &&
            (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
             type == QEvent::MouseButtonDblClick)) {
            ++counts_[type];
        }
        return false;
    }

private:
    QHash<QEvent::Type, int> counts_;
};

SceneDriver::SceneDriver(SceneHost& host, z718::sim::VirtualMouse& mouse, QObject* parent)
    : QObject(parent), host_(host), mouse_(mouse) {
    clock_.start();
    watchView();
}

SceneDriver::~SceneDriver() = default;

void SceneDriver::watchView() {
    delete counter_;
    counter_ = new EventCounter(this);
    host_.program()->view()->installEventFilter(counter_);
}

QWindow* SceneDriver::window() const {
    return host_.program()->windowHandle();
}

QQuickItem* SceneDriver::rootItem() const {
    return host_.program()->view()->rootObject();
}

// The scene's items stay the scene's: without this, the test engine would take a parentless
// item it is handed (the root) as its own and delete it when it collects garbage.
static QObject* handedToTests(QObject* item) {
    if (item) {
        QQmlEngine::setObjectOwnership(item, QQmlEngine::CppOwnership);
    }
    return item;
}

QObject* SceneDriver::root() const {
    return handedToTests(rootItem());
}

QObject* SceneDriver::find(const QString& objectName) const {
    QList<QQuickItem*> items;
    if (QQuickItem* top = rootItem()) {
        collectItems(top, items);
    }
    for (QQuickItem* item : items) {
        if (item->objectName() == objectName) {
            return handedToTests(item);
        }
    }
    return nullptr;
}

QVariant SceneDriver::rect(const QString& objectName) const {
    auto* item = qobject_cast<QQuickItem*>(find(objectName));
    if (!item) {
        return {};
    }
    // The view fills the window from its top-left corner: scene and window coordinates agree.
    const QRectF r = item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
    return QVariantMap{{"x", r.x()}, {"y", r.y()}, {"width", r.width()}, {"height", r.height()}};
}

bool SceneDriver::sendButton(int type, Qt::MouseButton button, QPoint pos) {
    const bool press = type == QEvent::MouseButtonPress;
    const auto count = [&] {
        return press ? counter_->presses() : counter_->count(QEvent::MouseButtonRelease);
    };
    const int before = count();
    scene_input::button(window(), button, press, pos);
    return QTest::qWaitFor([&] { return count() > before; }, kReplayWaitMs);
}

bool SceneDriver::press(int x, int y) {
    return sendButton(QEvent::MouseButtonPress, Qt::LeftButton, {x, y});
}

bool SceneDriver::release(int x, int y) {
    return sendButton(QEvent::MouseButtonRelease, Qt::LeftButton, {x, y});
}

bool SceneDriver::click(int x, int y, int button) {
    const auto which = static_cast<Qt::MouseButton>(button);
    const bool pressed = sendButton(QEvent::MouseButtonPress, which, {x, y});
    return sendButton(QEvent::MouseButtonRelease, which, {x, y}) && pressed;
}

bool SceneDriver::doubleClick(int x, int y) {
    const int releases = counter_->count(QEvent::MouseButtonRelease);
    const int doubles = counter_->count(QEvent::MouseButtonDblClick);
    scene_input::doubleClick(window(), QPoint(x, y));
    return QTest::qWaitFor(
        [&] {
            return counter_->count(QEvent::MouseButtonRelease) >= releases + 2 &&
                   counter_->count(QEvent::MouseButtonDblClick) > doubles;
        },
        kReplayWaitMs);
}

void SceneDriver::move(int x, int y) {
    scene_input::move(window(), QPoint(x, y));
    QCoreApplication::processEvents();
}

void SceneDriver::wheel(int x, int y, int delta) {
    // Wheel turns do not pass the hooks; the event goes to the window as the system's would.
    const QPointF pos(x, y);
    QWheelEvent event(pos, window()->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    // Stamped as the system stamps its events: a list ignores a turn that comes no later than
    // the one before it.
    wheelTime_ = std::max(wheelTime_ + 1, static_cast<quint64>(clock_.elapsed()) + 1);
    event.setTimestamp(wheelTime_);
    QCoreApplication::sendEvent(window(), &event);
    QCoreApplication::processEvents();
}

void SceneDriver::key(int qtKey, int modifiers) {
    host_.program()->activateWindow();
    scene_input::keyClick(window(), static_cast<Qt::Key>(qtKey),
                          static_cast<Qt::KeyboardModifiers>(modifiers));
    // The hooks' report to the scene is queued.
    QCoreApplication::processEvents();
}

void SceneDriver::typeText(const QString& text) {
    host_.program()->activateWindow();
    for (const QChar c : text) {
        scene_input::charClick(window(), c.toLatin1());
    }
    QCoreApplication::processEvents();
}

QObject* SceneDriver::focused() const {
    return handedToTests(host_.program()->view()->quickWindow()->activeFocusItem());
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
    QList<QQuickItem*> items;
    if (QQuickItem* top = rootItem()) {
        collectItems(top, items);
    }
    struct Placed {
        QPointF at;
        QString text;
    };
    std::vector<Placed> texts;
    for (QQuickItem* item : items) {
        const QString text = item->property("text").toString();
        if (isTextItem(item) && shownToUser(item) && !text.isEmpty()) {
            texts.push_back({item->mapToScene(QPointF(0, 0)), text});
        }
    }
    std::stable_sort(texts.begin(), texts.end(), [](const Placed& a, const Placed& b) {
        return a.at.y() != b.at.y() ? a.at.y() < b.at.y() : a.at.x() < b.at.x();
    });
    QStringList result;
    for (const Placed& placed : texts) {
        result.append(placed.text);
    }
    return result;
}

bool SceneDriver::grab(const QString& path) const {
    return host_.program()->view()->grabFramebuffer().save(path, "PNG");
}

QVariantList SceneDriver::pixels(int x, int y, int width, int height) const {
    const QImage frame = host_.program()->view()->grabFramebuffer();
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
    const QPoint pos = host_.program()->pos();
    return {{"x", pos.x()}, {"y", pos.y()}};
}

void SceneDriver::hideWindow() {
    host_.program()->hide();
}

void SceneDriver::showWindow() {
    host_.program()->showIfConnected();
}

QObject* SceneDriver::quickWindow() const {
    return handedToTests(host_.program()->view()->quickWindow());
}

void SceneDriver::restart() {
    host_.restartProgram();
    watchView();
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

bool copyOver(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    bool copied = QDir().mkpath(to);
    while (copied && it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        if (it.fileInfo().isDir()) {
            copied = QDir().mkpath(target);
        } else {
            QFile::remove(target);
            copied = QFile::copy(source, target);
        }
    }
    return copied;
}

// Copies `folder` (the shipped modules when empty) over ./modules while the program is
// stopped, so that no settings object of the old window writes over the copies.
bool SceneDriver::restartWith(const QString& folder) {
    const QString from =
        folder.isEmpty() ? QCoreApplication::applicationDirPath() + "/modules" : folder;
    bool copied = QFileInfo(from).isDir();
    host_.restartProgram([&] {
        copied = copied && copyOver(from, QStringLiteral("./modules"));
        z718::test::resetSharedTables();
    });
    watchView();
    return copied;
}

QString SceneDriver::readText(const QString& path) const {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString SceneDriver::activationRecord() {
    myQQuickView* view = host_.program()->view();
    const QString record = z718::test::activationRecord(view->settings().currentProfile(),
                                                        mouse_.log(), view->pointer());
    mouse_.clearLog();
    return record;
}
