// The pointer values applied through the real SystemParametersInfoW (run under wine in CI): one
// value each shows the system takes it as passed; the conversions have their own tests.
// Free of Qt: built by the Windows layer's cross build.
#include <cstdio>

#include "device/pointer_apply.h"
#include "platform/win32/win32_input.h"
#include "support/win32_checks.h"

using namespace z718;
using namespace z718::testing;

namespace {

int mouseSpeed(platform::PointerSettings& system) {
    int speed = 0;
    system.systemParametersInfo(win::kSpiGetMouseSpeed, 0, &speed, 0);
    return speed;
}

}  // namespace

int main() {
    platform::Win32PointerSettings system;
    int savedMouse[3] = {};
    system.systemParametersInfo(win::kSpiGetMouse, 0, savedMouse, 0);
    const int savedSpeed = mouseSpeed(system);
    const unsigned savedClick = system.doubleClickTime();

    check(pointer::applyCursorSpeed(system, 7) && mouseSpeed(system) == 14,
          "cursor speed 7 becomes 14");
    unsigned lines = 0;
    check(pointer::applyScrollLines(system, 9) &&
              system.systemParametersInfo(win::kSpiGetWheelScrollLines, 0, &lines, 0) && lines == 9,
          "9 scroll lines");
    check(pointer::applyDoubleClickSpeed(system, 10) && system.doubleClickTime() == 200,
          "double-click speed 10 is 200 ms");
    int mouse[3] = {};
    check(pointer::applyAcceleration(system, false) &&
              system.systemParametersInfo(win::kSpiGetMouse, 0, mouse, 0) && mouse[2] == 0 &&
              mouse[0] == savedMouse[0] && mouse[1] == savedMouse[1],
          "acceleration off keeps both thresholds");
    check(pointer::readAcceleration(system) == false, "acceleration reads back off");
    check(pointer::applyAcceleration(system, true) && pointer::readAcceleration(system) == true,
          "acceleration on");

    system.systemParametersInfo(win::kSpiSetMouse, 0, savedMouse, 0);
    system.systemParametersInfo(win::kSpiSetMouseSpeed, static_cast<unsigned>(savedSpeed),
                                reinterpret_cast<void*>(static_cast<intptr_t>(savedSpeed)), 0);
    system.systemParametersInfo(win::kSpiSetDoubleClickTime, savedClick, nullptr, 0);
    return checksResult();
}
