#include <QFontDatabase>
#include <QMenu>
#include <QQuickItem>
#include <QSignalSpy>
#include <QtTest>
#include <future>

#include "app/instance_channel.h"
#include "app/tray_profiles.h"
#include "app/widget.h"
#include "hooks/global_hooks.h"
#include "hooks/window_input_feeder.h"
#include "platform/device_watcher.h"
#include "platform/timing.h"
#include "settings/name_lists.h"
#include "sim/virtual_mouse.h"
#include "support/debug_capture.h"
#include "support/fake_services.h"
#include "support/hostile_files.h"
#include "support/scratch_dir.h"
#include "ui/Ui_Controler.h"
#include "ui/myQQuickView.h"

using namespace z718;
using namespace std::chrono_literals;

// The main object with the virtual mouse: connection, removal, device-change bursts, tray, and
// what the hooks tell its scene.
// Off Windows only: the Windows build runs the scene tests instead.
class WidgetTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // The channel a second start talks to lives in the session's runtime folder: keep this
        // test's apart from any copy of the program or other test that runs.
        qputenv("XDG_RUNTIME_DIR", runtimeDir_.path().toLocal8Bit());
    }
    void init() {
        durations() = Durations{};
        durations().pollMs = 150;
        mouse_ = std::make_unique<sim::VirtualMouse>();
        connectedFlag() = false;
        widget_ = std::make_unique<Widget>(fakes_.services(*mouse_));
        widget_->showNormal();
    }
    void cleanup() {
        widget_.reset();
        mouse_.reset();
    }
    // A device at start connects before the loop runs; unplugged, the window goes out of the
    // way; replugged, it reconnects, and the tray's double-click or click brings it back; its
    // menu's Show too, and its Quit ends the program.
    // Busy without a time is busy for no time.
    void connectUnplugReplugAndQuit() {
        widget_->controller()->setBusy();
        QCOMPARE(sceneCalls(), QStringList{"setProtectUI"});
        QCOMPARE(widget_->view()->rootObject()->property("busyTime").toInt(), 0);
        QEvent foreign(QEvent::User);  // same type number as ours, but not ours
        QCoreApplication::sendEvent(widget_.get(), &foreign);
        test::DebugCapture debug;
        widget_->checkDevice();
        QVERIFY(widget_->hid().workerRunning() && connectedFlag());
        QCOMPARE(sceneCalls().size(), 1);  // queued: the scene hears of it once the loop runs
        QTRY_COMPARE(sceneCalls(), (QStringList{"setProtectUI", "initUI", "run"}));
        QCOMPARE(widget_->trayIcon()->toolTip(), QStringLiteral("KESTRAN SOLUX MOUSE Z718"));
        QVERIFY(widget_->trayIcon()->isVisible() && !widget_->trayIcon()->icon().isNull());
        // The icon file's sizes a tray uses, not its 256-pixel one, which would stay decoded.
        QCOMPARE(widget_->trayIcon()->icon().availableSizes().size(), 5);
        QCOMPARE(widget_->trayIcon()->icon().availableSizes().last(), QSize(64, 64));
        mouse_->unplug();
        // No tray here (offscreen): the window goes to the taskbar rather than out of reach.
        QTRY_VERIFY(widget_->isMinimized());
        QCOMPARE(widget_->trayIcon()->toolTip(),
                 QStringLiteral("KESTRAN SOLUX MOUSE Z718 - mouse not connected"));
        QCOMPARE(debug.captured(),
                 (QStringList{"Device Connect", "Device Error", "Device removed"}));
        QVERIFY(!widget_->hid().workerRunning() && !connectedFlag());
        QTRY_VERIFY(!widget_->view()->isEnabled());  // no clicks reach a mouse that is gone
        QVERIFY(widget_->hid().link().device(1).interface2Path.isEmpty());
        QCOMPARE(widget_->hid().link().devices().size(), 2);  // absent entries keep a record

        widget_->trayIconActivated(QSystemTrayIcon::DoubleClick);  // not while disconnected
        QTest::qWait(50);
        QVERIFY(outOfSight());

        mouse_->plug();
        QTRY_COMPARE(sceneCalls(), (QStringList{"setProtectUI", "initUI", "run", "initUI", "run"}));
        QVERIFY(widget_->hid().workerRunning() && widget_->view()->isEnabled());
        QVERIFY(outOfSight());  // only the tray brings the window back
        widget_->trayIconActivated(QSystemTrayIcon::Context);  // the menu opens by itself
        QTest::qWait(50);
        QVERIFY(outOfSight());
        widget_->trayIconActivated(QSystemTrayIcon::Trigger);  // a StatusNotifierItem click
        QTRY_VERIFY(!outOfSight());
        widget_->showMinimized();
        widget_->trayIconActivated(QSystemTrayIcon::DoubleClick);  // an XEmbed tray's
        QTRY_VERIFY(!outOfSight());

        // Show leads back to the window from the menu too (StatusNotifierItem trays know no
        // double-click); Quit stops the worker and ends the loop with 0.
        const QList<QAction*> entries = widget_->trayIcon()->contextMenu()->actions();
        QCOMPARE(entries.constFirst()->text(), QStringLiteral("Show"));
        // Hidden, the window lets go of Qt's fonts by taking its own font away and adding it
        // again. Showing adds none: the scene would lay all its texts out a second time.
        const QString windowFont = QStringLiteral("Z718 Sans");
        QSignalSpy fontChanges(qApp, &QGuiApplication::fontDatabaseChanged);
        widget_->hide();
        QTRY_VERIFY(fontChanges.count() > 0);
        QVERIFY(QFontDatabase::families().contains(windowFont));
        fontChanges.clear();
        entries.constFirst()->trigger();
        QTRY_VERIFY(widget_->isVisible());
        QCOMPARE(fontChanges.count(), 0);
        QAction* quit = entries.constLast();
        QCOMPARE(quit->text(), QStringLiteral("Quit (&Q)"));
        QEventLoop loop;
        QTimer::singleShot(50, quit, &QAction::trigger);
        QTimer::singleShot(20000, &loop, [&loop] { loop.exit(99); });  // Quit did not quit
        QCOMPARE(loop.exec(), 0);
        QVERIFY(!widget_->hid().workerRunning());
    }
    void secondStartShowsTheWindowOrSaysWhy() {
        using Answer = InstanceChannel::Answer;
        const InstanceChannel channel(
            [this] { return widget_->showIfConnected() ? Answer::Shown : Answer::NotConnected; });
        QVERIFY(channel.listening());
        // The later start waits for its answer; the running copy answers from its event loop.
        const auto askFromAnotherStart = [] {
            auto answer = std::async(std::launch::async, &InstanceChannel::askRunningCopy);
            const bool answered = QTest::qWaitFor(
                [&answer] { return answer.wait_for(0s) == std::future_status::ready; }, 20000);
            return answered ? answer.get() : Answer::NoAnswer;
        };
        QCOMPARE(askFromAnotherStart(), Answer::NotConnected);
        widget_->checkDevice();
        widget_->hide();
        QCOMPARE(askFromAnotherStart(), Answer::Shown);
        QTRY_VERIFY(widget_->isVisible());
    }
    void burstOfChangesGivesOneScanAndARefusedOpenComesBack() {
        widget_->checkDevice();
        test::DebugCapture debug;
        // The burst outlasts one poll interval: only a poll restarted by every change waits it out.
        for (int i = 0; i < 5; ++i) {
            QElapsedTimer sinceChange;
            sinceChange.start();
            emit DeviceWatcher::instance().deviceChanged();
            QTest::qWait(50);
            // A machine that stalls the wait past the poll interval lets the poll run early.
            if (sinceChange.elapsed() < durations().pollMs / 2) {
                QCOMPARE(debug.count("Device Connect"), 0);
            }
        }
        QTRY_COMPARE(debug.count("Device Connect"), 1);
        QTest::qWait(3 * durations().pollMs);
        QCOMPARE(debug.count("Device Connect"), 1);
        QCOMPARE(sceneCalls().size(), 2);  // a poll while connected changes nothing

        // A refused open comes back without a replug.
        mouse_->mouseFirmware().state().reportRate = 4;
        mouse_->setFault(sim::VirtualMouse::OpenRefused);
        uchar rate = 0;
        widget_->hid().hid_81H_GetReportRate(rate);
        mouse_->clearFaults();
        QTRY_VERIFY((widget_->hid().hid_81H_GetReportRate(rate), rate == 4));
    }
    // A FIFO in place of the icon file is not read (the start would block on it); a hidden
    // start with no tray to come back from waits in the taskbar.
    void hiddenStartWithAFifoForItsIcon() {
        test::ScratchDir scratch;
        const test::FifoTrap icon(QStringLiteral("./modules/img/trayIcon.ico"));
        QVERIFY(icon.made());
        Widget widget(fakes_.services(*mouse_));
        widget.showAtStart(true);
        QCoreApplication::processEvents();
        QVERIFY(!icon.opened());
        QVERIFY(widget.isMinimized() && widget.isVisible());
    }

    // Clicks with their place and keys reach the scene; the codes the window's own key events
    // carry into the hooks. The scene tests click and type through the window all day: those
    // events' way through the hooks and the engine's replay are theirs.
    void hooksTellTheSceneAndTheWindowsKeysReachThem() {
        GlobalHooks hooks(widget_->view(), widget_->hid(), fakes_.input);
        QVERIFY(hooks.install());
        widget_->checkDevice();
        const auto scene = [this](const char* property) {
            return widget_->view()->rootObject()->property(property).toString();
        };
        QVERIFY(!fakes_.input.feedMouse(win::kWmLButtonDown, 10, 20));
        QTRY_COMPARE(scene("lastMouse"), QStringLiteral("0xf0 down at 10,20"));
        QVERIFY(!fakes_.input.feedMouse(win::kWmRButtonUp, 30, 40));
        QTRY_COMPARE(scene("lastMouse"), QStringLiteral("0xf1 up at 30,40"));
        QVERIFY(fakes_.input.feedKey(0x42, 0x30, true));
        QTRY_COMPARE(scene("lastKey"), QStringLiteral("usage 5 up"));

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

    // Listed above Quit with the current one checked; choosing one applies that profile.
    void trayMenuListsTheProfilesAndAppliesTheChosenOne() {
        test::ScratchDir scratch;
        namelists::store(2, {"Standard0", "FPS3"});
        test::ScratchDir::write(SettingsStore::profilePath(3), "[sensor]\ncursorSpeed_Q7=4\n");
        myQQuickView view(fakes_.prompts, fakes_.pointer);
        view.profileList().load(0, false);
        QMenu menu;
        QAction* quit = menu.addAction(QStringLiteral("Quit (&Q)"));
        TrayProfiles profiles(&menu, quit, &view);

        profiles.refresh();
        profiles.refresh();  // the menu opens again: nothing is listed twice
        QStringList shown;
        for (QAction* entry : menu.actions()) {
            shown << (entry->isSeparator() ? QStringLiteral("--")
                                           : entry->text() + (entry->isChecked() ? "*" : ""));
        }
        QCOMPARE(shown, (QStringList{"Standard*", "FPS", "--", "Quit (&Q)"}));

        QSignalSpy applied(&view, &myQQuickView::profileActivated);
        menu.actions().at(1)->trigger();
        QCOMPARE(applied.count(), 1);
        QCOMPARE(view.settings().currentProfileIndex(), 3);
        QCOMPARE(view.getCursorSpeed(), 4u);
    }

private:
    // The window is out of the user's way: hidden where a tray leads back, else minimised.
    bool outOfSight() const { return widget_->isHidden() || widget_->isMinimized(); }
    QStringList sceneCalls() const {
        return widget_->view()->rootObject()->property("calls").toStringList();
    }

    std::unique_ptr<sim::VirtualMouse> mouse_;
    test::Fakes fakes_;
    std::unique_ptr<Widget> widget_;
    QTemporaryDir runtimeDir_;
};

QTEST_MAIN(WidgetTest)
#include "tst_widget.moc"
