#pragma once

#include <QObject>
#include <memory>

#include "hooks/hook_procedures.h"
#include "platform/input_platform.h"

class Hid_Thread;
class myQQuickView;

namespace z718 {

// The program's global keyboard and mouse hooks: they report to the scene through the view
// and feed the link's worker. Installed after the main window is built and before it shows;
// removed after the event loop ends, before the window goes.
class GlobalHooks {
public:
    GlobalHooks(myQQuickView* view, Hid_Thread& hid,
                platform::InputHooks& backend = platform::inputHooks());
    ~GlobalHooks();

    // The keyboard hook first, then the mouse hook.
    bool install();
    // The keyboard hook first, then the mouse hook.
    void uninstall();

private:
    platform::InputHooks& backend_;
    std::unique_ptr<HookProcedures> procedures_;
    bool installed_ = false;
};

// Where the system has no global hooks (off Windows), the program window's own key and mouse
// events feed the portable ones while the returned object lives; null on Windows.
std::unique_ptr<QObject> feedHooksFromWindow();

}  // namespace z718
