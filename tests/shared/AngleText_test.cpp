#include "qzCore/shared/AngleText.h"

#include <gtest/gtest.h>

namespace qzCore {
namespace {

TEST(AngleText, RoundsTheLeadingNumberAndKeepsItsLetters) {
    // {text, decimal comma, result; "!" for refused}
    struct Case {
        const char* in;
        bool comma;
        const char* out;
    };
    const Case cases[] = {
        {"045", false, "045"},          // as written: fits a token
        {"000045", false, "45"},        // too long as written: its value
        {"129.86", false, "130"},       {"359.99", false, "360"},     {"0.5", false, "1"},
        {"2.5", false, "3"},            {"45.", false, "45"},         {"45.25SE", false, "45SE"},
        {"120,5", true, "121"},         {"120,5", false, "120,5"},    {"N30.5E", false, "N30.5E"},
        {"", false, ""},                {"abc", false, "abc"},        {"30E", false, "30E"},  // a dip letter, no exponent
        // numbers as numeric programs write them: any length, exponents, signs
        {"129.86345109230001", false, "130"},  {"3.000000000000000000e+01", false, "30"},
        {"-3.8e-01", false, "-1"},  {"-0.0", false, "0"},       {"-0.5", false, "-1"},        {"-5", false, "-5"},
        {"+30", false, "30"},           {".5", false, "1"},           {"45.0000000000", false, "45"},
        {"1234567890123", false, "1000000"}, {"1e400", false, "1000000"},  // no angle: out of every range
        {"-", false, "!"},              {".", false, "!"},
    };
    for (const Case& c : cases) {
        std::string text = c.in;
        const bool ok = roundAngleText(text, c.comma, 5);
        if (std::string(c.out) == "!") {
            EXPECT_FALSE(ok) << c.in;
            EXPECT_EQ(text, c.in);
        } else {
            EXPECT_TRUE(ok) << c.in;
            EXPECT_EQ(text, c.out) << c.in;
        }
    }
}

}  // namespace
}  // namespace qzCore
