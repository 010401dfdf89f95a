#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

namespace z718::platform {

// A thread that does nothing but run its message loop, for what Windows calls back on the
// thread that registered it: low-level hooks, out-of-context event hooks. Windows silently
// removes a low-level hook whose thread does not answer within its time-out, and a GUI thread
// can be busy for long stretches.
class MessageThread {
public:
    ~MessageThread();
    // Runs `setUp` on a new thread and returns its answer once it has run. The loop runs only
    // when it succeeded; `tearDown` runs on the thread in either case, after the loop. False also
    // while the thread already runs.
    bool start(std::function<bool()> setUp, std::function<void()> tearDown);
    // Ends the loop, runs `tearDown` and waits for the thread.
    void stop();

    bool running() const { return thread_.joinable(); }

private:
    std::thread thread_;
    std::atomic<uint32_t> threadId_{0};
};

// Low-level keyboard and mouse hook procedures on a message thread of their own.
class LowLevelHooks {
public:
    // A HOOKPROC, spelled without <windows.h>.
    using Procedure = std::intptr_t(__stdcall*)(int code, std::uintptr_t, std::intptr_t);

    // Sets both procedures (a null one is left out); false, with none set, when one could not
    // be set or they are set already.
    bool set(Procedure keyboard, Procedure mouse);
    void unset() { thread_.stop(); }
    bool isSet() const { return thread_.running(); }

private:
    MessageThread thread_;
};

}  // namespace z718::platform
