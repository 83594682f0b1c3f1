// Large working memory in 2 MiB pages.
//
// Memory fresh from the system costs a page fault the first time each
// 4 KiB page is touched; in a virtual machine a fault costs a microsecond
// or two, so a few megabytes touched once (the record pool's slabs, the
// batches of rows a reading thread hands over) spend milliseconds there.
// Blocks mapped here are aligned to 2 MiB and marked for transparent huge
// pages, so the system may back each 2 MiB with one page and one fault.
// Where it does not (huge pages off, or not granted), they are ordinary
// zeroed pages and everything works the same, only slower.
#ifndef QZCORE_SHARED_HUGEPAGES_H
#define QZCORE_SHARED_HUGEPAGES_H

#include <cstddef>

namespace qzCore {

/// The page size huge blocks are aligned to, bytes.
constexpr std::size_t Huge_Page_Size = std::size_t(2) << 20;

/// Maps `size` bytes (a multiple of Huge_Page_Size) aligned to
/// Huge_Page_Size, zero-filled and marked for huge pages; null when the
/// system gives no such mapping.
void* mapHugeAligned(std::size_t size) noexcept;
/// Returns a block from mapHugeAligned (`size` as given there).
void unmapHugeAligned(void* block, std::size_t size) noexcept;

/// Marks the whole huge pages inside [block, block + size) of memory not
/// yet touched (a large buffer just allocated) for huge pages; the rest
/// stays as it is.  Nothing happens where the system has no huge pages.
void adviseHugePages(void* block, std::size_t size) noexcept;

/// An owned block of at least `size` bytes (rounded up to whole huge pages)
/// from mapHugeAligned, given back when the block ends.
class HugeBlock {
public:
    /// @throw std::bad_alloc when the system gives no memory.
    explicit HugeBlock(std::size_t size);
    ~HugeBlock();
    HugeBlock(const HugeBlock&) = delete;
    HugeBlock& operator=(const HugeBlock&) = delete;

    void* data() const { return m_block; }
    /// Bytes mapped (a multiple of Huge_Page_Size).
    std::size_t size() const { return m_size; }

private:
    void* m_block = nullptr;
    std::size_t m_size = 0;
};

}  // namespace qzCore

#endif  // QZCORE_SHARED_HUGEPAGES_H
