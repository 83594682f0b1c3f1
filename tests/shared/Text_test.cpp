#include "qzCore/shared/FileParser.h"

#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "qzCore/shared/ComplexFileName.h"
#include "qzCore/shared/Token.h"
#include "qzCore/shared/TextView.h"
#include "qzCore/shared/ieOptions.h"

namespace qzCore {
namespace {

ieColumnOptions options(unsigned int delim, bool trim = true) {
    ieColumnOptions o;
    o.setColumnDelim(delim);
    if (trim) o.setColumnOption(ieColumnOptions::Column_Option_Trim_Blanks);
    return o;
}

std::vector<std::string> split(const FileParser& p, const char* text, int* count = nullptr) {
    TokenList t(8);
    const int n = p.tokenize(text, t);
    if (count) *count = n;
    std::vector<std::string> out;
    for (int i = 0; i < n && i < 8; ++i) out.push_back(t[std::size_t(i)].str());
    return out;
}

using Fields = std::vector<std::string>;

TEST(Token, ExactTextReadsBackTheSameDouble) {
    for (const double v : {512345.67, 1e-5, 6378137.0, -0.000123456789, 2.2250738585072014e-308}) {
        Token t;
        t.set(v, Token::Exact);
        double back = 0;
        ASSERT_TRUE(t.get(back)) << t.str();
        EXPECT_EQ(back, v);
    }
    // Plain decimals while they are short, an exponent beyond; never "-0",
    // which readers of locations refuse.
    const std::pair<double, const char*> texts[] = {
        {1e6, "1000000"}, {1e-4, "0.0001"}, {1e300, "1e+300"}, {-0.0, "0"}, {123456.789, "123456.789"},
        {1e-300, "1e-300"}, {12345678901234567890.0, "12345678901234567168"}};
    for (const auto& c : texts) {
        Token t;
        t.set(c.first, Token::Exact);
        EXPECT_EQ(t.str(), c.second);
    }
}

TEST(Token, OnlyPlainDecimalNumbersAreNumbers) {
    for (const char* good : {"12", " -3.5 ", "+7", "1e3", ".5", "5."}) {
        EXPECT_TRUE(Token(good).couldBeNumber()) << good;
    }
    for (const char* bad : {"", " ", "inf", "nan", "0x10", "1e", "1.2.3", "12a", "--1", "+-1", "."}) {
        EXPECT_FALSE(Token(bad).couldBeNumber()) << bad;
    }
    int i = 99;
    EXPECT_FALSE(Token("99999999999").get(i));
    EXPECT_FALSE(Token("+-5").get(i));
    EXPECT_FALSE(Token("4.5").get(i));
    EXPECT_EQ(i, 99);
    EXPECT_TRUE(Token(" 42 ").get(i));
    EXPECT_EQ(i, 42);
    double d = 0;
    EXPECT_FALSE(Token("1e999").get(d));
}

TEST(FileParserTokenize, TabAndCommaKeepEmptyColumnsInPlace) {
    const FileParser tab(options(krtIEConstants::Tab_Delim));
    EXPECT_EQ(split(tab, "45\t30\t\t120\t"), (Fields{"45", "30", "", "120", ""}));
    const FileParser comma(options(krtIEConstants::Comma_Delim));
    EXPECT_EQ(split(comma, "N30E, 45SE ,Norm"), (Fields{"N30E", "45SE", "Norm"}));
    EXPECT_EQ(split(comma, ",,"), (Fields{"", "", ""}));
    int n = -1;
    EXPECT_TRUE(split(comma, "", &n).empty());
    EXPECT_EQ(n, 0);
}

TEST(FileParserTokenize, QuotedFieldsHoldDelimitersAndQuotes) {
    const FileParser comma(options(krtIEConstants::Comma_Delim));
    EXPECT_EQ(split(comma, "12,\"joint, set 2\",\"say \"\"hi\"\"\""),
              (Fields{"12", "joint, set 2", "say \"hi\""}));
    // An unclosed quote runs to the end of the line.
    EXPECT_EQ(split(comma, "1,\"open, field"), (Fields{"1", "open, field"}));
    // Blanks inside quotes stay, even where blanks are trimmed.
    ieColumnOptions trimming = options(krtIEConstants::Comma_Delim);
    trimming.setColumnOption(ieColumnOptions::Column_Option_Trim_Blanks);
    EXPECT_EQ(split(FileParser(trimming), " a , \"  b \",c"), (Fields{"a", "  b ", "c"}));
}

TEST(FileParserTokenize, SpacesAsDelimiterFoldRuns) {
    const FileParser space(options(krtIEConstants::Space_Delim));
    EXPECT_EQ(split(space, "   45   30  Norm  "), (Fields{"45", "30", "Norm"}));
    const FileParser several(options(krtIEConstants::Tab_Delim | krtIEConstants::Semi_Colon_Delim));
    EXPECT_EQ(split(several, "1;2\t3"), (Fields{"1", "2", "3"}));
}

TEST(FileParserTokenize, FieldsBeyondTheListAreCountedButDropped) {
    const FileParser tab(options(krtIEConstants::Tab_Delim));
    TokenList t(2);
    EXPECT_EQ(tab.tokenize("a\tb\tc\td", t), 4);
    EXPECT_EQ(t[1].str(), "b");
}

TEST(FileParserGrabLine, LineEndsMarkAndLastLine) {
    std::istringstream in("\xEF\xBB\xBF" "first\r\nsecond\n\nlast");
    FileParser p(options(krtIEConstants::Tab_Delim));
    ASSERT_TRUE(p.grabLine(in));
    EXPECT_STREQ(p.getLineBuffer(), "first");
    ASSERT_TRUE(p.grabLine(in));
    EXPECT_STREQ(p.getLineBuffer(), "second");
    ASSERT_TRUE(p.grabLine(in));
    EXPECT_STREQ(p.getLineBuffer(), "");
    ASSERT_TRUE(p.grabLine(in));
    EXPECT_STREQ(p.getLineBuffer(), "last");
    EXPECT_FALSE(p.grabLine(in));
    EXPECT_EQ(p.getLinesRead(), 4u);
}

TEST(FileParserGrabLine, ByteOrderMarkOnlyAtTheStart) {
    std::istringstream in("a\n\xEF\xBB\xBF" "b\n");
    FileParser p(options(krtIEConstants::Tab_Delim));
    ASSERT_TRUE(p.grabLine(in));
    ASSERT_TRUE(p.grabLine(in));
    EXPECT_EQ(p.getLineLength(), 4u);
}

// A file read whole and released behind the reader: every line still
// arrives whole and in order (a line across a released page boundary
// included), and what lies well behind the reader is given back (reads as
// zeros), the page being read never.
TEST(TextViewRelease, LinesArriveWholeWhileTheTextBehindIsGivenBack) {
    std::string text;
    const int lines = 300000;  // about 3.4 MB, three release steps
    for (int i = 0; i < lines; ++i) text += std::to_string(i % 360) + "\t" + std::to_string(i) + "\n";
    TextView view(text);
    view.releaseBehind();
    std::istream in(&view);
    FileParser p(options(krtIEConstants::Tab_Delim));
    for (int i = 0; i < lines; ++i) {
        ASSERT_TRUE(p.grabLine(in)) << i;
        ASSERT_EQ(std::string(p.getLineBuffer()), std::to_string(i % 360) + "\t" + std::to_string(i)) << i;
        if (i == lines / 2) {
            const std::size_t read = static_cast<std::size_t>(view.next() - text.data());
            EXPECT_EQ(text[read], std::to_string((i + 1) % 360)[0]);  // the next line is intact
            EXPECT_EQ(text[read / 4], '\0');                          // far behind: given back
        }
    }
    EXPECT_FALSE(p.grabLine(in));
}

TEST(ComplexFileName, Parts) {
    const ComplexFileName f("field/2026/site 4.data.txt");
    EXPECT_EQ(f.getShortName(), "site 4.data");
    EXPECT_EQ(f.getFileName(), "site 4.data.txt");
    EXPECT_EQ(f.getExtension(), "txt");
    EXPECT_EQ(f.getDirectory(), "field/2026/");
    EXPECT_EQ(ComplexFileName(".qztemp").getShortName(), ".qztemp");
    EXPECT_EQ(ComplexFileName(".qztemp").getExtension(), "");
    EXPECT_EQ(ComplexFileName("noext").getExtension(), "");
    EXPECT_EQ(ComplexFileName("dir.d/noext").getShortName(), "noext");
}

TEST(IeDataTypeOrder, FirstColumnOfEachTypeAndTheCount) {
    struct Types : ieDataTypeOptions {
        Types() { m_dataTypeStrings = {"Null", "A", "B", "C"}; }
    } types;
    ieColumnOptions cols;
    cols.setColumnChoice(0, 2);
    cols.setColumnChoice(1, 3);
    cols.setColumnChoice(2, 2);
    cols.setColumnChoice(4, 99);  // not a type of this table
    EXPECT_FALSE(cols.setColumnChoice(ieColumnOptions::Max_Num_Columns, 1));
    const ieDataTypeOrder order(types, cols);
    EXPECT_EQ(order.getOrderIndex(2), 0);
    EXPECT_EQ(order.getOrderIndex(3), 1);
    EXPECT_FALSE(order.hasValidOrder(1));
    EXPECT_FALSE(order.hasValidOrder(99));
    EXPECT_EQ(order.getValidOrderCount(), 3);
}

}  // namespace
}  // namespace qzCore
