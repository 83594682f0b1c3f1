#include "shared/RecordPool.h"

#include <array>
#include <mutex>
#include <new>
#include <vector>

#include "shared/HugePages.h"

#if defined(__SANITIZE_ADDRESS__)
#define QZCORE_POOL_STEPS_ASIDE 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QZCORE_POOL_STEPS_ASIDE 1
#endif
#endif

namespace qzCore {

#ifdef QZCORE_POOL_STEPS_ASIDE

void* recordAllocate(std::size_t size) { return ::operator new(size); }
void recordDeallocate(void* block, std::size_t) noexcept { ::operator delete(block); }
RecordPoolStatistics recordPoolStatistics() { return {}; }

#else

namespace {

// Blocks are multiples of 8 bytes: class c holds blocks of 8c bytes.
constexpr std::size_t Granule = 8;
constexpr std::size_t Classes = Max_Pooled_Size / Granule + 1;
// A slab is carved in order; 64 KiB keeps it inside the heap proper
// (below glibc's mmap threshold) and wastes little at its end.
constexpr std::size_t Slab_Size = 64 * 1024;
// Once the pool holds this much, it grows by large slabs mapped on their
// own and marked for transparent huge pages: a million records then cost
// a few dozen page faults rather than tens of thousands.
constexpr std::size_t Large_Slab_Size = Huge_Page_Size;
constexpr std::size_t Large_Slabs_After = 4 * 1024 * 1024;
// A thread's free list of one size goes to the depot when it holds this
// many blocks: records made on one thread and freed on another (a loader
// thread and a user interface, say) are then made again from the freed
// ones instead of from new slabs, round after round.
constexpr std::size_t Hand_Over_Blocks = 16384;

struct Slab {
    char* at;
    std::size_t size;
};

struct FreeBlock {
    FreeBlock* next;
};

// The common depot: free blocks handed back by threads that ended, and
// every slab ever taken (kept reachable: the blocks in them are in use or
// on some list).
struct Depot {
    std::mutex lock;
    std::array<FreeBlock*, Classes> free{};
    std::array<FreeBlock*, Classes> last{};
    std::array<std::size_t, Classes> freeCount{};
    std::vector<Slab> slabs;
    std::size_t slabBytes = 0;
    std::size_t mappedBytes = 0;
};

// One free block onto the depot's list of class c (its lock held).
void push(Depot& d, std::size_t c, FreeBlock* f) {
    if (!d.free[c]) d.last[c] = f;
    f->next = d.free[c];
    d.free[c] = f;
    ++d.freeCount[c];
}

// Every whole block of class c in [from, to) onto the depot's list (its
// lock held).
void pushRange(Depot& d, std::size_t c, char* from, const char* to) {
    const std::size_t size = c * Granule;
    for (; from + size <= to; from += size) push(d, c, reinterpret_cast<FreeBlock*>(from));
}

// The class of blocks that holds `size` bytes.
std::size_t classOf(std::size_t size) { return size == 0 ? 1 : (size + Granule - 1) / Granule; }

Depot& depot() {
    // Never destroyed: records in static objects may be freed after every
    // other static is gone.
    static Depot* const d = new Depot;
    return *d;
}

// One thread's lists; trivially destructible so that it can still be used
// after the thread's other thread-locals are gone (records freed during
// the end of the program).
struct Cache {
    std::array<FreeBlock*, Classes> free;
    // The last block of each free list and the list's length, so that an
    // ending thread hands a list of a million blocks over at once.
    std::array<FreeBlock*, Classes> last;
    std::array<std::size_t, Classes> count;
    std::array<char*, Classes> bump;
    std::array<char*, Classes> end;
    bool retired;
};
thread_local Cache t_cache{};

// The same, reached in one load.  Linked into a shared object (the Python
// module) t_cache is found through the dynamic linker on every access;
// this pointer sits in the initial block of thread storage (8 bytes of the
// room the C library keeps for such modules) and is set on first use.
#if defined(__GNUC__)
__attribute__((tls_model("initial-exec")))
#endif
thread_local Cache* t_fast = nullptr;

Cache& cache() {
    Cache* c = t_fast;
    if (!c) {
        c = &t_cache;
        t_fast = c;
    }
    return *c;
}

// A thread's whole (non-empty) free list of class c onto the depot's (its
// lock held).
void splice(Depot& d, Cache& k, std::size_t c) {
    if (!d.free[c]) d.last[c] = k.last[c];
    k.last[c]->next = d.free[c];
    d.free[c] = k.free[c];
    d.freeCount[c] += k.count[c];
    k.free[c] = k.last[c] = nullptr;
    k.count[c] = 0;
}

// Hands the thread's free blocks to the depot when the thread ends.
struct Retirement {
    bool armed = false;
    ~Retirement() {
        if (!armed) return;
        Depot& d = depot();
        std::lock_guard<std::mutex> guard(d.lock);
        for (std::size_t c = 1; c < Classes; ++c) {
            if (t_cache.free[c]) splice(d, t_cache, c);
            // What is left of the slab being carved goes too.
            if (t_cache.bump[c]) pushRange(d, c, t_cache.bump[c], t_cache.end[c]);
            t_cache.bump[c] = t_cache.end[c] = nullptr;
        }
        t_cache.retired = true;
    }
};
thread_local Retirement t_retirement;

// A thread's whole free list of class c to the depot, at once.
void handOver(Cache& k, std::size_t c) {
    Depot& d = depot();
    std::lock_guard<std::mutex> guard(d.lock);
    splice(d, k, c);
}

// A new slab (the depot's lock held).
Slab takeSlab(Depot& d) {
    // Room first: a throw must come before the slab exists.
    if (d.slabs.size() == d.slabs.capacity()) d.slabs.reserve(2 * d.slabs.size() + 64);
    Slab slab{nullptr, Large_Slab_Size};
    if (d.slabBytes >= Large_Slabs_After) slab.at = static_cast<char*>(mapHugeAligned(Large_Slab_Size));
    if (slab.at) {
        d.mappedBytes += slab.size;
    } else {
        slab = {static_cast<char*>(::operator new(Slab_Size)), Slab_Size};
    }
    d.slabs.push_back(slab);
    d.slabBytes += slab.size;
    return slab;
}

void* refill(std::size_t c) {
    Cache& k = cache();
    const std::size_t size = c * Granule;
    Depot& d = depot();
    std::lock_guard<std::mutex> guard(d.lock);
    if (k.retired) {
        // The thread is ending: its lists are gone, the depot serves it.
        if (FreeBlock* b = d.free[c]) {
            d.free[c] = b->next;
            --d.freeCount[c];
            return b;
        }
        const Slab slab = takeSlab(d);
        pushRange(d, c, slab.at + size, slab.at + slab.size);
        return slab.at;
    }
    t_retirement.armed = true;
    if (FreeBlock* b = d.free[c]) {
        // The whole list moves to this thread.
        k.free[c] = b->next;
        k.last[c] = b->next ? d.last[c] : nullptr;
        k.count[c] = d.freeCount[c] - 1;
        d.free[c] = d.last[c] = nullptr;
        d.freeCount[c] = 0;
        return b;
    }
    const Slab slab = takeSlab(d);
    k.bump[c] = slab.at + size;
    k.end[c] = slab.at + slab.size;
    return slab.at;
}

}  // namespace

void* recordAllocate(std::size_t size) {
    if (size > Max_Pooled_Size) return ::operator new(size);
    const std::size_t c = classOf(size);
    Cache& k = cache();
    if (FreeBlock* b = k.free[c]) {
        k.free[c] = b->next;
        --k.count[c];
        return b;
    }
    const std::size_t bytes = c * Granule;
    if (k.bump[c] && k.bump[c] + bytes <= k.end[c]) {
        char* p = k.bump[c];
        k.bump[c] += bytes;
        return p;
    }
    return refill(c);
}

void recordDeallocate(void* block, std::size_t size) noexcept {
    if (!block) return;
    if (size > Max_Pooled_Size) {
        ::operator delete(block);
        return;
    }
    const std::size_t c = classOf(size);
    Cache& k = cache();
    auto* f = static_cast<FreeBlock*>(block);
    if (k.retired) {
        Depot& d = depot();
        std::lock_guard<std::mutex> guard(d.lock);
        push(d, c, f);
        return;
    }
    f->next = k.free[c];
    if (!f->next) {
        k.last[c] = f;
        t_retirement.armed = true;  // a thread that only frees hands its blocks back too
    }
    k.free[c] = f;
    if (++k.count[c] >= Hand_Over_Blocks) handOver(k, c);
}

RecordPoolStatistics recordPoolStatistics() {
    RecordPoolStatistics s;
    s.active = true;
    Depot& d = depot();
    std::lock_guard<std::mutex> guard(d.lock);
    s.slabBytes = d.slabBytes;
    s.mappedBytes = d.mappedBytes;
    for (std::size_t c = 1; c < Classes; ++c) s.depotFreeBytes += d.freeCount[c] * c * Granule;
    return s;
}

#endif

}  // namespace qzCore
