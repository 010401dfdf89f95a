#include "platform/heap.h"

#include <cstdlib>  // defines __GLIBC__ where it applies
#include <string>

#if defined(__GLIBC__) && defined(__linux__)
#include <malloc.h>
#include <unistd.h>
#endif

namespace z718::platform {

#if defined(__GLIBC__) && defined(__linux__)

namespace {

constexpr char kTunables[] = "GLIBC_TUNABLES";
constexpr char kCacheSize[] = "glibc.malloc.tcache_count";
// Set in the copy started again: what GLIBC_TUNABLES held before ("-" when it was not set), so
// that programs this one starts get the environment it was started with.
constexpr char kStartedWith[] = "Z718_TUNABLES_BEFORE";

void restore(const char* before) {
    if (std::string(before) == "-") {
        unsetenv(kTunables);
    } else {
        setenv(kTunables, before, 1);
    }
    unsetenv(kStartedWith);
}

}  // namespace

void restartWithLeanHeap(char* argv[]) {
    if (const char* before = std::getenv(kStartedWith)) {
        restore(before);
        return;
    }
    const char* current = std::getenv(kTunables);
    const std::string tunables = current ? current : "";
    if (tunables.find(kCacheSize) != std::string::npos) {
        return;
    }
    const std::string lean = std::string(kCacheSize) + "=0";
    setenv(kStartedWith, current ? current : "-", 1);
    setenv(kTunables, (tunables.empty() ? lean : tunables + ":" + lean).c_str(), 1);
    execv("/proc/self/exe", argv);
    restore(current ? current : "-");
}

void returnFreedMemory() {
    malloc_trim(0);
}

#else

void restartWithLeanHeap(char* /*argv*/[]) {}

void returnFreedMemory() {}

#endif

}  // namespace z718::platform
