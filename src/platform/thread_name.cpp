#include "platform/thread_name.h"

#ifdef __linux__
#include <pthread.h>
#endif

namespace z718::platform {

void nameThisThread([[maybe_unused]] const char* name) {
#ifdef __linux__
    pthread_setname_np(pthread_self(), name);
#endif
}

}  // namespace z718::platform
