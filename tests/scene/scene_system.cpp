#include "platform/portable/portable_input.h"
#include "scene_driver.h"
#include "scene_input.h"

namespace platform = z718::platform;
namespace win = z718::win;

int SceneDriver::mouseSpeed() {
    int speed = 0;
    input_.pointer().systemParametersInfo(win::kSpiGetMouseSpeed, 0, &speed, 0);
    return speed;
}

int SceneDriver::wheelScrollLines() {
    uint32_t lines = 0;
    input_.pointer().systemParametersInfo(win::kSpiGetWheelScrollLines, 0, &lines, 0);
    return static_cast<int>(lines);
}

void SceneDriver::resetPointerSettings() {
    using Defaults = platform::PortablePointerSettings;
    platform::PointerSettings& pointer = input_.pointer();
    auto mouse = Defaults::kDefaultMouse;
    // Wine reads the speed from uiParam, Windows from pvParam: both carry it.
    pointer.systemParametersInfo(win::kSpiSetMouseSpeed, uint32_t{Defaults::kDefaultSpeed},
                                 reinterpret_cast<void*>(intptr_t{Defaults::kDefaultSpeed}), 0);
    pointer.systemParametersInfo(win::kSpiSetWheelScrollLines, Defaults::kDefaultScrollLines,
                                 nullptr, 0);
    pointer.systemParametersInfo(win::kSpiSetDoubleClickTime, Defaults::kDefaultDoubleClickMs,
                                 nullptr, 0);
    pointer.systemParametersInfo(win::kSpiSetMouse, 0, mouse.data(), 0);
}

QVariantList scene_input::describeDelivered(
    const std::vector<platform::PortableInput::Delivered>& events) {
    QVariantList list;
    for (const auto& event : events) {
        list.append(QVariantMap{{"mouse", event.mouse},
                                {"message", event.message},
                                {"code", event.code},
                                {"injected", event.injected},
                                {"time", event.time}});
    }
    return list;
}
