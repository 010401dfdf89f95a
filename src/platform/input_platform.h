#pragma once

// The operating-system side of input: global low-level hooks, injected input and the pointer
// settings. Everything speaks Windows' own numbers (message ids, virtual-key codes, flags,
// SPI_ actions), so the hook logic and the engine are written once for the real Windows calls
// (win32/) and for the in-process stand-in (portable/). Free of Qt: the Windows backend is
// built with the mingw-w64 cross compiler on its own.

#include <cstdint>
#include <functional>

namespace z718::win {

// Mouse messages as a WH_MOUSE_LL hook sees them (wParam).
constexpr uint32_t kWmMouseMove = 0x0200;
constexpr uint32_t kWmLButtonDown = 0x0201;
constexpr uint32_t kWmLButtonUp = 0x0202;
constexpr uint32_t kWmRButtonDown = 0x0204;
constexpr uint32_t kWmRButtonUp = 0x0205;
constexpr uint32_t kWmMButtonDown = 0x0207;
constexpr uint32_t kWmMButtonUp = 0x0208;
constexpr uint32_t kWmMouseWheel = 0x020A;
constexpr uint32_t kWmXButtonDown = 0x020B;
constexpr uint32_t kWmXButtonUp = 0x020C;
// Keyboard messages as a WH_KEYBOARD_LL hook sees them (wParam).
constexpr uint32_t kWmKeyDown = 0x0100;
constexpr uint32_t kWmKeyUp = 0x0101;

// MSLLHOOKSTRUCT.mouseData of the X buttons (high word).
constexpr uint32_t kXButton1Data = 0x10000;
constexpr uint32_t kXButton2Data = 0x20000;
// Hook flags.
constexpr uint32_t kLlkhfInjected = 0x10;
constexpr uint32_t kLlkhfUp = 0x80;
constexpr uint32_t kLlmhfInjected = 0x01;

// mouse_event flags.
constexpr uint32_t kMouseEventLeftDown = 0x0002;
constexpr uint32_t kMouseEventLeftUp = 0x0004;
constexpr uint32_t kMouseEventRightDown = 0x0008;
constexpr uint32_t kMouseEventRightUp = 0x0010;
constexpr uint32_t kMouseEventMiddleDown = 0x0020;
constexpr uint32_t kMouseEventMiddleUp = 0x0040;
// keybd_event flags.
constexpr uint32_t kKeyEventKeyUp = 0x0002;

// SystemParametersInfoW actions and flags.
constexpr uint32_t kSpiGetMouse = 0x0003;
constexpr uint32_t kSpiSetMouse = 0x0004;
constexpr uint32_t kSpiSetDoubleClickTime = 0x0020;
constexpr uint32_t kSpiGetWheelScrollLines = 0x0068;
constexpr uint32_t kSpiSetWheelScrollLines = 0x0069;
constexpr uint32_t kSpiGetMouseSpeed = 0x0070;
constexpr uint32_t kSpiSetMouseSpeed = 0x0071;
constexpr uint32_t kSpifUpdateIniFile = 0x01;
constexpr uint32_t kSpifSendChange = 0x02;

}  // namespace z718::win

namespace z718::platform {

// KBDLLHOOKSTRUCT, with the message (wParam) beside it.
struct KeyboardHookEvent {
    uint32_t message = win::kWmKeyDown;
    uint32_t vkCode = 0;
    uint32_t scanCode = 0;
    uint32_t flags = 0;  // kLlkhfUp, kLlkhfInjected
    uint32_t time = 0;   // milliseconds, as GetTickCount
};

// MSLLHOOKSTRUCT, with the message (wParam) beside it.
struct MouseHookEvent {
    uint32_t message = win::kWmMouseMove;
    int32_t x = 0;
    int32_t y = 0;
    uint32_t mouseData = 0;
    uint32_t flags = 0;  // kLlmhfInjected
    uint32_t time = 0;
};

// A hook procedure returns true to swallow the event (the hook returns 1) and false to pass it
// on (CallNextHookEx). nCode is the hook's code; negative codes must be passed on.
using KeyboardHookProc = std::function<bool(int nCode, const KeyboardHookEvent&)>;
using MouseHookProc = std::function<bool(int nCode, const MouseHookEvent&)>;

// WH_KEYBOARD_LL and WH_MOUSE_LL for the whole system. install() sets the keyboard hook first,
// then the mouse hook; uninstall() removes them in the same order. The procedures may run on
// a thread of the backend's own; they must not block.
class InputHooks {
public:
    virtual ~InputHooks() = default;
    virtual bool install(KeyboardHookProc keyboard, MouseHookProc mouse) = 0;
    virtual void uninstall() = 0;
};

// mouse_event and keybd_event. The events come back through the hooks flagged as injected.
// Callable from any thread.
class InputInjector {
public:
    virtual ~InputInjector() = default;
    virtual void mouseEvent(uint32_t flags) = 0;
    virtual void keybdEvent(uint8_t vk, uint8_t scan, uint32_t flags) = 0;
};

// The pointer settings, with SystemParametersInfoW's contract. The actions used:
// - kSpiSetMouseSpeed: the speed 1..20 travels in pvParam as an integer (not a pointer);
//   kSpiGetMouseSpeed writes an int to *pvParam. Default 10. (Wine 8 reads the speed from
//   uiParam instead.)
// - kSpiSetWheelScrollLines: uiParam lines; kSpiGetWheelScrollLines writes a uint32_t to
//   *pvParam. Default 3.
// - kSpiSetDoubleClickTime: uiParam milliseconds; 0 means the default 500, values above 5000
//   become 5000. Read back with doubleClickTime() (GetDoubleClickTime).
// - kSpiGetMouse / kSpiSetMouse: pvParam points to int[3] = first threshold, second threshold,
//   acceleration. Default {6, 10, 1}.
// fWinIni takes kSpifUpdateIniFile | kSpifSendChange. Returns false when the system refuses.
// GUI thread only.
class PointerSettings {
public:
    virtual ~PointerSettings() = default;
    virtual bool systemParametersInfo(uint32_t action, uint32_t uiParam, void* pvParam,
                                      uint32_t fWinIni) = 0;
    virtual uint32_t doubleClickTime() = 0;
};

}  // namespace z718::platform
