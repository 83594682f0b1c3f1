// Angles written with decimals, as field books and spreadsheets hold them
// ("129.86", "045.00", "359.99"), are rounded to the whole degrees the
// library keeps, before they reach the five-character token of a value.
#ifndef QZCORE_SHARED_ANGLETEXT_H
#define QZCORE_SHARED_ANGLETEXT_H

#include <cstddef>
#include <string>

namespace qzCore {

/// Longest number (digits, decimal point and fraction) an angle may be
/// written with: room for leading zeros and a few decimals, and far inside
/// the exact range of a double.
constexpr std::size_t Max_Angle_Number_Length = 12;

/// Rounds the leading number of an angle's text to whole degrees by the
/// library's rounding rule (FloatToInt_Global: halves away from zero), and
/// keeps what follows it (dip or rake letters: "45.25SE" becomes "45SE").
///  * A text that does not begin with a digit is left alone: quadrant
///    bearings ("N30E") and other notations keep their own rules.
///  * A number without a fraction is left as written ("045") unless the
///    text is longer than `keepUpTo` characters; then it is rewritten as
///    its value ("000045" becomes "45").
///  * With `decimalComma`, a comma is the decimal point ("120,5" is 121).
/// @return false (text unchanged) when the number is longer than
///   Max_Angle_Number_Length characters.
bool roundAngleText(std::string& text, bool decimalComma, std::size_t keepUpTo);

}  // namespace qzCore

#endif  // QZCORE_SHARED_ANGLETEXT_H
