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
        {"STRIKE", T::Strike_Type, false},         {"dip-direction", T::Strike_Type, true},
        {"DipDir", T::Strike_Type, true},          {"Azimuth", T::Strike_Type, true},
        {"Dip [\xc2\xb0]", T::Dip_Type, false},    {"Bearing", T::Trend_Type, false},
        {"Pitch", T::Rake_Type, false},            {"Sense", T::Slip_Type, false},
        {"Notes", T::Comment_Type, false},         {"Station", T::Well_Type, false},
        {"#", T::Row_Type, false},                 {"Easting", T::XLoc_Type, false},
        // the open tools' words
        {"fazi", T::Strike_Type, true},            {"finc", T::Dip_Type, false},     // apsg
        {"lazi", T::Trend_Type, false},            {"linc", T::Plunge_Type, false},
        {"DD", T::Strike_Type, true},              {"dip_deg", T::Dip_Type, false},
        {"Planar Orientation Strike", T::Strike_Type, false},                       // StraboSpot
        {"Linear Orientation Plunge", T::Plunge_Type, false},
        {"movement", T::Slip_Type, false},         {"fault_or_sz_type", T::Slip_Type, false},
        {"feature_type", T::Attr1_Type, false},    {"Structure", T::Attr1_Type, false},
        {"Nx", T::NX_Type, false},                 {"Normal Z", T::NZ_Type, false},  // CloudCompare
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

TEST(ColumnHeader, BlankSeparatedNamesAndRowsOfData) {
    HeaderRow r = readHeaderRow("Dip Direction Dip  Measured depth", K::Space_Delim);
    EXPECT_TRUE(r.allUnderstood());
    EXPECT_EQ(r.types, (std::vector<int>{T::Strike_Type, T::Dip_Type, T::MD_Type}));
    EXPECT_EQ(r.words.front(), "Dip Direction");
    // Rows of data are no header, nor a row without a letter; a number in
    // exponent form is a number.
    EXPECT_FALSE(readHeaderRow("N30E,40SE", K::Comma_Delim).wordsOnly);
    EXPECT_FALSE(readHeaderRow(",40", K::Comma_Delim).wordsOnly);
    EXPECT_FALSE(readHeaderRow("-3.8e-01 -3.4e-01", K::Space_Delim).wordsOnly);
    EXPECT_TRUE(readHeaderRow("Foo,Bar", K::Comma_Delim).wordsOnly);
}

TEST(ColumnHeader, HeaderRowsOfTheOpenTools) {
    // {row, delimiter, columns read (Null: ignored), dip directions}
    struct Case {
        const char* row;
        unsigned int delim;
        std::vector<int> types;
        bool dd;
    };
    const int N = T::Null_Type;
    const Case cases[] = {
        // apsg: a fault's plane and lineation
        {"fazi,finc,lazi,linc,sense", K::Comma_Delim,
         {T::Strike_Type, T::Dip_Type, T::Trend_Type, T::Plunge_Type, T::Slip_Type}, true},
        // structr: an azimuth after the dip and before the plunge is the
        // slip line's trend
        {"dip_direction,dip,azimuth,plunge,sense", K::Comma_Delim,
         {T::Strike_Type, T::Dip_Type, T::Trend_Type, T::Plunge_Type, T::Slip_Type}, true},
        // ... and before the dip, the plane's dip direction
        {"azimuth,dip,trend,plunge", K::Comma_Delim, {T::Strike_Type, T::Dip_Type, T::Trend_Type, T::Plunge_Type}, true},
        {"Azimuth,Dip", K::Comma_Delim, {T::Strike_Type, T::Dip_Type}, true},
        {"Azimuth,Plunge", K::Comma_Delim, {T::Trend_Type, T::Plunge_Type}, false},
        {"Strike\tDip\tDipDir\tP_Trend", K::Tab_Delim, {T::Strike_Type, T::Dip_Type, N, N}, false},
        // StraboSpot: a strike says it, the dip direction beside it is not
        // read; two sense columns; the feature type is a label
        {"strike,dip_direction,dip,trend,plunge,movement,fault_or_sz_type,feature_type", K::Comma_Delim,
         {T::Strike_Type, N, T::Dip_Type, T::Trend_Type, T::Plunge_Type, T::Slip_Type, T::Slip_Type, T::Attr1_Type},
         false},
        // structure names after the attribute columns named so
        {"Strike,Dip,Attr1,Attr2,structure", K::Comma_Delim,
         {T::Strike_Type, T::Dip_Type, T::Attr1_Type, T::Attr2_Type, T::Attr3_Type}, false},
        // CloudCompare: a point cloud with normals, and facets with their
        // dip direction and dip (the normals are then not read)
        {"//X,Y,Z,Nx,Ny,Nz", K::Comma_Delim,
         {T::XLoc_Type, T::YLoc_Type, T::ZLoc_Type, T::NX_Type, T::NY_Type, T::NZ_Type}, false},
        {"Name;Center X;Normal X;Normal Y;Normal Z;Dip dir.;Dip", K::Semi_Colon_Delim,
         {N, T::XLoc_Type, N, N, N, T::Strike_Type, T::Dip_Type}, true},
        {"Nx,Ny,Strike,Dip", K::Comma_Delim, {N, N, T::Strike_Type, T::Dip_Type}, false},  // not all three
    };
    for (const Case& c : cases) {
        const HeaderRow r = readHeaderRow(c.row, c.delim);
        EXPECT_EQ(r.types, c.types) << c.row;
        EXPECT_EQ(r.dipDirection, c.dd) << c.row;
    }
}

}  // namespace
}  // namespace qzCore
