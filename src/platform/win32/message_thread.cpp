#include "platform/win32/message_thread.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <future>
#include <memory>
#include <type_traits>

namespace z718::platform {

static_assert(std::is_same_v<LowLevelHooks::Procedure, HOOKPROC>);

MessageThread::~MessageThread() {
    stop();
}

bool MessageThread::start(std::function<bool()> setUp, std::function<void()> tearDown) {
    if (thread_.joinable()) {
        return false;
    }
    auto started = std::make_shared<std::promise<bool>>();
    auto result = started->get_future();
    thread_ =
        std::thread([this, started, setUp = std::move(setUp), tearDown = std::move(tearDown)] {
            MSG msg;
            // Creates this thread's message queue, so stop's WM_QUIT cannot get lost.
            PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
            threadId_.store(GetCurrentThreadId());
            const bool ready = setUp();
            started->set_value(ready);
            while (ready && GetMessageW(&msg, nullptr, 0, 0) > 0) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            tearDown();
        });
    if (!result.get()) {
        stop();
        return false;
    }
    return true;
}

void MessageThread::stop() {
    if (!thread_.joinable()) {
        return;
    }
    PostThreadMessageW(threadId_.load(), WM_QUIT, 0, 0);
    thread_.join();
}

bool LowLevelHooks::set(Procedure keyboard, Procedure mouse) {
    auto hooks = std::make_shared<std::pair<HHOOK, HHOOK>>();
    const auto hook = [](int type, Procedure procedure) {
        return procedure ? SetWindowsHookExW(type, procedure, GetModuleHandleW(nullptr), 0)
                         : nullptr;
    };
    return thread_.start(
        [=] {
            hooks->first = hook(WH_KEYBOARD_LL, keyboard);
            hooks->second = hook(WH_MOUSE_LL, mouse);
            return (hooks->first || !keyboard) && (hooks->second || !mouse);
        },
        [hooks] {
            for (HHOOK set : {hooks->first, hooks->second}) {
                if (set) {
                    UnhookWindowsHookEx(set);
                }
            }
        });
}

}  // namespace z718::platform
