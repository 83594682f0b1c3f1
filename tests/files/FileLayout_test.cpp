#include "qzCore/files/FileLayout.h"

#include <gtest/gtest.h>

namespace qzCore {
namespace {

using T = qzIEDataTypeOptions;
using Delim = krtIEConstants;

TEST(FileLayout, FormatByExtensionThenContent) {
    EXPECT_EQ(guessFileFormat("a.fkn", ""), FileFormat::FaultKin);
    EXPECT_EQ(guessFileFormat("a.NET", ""), FileFormat::Stereonet);
    EXPECT_EQ(guessFileFormat("a.gdf", ""), FileFormat::Binary);
    EXPECT_EQ(guessFileFormat("a.dxf", ""), FileFormat::Dxf);
    EXPECT_EQ(guessFileFormat("a.txt", "MomentFormat\nTL\n"), FileFormat::FaultKin);
    EXPECT_EQ(guessFileFormat("a.txt", "QD bedding\nN 30 E 45 SE\n"), FileFormat::Stereonet);
    EXPECT_EQ(guessFileFormat("a.dat", std::string("\x0b\0\0\0Vimbrel_1.1", 15)), FileFormat::Binary);
    EXPECT_EQ(guessFileFormat("a.txt", "DDT,Dip\n"), FileFormat::Text);  // a word, not the code
    EXPECT_EQ(guessFileFormat("a.txt", ""), FileFormat::Text);
    // The one table of formats: what the hosts offer to read and write.
    EXPECT_EQ(fileFormatNames(false), (std::vector<std::string>{"text", "binary", "stereonet", "faultkin", "dxf"}));
    EXPECT_EQ(fileFormatNames(true), (std::vector<std::string>{"text", "binary", "stereonet", "faultkin", "brute"}));
    EXPECT_EQ(formatOfExtension("a.LST"), FileFormat::Brute);
    EXPECT_EQ(fileFormatNamed("jpeg"), nullptr);
}

TEST(FileLayout, DelimiterFromTheData) {
    // {name, content, delimiter, decimal comma}
    struct Case {
        const char* name;
        const char* content;
        unsigned int delim;
        bool comma;
    };
    const Case cases[] = {
        {"a.csv", "Strike\tDip\n045\t30\n", Delim::Tab_Delim, false},                           // a .csv of tabs
        {"a.txt", "# notes, east bank\n045\t30\n", Delim::Tab_Delim, false},                    // comment skipped
        {"a.txt", "Strike;Dip\n120,5;45,0\n130;50\n", Delim::Semi_Colon_Delim, true},           // decimal commas
        {"a.txt", "045,30,\"a; b\"\n050,31,\"c; d\"\n", Delim::Comma_Delim, false},             // quoted ;
        {"a.txt", "045,30,a;b\n050,31,c;d\n", Delim::Comma_Delim, false},                       // commas not decimal
        {"a.txt", "045 30\n050   31\n", Delim::Space_Delim, false},
        {"a.txt", "045\n050\n", Delim::Tab_Delim, false},                                       // one column
        {"a.csv", "045\n050\n", Delim::Comma_Delim, false},
        {"a.txt", "Dip direction\tDip\n120\t30\n", Delim::Tab_Delim, false},
    };
    for (const Case& c : cases) {
        const FileLayout l = guessFileLayout(c.name, c.content, LayoutChoices());
        EXPECT_EQ(l.delimiter, c.delim) << c.content;
        EXPECT_EQ(l.decimalComma, c.comma) << c.content;
    }
}

TEST(FileLayout, HeadersAndChosenColumns) {
    FileLayout l = guessFileLayout("a.txt", "Dip Direction,Dip\n120,30\n", LayoutChoices());
    EXPECT_TRUE(l.headerRow);
    EXPECT_TRUE(l.dipDirection);
    EXPECT_TRUE(l.columnsGuessed);
    EXPECT_EQ(l.columnsText(), "Strike (dip direction), Dip");

    l = guessFileLayout("a.tsv", "Strike\tDip\tP_Trend\n1\t2\t3\n", LayoutChoices());
    EXPECT_EQ(l.columns, (std::vector<int>{T::Strike_Type, T::Dip_Type, T::Null_Type}));
    EXPECT_EQ(l.ignoredWords, std::vector<std::string>{"P_Trend"});

    // No header: the default layout.
    l = guessFileLayout("a.txt", "045\t30\n", LayoutChoices());
    EXPECT_FALSE(l.headerRow);
    EXPECT_TRUE(l.columns.empty());

    // The writer's own header after the comment sign.
    l = guessFileLayout("a.txt", "#\tType\tStrike\tDip\n1\tPlane\t045\t30\n", LayoutChoices());
    EXPECT_TRUE(l.headerRow);
    EXPECT_EQ(l.columns, (std::vector<int>{T::Row_Type, T::Type_Type, T::Strike_Type, T::Dip_Type}));

    // Columns chosen: a header row is passed over, not read.
    LayoutChoices given;
    given.columns = {T::Trend_Type, T::Plunge_Type};
    l = guessFileLayout("a.txt", "Strike\tDip\n045\t30\n", given);
    EXPECT_TRUE(l.headerRow);
    EXPECT_FALSE(l.columnsGuessed);
    EXPECT_EQ(l.columns, given.columns);

}

TEST(FileLayout, TheHeaderBelowTitleRowsAndNeverAboveData) {
    // {content, title rows, header row, columns}
    struct Case {
        const char* name;
        const char* content;
        int titles;
        bool header;
        std::vector<int> columns;
    };
    const Case cases[] = {
        {"a.csv", "Outcrop 5 lineations\nTrend,Plunge\n120,30\n", 1, true, {T::Trend_Type, T::Plunge_Type}},
        {"a.txt", "Outcrop 5 lineations\nTrend Plunge\n120 30\n130 35\n", 1, true, {T::Trend_Type, T::Plunge_Type}},
        // StraboSpot's spreadsheets: two rows above the header
        {"a.csv", "Project: Boso\nSpot data,,\nstrike,dip,trend\n10,20,30\n", 2, true,
         {T::Strike_Type, T::Dip_Type, T::Trend_Type}},
        // a title that names columns among other words loses to the header
        {"a.txt", "Strike and dip data here\nStrike Dip\n120 30\n", 1, true, {T::Strike_Type, T::Dip_Type}},
        // numbers in exponent form are data, never a header
        {"a.txt", "-3.8e-01 -3.4e-01 8.6e-01\n1.0e-01 2.0e-01 9.7e-01\n", 0, false, {}},
        // numpy's savetxt: "# " and the names above rows of numbers
        {"a.txt", "# dipdir dip\n1.42e+02 5.2e+01\n", 0, true, {T::Strike_Type, T::Dip_Type}},
        // rows of data are never passed over as titles
        {"a.csv", "120,30\n130,35\nStrike,Dip\n140,40\n", 0, false, {}},
        // header words far to the right
        {"a.csv", "a,b,c,d,e,f,g,h,i,j,k,l,m,n,o,p,q,r,s,t,u,v,w,x1,Strike,Dip\n", 0, true, {}},
    };
    for (const Case& c : cases) {
        const FileLayout l = guessFileLayout(c.name, c.content, LayoutChoices());
        EXPECT_EQ(l.titleRows, c.titles) << c.content;
        EXPECT_EQ(l.headerRow, c.header) << c.content;
        if (!c.columns.empty()) {
            EXPECT_EQ(l.columns, c.columns) << c.content;
        }
    }
    const FileLayout wide = guessFileLayout("a.csv", cases[7].content, LayoutChoices());
    ASSERT_EQ(wide.columns.size(), 26u);
    EXPECT_EQ(wide.columns[24], T::Strike_Type);
    EXPECT_EQ(wide.columns[25], T::Dip_Type);
}

TEST(FileLayout, Utf16TextBecomesUtf8) {
    // "Dip\t°\n" little-endian with a mark, a character beyond the basic
    // plane (U+1F30B) as a surrogate pair, and an unpaired surrogate.
    std::string le("\xFF\xFE" "D\0i\0p\0\t\0\xB0\0\n\0" "\x3C\xD8\x0B\xDF" "\x00\xD8", 20);
    ASSERT_TRUE(decodeUtf16(le));
    EXPECT_EQ(le, "Dip\t\xC2\xB0\n\xF0\x9F\x8C\x8B\xEF\xBF\xBD");
    std::string be("\0S\0t\0r\0i\0k\0e", 12);  // big-endian, no mark
    ASSERT_TRUE(decodeUtf16(be));
    EXPECT_EQ(be, "Strike");
    std::string plain = "Strike\tDip\n";
    EXPECT_FALSE(decodeUtf16(plain));
    EXPECT_EQ(plain, "Strike\tDip\n");
}

}  // namespace
}  // namespace qzCore
