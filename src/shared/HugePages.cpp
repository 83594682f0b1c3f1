#include "shared/HugePages.h"

#include <cstdint>
#include <new>

#include <sys/mman.h>

namespace qzCore {

void* mapHugeAligned(std::size_t size) noexcept {
    if (size == 0 || size % Huge_Page_Size != 0 || size > SIZE_MAX - Huge_Page_Size) return nullptr;
    // Mapped with a huge page to spare, then trimmed to the aligned part.
    const std::size_t span = size + Huge_Page_Size;
    void* p = ::mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) return nullptr;
    const auto base = reinterpret_cast<std::uintptr_t>(p);
    const std::uintptr_t aligned = (base + Huge_Page_Size - 1) & ~std::uintptr_t(Huge_Page_Size - 1);
    if (aligned > base) ::munmap(p, aligned - base);
    const std::uintptr_t tail = aligned + size;
    if (tail < base + span) ::munmap(reinterpret_cast<void*>(tail), base + span - tail);
#ifdef MADV_HUGEPAGE
    ::madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
#endif
    return reinterpret_cast<void*>(aligned);
}

void adviseHugePages(void* block, std::size_t size) noexcept {
#ifdef MADV_HUGEPAGE
    const auto begin = reinterpret_cast<std::uintptr_t>(block);
    if (!block || size > UINTPTR_MAX - begin) return;
    const std::uintptr_t from = (begin + Huge_Page_Size - 1) & ~std::uintptr_t(Huge_Page_Size - 1);
    const std::uintptr_t to = (begin + size) & ~std::uintptr_t(Huge_Page_Size - 1);
    if (to > from) ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
#else
    (void)block;
    (void)size;
#endif
}

void unmapHugeAligned(void* block, std::size_t size) noexcept {
    if (block) ::munmap(block, size);
}

HugeBlock::HugeBlock(std::size_t size) {
    if (size > SIZE_MAX - Huge_Page_Size) throw std::bad_alloc();
    m_size = size == 0 ? Huge_Page_Size : (size + Huge_Page_Size - 1) / Huge_Page_Size * Huge_Page_Size;
    m_block = mapHugeAligned(m_size);
    if (!m_block) throw std::bad_alloc();
}

HugeBlock::~HugeBlock() { unmapHugeAligned(m_block, m_size); }

}  // namespace qzCore
