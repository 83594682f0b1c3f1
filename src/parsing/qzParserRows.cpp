// The file-row side of qzParser: a row's cells distributed into a
// record's tokens (values, senses of slip in other tools' words, labels,
// station, location, depth, normals), and why a value was refused.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>

#include "ParserSupport.h"
#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/parsing/DataStruct.h"
#include "qzCore/parsing/GDTypes.h"
#include "qzCore/parsing/SlipWords.h"
#include "qzCore/parsing/qzParser.h"
#include "qzCore/shared/AngleText.h"
#include "qzCore/shared/MyMath.h"

namespace qzCore {

namespace {

using T = qzIEDataTypeOptions;
using parsing::kindOfLabel;
using parsing::lowerAscii;

/// The marks R, pandas and spreadsheets write for a missing number ("NA",
/// "NaN", "#N/A", ...): the cell holds no value, as an empty one.
bool isMissingMark(const std::string& text) {
    if (text.size() < 2 || text.size() > 4) return false;
    std::string lower;
    for (const char c : text) lower += lowerAscii(c);
    for (const char* mark : {"na", "nan", "n/a", "#n/a", "null", "none"}) {
        if (lower == mark) return true;
    }
    return false;
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
    if (isMissingMark(text)) return "missing (" + text + ")";
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

std::string qzParser::whyRejected(int code, const TokenStruct& tokens) {
    // Tokens hold whole numbers written with a point, whatever the file.
    constexpr bool decimalComma = false;
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
        if (!s || isMissingMark(*s)) continue;
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
    // Numbers that are missing: no value, as an empty cell.
    auto numberCell = [&](int type) -> const std::string* {
        const std::string* s = column(type);
        return s && isMissingMark(*s) ? nullptr : s;
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
    const std::string* loc[3] = {numberCell(T::XLoc_Type), numberCell(T::YLoc_Type), numberCell(T::ZLoc_Type)};
    if (loc[0] || loc[1] || loc[2]) {
        for (const std::string* s : loc) {
            if (s && s->size() > Max_Location_Length) return Error::Bad_Location;
        }
        const std::string x = number(loc[0]), y = number(loc[1]), z = number(loc[2]);
        const int r = ParseLocation(x.c_str(), y.c_str(), z.c_str(), data);
        if (r < 0) return r;
    }
    if (const std::string* s = numberCell(T::MD_Type)) {
        if (s->size() > Max_Location_Length || ParseMD(number(s).c_str(), data) < 0) return Error::Invalid_MD;
    }
    const std::string* normal[3] = {numberCell(T::NX_Type), numberCell(T::NY_Type), numberCell(T::NZ_Type)};
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

}  // namespace qzCore
