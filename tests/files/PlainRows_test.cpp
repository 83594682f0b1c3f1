// Rows of bare whole numbers (a strike and dip, a trend and plunge), the
// bulk of most field files, are read by a short way.  Whatever way a row
// takes, it must come out exactly as the general rules say: the same
// record, the same texts, the same report.  The cases sit on both sides of
// every condition the short way checks.
#include "tests/files/ImportFixture.h"

namespace qzCore {
namespace testing_import {
namespace {

struct Outcome {
    char kind;          // Rejected: the row is reported
    int first, second;  // strike and dip, or trend and plunge
    const char* firstText;
    const char* secondText;
    bool kept;              // the record keeps its texts (they are not the numbers' own)
    const char* message;    // the report's message, for a rejected row
};

constexpr char Plane = K::GDType_Plane;
constexpr char Rejected = K::GDType_Null;
constexpr char Line = K::GDType_Line;
const char* const Bad_Strike = "Invalid strike value";
const char* const Bad_Dip = "Invalid dip value";
const char* const Bad_Line = "Error interpreting trend and/or plunge value";

struct Case {
    const char* row;
    Outcome out;
};

class PlainRows : public Import {
protected:
    // Loads each row alone and compares it with its outcome.
    void expectRows(const std::function<void(O&)>& setup, std::initializer_list<Case> cases);
};

void PlainRows::expectRows(const std::function<void(O&)>& setup, std::initializer_list<Case> cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        errors.resetErrorHandler();
        Data data(ComplexFileName("rows.txt"), &errors, 2);
        ASSERT_EQ(loadInto(data, c.row, setup), 1);
        if (c.out.kind == Rejected) {
            EXPECT_EQ(data.getNumData(), 0);
            EXPECT_NE(report().find(std::string("%<Line 1> Error on input value\n") + c.out.message),
                      std::string::npos)
                << report();
            continue;
        }
        EXPECT_TRUE(report().empty()) << report();
        ASSERT_EQ(data.getNumData(), 1);
        const GeoData& g = *data.getSpecificData(0);
        ASSERT_EQ(g.getGDType(), c.out.kind);
        const bool line = c.out.kind == Line;
        const LightweightDataStruct& v = *g.data();
        EXPECT_EQ(line ? v.getTrend() : v.getStrike(), c.out.first);
        EXPECT_EQ(line ? v.getPlunge() : v.getDip(), c.out.second);
        EXPECT_EQ(g.keepsTokenPart(), c.out.kept);
        TokenStruct texts;
        g.get(texts);
        EXPECT_STREQ(line ? texts.trend() : texts.strike(), c.out.firstText);
        EXPECT_STREQ(line ? texts.plunge() : texts.dip(), c.out.secondText);
    }
}

TEST_F(PlainRows, BareStrikeAndDipRowsAtEveryEdge) {
    expectRows(columnsOf({T::Strike_Type, T::Dip_Type}),
               {
                   {"45\t30", {Plane, 45, 30, "45", "30", false, nullptr}},
                   {"0\t0", {Plane, 0, 0, "0", "0", false, nullptr}},
                   {"360\t90", {Plane, 360, 90, "360", "90", false, nullptr}},
                   {"361\t30", {Rejected, 0, 0, nullptr, nullptr, false, Bad_Strike}},
                   {"45\t91", {Rejected, 0, 0, nullptr, nullptr, false, Bad_Dip}},
                   {"999\t30", {Rejected, 0, 0, nullptr, nullptr, false, Bad_Strike}},
                   // Leading zeros are the geologist's texts, kept; four
                   // digits are a number all the same.
                   {"045\t030", {Plane, 45, 30, "045", "030", true, nullptr}},
                   {"0045\t30", {Plane, 45, 30, "0045", "30", true, nullptr}},
                   {"0360\t30", {Plane, 360, 30, "0360", "30", true, nullptr}},
                   // Carriage return, blanks, quotes, a trailing delimiter:
                   // the same plane.
                   {"45\t30\r", {Plane, 45, 30, "45", "30", false, nullptr}},
                   {" 45\t30 ", {Plane, 45, 30, "45", "30", false, nullptr}},
                   {"\"45\"\t30", {Plane, 45, 30, "45", "30", false, nullptr}},
                   {"45\t30\t", {Plane, 45, 30, "45", "30", false, nullptr}},
                   // A cell missing, or a second delimiter before the dip.
                   {"45", {Rejected, 0, 0, nullptr, nullptr, false, Bad_Dip}},
                   {"45\t\t30", {Rejected, 0, 0, nullptr, nullptr, false, Bad_Dip}},
                   {"\t30", {Rejected, 0, 0, nullptr, nullptr, false, "Missing input value"}},
                   // Not a whole number.
                   {"45\t30.4", {Plane, 45, 30, "45", "30", false, nullptr}},
                   {"45\t30SE", {Plane, 45, 30, "45", "30SE", true, nullptr}},
                   {"45\t-30", {Rejected, 0, 0, nullptr, nullptr, false, Bad_Dip}},
                   {"45,5\t30", {Rejected, 0, 0, nullptr, nullptr, false, Bad_Strike}},
               });
}

TEST_F(PlainRows, BareRowsUnderOtherLayouts) {
    // Trend and plunge: the plunge is bounded like a dip.
    expectRows(columnsOf({T::Trend_Type, T::Plunge_Type}),
               {
                   {"120\t35", {Line, 120, 35, "120", "35", false, nullptr}},
                   {"360\t90", {Line, 360, 90, "360", "90", false, nullptr}},
                   {"120\t91", {Rejected, 0, 0, nullptr, nullptr, false, Bad_Line}},
                   {"361\t10", {Rejected, 0, 0, nullptr, nullptr, false, Bad_Line}},
               });
    // A dip-direction column is turned to the right-hand-rule strike.
    expectRows([](O& o) {
                   columnsOf({T::Strike_Type, T::Dip_Type})(o);
                   o.setIEOption(O::IE_Strike_Is_Dip_Direction);
               },
               {
                   {"135\t30", {Plane, 45, 30, "45", "30", false, nullptr}},
                   {"0\t30", {Plane, 270, 30, "270", "30", false, nullptr}},
               });
    // The dip before the strike, and columns of other types after the pair
    // or in front of it.
    expectRows(columnsOf({T::Dip_Type, T::Strike_Type}), {{"30\t45", {Plane, 45, 30, "45", "30", false, nullptr}}});
    expectRows(columnsOf({T::Strike_Type, T::Dip_Type, T::Rake_Type}),
               {
                   {"45\t30", {Plane, 45, 30, "45", "30", false, nullptr}},
                   {"45\t30\t90", {K::GDType_Fault, 45, 30, "45", "30", true, nullptr}},
                   {"45\t30\t181", {Rejected, 0, 0, nullptr, nullptr, false, "Invalid rake value"}},
               });
    expectRows(columnsOf({T::Type_Type, T::Trend_Type, T::Plunge_Type}),
               {
                   {"L\t120\t35", {Line, 120, 35, "120", "35", false, nullptr}},
                   {"P\t120\t35", {Rejected, 0, 0, nullptr, nullptr, false, Bad_Strike}},  // a plane needs a strike
               });
    // Spaces as the delimiter: runs of them are one.
    expectRows(columnsOf({T::Strike_Type, T::Dip_Type}, krtIEConstants::Space_Delim),
               {
                   {"45 30", {Plane, 45, 30, "45", "30", false, nullptr}},
                   {"45   30", {Plane, 45, 30, "45", "30", false, nullptr}},
               });
}

TEST_F(PlainRows, BareRowsAfterAHeaderAndBesideCommentedRows) {
    const std::string text = "Strike\tDip\n"
                             "45\t30\n"
                             "# 50\t60\n"
                             "50\t60\tnote\n"
                             "55\t65\n";
    ASSERT_EQ(load(text,
                   [](O& o) {
                       columnsOf({T::Strike_Type, T::Dip_Type, T::Comment_Type})(o);
                       o.setColumnOption(ieColumnOptions::Column_Option_Header_Row);
                   }),
              1);
    EXPECT_TRUE(report().empty()) << report();
    ASSERT_EQ(data.getNumData(), 3);
    EXPECT_EQ(at(0).data()->getStrike(), 45);
    EXPECT_EQ(at(1).data()->getStrike(), 50);
    TokenStruct texts;
    at(1).get(texts);
    EXPECT_EQ(texts.getComment(), "note");
    EXPECT_EQ(at(2).data()->getDip(), 65);
    EXPECT_FALSE(at(2).keepsTokenPart());
}

}  // namespace
}  // namespace testing_import
}  // namespace qzCore
