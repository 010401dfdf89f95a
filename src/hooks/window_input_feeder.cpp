#include "hooks/window_input_feeder.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleHints>

#include "platform/linux/evdev_keymap.h"

namespace z718 {

namespace {

// xkb keycodes are the evdev codes plus 8.
constexpr quint32 kXkbOffset = 8;

struct ButtonMessages {
    Qt::MouseButton button;
    uint32_t down;
    uint32_t up;
    uint32_t mouseData;
};

constexpr ButtonMessages kButtons[] = {
    {Qt::LeftButton, win::kWmLButtonDown, win::kWmLButtonUp, 0},
    {Qt::RightButton, win::kWmRButtonDown, win::kWmRButtonUp, 0},
    {Qt::MiddleButton, win::kWmMButtonDown, win::kWmMButtonUp, 0},
    {Qt::BackButton, win::kWmXButtonDown, win::kWmXButtonUp, win::kXButton1Data},
    {Qt::ForwardButton, win::kWmXButtonDown, win::kWmXButtonUp, win::kXButton2Data},
};

}  // namespace

WindowInputFeeder::WindowInputFeeder(platform::PortableInput& input, QObject* parent)
    : QObject(parent), input_(input) {
    if (QCoreApplication::instance()) {
        QCoreApplication::instance()->installEventFilter(this);
    }
    // Injections come from the engine's worker thread: replay them on this object's thread.
    input_.setDeliverySink([this](const platform::PortableInput::Delivered& event) {
        if (event.mouse && event.injected) {
            QMetaObject::invokeMethod(
                this, [this, message = event.message] { replayButton(message); },
                Qt::QueuedConnection);
        }
    });
}

WindowInputFeeder::~WindowInputFeeder() {
    input_.setDeliverySink(nullptr);
}

WindowInputFeeder::KeyCodes WindowInputFeeder::keyCodes(quint32 nativeScanCode, int qtKey) {
    if (nativeScanCode > kXkbOffset) {
        const auto code = static_cast<uint16_t>(nativeScanCode - kXkbOffset);
        return {platform::evdev::vkOfKey(code), platform::evdev::scanCodeOfKey(code)};
    }
    // No keycode (offscreen, some remote sessions): letters and digits are their own codes.
    const bool letterOrDigit =
        (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9);
    return {letterOrDigit ? static_cast<uint32_t>(qtKey) : 0u, 0};
}

bool WindowInputFeeder::eventFilter(QObject* watched, QEvent* event) {
    if (hidePressFromWidgets_ && watched->isWidgetType()) {
        return event->type() == QEvent::MouseButtonPress;
    }
    // Every input event reaches its window first; later deliveries to widgets are the same
    // event again.
    if (replaying_ || !watched->isWindowType()) {
        return false;
    }
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            auto* key = static_cast<QKeyEvent*>(event);
            const KeyCodes codes = keyCodes(key->nativeScanCode(), key->key());
            return !input_.feedKey(codes.vk, codes.scanCode, event->type() == QEvent::KeyRelease);
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
            return feedMouse(static_cast<QWindow*>(watched), static_cast<QMouseEvent*>(event));
        case QEvent::MouseButtonDblClick:
            // Only a notice about the press that came just before it, which the hooks have
            // seen. A swallowed press's notice goes too: its replay brings its own.
            return swallowedPresses_.testFlag(static_cast<QMouseEvent*>(event)->button());
        default:
            return false;
    }
}

bool WindowInputFeeder::feedMouse(QWindow* window, QMouseEvent* event) {
    window_ = window;
    globalPos_ = event->globalPosition().toPoint();
    const bool up = event->type() == QEvent::MouseButtonRelease;
    for (const ButtonMessages& b : kButtons) {
        if (b.button == event->button()) {
            const bool swallowed =
                !input_.feedMouse(up ? b.up : b.down, globalPos_.x(), globalPos_.y(), b.mouseData);
            if (!up) {
                swallowedPresses_.setFlag(b.button, swallowed);
            } else if (swallowed && event->buttons() == Qt::NoButton) {
                keepGrabOverSwallowedRelease(event);
            }
            return swallowed;
        }
    }
    return false;
}

void WindowInputFeeder::replayButton(uint32_t message) {
    for (const ButtonMessages& b : kButtons) {
        if ((message == b.down || message == b.up) && window_) {
            const bool down = message == b.down;
            restoreKeptGrab();
            replayedButtons_.setFlag(b.button, down);
            QMouseEvent event(down ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease,
                              window_->mapFromGlobal(globalPos_), globalPos_, b.button,
                              replayedButtons_, QGuiApplication::keyboardModifiers());
            replaying_ = true;
            if (down && isSecondClick(b.button)) {
                sendDoubleClick(event);
            } else {
                QCoreApplication::sendEvent(window_, &event);
            }
            replaying_ = false;
            return;
        }
    }
}

// Once the system's last release has been delivered, Qt drops the pointer's grab, which
// cancels the press the engine replayed meanwhile: its own release would find no receiver.
// The grab is kept for that replayed release: the drop goes unannounced and is undone as soon
// as the system's release has been handled, or at the latest when the next replay comes.
void WindowInputFeeder::keepGrabOverSwallowedRelease(QMouseEvent* event) {
    QObject* grabber = event->exclusiveGrabber(event->point(0));
    if (!grabber) {
        return;
    }
    restoreKeptGrab();
    keptGrabber_ = grabber;
    keptDevice_ = const_cast<QPointingDevice*>(event->pointingDevice());
    keptDevice_->blockSignals(true);
    QMetaObject::invokeMethod(this, &WindowInputFeeder::restoreKeptGrab, Qt::QueuedConnection);
}

void WindowInputFeeder::restoreKeptGrab() {
    if (!keptDevice_) {
        return;
    }
    if (keptGrabber_) {
        QMouseEvent current(QEvent::MouseMove, QPointF(), QPointF(), Qt::NoButton, Qt::NoButton,
                            Qt::NoModifier, keptDevice_);
        current.setExclusiveGrabber(current.point(0), keptGrabber_);
    }
    keptDevice_->blockSignals(false);
    keptDevice_ = nullptr;
    keptGrabber_ = nullptr;
}

// The system recognises double clicks among injected presses too. As with its own, the
// window's widgets never see the second press itself (it only marks where the release goes);
// the double-click event that follows brings it.
void WindowInputFeeder::sendDoubleClick(QMouseEvent& press) {
    hidePressFromWidgets_ = true;
    QCoreApplication::sendEvent(window_, &press);
    hidePressFromWidgets_ = false;
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, press.position(), press.globalPosition(),
                            press.button(), press.buttons(), press.modifiers());
    QCoreApplication::sendEvent(window_, &doubleClick);
}

bool WindowInputFeeder::isSecondClick(Qt::MouseButton button) {
    const QStyleHints* hints = QGuiApplication::styleHints();
    const bool second =
        button == lastClickButton_ && lastClick_.isValid() &&
        lastClick_.elapsed() < hints->mouseDoubleClickInterval() &&
        (globalPos_ - lastClickPos_).manhattanLength() <= hints->mouseDoubleClickDistance();
    // A third press starts a new pair.
    lastClickButton_ = second ? Qt::NoButton : button;
    lastClickPos_ = globalPos_;
    lastClick_.start();
    return second;
}

}  // namespace z718
