#include "hooks/window_input_feeder.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QStyleHints>

namespace z718 {

namespace {

struct EvdevKey {
    uint16_t evdev;
    uint8_t vk;
};

// Linux input keycodes (the key's position on a PC keyboard) to the US-layout virtual keys.
constexpr EvdevKey kEvdevKeys[] = {
    {1, 0x1B},   {2, 0x31},   {3, 0x32},   {4, 0x33},   {5, 0x34},   {6, 0x35},   {7, 0x36},
    {8, 0x37},   {9, 0x38},   {10, 0x39},  {11, 0x30},  {12, 0xBD},  {13, 0xBB},  {14, 0x08},
    {15, 0x09},  {16, 0x51},  {17, 0x57},  {18, 0x45},  {19, 0x52},  {20, 0x54},  {21, 0x59},
    {22, 0x55},  {23, 0x49},  {24, 0x4F},  {25, 0x50},  {26, 0xDB},  {27, 0xDD},  {28, 0x0D},
    {29, 0xA2},  {30, 0x41},  {31, 0x53},  {32, 0x44},  {33, 0x46},  {34, 0x47},  {35, 0x48},
    {36, 0x4A},  {37, 0x4B},  {38, 0x4C},  {39, 0xBA},  {40, 0xDE},  {41, 0xC0},  {42, 0xA0},
    {43, 0xDC},  {44, 0x5A},  {45, 0x58},  {46, 0x43},  {47, 0x56},  {48, 0x42},  {49, 0x4E},
    {50, 0x4D},  {51, 0xBC},  {52, 0xBE},  {53, 0xBF},  {54, 0xA1},  {55, 0x6A},  {56, 0xA4},
    {57, 0x20},  {58, 0x14},  {59, 0x70},  {60, 0x71},  {61, 0x72},  {62, 0x73},  {63, 0x74},
    {64, 0x75},  {65, 0x76},  {66, 0x77},  {67, 0x78},  {68, 0x79},  {69, 0x90},  {70, 0x91},
    {71, 0x67},  {72, 0x68},  {73, 0x69},  {74, 0x6D},  {75, 0x64},  {76, 0x65},  {77, 0x66},
    {78, 0x6B},  {79, 0x61},  {80, 0x62},  {81, 0x63},  {82, 0x60},  {83, 0x6E},  {87, 0x7A},
    {88, 0x7B},  {96, 0x0D},  {97, 0xA3},  {98, 0x6F},  {99, 0x2C},  {100, 0xA5}, {102, 0x24},
    {103, 0x26}, {104, 0x21}, {105, 0x25}, {106, 0x27}, {107, 0x23}, {108, 0x28}, {109, 0x22},
    {110, 0x2D}, {111, 0x2E}, {119, 0x13}, {125, 0x5B}, {126, 0x5C}, {127, 0x5D},
};

// xkb keycodes are the evdev codes plus 8.
constexpr quint32 kXkbOffset = 8;
constexpr uint16_t kEvdevLeftMeta = 125;
constexpr uint16_t kEvdevRightMeta = 126;
// Below this the evdev code is the PC keyboard's scan code itself.
constexpr uint16_t kFirstExtendedEvdev = 89;

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

uint32_t scanCodeOf(uint16_t evdev) {
    if (evdev == kEvdevLeftMeta) {
        return 0x5B;
    }
    if (evdev == kEvdevRightMeta) {
        return 0x5C;
    }
    return evdev < kFirstExtendedEvdev ? evdev : 0;
}

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
        const auto evdev = static_cast<uint16_t>(nativeScanCode - kXkbOffset);
        for (const EvdevKey& key : kEvdevKeys) {
            if (key.evdev == evdev) {
                return {key.vk, scanCodeOf(evdev)};
            }
        }
        return {0, scanCodeOf(evdev)};
    }
    // No keycode (offscreen, some remote sessions): letters and digits are their own codes.
    const bool letterOrDigit =
        (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9);
    return {letterOrDigit ? static_cast<uint32_t>(qtKey) : 0u, 0};
}

bool WindowInputFeeder::eventFilter(QObject* watched, QEvent* event) {
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
            replayedButtons_.setFlag(b.button, down);
            // The system recognises double clicks among injected presses too. As with its
            // own, the second press comes as the double-click event alone; the window turns
            // it into a press and a double click.
            const QEvent::Type type = !down                     ? QEvent::MouseButtonRelease
                                      : isSecondClick(b.button) ? QEvent::MouseButtonDblClick
                                                                : QEvent::MouseButtonPress;
            QMouseEvent event(type, window_->mapFromGlobal(globalPos_), globalPos_, b.button,
                              replayedButtons_, QGuiApplication::keyboardModifiers());
            replaying_ = true;
            QCoreApplication::sendEvent(window_, &event);
            replaying_ = false;
            return;
        }
    }
}

// Once the system's last release has been delivered, Qt drops the pointer's grab, which
// cancels the press the engine replayed meanwhile: its own release would find no receiver.
// The grab is kept for that replayed release: the drop goes unannounced and is undone as soon
// as the system's release has been handled.
void WindowInputFeeder::keepGrabOverSwallowedRelease(QMouseEvent* event) {
    QPointer<QObject> grabber = event->exclusiveGrabber(event->point(0));
    if (!grabber) {
        return;
    }
    auto* device = const_cast<QPointingDevice*>(event->pointingDevice());
    device->blockSignals(true);
    QMetaObject::invokeMethod(
        this,
        [device, grabber] {
            if (grabber) {
                QMouseEvent current(QEvent::MouseMove, QPointF(), QPointF(), Qt::NoButton,
                                    Qt::NoButton, Qt::NoModifier, device);
                current.setExclusiveGrabber(current.point(0), grabber);
            }
            device->blockSignals(false);
        },
        Qt::QueuedConnection);
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
