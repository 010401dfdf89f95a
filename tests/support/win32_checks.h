#pragma once

// The checks of the Win32 tests, which run under Wine without Qt: each check prints a line, and
// the test's exit code says whether any failed.

#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>

namespace z718::testing {

inline int failedChecks = 0;

inline void check(bool ok, const char* what) {
    std::printf("%s: %s\n", ok ? "PASS" : "FAIL", what);
    std::fflush(stdout);
    failedChecks += ok ? 0 : 1;
}

// Polls until `done` holds, calling `between` between polls. The bound only catches a hang: a
// busy machine under Wine can take many times the usual moment.
inline bool waitFor(const std::function<bool()>& done, const std::function<void()>& between = {}) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        if (between) {
            between();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

inline int checksResult() {
    std::printf("%d failed\n", failedChecks);
    return failedChecks == 0 ? 0 : 1;
}

}  // namespace z718::testing
