// Record-level conversion of qzParser: a row of tokens into a record.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <istream>
#include <iterator>
#include <new>

#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/parsing/DataStruct.h"
#include "qzCore/parsing/qzParser.h"
#include "qzCore/parsing/GDTypes.h"
#include "qzCore/parsing/SlipWords.h"
#include "qzCore/shared/AngleText.h"

namespace qzCore {

namespace {

using T = qzIEDataTypeOptions;

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool empty(const char* s) { return !s || !*s; }

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
    const auto r = std::from_chars(b, e, v);
    if (r.ec != std::errc() || !std::isfinite(v)) return false;
    value = negative ? -v : v;
    return true;
}

/// Why the text of a value gave `code`: out of its range, or no number
/// at all; "" when neither is the trouble (letters after a number, say,
/// which the code's own message names).
std::string valueProblem(int code, const std::string& text, bool decimalComma) {
    int high = 0;
    switch (code) {
        case Error::Invalid_Strike:
        case Error::Invalid_Trend: high = 360; break;
        case Error::Invalid_Dip:
        case Error::Invalid_Plunge: high = 90; break;
        case Error::Invalid_Rake: high = 180; break;
        default: return "";
    }
    if (text.empty()) return "missing";
    // The marks of a missing value in R, pandas and spreadsheets.
    std::string lower;
    for (const char c : text) lower += lowerAscii(c);
    for (const char* mark : {"na", "nan", "n/a", "null", "none", "#n/a"}) {
        if (lower == mark) return "missing (" + text + ")";
    }
    const std::string range = "out of range (0 to " + std::to_string(high) + ")";
    double v = 0.0;
    const std::size_t end = leadingDecimal(text, decimalComma, v);
    if (end > 0 && end == text.size()) {
        const double whole = std::fabs(v) < 1e6 ? double(FloatToInt_Global(v)) : v;
        return whole < 0.0 || whole > high ? range : "";
    }
    // A quadrant bearing (N30E) with an angle beyond 90.
    if (!text.empty() && std::strchr("NnSs", text[0]) && text.size() > 2 &&
        std::strchr("EeWw", text.back())) {
        const std::string angle = text.substr(1, text.size() - 2);
        if (leadingDecimal(angle, decimalComma, v) == angle.size() && !angle.empty()) {
            return v > 90.0 ? "quadrant angle out of range (0 to 90)" : "";
        }
    }
    // No number, and no quadrant bearing (N30E) either.
    const bool bearing = std::strchr("NnSs", text[0]) != nullptr && text.size() > 1 && text[1] >= '0' && text[1] <= '9';
    if (end == 0 && !bearing) return "not a number";
    return "";
}

}  // namespace

std::string qzParser::whyRejected(int code, const TokenStruct& tokens, bool decimalComma) {
    switch (code) {
        case Error::Invalid_Strike: return valueProblem(code, tokens.strike(), decimalComma);
        case Error::Invalid_Dip: return valueProblem(code, tokens.dip(), decimalComma);
        case Error::Invalid_Rake: return valueProblem(code, tokens.rake(), decimalComma);
        case Error::Invalid_Plunge: return valueProblem(code, tokens.plunge(), decimalComma);
        case Error::Invalid_Trend: return valueProblem(code, tokens.trend(), decimalComma);
        case Error::Invalid_Trend_Plunge: {
            // Either value: the first that says why.
            std::string why = valueProblem(Error::Invalid_Trend, tokens.trend(), decimalComma);
            if (!why.empty()) return "trend " + why;
            why = valueProblem(Error::Invalid_Plunge, tokens.plunge(), decimalComma);
            return why.empty() ? why : "plunge " + why;
        }
        default: return "";
    }
}

std::string qzParser::whyRejectedText(int code, const std::string& text, bool decimalComma) {
    return valueProblem(code, text, decimalComma);
}

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
    // A Stereonet "DD" block lists dip and dip direction: its strike column
    // holds dip directions, option or not.
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

// ---------------------------------------------------------------- file rows

namespace {

// The value columns of a row, each with its token and the code a value too
// long for the token gives.
struct ValueColumn {
    int type;
    TokenStruct::Token_Id token;
    int code;
};
constexpr ValueColumn Value_Columns[] = {
    {T::Type_Type, TokenStruct::Type_Token, -6},     {T::Strike_Type, TokenStruct::Strike_Token, -5},
    {T::Dip_Type, TokenStruct::Dip_Token, -1},       {T::Rake_Type, TokenStruct::Rake_Token, -3},
    {T::Trend_Type, TokenStruct::Trend_Token, -42},  {T::Plunge_Type, TokenStruct::Plunge_Token, -17},
    {T::Slip_Type, TokenStruct::Slip_Token, -43}};
static_assert(std::size(Value_Columns) <= 7, "the column plan holds seven value columns");

constexpr int Other_Columns[] = {T::Comment_Type, T::Attr1_Type, T::Attr2_Type, T::Attr3_Type,
                                 T::Attr4_Type,   T::Well_Type,  T::XLoc_Type,  T::YLoc_Type,
                                 T::ZLoc_Type,    T::MD_Type,    T::NX_Type,    T::NY_Type,
                                 T::NZ_Type};

/// A word the Type column uses for a kind: a kind's label (any case, or
/// "#<code>") or one of the kind letters.
bool isKindWord(const std::string& text) {
    char kind = 0;
    if (kindOfLabel(text, kind)) return true;
    return text.size() == 1 && std::strchr("mwplsufMWPLSUF", text[0]) != nullptr;
}

}  // namespace

void qzParser::planColumns() {
    m_plan = ColumnPlan{};
    for (std::size_t i = 0; i < std::size(Value_Columns); ++i) {
        const int c = m_columnOf[static_cast<std::size_t>(Value_Columns[i].type)];
        if (c >= 0) m_plan.values[m_plan.valueCount++] = {static_cast<unsigned char>(i), c};
    }
    m_plan.othersFrom = tokenList ? tokenList->capacity() : 0;
    for (const int type : Other_Columns) {
        const int c = m_columnOf[static_cast<std::size_t>(type)];
        if (c >= 0) m_plan.othersFrom = std::min(m_plan.othersFrom, static_cast<std::size_t>(c));
    }
    m_plan.decimalComma =
        columnOptions && columnOptions->getColumnOption(ieColumnOptions::Column_Option_Decimal_Comma);
    m_plan.typeLabels = columnOptions && columnOptions->getIEOption(qzIEColumnOptions::IE_Type_Labels);
    // Every column of senses of slip after the first.
    m_moreSlipColumns.clear();
    if (columnOptions && tokenList) {
        const int first = m_columnOf[std::size_t(T::Slip_Type)];
        for (int c = 0; c < ieColumnOptions::Max_Num_Columns && std::size_t(c) < tokenList->capacity(); ++c) {
            if (c != first && columnOptions->getColumnChoice(c) == T::Slip_Type) m_moreSlipColumns.push_back(c);
        }
    }

    // Plain rows: a strike and dip (a dip-direction column is turned, which
    // the general steps do), or else a trend and plunge, each pair in front
    // of every other typed column.
    const bool dipDirection =
        columnOptions && columnOptions->getIEOption(qzIEColumnOptions::IE_Strike_Is_Dip_Direction);
    auto tryPair = [this](int first, int second) {
        const int a = m_columnOf[std::size_t(first)], b = m_columnOf[std::size_t(second)];
        if (a < 0 || b < 0) return false;
        std::size_t limit = tokenList ? tokenList->capacity() : 0;
        for (int t = 0; t < qzIEDataTypeOptions::Num_Data_Types; ++t) {
            const int c = m_columnOf[std::size_t(t)];
            if (t != first && t != second && c >= 0) limit = std::min(limit, static_cast<std::size_t>(c));
        }
        if (std::size_t(a) >= limit || std::size_t(b) >= limit) return false;
        m_plan.plainFirst = a;
        m_plan.plainSecond = b;
        m_plan.plainLimit = limit;
        return true;
    };
    const bool plane = !dipDirection && tryPair(T::Strike_Type, T::Dip_Type);
    if (!plane) m_plan.plainLine = tryPair(T::Trend_Type, T::Plunge_Type);
}

int qzParser::distribute(DataStruct& data, TokenStruct& tokens, std::list<std::string>& attributes,
                         std::string& stationId) {
    const qzTokenList& cells = *tokenList;
    std::string text;
    for (std::size_t i = 0; i < m_plan.valueCount; ++i) {
        const auto [which, c] = m_plan.values[i];
        const std::string* s = cells.textAt(static_cast<std::size_t>(c));
        if (!s) continue;
        const ValueColumn& v = Value_Columns[which];
        // The usual cell, a few digits, goes in as it stands.
        if (s->size() <= Max_Token_Length &&
            std::all_of(s->begin(), s->end(), [](char ch) { return ch >= '0' && ch <= '9'; })) {
            tokens.setTokenValue(v.token, s->c_str());
            continue;
        }
        text = *s;
        if (v.type == T::Type_Type && m_plan.typeLabels && !isKindWord(text)) {
            // A structure name (S1, L2, bedding): the record's label; its
            // values decide its kind.
            if (text.size() > Max_Attribute_Length) return Error::Attribute_Label_Too_Long;
            attributes.push_back(text);
            continue;
        }
        if (v.type == T::Slip_Type) {
            const int r = slipCell(text, tokens);
            if (r < 0) return r;
            continue;
        }
        // A kind label too long for the token ("Marker", "UStage") by
        // its code.
        char kind = 0;
        if (v.type == T::Type_Type && text.size() > Max_Token_Length && kindOfLabel(text, kind)) {
            text = "#" + std::to_string(int(kind));
        }
        // Angles with decimals are rounded to whole degrees before they
        // meet the five characters of a token; a text still too long is
        // refused, never cut.
        if (v.type != T::Type_Type && v.type != T::Slip_Type &&
            (!roundAngleText(text, m_plan.decimalComma, Max_Token_Length) || text.size() > Max_Token_Length)) {
            m_remark.detail = valueProblem(v.code, *s, m_plan.decimalComma);
            return v.code;
        }
        if (text.size() > Max_Token_Length) return v.code;
        tokens.setTokenValue(v.token, text.c_str());
    }
    // Further sense-of-slip columns (StraboSpot's movement beside its
    // fault_or_sz_type): the first that is not empty.
    for (const int c : m_moreSlipColumns) {
        if (tokens.hasToken(TokenStruct::Slip_Token)) break;
        if (const std::string* s = cells.textAt(static_cast<std::size_t>(c))) {
            const int r = slipCell(*s, tokens);
            if (r < 0) return r;
        }
    }
    // A row that ends before the first of the other columns has none of them.
    return cells.used() > m_plan.othersFrom ? distributeOthers(data, tokens, attributes, stationId) : 1;
}

int qzParser::slipCell(const std::string& text, TokenStruct& tokens) {
    char slip = 0;
    if (text.size() <= Max_Token_Length && ParseSlip(slip, text.c_str()) == 1) {
        tokens.setTokenValue(TokenStruct::Slip_Token, text.c_str());
        return 1;
    }
    const std::string compact = compactSlipWord(readSlipWord(text));
    if (compact.empty()) return Error::Unknown_Slip_Sense;
    tokens.setTokenValue(TokenStruct::Slip_Token, compact.c_str());
    return 1;
}

int qzParser::distributeOthers(DataStruct& data, TokenStruct& tokens, std::list<std::string>& attributes,
                               std::string& stationId) {
    const qzTokenList& cells = *tokenList;
    auto column = [&](int type) -> const std::string* {
        const int c = m_columnOf[static_cast<std::size_t>(type)];
        return c < 0 ? nullptr : cells.textAt(static_cast<std::size_t>(c));
    };
    if (const std::string* s = column(T::Comment_Type)) tokens.setComment(*s);
    for (const int a : {T::Attr1_Type, T::Attr2_Type, T::Attr3_Type, T::Attr4_Type}) {
        if (const std::string* s = column(a)) {
            if (s->size() > Max_Attribute_Length) return Error::Attribute_Label_Too_Long;
            attributes.push_back(*s);
        }
    }
    if (const std::string* s = column(T::Well_Type)) {
        if (s->size() > Max_Station_Length) return Error::Invalid_Input_Value;
        stationId = *s;
    }
    // Coordinates and depths with a decimal comma read with a point.
    auto number = [comma = m_plan.decimalComma](const std::string* s) {
        std::string n = s ? *s : std::string();
        if (comma) {
            for (char& c : n) {
                if (c == ',') c = '.';
            }
        }
        return n;
    };
    const std::string* loc[3] = {column(T::XLoc_Type), column(T::YLoc_Type), column(T::ZLoc_Type)};
    if (loc[0] || loc[1] || loc[2]) {
        for (const std::string* s : loc) {
            if (s && s->size() > Max_Location_Length) return Error::Bad_Location;
        }
        const std::string x = number(loc[0]), y = number(loc[1]), z = number(loc[2]);
        const int r = ParseLocation(x.c_str(), y.c_str(), z.c_str(), data);
        if (r < 0) return r;
    }
    if (const std::string* s = column(T::MD_Type)) {
        if (s->size() > Max_Location_Length || ParseMD(number(s).c_str(), data) < 0) return Error::Invalid_MD;
    }
    const std::string* normal[3] = {column(T::NX_Type), column(T::NY_Type), column(T::NZ_Type)};
    if (normal[0] || normal[1] || normal[2]) return planeOfNormal(normal, tokens);
    return 1;
}

int qzParser::planeOfNormal(const std::string* const normal[3], TokenStruct& tokens) {
    // x east, y north, z up, as point-cloud programs keep their models.
    double v[3] = {0.0, 0.0, 0.0};
    for (int i = 0; i < 3; ++i) {
        if (!normal[i] || leadingDecimal(*normal[i], m_plan.decimalComma, v[i]) != normal[i]->size()) {
            return Error::Bad_Normal_Vector;
        }
    }
    const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (!(length > 0.0) || !std::isfinite(length)) return Error::Bad_Normal_Vector;
    // A normal and its opposite are one plane: the upward one points to
    // the dip direction.
    const double up = v[2] < 0.0 ? -1.0 : 1.0;
    // (+ 0.0: a horizontal plane's -0 components name no direction.)
    const double east = up * v[0] / length + 0.0, north = up * v[1] / length + 0.0, z = up * v[2] / length;
    const int dip = FloatToInt_Global(std::acos(std::min(1.0, z)) * MyMath::Rad_To_Deg);
    const int dipDirection = MyMath::wholeAzimuth(std::atan2(east, north) * MyMath::Rad_To_Deg);
    const bool asDipDirection =
        columnOptions && columnOptions->getIEOption(qzIEColumnOptions::IE_Strike_Is_Dip_Direction);
    tokens.setTokenValue(TokenStruct::Strike_Token, asDipDirection ? dipDirection : (dipDirection + 270) % 360);
    tokens.setTokenValue(TokenStruct::Dip_Token, dip);
    return 1;
}

void qzParser::takeLateralSense(const std::string& marker, TokenStruct& tokens, DataStruct& data) {
    if (marker.size() != 2 || !data.hasStrike() || !data.hasTrend() || !data.hasPlunge()) return;
    // A slip line nearer the strike than the dip makes the fault's sense its
    // lateral one, which the marker's second letter names; nearer the dip
    // (or at 45 degrees) the first letter's normal or reverse sense stays.
    const double cosine = Matrix_1(double(data.getStrike()), 0.0).dotProduct(
        Matrix_1(double(data.getTrend()), double(data.getPlunge())));
    const int angle = FloatToInt_Global(std::acos(std::max(-1.0, std::min(1.0, cosine))) * MyMath::Rad_To_Deg);
    if (angle >= 45 && angle <= 135) return;
    const char slip = marker[1] == 'L' ? GDSlipTypes::GDSlipType_LeftLatSlip : GDSlipTypes::GDSlipType_RightLatSlip;
    std::string keyword;
    GDSlipTypes::instance().get(slip, keyword);
    tokens.setTokenValue(TokenStruct::Slip_Token, keyword.c_str());
    data.setSlipType(slip);
}

}  // namespace qzCore
