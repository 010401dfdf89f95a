#include "platform/win32/precise_sleep.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace z718::platform {

namespace {

// One timer per sleeping thread, closed when the thread ends.
class ThreadTimer {
public:
    ThreadTimer() {
        handle_ = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                         TIMER_ALL_ACCESS);
        if (!handle_) {
            // Windows before 10 1803 has no high-resolution timers: raise the system timer's
            // resolution instead, for as long as this thread sleeps on it.
            timeBeginPeriod(1);
            raisedPeriod_ = true;
            handle_ = CreateWaitableTimerW(nullptr, TRUE, nullptr);
        }
    }
    ~ThreadTimer() {
        if (handle_) {
            CloseHandle(handle_);
        }
        if (raisedPeriod_) {
            timeEndPeriod(1);
        }
    }
    HANDLE handle() const { return handle_; }

private:
    HANDLE handle_ = nullptr;
    bool raisedPeriod_ = false;
};

}  // namespace

void win32SleepUntil(std::chrono::steady_clock::time_point deadline) {
    using namespace std::chrono;
    const auto remaining = duration_cast<nanoseconds>(deadline - steady_clock::now());
    if (remaining <= nanoseconds::zero()) {
        return;
    }
    thread_local ThreadTimer timer;
    LARGE_INTEGER due;
    due.QuadPart = -static_cast<LONGLONG>(remaining.count() / 100);  // relative, 100 ns units
    if (timer.handle() && SetWaitableTimer(timer.handle(), &due, 0, nullptr, nullptr, FALSE)) {
        WaitForSingleObject(timer.handle(), INFINITE);
    } else {
        Sleep(static_cast<DWORD>(duration_cast<milliseconds>(remaining).count()));
    }
}

}  // namespace z718::platform
