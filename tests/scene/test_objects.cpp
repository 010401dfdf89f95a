#include "test_objects.h"

#include "platform/input_platform.h"

namespace win = z718::win;

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
