#include "test_objects.h"

#include "platform/input_platform.h"
#include "sim/virtual_mouse.h"

using z718::sim::VirtualMouse;
namespace win = z718::win;

VirtualMouseObject::VirtualMouseObject(VirtualMouse& mouse, QObject* parent)
    : QObject(parent), mouse_(mouse) {}

// One line a forward.
// clang-format off
void VirtualMouseObject::plug() { mouse_.plug(); }
void VirtualMouseObject::unplug() { mouse_.unplug(); }
QStringList VirtualMouseObject::log() const { return mouse_.log(); }
void VirtualMouseObject::clearLog() { mouse_.clearLog(); }
int VirtualMouseObject::openHandles() const { return mouse_.openHandles(); }
// clang-format on

int VirtualInputObject::mouseSpeed() const {
    int speed = 0;
    pointer().systemParametersInfo(win::kSpiGetMouseSpeed, 0, &speed, 0);
    return speed;
}

int VirtualInputObject::wheelScrollLines() const {
    uint32_t lines = 0;
    pointer().systemParametersInfo(win::kSpiGetWheelScrollLines, 0, &lines, 0);
    return static_cast<int>(lines);
}
