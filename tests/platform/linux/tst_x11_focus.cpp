// The X11 focus source against a real X server (Xvfb): this test plays the window manager,
// setting the root window's _NET_ACTIVE_WINDOW and _NET_CLIENT_LIST, and owns the windows.
#include <unistd.h>
#include <xcb/xcb.h>

#include <QFileInfo>
#include <QSignalSpy>
#include <QtTest>
#include <cstdlib>
#include <cstring>

#include "platform/linux/x11_focus.h"

namespace {

class WindowManager {
public:
    WindowManager() : screen_(xcb_setup_roots_iterator(xcb_get_setup(connection_)).data) {}
    ~WindowManager() { xcb_disconnect(connection_); }

    xcb_window_t window() {
        const xcb_window_t id = xcb_generate_id(connection_);
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, id, screen_->root, 0, 0, 50, 50, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, screen_->root_visual, 0, nullptr);
        return id;
    }
    void set(xcb_window_t window, const char* property, xcb_atom_t type, const void* data,
             uint32_t count, uint8_t format = 32) {
        xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, atom(property), type,
                            format, count, data);
        xcb_flush(connection_);
    }
    xcb_window_t root() const { return screen_->root; }

private:
    xcb_atom_t atom(const char* name) {
        auto* reply = xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 0, uint16_t(std::strlen(name)), name),
            nullptr);
        const xcb_atom_t atom = reply->atom;
        std::free(reply);
        return atom;
    }

    xcb_connection_t* connection_ = xcb_connect(nullptr, nullptr);
    xcb_screen_t* screen_;
};

}  // namespace

class TestX11Focus : public QObject {
    Q_OBJECT
private slots:
    // A window with our PID is named by our program file; one without, by its WM_CLASS
    // instance; a PID from another machine is not ours to look up; no window is "".
    void namesTheProgramInFront() {
        z718::platform::X11FocusSource source;
        QVERIFY(source.available());
        WindowManager wm;
        const QString self = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        const uint32_t pid = uint32_t(getpid());

        const xcb_window_t own = wm.window();
        wm.set(own, "_NET_WM_PID", XCB_ATOM_CARDINAL, &pid, 1);
        wm.set(own, "WM_CLASS", XCB_ATOM_STRING, "ignored\0Ignored", 16, 8);
        const xcb_window_t classed = wm.window();
        wm.set(classed, "WM_CLASS", XCB_ATOM_STRING, "xterm\0XTerm", 12, 8);
        const xcb_window_t remote = wm.window();
        wm.set(remote, "_NET_WM_PID", XCB_ATOM_CARDINAL, &pid, 1);
        wm.set(remote, "WM_CLIENT_MACHINE", XCB_ATOM_STRING, "elsewhere", 9, 8);
        wm.set(remote, "WM_CLASS", XCB_ATOM_STRING, "remote\0Remote", 14, 8);
        const xcb_window_t list[] = {own, classed, remote};
        wm.set(wm.root(), "_NET_CLIENT_LIST", XCB_ATOM_WINDOW, list, 3);

        QSignalSpy reports(&source, &z718::platform::FocusSource::programInFront);
        const std::pair<xcb_window_t, QString> rows[] = {
            {own, self}, {classed, "xterm"}, {remote, "remote"}, {0, ""}, {own, self}};
        for (const auto& [window, program] : rows) {
            wm.set(wm.root(), "_NET_ACTIVE_WINDOW", XCB_ATOM_WINDOW, &window, 1);
            QVERIFY(reports.wait(5000));
            QCOMPARE(reports.takeFirst().at(0).toString(), program);
        }
        // Sorted without regard to case: this test's own name, tst_x11_focus, comes between.
        QCOMPARE(source.programsWithWindows(), (QStringList{"remote", self, "xterm"}));
    }
};

QTEST_GUILESS_MAIN(TestX11Focus)
#include "tst_x11_focus.moc"
