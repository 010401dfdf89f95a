// The program's hooks on the portable backend with the real main window, scene and worker
// (virtual mouse): what the scene hears and what the engine replays.
#include <QQuickItem>
#include <QQuickWindow>
#include <QtTest>

#include "app/widget.h"
#include "hooks/global_hooks.h"
#include "hooks/window_input_feeder.h"
#include "platform/portable/portable_input.h"
#include "platform/timing.h"
#include "sim/virtual_mouse.h"
#include "support/probe_scene.h"
#include "ui/myQQuickView.h"

using namespace z718;
using platform::portableInput;

namespace {

bool replayed(uint32_t message) {
    const auto out = portableInput().delivered();
    return std::any_of(out.begin(), out.end(), [&](const auto& d) {
        return d.mouse && d.injected && d.message == message;
    });
}

// Counts the button presses and releases a widget receives.
class ButtonSpy : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        presses += event->type() == QEvent::MouseButtonPress;
        releases += event->type() == QEvent::MouseButtonRelease;
        return false;
    }
    int presses = 0;
    int releases = 0;
};

}  // namespace

class TestGlobalHooks : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void clicksAndKeysReachTheSceneAndTheEngine();
    void keyCodesFromTheWindowSystem();

private:
    QString scene(const char* property) const {
        return widget_->view()->rootObject()->property(property).toString();
    }

    std::unique_ptr<sim::VirtualMouse> mouse_;
    std::unique_ptr<Widget> widget_;
    std::unique_ptr<GlobalHooks> hooks_;
};

void TestGlobalHooks::init() {
    test::useProbeScene();
    durations() = Durations{};
    mouse_ = std::make_unique<sim::VirtualMouse>();
    setHidBackend(mouse_.get());
    widget_ = std::make_unique<Widget>();
    hooks_ = std::make_unique<GlobalHooks>(widget_->view(), widget_->hid(), portableInput());
    QVERIFY(hooks_->install());
    widget_->showNormal();
    portableInput().clearDelivered();
}

void TestGlobalHooks::cleanup() {
    hooks_.reset();
    widget_.reset();
    setHidBackend(nullptr);
    mouse_.reset();
}

void TestGlobalHooks::clicksAndKeysReachTheSceneAndTheEngine() {
    WindowInputFeeder feeder(portableInput());
    widget_->checkDevice();
    QVERIFY(!portableInput().feedMouse(win::kWmLButtonDown, 10, 20));
    QTRY_COMPARE(scene("lastMouse"), QStringLiteral("0xf0 down at 10,20"));
    QVERIFY(!portableInput().feedMouse(win::kWmLButtonUp, 10, 20));
    QTRY_COMPARE(scene("lastMouse"), QStringLiteral("0xf0 up at 10,20"));
    QTRY_VERIFY(replayed(win::kWmLButtonUp));

    // The window's own events feed the hooks.
    QWindow* window = widget_->windowHandle();
    QVERIFY(window);
    ButtonSpy spy;
    widget_->view()->installEventFilter(&spy);
    QTest::mousePress(window, Qt::LeftButton, {}, QPoint(30, 40));
    QTRY_VERIFY(scene("lastMouse").startsWith("0xf0 down"));
    QTRY_VERIFY(replayed(win::kWmLButtonDown));
    QTRY_COMPARE(spy.presses, 1);  // the engine's replay reaches the scene's widget
    QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(30, 40));
    QTRY_VERIFY(replayed(win::kWmLButtonUp));
    QTRY_COMPARE(spy.releases, 1);
    QCOMPARE(spy.presses, 1);  // the real press was swallowed on its way in
    QTest::keyClick(window, Qt::Key_B);
    QTRY_COMPARE(scene("lastKey"), QStringLiteral("usage 5 up"));
    // Keys the hooks pass reach the scene's own items once the view has focus.
    widget_->view()->setFocus();
    QTRY_VERIFY(widget_->view()->quickWindow()->activeFocusItem());
}

void TestGlobalHooks::keyCodesFromTheWindowSystem() {
    using Codes = WindowInputFeeder::KeyCodes;
    const auto codes = [](quint32 native, int key) {
        const Codes c = WindowInputFeeder::keyCodes(native, key);
        return std::pair{c.vk, c.scanCode};
    };
    QCOMPARE(codes(40, Qt::Key_D), (std::pair{0x44u, 0x20u}));      // D
    QCOMPARE(codes(133, Qt::Key_Meta), (std::pair{0x5Bu, 0x5Bu}));  // left Windows key
    QCOMPARE(codes(105, Qt::Key_Control), (std::pair{0xA3u, 0u}));  // right Ctrl
    QCOMPARE(codes(0, Qt::Key_7), (std::pair{0x37u, 0u}));          // no keycode
    QCOMPARE(codes(0, Qt::Key_Escape), (std::pair{0u, 0u}));
}

QTEST_MAIN(TestGlobalHooks)
#include "tst_global_hooks.moc"
