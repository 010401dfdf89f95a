#pragma once

#include <QLockFile>
#include <QStringList>
#include <memory>

#include "sim/virtual_mouse.h"

namespace z718 {

// Holds the lock that keeps a second copy of the program from starting.
class SingleInstance {
public:
    SingleInstance();
    // True when another copy holds the lock. A lock left by a crashed copy does not count.
    bool isRunning() const { return !locked_; }

private:
    QLockFile lock_;
    bool locked_;
};

// Picks Qt Quick's software scene graph unless QT_QUICK_BACKEND names one. The window spends
// most of the day hidden in the tray, and the software one starts sooner and holds far less
// memory than OpenGL (README, Performance). Call before the application object exists.
void chooseSceneGraph();

// The virtual mouse when asked for, to stand in for the real hidapi; otherwise null.
std::unique_ptr<sim::VirtualMouse> virtualMouseIfAsked(bool asked);

}  // namespace z718
