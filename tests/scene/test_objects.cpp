#include "test_objects.h"

#include <QVariantMap>
#include <array>

#include "platform/portable/portable_input.h"
#include "sim/virtual_mouse.h"

using z718::sim::VirtualMouse;
namespace platform = z718::platform;
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

#ifdef _WIN32
namespace {

// How long the hooks may take to decide on one event, under a loaded machine.
constexpr int kDecideMs = 2000;

}  // namespace

void VirtualInputObject::programHooksInstalled() {
    witness_.install();
}

bool VirtualInputObject::feedKey(int vk, int scanCode, bool up, int time) {
    return witness_.waitPassed(
        z718::testing::sendHardwareKey(static_cast<uint32_t>(vk), static_cast<uint32_t>(scanCode),
                                       up, static_cast<uint32_t>(time)),
        kDecideMs);
}

bool VirtualInputObject::feedMouse(int message, int x, int y, int mouseData, int time) {
    return witness_.waitPassed(z718::testing::sendHardwareMouse(static_cast<uint32_t>(message), x,
                                                                y, static_cast<uint32_t>(mouseData),
                                                                static_cast<uint32_t>(time)),
                               kDecideMs);
}

void VirtualInputObject::clearDelivered() {
    witness_.clearDelivered();
}
#else
void VirtualInputObject::programHooksInstalled() {}

bool VirtualInputObject::feedKey(int vk, int scanCode, bool up, int time) {
    return input_.window()->feedKey(static_cast<uint32_t>(vk), static_cast<uint32_t>(scanCode), up,
                                    static_cast<uint32_t>(time));
}

bool VirtualInputObject::feedMouse(int message, int x, int y, int mouseData, int time) {
    return input_.window()->feedMouse(static_cast<uint32_t>(message), x, y,
                                      static_cast<uint32_t>(mouseData),
                                      static_cast<uint32_t>(time));
}

void VirtualInputObject::clearDelivered() {
    input_.window()->clearDelivered();
}
#endif

QVariantList VirtualInputObject::delivered() const {
#ifdef _WIN32
    const auto events = witness_.delivered();
#else
    const auto events = input_.window()->delivered();
#endif
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

int VirtualInputObject::mouseSpeed() const {
    int speed = 0;
    input_.pointer().systemParametersInfo(win::kSpiGetMouseSpeed, 0, &speed, 0);
    return speed;
}

int VirtualInputObject::wheelScrollLines() const {
    uint32_t lines = 0;
    input_.pointer().systemParametersInfo(win::kSpiGetWheelScrollLines, 0, &lines, 0);
    return static_cast<int>(lines);
}

void VirtualInputObject::resetPointerSettings() {
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
