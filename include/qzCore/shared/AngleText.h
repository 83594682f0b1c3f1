// Angles written with decimals, as field books, spreadsheets and numeric
// programs hold them ("129.86", "045.00", "129.86345109230001",
// "3.000000000000000000e+01"), are rounded to the whole degrees the
// library keeps, before they reach the five-character token of a value.
#ifndef QZCORE_SHARED_ANGLETEXT_H
#define QZCORE_SHARED_ANGLETEXT_H

#include "qzCore/Export.h"

#include <cstddef>
#include <string>

namespace qzCore {

/// Kept for callers: the longest number a value typed by hand may hold
/// (qzParser::Max_Number_Length).  Numbers read from files may be longer.
constexpr std::size_t Max_Angle_Number_Length = 12;

/// The leading number of `text`, as numeric programs write numbers: an
/// optional sign, digits with an optional fraction (or a fraction alone,
/// ".5"), and an optional exponent ("e+01"; an "e" not followed by digits
/// is a letter, as in a dip "30E").  With `decimalComma` a comma may be the
/// decimal point.  @return the number of characters it takes, 0 for none;
/// `value` receives it (infinite values give 0).
QZCORE_EXPORT std::size_t leadingDecimal(const std::string& text, bool decimalComma, double& value);

/// Rounds the leading number of an angle's text to whole degrees by the
/// library's rounding rule (FloatToInt_Global: halves away from zero), and
/// keeps what follows it (dip or rake letters: "45.25SE" becomes "45SE").
///  * A text that does not begin with a number is left alone: quadrant
///    bearings ("N30E") and other notations keep their own rules.
///  * A plain number without sign, fraction or exponent is left as written
///    ("045") unless the text is longer than `keepUpTo` characters; then it
///    is rewritten as its value ("000045" becomes "45").
///  * Numbers of any length and in exponent form are read whole; a signed
///    number keeps its sign ("-5" stays "-5" and is then out of range; a
///    negative number that rounds to 0 becomes "-1": no angle is negative;
///    "-0.0" is zero); a value beyond a million is written as
///    "1000000" with its sign, out of every angle's range.
///  * With `decimalComma`, a comma is the decimal point ("120,5" is 121).
/// @return false (text unchanged) only when the number cannot be read.
QZCORE_EXPORT bool roundAngleText(std::string& text, bool decimalComma, std::size_t keepUpTo);

}  // namespace qzCore

#endif  // QZCORE_SHARED_ANGLETEXT_H
