#include "hooks/global_hooks.h"

#ifndef _WIN32
#include "hooks/window_input_feeder.h"
#endif

namespace z718 {

namespace {

HookTargets sceneTargets(SceneInputReports* scene, EngineInput& engine) {
    HookTargets targets;
    if (scene) {
        targets.keyboardCallback = [scene](uint8_t usage, uint8_t keyUp) {
            scene->reportKey(keyUp != 0, usage);
        };
        targets.mouseCallback = [scene](uint8_t code, uint8_t down, int x, int y) {
            scene->reportMouse(down != 0, code, static_cast<uint>(x), static_cast<uint>(y));
        };
    }
    targets.workerRunning = &engine.workerRunningFlag();
    targets.events = &engine.eventQueue();
    return targets;
}

}  // namespace

GlobalHooks::GlobalHooks(SceneInputReports* scene, EngineInput& engine,
                         platform::InputHooks& backend)
    : backend_(backend),
      procedures_(std::make_unique<HookProcedures>(sceneTargets(scene, engine))) {}

GlobalHooks::~GlobalHooks() {
    uninstall();
}

bool GlobalHooks::install() {
    if (installed_) {
        return true;
    }
    HookProcedures* procedures = procedures_.get();
    installed_ = backend_.install(
        [procedures](int nCode, const platform::KeyboardHookEvent& event) {
            return procedures->keyboard(nCode, event);
        },
        [procedures](int nCode, const platform::MouseHookEvent& event) {
            return procedures->mouse(nCode, event);
        });
    return installed_;
}

void GlobalHooks::uninstall() {
    if (installed_) {
        backend_.uninstall();
        installed_ = false;
    }
}

std::unique_ptr<QObject> feedHooksFromWindow([[maybe_unused]] platform::PortableInput* window) {
#ifdef _WIN32
    return nullptr;
#else
    return window ? std::make_unique<WindowInputFeeder>(*window) : nullptr;
#endif
}

}  // namespace z718
