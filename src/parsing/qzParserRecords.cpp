// Record-level conversion of qzParser: a row of tokens into a record.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <istream>
#include <new>

#include "shared/DecimalText.h"
#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/parsing/DataStruct.h"
#include "qzCore/parsing/qzParser.h"
#include "qzCore/parsing/GDTypes.h"
#include "qzCore/parsing/SlipWords.h"
#include "ParserSupport.h"
#include "qzCore/shared/AngleText.h"

namespace qzCore {

namespace parsing {

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

/// The kind of record a full label names (any case), or "#<code>" for a
/// labelled kind.  Neither the reserved kind nor "Auto" names one.
bool kindOfLabel(const std::string& text, char& kind) {
    if (text.empty()) return false;
    std::string lower = text;
    for (char& c : lower) c = lowerAscii(c);
    const GDTypes& types = GDTypes::instance();
    for (int code = GDTypes::GDType_Plane; code <= GDTypes::GDType_ZolMarkerData; ++code) {
        if (code == GDTypes::GDType_Joint) continue;
        std::string label;
        if (!types.get(static_cast<char>(code), label)) continue;
        for (char& c : label) c = lowerAscii(c);
        if (lower == label || lower == "#" + std::to_string(code)) {
            kind = static_cast<char>(code);
            return true;
        }
    }
    return false;
}

}  // namespace parsing

namespace {

using parsing::lowerAscii;
using parsing::kindOfLabel;

bool empty(const char* s) { return !s || !*s; }

/// The leading decimal number of a text, as C's atof reads it (sign,
/// digits, fraction, exponent; the rest ignored), but always with '.' as
/// the decimal point.  False when there is none or it overflows.
bool leadingNumber(const char* text, double& value) {
    const char* p = text;
    while (*p == ' ' || *p == '\t') ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    const char* b = p;
    const char* e = p;
    while (*e >= '0' && *e <= '9') ++e;
    if (*e == '.') {
        ++e;
        while (*e >= '0' && *e <= '9') ++e;
    }
    if (e == b || (e == b + 1 && *b == '.')) return false;
    if (*e == 'e' || *e == 'E') {
        const char* x = e + 1;
        if (*x == '+' || *x == '-') ++x;
        if (*x >= '0' && *x <= '9') {
            while (*x >= '0' && *x <= '9') ++x;
            e = x;
        }
    }
    double v = 0.0;
    const auto r = detail::decimalFromChars(b, e, v);
    if (r.ec != std::errc() || !std::isfinite(v)) return false;
    value = negative ? -v : v;
    return true;
}

}  // namespace

int qzParser::ParseLocation(const char* x, const char* y, const char* z, DataStruct& data, bool) {
    const char* texts[3] = {x, y, z};
    for (int i = 0; i < 3; ++i) {
        if (empty(texts[i])) continue;
        double v = 0.0;
        if (!leadingNumber(texts[i], v)) return Error::Bad_Location;
        // A zero must be written as one: "-0" or "+0" is no location.
        if (v == 0.0 && texts[i][0] != '0') return Error::Bad_Location;
        if (i == 0) data.setX(v);
        if (i == 1) data.setY(v);
        if (i == 2) data.setZ(v);
    }
    return 1;
}

int qzParser::ParseMD(const char* text, DataStruct& data) {
    // Plain decimals, or the exponent form writers use for very large and
    // very small depths ("1e+300").
    double v = 0.0;
    if (empty(text) || !Token(text).get(v)) {
        data.setMD(No_Value_Double);
        return Error::Bad_Location;
    }
    data.setMD(v);
    return 1;
}

// ---------------------------------------------------------------- converters

int qzParser::AutoConvertPlane(TokenStruct& tokens, DataStruct& data) {
    int strike = -1, dip = -1;
    const int r = ParseStrike(strike, tokens.strike());
    if (r < 0) return r;
    // The column holds dip directions when the options say so, or when the
    // reader says the row lists them (a block of a file laid out that way).
    const bool dipDirection =
        (columnOptions && columnOptions->getIEOption(qzIEColumnOptions::IE_Strike_Is_Dip_Direction)) ||
        m_dipDirectionBlock;
    if (!dipDirection) {
        const int d = ParseDip(strike, dip, tokens.dip());
        data.setStrike(strike);
        data.setDip(dip);
        return d;
    }
    // The column holds the dip direction: the right-hand-rule strike is 90
    // degrees anticlockwise of it, and letters on the dip must agree.
    strike = (strike + 270) % 360;
    const int d = ParseDip(strike, dip, tokens.dip());
    if (d != 1) return d;
    if (!m_dipAgreed) return Error::Invalid_Dip_Direction;
    data.setStrike(strike);
    data.setDip(dip);
    tokens.setTokenValue(TokenStruct::Dip_Token, dip);
    tokens.setTokenValue(TokenStruct::Strike_Token, strike);
    return 1;
}

int qzParser::AutoConvertLine(TokenStruct& tokens, DataStruct& data) {
    int trend = -1, plunge = -1;
    if (ParseStrike(trend, tokens.trend()) < 1) return Error::Invalid_Trend_Plunge;
    if (ParsePlunge(trend, plunge, tokens.plunge()) < 1) return Error::Invalid_Trend_Plunge;
    data.setTrend(trend);
    data.setPlunge(plunge);
    return 1;
}

int qzParser::AutoConvertSpecial(TokenStruct& tokens, DataStruct& data) {
    int a = -1, b = -1;
    int r = ParseStrike(a, tokens.strike());
    if (r < 0) return r;
    r = ParsePlunge(a, b, tokens.dip());
    if (r < 0) return r;
    data.setStrike(a);
    data.setDip(b);
    if (!tokens.hasToken(TokenStruct::Trend_Token) && !tokens.hasToken(TokenStruct::Plunge_Token)) return 1;
    int t = -1, p = -1;
    r = ParseStrike(t, tokens.trend());
    if (r < 0) return r;
    r = ParsePlunge(t, p, tokens.plunge());
    if (r < 0) return r;
    data.setTrend(t);
    data.setPlunge(p);
    return 1;
}

int qzParser::convertRake(TokenStruct& tokens, DataStruct& data) {
    int trend = -1, plunge = -1;
    const int rake = ParseRake(data.getStrike(), data.getDip(), trend, plunge, tokens.rake());
    if (rake < 0) return rake;
    data.setRake(rake);
    data.setTrend(trend);
    data.setPlunge(plunge);
    return 1;
}

int qzParser::AutoConvertTP(TokenStruct& tokens, DataStruct& data) {
    const int r = AutoConvertPlane(tokens, data);
    if (r < 0) return r;
    return convertRake(tokens, data);
}

// ---------------------------------------------------------------- records

int qzParser::ParseSingle(TokenStruct& tokens, DataStruct& data) {
    using K = GDTypes;
    const bool hasRake = tokens.hasToken(TokenStruct::Rake_Token);
    const bool hasTrend = tokens.hasToken(TokenStruct::Trend_Token);
    const bool hasSlip = tokens.hasToken(TokenStruct::Slip_Token);
    // The kind: a full label as the writer writes it ("Fault", "Dip" for a
    // well dip, "Fish", "PAxis", ...; "#<code>" for one too long for the
    // token), else the first letter.
    char kind = K::GDType_Null;
    const bool labelled = kindOfLabel(tokens.type(), kind);
    if (!labelled) {
        switch (lowerAscii(tokens.type()[0])) {
            case 'm': kind = K::GDType_ZolMarkerData; break;
            case 'w': kind = K::GDType_ZolWellData; break;
            case 'p': kind = K::GDType_Plane; break;
            case 'l': kind = K::GDType_Line; break;
            case 's': kind = K::GDType_GenericSpecial; break;
            case 'u': kind = K::GDType_UStage; break;
            case 'f': kind = K::GDType_Fault; break;
            default: break;
        }
    }
    int r = 0;
    switch (kind) {
        case K::GDType_Null: break;  // recognition by the tokens, below
        case K::GDType_ZolMarkerData:
        case K::GDType_ZolWellData:
        case K::GDType_Plane:
            r = AutoConvertPlane(tokens, data);
            if (r < 0) return r;
            data.setGDType(kind);
            return 1;
        case K::GDType_Line:
            r = AutoConvertLine(tokens, data);
            if (r < 0) return r;
            data.setGDType(kind);
            return 1;
        case K::GDType_Fault:
            r = AutoConvertPlane(tokens, data);
            if (r < 0) return r;
            // The plane is converted once: in dip-direction mode a second
            // pass would turn the rewritten strike again.
            if (hasRake && hasTrend) return Error::Rake_With_Trend_Plunge;
            if (hasRake) {
                r = convertRake(tokens, data);
            } else if (hasTrend) {
                r = AutoConvertLine(tokens, data);
            }
            if (r < 0) return r;
            if (hasSlip) {
                r = convertSlip(tokens, data);
                if (r < 0) return r;
            }
            data.setGDType(K::GDType_Fault);
            return 1;
        default:
            // Universal-stage records, and result records typed by letter,
            // hold a trend and plunge in the strike and dip columns; result
            // records as the writer writes them hold theirs in the trend
            // and plunge columns.
            if (labelled && kind != K::GDType_UStage && hasTrend) {
                r = AutoConvertLine(tokens, data);
            } else {
                r = AutoConvertSpecial(tokens, data);
                // A result record is a line: the trend and plunge it was
                // given in the strike and dip columns are its values, not
                // lost with the plane fields it does not keep.
                if (r > 0 && kind != K::GDType_UStage && !tokens.hasToken(TokenStruct::Trend_Token)) {
                    data.setTrend(data.getStrike());
                    data.setPlunge(data.getDip());
                    tokens.setTokenValue(TokenStruct::Trend_Token, tokens.strike());
                    tokens.setTokenValue(TokenStruct::Plunge_Token, tokens.dip());
                }
            }
            if (r < 0) return r;
            data.setGDType(kind);
            return 1;
    }

    // Recognition by the tokens present.
    bool plane = false;
    if (tokens.hasToken(TokenStruct::Strike_Token)) {
        r = AutoConvertPlane(tokens, data);
        if (r < 0) return r;
        data.setGDType(K::GDType_Plane);
        plane = true;
    }
    if (hasRake) {
        if (hasTrend) return Error::Rake_With_Trend_Plunge;
        if (!plane) return Error::Bad_Fault_Data;  // a rake means nothing without its plane
        r = convertRake(tokens, data);
        if (r < 0) return r;
        data.setGDType(K::GDType_Fault);
    } else if (hasTrend) {
        r = AutoConvertLine(tokens, data);
        if (r < 0) return r;
        if (!plane) {
            data.setGDType(K::GDType_Line);
            return 1;
        }
        data.setGDType(K::GDType_Fault);
    }
    if (!hasSlip) return plane ? 1 : Error::Null_Input_Line;
    if (data.getGDType() != K::GDType_Fault) return Error::Null_Input_Line;
    return convertSlip(tokens, data);
}

int qzParser::convertSlip(TokenStruct& tokens, DataStruct& data) {
    char slip = GDSlipTypes::GDSlipType_NoSlip;
    if (ParseSlip(slip, tokens.slip()) == 1) {
        data.setSlipType(slip);
        return 1;
    }
    // The words of other tools, decided on this fault's plane and slip
    // line; the token then holds the keyword of the sense found.
    const SlipWord word = readSlipWord(tokens.slip());
    if (word.kind == SlipWord::Unknown) return Error::Unknown_Slip_Sense;
    const int note = senseOnFault(word, data.getStrike(), data.getDip(), data.hasTrend() ? data.getTrend() : -1,
                                  data.hasPlunge() ? data.getPlunge() : -1, slip);
    data.setSlipType(slip);
    std::string keyword;
    GDSlipTypes::instance().get(slip, keyword);
    tokens.setTokenValue(TokenStruct::Slip_Token, keyword.c_str());
    if (note != 0) m_remark.note = note;
    return 1;
}

int qzParser::VerifyTokens(const TokenStruct& tokens) const {
    const bool planeTokens = tokens.hasToken(TokenStruct::Strike_Token) && tokens.hasToken(TokenStruct::Dip_Token);
    switch (tokens.type()[0]) {
        case 'f': return planeTokens ? 1 : Error::Bad_Fault_Data;
        case 'p': return planeTokens ? 1 : Error::Bad_Plane_Data;
        case 'l':
            return tokens.hasToken(TokenStruct::Trend_Token) && tokens.hasToken(TokenStruct::Plunge_Token) ? 1 : Error::Bad_Line_Data;
        case 's': return planeTokens ? 1 : Error::Bad_Line_Data;
        default: return 1;
    }
}

}  // namespace qzCore
