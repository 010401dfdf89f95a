#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPoint>
#include <QVariantList>
#include <QVariantMap>
#include <functional>

class QQuickItem;
class QWindow;
class Widget;
namespace z718::sim {
class VirtualMouse;
}

// Copies the folder `from` into `to`, over the files already there.
bool copyOver(const QString& from, const QString& to);

// What the scene driver needs from the runner: the live main window, and a fresh start.
class SceneHost {
public:
    virtual ~SceneHost() = default;
    virtual Widget* program() = 0;
    // Stops the program, runs `whileStopped`, starts it again.
    virtual void restartProgram(const std::function<void()>& whileStopped = {}) = 0;
};

// "scene": the program's live window, driven with real input events at window coordinates.
// See README.md beside this file.
class SceneDriver : public QObject {
    Q_OBJECT
public:
    SceneDriver(SceneHost& host, z718::sim::VirtualMouse& mouse, QObject* parent = nullptr);
    ~SceneDriver() override;

    Q_INVOKABLE QObject* root() const;
    Q_INVOKABLE QObject* find(const QString& objectName) const;
    Q_INVOKABLE QVariant rect(const QString& objectName) const;

    Q_INVOKABLE bool click(int x, int y, int button = Qt::LeftButton);
    Q_INVOKABLE bool doubleClick(int x, int y);
    Q_INVOKABLE bool press(int x, int y);
    Q_INVOKABLE void move(int x, int y);
    Q_INVOKABLE bool release(int x, int y);
    Q_INVOKABLE void wheel(int x, int y, int delta);
    Q_INVOKABLE void key(int qtKey, int modifiers = 0);
    Q_INVOKABLE void typeText(const QString& text);

    Q_INVOKABLE QStringList visibleTexts() const;
    Q_INVOKABLE QObject* focused() const;
    Q_INVOKABLE QVariantMap accessible(QObject* item) const;
    Q_INVOKABLE bool grab(const QString& path) const;
    Q_INVOKABLE QVariantList pixels(int x, int y, int width, int height) const;
    Q_INVOKABLE QVariantMap windowPosition() const;
    Q_INVOKABLE void restart();
    // Hides the window, as the close button does where a tray leads back; shows it again, as
    // the tray icon does.
    Q_INVOKABLE void hideWindow();
    Q_INVOKABLE void showWindow();
    // The scene's window, whose signals tell when a frame was drawn.
    Q_INVOKABLE QObject* quickWindow() const;
    Q_INVOKABLE bool writeSetting(const QString& file, const QString& key, const QVariant& value);
    Q_INVOKABLE bool restartWith(const QString& folder = {});
    Q_INVOKABLE QString readText(const QString& path) const;
    // What applying the profile in use left behind, with the device's reports since the last
    // record (or the start).
    Q_INVOKABLE QString activationRecord();

private:
    class EventCounter;

    QWindow* window() const;
    QQuickItem* rootItem() const;
    bool sendButton(int type, Qt::MouseButton button, QPoint pos);
    void watchView();

    SceneHost& host_;
    z718::sim::VirtualMouse& mouse_;
    EventCounter* counter_ = nullptr;
    QElapsedTimer clock_;
    quint64 wheelTime_ = 0;
};
