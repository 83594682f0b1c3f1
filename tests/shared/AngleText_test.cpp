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
        {"", false, ""},                {"abc", false, "abc"},        {"123456789012", false, "2147483647"},  // clamped; no angle
        {"1234567890123", false, "!"},  {"45.0000000000", false, "!"},
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
