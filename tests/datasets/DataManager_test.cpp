#include "qzCore/datasets/DataManager.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "qzCore/attributes/AttributeManager.h"
#include "qzCore/errors/ErrorManager.h"
#include "qzCore/files/FileManager.h"
#include "qzCore/parsing/IEOptions.h"
#include "qzCore/shared/MyMath.h"
#include "tests/support/ScriptedMessages.h"

namespace qzCore {
namespace {

using K = GDTypes;
using Refs = std::list<unsigned int>;

class Manager : public DataManager {
public:
    using DataManager::convertNumberInRange;
    using DataManager::DataManager;
    using DataManager::getDatasetByName;
};

class DataManagerTest : public ::testing::Test {
protected:
    unsigned char create(const std::string& name = "") {
        unsigned char id = 0;
        EXPECT_EQ(manager.createDataset(id, name, false, nullptr), 1);
        return id;
    }
    void addLines(unsigned char id, std::initializer_list<std::pair<float, float>> pairs) {
        std::vector<OrientedPair> v;
        for (const auto& p : pairs) v.emplace_back(p.first, p.second);
        ASSERT_EQ(manager.addData(id, v, false), 1);
    }

    ScriptedMessages script{{}};
    ScopedMessageHandler scope{&script};
    ErrorManager errors;
    FileManager files;
    Manager manager{&errors, &files};
};

TEST_F(DataManagerTest, IdsCountDownAndNamesCountUp) {
    EXPECT_EQ(create(), 31);
    EXPECT_EQ(create(), 30);
    EXPECT_EQ(create("field/site 4.txt"), 29);
    EXPECT_EQ(manager.getDatasetShortName(31), "Untitled Dataset 1");
    EXPECT_EQ(manager.getDatasetShortName(30), "Untitled Dataset 2");
    EXPECT_EQ(manager.getDatasetShortName(29), "site 4");
    EXPECT_EQ(manager.getDatasetName(29), "field/site 4.txt");
    EXPECT_EQ(manager.getCurrDatasetID(), 29);
    EXPECT_EQ(manager.getDatasetIDFromIndex(0), 29);
    EXPECT_EQ(manager.getDatasetIDFromIndex(3), 0);
    EXPECT_EQ(manager.getDatasetShortName(5), "");
    std::list<std::string> names;
    manager.getDatasetNames(names);
    EXPECT_EQ(names, (std::list<std::string>{"site 4", "Untitled Dataset 2", "Untitled Dataset 1"}));
    EXPECT_EQ(manager.getDatasetByName("Untitled Dataset 2"), manager.getDatasetFromID(30));
}

TEST_F(DataManagerTest, AtMost31DatasetsAndIdsComeBack) {
    for (int i = 0; i < 31; ++i) create();
    unsigned char id = 0;
    EXPECT_EQ(manager.createDataset(id, "", false, nullptr), -16);
    EXPECT_EQ(id, 0);
    EXPECT_EQ(manager.getDatasetCount(), 31);
    const unsigned char seven = 7;
    EXPECT_EQ(manager.deleteDataset(seven), 1);
    EXPECT_EQ(manager.deleteDataset(seven), -48);
    EXPECT_EQ(create(), 7);
}

TEST_F(DataManagerTest, DeletingTheCurrentDatasetLeavesNoneCurrent) {
    const unsigned char a = create();
    const unsigned char b = create();
    EXPECT_EQ(manager.getCurrDatasetID(), b);
    manager.deleteDataset(b);
    EXPECT_EQ(manager.getCurrDataset(), nullptr);
    EXPECT_EQ(manager.getCurrDatasetID(), Data::Bad_Dataset_Id);
    EXPECT_EQ(manager.getNumData(), 0);
    manager.setCurrDataset(a);
    EXPECT_EQ(manager.getCurrDataset(), manager.getDatasetFromID(a));
    manager.initIDSeed(9);
    EXPECT_EQ(manager.getCurrDatasetID(), 9);
    EXPECT_EQ(manager.getCurrDataset(), manager.getDatasetFromID(a));
}

TEST_F(DataManagerTest, ReferencesKeepAll24Bits) {
    const unsigned int ref = (31u << 24) | 5u;
    EXPECT_EQ(DataManager::computeDatasetID(ref), 31);
    EXPECT_EQ(DataManager::computeDataIndex(ref), 5u);
    EXPECT_EQ(DataManager::generateDataReference(31, 5), ref);
    const unsigned int big = (3u << 24) | 70000u;  // beyond 16 bits
    EXPECT_EQ(DataManager::computeDataIndex(big), 70000u);
    EXPECT_EQ(DataManager::generateDataReference(3, 70000u), big);
}

TEST_F(DataManagerTest, PairsBecomeRoundedLinesOrPlanes) {
    const unsigned char id = create();
    addLines(id, {{10.4f, 20.5f}, {359.6f, 0.2f}});
    std::vector<OrientedPair> planes{OrientedPair(45.0f, 30.0f)};
    ASSERT_EQ(manager.addData(id, planes, true), 1);
    const Data* d = manager.getDatasetFromID(id);
    ASSERT_EQ(d->getNumLines(), 2);
    EXPECT_EQ(d->getLineList()[0]->data()->getTrend(), 10);
    EXPECT_EQ(d->getLineList()[0]->data()->getPlunge(), 21);
    EXPECT_EQ(d->getLineList()[1]->data()->getTrend(), 360);
    EXPECT_STREQ(static_cast<const LineData*>(d->getLineList()[0])->tokens()->getTrend(), "10");
    EXPECT_EQ(d->getPlaneList()[0]->data()->getStrike(), 45);
    EXPECT_EQ(manager.addData(99, planes, true), -48);
}

TEST_F(DataManagerTest, InfoStringCountsEveryRecordOnce) {
    const unsigned char id = create("north.txt");
    addLines(id, {{10, 20}, {30, 40}});
    manager.addSpecialData(id, {SpecialData(100, 10, K::GDType_Fisher, nullptr)});
    manager.getDatasetFromID(id)->initStationId("W-1", true);
    std::string info;
    manager.getDatasetInfoAsString(info, id);
    EXPECT_EQ(info,
              "north\nTotalData: 3\nStations: 1\nLines: 2\nPlanes: 0\nFaults: 0\nMarkers: 0\nWell Data: 0\nOther: 1\n");
    manager.getDatasetInfoAsString(info, 77);
    EXPECT_EQ(info, "Warning : An error oocurred retrieving dataset information.\nInvalid dataset context.");
}

TEST_F(DataManagerTest, UniformDataCoverTheHemisphere) {
    // sin(plunge) of lines uniform over the lower hemisphere is uniform on
    // [0, 1]: mean 0.5; with 5000 lines the standard error is about 0.004.
    const unsigned char id = create();
    GenerateDataParams params(GenerateDistParams(), true, false, 5000, true, Dist_Uniform);
    params.setRandomSeed(17);
    ASSERT_EQ(manager.generateData(id, params), 1);
    const Data* d = manager.getDatasetFromID(id);
    ASSERT_EQ(d->getNumLines(), 5000);
    double sum = 0.0;
    int north = 0;
    for (const GeoData* g : d->getLineList()) {
        sum += std::sin(g->data()->getPlunge() * MyMath::Deg_To_Rad);
        north += g->data()->getTrend() < 180 ? 1 : 0;
    }
    EXPECT_NEAR(sum / 5000.0, 0.5, 0.02);
    EXPECT_NEAR(north / 5000.0, 0.5, 0.03);
}

TEST_F(DataManagerTest, ClusteredPlanesCentreOnTheSeedPole) {
    const unsigned char id = create();
    GenerateDataParams params(GenerateDistParams(90, 60, 200.0f), true, true, 400, true, Dist_Fisher);
    params.setRandomSeed(5);
    ASSERT_EQ(manager.generateData(id, params), 1);
    const Data* d = manager.getDatasetFromID(id);
    ASSERT_EQ(d->getNumPlanes(), 400);
    // The pole 090/60 is the plane 180/30; kappa 200 keeps nearly all
    // poles within about 15 degrees.
    const MyMath m;
    int near = 0;
    for (const GeoData* g : d->getPlaneList()) {
        int t = g->data()->getStrike(), p = g->data()->getDip();
        m.computePole(t, p);
        near += Matrix_1(t, p).vectorAngle(Matrix_1(90.0, 60.0)) < 15.0 ? 1 : 0;
    }
    EXPECT_GT(near, 390);
}

TEST_F(DataManagerTest, CountBelowOneGeneratesOne) {
    const unsigned char id = create();
    GenerateDataParams params(GenerateDistParams(), true, false, 0, true, Dist_Uniform);
    ASSERT_EQ(manager.generateData(id, params), 1);
    EXPECT_EQ(manager.getDatasetFromID(id)->getNumData(), 1);
    EXPECT_EQ(manager.generateData(200, params), -48);
}

TEST_F(DataManagerTest, DataValues) {
    const unsigned char id = create();
    DataStruct f;
    f.setGDType(K::GDType_Fault);
    f.setStrike(0);
    f.setDip(60);
    f.setTrend(90);
    f.setPlunge(60);
    f.setSlipType(GDSlipTypes::GDSlipType_NormalSlip);
    manager.getDatasetFromID(id)->insertData(f, TokenStruct());
    const unsigned int ref = manager.getDatasetFromID(id)->getSpecificDataFromIndex(0);
    int a = -9, b = -9;
    ASSERT_TRUE(manager.getDataValue(Value_Strike_Dip, ref, a, b));
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 60);
    ASSERT_TRUE(manager.getDataValue(Value_Slip_Sense, ref, a, b));
    EXPECT_EQ(a, 0);  // straight down dip: not in the strike direction
    EXPECT_EQ(b, 0);  // normal slip is counter-clockwise
    EXPECT_FALSE(manager.getDataValue(static_cast<DATAVALUETYPE>(7), ref, a, b));
    EXPECT_FALSE(manager.getDataValue(Value_Trend_Plunge, nullptr, a, b));
    addLines(id, {{10, 20}});
    const unsigned int lineRef = manager.getDatasetFromID(id)->getSpecificDataFromIndex(1);
    EXPECT_FALSE(manager.getDataValue(Value_Slip_Sense, lineRef, a, b));
}

TEST_F(DataManagerTest, LimitedDataByKindStationAndAttribute) {
    const unsigned char id = create();
    Data* d = manager.getDatasetFromID(id);
    d->createAttribute("A");
    d->createAttribute("B");
    DataStruct p;
    p.setGDType(K::GDType_Plane);
    p.setStrike(1);
    p.setDip(2);
    d->initStationId("W-1", p);
    p.setAttributes(0x2);
    d->insertData(p, TokenStruct());
    DataStruct l;
    l.setGDType(K::GDType_Line);
    l.setTrend(3);
    l.setPlunge(4);
    d->insertData(l, TokenStruct());
    d->addData(std::list<SpecialData>{SpecialData(5, 6, K::GDType_Fisher, nullptr)});

    std::deque<GeoData*> out;
    int mask = 0;
    EXPECT_EQ(manager.getLimitedData(id, out, true, true, true, true, true, true, true, {}, 666, mask), 1);
    EXPECT_EQ(out.size(), 3u);
    EXPECT_EQ(mask, 0x100 | 0x10 | 0x1000000);
    mask = 0;
    EXPECT_EQ(manager.getLimitedData(id, out, false, false, true, false, true, false, false, {"W-1"}, 666, mask), 1);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0]->getGDType(), K::GDType_Plane);
    EXPECT_EQ(manager.getLimitedData(id, out, false, false, true, false, true, false, false, {}, 1, mask), 1);
    EXPECT_EQ(out.size(), 1u);
    EXPECT_EQ(manager.getLimitedData(id, out, false, false, true, false, false, false, false, {}, 1, mask), -49);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(manager.getLimitedData(99, out, true, true, true, true, true, true, true, {}, 666, mask), -48);

    // The reference form takes result records whatever the filters say.
    Refs refs{d->getSpecificDataFromIndex(2), d->getSpecificDataFromIndex(1), 12345u};
    mask = 0;
    EXPECT_EQ(manager.getLimitedData(refs, out, false, false, false, false, false, false, false, {"W-9"}, 0, mask), 1);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0]->getGDType(), K::GDType_Fisher);
}

TEST_F(DataManagerTest, StationTestUsesTheRecordsOwnDataset) {
    const unsigned char a = create();
    const unsigned char b = create();
    Data* da = manager.getDatasetFromID(a);
    manager.getDatasetFromID(b)->initStationId("Other", true);
    DataStruct p;
    p.setGDType(K::GDType_Plane);
    p.setStrike(1);
    p.setDip(2);
    da->initStationId("Mine", p);
    da->insertData(p, TokenStruct());
    manager.setCurrDataset(b);
    EXPECT_TRUE(manager.hasStationId({"Mine"}, da->getSpecificData(0)));
    EXPECT_FALSE(manager.hasStationId({"Other"}, da->getSpecificData(0)));
    EXPECT_TRUE(manager.hasStationId({}, nullptr));
}

TEST_F(DataManagerTest, SelectedDataCarryStationsAndAttributesByName) {
    const unsigned char src = create();
    Data* s = manager.getDatasetFromID(src);
    s->createAttribute("Dummy");
    s->createAttribute("Granite");
    s->initStationId("Zero", true);
    DataStruct p;
    p.setGDType(K::GDType_Plane);
    p.setStrike(10);
    p.setDip(20);
    s->initStationId("W-5", p);
    p.setAttributes(0x2);
    s->insertData(p, TokenStruct());
    const unsigned char dst = create();
    Data* d = manager.getDatasetFromID(dst);
    const Refs refs{s->getSpecificDataFromIndex(0)};
    ASSERT_EQ(manager.addSelectedData(dst, refs, true), 1);
    ASSERT_EQ(d->getNumData(), 1);
    std::string id;
    d->getStationIdFromIndex(d->getSpecificData(0)->data()->getStationIndex(), id);
    EXPECT_EQ(id, "W-5");
    EXPECT_TRUE(d->hasAttribute(d->getSpecificData(0), "Granite"));
    ASSERT_EQ(manager.addSelectedData(dst, refs, false), 1);
    EXPECT_FALSE(d->getSpecificData(1)->data()->hasStationIdAttached());
    EXPECT_EQ(d->getSpecificData(1)->data()->getAttributes(), 0u);
    EXPECT_EQ(manager.addSelectedData(77, refs, true), -48);
}

TEST_F(DataManagerTest, DeleteByIndexAndMergeAndDerive) {
    const unsigned char a = create();
    addLines(a, {{1, 1}, {2, 2}, {3, 3}});
    const unsigned char aId = a;
    ASSERT_EQ(manager.deleteData(aId, {0, 2, 7, -1}), 1);
    ASSERT_EQ(manager.getDatasetFromID(a)->getNumData(), 1);
    EXPECT_EQ(manager.getDatasetFromID(a)->getSpecificData(0)->data()->getTrend(), 2);
    const unsigned char b = create();
    addLines(b, {{4, 4}});
    EXPECT_EQ(manager.mergeDatasets(a, b), 1);
    EXPECT_EQ(manager.getDatasetFromID(a)->getNumData(), 2);
    EXPECT_EQ(manager.mergeDatasets(a, 99), -48);
    unsigned char derived = a;
    ASSERT_EQ(manager.createDataset(derived, "copy", true, nullptr), 1);
    EXPECT_EQ(manager.getDatasetFromID(derived)->getNumData(), 2);
    unsigned char bad = 99;
    EXPECT_EQ(manager.createDataset(bad, "copy", true, nullptr), -16);
}

TEST_F(DataManagerTest, KindsExtentsAndStations) {
    const unsigned char id = create();
    Data* d = manager.getDatasetFromID(id);
    DataStruct f;
    f.setGDType(K::GDType_Fault);
    f.setStrike(0);
    f.setDip(60);
    f.setTrend(90);
    f.setPlunge(60);
    f.setX(100.0);
    f.setZ(-5.0);
    f.setMD(30.0);
    d->initStationId("W-1", f);
    d->insertData(f, TokenStruct());
    DataStruct g = f;
    g.setX(50.0);
    g.setMD(12.5);
    d->insertData(g, TokenStruct());
    DatasetContains mask = 0x4;
    ASSERT_TRUE(manager.getAvailableDataTypes(id, mask));
    EXPECT_EQ(mask, 0x4u | Contains_Faults | Contains_Lineations);
    EXPECT_FALSE(manager.getAvailableDataTypes(99, mask));
    EXPECT_EQ(mask, 0u);
    ThreeDPoint<double> lo, hi;
    ASSERT_TRUE(manager.getDataLocExtents(id, lo, hi));
    EXPECT_EQ(lo.x(), 50.0);
    EXPECT_EQ(hi.x(), 100.0);
    EXPECT_EQ(lo.y(), 1e100);  // no record has a Y
    double mdLo = 0, mdHi = 0;
    ASSERT_TRUE(manager.getDataMDExtents(id, mdLo, mdHi));
    EXPECT_EQ(mdLo, 12.5);
    EXPECT_EQ(mdHi, 30.0);
    EXPECT_EQ(manager.getNumStations(), 1);
    EXPECT_EQ(manager.getStationIDFromIndex(0), "W-1");
    std::vector<std::string> ids;
    EXPECT_EQ(manager.enumerateStations(ids), 1);
    EXPECT_EQ(ids, std::vector<std::string>{"W-1"});
    EXPECT_TRUE(manager.faultsAreLoaded());
}

TEST_F(DataManagerTest, AttributeForEveryDataset) {
    const unsigned char a = create();
    const unsigned char b = create();
    manager.getDatasetFromID(b)->createAttribute("Shale");
    AttributeManager am;
    manager.applyAttrToAllDatasets("Shale", &am);
    EXPECT_EQ(manager.getDatasetFromID(a)->getAttributeCount(), 1u);
    EXPECT_EQ(manager.getDatasetFromID(b)->getAttributeCount(), 1u);
}

TEST_F(DataManagerTest, ReadsAFileThroughTheManager) {
    const unsigned char id = create();
    qzIEColumnOptions o;
    o.setDefaultColumnChoices();
    std::istringstream in("045\t30\n");
    EXPECT_EQ(manager.addData(id, o, qzIEDataTypeOrder(qzIEDataTypeOptions(), o), in), 1);
    EXPECT_EQ(manager.getNumPlanes(), 1);
    std::istringstream again("045\t30\n");
    EXPECT_EQ(manager.addData(99, o, qzIEDataTypeOrder(qzIEDataTypeOptions(), o), again), -48);
}

TEST(ConvertNumberInRange, IntegersAndDecimals) {
    int lo = 0, hi = 0;
    EXPECT_TRUE(Manager::convertNumberInRange("50", "10", lo, hi, 0, 90));
    EXPECT_EQ(lo, 10);
    EXPECT_EQ(hi, 50);
    EXPECT_FALSE(Manager::convertNumberInRange("10", "95", lo, hi, 0, 90));
    EXPECT_EQ(lo, -1);
    EXPECT_EQ(hi, -1);
    EXPECT_FALSE(Manager::convertNumberInRange("", "5", lo, hi, 0, 90));
    EXPECT_FALSE(Manager::convertNumberInRange("99999999999999", "5", lo, hi, 0, 90));
    double dl = 0, dh = 0;
    EXPECT_TRUE(Manager::convertNumberInRange("2.5", "-1", dl, dh, -10.0, 10.0));
    EXPECT_EQ(dl, -1.0);
    EXPECT_EQ(dh, 2.5);
    EXPECT_FALSE(Manager::convertNumberInRange("abc", "1", dl, dh, 0.0, 10.0));
    EXPECT_EQ(dl, std::numeric_limits<double>::min());
    EXPECT_FALSE(Manager::convertNumberInRange("1", "11", dl, dh, 0.0, 10.0));
    EXPECT_EQ(dl, -1.0);
}

TEST(FileManager, ClassifiesNames) {
    const FileManager f;
    Window_Type t = Window_Graphics;
    EXPECT_TRUE(f.determineInputFileType("data/site.GDF", t));
    EXPECT_EQ(t, Window_Data);
    EXPECT_FALSE(f.isTextFile("data/site.GDF"));
    EXPECT_TRUE(f.isTextFile("a.txt"));
    f.determineInputFileType("map.dxf", t);
    EXPECT_EQ(t, Window_Graphics);
    EXPECT_TRUE(f.isDXFImport("map.dxf"));
    EXPECT_TRUE(f.isTextFile("map.dxf"));
    f.determineInputFileType("notes.doc", t);
    EXPECT_EQ(t, Window_Data);
    EXPECT_TRUE(f.isTextFile("notes.doc"));
    EXPECT_FALSE(f.isTextFile("old.gdf.bak"));
}

TEST(FileManager, ScratchFileInTemp) {
    const std::string dir = ::testing::TempDir();
    ASSERT_EQ(setenv("TEMP", dir.c_str(), 1), 0);
    FileManager f;
    std::ofstream out;
    ASSERT_TRUE(f.getScratchFileHandle(out));
    const std::string expected = (dir.back() == '/' ? dir.substr(0, dir.size() - 1) : dir) + "/.qztemp";
    EXPECT_EQ(f.getScratchFileName(), expected);
    out << "scratch";
    out.close();
    std::ifstream in;
    ASSERT_TRUE(f.getScratchFileHandle(in));
    std::string word;
    in >> word;
    EXPECT_EQ(word, "scratch");
    FileManager fresh;
    std::ifstream none;
    EXPECT_FALSE(fresh.getScratchFileHandle(none));
    unsetenv("TEMP");
}

TEST(FileManager, OpensStreams) {
    const FileManager f;
    const std::string name = ::testing::TempDir() + "qz_stream_test.txt";
    std::ofstream out;
    ASSERT_TRUE(f.openOutputFileStream(name, out));
    out << "1 2\n";
    out.close();
    std::ifstream in;
    ASSERT_TRUE(f.openInputFileStream(name, in));
    std::ifstream missing;
    EXPECT_FALSE(f.openInputFileStream(::testing::TempDir() + "no/such/file.txt", missing));
}

}  // namespace
}  // namespace qzCore
