#include "qzCore/datasets/DataManager.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/Values.h"

#include "qzCore/datasets/AttributeManager.h"
#include "qzCore/errors/ErrorCodes.h"
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
    EXPECT_EQ(manager.getDatasetIDFromIndex(3), 0);
    std::list<std::string> names;
    manager.getDatasetNames(names);
    EXPECT_EQ(names, (std::list<std::string>{"site 4", "Untitled Dataset 2", "Untitled Dataset 1"}));
    EXPECT_EQ(manager.getDatasetByName("Untitled Dataset 2"), manager.getDatasetFromID(30));
}

TEST_F(DataManagerTest, AtMost31DatasetsAndIdsComeBack) {
    for (int i = 0; i < 31; ++i) create();
    unsigned char id = 0;
    EXPECT_EQ(manager.createDataset(id, "", false, nullptr), Error::Dataset_Creation_Failed);
    EXPECT_EQ(id, 0);
    EXPECT_EQ(manager.getDatasetCount(), 31);
    const unsigned char seven = 7;
    EXPECT_EQ(manager.deleteDataset(seven), 1);
    EXPECT_EQ(manager.deleteDataset(seven), Error::Invalid_Dataset_Id);
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

TEST_F(DataManagerTest, LimitedDataByKindStationAndAttribute) {
    const unsigned char id = create();
    Data* d = manager.getDatasetFromID(id);
    d->createAttribute("A");
    d->createAttribute("B");
    DataStruct p = planeValues(1, 2);
    d->initStationId("W-1", p);
    p.setAttributes(0x2);
    d->insertData(p, TokenStruct());
    DataStruct l = lineValues(3, 4);
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
    EXPECT_EQ(manager.getLimitedData(id, out, false, false, true, false, false, false, false, {}, 1, mask), Error::No_Data_Fit_Criteria);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(manager.getLimitedData(99, out, true, true, true, true, true, true, true, {}, 666, mask), Error::Invalid_Dataset_Id);

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
    DataStruct p = planeValues(1, 2);
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
    DataStruct p = planeValues(10, 20);
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
    EXPECT_EQ(manager.addSelectedData(77, refs, true), Error::Invalid_Dataset_Id);
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
    EXPECT_EQ(manager.mergeDatasets(a, 99), Error::Invalid_Dataset_Id);
    unsigned char derived = a;
    ASSERT_EQ(manager.createDataset(derived, "copy", true, nullptr), 1);
    EXPECT_EQ(manager.getDatasetFromID(derived)->getNumData(), 2);
    unsigned char bad = 99;
    EXPECT_EQ(manager.createDataset(bad, "copy", true, nullptr), Error::Dataset_Creation_Failed);
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

}  // namespace
}  // namespace qzCore
