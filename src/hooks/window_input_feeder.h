#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QPointingDevice>
#include <QWindow>

#include "platform/portable/portable_input.h"

class QMouseEvent;

namespace z718 {

// Where the system offers no global hooks, the program window's own key and mouse events feed
// the portable hooks, so key capture, macro recording and button remapping work inside the
// window. What the hooks swallow is not delivered to the window; the buttons the engine
// injects are delivered to the window instead, at the last pointer position, as Windows
// would. Injected keys have no window to go to. Installs itself on the application while it
// lives.
class WindowInputFeeder : public QObject {
    Q_OBJECT
public:
    explicit WindowInputFeeder(platform::PortableInput& input, QObject* parent = nullptr);
    ~WindowInputFeeder() override;

    bool eventFilter(QObject* watched, QEvent* event) override;

    // The Windows virtual key and hardware scan code of a key, from its evdev/xkb keycode
    // (nativeScanCode, 0 when unknown) or else from its Qt key.
    struct KeyCodes {
        uint32_t vk = 0;
        uint32_t scanCode = 0;
    };
    static KeyCodes keyCodes(quint32 nativeScanCode, int qtKey);

private:
    bool feedMouse(QWindow* window, QMouseEvent* event);
    void replayButton(uint32_t message);
    bool isSecondClick(Qt::MouseButton button);
    void sendDoubleClick(QMouseEvent& press);
    void keepGrabOverSwallowedRelease(QMouseEvent* event);
    void restoreKeptGrab();

    platform::PortableInput& input_;
    QPointer<QWindow> window_;  // where the pointer was last seen
    QPoint globalPos_;
    Qt::MouseButtons replayedButtons_;
    Qt::MouseButtons swallowedPresses_;
    Qt::MouseButton lastClickButton_ = Qt::NoButton;
    QPoint lastClickPos_;
    QElapsedTimer lastClick_;
    QPointer<QObject> keptGrabber_;
    QPointingDevice* keptDevice_ = nullptr;
    bool replaying_ = false;
    bool hidePressFromWidgets_ = false;
};

}  // namespace z718
