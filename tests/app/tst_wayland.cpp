#include <QWindow>
#include <QtTest>

#include "app/widget.h"
#include "sim/virtual_mouse.h"
#include "support/fake_services.h"
#include "ui/Ui_Controler.h"

using namespace z718;

// The window as a Wayland client of weston (run-under-weston starts it headless).
class WaylandTest : public QObject {
    Q_OBJECT
private slots:
    void windowShowsAndDragsAreTheCompositors() {
        QVERIFY(QGuiApplication::platformName().startsWith("wayland"));
        sim::VirtualMouse mouse;
        test::Fakes fakes;
        {
            Widget widget(fakes.services(mouse));
            widget.showNormal();
            widget.checkDevice();
            QTRY_VERIFY_WITH_TIMEOUT(widget.windowHandle() && widget.windowHandle()->isExposed(),
                                     20000);
            // A client cannot place its window here; a drag step hands the move to the compositor
            // rather than changing a position nothing would honour.
            const QPoint start = widget.pos();
            widget.controller()->onXChanged(10);
            widget.controller()->onYChanged(5);
            QCOMPARE(widget.pos(), start);
            widget.controller()->onMinimize();
            widget.controller()->onClose();  // weston's desktop shell has no tray
            QVERIFY(widget.isVisible());
            QCoreApplication::processEvents();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

QTEST_MAIN(WaylandTest)
#include "tst_wayland.moc"
