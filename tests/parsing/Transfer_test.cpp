#include "qzCore/parsing/DataStruct.h"

#include <string>

#include <gtest/gtest.h>

#include "qzCore/parsing/CompactStructs.h"
#include "qzCore/parsing/IEOptions.h"
#include "qzCore/parsing/qzTokenList.h"

namespace qzCore {
namespace {

using T = qzIEDataTypeOptions;
using O = qzIEColumnOptions;

TEST(DataStruct, LocationIsCreatedByTheFirstRealCoordinate) {
    DataStruct d;
    d.setX(No_Value_Double);
    EXPECT_FALSE(d.hasLoc());
    ThreeDPoint<double> p;
    EXPECT_FALSE(d.getLoc(p));
    d.setY(4000.5);
    EXPECT_TRUE(d.hasLoc());
    EXPECT_FALSE(d.hasX());
    EXPECT_TRUE(d.hasY());
    EXPECT_EQ(d.getY(), 4000.5);
    d.setY(No_Value_Double);
    EXPECT_FALSE(d.hasLoc());
}

// Location and measured depth share one block: neither may show through
// the other (a well record has a depth and often no map location).
TEST(DataStruct, DepthAndLocationAreIndependent) {
    ThreeDPoint<double> p;
    DataStruct d;
    d.setMD(1523.5);
    EXPECT_TRUE(d.hasMD());
    EXPECT_FALSE(d.hasLoc());
    EXPECT_FALSE(d.getLoc(p));  // a depth is no location
    EXPECT_EQ(d.getX(), No_Value_Double);

    // A location set, even of absent coordinates, is one.
    d.setLoc(ThreeDPoint<double>(No_Value_Double, No_Value_Double, No_Value_Double));
    EXPECT_TRUE(d.getLoc(p));
    EXPECT_FALSE(d.hasLoc());
    d.setZ(-12.0);
    EXPECT_EQ(d.getZ(), -12.0);
    EXPECT_EQ(d.md(), 1523.5);

    // Clearing the location keeps the depth; clearing the depth keeps the
    // location.
    d.clearLoc();
    EXPECT_FALSE(d.getLoc(p));
    EXPECT_EQ(d.md(), 1523.5);
    d.setX(7.0);
    d.setMD(No_Value_Double);
    EXPECT_FALSE(d.hasMD());
    EXPECT_EQ(d.getX(), 7.0);
    EXPECT_EQ(d.getZ(), No_Value_Double);  // the old z went with the cleared location
}

TEST(DataStruct, SlipCodeDrivesTheSlipFlags) {
    DataStruct d;
    d.setGDFlags(GDFlags::GDFlag_Has_CWSlip | GDFlags::GDFlag_SlipInStrikeDir);
    d.setSlipType(GDSlipTypes::GDSlipType_NormalSlip);
    EXPECT_TRUE(d.hasSlip());
    EXPECT_TRUE(d.hasCWSlip());
    d.setSlipType(GDSlipTypes::GDSlipType_NoSlip);
    EXPECT_FALSE(d.hasSlip());
    EXPECT_FALSE(d.hasSlipFlag());
    EXPECT_FALSE(d.hasCWSlip());
    EXPECT_FALSE(d.hasSlipInStrikeDirection());
    d.setSlipType(GDSlipTypes::GDSlipType_LeftLatSlip);
    d.setGDFlags(d.getGDFlags() | GDFlags::GDFlag_Has_CCWSlip | GDFlags::GDFlag_SlipInStrikeDir);
    d.resetSlipFlags();
    EXPECT_FALSE(d.hasSlip());
    EXPECT_FALSE(d.hasCCWSlip());
    EXPECT_TRUE(d.hasSlipInStrikeDirection());
}

class OutputRow : public ::testing::Test {
protected:
    OutputRow() {
        options.setDefaultClipboardColumnChoices();
        fault.setGDType(GDTypes::GDType_Fault);
        fault.setStrike(30);
        fault.setDip(60);
        fault.setRake(90);
        fault.setTrend(120);
        fault.setPlunge(60);
        fault.setSlipType(GDSlipTypes::GDSlipType_NormalSlip);
        fault.setCommentSize(9);
        fault.setX(512345.67);
        fault.setMD(1523.5);
        TokenStruct t;
        t.setTokenValue(TokenStruct::Strike_Token, "N30E");
        t.setTokenValue(TokenStruct::Dip_Token, "60");
        t.setTokenValue(TokenStruct::Rake_Token, "90");
        t.setTokenValue(TokenStruct::Trend_Token, "120");
        t.setTokenValue(TokenStruct::Plunge_Token, "60");
        t.setComment("striated");
        tokens.set(t);
    }
    std::string at(const qzTokenList& row, int type) const {
        const qzIEDataTypeOrder order(types, options);
        return row[std::size_t(order.getOrderIndex(type))].str();
    }
    qzTokenList fill() const {
        qzTokenList row;
        row.init(options, fault, tokens, qzIEDataTypeOrder(types, options), "W-7", 4);
        return row;
    }

    qzIEDataTypeOptions types;
    O options;
    DataStruct fault;
    CompositeTokenStruct tokens;
};

TEST_F(OutputRow, FaultWithRakeHasNoTrendOrPlungeByDefault) {
    options.setIEOption(O::IE_Rake_From_Token);
    const qzTokenList row = fill();
    EXPECT_EQ(at(row, T::Row_Type), "4");
    EXPECT_EQ(at(row, T::Type_Type), "Fault");
    EXPECT_EQ(at(row, T::Strike_Type), "N30E");
    EXPECT_EQ(at(row, T::Dip_Type), "60");
    EXPECT_EQ(at(row, T::Rake_Type), "90");
    EXPECT_EQ(at(row, T::Slip_Type), "Norm");
    EXPECT_EQ(at(row, T::XLoc_Type), "512345.67");
    EXPECT_EQ(at(row, T::YLoc_Type), "");
    EXPECT_EQ(at(row, T::MD_Type), "1523.5");
    EXPECT_EQ(at(row, T::Well_Type), "W-7");
    EXPECT_EQ(at(row, T::Comment_Type), "striated");
    EXPECT_EQ(at(row, T::Trend_Type), "");
    EXPECT_EQ(at(row, T::Plunge_Type), "");
}

TEST_F(OutputRow, TrendAndPlungeWithTheRakeOnRequest) {
    options.setIEOption(O::IE_Rake_From_Value);
    options.setIEOption(O::IE_Trend_Plunge_With_Rake);
    const qzTokenList row = fill();
    EXPECT_EQ(at(row, T::Rake_Type), "90");
    EXPECT_EQ(at(row, T::Trend_Type), "120");
    EXPECT_EQ(at(row, T::Plunge_Type), "60");
}

TEST_F(OutputRow, AnglesFromValuesRatherThanTokens) {
    options.setIEOption(O::IE_Angles_From_Values);
    fault.setCommentSize(0);
    const qzTokenList row = fill();
    EXPECT_EQ(at(row, T::Strike_Type), "30");
    EXPECT_EQ(at(row, T::Rake_Type), "");  // neither rake option set
    EXPECT_EQ(at(row, T::Trend_Type), "120");
    EXPECT_EQ(at(row, T::Comment_Type), "");  // no comment flagged on the record
}

}  // namespace
}  // namespace qzCore
