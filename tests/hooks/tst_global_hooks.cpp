// The program's hooks on the portable backend with the real main window (virtual mouse): what
// the scene hears, and the codes the window's own key events carry into the hooks. The scene
// tests click and type through the window all day: those events' way through the hooks and
// the engine's replay are theirs.
#include <QQuickItem>
#include <QtTest>

#include "app/widget.h"
#include "hooks/global_hooks.h"
#include "hooks/window_input_feeder.h"
#include "platform/portable/portable_input.h"
#include "sim/virtual_mouse.h"
#include "support/fake_services.h"
#include "ui/myQQuickView.h"

using namespace z718;

class TestGlobalHooks : public QObject {
    Q_OBJECT
private slots:
    void clicksWithTheirPlaceAndKeysReachTheScene() {
        sim::VirtualMouse mouse;
        test::Fakes fakes;
        {
            Widget widget(fakes.services(mouse));
            GlobalHooks hooks(widget.view(), widget.hid(), fakes.input);
            QVERIFY(hooks.install());
            widget.showNormal();  // the scene comes with the first show
            widget.checkDevice();
            const auto scene = [&](const char* property) {
                return widget.view()->rootObject()->property(property).toString();
            };
            QVERIFY(!fakes.input.feedMouse(win::kWmLButtonDown, 10, 20));
            QTRY_COMPARE(scene("lastMouse"), QStringLiteral("0xf0 down at 10,20"));
            QVERIFY(!fakes.input.feedMouse(win::kWmRButtonUp, 30, 40));
            QTRY_COMPARE(scene("lastMouse"), QStringLiteral("0xf1 up at 30,40"));
            QVERIFY(fakes.input.feedKey(0x42, 0x30, true));
            QTRY_COMPARE(scene("lastKey"), QStringLiteral("usage 5 up"));
        }
    }

    void keyCodesFromTheWindowSystem() {
        const auto codes = [](quint32 native, int key) {
            const WindowInputFeeder::KeyCodes c = WindowInputFeeder::keyCodes(native, key);
            return std::pair{c.vk, c.scanCode};
        };
        QCOMPARE(codes(40, Qt::Key_D), (std::pair{0x44u, 0x20u}));      // D
        QCOMPARE(codes(133, Qt::Key_Meta), (std::pair{0x5Bu, 0x5Bu}));  // left Windows key
        QCOMPARE(codes(105, Qt::Key_Control), (std::pair{0xA3u, 0u}));  // right Ctrl
        QCOMPARE(codes(0, Qt::Key_7), (std::pair{0x37u, 0u}));          // no keycode
        QCOMPARE(codes(0, Qt::Key_Escape), (std::pair{0u, 0u}));
    }
};

QTEST_MAIN(TestGlobalHooks)
#include "tst_global_hooks.moc"
