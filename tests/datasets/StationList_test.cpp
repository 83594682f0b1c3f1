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

}  // namespace
}  // namespace qzCore
