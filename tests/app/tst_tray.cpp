#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QtTest>

#include "app/widget.h"
#include "sim/virtual_mouse.h"
#include "support/probe_scene.h"

using namespace z718;

// The tray icon on a real X display with a system-tray host (run-with-tray-host starts one),
// driven with real pointer events from xdotool.
class TrayTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void iconIsEmbeddedInTheTray();
    void connectionShowsTheBalloon();
    void doubleClickShowsTheHiddenWindow();
    void menuQuitEndsTheProgram();  // last: it ends the event loop for good

private:
    static QWidget* topLevel(const char* className);
    static void click(const QPoint& at, int button, int times = 1);
    QPoint iconCentre() const { return widget_->trayIcon()->geometry().center(); }

    sim::VirtualMouse mouse_;
    std::unique_ptr<Widget> widget_;
};

QWidget* TrayTest::topLevel(const char* className) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->inherits(className) && widget->isVisible()) {
            return widget;
        }
    }
    return nullptr;
}

void TrayTest::click(const QPoint& at, int button, int times) {
    QCOMPARE(
        QProcess::execute("xdotool", {"mousemove", QString::number(at.x()), QString::number(at.y()),
                                      "click", "--repeat", QString::number(times), "--delay", "80",
                                      QString::number(button)}),
        0);
}

void TrayTest::initTestCase() {
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    QTRY_VERIFY_WITH_TIMEOUT(QSystemTrayIcon::isSystemTrayAvailable(), 10000);
    test::useProbeScene();  // the tray is the subject, not the scene
    setHidBackend(&mouse_);
    widget_ = std::make_unique<Widget>();
    widget_->showNormal();
}

void TrayTest::iconIsEmbeddedInTheTray() {
    QSystemTrayIcon* tray = widget_->trayIcon();
    QVERIFY(tray->isVisible());
    QVERIFY(!tray->icon().isNull());  // the shipped trayIcon.ico was read
    QTRY_VERIFY(!tray->geometry().isEmpty());
    // Embedded means reparented into the tray host's window, away from the root window.
    QTRY_VERIFY(topLevel("QSystemTrayIconSys"));
    QString tree;
    const auto embedded = [&tree] {
        QProcess xwininfo;
        xwininfo.start("xwininfo",
                       {"-tree", "-id", QString::number(topLevel("QSystemTrayIconSys")->winId())});
        xwininfo.waitForFinished();
        tree = QString::fromLatin1(xwininfo.readAllStandardOutput());
        const auto field = [&tree](const char* name) {
            return QRegularExpression(QString::fromLatin1(name) + ": (0x[0-9a-f]+)")
                .match(tree)
                .captured(1);
        };
        return !field("Parent window id").isEmpty() &&
               field("Parent window id") != field("Root window id");
    };
    // The tray host takes the icon in when it gets to the icon's request, not at once.
    QTRY_VERIFY2_WITH_TIMEOUT(embedded(), qPrintable(tree), 20000);
}

void TrayTest::connectionShowsTheBalloon() {
    widget_->checkDevice();
    QTRY_VERIFY(topLevel("QBalloonTip"));
    QStringList texts;
    for (const QLabel* label : topLevel("QBalloonTip")->findChildren<QLabel*>()) {
        texts << label->text();
    }
    QVERIFY2(texts.contains("Info"), qPrintable(texts.join('|')));
    QVERIFY2(texts.contains("Detect XT417KC Mouse"), qPrintable(texts.join('|')));
}

void TrayTest::doubleClickShowsTheHiddenWindow() {
    if (QWidget* balloon = topLevel("QBalloonTip")) {
        balloon->close();  // it may sit over the icon
    }
    widget_->hide();
    QTRY_VERIFY(widget_->isHidden());
    click(iconCentre(), 1, 2);
    QTRY_VERIFY(widget_->isVisible());
}

void TrayTest::menuQuitEndsTheProgram() {
    QMenu* menu = widget_->trayIcon()->contextMenu();
    QCOMPARE(menu->actions().size(), 2);  // "Show" above it
    QAction* quit = menu->actions().constLast();
    QCOMPARE(quit->text(), QStringLiteral("Quit (&Q)"));
    widget_->hide();  // with no window manager it sits over the tray
    click(iconCentre(), 3);
    QTRY_VERIFY(menu->isVisible());
    QEventLoop loop;
    QTimer::singleShot(
        0, [menu, quit] { click(menu->mapToGlobal(menu->actionGeometry(quit).center()), 1); });
    QTimer::singleShot(20000, &loop, [&loop] { loop.exit(99); });
    QCOMPARE(loop.exec(), 0);
    QVERIFY(!widget_->hid().workerRunning());
    widget_.reset();
    // As in main: the window controller goes with deleteLater, and no event loop runs again.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    setHidBackend(nullptr);
}

QTEST_MAIN(TrayTest)
#include "tst_tray.moc"
