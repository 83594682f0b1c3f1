#include "qzCore/shared/Threads.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace qzCore {

namespace {

#ifdef QZCORE_NO_THREADS
constexpr bool Built_With_Threads = false;
#else
constexpr bool Built_With_Threads = true;
#endif

bool fromEnvironment() {
    const char* v = std::getenv("QZCORE_THREADS");
    return !(v && std::strcmp(v, "0") == 0);
}

std::atomic<bool>& enabled() {
    static std::atomic<bool> on{Built_With_Threads && fromEnvironment()};
    return on;
}

}  // namespace

bool threadsEnabled() { return enabled().load(std::memory_order_relaxed); }

void setThreadsEnabled(bool on) { enabled().store(Built_With_Threads && on, std::memory_order_relaxed); }

}  // namespace qzCore
