#include "qzCore/shared/AngleText.h"
#include "shared/DecimalText.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "qzCore/shared/MyMath.h"

namespace qzCore {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

/// Values this large are no angle; written as the bound they stand for.
constexpr double Beyond_Any_Angle = 1e6;

}  // namespace

std::size_t leadingDecimal(const std::string& text, bool decimalComma, double& value) {
    value = 0.0;
    std::size_t i = 0;
    const std::size_t n = text.size();
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t digitsFrom = i;
    while (i < n && isDigit(text[i])) ++i;
    bool digits = i > digitsFrom;
    if (i < n && (text[i] == '.' || (decimalComma && text[i] == ','))) {
        const std::size_t point = i++;
        while (i < n && isDigit(text[i])) ++i;
        digits = digits || i > point + 1;
        if (!digits) return 0;
    }
    if (!digits) return 0;
    // An exponent only when digits follow: "30E" is a dip towards east.
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < n && isDigit(text[j])) {
            while (j < n && isDigit(text[j])) ++j;
            i = j;
        }
    }
    std::string number = text.substr(text[0] == '+' ? 1 : 0, text[0] == '+' ? i - 1 : i);
    for (char& c : number) {
        if (c == ',') c = '.';
    }
    double v = 0.0;
    const auto r = detail::decimalFromChars(number.data(), number.data() + number.size(), v);
    // An exponent beyond a double's range: a number all the same, too
    // large (or small) for any angle.
    if (r.ec == std::errc::result_out_of_range) {
        v = number.find_first_of("eE") != std::string::npos && number.find("e-") == std::string::npos &&
                    number.find("E-") == std::string::npos
                ? (number[0] == '-' ? -HUGE_VAL : HUGE_VAL)
                : 0.0;
    } else if (r.ec != std::errc()) {
        return 0;
    }
    value = v;
    return i;
}

bool roundAngleText(std::string& text, bool decimalComma, std::size_t keepUpTo) {
    if (text.empty()) return true;
    const char first = text[0];
    if (!isDigit(first) && first != '+' && first != '-' && first != '.') return true;
    double value = 0.0;
    const std::size_t end = leadingDecimal(text, decimalComma, value);
    if (end == 0) return isDigit(first);  // "+x", "-", "." begin no number: left to the parser
    bool plain = true;
    for (std::size_t i = 0; i < end; ++i) plain = plain && isDigit(text[i]);
    if (plain && text.size() <= keepUpTo) return true;
    long long whole = 0;
    if (!(std::fabs(value) < Beyond_Any_Angle)) {
        whole = value < 0 ? -static_cast<long long>(Beyond_Any_Angle) : static_cast<long long>(Beyond_Any_Angle);
    } else {
        whole = FloatToInt_Global(value);
        // A negative angle is none, however near zero (a negative zero,
        // "-0.0", is zero).
        if (value < 0.0 && whole == 0) whole = -1;
    }
    text = std::to_string(whole) + text.substr(end);
    return true;
}

}  // namespace qzCore
