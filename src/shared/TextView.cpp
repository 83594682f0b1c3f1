#include "shared/TextView.h"

#include <cstdint>

#include <sys/mman.h>
#include <unistd.h>

namespace qzCore {

void TextView::giveBack() {
    static const std::uintptr_t page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    // Whole pages strictly behind the reader: the page it reads in stays.
    const std::uintptr_t from = (reinterpret_cast<std::uintptr_t>(m_released) + page - 1) / page * page;
    const std::uintptr_t to = reinterpret_cast<std::uintptr_t>(gptr()) / page * page;
    if (to <= from) return;
    // The pages stay in the process, empty; a failure only keeps them.
    madvise(reinterpret_cast<void*>(from), to - from, MADV_DONTNEED);
    m_released = reinterpret_cast<const char*>(to);
}

}  // namespace qzCore
