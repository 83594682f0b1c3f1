// The data table's display records: attribute-group columns (also a group
// whose mask is 666, the value that also means "not found") and a record's
// display row.
#include <gtest/gtest.h>

#include "qzCore/datasets/AttributeManager.h"
#include "qzCore/parsing/qzTokenList.h"
#include "qzCore/plot/DataDisplayParams.h"
#include "tests/support/OneDataset.h"

namespace qzCore {
namespace {

using D = qzDisplayOptions;

class DisplayGroups : public OneDatasetTest {
protected:
    void SetUp() override {
        OneDatasetTest::SetUp();
        attributes.setCurrDataset(&data());
    }
    AttributeManager attributes;
};

TEST_F(DisplayGroups, GroupsThatExistBecomeColumns) {
    // Slots 0..9 made; "Odd" holds 1, 3, 4, 7 and 9: mask 2 + 8 + 16 + 128 +
    // 512 = 666, the value that also means "not found".
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(data().createAttribute("a" + std::to_string(i)));
    ASSERT_TRUE(data().createAttributeGroup("Odd", 666));
    ASSERT_EQ(data().getAttributeGroupIndexMask("Odd"), 666u);
    DataDisplayParams d;
    d.initDefaultOrder();
    // A failed set-up leaves empty lists to read, not missing ones.
    EXPECT_FALSE(d.initDisplayGroups(nullptr, {"Odd"}));
    std::string label;
    EXPECT_FALSE(d.customString(101, label));
    EXPECT_EQ(d.getGroupMap().size(), 0u);
    EXPECT_FALSE(d.columnString(13, label));

    ASSERT_TRUE(d.initDisplayGroups(&attributes, {"Nope", "Odd"}));
    ASSERT_TRUE(d.customString(101, label));
    EXPECT_EQ(label, "Odd");
    EXPECT_EQ(d.getGroupMap().propertyFromKey(101), "Odd");
    ASSERT_EQ(d.columnCount(), 14);
    ASSERT_TRUE(d.columnString(13, label));
    EXPECT_EQ(label, "Odd");
    // Again: the group columns are replaced, not added twice.
    ASSERT_TRUE(d.initDisplayGroups(&attributes, {"Odd"}));
    EXPECT_EQ(d.columnCount(), 14);
    const DataDisplayParams copy(d);
    ASSERT_TRUE(copy.columnString(13, label));
    EXPECT_EQ(label, "Odd");

    // A record's display row: the default columns by the display options,
    // and the record's labels of the group.
    DataStruct fault = faultValues(30, 60, 90, GDSlipTypes::GDSlipType_NormalSlip);
    fault.setAttributes(0x2u | 0x8u | 0x4u);  // a1, a3 in the group; a2 not
    TokenStruct t;
    t.setTokenValue(TokenStruct::Strike_Token, "N30E");
    t.setTokenValue(TokenStruct::Rake_Token, "90");
    t.setTokenValue(TokenStruct::Trend_Token, "120");
    CompositeTokenStruct tokens;
    tokens.set(t);
    qzTokenList row(25);
    d.displayOptions().setDefaultOptions();
    row.init(&attributes, fault, tokens, d, "W-1", 7);
    EXPECT_EQ(row[0].str(), "7");
    EXPECT_EQ(row[1].str(), "Fault");
    EXPECT_EQ(row[2].str(), "N30E");   // as typed
    EXPECT_EQ(row[4].str(), "90");     // rake from the token
    EXPECT_EQ(row[5].str(), "120");    // trend beside the rake (option 4096)
    EXPECT_EQ(row[11].str(), "W-1");
    EXPECT_EQ(row[13].str(), "a1, a3");
    d.displayOptions().setDisplayOption(D::Display_Angles_From_Values);
    row.init(&attributes, fault, tokens, d, "", 0);
    EXPECT_EQ(row[2].str(), "30");     // right-hand-rule value
    EXPECT_EQ(row[0].str(), "");
}

}  // namespace
}  // namespace qzCore
