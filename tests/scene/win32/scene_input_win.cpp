#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QWindow>
#include <QtTest>
#include <cctype>
#include <utility>
#include <vector>

#include "scene_input.h"
#include "win32/hardware_input.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

using namespace z718::testing;

namespace scene_input {

namespace {

// A key's way through the hooks and the system's queues, under a loaded machine.
constexpr int kKeyArrivalMs = 2000;

struct ButtonMessages {
    Qt::MouseButton button;
    uint32_t down;
    uint32_t up;
};

constexpr ButtonMessages kButtons[] = {
    {Qt::LeftButton, WM_LBUTTONDOWN, WM_LBUTTONUP},
    {Qt::RightButton, WM_RBUTTONDOWN, WM_RBUTTONUP},
    {Qt::MiddleButton, WM_MBUTTONDOWN, WM_MBUTTONUP},
};

constexpr std::pair<Qt::Key, uint32_t> kKeys[] = {
    {Qt::Key_Backspace, VK_BACK}, {Qt::Key_Tab, VK_TAB},       {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},   {Qt::Key_Escape, VK_ESCAPE}, {Qt::Key_Space, VK_SPACE},
    {Qt::Key_End, VK_END},        {Qt::Key_Home, VK_HOME},     {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},          {Qt::Key_Right, VK_RIGHT},   {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Delete, VK_DELETE},  {Qt::Key_Insert, VK_INSERT},
};

uint32_t virtualKey(Qt::Key key) {
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
        return static_cast<uint32_t>(key);  // letters and digits are their own codes
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12) {
        return VK_F1 + static_cast<uint32_t>(key - Qt::Key_F1);
    }
    for (const auto& [qtKey, vk] : kKeys) {
        if (qtKey == key) {
            return vk;
        }
    }
    return 0;
}

QPoint onScreen(QWindow* window, QPoint pos) {
    return window->mapToGlobal(pos);
}

// Counts the key releases that reach the window.
class ReleaseCounter : public QObject {
public:
    explicit ReleaseCounter(QWindow* window) : window_(window) { window->installEventFilter(this); }
    ~ReleaseCounter() override { window_->removeEventFilter(this); }
    int count() const { return count_; }
    bool eventFilter(QObject*, QEvent* event) override {
        count_ += event->type() == QEvent::KeyRelease ? 1 : 0;
        return false;
    }

private:
    QWindow* window_;
    int count_ = 0;
};

void sendKey(uint32_t vk, bool up) {
    sendHardwareKey(vk, MapVirtualKeyW(vk, MAPVK_VK_TO_VSC), up, 0);
}

// Presses the modifiers and the key, releases them in reverse, and returns once the window has
// the key's release: the hooks' report of it has been queued before.
void chord(QWindow* window, const std::vector<uint32_t>& keys) {
    ReleaseCounter releases(window);
    for (uint32_t vk : keys) {
        sendKey(vk, false);
    }
    for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
        sendKey(*it, true);
    }
    if (!QTest::qWaitFor([&] { return releases.count() >= 1; }, kKeyArrivalMs)) {
        qWarning("A key sent as hardware input did not reach the window");
    }
    QCoreApplication::processEvents();
}

}  // namespace

void button(QWindow* window, Qt::MouseButton button, bool press, QPoint pos) {
    const QPoint at = onScreen(window, pos);
    for (const ButtonMessages& entry : kButtons) {
        if (entry.button == button) {
            sendHardwareMouse(press ? entry.down : entry.up, at.x(), at.y(), 0, 0);
        }
    }
}

void doubleClick(QWindow* window, QPoint pos) {
    for (bool press : {true, false, true, false}) {
        button(window, Qt::LeftButton, press, pos);
    }
}

void move(QWindow* window, QPoint pos) {
    const QPoint at = onScreen(window, pos);
    moveHardwarePointer(at.x(), at.y());
    if (!QTest::qWaitFor([&] { return QCursor::pos() == at; }, kKeyArrivalMs)) {
        qWarning("The pointer did not reach %d,%d", at.x(), at.y());
    }
}

void keyClick(QWindow* window, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    std::vector<uint32_t> keys;
    if (modifiers & Qt::ControlModifier) {
        keys.push_back(VK_CONTROL);
    }
    if (modifiers & Qt::ShiftModifier) {
        keys.push_back(VK_SHIFT);
    }
    if (modifiers & Qt::AltModifier) {
        keys.push_back(VK_MENU);
    }
    keys.push_back(virtualKey(key));
    chord(window, keys);
}

void charClick(QWindow* window, char c) {
    const bool upper = std::isupper(static_cast<unsigned char>(c)) != 0;
    const auto vk = c == ' ' ? uint32_t{VK_SPACE}
                             : static_cast<uint32_t>(std::toupper(static_cast<unsigned char>(c)));
    chord(window, upper ? std::vector<uint32_t>{VK_SHIFT, vk} : std::vector<uint32_t>{vk});
}

}  // namespace scene_input
