#include "platform/linux/x11_focus.h"

#include <xcb/xcb.h>

#include <QFileInfo>
#include <QSocketNotifier>
#include <QSysInfo>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace z718::platform {
namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};

// The value of `property` of `window` when it has `type`; empty otherwise.
QByteArray readProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property,
                        xcb_atom_t type) {
    const auto cookie = xcb_get_property(connection, 0, window, property, type, 0, 4096);
    const std::unique_ptr<xcb_get_property_reply_t, FreeReply> reply(
        xcb_get_property_reply(connection, cookie, nullptr));
    if (!reply || reply->type != type) {
        return {};
    }
    return QByteArray(static_cast<const char*>(xcb_get_property_value(reply.get())),
                      xcb_get_property_value_length(reply.get()));
}

std::vector<uint32_t> words(const QByteArray& value) {
    std::vector<uint32_t> out(static_cast<size_t>(value.size()) / sizeof(uint32_t));
    if (!out.empty()) {
        std::memcpy(out.data(), value.constData(), out.size() * sizeof(uint32_t));
    }
    return out;
}

}  // namespace

X11FocusSource::X11FocusSource(const char* display) {
    int screen = 0;
    connection_ = xcb_connect(display, &screen);
    if (xcb_connection_has_error(connection_)) {
        return;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (; screen > 0 && it.rem > 1; --screen) {
        xcb_screen_next(&it);
    }
    root_ = it.data->root;
    activeAtom_ = atom("_NET_ACTIVE_WINDOW");
    clientListAtom_ = atom("_NET_CLIENT_LIST");
    pidAtom_ = atom("_NET_WM_PID");
    // Any number of clients may listen to the root window's property changes.
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection_);
    notifier_ =
        new QSocketNotifier(xcb_get_file_descriptor(connection_), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &X11FocusSource::readEvents);
}

X11FocusSource::~X11FocusSource() {
    delete notifier_;
    xcb_disconnect(connection_);
}

uint32_t X11FocusSource::atom(const char* name) const {
    const auto cookie =
        xcb_intern_atom(connection_, 0, static_cast<uint16_t>(std::strlen(name)), name);
    const std::unique_ptr<xcb_intern_atom_reply_t, FreeReply> reply(
        xcb_intern_atom_reply(connection_, cookie, nullptr));
    return reply ? reply->atom : uint32_t{XCB_ATOM_NONE};
}

// Replies read while handling an event can bring further events into xcb's own queue without
// the socket becoming readable again, so the queue is emptied here each time.
void X11FocusSource::readEvents() {
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        bool active = false;
        if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
            const auto* change = reinterpret_cast<xcb_property_notify_event_t*>(event);
            active = change->window == root_ && change->atom == activeAtom_;
        }
        std::free(event);
        if (active) {
            activeWindowChanged();
        }
    }
    if (xcb_connection_has_error(connection_)) {  // the X server went away
        delete notifier_;
        notifier_ = nullptr;
    }
}

void X11FocusSource::activeWindowChanged() {
    const auto active = words(readProperty(connection_, root_, activeAtom_, XCB_ATOM_WINDOW));
    emit programInFront(active.empty() || active[0] == 0 ? QString() : programOf(active[0]));
}

QStringList X11FocusSource::programsWithWindows() const {
    QStringList programs;
    if (!available()) {
        return programs;
    }
    for (uint32_t window :
         words(readProperty(connection_, root_, clientListAtom_, XCB_ATOM_WINDOW))) {
        const QString program = programOf(window);
        if (!program.isEmpty()) {
            programs << program;
        }
    }
    programs.removeDuplicates();
    programs.sort(Qt::CaseInsensitive);
    return programs;
}

// The program file, as on Windows, so that a rule names the same thing on both: a window
// can call itself anything in WM_CLASS, while its process's file is what the user started.
// WM_CLASS serves where that file cannot be had: no _NET_WM_PID, a window of another machine
// (its PID means nothing here), or a process of another user whose file stays hidden.
QString X11FocusSource::programOf(uint32_t window) const {
    const QString byPid = programByPid(window);
    return byPid.isEmpty() ? programByClass(window) : byPid;
}

QString X11FocusSource::programByPid(uint32_t window) const {
    const auto pid = words(readProperty(connection_, window, pidAtom_, XCB_ATOM_CARDINAL));
    const QByteArray machine =
        readProperty(connection_, window, XCB_ATOM_WM_CLIENT_MACHINE, XCB_ATOM_STRING);
    if (pid.empty() || pid[0] == 0 ||
        (!machine.isEmpty() &&
         QString::fromLocal8Bit(machine.constData()) != QSysInfo::machineHostName())) {
        return {};
    }
    QString file = QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid[0])).symLinkTarget();
    // A program file replaced while it runs (an upgrade) reads "<path> (deleted)".
    const QString deleted = QStringLiteral(" (deleted)");
    if (file.endsWith(deleted)) {
        file.chop(deleted.size());
    }
    return QFileInfo(file).fileName();
}

// WM_CLASS holds the instance name and the class name; the instance name is the program's
// own (usually its file name, "xterm"), the class its family ("XTerm").
QString X11FocusSource::programByClass(uint32_t window) const {
    const QByteArray names = readProperty(connection_, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING);
    return QString::fromLocal8Bit(names.left(names.indexOf('\0')));
}

}  // namespace z718::platform
