#include "platform/win32/win32_input.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace z718::platform {

// The numbers the portable side uses must be Windows' own.
static_assert(win::kWmLButtonDown == WM_LBUTTONDOWN && win::kWmXButtonUp == WM_XBUTTONUP);
static_assert(win::kLlkhfInjected == LLKHF_INJECTED && win::kLlkhfUp == LLKHF_UP);
static_assert(win::kLlmhfInjected == LLMHF_INJECTED);
static_assert(win::kMouseEventMiddleUp == MOUSEEVENTF_MIDDLEUP);
static_assert(win::kKeyEventKeyUp == KEYEVENTF_KEYUP);
static_assert(win::kSpiSetMouseSpeed == SPI_SETMOUSESPEED && win::kSpiGetMouse == SPI_GETMOUSE);
static_assert(win::kSpiSetWheelScrollLines == SPI_SETWHEELSCROLLLINES);
static_assert(win::kSpiSetDoubleClickTime == SPI_SETDOUBLECLICKTIME);

namespace {

// Set before the hook thread starts and cleared after it ended, so the procedures read them
// without a lock.
KeyboardHookProc g_keyboard;
MouseHookProc g_mouse;

LRESULT CALLBACK keyboardProc(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode >= 0) {
        const auto* info = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        const KeyboardHookEvent event{static_cast<uint32_t>(wParam), info->vkCode, info->scanCode,
                                      info->flags, info->time};
        if (g_keyboard(nCode, event)) {
            return 1;
        }
    }
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}

LRESULT CALLBACK mouseProc(int nCode, WPARAM wParam, LPARAM lParam) {
    const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    const MouseHookEvent event{static_cast<uint32_t>(wParam),
                               info->pt.x,
                               info->pt.y,
                               info->mouseData,
                               info->flags,
                               info->time};
    if (g_mouse(nCode, event)) {
        return 1;
    }
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}

}  // namespace

Win32Hooks::~Win32Hooks() {
    uninstall();
}

bool Win32Hooks::install(KeyboardHookProc keyboard, MouseHookProc mouse) {
    if (hooks_.isSet()) {
        return false;
    }
    g_keyboard = std::move(keyboard);
    g_mouse = std::move(mouse);
    if (!hooks_.set(keyboardProc, mouseProc)) {
        uninstall();
        return false;
    }
    return true;
}

void Win32Hooks::uninstall() {
    hooks_.unset();
    g_keyboard = nullptr;
    g_mouse = nullptr;
}

void Win32Injector::mouseEvent(uint32_t flags) {
    mouse_event(flags, 0, 0, 0, 0);
}

void Win32Injector::keybdEvent(uint8_t vk, uint8_t scan, uint32_t flags) {
    keybd_event(vk, scan, flags, 0);
}

bool Win32PointerSettings::systemParametersInfo(uint32_t action, uint32_t uiParam, void* pvParam,
                                                uint32_t fWinIni) {
    return SystemParametersInfoW(action, uiParam, pvParam, fWinIni) != FALSE;
}

uint32_t Win32PointerSettings::doubleClickTime() {
    return GetDoubleClickTime();
}

}  // namespace z718::platform
