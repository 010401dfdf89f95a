// The program's executable on Linux: sets the C library's start-time settings, then loads the
// program proper (a library) and runs it. It needs none of Qt's libraries, so that starting it
// again for those settings costs next to nothing.
#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/heap.h"

namespace {

// The folder of the executable itself (not of a link to it), with its trailing slash.
std::string ownFolder() {
    char self[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) {
        return "./";
    }
    const std::string path(self, static_cast<size_t>(length));
    return path.substr(0, path.rfind('/') + 1);
}

}  // namespace

int main(int argc, char* argv[]) {
    z718::platform::restartWithLeanHeap(argv);
    const std::string library = ownFolder() + Z718_PROGRAM_LIBRARY;
    void* program = dlopen(library.c_str(), RTLD_NOW);
    if (!program) {
        std::fprintf(stderr, "z718: cannot load the program: %s\n", dlerror());
        return 1;
    }
    using Entry = int (*)(int, char*[]);
    const auto entry = reinterpret_cast<Entry>(dlsym(program, "z718_main"));
    if (!entry) {
        std::fprintf(stderr, "z718: %s holds no program: %s\n", library.c_str(), dlerror());
        return 1;
    }
    return entry(argc, argv);
}
