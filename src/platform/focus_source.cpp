#include "platform/focus_source.h"

#include <QCoreApplication>
#include <QPointer>
#include <memory>

#ifdef Z718_HAVE_XCB
#include "platform/linux/x11_focus.h"
#endif
#ifdef Z718_WIN32_FOCUS
#include "platform/win32/win32_focus.h"
#endif

namespace z718::platform {
namespace {

// Wayland tells no client which window is in front.
class NoFocusSource : public FocusSource {
public:
    bool available() const override { return false; }
    QStringList programsWithWindows() const override { return {}; }
};

#ifdef Z718_WIN32_FOCUS
// Windows' foreground events come on the watch's own thread and are handed to this one.
class Win32FocusSource : public FocusSource {
public:
    Win32FocusSource() {
        started_ = watch_.start([this](const std::wstring& program) {
            QMetaObject::invokeMethod(
                this,
                [this, name = QString::fromStdWString(program)] { emit programInFront(name); },
                Qt::QueuedConnection);
        });
    }
    bool available() const override { return started_; }
    QStringList programsWithWindows() const override {
        QStringList programs;
        for (const std::wstring& program : windowPrograms()) {
            programs << QString::fromStdWString(program);
        }
        programs.sort(Qt::CaseInsensitive);
        return programs;
    }

private:
    Win32ForegroundWatch watch_;
    bool started_ = false;
};
#endif

FocusSource* given = nullptr;

std::unique_ptr<FocusSource> systemSource() {
#ifdef Z718_WIN32_FOCUS
    return std::make_unique<Win32FocusSource>();
#endif
#ifdef Z718_HAVE_XCB
    // A Wayland session may still run X programs (Xwayland), but the X server then sees only
    // their windows: what it calls active says nothing about the rest.
    const bool wayland =
        qgetenv("XDG_SESSION_TYPE") == "wayland" || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (!wayland && !qEnvironmentVariableIsEmpty("DISPLAY")) {
        auto x11 = std::make_unique<X11FocusSource>();
        if (x11->available()) {
            return x11;
        }
    }
#endif
    return std::make_unique<NoFocusSource>();
}

}  // namespace

FocusSource& focusSource() {
    if (given) {
        return *given;
    }
    // Goes with the application object; a later one gets its own.
    static QPointer<FocusSource> own;
    if (!own) {
        own = systemSource().release();
        own->setParent(QCoreApplication::instance());
    }
    return *own;
}

void useFocusSource(FocusSource* source) {
    given = source;
}

}  // namespace z718::platform
