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
bool VirtualMouseObject::isPlugged() const { return mouse_.isPlugged(); }
void VirtualMouseObject::setKeyboardPresent(bool present) { mouse_.setKeyboardPresent(present); }
void VirtualMouseObject::clearFaults() { mouse_.clearFaults(); }
QStringList VirtualMouseObject::log() const { return mouse_.log(); }
void VirtualMouseObject::clearLog() { mouse_.clearLog(); }
int VirtualMouseObject::openHandles() const { return mouse_.openHandles(); }
// clang-format on

bool VirtualMouseObject::setFault(const QString& name, bool on) {
    static const QMap<QString, VirtualMouse::Fault> faults = {
        {"openRefused", VirtualMouse::OpenRefused},
        {"sendFeatureFails", VirtualMouse::SendFeatureFails},
        {"getFeatureFails", VirtualMouse::GetFeatureFails},
        {"writeFails", VirtualMouse::WriteFails},
        {"readFails", VirtualMouse::ReadFails},
        {"inputNeverComes", VirtualMouse::InputNeverComes},
    };
    if (!faults.contains(name)) {
        return false;
    }
    mouse_.setFault(faults.value(name), on);
    return true;
}

#ifdef _WIN32
namespace {

// How long the hooks may take to decide on one event, under a loaded machine.
constexpr int kDecideMs = 2000;

QVariantMap toMap(const z718::testing::Delivered& event) {
    return {{"mouse", event.mouse},
            {"message", event.message},
            {"code", event.code},
            {"injected", event.injected},
            {"time", event.time}};
}

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

QVariantList VirtualInputObject::delivered() const {
    QVariantList list;
    for (const auto& event : witness_.delivered()) {
        list.append(toMap(event));
    }
    return list;
}

void VirtualInputObject::clearDelivered() {
    witness_.clearDelivered();
}
#else
void VirtualInputObject::programHooksInstalled() {}

bool VirtualInputObject::feedKey(int vk, int scanCode, bool up, int time) {
    return platform::portableInput().feedKey(static_cast<uint32_t>(vk),
                                             static_cast<uint32_t>(scanCode), up,
                                             static_cast<uint32_t>(time));
}

bool VirtualInputObject::feedMouse(int message, int x, int y, int mouseData, int time) {
    return platform::portableInput().feedMouse(static_cast<uint32_t>(message), x, y,
                                               static_cast<uint32_t>(mouseData),
                                               static_cast<uint32_t>(time));
}

QVariantList VirtualInputObject::delivered() const {
    QVariantList list;
    for (const auto& event : platform::portableInput().delivered()) {
        list.append(QVariantMap{{"mouse", event.mouse},
                                {"message", event.message},
                                {"code", event.code},
                                {"injected", event.injected},
                                {"time", event.time}});
    }
    return list;
}

void VirtualInputObject::clearDelivered() {
    platform::portableInput().clearDelivered();
}

#endif

namespace {

platform::PointerSettings& pointer() {
#ifdef _WIN32
    return platform::pointerSettings();
#else
    return platform::portablePointerSettings();
#endif
}

int getInt(uint32_t action) {
    int value = 0;
    pointer().systemParametersInfo(action, 0, &value, 0);
    return value;
}

}  // namespace

int VirtualInputObject::mouseSpeed() const {
    return getInt(win::kSpiGetMouseSpeed);
}

bool VirtualInputObject::setMouseSpeed(int speed) {
    // Wine reads the speed from uiParam, Windows from pvParam: both carry it.
    return pointer().systemParametersInfo(win::kSpiSetMouseSpeed, static_cast<uint32_t>(speed),
                                          reinterpret_cast<void*>(static_cast<intptr_t>(speed)), 0);
}

int VirtualInputObject::wheelScrollLines() const {
    uint32_t lines = 0;
    pointer().systemParametersInfo(win::kSpiGetWheelScrollLines, 0, &lines, 0);
    return static_cast<int>(lines);
}

bool VirtualInputObject::setWheelScrollLines(int lines) {
    return pointer().systemParametersInfo(win::kSpiSetWheelScrollLines,
                                          static_cast<uint32_t>(lines), nullptr, 0);
}

int VirtualInputObject::doubleClickTime() const {
    return static_cast<int>(pointer().doubleClickTime());
}

bool VirtualInputObject::setDoubleClickTime(int milliseconds) {
    return pointer().systemParametersInfo(win::kSpiSetDoubleClickTime,
                                          static_cast<uint32_t>(milliseconds), nullptr, 0);
}

QVariantList VirtualInputObject::mouseParams() const {
    std::array<int, 3> params{};
    pointer().systemParametersInfo(win::kSpiGetMouse, 0, params.data(), 0);
    return {params[0], params[1], params[2]};
}

bool VirtualInputObject::setMouseParams(const QVariantList& thresholdsAndAcceleration) {
    if (thresholdsAndAcceleration.size() != 3) {
        return false;
    }
    std::array<int, 3> params{};
    for (int i = 0; i < 3; ++i) {
        params[static_cast<size_t>(i)] = thresholdsAndAcceleration[i].toInt();
    }
    return pointer().systemParametersInfo(win::kSpiSetMouse, 0, params.data(), 0);
}

void VirtualInputObject::resetPointerSettings() {
#ifdef _WIN32
    using Defaults = platform::PortablePointerSettings;
    setMouseSpeed(Defaults::kDefaultSpeed);
    setWheelScrollLines(static_cast<int>(Defaults::kDefaultScrollLines));
    setDoubleClickTime(static_cast<int>(Defaults::kDefaultDoubleClickMs));
    setMouseParams(
        {Defaults::kDefaultMouse[0], Defaults::kDefaultMouse[1], Defaults::kDefaultMouse[2]});
#else
    platform::portablePointerSettings().reset();
#endif
}
