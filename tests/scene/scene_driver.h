#pragma once

#include <QObject>
#include <QPoint>
#include <QTemporaryDir>
#include <QVariantList>
#include <QVariantMap>
#include <memory>

#include "platform/focus_source.h"
#include "platform/input_backend.h"
#include "sim/virtual_mouse.h"
#include "support/scripted_prompts.h"
#include "ui/services.h"

class QQmlEngine;
class QQuickItem;
class QWindow;
class Widget;
namespace z718 {
class GlobalHooks;
}

// "scene": the program's live window, driven with real input events at window coordinates;
// the same object is "virtualInput", the system's input and pointer settings, and "prompts".
// It runs the program in a scratch copy of the shipped modules folder and hands the test
// files the program's objects. See README.md beside this file.
class SceneDriver : public QObject {
    Q_OBJECT
public:
    SceneDriver();
    ~SceneDriver() override;
    // Prepares the scratch folder and starts the program there; false when it cannot.
    bool start();
    // Counts the button events that reach the scene's widget while it takes input, wherever
    // they came from.
    bool eventFilter(QObject* watched, QEvent* event) override;

    Q_INVOKABLE QObject* find(const QString& objectName) const;

    Q_INVOKABLE bool click(int x, int y, int button = Qt::LeftButton);
    Q_INVOKABLE bool doubleClick(int x, int y);
    Q_INVOKABLE bool press(int x, int y);
    Q_INVOKABLE void move(int x, int y);
    Q_INVOKABLE bool release(int x, int y);
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

    // virtualInput: what differs per platform is in scene_input.cpp and
    // win32/scene_input_win.cpp, the pointer settings in scene_system.cpp.
    Q_INVOKABLE bool feedKey(int vk, int scanCode, bool up, int time = 0);
    Q_INVOKABLE bool feedMouse(int message, int x, int y, int mouseData = 0, int time = 0);
    Q_INVOKABLE QVariantList delivered();
    Q_INVOKABLE void clearDelivered();
    Q_INVOKABLE int mouseSpeed();
    Q_INVOKABLE int wheelScrollLines();
    Q_INVOKABLE void resetPointerSettings();

    // prompts: the next file dialog's answer.
    Q_INVOKABLE void answerFile(const QString& path) { prompts_.fileNames.push_back(path); }

private slots:
    // Qt Quick Test calls it by name for each test file's engine; private, so that the test
    // files do not see it.
    void qmlEngineAvailable(QQmlEngine* engine);

private:
    // As the program's main() does it.
    void startProgram();
    void stopProgram();
    void registerProgram();
    QWindow* window() const;
    QQuickItem* rootItem() const;
    bool sendButton(bool press, Qt::MouseButton button, QPoint pos);

    QTemporaryDir scratch_;
    z718::sim::VirtualMouse mouse_;
    z718::platform::InputBackend input_;
    z718::ScriptedPrompts prompts_;
    z718::platform::FakeFocusSource foreground_;
    const z718::Services services_{mouse_, input_.hooks(), input_.injector(), input_.pointer(),
                                   prompts_};
    std::unique_ptr<Widget> widget_;
    std::unique_ptr<z718::GlobalHooks> hooks_;
    std::unique_ptr<QObject> windowFeed_;
    QQmlEngine* engine_ = nullptr;
    // A second press soon after a first comes as a double click: presses_ counts both.
    int presses_ = 0;
    int releases_ = 0;
    int doubleClicks_ = 0;
};
