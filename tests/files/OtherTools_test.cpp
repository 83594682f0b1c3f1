// Files as other tools write them: senses of slip in their words, line
// ends and number forms, title rows, and every line accounted for.
#include <string>

#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/parsing/GDTypes.h"
#include "tests/files/ImportFixture.h"

namespace qzCore {
namespace testing_import {
namespace {

using S = GDSlipTypes;

TEST_F(Import, SensesOfSlipInTheWordsOfOtherTools) {
    // {sense cell, fault (strike dip trend plunge), sense read, remark}.
    // The two faults: 000/60 with its dip line 090/60 (pure dip slip), and
    // 000/60 with its line of rake 10, 005/09 (on the plane: tan 5 = tan 10
    // cos 60, sin 9 = sin 10 sin 60;
    // nearly strike-slip, the slip line pointing north and down, so a
    // normal component is a sinistral one there).
    struct Case {
        const char* word;
        const char* fault;
        char sense;
        int remark;
    };
    const char* dip = "0,60,90,60";
    const char* oblique = "0,60,5,9";
    const Case cases[] = {
        {"Norm", dip, S::GDSlipType_NormalSlip, 0},          {"normal", dip, S::GDSlipType_NormalSlip, 0},
        {"N", dip, S::GDSlipType_NormalSlip, 0},             {"REVERSE", dip, S::GDSlipType_ReverseSlip, 0},
        {"thrust", dip, S::GDSlipType_ReverseSlip, 0},       {"rev", dip, S::GDSlipType_ReverseSlip, 0},
        {"Dextral", oblique, S::GDSlipType_RightLatSlip, 0},  {"right-lateral", oblique, S::GDSlipType_RightLatSlip, 0},
        {"right_lateral", oblique, S::GDSlipType_RightLatSlip, 0}, {"RL", oblique, S::GDSlipType_RightLatSlip, 0},
        {"rlat", oblique, S::GDSlipType_RightLatSlip, 0},    {"sinistral", oblique, S::GDSlipType_LeftLatSlip, 0},
        {"left lateral", oblique, S::GDSlipType_LeftLatSlip, 0}, {"LLat", oblique, S::GDSlipType_LeftLatSlip, 0},
        // +1 / -1: down or up the slip line, in any decimal form.
        {"1", dip, S::GDSlipType_NormalSlip, 0},             {"+1", dip, S::GDSlipType_NormalSlip, 0},
        {"-1", dip, S::GDSlipType_ReverseSlip, 0},           {"-1.0", dip, S::GDSlipType_ReverseSlip, 0},
        {"1", "0,60,0,0", S::GDSlipType_AmbigSlip, Error::Slip_Sign_On_Horizontal_Line},
        // Two components: the larger names the fault, a contradiction none.
        {"sinistral_normal", oblique, S::GDSlipType_LeftLatSlip, 0},
        {"Normal-Sinistral", dip, S::GDSlipType_NormalSlip, 0},
        {"dextral_normal", oblique, S::GDSlipType_AmbigSlip, Error::Contradictory_Slip_Sense},
        {"NL", oblique, S::GDSlipType_LeftLatSlip, 0},       {"TL", dip, S::GDSlipType_ReverseSlip, 0},
        // The side that went up: east, the hanging wall of a plane dipping
        // east, up is reverse; its footwall side up is normal.
        {"E_side_up", dip, S::GDSlipType_ReverseSlip, 0},    {"west side up", dip, S::GDSlipType_NormalSlip, 0},
        {"N_side_up", dip, S::GDSlipType_AmbigSlip, Error::Ambiguous_Slip_Word},
        // R: reverse to some, right-lateral to others.
        {"R", dip, S::GDSlipType_AmbigSlip, Error::Ambiguous_Slip_Word},
    };
    std::string text;
    for (const Case& c : cases) text += std::string(c.fault) + ",\"" + c.word + "\"\n";
    text += "0,60,90,60,sideways\n0,60,90,60,strike-slip\n";
    ASSERT_EQ(loadColumns(text, {T::Strike_Type, T::Dip_Type, T::Trend_Type, T::Plunge_Type, T::Slip_Type},
                          krtIEConstants::Comma_Delim),
              1);
    ASSERT_EQ(data.getNumData(), int(std::size(cases)));
    std::size_t remarks = 0;
    for (int i = 0; i < data.getNumData(); ++i) {
        const Case& c = cases[i];
        EXPECT_EQ(at(i).data()->getSlip(), c.sense) << c.word;
        if (c.remark == 0) continue;
        ASSERT_LT(remarks, errors.getNotedLines().size()) << c.word;
        EXPECT_EQ(errors.getNotedLines()[remarks].code, c.remark) << c.word;
        EXPECT_EQ(errors.getNotedLines()[remarks++].line, unsigned(i + 1)) << c.word;
    }
    EXPECT_EQ(errors.getNumNoted(), remarks);
    // Words of no tool: refused, and the message names the words read.
    ASSERT_EQ(errors.getNumRejected(), 2u);
    EXPECT_EQ(errors.getRejectedLines()[0].code, Error::Unknown_Slip_Sense);
    EXPECT_NE(errors.getMessage(Error::Unknown_Slip_Sense).find("dextral_normal"), std::string::npos);
}

TEST_F(Import, LineEndsAndNumberForms) {
    // {file, strikes read; "" for a row refused, with its reason}
    struct Case {
        const char* text;
        std::vector<int> strikes;
        const char* reason;
    };
    const Case cases[] = {
        {"10,20\n30,40\n", {10, 30}, ""},
        {"10,20\r\n30,40\r\n", {10, 30}, ""},
        {"10,20\r30,40\r", {10, 30}, ""},  // spreadsheets' CSV for Macintosh
        {"10,20\r30,40", {10, 30}, ""},
        {"129.86345109230001,3.000000000000000000e+01\n", {130}, ""},
        {"1.2986e+02,30\n", {130}, ""},
        {"-0.0,30\n", {0}, ""},
        {"-3.8e-01,30\n", {}, "Invalid strike value: out of range (0 to 360)"},
        {"361,30\n", {}, "Invalid strike value: out of range (0 to 360)"},
        {"1e400,30\n", {}, "Invalid strike value: out of range (0 to 360)"},
        {"ten,30\n", {}, "Invalid strike value: not a number"},
        {"10,95.5\n", {}, "Invalid dip value: out of range (0 to 90)"},
    };
    for (const Case& c : cases) {
        Data one{ComplexFileName("one.txt"), &errors, 2};
        errors.resetErrorHandler();
        ASSERT_EQ(loadInto(one, c.text, columnsOf({T::Strike_Type, T::Dip_Type}, krtIEConstants::Comma_Delim)), 1);
        ASSERT_EQ(one.getNumData(), int(c.strikes.size())) << c.text;
        for (std::size_t i = 0; i < c.strikes.size(); ++i) {
            EXPECT_EQ(one.getSpecificData(unsigned(i))->data()->getStrike(), c.strikes[i]) << c.text;
        }
        if (*c.reason) {
            ASSERT_EQ(errors.getRejectedLines().size(), 1u) << c.text;
            EXPECT_NE(report().find(c.reason), std::string::npos) << report();
        }
    }
}

TEST_F(Import, RsMissingValuesAreEmptyCells) {
    // R's write.csv writes NA where a fault table's row has no slip line
    // and no sense: the row is a plane.  A missing strike is still missing.
    ASSERT_EQ(loadColumns("120,30,NA,NA,NA\n120,30,95,28,NaN\nNA,30,,,\n",
                          {T::Strike_Type, T::Dip_Type, T::Trend_Type, T::Plunge_Type, T::Slip_Type},
                          krtIEConstants::Comma_Delim),
              1);
    ASSERT_EQ(data.getNumData(), 2);
    EXPECT_EQ(at(0).getGDType(), K::GDType_Plane);
    EXPECT_EQ(at(1).getGDType(), K::GDType_Fault);
    EXPECT_FALSE(at(1).data()->hasSlip());
    ASSERT_EQ(errors.getRejectedLines().size(), 1u);
    EXPECT_EQ(errors.getRejectedLines()[0].code, Error::Missing_Input_Value);
}

TEST_F(Import, PlanesFromTheirNormals) {
    // Normals x east, y north, z up, as CloudCompare writes them; either
    // sense is one plane.  dip = acos |z|, dip direction = atan2(x, y) of
    // the upward normal: (-0.38, -0.34, 0.86) dips 30.7 towards 228.2.
    const std::string text = "0,0.5,0.8660254\n0,-0.5,-0.8660254\n1,0,0\n0,0,-1\n-3.8e-01,-3.4e-01,8.6e-01\n0,0,0\n";
    ASSERT_EQ(loadColumns(text, {T::NX_Type, T::NY_Type, T::NZ_Type}, krtIEConstants::Comma_Delim), 1);
    const int expected[][2] = {{270, 30}, {270, 30}, {0, 90}, {270, 0}, {138, 31}};
    ASSERT_EQ(data.getNumData(), int(std::size(expected)));
    for (int i = 0; i < data.getNumData(); ++i) {
        EXPECT_EQ(at(i).getGDType(), K::GDType_Plane);
        EXPECT_EQ(at(i).data()->getStrike(), expected[i][0]) << i;
        EXPECT_EQ(at(i).data()->getDip(), expected[i][1]) << i;
    }
    ASSERT_EQ(errors.getRejectedLines().size(), 1u);
    EXPECT_EQ(errors.getRejectedLines()[0].code, Error::Bad_Normal_Vector);
}

TEST_F(Import, EveryLineIsLoadedRejectedOrCountedAsSkipped) {
    // Two title rows, the header, a comment, a blank line, a row of
    // delimiters, three rows of data (one refused), and a '#' line that is
    // a whole row of data (a station id): reported, never dropped unseen.
    const std::string text = "Project Kamogawa\r\nExported 2024\r\nStation,Strike,Dip\r\n# field day 2\r\n\r\n,,\r\n"
                             "S1,120,30\r\nS2,130,95\r\n#12,140,40\r\nS3,150,50";
    ASSERT_EQ(load(text,
                   [](O& o) {
                       columnsOf({T::Well_Type, T::Strike_Type, T::Dip_Type}, krtIEConstants::Comma_Delim)(o);
                       o.setColumnOption(ieColumnOptions::Column_Option_Header_Row);
                       o.setTitleRows(2);
                   }),
              1);
    EXPECT_EQ(data.getNumData(), 2);
    const SkippedLines& s = errors.getSkippedLines();
    EXPECT_EQ(s.title, 2u);
    EXPECT_EQ(s.header, 1u);
    EXPECT_EQ(s.comment, 1u);
    EXPECT_EQ(s.blank, 2u);
    ASSERT_EQ(errors.getRejectedLines().size(), 2u);
    EXPECT_EQ(errors.getRejectedLines()[1].code, Error::Comment_Reads_As_Data);
    EXPECT_EQ(errors.getRejectedLines()[1].line, 9u);
    EXPECT_EQ(data.getNumData() + errors.getNumRejected() + s.total(), 10u);
}

}  // namespace
}  // namespace testing_import
}  // namespace qzCore
