#include "qzCore/datasets/Reshape.h"

#include <list>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "qzCore/datasets/Data.h"
#include "qzCore/datasets/DataManager.h"
#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/errors/ErrorManager.h"
#include "qzCore/files/FileManager.h"
#include "qzCore/parsing/qzTokenList.h"
#include "qzCore/records/GDTypes.h"
#include "tests/support/Values.h"
#include "tests/support/ScriptedMessages.h"

namespace qzCore {
namespace {

using K = GDTypes;
using S = SubsetParams;

// Angles after a rotation are rounded to whole degrees at each step (the
// pole, the rotated pole, the plane): allow a degree.
constexpr double kRotationTolerance = 1.0;

double axialAngle(int t1, int p1, int t2, int p2) {
    const double a = Matrix_1(double(t1), double(p1)).vectorAngle(Matrix_1(double(t2), double(p2)));
    return a > 90.0 ? 180.0 - a : a;
}

class ReshapeTest : public ::testing::Test {
protected:
    void plane(int strike, int dip) {
        data.insertData(planeValues(strike, dip), TokenStruct());
        data.getLastDataListMember()->generateTokenValues();
    }
    void line(int trend, int plunge) { data.insertData(lineValues(trend, plunge), TokenStruct()); }
    void fault(int strike, int dip, int rake, char slip) {
        data.insertData(faultValues(strike, dip, rake, slip), TokenStruct());
    }
    std::vector<int> strikes() const {
        std::vector<int> v;
        for (const GeoData* g : data.getDataList()) v.push_back(g->data()->getStrike());
        return v;
    }

    ScriptedMessages script{{}};
    ScopedMessageHandler scope{&script};
    ErrorManager errors;
    Data data{ComplexFileName("r"), &errors, 5};
};

TEST_F(ReshapeTest, SortAlternatesUnlessADirectionIsGiven) {
    plane(30, 1);
    plane(10, 1);
    plane(20, 1);
    line(5, 5);  // no strike: stays after the planes
    // The switch for strikes is shared by every dataset and other tests
    // flip it too: check that two sorts in a row go opposite ways.
    data.sortData(SortByField(12, true, false));
    const std::vector<int> once = strikes();
    data.sortData(SortByField(12, true, false));
    const std::vector<int> twice = strikes();
    // One of the two orders descends and the other ascends.
    const std::vector<int> down{30, 20, 10, -1}, up{10, 20, 30, -1};
    EXPECT_TRUE((once == down && twice == up) || (once == up && twice == down));
    EXPECT_NE(once, twice);
    for (int i = 0; i < 3; ++i) {
        data.sortData(SortByField(12, true, true));
        EXPECT_EQ(strikes(), up);
    }
    data.sortData(SortByField(12, false, true));
    EXPECT_EQ(strikes(), down);
    data.sortData(SortByField(5, true, true));  // comments: nothing happens
    EXPECT_EQ(strikes(), down);
    data.sortData(SortByField(18, true, true));  // entry order
    EXPECT_EQ(strikes(), (std::vector<int>{30, 10, 20, -1}));
}

TEST_F(ReshapeTest, SubsetRangesAreOrderedAndInclusive) {
    for (int s : {5, 10, 180, 350, 355}) plane(s, 40);
    S p;
    p.m_usePlaneRanges = true;
    p.setCriteria(S::Subset_PlaneStrike);
    p.m_planeStrike = {350, 10};  // no wrap through north: 10 to 350
    std::list<unsigned int> refs;
    data.subset(p, &refs);
    EXPECT_EQ(refs.size(), 3u);
    EXPECT_EQ(data.getNumData(), 5);  // unchanged with an output list
}

TEST_F(ReshapeTest, FilterRemovesRecordsLackingTheValue) {
    plane(10, 45);
    plane(10, 20);
    line(10, 45);
    fault(0, 50, 90, GDSlipTypes::GDSlipType_NormalSlip);
    fault(0, 50, 90, GDSlipTypes::GDSlipType_ReverseSlip);
    fault(0, 50, 90, GDSlipTypes::GDSlipType_NoSlip);
    S dip;
    dip.m_useFaultRanges = true;
    dip.setCriteria(S::Subset_FaultDip);
    dip.m_faultDip = {30, 60};
    std::list<unsigned int> refs;
    data.subset(dip, &refs);
    EXPECT_EQ(refs.size(), 4u);  // the 45 plane and the three faults
    S slip;
    slip.m_useFaultRanges = true;
    slip.setCriteria(S::Subset_FaultSlip);
    slip.m_slipMask = GDSlipTypes::GDSlipType_NormalSlip;
    refs.clear();
    data.subset(slip, &refs);
    ASSERT_EQ(refs.size(), 1u);
    EXPECT_EQ(data.getDataFromReference(refs.front())->data()->getSlip(), GDSlipTypes::GDSlipType_NormalSlip);
}

TEST_F(ReshapeTest, StationAndLocationFilters) {
    DataStruct a = lineValues(1, 1);
    a.setX(0.0);
    data.initStationId("W-1", a);
    data.insertData(a, TokenStruct());
    DataStruct b = a;
    b.setX(5.0);
    data.initStationId("W-2", b);
    data.insertData(b, TokenStruct());
    S unknown;
    unknown.m_useStations = true;
    unknown.m_stationIds = {"nowhere"};
    std::list<unsigned int> refs;
    data.subset(unknown, &refs);
    EXPECT_EQ(refs.size(), 2u);  // no id found: nothing removed
    S x;
    x.m_useX = true;
    x.setCriteria(S::Subset_X);
    refs.clear();
    data.subset(x, &refs);  // 0 to 0
    EXPECT_EQ(refs.size(), 1u);
    S w2;
    w2.m_useStations = true;
    w2.m_stationIds = {"W-2", "nowhere"};
    refs.clear();
    data.subset(w2, &refs);
    ASSERT_EQ(refs.size(), 1u);
    EXPECT_EQ(data.getDataFromReference(refs.front())->data()->getX(), 5.0);
}

TEST_F(ReshapeTest, InPlaceSubsetKeepsOnlyOrdinaryRecordsUnderNewReferences) {
    plane(10, 20);
    data.addData(std::list<SpecialData>{SpecialData(1, 2, K::GDType_Fisher, nullptr)});
    const unsigned int old = data.getSpecificDataFromIndex(0);
    data.subset(S(), nullptr);
    ASSERT_EQ(data.getNumData(), 1);
    EXPECT_EQ(data.getNumSpecial(), 0);
    EXPECT_NE(data.getSpecificDataFromIndex(0), old);
    EXPECT_EQ(data.getNumPlanes(), 1);
}

TEST_F(ReshapeTest, RotationThereAndBack) {
    plane(30, 40);
    line(120, 25);
    fault(200, 70, 60, GDSlipTypes::GDSlipType_ReverseSlip);
    std::vector<DataStruct> before(3);
    for (int i = 0; i < 3; ++i) data.getSpecificData(unsigned(i))->get(before[std::size_t(i)]);
    data.rotate(RotateParams(true, Rotation_Axis_Trend_Plunge, 57, 300, 20, false), nullptr);
    data.rotate(RotateParams(true, Rotation_Axis_Trend_Plunge, -57, 300, 20, false), nullptr);
    for (int i = 0; i < 3; ++i) {
        DataStruct now;
        data.getSpecificData(unsigned(i))->get(now);
        const DataStruct& b = before[std::size_t(i)];
        if (b.hasStrike()) {
            int t1 = b.getStrike(), p1 = b.getDip(), t2 = now.getStrike(), p2 = now.getDip();
            MyMath().computePole(t1, p1);
            MyMath().computePole(t2, p2);
            EXPECT_LE(axialAngle(t1, p1, t2, p2), kRotationTolerance) << i;
        }
        if (b.hasTrend()) {
            EXPECT_LE(axialAngle(b.getTrend(), b.getPlunge(), now.getTrend(), now.getPlunge()), kRotationTolerance) << i;
        }
    }
}

TEST_F(ReshapeTest, PlaneTurnedAboutItsStrikeByItsDipIsHorizontal) {
    plane(30, 40);
    data.rotate(RotateParams(true, Rotation_Axis_Trend_Plunge, -40, 30, 0, false), nullptr);
    EXPECT_EQ(data.getSpecificData(0)->data()->getDip(), 0);
    EXPECT_STREQ(static_cast<const PlaneData*>(data.getSpecificData(0))->tokens()->getDip(), "0");
}

TEST_F(ReshapeTest, FaultsKeepTheirSlipLineInTheirPlane) {
    fault(200, 70, 60, GDSlipTypes::GDSlipType_ReverseSlip);
    fault(45, 30, 150, GDSlipTypes::GDSlipType_NormalSlip);
    data.rotate(RotateParams(true, Rotation_Axis_Trend_Plunge, 75, 10, 35, false), nullptr);
    for (const GeoData* g : data.getFaultList()) {
        const auto* d = g->data();
        int t = d->getStrike(), p = d->getDip();
        MyMath().computePole(t, p);
        const double normalAngle = Matrix_1(double(t), double(p)).vectorAngle(Matrix_1(double(d->getTrend()), double(d->getPlunge())));
        EXPECT_NEAR(normalAngle, 90.0, 2.0);  // two rounded directions, a degree each
    }
}

TEST_F(ReshapeTest, AngleNormalisationAndRecordsWithoutValues) {
    line(10, 20);
    DataStruct noPlunge;
    noPlunge.setGDType(K::GDType_Line);
    noPlunge.setTrend(50);
    data.insertData(noPlunge, TokenStruct());
    data.rotate(RotateParams(true, Rotation_Axis_Vertical, -90, 0, 0, false), nullptr);
    EXPECT_EQ(data.getSpecificData(0)->data()->getTrend(), 280);  // -90 is 270
    EXPECT_EQ(data.getSpecificData(1)->data()->getTrend(), 50);
    data.rotate(RotateParams(true, Rotation_Axis_Vertical, 400, 0, 0, false), nullptr);
    EXPECT_EQ(data.getSpecificData(0)->data()->getTrend(), 320);  // 400 is 40
    std::list<unsigned int> one{data.getSpecificDataFromIndex(0), 999u};
    data.rotate(RotateParams(true, Rotation_Axis_Vertical, 10, 0, 0, false), &one);
    EXPECT_EQ(data.getSpecificData(0)->data()->getTrend(), 330);
}

TEST_F(ReshapeTest, TypedEntries) {
    GeoDataParams p;
    p.setGDType(K::GDType_Fault);
    p.setStrike("N20E");
    p.setDip("60SE");
    p.setRake("85N");
    p.setSlipType(GDSlipTypes::GDSlipType_NormalSlip);
    p.setX("512345.5");
    p.setMD("1523.5");
    p.setStationId("BH-1");
    p.setComment("typed");
    ASSERT_EQ(data.addData(p), 1);
    const GeoData& f = *data.getLastDataListMember();
    EXPECT_EQ(f.getGDType(), K::GDType_Fault);
    EXPECT_EQ(f.data()->getRake(), 85);
    EXPECT_TRUE(f.data()->hasSlip());
    EXPECT_EQ(f.data()->md(), 1523.5);
    EXPECT_EQ(f.data()->getX(), 512345.5);
    EXPECT_STREQ(f.tokens()->getComment(), "typed");
    EXPECT_EQ(data.getNumStations(), 1);

    EXPECT_EQ(data.addData(GeoDataParams()), Error::Null_Input_Values);
    GeoDataParams bad;
    bad.setGDType(K::GDType_Plane);
    bad.setStrike("45");
    EXPECT_EQ(data.addData(bad), Error::Bad_Plane_Data);
    bad.setDip("30");
    bad.setMD("deep");
    EXPECT_EQ(data.addData(bad), Error::Invalid_MD);
    GeoDataParams skew(true);
    skew.setStrike("0");
    skew.setDip("0");
    skew.setTrend("100");
    skew.setPlunge("0");
    skew.setStationId("NEW");
    EXPECT_EQ(data.addData(skew), Error::UStage_Axes_Skew);
    EXPECT_EQ(data.getNumStations(), 1);  // the station appended for it was withdrawn
    EXPECT_FALSE(p.setStrike("123456"));
}

TEST_F(ReshapeTest, ModifyKeepsKindAndReferenceOrReplacesTheRecord) {
    plane(10, 20);
    data.createAttribute("A");
    data.assignAttributesToCurrent({"A"});
    GeoData* g = data.getLastDataListMember();
    const unsigned int ref = g->getDataReference();
    GeoDataParams p;
    p.setDip("35");
    GeoData* same = data.modifyData(g, p, GeoDataChanged(GeoDataChanged::Dip), true, false);
    EXPECT_EQ(same, g);
    EXPECT_EQ(g->data()->getDip(), 35);
    EXPECT_EQ(g->data()->getStrike(), 10);
    EXPECT_EQ(g->data()->getAttributes(), 0x1u);
    EXPECT_EQ(g->getDataReference(), ref);

    GeoDataParams asLine;
    asLine.setTrend("100");
    asLine.setPlunge("20");
    GeoData* fresh = data.modifyData(g, asLine, GeoDataChanged(GeoDataChanged::Trend | GeoDataChanged::Plunge), false, false);
    EXPECT_NE(fresh->getDataReference(), ref);
    EXPECT_EQ(fresh->getGDType(), K::GDType_Line);
    EXPECT_EQ(data.getNumData(), 1);
    EXPECT_EQ(data.getDataFromReference(ref), nullptr);

    GeoDataParams broken;
    broken.setTrend("400");
    broken.setPlunge("20");
    int code = 0;
    try {
        data.modifyData(fresh, broken, GeoDataChanged(), false, false);
    } catch (int c) {
        code = c;
    }
    EXPECT_EQ(code, Error::Invalid_Trend_Plunge);
    EXPECT_EQ(fresh->data()->getTrend(), 100);  // unchanged
}

TEST_F(ReshapeTest, ModifyingAWellDipKeepsItsKind) {
    data.insertData(planeValues(10, 20, K::GDType_ZolWellData), TokenStruct());
    GeoDataParams p;
    p.setStrike("15");
    p.setDip("25");
    GeoData* g = data.modifyData(data.getLastDataListMember(), p, GeoDataChanged(3), false, false);
    EXPECT_EQ(g->getGDType(), K::GDType_ZolWellData);
    EXPECT_EQ(g->data()->getStrike(), 15);
}

class ManagerReshape : public ::testing::Test {
protected:
    ScriptedMessages script{{}};
    ScopedMessageHandler scope{&script};
    ErrorManager errors;
    FileManager files;
    DataManager manager{&errors, &files};
};

TEST_F(ManagerReshape, InteractiveEntrySubsetRotationAndExport) {
    unsigned char id = 0;
    ASSERT_EQ(manager.createDataset(id, "field/site.txt", false, nullptr), 1);
    InteractiveDataParams entry;
    entry.setDataset("site");
    entry.setIsPlane(true);
    entry.setFirst(45);
    entry.setSecond(30);
    entry.setComment("by hand");
    EXPECT_EQ(manager.addData(entry), 1);
    entry.setIsPlane(false);
    entry.setFirst(100);
    entry.setSecond(10);
    EXPECT_EQ(manager.addData(entry), 1);
    entry.setDataset("nowhere");
    EXPECT_EQ(manager.addData(entry), Error::Invalid_Dataset_Id);

    SubsetParams none;
    none.m_useLineRanges = true;
    none.setCriteria(SubsetParams::Subset_LineTrend);
    none.m_lineTrend = {200, 210};
    const int before = manager.getDatasetCount();
    EXPECT_EQ(manager.subsetData(none), 0);
    EXPECT_EQ(manager.getDatasetCount(), before);
    SubsetParams lines;
    lines.m_useLineRanges = true;
    lines.setCriteria(SubsetParams::Subset_LineTrend);
    lines.m_lineTrend = {90, 110};
    const unsigned char sub = manager.subsetData(lines);
    ASSERT_NE(sub, 0);
    EXPECT_EQ(manager.getDatasetShortName(sub), "Subset : site");
    EXPECT_EQ(manager.getDatasetFromID(sub)->getNumData(), 1);

    unsigned char rotated = 0;
    EXPECT_EQ(manager.applyRotation(id, rotated, RotateParams(true, Rotation_Axis_Vertical, 90, 0, 0, true), nullptr), 1);
    EXPECT_NE(rotated, id);
    EXPECT_EQ(manager.getDatasetShortName(rotated), "site : Rotated");
    EXPECT_EQ(manager.getDatasetFromID(rotated)->getSpecificData(1)->data()->getTrend(), 190);
    EXPECT_EQ(manager.getDatasetFromID(id)->getSpecificData(1)->data()->getTrend(), 100);
    EXPECT_EQ(manager.applyRotation(99, rotated, RotateParams(), nullptr), Error::Invalid_Dataset_Id);

}

}  // namespace
}  // namespace qzCore
