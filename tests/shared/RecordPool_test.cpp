// The record pool: blocks handed out are distinct and keep what is written
// in them, whichever thread takes or frees them, and records freed through
// their base class go back as the size they were taken as.  The huge
// blocks the pool and the readers map are whole, aligned and zeroed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <thread>
#include <utility>
#include <vector>

#include "qzCore/parsing/DataStruct.h"
#include "qzCore/records/GDTypes.h"
#include "qzCore/records/GeoData.h"
#include "src/shared/HugePages.h"
#include "src/shared/RecordPool.h"
#include "tests/support/Values.h"

namespace {

using qzCore::recordAllocate;
using qzCore::recordDeallocate;

struct Block {
    unsigned char* at;
    std::size_t size;
};

// Every byte of a block holds a mark of its own block.
void mark(const Block& b, std::size_t id) { std::memset(b.at, int(id % 251) + 1, b.size); }
bool marked(const Block& b, std::size_t id) {
    return std::all_of(b.at, b.at + b.size, [&](unsigned char c) { return c == (id % 251) + 1; });
}

// Live blocks never overlap.
bool disjoint(std::vector<Block> blocks) {
    std::sort(blocks.begin(), blocks.end(), [](const Block& a, const Block& b) { return a.at < b.at; });
    for (std::size_t i = 1; i < blocks.size(); ++i) {
        if (blocks[i - 1].at + blocks[i - 1].size > blocks[i].at) return false;
    }
    return true;
}

std::vector<Block> take(std::size_t count, std::size_t salt) {
    std::vector<Block> out;
    for (std::size_t i = 0; i < count; ++i) {
        // Every pooled size, the boundary, and one beyond it.
        const std::size_t size = 1 + (i * 37 + salt) % (qzCore::Max_Pooled_Size + 16);
        Block b{static_cast<unsigned char*>(recordAllocate(size)), size};
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(b.at) % 8, 0u);
        out.push_back(b);
    }
    return out;
}

}  // namespace

TEST(RecordPool, BlocksAreDistinctAndKeepTheirContents) {
    std::vector<Block> blocks = take(20000, 0);
    for (std::size_t i = 0; i < blocks.size(); ++i) mark(blocks[i], i);
    EXPECT_TRUE(disjoint(blocks));
    // Free every other block and take as many again: the reused ones must
    // not land on the survivors.
    std::vector<Block> kept;
    std::vector<std::size_t> keptIds;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        if (i % 2) {
            recordDeallocate(blocks[i].at, blocks[i].size);
        } else {
            kept.push_back(blocks[i]);
            keptIds.push_back(i);
        }
    }
    std::vector<Block> again = take(10000, 11);
    for (std::size_t i = 0; i < again.size(); ++i) mark(again[i], i + 7);
    for (std::size_t i = 0; i < kept.size(); ++i) ASSERT_TRUE(marked(kept[i], keptIds[i])) << i;
    std::vector<Block> all = kept;
    all.insert(all.end(), again.begin(), again.end());
    EXPECT_TRUE(disjoint(all));
    for (const Block& b : all) recordDeallocate(b.at, b.size);
    recordDeallocate(nullptr, 8);  // ignored
}

TEST(RecordPool, BlocksCrossThreadsAndOutliveTheThreadThatTookThem) {
    // Workers take blocks and end; the main thread checks and frees them;
    // then more workers take blocks again (from the depot the ended
    // threads filled) while the first ones are still partly alive.
    constexpr int Workers = 4;
    std::vector<std::vector<Block>> taken(Workers);
    std::vector<std::thread> threads;
    for (int w = 0; w < Workers; ++w) {
        threads.emplace_back([&taken, w] {
            taken[std::size_t(w)] = take(5000, std::size_t(w));
            for (std::size_t i = 0; i < taken[std::size_t(w)].size(); ++i) {
                mark(taken[std::size_t(w)][i], i + std::size_t(w));
            }
            // Give back a third on this thread before it ends.
            for (std::size_t i = 0; i < taken[std::size_t(w)].size(); i += 3) {
                recordDeallocate(taken[std::size_t(w)][i].at, taken[std::size_t(w)][i].size);
                taken[std::size_t(w)][i].at = nullptr;
            }
        });
    }
    for (std::thread& t : threads) t.join();
    threads.clear();

    std::vector<Block> alive;
    std::vector<std::size_t> aliveIds;
    for (int w = 0; w < Workers; ++w) {
        for (std::size_t i = 0; i < taken[std::size_t(w)].size(); ++i) {
            if (!taken[std::size_t(w)][i].at) continue;
            ASSERT_TRUE(marked(taken[std::size_t(w)][i], i + std::size_t(w)));
            alive.push_back(taken[std::size_t(w)][i]);
            aliveIds.push_back(i + std::size_t(w));
        }
    }
    std::vector<std::vector<Block>> second(Workers);
    for (int w = 0; w < Workers; ++w) {
        threads.emplace_back([&second, w] {
            second[std::size_t(w)] = take(5000, 100 + std::size_t(w));
            for (std::size_t i = 0; i < second[std::size_t(w)].size(); ++i) mark(second[std::size_t(w)][i], i + 50);
        });
    }
    for (std::thread& t : threads) t.join();
    for (std::size_t i = 0; i < alive.size(); ++i) ASSERT_TRUE(marked(alive[i], aliveIds[i]));
    std::vector<Block> all = alive;
    for (const auto& s : second) all.insert(all.end(), s.begin(), s.end());
    EXPECT_TRUE(disjoint(all));
    for (const Block& b : all) recordDeallocate(b.at, b.size);
}

TEST(RecordPool, MadeOnOneThreadAndFreedOnAnotherTheMemoryIsMadeAgain) {
    // A loader thread makes records, another frees them, round after
    // round: the freed blocks must come back to the loader rather than the
    // pool taking new slabs every round.
    constexpr std::size_t Size = 40, Count = 200000, Rounds = 12;
    const qzCore::RecordPoolStatistics before = qzCore::recordPoolStatistics();
    std::vector<void*> blocks(Count);
    for (std::size_t round = 0; round < Rounds; ++round) {
        std::thread loader([&] {
            for (void*& b : blocks) b = recordAllocate(Size);
        });
        loader.join();
        for (void* b : blocks) recordDeallocate(b, Size);
    }
    const qzCore::RecordPoolStatistics after = qzCore::recordPoolStatistics();
    if (after.active) {
        // One round takes 8 MB; without the hand-over twelve rounds took
        // 96 MB.
        EXPECT_LT(after.slabBytes - before.slabBytes, 3 * Count * Size);
    }
}

TEST(RecordPool, RecordsFreedThroughTheirBaseGoBackAtTheirOwnSize) {
    // A fault is bigger than a plane: were it given back as a plane's
    // block, the next fault would overlap the next plane and their values
    // would run into each other.
    using namespace qzCore;
    auto fault = [](int i) {
        DataStruct d = faultValues(i % 360, i % 91, (i * 7) % 360, i % 91, 0);
        d.setRake(i % 181);
        return std::unique_ptr<GeoData>(std::make_unique<FaultData>(TokenStruct(), d));
    };
    auto plane = [](int i) {
        return std::unique_ptr<GeoData>(std::make_unique<PlaneData>(TokenStruct(), planeValues((i * 3) % 360, (i * 5) % 91)));
    };
    std::vector<std::unique_ptr<GeoData>> records;
    for (int i = 0; i < 3000; ++i) records.push_back(fault(i));
    records.clear();
    for (int i = 0; i < 6000; ++i) records.push_back(i % 2 ? fault(i) : plane(i));
    for (int i = 0; i < 6000; ++i) {
        const LightweightDataStruct& d = *records[std::size_t(i)]->data();
        if (i % 2) {
            ASSERT_EQ(d.getStrike(), i % 360);
            ASSERT_EQ(d.getRake(), i % 181);
            ASSERT_EQ(d.getTrend(), (i * 7) % 360);
        } else {
            ASSERT_EQ(d.getStrike(), (i * 3) % 360);
            ASSERT_EQ(d.getDip(), (i * 5) % 91);
        }
    }
}

namespace qzCore {
namespace {

// Huge blocks: whole huge pages, aligned to one, zeroed, every byte ours.
TEST(HugeBlock, WholeAlignedZeroedPages) {
    for (const std::size_t asked : {std::size_t(1), Huge_Page_Size - 1, Huge_Page_Size, Huge_Page_Size + 1,
                                    std::size_t(6) * 1000 * 1000}) {
        SCOPED_TRACE(asked);
        const HugeBlock block(asked);
        ASSERT_NE(block.data(), nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block.data()) % Huge_Page_Size, 0u);
        EXPECT_GE(block.size(), asked);
        EXPECT_LT(block.size() - asked, Huge_Page_Size);
        EXPECT_EQ(block.size() % Huge_Page_Size, 0u);
        auto* const bytes = static_cast<unsigned char*>(block.data());
        EXPECT_EQ(bytes[0], 0);
        EXPECT_EQ(bytes[block.size() - 1], 0);
        std::memset(bytes, 0xA5, block.size());
        EXPECT_EQ(bytes[block.size() - 1], 0xA5);
    }
    // A size that is no whole number of huge pages, or none at all, is
    // refused rather than rounded behind the caller's back.
    EXPECT_EQ(mapHugeAligned(0), nullptr);
    EXPECT_EQ(mapHugeAligned(Huge_Page_Size + 4096), nullptr);
    EXPECT_EQ(mapHugeAligned(SIZE_MAX - 1), nullptr);
    EXPECT_THROW(HugeBlock(SIZE_MAX - 16), std::bad_alloc);
}

}  // namespace
}  // namespace qzCore
