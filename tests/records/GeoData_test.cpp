#include "qzCore/records/GeoData.h"

#include <string>

#include <gtest/gtest.h>

#include "qzCore/records/GDTypes.h"
#include "qzCore/records/zolWellData.h"
#include "qzCore/shared/MyMath.h"
#include "tests/support/Values.h"

namespace qzCore {
namespace {

using S = GDSlipTypes;

/// A fault on the plane (strike, dip) whose slip line has the given rake,
/// with its trend and plunge worked out as the parser does.
FaultData fault(int strike, int dip, int rake, char slip) {
    return FaultData(TokenStruct(), faultValues(strike, dip, rake, slip));
}

struct Flags {
    bool ccw, cw, inStrike;
};

Flags flagsOf(const FaultData& f) {
    return {f.data()->hasCCWSlip(), f.data()->hasCWSlip(), f.data()->hasSlipInStrikeDirection()};
}

TEST(FaultSlipGeometry, RotationFlagsByRakeAndSense) {
    // {strike, dip, rake, sense, ccw, cw, in strike direction}: A is the
    // slip line's angle from the strike line; left-lateral is CCW, right-
    // lateral CW; below A = 90 normal is CCW and reverse CW, beyond it the
    // other way; a sense that does not fit the line (normal at A = 0) none.
    const struct {
        int strike, dip, rake;
        char sense;
        bool ccw, cw, inStrike;
    } cases[] = {
        {0, 60, 0, S::GDSlipType_LeftLatSlip, true, false, true},    {0, 60, 0, S::GDSlipType_RightLatSlip, false, true, true},
        {0, 60, 180, S::GDSlipType_RightLatSlip, false, true, false}, {0, 60, 0, S::GDSlipType_NormalSlip, false, false, true},
        {0, 60, 90, S::GDSlipType_NormalSlip, true, false, false},   {0, 60, 90, S::GDSlipType_ReverseSlip, false, true, false},
        {30, 60, 45, S::GDSlipType_LeftLatSlip, true, false, true},  {30, 60, 45, S::GDSlipType_NormalSlip, true, false, true},
        {30, 60, 45, S::GDSlipType_RightLatSlip, false, true, true}, {30, 60, 45, S::GDSlipType_ReverseSlip, false, true, true},
        {30, 60, 135, S::GDSlipType_LeftLatSlip, true, false, false}, {30, 60, 135, S::GDSlipType_ReverseSlip, true, false, false},
        {30, 60, 135, S::GDSlipType_RightLatSlip, false, true, false}, {30, 60, 135, S::GDSlipType_NormalSlip, false, true, false},
    };
    for (const auto& c : cases) {
        const Flags f = flagsOf(fault(c.strike, c.dip, c.rake, c.sense));
        EXPECT_EQ(f.ccw, c.ccw) << c.rake << " " << int(c.sense);
        EXPECT_EQ(f.cw, c.cw) << c.rake << " " << int(c.sense);
        EXPECT_EQ(f.inStrike, c.inStrike) << c.rake << " " << int(c.sense);
    }
}

TEST(FaultSlipGeometry, AmbiguousNoSlipAndNoSlipText) {
    Flags f = flagsOf(fault(0, 60, 45, S::GDSlipType_AmbigSlip));
    EXPECT_FALSE(f.cw || f.ccw);
    EXPECT_TRUE(f.inStrike);

    const FaultData none = fault(0, 60, 45, S::GDSlipType_NoSlip);
    EXPECT_FALSE(none.data()->hasSlip());
    EXPECT_STREQ(none.tokens()->getSlip(), "");
    EXPECT_EQ(none.data()->getGDFlags() & (8 | 16 | 32 | 64), 0);

    FaultData noText = fault(0, 60, 45, S::GDSlipType_NormalSlip);
    noText.tokens()->setSlip("");
    noText.computeSlipRotationValue();
    f = flagsOf(noText);
    EXPECT_FALSE(f.cw || f.ccw || f.inStrike);
    EXPECT_TRUE(noText.data()->hasSlip());
}

TEST(FaultSlipToken, LabelOfTheSlipCode) {
    FaultData f = fault(0, 60, 90, S::GDSlipType_NormalSlip);
    EXPECT_STREQ(f.tokens()->getSlip(), "Norm");
    f.data()->setSlip(char(8));  // a code without a label
    f.computeSlipToken();
    EXPECT_STREQ(f.tokens()->getSlip(), "");
    EXPECT_FALSE(f.data()->hasSlipFlag());
}

TEST(GeoDataCopies, AreDeepAndIndependent) {
    DataStruct d;
    d.setStrike(10);
    d.setDip(20);
    d.setX(100.0);
    TokenStruct t;
    t.setTokenValue(TokenStruct::Strike_Token, "10");
    t.setComment("bedding");
    PlaneData a(t, d);
    a.setDataReference(77);
    PlaneData b(a);
    EXPECT_EQ(b.getDataReference(), 77u);
    b.data()->setStrike(11);
    b.data()->setX(5.0);
    b.setComment("changed");
    EXPECT_EQ(a.data()->getStrike(), 10);
    EXPECT_EQ(a.data()->getX(), 100.0);
    EXPECT_STREQ(a.tokens()->getComment(), "bedding");
    EXPECT_NE(a.data(), b.data());

    PlaneData c;
    c.free();
    c = a;  // parts missing on the left are created
    EXPECT_EQ(c.data()->getStrike(), 10);
    PlaneData empty;
    empty.free();
    c = empty;  // parts missing on the right are dropped
    EXPECT_EQ(c.data(), nullptr);
    c.setComment("ignored without parts");
    EXPECT_EQ(c.getGDType(), GDTypes::GDType_Null);

    const std::unique_ptr<GeoData> clone = a.clone();
    EXPECT_TRUE(clone->isPlanar());
    a.data()->setDip(1);
    EXPECT_EQ(clone->data()->getDip(), 20);
}

TEST(GeoDataComment, LengthFollowsTheComment) {
    LineData l;
    l.setComment("joint set 2");
    EXPECT_EQ(l.data()->getCommentSize(), 11u);
    EXPECT_TRUE(l.data()->getGDFlags() & GDFlags::GDFlag_Has_Comment);
    l.setComment(nullptr);
    EXPECT_FALSE(l.tokens()->hasComment());
    EXPECT_EQ(l.data()->getCommentSize(), 0u);
    EXPECT_FALSE(l.data()->getGDFlags() & GDFlags::GDFlag_Has_Comment);
    const std::string longText(300, 'c');
    l.setComment(longText.c_str());
    EXPECT_STREQ(l.tokens()->getComment(), longText.c_str());
    EXPECT_EQ(l.data()->getCommentSize(), 0u);
}

TEST(SpecialData, KindsAndResultRecords) {
    SpecialData s;
    EXPECT_EQ(s.getGDType(), GDTypes::GDType_GenericSpecial);
    s.setSpecialType("Fish");
    EXPECT_EQ(s.getGDType(), GDTypes::GDType_Fisher);
    s.setSpecialType("Fisher");
    EXPECT_EQ(s.getGDType(), GDTypes::GDType_Null);
    s.setSpecialType(nullptr);
    EXPECT_EQ(s.getGDType(), GDTypes::GDType_Null);

    const SpecialData r(120, 35, GDTypes::GDType_PAxis, "P axis");
    EXPECT_STREQ(r.tokens()->getTrend(), "120");
    EXPECT_STREQ(r.tokens()->getComment(), "P axis");
    EXPECT_EQ(SpecialData(lineValues(1, 2, GDTypes::GDType_Eigen2), TokenStruct()).getGDType(), GDTypes::GDType_Eigen2);
}

UStageData ustage(int t1, int p1, int t2, int p2) { return UStageData(ustageValues(t1, p1, t2, p2), TokenStruct()); }

TEST(UStageData, AxesWithinFiveDegreesOfARightAngle) {
    EXPECT_TRUE(ustage(0, 0, 95, 0).hasAcceptableAxes());
    EXPECT_FALSE(ustage(0, 0, 96, 0).hasAcceptableAxes());
    EXPECT_TRUE(ustage(0, 0, 85, 0).hasAcceptableAxes());
    EXPECT_FALSE(ustage(0, 0, 84, 0).hasAcceptableAxes());
    EXPECT_TRUE(ustage(200, 90, 33, 0).hasAcceptableAxes());
}

TEST(ZolWellData, BuiltFromHostParameters) {
    zolDataParams p(45.4f, 30.6f, 1523.5, 500000.0, 4000000.0, -20.0, "Top Brent", "n", "Fault", 0xff0000u, 1,
                    2, "W1", false, false);
    const zolWellData w(p);
    EXPECT_EQ(w.data()->getStrike(), 45);
    EXPECT_EQ(w.data()->getDip(), 31);
    EXPECT_STREQ(w.tokens()->getDip(), "31");
    EXPECT_EQ(w.data()->md(), 1523.5);
    EXPECT_STREQ(w.tokens()->getComment(), "Top Brent : Fault");
}

TEST(ZolWellData, AbsentValuesDepthRangeAndComments) {
    zolDataParams p;
    p.az() = -1.0f;
    p.dip() = 20.0f;
    p.md() = 100000.0;
    p.type() = "Fault";
    zolWellData w(p);
    EXPECT_FALSE(w.data()->hasStrike());
    EXPECT_EQ(w.data()->md(), 100000.0);
    EXPECT_STREQ(w.tokens()->getComment(), "Fault");
    p.md() = 100000.5;
    p.type().clear();
    p.horizon() = "H";
    w.modifyValues(p);
    EXPECT_FALSE(w.data()->hasMD());
    EXPECT_STREQ(w.tokens()->getComment(), "H");
    p.md() = -1.0;
    p.horizon().clear();
    w.modifyValues(p);
    EXPECT_FALSE(w.data()->hasMD());
    EXPECT_STREQ(w.tokens()->getComment(), "");
    EXPECT_FALSE(w.data()->hasLoc());
}

TEST(ZolMarkerData, KindAndFlush) {
    zolDataParams p(10.0f, 5.0f, 10.0, 1, 2, 3, "H", "", "", 0, 0, 0, "", false, true);
    zolMarkerData m(p);
    m.modifyValues(p);
    EXPECT_EQ(m.getGDType(), GDTypes::GDType_ZolMarkerData);
    m.flushValues();
    EXPECT_FALSE(m.data()->hasStrike());
    EXPECT_FALSE(m.data()->hasDip());
    EXPECT_STREQ(m.tokens()->getStrike(), "");
    EXPECT_TRUE(zolMarkerData(m).clone()->isMarker());
}

}  // namespace
}  // namespace qzCore
