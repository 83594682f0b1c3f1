// The browser build's reading and writing of decimals (strtod and printf
// where its C++ library has no floating-point from_chars and to_chars),
// run here against the standard library's own on the same table.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <string>

#define QZCORE_DECIMAL_FALLBACK
#include "src/shared/DecimalText.h"

namespace qzCore {
namespace {

TEST(DecimalText, FallbackReadsAndWritesAsTheStandardLibrary) {
    const char* const texts[] = {"0",    "12",   "12.5",  "0.001", "1e3",  "1E-3", "-7.25", "123abc",
                                 "1e400", "1e-400", ".5", "5.",  "+3",   " 3",   "0x1p3", "",     "-"};
    for (const std::string t : texts) {
        double a = -1.0, b = -1.0;
        const auto ra = std::from_chars(t.data(), t.data() + t.size(), a);
        const auto rb = detail::decimalFromChars(t.data(), t.data() + t.size(), b);
        EXPECT_EQ(ra.ec, rb.ec) << "'" << t << "'";
        if (ra.ec == std::errc()) {
            EXPECT_EQ(ra.ptr, rb.ptr) << "'" << t << "'";
            EXPECT_EQ(a, b) << "'" << t << "'";
        }
    }
    for (const double v : {0.0, 1.0, 0.1, 1e6, 1e-4, 123.456, 1.0 / 3.0, 1e300, 2.5e-308, -45.5}) {
        for (const bool fixed : {true, false}) {
            char x[400], y[400];
            const auto rx = fixed ? std::to_chars(x, x + sizeof x, v, std::chars_format::fixed)
                                  : std::to_chars(x, x + sizeof x, v);
            const auto ry = detail::decimalToChars(y, y + sizeof y, v, fixed);
            ASSERT_EQ(rx.ec, ry.ec);
            // Both read back as the value, and neither is longer.
            EXPECT_EQ(std::strtod(std::string(y, ry.ptr).c_str(), nullptr), v);
            EXPECT_EQ(ry.ptr - y, rx.ptr - x) << std::string(x, rx.ptr) << " vs " << std::string(y, ry.ptr);
        }
    }
}

}  // namespace
}  // namespace qzCore
