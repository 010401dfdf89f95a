#include "platform/portable/portable_input.h"

#include <cstdint>

namespace z718::platform {

namespace {

struct MouseFlagMessage {
    uint32_t flag;
    uint32_t message;
};

// The order mouse_event reports combined flags in.
constexpr MouseFlagMessage kMouseFlagMessages[] = {
    {win::kMouseEventLeftDown, win::kWmLButtonDown},
    {win::kMouseEventLeftUp, win::kWmLButtonUp},
    {win::kMouseEventRightDown, win::kWmRButtonDown},
    {win::kMouseEventRightUp, win::kWmRButtonUp},
    {win::kMouseEventMiddleDown, win::kWmMButtonDown},
    {win::kMouseEventMiddleUp, win::kWmMButtonUp},
};

}  // namespace

PortableInput::PortableInput() : start_(std::chrono::steady_clock::now()) {}

bool PortableInput::install(KeyboardHookProc keyboard, MouseHookProc mouse) {
    std::lock_guard lock(mutex_);
    keyboard_ = std::move(keyboard);
    mouse_ = std::move(mouse);
    return true;
}

void PortableInput::uninstall() {
    std::lock_guard lock(mutex_);
    keyboard_ = nullptr;
    mouse_ = nullptr;
}

bool PortableInput::installed() const {
    std::lock_guard lock(mutex_);
    return keyboard_ != nullptr;
}

void PortableInput::mouseEvent(uint32_t flags) {
    std::lock_guard lock(mutex_);
    for (const auto& entry : kMouseFlagMessages) {
        if (flags & entry.flag) {
            runMouse({entry.message, cursor_[0], cursor_[1], 0, win::kLlmhfInjected, now()});
        }
    }
}

void PortableInput::keybdEvent(uint8_t vk, uint8_t scan, uint32_t flags) {
    std::lock_guard lock(mutex_);
    const bool up = flags & win::kKeyEventKeyUp;
    runKeyboard({up ? win::kWmKeyUp : win::kWmKeyDown, vk, scan,
                 win::kLlkhfInjected | (up ? win::kLlkhfUp : 0u), now()});
}

bool PortableInput::feedKey(uint32_t vk, uint32_t scanCode, bool up, uint32_t time) {
    std::lock_guard lock(mutex_);
    const uint32_t flags = (up ? win::kLlkhfUp : 0u) | (observeOnly_ ? win::kLlkhfInjected : 0u);
    return runKeyboard({up ? win::kWmKeyUp : win::kWmKeyDown, vk, observeOnly_ ? 0u : scanCode,
                        flags, time ? time : now()});
}

bool PortableInput::feedMouse(uint32_t message, int32_t x, int32_t y, uint32_t mouseData,
                              uint32_t time) {
    std::lock_guard lock(mutex_);
    cursor_ = {x, y};
    if (observeOnly_) {
        deliver({true, message, mouseData, false});
        return true;
    }
    return runMouse({message, x, y, mouseData, 0, time ? time : now()});
}

void PortableInput::setObserveOnly(bool observeOnly) {
    std::lock_guard lock(mutex_);
    observeOnly_ = observeOnly;
}

std::vector<PortableInput::Delivered> PortableInput::delivered() const {
    std::lock_guard lock(mutex_);
    return delivered_;
}

void PortableInput::clearDelivered() {
    std::lock_guard lock(mutex_);
    delivered_.clear();
}

bool PortableInput::runKeyboard(KeyboardHookEvent event) {
    if (keyboard_ && keyboard_(0, event)) {
        return false;
    }
    deliver(
        {false, event.message, event.vkCode, (event.flags & win::kLlkhfInjected) != 0, event.time});
    return true;
}

bool PortableInput::runMouse(MouseHookEvent event) {
    if (mouse_ && mouse_(0, event)) {
        return false;
    }
    deliver({true, event.message, event.mouseData, (event.flags & win::kLlmhfInjected) != 0,
             event.time});
    return true;
}

void PortableInput::setDeliverySink(DeliverySink sink) {
    std::lock_guard lock(mutex_);
    sink_ = std::move(sink);
}

void PortableInput::deliver(const Delivered& event) {
    delivered_.push_back(event);
    if (sink_) {
        sink_(event);
    }
}

uint32_t PortableInput::now() const {
    const auto elapsed = std::chrono::steady_clock::now() - start_;
    // Like GetTickCount: milliseconds, never 0 so that 0 can mean "now" to the feeders.
    return static_cast<uint32_t>(
               std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()) +
           1;
}

bool PortablePointerSettings::systemParametersInfo(uint32_t action, uint32_t uiParam, void* pvParam,
                                                   uint32_t fWinIni) {
    if (refuseAll_) {
        return false;
    }
    switch (action) {
        case win::kSpiGetMouse:
        case win::kSpiGetMouseSpeed:
        case win::kSpiGetWheelScrollLines:
            return get(action, pvParam);
        default:
            break;
    }
    if (!set(action, uiParam, pvParam)) {
        return false;
    }
    lastWinIni_ = fWinIni;
    return true;
}

bool PortablePointerSettings::set(uint32_t action, uint32_t uiParam, void* pvParam) {
    switch (action) {
        case win::kSpiSetMouseSpeed: {
            const auto speed = reinterpret_cast<intptr_t>(pvParam);
            if (speed < 1 || speed > 20) {
                return false;
            }
            speed_ = static_cast<int>(speed);
            return true;
        }
        case win::kSpiSetWheelScrollLines:
            scrollLines_ = uiParam;
            return true;
        case win::kSpiSetDoubleClickTime:
            doubleClickMs_ = uiParam == 0
                                 ? kDefaultDoubleClickMs
                                 : (uiParam > kMaxDoubleClickMs ? kMaxDoubleClickMs : uiParam);
            return true;
        case win::kSpiSetMouse:
            if (!pvParam) {
                return false;
            }
            for (int i = 0; i < 3; ++i) {
                mouse_[i] = static_cast<const int*>(pvParam)[i];
            }
            return true;
        default:
            return false;
    }
}

bool PortablePointerSettings::get(uint32_t action, void* pvParam) const {
    if (!pvParam) {
        return false;
    }
    switch (action) {
        case win::kSpiGetMouseSpeed:
            *static_cast<int*>(pvParam) = speed_;
            return true;
        case win::kSpiGetWheelScrollLines:
            *static_cast<uint32_t*>(pvParam) = scrollLines_;
            return true;
        case win::kSpiGetMouse:
            for (int i = 0; i < 3; ++i) {
                static_cast<int*>(pvParam)[i] = mouse_[i];
            }
            return true;
        default:
            return false;
    }
}

void PortablePointerSettings::reset() {
    *this = PortablePointerSettings();
}

}  // namespace z718::platform
