#include "qzCore/parsing/ColumnHeader.h"

#include <gtest/gtest.h>

#include "qzCore/parsing/IEOptions.h"

namespace qzCore {
namespace {

using T = qzIEDataTypeOptions;
using K = krtIEConstants;

TEST(ColumnHeader, WordsOfFieldSheets) {
    // {word, type, dip direction}
    struct Case {
        const char* word;
        int type;
        bool dd;
    };
    const Case cases[] = {
        {"Strike", T::Strike_Type, false},         {"STRIKE", T::Strike_Type, false},
        {"Dip Direction", T::Strike_Type, true},   {"dip_direction", T::Strike_Type, true},
        {"dip-direction", T::Strike_Type, true},   {"DipDir", T::Strike_Type, true},
        {"Azimuth", T::Strike_Type, true},         {"Dip (deg)", T::Dip_Type, false},
        {"Dip [\xc2\xb0]", T::Dip_Type, false},    {"Trend", T::Trend_Type, false},
        {"Bearing", T::Trend_Type, false},         {"plunge", T::Plunge_Type, false},
        {"Rake", T::Rake_Type, false},             {"Pitch", T::Rake_Type, false},
        {"Sense", T::Slip_Type, false},            {"Slip", T::Slip_Type, false},
        {"Comment", T::Comment_Type, false},       {"Notes", T::Comment_Type, false},
        {"Station", T::Well_Type, false},          {"Well", T::Well_Type, false},
        {"#", T::Row_Type, false},                 {"Attr3", T::Attr3_Type, false},
        {"Easting", T::XLoc_Type, false},          {"MD", T::MD_Type, false},
    };
    for (const Case& c : cases) {
        int type = -1;
        bool dd = false;
        ASSERT_TRUE(headerWordType(c.word, type, dd)) << c.word;
        EXPECT_EQ(type, c.type) << c.word;
        EXPECT_EQ(dd, c.dd) << c.word;
    }
    int type = 0;
    bool dd = false;
    for (const char* unknown : {"P_Trend", "T_Plunge", "Lithology", "", "Null", "Dips"}) {
        EXPECT_FALSE(headerWordType(unknown, type, dd)) << unknown;
    }
}

TEST(ColumnHeader, RowsDecideAzimuthAndJoinBlankSeparatedNames) {
    HeaderRow r = readHeaderRow("Azimuth,Dip", K::Comma_Delim);
    EXPECT_TRUE(r.allUnderstood());
    EXPECT_TRUE(r.dipDirection);
    EXPECT_EQ(r.types, (std::vector<int>{T::Strike_Type, T::Dip_Type}));

    r = readHeaderRow("Azimuth,Plunge", K::Comma_Delim);
    EXPECT_FALSE(r.dipDirection);
    EXPECT_EQ(r.types, (std::vector<int>{T::Trend_Type, T::Plunge_Type}));

    r = readHeaderRow("Dip Direction Dip  Measured depth", K::Space_Delim);
    EXPECT_TRUE(r.allUnderstood());
    EXPECT_EQ(r.types, (std::vector<int>{T::Strike_Type, T::Dip_Type, T::MD_Type}));
    EXPECT_EQ(r.words.front(), "Dip Direction");

    // A strike column says it; a dip-direction column beside it is not read.
    r = readHeaderRow("Strike\tDip\tDipDir", K::Tab_Delim);
    EXPECT_FALSE(r.dipDirection);
    EXPECT_EQ(r.types, (std::vector<int>{T::Strike_Type, T::Dip_Type, T::Null_Type}));

    r = readHeaderRow("Strike\tDip\tP_Trend", K::Tab_Delim);
    EXPECT_EQ(r.understood, 2);
    EXPECT_FALSE(r.allUnderstood());
    EXPECT_TRUE(r.wordsOnly);

    // Rows of data are no header, nor a row without a letter.
    EXPECT_FALSE(readHeaderRow("N30E,40SE", K::Comma_Delim).wordsOnly);
    EXPECT_FALSE(readHeaderRow(",40", K::Comma_Delim).wordsOnly);
    EXPECT_TRUE(readHeaderRow("Foo,Bar", K::Comma_Delim).wordsOnly);
}

}  // namespace
}  // namespace qzCore
