#include "qzCore/shared/AngleText.h"

#include <charconv>
#include <system_error>

#include "qzCore/shared/MyMath.h"

namespace qzCore {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool roundAngleText(std::string& text, bool decimalComma, std::size_t keepUpTo) {
    if (text.empty() || !isDigit(text[0])) return true;
    std::size_t end = 0;
    while (end < text.size() && isDigit(text[end])) ++end;
    bool fraction = false;
    if (end < text.size() && (text[end] == '.' || (decimalComma && text[end] == ','))) {
        fraction = true;
        ++end;
        while (end < text.size() && isDigit(text[end])) ++end;
    }
    if (end > Max_Angle_Number_Length) return false;
    if (!fraction && text.size() <= keepUpTo) return true;
    std::string number = text.substr(0, end);
    for (char& c : number) {
        if (c == ',') c = '.';
    }
    double value = 0.0;
    const auto r = std::from_chars(number.data(), number.data() + number.size(), value);
    if (r.ec != std::errc()) return false;
    text = std::to_string(FloatToInt_Global(value)) + text.substr(end);
    return true;
}

}  // namespace qzCore
