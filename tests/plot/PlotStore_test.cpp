// The plot store: keys in order, points at a key in the order they came,
// whether they were sorted in one by one or in bulk, and keys outside the
// whole-degree index.
#include <gtest/gtest.h>

#include "qzCore/plot/PlotStore.h"

namespace qzCore {
namespace {

DataPlotPoint point(unsigned ref) { return DataPlotPoint(GraphicsStyle(), ref); }

TEST(PlotStore, BulkAppendsKeepTheirOrderAtEachKey) {
    // Enough points and keys for the bulk path and the index: 5000 points
    // over 700 keys, each key's references rising.
    PlotStore store;
    for (unsigned i = 0; i < 5000; ++i) store.append(TwoDPoint<int>(int(i % 350), int(i / 350 % 2)), point(i));
    EXPECT_EQ(store.size(), 700u);
    TwoDPoint<int> previous(-1, -1);
    std::size_t points = 0;
    for (const auto& entry : store) {
        EXPECT_TRUE(TwoDPointLess()(previous, entry.first));
        previous = entry.first;
        for (std::size_t k = 1; k < entry.second.size(); ++k) {
            EXPECT_LT(entry.second[k - 1].getDataRef(), entry.second[k].getDataRef());
        }
        points += entry.second.size();
    }
    EXPECT_EQ(points, 5000u);
    // Later points go after the earlier ones, by any route.
    store.append(TwoDPoint<int>(0, 0), point(9000));
    store[TwoDPoint<int>(0, 0)].push_back(point(9001));
    const std::vector<DataPlotPoint>& at = store.at(TwoDPoint<int>(0, 0));
    EXPECT_EQ(at[at.size() - 2].getDataRef(), 9000u);
    EXPECT_EQ(at.back().getDataRef(), 9001u);
}

TEST(PlotStore, KeysOutsideTheIndexAndEditing) {
    PlotStore store;
    for (unsigned i = 0; i < 600; ++i) store.append(TwoDPoint<int>(int(i % 360), 10), point(i));
    store.append(TwoDPoint<int>(-5, 10), point(1));
    store.append(TwoDPoint<int>(400, 200), point(2));
    store.append(TwoDPoint<int>(-5, 10), point(3));
    EXPECT_EQ(store.count(TwoDPoint<int>(-5, 10)), 1u);
    EXPECT_EQ(store.at(TwoDPoint<int>(-5, 10)).back().getDataRef(), 3u);
    EXPECT_EQ(store.begin()->first, TwoDPoint<int>(-5, 10));
    EXPECT_EQ(store.rbegin()->first, TwoDPoint<int>(400, 200));
    EXPECT_EQ(store.erase(TwoDPoint<int>(10, 10)), 1u);
    EXPECT_EQ(store.count(TwoDPoint<int>(10, 10)), 0u);
    store.append(TwoDPoint<int>(10, 10), point(77));  // a key erased comes back fresh
    EXPECT_EQ(store.at(TwoDPoint<int>(10, 10)).size(), 1u);
    PlotStore copy(store);
    PlotStore other;
    other.swap(copy);
    EXPECT_EQ(other.size(), store.size());
    EXPECT_TRUE(copy.empty());
    store.clear();
    EXPECT_TRUE(store.empty());
    store.append(TwoDPoint<int>(1, 1), point(5));
    EXPECT_FALSE(store.empty());
    EXPECT_EQ(store.size(), 1u);
}

}  // namespace
}  // namespace qzCore
