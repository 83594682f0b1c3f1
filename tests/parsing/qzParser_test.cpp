#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/parsing/qzParser.h"

#include <string>

#include <gtest/gtest.h>

#include "qzCore/records/GDTypes.h"

namespace qzCore {

// Reaches the parser's per-value steps that record conversion uses.
class qzParserTestAccess {
public:
    static int ParseDip(qzParser& p, int& strike, int& dip, const char* text) {
        return p.ParseDip(strike, dip, text);
    }
    static int ParseRake(qzParser& p, int strike, int dip, int& trend, int& plunge, const char* text) {
        return p.ParseRake(strike, dip, trend, plunge, text);
    }
    static int ParseSlip(qzParser& p, char& slip, const char* text) { return p.ParseSlip(slip, text); }
};

namespace {

using A = qzParserTestAccess;

int strikeOf(const char* text, int start = -99) {
    qzParser p;
    int s = start;
    const int r = p.ParseStrike(s, text);
    return r == 1 ? s : r;
}

TEST(ParseStrike, AzimuthsAndQuadrantBearings) {
    // {text, strike}: 360 stays 360; halves round up; N..E v, S..E 180 - v,
    // N..W 360 - v, S..W 180 + v; nothing after the closing letter is read.
    const std::pair<const char*, int> cases[] = {
        {"045", 45},   {"0", 0},      {"360", 360},  {"45.5", 46},  {"45.4", 45},  {"359.5", 360}, {"45.", 45},
        {"N30E", 30},  {"S30E", 150}, {"N30W", 330}, {"S30W", 210}, {"n30e", 30},  {"s45w", 225},  {"N0E", 0},
        {"N90W", 270}, {"S90E", 90},  {"N30EX", 30}};
    for (const auto& [text, strike] : cases) EXPECT_EQ(strikeOf(text), strike) << text;
}

TEST(ParseStrike, MalformedTextIsRejectedWithoutTouchingTheStrike) {
    for (const char* bad : {"N95E", "N30", "N", "N30.5E", "N-30E", "E30N", "-10", "+10", " 10", "10 ",
                            "1e2", "", "abc", "45x", "N30Q", "\xff", "4\xc3\xa9"}) {
        EXPECT_EQ(strikeOf(bad, 7), Error::Invalid_Strike) << bad;
    }
    qzParser p;
    int s = 7;
    EXPECT_EQ(p.ParseStrike(s, nullptr), Error::Invalid_Strike);
    EXPECT_EQ(p.ParseStrike(s, "N30"), Error::Invalid_Strike);
    EXPECT_EQ(s, 7);
}

TEST(ParseStrike, TextOfAnyLengthIsBounded) {
    const std::string longDigits(100000, '4');
    EXPECT_EQ(strikeOf(longDigits.c_str()), Error::Invalid_Strike);
    EXPECT_EQ(strikeOf(("N" + longDigits + "E").c_str()), Error::Invalid_Strike);
    // Leading zeros within the number room are fine.
    EXPECT_EQ(strikeOf("000000000045"), 45);
    EXPECT_EQ(strikeOf("0000000000045"), Error::Invalid_Strike);
}

struct DipCase {
    int strike;
    const char* text;
    int result;
    int strikeAfter;
    bool agreed;
};

TEST(ParseDip, DirectionLettersAgreeOrTurnTheStrike) {
    const DipCase cases[] = {
        {45, "30SE", 1, 45, true},   {45, "30E", 1, 45, true},    {45, "30s", 1, 45, true},
        {45, "30NW", 1, 225, false}, {45, "30N", 1, 225, false},  {45, "30w", 1, 225, false},
        {120, "30SW", 1, 120, true}, {120, "30NE", 1, 300, false}, {120, "30e", 1, 300, false},
        {200, "30NW", 1, 200, true}, {200, "30SE", 1, 20, false}, {200, "30S", 1, 20, false},
        {300, "30NE", 1, 300, true}, {300, "30SW", 1, 120, false}, {300, "30W", 1, 120, false},
        {0, "30E", 1, 0, true},      {360, "30E", 1, 0, true},    {0, "30W", 1, 180, false},
        {360, "30w", 1, 180, false}, {90, "30S", 1, 90, true},    {90, "30N", 1, 270, false},
        {180, "30W", 1, 180, true},  {180, "30E", 1, 0, false},   {270, "30N", 1, 270, true},
        {270, "30S", 1, 90, false},  {45, "30", 1, 45, true},
        // Letters at right angles to the dip direction, or unknown: an
        // invalid direction, the strike untouched.
        {45, "30NE", -2, 45, false},  {45, "30SW", -2, 45, false}, {0, "30N", -2, 0, false},
        {0, "30SE", -2, 0, false},    {90, "30E", -2, 90, false},  {90, "30SE", -2, 90, false},
        {45, "30SEX", -2, 45, false}, {45, "30 SE", -2, 45, false}, {45, "30Q", -2, 45, false},
        {45, "30ES", -2, 45, false},  {-5, "30E", -2, -5, false},  {45, "30\xe9", -2, 45, false},
    };
    for (const DipCase& c : cases) {
        qzParser p;
        int strike = c.strike, dip = -1;
        EXPECT_EQ(A::ParseDip(p, strike, dip, c.text), c.result) << c.strike << " " << c.text;
        EXPECT_EQ(strike, c.strikeAfter) << c.strike << " " << c.text;
        EXPECT_EQ(dip, 30) << "the dip is written before the letters are checked";
        if (c.result == 1) {
            EXPECT_EQ(p.getDipAgreed(), c.agreed) << c.strike << " " << c.text;
        }
    }
}

TEST(ParseDip, BadValues) {
    qzParser p;
    int strike = 45, dip = 12;
    EXPECT_EQ(A::ParseDip(p, strike, dip, "91"), -1);
    EXPECT_EQ(dip, -1);
    dip = 12;
    for (const char* bad : {"", "-5", "SE30", " 30", ".5"}) {
        EXPECT_EQ(A::ParseDip(p, strike, dip, bad), -1) << bad;
        EXPECT_EQ(dip, 12);
    }
    EXPECT_EQ(A::ParseDip(p, strike, dip, nullptr), -1);
    EXPECT_EQ(A::ParseDip(p, strike, dip, "90"), 1);
    EXPECT_EQ(dip, 90);
    EXPECT_EQ(A::ParseDip(p, strike, dip, "89.5"), 1);
    EXPECT_EQ(dip, 90);
    EXPECT_EQ(A::ParseDip(p, strike, dip, "90.5"), -1);
    const std::string longDip(5000, '1');
    EXPECT_EQ(A::ParseDip(p, strike, dip, longDip.c_str()), -1);
}

int rakeOf(int strike, int dip, const char* dipText, const char* rakeText, int* trend = nullptr,
           int* plunge = nullptr) {
    qzParser p;
    int s = strike, d = dip;
    if (dipText) {
        EXPECT_EQ(A::ParseDip(p, s, d, dipText), 1);
    }
    int t = -1, pl = -1;
    const int r = A::ParseRake(p, s, d, t, pl, rakeText);
    if (trend) *trend = t;
    if (plunge) *plunge = pl;
    return r;
}

TEST(ParseRake, RakeAndSlipLineOnTheFinalPlane) {
    // {strike, dip text, rake text, rake, trend, plunge}.  A dip that turns
    // the strike counts the rake from the other end: 045 with the dip to the
    // NW is the plane 225/30, and a rake of 90 is straight down dip to 315.
    const struct {
        int strike, dip;
        const char *dipText, *rakeText;
        int rake, trend, plunge;
    } cases[] = {{0, 60, "60", "90", 90, 90, 60},      {45, 30, "30", "180", 180, -2, -2},
                 {45, 30, "30NW", "120", 60, -2, -2}, {45, 30, "30NW", "90", 90, 315, 30},
                 {0, 90, "90", "30S", 150, 180, 30},   {45, 30, "30", "181", Error::Invalid_Rake, -2, -2}};
    for (const auto& c : cases) {
        int t = 0, p = 0;
        EXPECT_EQ(rakeOf(c.strike, c.dip, c.dipText, c.rakeText, &t, &p), c.rake) << c.dipText << " " << c.rakeText;
        if (c.trend != -2) {
            EXPECT_EQ(t, c.trend) << c.rakeText;
            EXPECT_EQ(p, c.plunge) << c.rakeText;
        }
    }
}

TEST(ParseRake, LettersNameTheEndOfTheStrikeLine) {
    // {strike, rake text, rake from the strike}: letters of the strike's
    // own end keep the rake, of the other end give 180 - rake.
    const struct {
        int strike;
        const char* text;
        int rake;
    } cases[] = {{45, "40N", 40},   {45, "40ne", 40},  {45, "40E", 40},   {45, "40S", 140},  {45, "40SW", 140},
                 {45, "40W", 140},  {120, "40S", 40},  {120, "40NW", 140}, {200, "40sw", 40}, {200, "40N", 140},
                 {300, "40NW", 40}, {300, "40se", 140}, {0, "40N", 40},    {90, "40E", 40},   {90, "40W", 140},
                 {180, "40S", 40},  {270, "40E", 140}};
    for (const auto& c : cases) EXPECT_EQ(rakeOf(c.strike, 30, "30", c.text), c.rake) << c.strike << " " << c.text;
    EXPECT_EQ(rakeOf(360, 30, nullptr, "40S"), 140);
}

TEST(ParseRake, BadRakes) {
    for (const char* bad : {"40.5", "95N", "40NW", "40SE", "40X", "", "-5", "N40", "40 N", "1000000000000000"}) {
        EXPECT_EQ(rakeOf(45, 30, "30", bad), Error::Invalid_Rake) << bad;
    }
    EXPECT_EQ(rakeOf(0, 30, "30", "40E"), Error::Invalid_Rake);
    EXPECT_EQ(rakeOf(45, 30, "30", nullptr), Error::Invalid_Rake);
}

int plungeOf(int trend, const char* text, int start = 55) {
    qzParser p;
    int pl = start;
    const int r = p.ParsePlunge(trend, pl, text);
    return r == 1 ? pl : r;
}

TEST(ParsePlunge, ValueAndQuadrantLetters) {
    // {trend, text, plunge or code}: letters must name the trend's
    // quadrant (any, for a trend outside 0..360).
    const struct {
        int trend;
        const char* text;
        int plunge;
    } cases[] = {{45, "30", 30},     {300, "30", 30},    {45, "30NE", 30},  {45, "30N", 30},   {45, "30E", 30},
                 {135, "30se", 30},  {225, "30W", 30},   {315, "30nw", 30}, {0, "30N", 30},    {360, "30N", 30},
                 {90, "30E", 30},    {180, "30S", 30},   {270, "30W", 30},  {-1, "30anything", 30},
                 {45, "89.5", 90},   {45, "30SW", -17},  {0, "30NE", -17},  {270, "30E", -17}, {45, "91", -17}};
    for (const auto& c : cases) EXPECT_EQ(plungeOf(c.trend, c.text), c.plunge) << c.trend << " " << c.text;
}

TEST(ParsePlunge, FailureLeavesThePlunge) {
    qzParser p;
    int pl = 55;
    for (const char* bad : {"", " 30", "-30", "N30", "91", "30SW"}) {
        EXPECT_EQ(p.ParsePlunge(45, pl, bad), Error::Invalid_Plunge) << bad;
        EXPECT_EQ(pl, 55);
    }
    EXPECT_EQ(p.ParsePlunge(45, pl, nullptr), Error::Invalid_Plunge);
    const std::string longText(70000, '9');
    EXPECT_EQ(p.ParsePlunge(45, pl, longText.c_str()), Error::Invalid_Plunge);
    EXPECT_EQ(pl, 55);
}

TEST(ParseSlip, KeywordsAndTwoLetterForms) {
    qzParser p;
    const std::pair<const char*, char> good[] = {{"Norm", GDSlipTypes::GDSlipType_NormalSlip},
                                                 {"Rev", GDSlipTypes::GDSlipType_ReverseSlip},
                                                 {"ll", GDSlipTypes::GDSlipType_LeftLatSlip},
                                                 {"Rl", GDSlipTypes::GDSlipType_RightLatSlip},
                                                 {"None", GDSlipTypes::GDSlipType_NoSlip}};
    for (const auto& [text, code] : good) {
        char s = 99;
        EXPECT_EQ(A::ParseSlip(p, s, text), 1) << text;
        EXPECT_EQ(s, code) << text;
    }
    for (const char* bad : {"norm", "L", "LLL", "RLx", "", "Normal", "\xff\xfe", static_cast<const char*>(nullptr)}) {
        char s = 99;
        EXPECT_EQ(A::ParseSlip(p, s, bad), Error::Invalid_Slip);
        EXPECT_EQ(s, GDSlipTypes::GDSlipType_NoSlip);
    }
}

TEST(ParseNumberGeneric, DecimalNumbers) {
    // {text, as a double, as an int}: leading blanks, a sign, a fraction;
    // nothing, blanks or a lone minus are 0.
    const struct {
        const char* text;
        double value;
        int whole;
    } cases[] = {{" -12", -12, -12}, {"12.75", 12.75, 13}, {"\t\n 1523.5", 1523.5, 1524}, {"-0.5", -0.5, -1},
                 {"512345.67", 512345.67, 512346}, {"", 0, 0}, {"   ", 0, 0}, {"-", 0, 0}, {"  -", 0, 0}};
    qzParser p;
    for (const auto& c : cases) {
        double d = 5;
        int i = 5;
        EXPECT_EQ(p.ParseNumberGeneric(c.text, d), 1) << c.text;
        EXPECT_EQ(p.ParseNumberGeneric(c.text, i), 1) << c.text;
        EXPECT_DOUBLE_EQ(d, c.value) << c.text;
        EXPECT_EQ(i, c.whole) << c.text;
    }
}

TEST(ParseNumberGeneric, RejectsAndLeavesTheValue) {
    qzParser p;
    for (const char* bad : {"12a", "1e5", "+5", "--5", "5-", "12 ", "1.2.3", "0x10", "inf", "nan", ".",
                            "-.", "1,5", "\xc2\xa0" "5"}) {
        double d = 5;
        EXPECT_EQ(p.ParseNumberGeneric(bad, d), Error::Invalid_Input_Value) << bad;
        EXPECT_EQ(d, 5);
    }
    int i = 5;
    EXPECT_EQ(p.ParseNumberGeneric("3000000000", i), Error::Invalid_Input_Value);
    EXPECT_EQ(i, 5);
    double d = 5;
    const std::string huge(400, '9');
    EXPECT_EQ(p.ParseNumberGeneric(huge.c_str(), d), Error::Invalid_Input_Value);
    EXPECT_EQ(p.ParseNumberGeneric(nullptr, d), Error::Invalid_Input_Value);
    EXPECT_EQ(d, 5);
    const std::string longButFine = std::string(300, '0') + "7";
    EXPECT_EQ(p.ParseNumberGeneric(longButFine.c_str(), d), 1);
    EXPECT_DOUBLE_EQ(d, 7);
}

}  // namespace
}  // namespace qzCore
