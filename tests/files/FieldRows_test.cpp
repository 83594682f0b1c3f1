// Rows as field sheets and spreadsheets write them: decimals, empty cells,
// comment lines, header rows, decimal commas.  Every row that holds
// anything is loaded or reported with its line number.
#include "tests/files/ImportFixture.h"

namespace qzCore {
namespace testing_import {
namespace {

TEST_F(Import, RowsWithEmptyCellsAreReportedNotDropped) {
    const std::string text = "045,30\n"
                             ",40\n"
                             "\n"
                             ",,\n"
                             "050,\n"
                             ",,W-1\n";
    ASSERT_EQ(loadColumns(text, {T::Strike_Type, T::Dip_Type, T::Well_Type}, krtIEConstants::Comma_Delim), 1);
    EXPECT_EQ(data.getNumData(), 1);
    EXPECT_EQ(report(),
              ",40\r\n%<Line 2> Error on input value\nMissing input value\r\n"
              "050,\r\n%<Line 5> Error on input value\nInvalid dip value: missing\r\n"
              ",,W-1\r\n%<Line 6> Error on input value\nMissing input value\r\n");
    // A tab before the dip is an empty strike too.
    Data tabbed(ComplexFileName("t"), &errors, 2);
    errors.resetErrorHandler();
    ASSERT_EQ(loadInto(tabbed, "\t40\n", columnsOf({T::Strike_Type, T::Dip_Type})), 1);
    EXPECT_EQ(errors.getNumRejected(), 1u);
}

TEST_F(Import, HeadersFoundAfterCommentLinesOrAfterTheCommentSign) {
    // Comment lines above the header, and the text writer's own clipboard
    // layout, whose header begins with "#" (the record number column).
    const std::pair<std::string, std::function<void(O&)>> files[] = {
        {"# Field sheet, Big Creek\n   # measured with a compass-clinometer\nStrike,Dip\n045,30\n"
         "# second outcrop\n050,31\n",
         columnsOf({T::Strike_Type, T::Dip_Type}, krtIEConstants::Comma_Delim)},
        {"#\tType\tStrike\tDip\n1\tPlane\t045\t30\n2\tPlane\t050\t31\n",
         columnsOf({T::Row_Type, T::Type_Type, T::Strike_Type, T::Dip_Type})},
    };
    for (const auto& [text, columns] : files) {
        ErrorManager e;
        Data d(ComplexFileName("h"), &e, 2);
        ASSERT_EQ(loadInto(d, text, [&columns = columns](O& o) {
                      columns(o);
                      o.setColumnOption(ieColumnOptions::Column_Option_Header_Row);
                  }),
                  1);
        EXPECT_EQ(d.getNumData(), 2) << text;
        EXPECT_TRUE(e.getErrorReportBuffer().empty()) << e.getErrorReportBuffer();
    }
}

TEST_F(Import, SemicolonFilesWithDecimalCommas) {
    const std::string text = "120,5;45,0;1234,5\n130;50,4;7\n";
    ASSERT_EQ(load(text,
                   [](O& o) {
                       columnsOf({T::Strike_Type, T::Dip_Type, T::MD_Type}, krtIEConstants::Semi_Colon_Delim)(o);
                       o.setColumnOption(ieColumnOptions::Column_Option_Decimal_Comma);
                   }),
              1);
    ASSERT_EQ(data.getNumData(), 2);
    EXPECT_EQ(at(0).data()->getStrike(), 121);
    EXPECT_EQ(at(0).data()->getDip(), 45);
    EXPECT_EQ(at(0).data()->md(), 1234.5);
    EXPECT_EQ(at(1).data()->getDip(), 50);
}

TEST_F(Import, StereonetWordsAreRoundedNeverCut) {
    ASSERT_EQ(load("AZ\n0045.9 30\n045.9 30\n045.49 30.5\n0000000000045 30\n",
                   [](O& o) {
                       o.setIEOption(O::IE_Stereonet_File);
                       o.setDefaultStereonetInputColumnChoices();
                       o.setColumnDelim(krtIEConstants::Space_Delim);
                   }),
              1);
    ASSERT_EQ(data.getNumData(), 4);
    EXPECT_EQ(at(0).data()->getStrike(), 46);
    EXPECT_EQ(at(1).data()->getStrike(), 46);
    EXPECT_EQ(at(2).data()->getStrike(), 45);
    EXPECT_EQ(at(2).data()->getDip(), 31);
    EXPECT_EQ(at(3).data()->getStrike(), 45);

    Data quadrant(ComplexFileName("q"), &errors, 2);
    O o;
    o.setIEOption(O::IE_Stereonet_File);
    o.setDefaultStereonetInputColumnChoices();
    o.setColumnDelim(krtIEConstants::Space_Delim);
    std::istringstream in("QD\nN 30.4 E 45.5 SE\n");
    ASSERT_EQ(quadrant.addData(o, qzIEDataTypeOrder(qzIEDataTypeOptions(), o), in), 1);
    ASSERT_EQ(quadrant.getNumData(), 1);
    EXPECT_EQ(quadrant.getSpecificData(0)->data()->getStrike(), 30);
    EXPECT_EQ(quadrant.getSpecificData(0)->data()->getDip(), 46);
}

TEST_F(Import, StereonetRowsWithoutALayoutCodeAreReported) {
    ASSERT_EQ(load("bedding, creek section\n120 35\n\n130 40\n",
                   [](O& o) {
                       o.setIEOption(O::IE_Stereonet_File);
                       o.setDefaultStereonetInputColumnChoices();
                       o.setColumnDelim(krtIEConstants::Space_Delim);
                   }),
              1);
    // The first line, where the code belongs, is reported with the rows:
    // no line of the file passes unseen.
    EXPECT_EQ(data.getNumData(), 0);
    EXPECT_EQ(report(),
              "bedding, creek section\r\n%<Line 1> Error importing Stereonet\nPlease verify that this is a valid Stereonet "
              "file\r\n"
              "120 35\r\n%<Line 2> Error importing Stereonet\nPlease verify that this is a valid Stereonet file\r\n"
              "130 40\r\n%<Line 4> Error importing Stereonet\nPlease verify that this is a valid Stereonet file\r\n");
    EXPECT_EQ(errors.getSkippedLines().blank, 1u);
}

TEST_F(Import, LayoutLinesAreHeadersAndTheFileEndIsNoBlankLine) {
    // Stereonet's code lines (the first, found anywhere in it, and a later
    // block's) and FaultKin's first line are the files' headers; a final
    // line end is not a blank line; a real blank line is.
    struct Case {
        const char* text;
        bool faultKin;
        int records;
        unsigned long header, blank;
    };
    const Case cases[] = {
        {"TP\n10 20\n", false, 1, 1, 0},
        {"TP\n10 20", false, 1, 1, 0},
        {"TP\n10 20\n\n", false, 1, 1, 1},
        {"Bedding AD\n10 20 E\nTP\n30 40\n", false, 2, 2, 0},
        {"MomentFormat quarry\nNR\n 020  60  108  60  1\n", true, 1, 1, 0},
    };
    for (const Case& c : cases) {
        Data d(ComplexFileName("layout"), &errors, 2);
        errors.resetErrorHandler();
        ASSERT_EQ(loadInto(d, c.text,
                       [&c](O& o) {
                           o.setIEOption(c.faultKin ? O::IE_FaultKin_File : O::IE_Stereonet_File);
                           c.faultKin ? o.setDefaultFaultKinInputColumnChoices() : o.setDefaultStereonetInputColumnChoices();
                           o.setColumnDelim(krtIEConstants::Space_Delim);
                       }),
                  1)
            << c.text;
        EXPECT_EQ(d.getNumData(), c.records) << c.text;
        EXPECT_EQ(errors.getSkippedLines().header, c.header) << c.text;
        EXPECT_EQ(errors.getSkippedLines().blank, c.blank) << c.text;
        EXPECT_EQ(errors.getNumRejected(), 0u) << c.text;
    }
}

}  // namespace
}  // namespace testing_import
}  // namespace qzCore
