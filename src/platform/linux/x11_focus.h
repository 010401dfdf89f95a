#pragma once

#include <cstdint>

#include "platform/focus_source.h"

class QSocketNotifier;
struct xcb_connection_t;

namespace z718::platform {

// The window in front as an X11 window manager announces it: _NET_ACTIVE_WINDOW on the root
// window, whose changes arrive as property events on a connection of our own.
class X11FocusSource : public FocusSource {
    Q_OBJECT
public:
    // Connects to `display` ($DISPLAY when null).
    explicit X11FocusSource(const char* display = nullptr);
    ~X11FocusSource() override;

    bool available() const override { return notifier_ != nullptr; }
    QStringList programsWithWindows() const override;

private:
    void readEvents();
    void activeWindowChanged();
    QString programOf(uint32_t window) const;
    QString programByPid(uint32_t window) const;
    QString programByClass(uint32_t window) const;
    uint32_t atom(const char* name) const;

    xcb_connection_t* connection_ = nullptr;
    QSocketNotifier* notifier_ = nullptr;
    uint32_t root_ = 0;
    uint32_t activeAtom_ = 0;
    uint32_t clientListAtom_ = 0;
    uint32_t pidAtom_ = 0;
};

}  // namespace z718::platform
