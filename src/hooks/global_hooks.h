#pragma once

#include <QObject>
#include <atomic>
#include <memory>

#include "hooks/hook_procedures.h"
#include "platform/input_platform.h"

namespace z718 {

namespace platform {
class PortableInput;
}

// Where the hooks report keys and buttons for the scene; called on the hook thread.
class SceneInputReports {
public:
    virtual ~SceneInputReports() = default;
    virtual void reportKey(bool released, int usage) = 0;
    virtual void reportMouse(bool pressed, uint code, uint x, uint y) = 0;
};

// The engine side the hooks feed: its event queue, and whether its worker runs.
class EngineInput {
public:
    virtual ~EngineInput() = default;
    virtual const std::atomic<bool>& workerRunningFlag() const = 0;
    virtual MySafeQueue& eventQueue() = 0;
};

// The program's global keyboard and mouse hooks: they report to the scene and feed the
// engine's worker. Installed after the main window is built and before it shows; removed
// after the event loop ends, before the window goes.
class GlobalHooks {
public:
    // scene may be null: then nothing is reported.
    GlobalHooks(SceneInputReports* scene, EngineInput& engine, platform::InputHooks& backend);
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
// events feed `window` while the returned object lives; null on Windows or without `window`.
std::unique_ptr<QObject> feedHooksFromWindow(platform::PortableInput* window);

}  // namespace z718
