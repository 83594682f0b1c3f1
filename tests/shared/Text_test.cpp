#include "qzCore/shared/FileParser.h"

#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "qzCore/shared/ComplexFileName.h"
#include "qzCore/shared/Token.h"
#include "src/shared/TextView.h"
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

TEST(FileParserTokenize, FieldsByDelimiterQuotesAndBlanks) {
    // {delimiter bits, line, fields}
    struct Case {
        unsigned int delim;
        const char* text;
        Fields fields;
    };
    using K = krtIEConstants;
    const Case cases[] = {
        {K::Tab_Delim, "45\t30\t\t120\t", {"45", "30", "", "120", ""}},  // empty columns keep their places
        {K::Comma_Delim, "N30E, 45SE ,Norm", {"N30E", "45SE", "Norm"}},
        {K::Comma_Delim, ",,", {"", "", ""}},
        {K::Comma_Delim, "", {}},
        {K::Comma_Delim, "12,\"joint, set 2\",\"say \"\"hi\"\"\"", {"12", "joint, set 2", "say \"hi\""}},
        {K::Comma_Delim, "1,\"open, field", {"1", "open, field"}},  // an unclosed quote runs to the end
        {K::Comma_Delim, " a , \"  b \",c", {"a", "  b ", "c"}},  // blanks inside quotes stay
        {K::Space_Delim, "   45   30  Norm  ", {"45", "30", "Norm"}},  // runs of blanks are one
        {K::Tab_Delim | K::Semi_Colon_Delim, "1;2\t3", {"1", "2", "3"}},
    };
    for (const Case& c : cases) EXPECT_EQ(split(FileParser(options(c.delim)), c.text), c.fields) << c.text;
}

TEST(FileParserGrabLine, LineEndsMarksAndTheLastLine) {
    // LF, CR LF and a lone CR each end a line; a byte-order mark goes only
    // at the start of the file; a last line needs no line end.
    for (const auto& c : {std::pair<const char*, Fields>{"\xEF\xBB\xBF" "first\r\nsecond\n\nlast", {"first", "second", "", "last"}},
                          {"a\rb\r\rc\r", {"a", "b", "", "c"}},
                          {"a\n\xEF\xBB\xBF" "b\n", {"a", "\xEF\xBB\xBF" "b"}}}) {
        std::istringstream in(c.first);
        FileParser p(options(krtIEConstants::Tab_Delim));
        Fields lines;
        while (p.grabLine(in)) lines.emplace_back(p.getLineBuffer(), p.getLineLength());
        EXPECT_EQ(lines, c.second);
        EXPECT_EQ(p.getLinesRead(), c.second.size());
    }
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

}  // namespace
}  // namespace qzCore
