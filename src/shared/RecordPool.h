// The memory the library's records and their parts live in.
//
// A dataset holds three small objects a record (the record, its values,
// their texts), a million records three million of them.  Taken one by one
// from the general heap they cost a header each, scatter over memory and
// make reading and freeing a large file spend much of its time in the
// allocator.  The record classes therefore take their memory from this
// pool: blocks of a few fixed sizes (multiples of 8 bytes up to
// `Max_Pooled_Size`) carved in order from slabs (64 KiB from the heap; once
// the pool holds 4 MiB, 2 MiB mapped for transparent huge pages, which
// spares a large file tens of thousands of page faults), so the parts of
// consecutive records lie side by side, and freed blocks kept on per-thread
// lists for the next record of their size.
//
// Threads: each thread allocates and frees without locking; a block may be
// freed by another thread than the one that took it (it joins that
// thread's lists).  A thread that ends hands its free blocks back to a
// common depot the others draw on.
//
// Memory taken for records is kept by the process for later records (as
// an allocator keeps its free lists); `recordPoolStatistics` says how much.
// Built with AddressSanitizer the pool steps aside and every block comes
// from the general heap, so use-after-free and leaks stay visible.
#ifndef QZCORE_SHARED_RECORDPOOL_H
#define QZCORE_SHARED_RECORDPOOL_H

#include <cstddef>

namespace qzCore {

/// Largest block the pool serves, bytes; bigger ones come from the heap.
inline constexpr std::size_t Max_Pooled_Size = 256;

/// A block of at least `size` bytes aligned to 8 (every record class needs
/// no more); throws std::bad_alloc when memory is exhausted.
void* recordAllocate(std::size_t size);
/// Gives back a block from recordAllocate of the same `size`.  Null is
/// ignored.
void recordDeallocate(void* block, std::size_t size) noexcept;

/// What the pool holds, bytes: the slabs taken so far, of them those
/// mapped on their own (outside the heap's own count), and the free blocks
/// waiting in the common depot (free blocks on each thread's own lists are
/// not counted).
struct RecordPoolStatistics {
    std::size_t slabBytes = 0;
    std::size_t mappedBytes = 0;
    std::size_t depotFreeBytes = 0;
    /// False when the pool steps aside (sanitizer builds).
    bool active = false;
};
RecordPoolStatistics recordPoolStatistics();

}  // namespace qzCore

#endif  // QZCORE_SHARED_RECORDPOOL_H
