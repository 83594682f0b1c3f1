#include "qzCore/datasets/Data.h"

#include <list>
#include <string>

#include <gtest/gtest.h>

#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/errors/ErrorManager.h"
#include "qzCore/records/GDTypes.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/Values.h"

namespace qzCore {
namespace {

using K = GDTypes;
using Refs = std::list<unsigned int>;
using Labels = std::list<std::string>;

/// Opens the protected reference counter, for the limit test.
class DataNearLimit : public Data {
public:
    using Data::Data;
    void useReferencesUpTo(unsigned int n) {
        while (getNextDataReferenceNumber() < n) generateDataReference();
    }
};

class DataTest : public ::testing::Test {
protected:
    ScriptedMessages script{{}};
    ScopedMessageHandler scope{&script};
    ErrorManager errors;
    Data data{ComplexFileName("field/site.txt"), &errors, 3};
    TokenStruct noTokens;
};

TEST_F(DataTest, ReferencesCarryTheIdAndNeverGoBack) {
    ASSERT_EQ(data.insertData(planeValues(10, 20), noTokens), 1);
    ASSERT_EQ(data.insertData(planeValues(30, 40), noTokens), 1);
    EXPECT_EQ(data.getSpecificDataFromIndex(0), 50331649u);  // 3 * 2^24 + 1
    EXPECT_EQ(data.getSpecificDataFromIndex(1), 50331650u);
    data.deleteData(Refs{50331649u});
    ASSERT_EQ(data.insertData(planeValues(50, 60), noTokens), 1);
    EXPECT_EQ(data.getLastDataListMember()->getDataReference(), 50331651u);
    EXPECT_EQ(data.getNumData(), 2);
    EXPECT_EQ(data.getDataFromReference(50331651u)->data()->getStrike(), 50);
    EXPECT_EQ(data.getDataFromReference(50331649u), nullptr);
    EXPECT_EQ(data.getDataFromReference(0), nullptr);
    EXPECT_EQ(data.getSpecificData(2), nullptr);
    EXPECT_EQ(data.getSpecificDataFromIndex(2), 0u);
}

TEST_F(DataTest, NoReferenceLeftRefusesRecords) {
    DataNearLimit full(ComplexFileName("x"), &errors, 1);
    full.useReferencesUpTo(Data::Max_Data_Reference - 1);
    EXPECT_EQ(full.insertData(planeValues(1, 2), noTokens), 1);
    EXPECT_EQ(full.getLastDataListMember()->getDataReference(), (1u << 24) + 16777213u);
    EXPECT_EQ(full.insertData(planeValues(1, 2), noTokens), Error::Insert_Failed);
    EXPECT_EQ(full.getNumData(), 1);
    EXPECT_EQ(full.getNumPlanes(), 1);
}

TEST_F(DataTest, KindListsFollowEveryKindOfEntry) {
    EXPECT_EQ(data.insertData(planeValues(10, 20), noTokens), 1);
    EXPECT_EQ(data.insertData(faultValues(0, 60, 90, 60, GDSlipTypes::GDSlipType_NormalSlip), noTokens), 1);
    EXPECT_EQ(data.insertData(lineValues(120, 30, K::GDType_Fisher), noTokens), 1);
    EXPECT_EQ(data.insertData(ustageValues(0, 0, 90, 0), noTokens), 1);
    EXPECT_EQ(data.getNumData(), 4);
    EXPECT_EQ(data.getNumPlanes(), 1);
    EXPECT_EQ(data.getNumFaults(), 1);
    EXPECT_EQ(data.getNumSpecial(), 2);
    EXPECT_EQ(data.getNumLines(), 0);

    EXPECT_EQ(data.insertData(ustageValues(0, 0, 100, 0), noTokens), Error::UStage_Axes_Skew);
    EXPECT_EQ(data.getNumData(), 4);
    EXPECT_EQ(data.getNumSpecial(), 2);

    EXPECT_EQ(data.insertData(planeValues(5, 6, K::GDType_ZolWellData), noTokens), 1);
    EXPECT_EQ(data.insertData(planeValues(5, 6, K::GDType_ZolMarkerData), noTokens), 1);
    EXPECT_EQ(data.insertData(lineValues(1, 2), noTokens), 1);
    EXPECT_EQ(data.getNumZolWells(), 1);
    EXPECT_EQ(data.getNumZolMarkers(), 1);
    EXPECT_EQ(data.getNumLines(), 1);
}

TEST_F(DataTest, KindsThatDescribeNoRecordAreRefused) {
    for (const char kind : {K::GDType_Joint, K::GDType_Null, K::GDType_Auto, K::GDType_BadValue}) {
        EXPECT_EQ(data.insertData(lineValues(1, 2, kind), noTokens), Error::Insert_Failed) << int(kind);
    }
    EXPECT_EQ(data.getNumData(), 0);
    EXPECT_EQ(data.addData(static_cast<const GeoData*>(nullptr)), Error::Insert_Failed);
}

TEST_F(DataTest, DeleteKeepsOrderAndRebuildsKindLists) {
    for (int i = 0; i < 5; ++i) data.insertData(i % 2 ? lineValues(i, i) : planeValues(i, i), noTokens);
    const unsigned int second = data.getSpecificDataFromIndex(1);
    const unsigned int fourth = data.getSpecificDataFromIndex(3);
    data.deleteData(Refs{second, 12345u});
    EXPECT_EQ(data.getNumData(), 4);
    EXPECT_EQ(data.getNumLines(), 1);
    EXPECT_EQ(data.getLineList()[0]->getDataReference(), fourth);
    EXPECT_EQ(data.getSpecificData(1)->data()->getStrike(), 2);
    data.deleteData(Refs{999u});
    EXPECT_EQ(data.getNumData(), 4);
    EXPECT_EQ(data.getNumPlanes(), 3);
}

TEST_F(DataTest, UStageCopiesAreEnteredWithTheirAxesChecked) {
    data.insertData(ustageValues(0, 0, 90, 0), noTokens);
    EXPECT_EQ(data.addData(data.getLastDataListMember()), 1);
    EXPECT_EQ(data.getNumSpecial(), 2);
    EXPECT_EQ(data.getLastDataListMember()->getGDType(), K::GDType_UStage);
    const UStageData skew(ustageValues(0, 0, 120, 0), noTokens);
    EXPECT_EQ(data.addData(&skew), Error::UStage_Axes_Skew);
    EXPECT_EQ(data.getNumSpecial(), 2);
}

TEST_F(DataTest, AttributesDestroyedAreClearedFromRecords) {
    ASSERT_TRUE(data.createAttribute("Granite"));
    ASSERT_TRUE(data.createAttribute("Basalt"));
    data.insertData(planeValues(1, 2), noTokens);
    ASSERT_TRUE(data.assignAttributesToCurrent({"Granite", "Basalt"}));
    GeoData* g = data.getLastDataListMember();
    EXPECT_EQ(g->data()->getAttributes(), 0x3u);
    EXPECT_TRUE(data.hasAttribute(g, "Basalt"));
    EXPECT_TRUE(data.destroyAttribute("Granite"));
    EXPECT_EQ(g->data()->getAttributes(), 0x2u);
    ASSERT_TRUE(data.createAttribute("Shale"));  // takes slot 0 again
    EXPECT_FALSE(data.hasAttribute(g, "Shale"));
    EXPECT_FALSE(data.assignAttributeToCurrent("Nope"));
    EXPECT_FALSE(data.createAttribute("Basalt"));
    ASSERT_FALSE(script.notes.empty());
    EXPECT_EQ(script.notes.back(),
              "Attribute Error|Error creating attribute :\nBasalt\nError creating new data attribute\nDuplicate "
              "attribute label");
}

TEST_F(DataTest, LabelsFromAFileAskOnceAndStopWhenFull) {
    ScriptedMessages answers({1, 0});
    ScopedMessageHandler inner(&answers);
    data.createAttribute("Known");
    data.insertData(planeValues(1, 2), noTokens);
    Labels rejected;
    std::uint32_t mask = data.linkAttributesToCurrent({"Known", "New", "Refused"}, rejected, true, true);
    EXPECT_EQ(mask, 0x3u);
    EXPECT_EQ(rejected, Labels{"Refused"});
    EXPECT_EQ(data.getLastDataListMember()->data()->getAttributes(), 0x3u);
    EXPECT_EQ(answers.questions.size(), 2u);
    EXPECT_EQ(answers.questions[0], "Attribute import|New attribute found: <New>\n\nDo you want to import this attribute?");
    data.linkAttributesToCurrent({"Refused"}, rejected, true, true);
    EXPECT_EQ(answers.questions.size(), 2u);  // not asked again

    for (int i = 0; i < 30; ++i) data.createAttribute("F" + std::to_string(i));
    mask = data.linkAttributesToCurrent({"X1", "X2", "Known"}, rejected, false, false);
    EXPECT_EQ(mask, 0x1u);
    EXPECT_EQ(std::count(answers.notes.begin(), answers.notes.end(),
                         "Attribute error|Cannot auto import any more attributes"),
              1);
}

TEST_F(DataTest, DerivedDatasetContinuesTheNumbering) {
    data.createAttribute("A");
    data.initStationId("W-1", true);
    for (int i = 0; i < 4; ++i) data.insertData(planeValues(i, i), noTokens);
    const Refs pick{data.getSpecificDataFromIndex(3), data.getSpecificDataFromIndex(1), 42u};
    Data derived(&data, ComplexFileName("derived"), 4, true, &pick);
    ASSERT_EQ(derived.getNumData(), 2);
    EXPECT_EQ(derived.getSpecificData(0)->data()->getStrike(), 3);
    EXPECT_EQ(derived.getSpecificData(1)->data()->getStrike(), 1);
    EXPECT_EQ(derived.getSpecificDataFromIndex(0), (4u << 24) | 5u);
    EXPECT_EQ(derived.getAttributeCount(), 1u);
    EXPECT_EQ(derived.getNumStations(), 1);
    EXPECT_EQ(derived.getErrorManager(), &errors);
    derived.getSpecificData(0)->data()->setStrike(99);
    EXPECT_EQ(data.getSpecificData(3)->data()->getStrike(), 3);
    const Data all(&data, ComplexFileName("all"), 5, true, nullptr);
    EXPECT_EQ(all.getNumData(), 4);
    const Data none(&data, ComplexFileName("none"), 6, false, nullptr);
    EXPECT_EQ(none.getNumData(), 0);
    EXPECT_EQ(none.getNextDataReferenceNumber(), data.getNextDataReferenceNumber());
}

TEST_F(DataTest, MergeTranslatesAttributesAndStations) {
    // This dataset: attributes A, B; stations W-1, W-2.
    data.createAttribute("A");
    data.createAttribute("B");
    data.initStationId("W-1", true);
    data.initStationId("W-2", true);
    data.createAttributeGroup("Mine", 0x1);

    // The other: attributes C (slot 0), B (slot 1); stations W-2 (0), W-9 (1).
    Data other(ComplexFileName("other"), &errors, 7);
    other.createAttribute("C");
    other.createAttribute("B");
    other.initStationId("W-2", true);
    other.initStationId("W-9", true);
    other.createAttributeGroup("Mine", 0x3);
    other.createAttributeGroup("Theirs", 0x2);
    DataStruct d = planeValues(10, 20);
    d.setAttributes(0x3);  // C and B
    d.linkStation_FromIndex(1);  // W-9
    other.insertData(d, noTokens);
    DataStruct e = lineValues(5, 6);
    e.linkStation_FromIndex(0);  // W-2
    other.insertData(e, noTokens);

    EXPECT_EQ(data.addData(&other), 1);
    ASSERT_EQ(data.getNumData(), 2);
    const GeoData* p = data.getSpecificData(0);
    // B keeps slot 1 here; C is new here, in slot 2.
    EXPECT_EQ(p->data()->getAttributes(), 0x2u | 0x4u);
    std::string id;
    data.getStationIdFromIndex(p->data()->getStationIndex(), id);
    EXPECT_EQ(id, "W-9");
    data.getStationIdFromIndex(data.getSpecificData(1)->data()->getStationIndex(), id);
    EXPECT_EQ(id, "W-2");
    EXPECT_EQ(data.getNumStations(), 3);
    EXPECT_EQ(data.getAttributeGroupIndexMask("Mine"), 0x1u);  // duplicate name: kept as it was
    EXPECT_EQ(data.getAttributeGroupIndexMask("Theirs"), 0x2u);
    EXPECT_EQ(p->getDataReference() >> 24, 3u);
    EXPECT_EQ(other.getNumData(), 2);
    EXPECT_EQ(data.addData(&data), Error::Internal_Error);
}

TEST_F(DataTest, MergeNeverLinksARecordToAnotherStation) {
    for (int i = 0; i < 128; ++i) data.initStationId("S" + std::to_string(i), true);
    Data other(ComplexFileName("other"), &errors, 7);
    other.initStationId("Far", true);
    other.initStationId("S5", true);
    DataStruct far = planeValues(1, 1);
    far.linkStation_FromIndex(0);
    DataStruct near = planeValues(2, 2);
    near.linkStation_FromIndex(1);
    other.insertData(far, noTokens);
    other.insertData(near, noTokens);
    other.insertData(planeValues(3, 3), noTokens);
    EXPECT_EQ(data.addData(&other), 1);
    ASSERT_EQ(data.getNumData(), 2);
    EXPECT_EQ(data.getSpecificData(0)->data()->getStationIndex(), 5);
    EXPECT_FALSE(data.getSpecificData(1)->data()->hasStationIdAttached());
    EXPECT_EQ(script.notes.back(),
              "Station merging warning|Too many stations.\nRecords of some stations could not be merged.");
}

}  // namespace
}  // namespace qzCore
