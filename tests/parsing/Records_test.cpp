#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/parsing/qzParser.h"

#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "qzCore/parsing/DataStruct.h"
#include "qzCore/records/GDTypes.h"

namespace qzCore {
namespace {

using K = GDTypes;
using Tok = TokenStruct;

Tok tokens(const char* type, const char* strike, const char* dip, const char* rake = "", const char* trend = "",
           const char* plunge = "", const char* slip = "") {
    Tok t;
    t.setTokenValue(Tok::Type_Token, type);
    t.setTokenValue(Tok::Strike_Token, strike);
    t.setTokenValue(Tok::Dip_Token, dip);
    t.setTokenValue(Tok::Rake_Token, rake);
    t.setTokenValue(Tok::Trend_Token, trend);
    t.setTokenValue(Tok::Plunge_Token, plunge);
    t.setTokenValue(Tok::Slip_Token, slip);
    return t;
}

/// A parser prepared for rows of the given layout (dip-direction mode when asked).
qzParser prepared(bool dipDirection) {
    qzParser p;
    qzIEColumnOptions o;
    o.setDefaultColumnChoices();
    if (dipDirection) o.setIEOption(qzIEColumnOptions::IE_Strike_Is_Dip_Direction);
    std::istringstream none;
    p.Initialize(o, qzIEDataTypeOrder(qzIEDataTypeOptions(), o), none);
    return p;
}

TEST(ParseSingle, TypeLettersChooseTheKind) {
    qzParser p;
    const struct {
        const char* letter;
        char kind;
    } cases[] = {{"p", K::GDType_Plane}, {"P", K::GDType_Plane}, {"m", K::GDType_ZolMarkerData},
                 {"w", K::GDType_ZolWellData}, {"Plane", K::GDType_Plane}};
    for (const auto& c : cases) {
        Tok t = tokens(c.letter, "N30E", "40SE");
        DataStruct d;
        ASSERT_EQ(p.ParseSingle(t, d), 1) << c.letter;
        EXPECT_EQ(d.getGDType(), c.kind);
        EXPECT_EQ(d.getStrike(), 30);
        EXPECT_EQ(d.getDip(), 40);
    }
    Tok line = tokens("l", "", "", "", "120", "30");
    DataStruct d;
    ASSERT_EQ(p.ParseSingle(line, d), 1);
    EXPECT_EQ(d.getGDType(), K::GDType_Line);
    EXPECT_EQ(d.getTrend(), 120);

    Tok special = tokens("s", "200", "15");
    DataStruct s;
    ASSERT_EQ(p.ParseSingle(special, s), 1);
    EXPECT_EQ(s.getGDType(), K::GDType_GenericSpecial);
    EXPECT_EQ(s.getStrike(), 200);
    EXPECT_EQ(s.getDip(), 15);
    EXPECT_EQ(s.getTrend(), 200);  // a result is a line: kept where a line keeps it
    Tok ustage = tokens("u", "10", "20", "", "100", "0");
    DataStruct u;
    ASSERT_EQ(p.ParseSingle(ustage, u), 1);
    EXPECT_EQ(u.getGDType(), K::GDType_UStage);
    EXPECT_EQ(u.getTrend(), 100);
}

TEST(ParseSingle, FaultWithRakeTrendOrNeither) {
    qzParser p;
    Tok withRake = tokens("f", "0", "60", "90", "", "", "Norm");
    DataStruct d;
    ASSERT_EQ(p.ParseSingle(withRake, d), 1);
    EXPECT_EQ(d.getGDType(), K::GDType_Fault);
    EXPECT_EQ(d.getRake(), 90);
    EXPECT_EQ(d.getTrend(), 90);
    EXPECT_EQ(d.getPlunge(), 60);
    EXPECT_EQ(d.getSlipType(), GDSlipTypes::GDSlipType_NormalSlip);

    Tok withTrend = tokens("F", "300", "35", "", "020", "34", "Rev");
    DataStruct t;
    ASSERT_EQ(p.ParseSingle(withTrend, t), 1);
    EXPECT_EQ(t.getTrend(), 20);
    EXPECT_FALSE(t.hasRake());

    Tok both = tokens("f", "0", "60", "90", "90", "60");
    DataStruct b;
    EXPECT_EQ(p.ParseSingle(both, b), Error::Rake_With_Trend_Plunge);
    Tok badSlip = tokens("f", "0", "60", "90", "", "", "Up");
    EXPECT_EQ(p.ParseSingle(badSlip, b), Error::Unknown_Slip_Sense);  // the message lists the words read
    Tok noPlane = tokens("f", "", "60");
    EXPECT_EQ(p.ParseSingle(noPlane, b), Error::Invalid_Strike);
}

TEST(ParseSingle, KindFromTheTokensPresent) {
    qzParser p;
    Tok plane = tokens("", "045", "30");
    DataStruct d;
    ASSERT_EQ(p.ParseSingle(plane, d), 1);
    EXPECT_EQ(d.getGDType(), K::GDType_Plane);

    Tok fault = tokens("", "045", "30", "40N", "", "", "LL");
    DataStruct f;
    ASSERT_EQ(p.ParseSingle(fault, f), 1);
    EXPECT_EQ(f.getGDType(), K::GDType_Fault);
    EXPECT_EQ(f.getRake(), 40);
    EXPECT_EQ(f.getSlipType(), GDSlipTypes::GDSlipType_LeftLatSlip);

    Tok faultTP = tokens("", "0", "60", "", "90", "60");
    DataStruct ftp;
    ASSERT_EQ(p.ParseSingle(faultTP, ftp), 1);
    EXPECT_EQ(ftp.getGDType(), K::GDType_Fault);

    Tok line = tokens("", "", "", "", "N45E", "20NE");
    DataStruct l;
    ASSERT_EQ(p.ParseSingle(line, l), 1);
    EXPECT_EQ(l.getGDType(), K::GDType_Line);
    EXPECT_EQ(l.getTrend(), 45);
}

TEST(ParseSingle, InconsistentRows) {
    qzParser p;
    DataStruct d;
    Tok both = tokens("", "045", "30", "40", "45", "20");
    EXPECT_EQ(p.ParseSingle(both, d), Error::Rake_With_Trend_Plunge);
    Tok slipOnly = tokens("", "", "", "", "", "", "Norm");
    EXPECT_EQ(p.ParseSingle(slipOnly, d), Error::Null_Input_Line);
    Tok nothing;
    EXPECT_EQ(p.ParseSingle(nothing, d), Error::Null_Input_Line);
    Tok rakeAlone = tokens("", "", "", "40");
    EXPECT_EQ(p.ParseSingle(rakeAlone, d), Error::Bad_Fault_Data);
    Tok planeWithSlip = tokens("", "045", "30", "", "", "", "Norm");
    EXPECT_EQ(p.ParseSingle(planeWithSlip, d), Error::Null_Input_Line);
    Tok strikeNoDip = tokens("", "045", "");
    EXPECT_EQ(p.ParseSingle(strikeNoDip, d), -1);
    Tok badLine = tokens("l", "", "", "", "45", "20SW");
    EXPECT_EQ(p.ParseSingle(badLine, d), Error::Invalid_Trend_Plunge);
}

TEST(ParseSingle, DipDirectionMode) {
    qzParser p = prepared(true);
    Tok t = tokens("", "120", "30");
    DataStruct d;
    ASSERT_EQ(p.ParseSingle(t, d), 1);
    EXPECT_EQ(d.getStrike(), 30);
    EXPECT_EQ(d.getDip(), 30);
    EXPECT_STREQ(t.strike(), "30");
    EXPECT_STREQ(t.dip(), "30");
    Tok contrary = tokens("", "120", "30N");
    EXPECT_EQ(p.ParseSingle(contrary, d), Error::Invalid_Dip_Direction);
    Tok agreeing = tokens("", "120", "30SE");
    ASSERT_EQ(p.ParseSingle(agreeing, d), 1);
    EXPECT_EQ(d.getStrike(), 30);
    // A fault with a rake: the plane is turned once, not twice.
    Tok fault = tokens("f", "090", "60", "90");
    DataStruct f;
    ASSERT_EQ(p.ParseSingle(fault, f), 1);
    EXPECT_EQ(f.getStrike(), 0);
    EXPECT_EQ(f.getTrend(), 90);
    EXPECT_EQ(f.getPlunge(), 60);
    Tok zero = tokens("", "0", "20");
    ASSERT_EQ(p.ParseSingle(zero, d), 1);
    EXPECT_EQ(d.getStrike(), 270);
}

TEST(ParseLocation, NumbersAndTheZeroRule) {
    qzParser p;
    DataStruct d;
    EXPECT_EQ(p.ParseLocation("512345.67", "", "-12.5m", d), 1);
    EXPECT_EQ(d.getX(), 512345.67);
    EXPECT_FALSE(d.hasY());
    EXPECT_EQ(d.getZ(), -12.5);
    EXPECT_EQ(p.ParseLocation("0", nullptr, nullptr, d), 1);
    EXPECT_EQ(d.getX(), 0.0);
    DataStruct e;
    EXPECT_EQ(p.ParseLocation("abc", "", "", e), Error::Bad_Location);
    EXPECT_EQ(p.ParseLocation("-0", "", "", e), Error::Bad_Location);
    EXPECT_EQ(p.ParseLocation("1", "x", "", e), Error::Bad_Location);
    EXPECT_EQ(e.getX(), 1.0);  // set before the failure, and kept
    EXPECT_EQ(p.ParseLocation("1e999", "", "", e), Error::Bad_Location);
    EXPECT_EQ(p.ParseLocation("inf", "", "", e), Error::Bad_Location);
}

}  // namespace
}  // namespace qzCore
