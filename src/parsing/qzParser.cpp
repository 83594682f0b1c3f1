#include "qzCore/parsing/qzParser.h"
#include "shared/DecimalText.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/parsing/GDTypes.h"
#include "qzCore/shared/krtIEConstants.h"

namespace qzCore {

namespace {

constexpr char kEnd = krtIEConstants::Null_Delim_Char;
constexpr char kPoint = krtIEConstants::Period_Delim_Char;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads an unsigned decimal number with '.' as the decimal point, whatever
// the process locale says.  Overlong or unreadable text gives infinity.
double decimal(const char* b, const char* e) {
    double v = 0.0;
    const auto r = detail::decimalFromChars(b, e, v);
    if (r.ec != std::errc() || r.ptr != e) return HUGE_VAL;
    return v;
}

// ASCII lower case only: bytes above 127 stay as they are, whatever the locale.
char lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }


}  // namespace


// ------------------------------------------------------------ numbers

bool qzParser::copyNumber(const char*& text, NumberBuffer& buf, bool allowPoint) {
    std::size_t n = 0;
    const char* p = text;
    while (isDigit(*p)) {
        if (n >= Max_Number_Length) return false;
        buf[n++] = *p++;
    }
    if (n == 0) return false;
    if (allowPoint && *p == kPoint) {
        m_integerValue = false;
        if (n >= Max_Number_Length) return false;
        buf[n++] = *p++;
        while (isDigit(*p)) {
            if (n >= Max_Number_Length) return false;
            buf[n++] = *p++;
        }
    }
    buf[n] = kEnd;
    text = p;
    return true;
}

int qzParser::readNumber(const NumberBuffer& buf) {
    // At most Max_Number_Length characters, so the value is far inside the
    // range of a double.
    const char* b = buf.data();
    // Whole degrees, the usual case, without a detour through a double.
    // Nine digits at most, so that the sum cannot overflow.
    int whole = 0;
    const char* q = b;
    while (isDigit(*q) && q - b < 9) whole = whole * 10 + (*q++ - '0');
    if (*q == kEnd) {
        m_integerValue = true;
        return whole;
    }
    const double d = decimal(b, q + std::strlen(q));
    // Whole numbers are exact in a double; a fraction is rounded.
    m_integerValue = true;
    return FloatToInt_Global(d);
}

int qzParser::FinishParseStrike(const NumberBuffer& buf, bool quadrant) {
    const int v = readNumber(buf);
    if (v < 0 || v > (quadrant ? 90 : 360)) return Error::Invalid_Strike;
    return v;
}

int qzParser::FinishParseDip(const NumberBuffer& buf) {
    const int v = readNumber(buf);
    if (v < 0 || v > 90) return Error::Invalid_Dip;
    return v;
}

int qzParser::FinishParseRake(const NumberBuffer& buf, bool quadrant) {
    const int v = readNumber(buf);
    if (v < 0 || v > (quadrant ? 90 : 180)) return Error::Invalid_Rake;
    return v;
}

// ------------------------------------------------------------ letters

void qzParser::takeLetters(const char* text) {
    dirLetters = {kEnd, kEnd, kEnd};
    dirLetters[0] = lower(text[0]);
    if (text[0] == kEnd) return;
    dirLetters[1] = lower(text[1]);
    if (text[1] == kEnd) return;
    dirLetters[2] = text[2];
}

bool qzParser::isTwo(char a, char b) const {
    return dirLetters[0] == a && dirLetters[1] == b && dirLetters[2] == kEnd;
}

bool qzParser::IsN() const { return dirLetters[0] == 'n' && dirLetters[1] == kEnd; }
bool qzParser::IsS() const { return dirLetters[0] == 's' && dirLetters[1] == kEnd; }
bool qzParser::IsE() const { return dirLetters[0] == 'e' && dirLetters[1] == kEnd; }
bool qzParser::IsW() const { return dirLetters[0] == 'w' && dirLetters[1] == kEnd; }
bool qzParser::IsNNE() const { return IsN() || isTwo('n', 'e'); }
bool qzParser::IsENE() const { return IsE() || isTwo('n', 'e'); }
bool qzParser::IsESE() const { return IsE() || isTwo('s', 'e'); }
bool qzParser::IsSSE() const { return IsS() || isTwo('s', 'e'); }
bool qzParser::IsSSW() const { return IsS() || isTwo('s', 'w'); }
bool qzParser::IsWSW() const { return IsW() || isTwo('s', 'w'); }
bool qzParser::IsWNW() const { return IsW() || isTwo('n', 'w'); }
bool qzParser::IsNNW() const { return IsN() || isTwo('n', 'w'); }

bool qzParser::lettersPointTo(int azimuth) const {
    if (azimuth > 0 && azimuth < 90) return IsNNE() || IsE();
    if (azimuth > 90 && azimuth < 180) return IsESE() || IsS();
    if (azimuth > 180 && azimuth < 270) return IsSSW() || IsW();
    if (azimuth > 270 && azimuth < 360) return IsNNW() || IsW();
    if (azimuth == 0 || azimuth == 360) return IsN();
    if (azimuth == 90) return IsE();
    if (azimuth == 180) return IsS();
    if (azimuth == 270) return IsW();
    return false;
}

// ------------------------------------------------------------ values

int qzParser::ParseStrike(int& strike, const char* text) {
    if (!text) return Error::Invalid_Strike;
    NumberBuffer buf{};
    if (isDigit(text[0])) {
        const char* p = text;
        if (!copyNumber(p, buf, true)) {
            m_integerValue = true;
            return Error::Invalid_Strike;
        }
        if (*p != kEnd) {
            m_integerValue = true;
            return Error::Invalid_Strike;
        }
        strike = FinishParseStrike(buf, false);
        return strike < 0 ? Error::Invalid_Strike : 1;
    }
    const char first = lower(text[0]);
    if (first != 'n' && first != 's') return Error::Invalid_Strike;
    const char* p = text + 1;
    if (!copyNumber(p, buf, false)) return Error::Invalid_Strike;
    const int v = FinishParseStrike(buf, true);
    if (v < 0) return Error::Invalid_Strike;
    const char last = lower(*p);
    if (last != 'e' && last != 'w') return Error::Invalid_Strike;
    if (first == 'n') {
        strike = last == 'e' ? v : 360 - v;
    } else {
        strike = last == 'e' ? 180 - v : 180 + v;
    }
    return 1;
}

int qzParser::ParseDip(int& strike, int& dip, const char* text) {
    if (!text || !isDigit(text[0])) return Error::Invalid_Dip;
    NumberBuffer buf{};
    const char* p = text;
    if (!copyNumber(p, buf, true)) {
        m_integerValue = true;
        return Error::Invalid_Dip;
    }
    dip = FinishParseDip(buf);
    if (dip < 0) return Error::Invalid_Dip;
    if (*p == kEnd) {
        m_dipAgreed = true;
        return 1;
    }
    takeLetters(p);

    // The dip direction must be 90 degrees clockwise of the strike.  Letters
    // on the other side mean the strike was given the other way round.
    auto agree = [this]() {
        m_dipAgreed = true;
        return 1;
    };
    auto turn = [this, &strike](int newStrike) {
        m_dipAgreed = false;
        strike = newStrike;
        return 1;
    };
    const bool e = IsE(), w = IsW(), n = IsN(), s = IsS();
    const bool ne = isTwo('n', 'e'), se = isTwo('s', 'e'), sw = isTwo('s', 'w'), nw = isTwo('n', 'w');
    if (strike > 0 && strike < 90) {
        if (e || se || s) return agree();
        if (n || nw || w) return turn(strike + 180);
    } else if (strike > 90 && strike < 180) {
        if (s || sw || w) return agree();
        if (n || ne || e) return turn(strike + 180);
    } else if (strike > 180 && strike < 270) {
        if (w || nw || n) return agree();
        if (e || se || s) return turn(strike - 180);
    } else if (strike > 270 && strike < 360) {
        if (n || ne || e) return agree();
        if (s || sw || w) return turn(strike - 180);
    } else if (strike == 0 || strike == 360) {
        if (e) {
            strike = 0;
            return agree();
        }
        if (w) return turn(180);
    } else if (strike == 90) {
        if (s) return agree();
        if (n) return turn(270);
    } else if (strike == 180) {
        if (w) return agree();
        if (e) return turn(0);
    } else if (strike == 270) {
        if (n) return agree();
        if (s) return turn(90);
    }
    return Error::Invalid_Dip_Direction;
}

int qzParser::ParseStrikeDip(int& strike, int& dip, const char* strikeText, const char* dipText) {
    const int r = ParseStrike(strike, strikeText);
    if (r < 0) return r;
    return ParseDip(strike, dip, dipText);
}

int qzParser::ParseRake(int strike, int dip, int& trend, int& plunge, const char* text) {
    if (!text || !isDigit(text[0])) return Error::Invalid_Rake;
    NumberBuffer buf{};
    const char* p = text;
    if (!copyNumber(p, buf, false)) return Error::Invalid_Rake;
    int r;
    if (*p == kEnd) {
        r = FinishParseRake(buf, false);
        if (r < 0) return Error::Invalid_Rake;
        // Measured from the strike as typed; the dip may have turned it.
        if (!m_dipAgreed) r = 180 - r;
    } else {
        r = FinishParseRake(buf, true);
        if (r < 0) return Error::Invalid_Rake;
        takeLetters(p);
        const bool fromStrikeEnd = lettersPointTo(strike);
        const bool fromOtherEnd = strike >= 0 && strike <= 360 && lettersPointTo((strike + 180) % 360);
        if (fromStrikeEnd) {
            // r kept
        } else if (fromOtherEnd) {
            r = 180 - r;
        } else {
            return Error::Invalid_Rake;
        }
    }
    math->computeTrendPlunge(strike, dip, r, trend, plunge);
    return r;
}

int qzParser::ParsePlunge(int trend, int& plunge, const char* text) {
    if (!text || !isDigit(text[0])) return Error::Invalid_Plunge;
    NumberBuffer buf{};
    const char* p = text;
    if (!copyNumber(p, buf, true)) {
        m_integerValue = true;
        return Error::Invalid_Plunge;
    }
    const int v = FinishParseRake(buf, true);
    if (v < 0) return Error::Invalid_Plunge;
    if (*p != kEnd && trend >= 0 && trend <= 360) {
        takeLetters(p);
        const bool ok = lettersPointTo(trend);
        if (!ok) return Error::Invalid_Plunge;
    }
    plunge = v;
    return 1;
}

int qzParser::ParseSlip(char& slip, const char* text) {
    if (text) {
        char code = GDSlipTypes::GDSlipType_NoSlip;
        if (GDSlipTypes::instance().get(std::string(text), code)) {
            slip = code;
            return 1;
        }
        const char a = lower(text[0]);
        const char b = a == kEnd ? kEnd : lower(text[1]);
        const bool two = b != kEnd && text[2] == kEnd;
        if (two && a == 'l' && b == 'l') {
            slip = GDSlipTypes::GDSlipType_LeftLatSlip;
            return 1;
        }
        if (two && a == 'r' && b == 'l') {
            slip = GDSlipTypes::GDSlipType_RightLatSlip;
            return 1;
        }
    }
    slip = GDSlipTypes::GDSlipType_NoSlip;
    return Error::Invalid_Slip;
}

int qzParser::ParseNumberGeneric(const char* text, double& value) {
    if (!text) return Error::Invalid_Input_Value;
    const char* p = text;
    while (std::isspace(static_cast<unsigned char>(*p))) ++p;
    bool negative = false;
    if (*p == '-') {
        negative = true;
        ++p;
    }
    const char* digits = p;
    while (isDigit(*p)) ++p;
    if (*p == kPoint) {
        ++p;
        while (isDigit(*p)) ++p;
    }
    if (*p != kEnd) return Error::Invalid_Input_Value;
    if (p == digits) {
        value = 0.0;  // empty, blanks only, or a lone minus sign
        return 1;
    }
    if (*digits == kPoint && p == digits + 1) return Error::Invalid_Input_Value;  // a lone point
    const double v = decimal(digits, p);
    if (!std::isfinite(v)) return Error::Invalid_Input_Value;
    value = negative ? -v : v;
    return 1;
}

int qzParser::ParseNumberGeneric(const char* text, int& value) {
    double v = 0.0;
    const int r = ParseNumberGeneric(text, v);
    if (r < 0) return r;
    if (v > 2147483647.0 || v < -2147483648.0) return Error::Invalid_Input_Value;
    value = FloatToInt_Global(v);
    return 1;
}

}  // namespace qzCore
