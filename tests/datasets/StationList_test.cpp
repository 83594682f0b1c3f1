#include "qzCore/datasets/StationList.h"

#include <string>

#include <gtest/gtest.h>

namespace qzCore {
namespace {

TEST(StationList, LimitOfAThousand) {
    StationList s;
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(s.insertStation("W" + std::to_string(i)), i);
    EXPECT_EQ(s.insertStation("one too many"), -1);
    EXPECT_EQ(s.getNumStations(), 1000);
    EXPECT_EQ(s.insertStation(static_cast<const char*>(nullptr)), -1);
}

TEST(StationList, DestroyKeepsLaterIndexes) {
    StationList s;
    s.insertStation("A");
    s.insertStation("B");
    s.insertStation("C");
    s.destroyStation_FromId("B");
    EXPECT_EQ(s.getNumStations(), 3);
    EXPECT_EQ(s.getStationId_FromIndex(1), "");
    EXPECT_EQ(s.getStationIndex_FromId("C"), 2);
    EXPECT_EQ(s.getStationIndex_FromId(""), -1);  // the empty slot is not found
    s.destroyStation_FromId("C");
    EXPECT_EQ(s.getNumStations(), 2);
    s.destroyStation_FromId("nope");
    EXPECT_EQ(s.getNumStations(), 2);
    EXPECT_EQ(s.getStationId_FromIndex(7), "");
    EXPECT_FALSE(s.isValidIndex(-1));
}

TEST(StationList, DuplicatesAreNotCheckedAndTheFirstWins) {
    StationList s;
    s.insertStation("A");
    EXPECT_EQ(s.insertStation("A"), 1);
    EXPECT_EQ(s.getStationIndex_FromId("A"), 0);
}

TEST(StationManager, KeyedTableWithInvalidKey) {
    StationManager m;
    EXPECT_EQ(m.nullKey(), char(-1));
    m.set(3, "W-3");
    StationManager copy(m);
    m.unregister(3);
    std::string id;
    EXPECT_TRUE(copy.get(char(3), id));
    EXPECT_EQ(id, "W-3");
}

TEST(SelectionManager, TwoIndependentSelections) {
    SelectionManager s;
    s.addSelectedData(5);
    s.addSelectedData(5);
    s.addSelectedData(6);
    EXPECT_EQ(s.getSelCount(SelectionManager::Selection_Primary), 2u);
    EXPECT_TRUE(s.dataAreSelected(1, 2));
    EXPECT_FALSE(s.dataAreSelected(0, 1));
    s.setSelectedData({1, 2, 3}, SelectionManager::Selection_Secondary);
    EXPECT_EQ(s.getSelCount(0), 3u);
    EXPECT_EQ(s.getSelectedData(7).size(), 2u);  // any other type: the primary list
    s.setSelCount(5, 99);
    EXPECT_EQ(s.getSelCount(1), 2u);
    s.clearSelection(0);
    EXPECT_TRUE(s.getSelectedData(0).empty());
    EXPECT_EQ(s.getSelCount(1), 2u);
    s.clearAll();
    EXPECT_EQ(s.getSelCount(1), 0u);
}

}  // namespace
}  // namespace qzCore
