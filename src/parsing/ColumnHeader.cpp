#include "qzCore/parsing/ColumnHeader.h"

#include <algorithm>
#include <cstring>

#include "qzCore/parsing/IEOptions.h"
#include "qzCore/shared/AngleText.h"
#include "qzCore/shared/FileParser.h"

namespace qzCore {

namespace {

using T = qzIEDataTypeOptions;

/// Lower case, without blanks, punctuation, bytes above 127 (a degree
/// sign) or a bracketed unit; '#' is kept (the row-number column).
std::string normalised(const std::string& word) {
    std::string out;
    int depth = 0;
    for (const char c : word) {
        if (c == '(' || c == '[') {
            ++depth;
            continue;
        }
        if ((c == ')' || c == ']') && depth > 0) {
            --depth;
            continue;
        }
        if (depth > 0) continue;
        if (c >= 'A' && c <= 'Z') {
            out += char(c - 'A' + 'a');
        } else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '#') {
            out += c;
        }
    }
    return out;
}

struct Word {
    const char* text;
    int type;
    bool dipDirection;
};

// Spellings of field sheets and of the open tools beside the library's
// own keywords.  Structure names map to Attr1 (numbered on by the row).
constexpr Word kWords[] = {
    {"dipdirection", T::Strike_Type, true},
    {"dipdir", T::Strike_Type, true},
    {"dipdirn", T::Strike_Type, true},
    {"dd", T::Strike_Type, true},
    {"ddir", T::Strike_Type, true},
    {"dipazimuth", T::Strike_Type, true},
    {"dipaz", T::Strike_Type, true},
    {"azimuth", T::Strike_Type, true},
    {"fazi", T::Strike_Type, true},  // apsg: the fault plane's dip azimuth
    {"strikerhr", T::Strike_Type, false},
    {"rhrstrike", T::Strike_Type, false},
    {"dipangle", T::Dip_Type, false},
    {"finc", T::Dip_Type, false},  // apsg: the fault plane's inclination
    {"pitch", T::Rake_Type, false},
    {"bearing", T::Trend_Type, false},
    {"lazi", T::Trend_Type, false},   // apsg: the lineation's azimuth
    {"linc", T::Plunge_Type, false},  // apsg: the lineation's inclination
    {"sense", T::Slip_Type, false},
    {"slipsense", T::Slip_Type, false},
    {"senseofslip", T::Slip_Type, false},
    {"senseofmovement", T::Slip_Type, false},
    {"movement", T::Slip_Type, false},
    {"faultorsztype", T::Slip_Type, false},  // StraboSpot
    {"comments", T::Comment_Type, false},
    {"note", T::Comment_Type, false},
    {"notes", T::Comment_Type, false},
    {"remark", T::Comment_Type, false},
    {"remarks", T::Comment_Type, false},
    {"station", T::Well_Type, false},
    {"stationid", T::Well_Type, false},
    {"site", T::Well_Type, false},
    {"wellid", T::Well_Type, false},
    {"kind", T::Type_Type, false},
    {"x", T::XLoc_Type, false},
    {"easting", T::XLoc_Type, false},
    {"centerx", T::XLoc_Type, false},  // CloudCompare's facets
    {"y", T::YLoc_Type, false},
    {"northing", T::YLoc_Type, false},
    {"centery", T::YLoc_Type, false},
    {"z", T::ZLoc_Type, false},
    {"elevation", T::ZLoc_Type, false},
    {"centerz", T::ZLoc_Type, false},
    {"depth", T::MD_Type, false},
    {"measureddepth", T::MD_Type, false},
    {"normalx", T::NX_Type, false},
    {"normaly", T::NY_Type, false},
    {"normalz", T::NZ_Type, false},
};

// Names of a column of structure names: the record's label.
constexpr const char* kStructureWords[] = {"featuretype", "feature",   "structure",
                                           "structuretype", "planetype", "linetype"};

bool isStructureWord(const std::string& normalisedWord) {
    return std::any_of(std::begin(kStructureWords), std::end(kStructureWords),
                       [&](const char* s) { return normalisedWord == s; });
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool lookUp(const std::string& w, int& type, bool& dipDirection) {
    if (w.empty()) return false;
    static const qzIEDataTypeOptions keywords;
    for (int t = T::Attr1_Type; t < keywords.getMaxNumDataTypes(); ++t) {
        std::string k;
        keywords.getDataTypeString(t, k);
        if (normalised(k) == w) {
            type = t;
            dipDirection = false;
            return true;
        }
    }
    for (const Word& k : kWords) {
        if (w == k.text) {
            type = k.type;
            dipDirection = k.dipDirection;
            return true;
        }
    }
    if (isStructureWord(w)) {
        type = T::Attr1_Type;
        dipDirection = false;
        return true;
    }
    return false;
}

bool endsWith(const std::string& s, const char* suffix) {
    const std::size_t n = std::strlen(suffix);
    return s.size() > n && s.compare(s.size() - n, n, suffix) == 0;
}

/// The header word without a StraboSpot prefix.
std::string bareWord(const std::string& word) {
    std::string w = normalised(word);
    for (const char* prefix : {"planarorientation", "linearorientation"}) {
        const std::size_t n = std::strlen(prefix);
        if (w.size() > n && w.compare(0, n, prefix) == 0) w.erase(0, n);
    }
    return w;
}

/// The rules that need the row as a whole (see readHeaderRow).
void decideColumns(HeaderRow& row) {
    const std::size_t n = row.types.size();
    auto first = [&](int type) {
        for (std::size_t i = 0; i < n; ++i) {
            if (row.types[i] == type) return int(i);
        }
        return -1;
    };
    auto drop = [&](std::size_t i) {
        row.types[i] = T::Null_Type;
        --row.understood;
    };
    std::vector<bool> dd(n, false);
    bool strike = false;
    for (std::size_t i = 0; i < n; ++i) {
        int type = 0;
        bool d = false;
        if (headerWordType(row.words[i], type, d)) dd[i] = d;
        strike = strike || (row.types[i] == T::Strike_Type && !dd[i]);
    }
    const int dip = first(T::Dip_Type), plunge = first(T::Plunge_Type);
    // "Azimuth": a line's trend beside a plunge (after the dip, if the
    // row has one, and before the plunge), else the dip direction.
    row.dipDirection = false;
    for (std::size_t i = 0; i < n; ++i) {
        if (!dd[i]) continue;
        const bool azimuth = bareWord(row.words[i]) == "azimuth";
        if (azimuth && plunge >= 0 && (dip < 0 || (int(i) > dip && int(i) < plunge))) {
            row.types[i] = T::Trend_Type;
        } else if (strike) {
            drop(i);  // the strike column says it already
        } else {
            row.dipDirection = true;
        }
    }
    // Normals: all three, and only where no strike or dip direction gives
    // the plane.
    const bool normals = first(T::NX_Type) >= 0 && first(T::NY_Type) >= 0 && first(T::NZ_Type) >= 0 &&
                         first(T::Strike_Type) < 0;
    for (std::size_t i = 0; i < n; ++i) {
        const int t = row.types[i];
        if ((t == T::NX_Type || t == T::NY_Type || t == T::NZ_Type) && !normals) drop(i);
    }
    // Structure names: the attribute columns after those named so.
    int nextAttr = T::Attr1_Type;
    for (std::size_t i = 0; i < n; ++i) {
        const int t = row.types[i];
        if (t >= T::Attr1_Type && t <= T::Attr4_Type && !isStructureWord(bareWord(row.words[i]))) {
            nextAttr = std::max(nextAttr, t + 1);
        }
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (row.types[i] != T::Attr1_Type || !isStructureWord(bareWord(row.words[i]))) continue;
        if (nextAttr > T::Attr4_Type) {
            drop(i);
        } else {
            row.types[i] = nextAttr++;
        }
    }
}

}  // namespace

bool headerWordType(const std::string& word, int& type, bool& dipDirection) {
    const std::string w = bareWord(word);
    if (lookUp(w, type, dipDirection)) return true;
    // A unit written into the name: "dip_deg", "strike_degrees".
    for (const char* unit : {"degrees", "degree", "deg"}) {
        if (endsWith(w, unit) && lookUp(w.substr(0, w.size() - std::strlen(unit)), type, dipDirection)) return true;
    }
    return false;
}

HeaderRow readHeaderRow(const std::string& line, unsigned int delim) {
    HeaderRow row;
    ieColumnOptions splitter;
    splitter.setColumnDelim(delim);
    splitter.setColumnOption(ieColumnOptions::Column_Option_Trim_Blanks);
    TokenList tokens(std::size_t(ieColumnOptions::Max_Num_Columns) + 1);
    const int n = FileParser(splitter).tokenize(line.c_str(), tokens);
    std::vector<std::string> words;
    for (int i = 0; i < n && std::size_t(i) < tokens.capacity(); ++i) words.push_back(tokens[std::size_t(i)].str());
    if (words.empty()) return row;

    // Blank-separated headers write some names in two words.
    if (delim & krtIEConstants::Space_Delim) {
        std::vector<std::string> joined;
        for (std::size_t i = 0; i < words.size(); ++i) {
            int t1 = 0, t2 = 0, tj = 0;
            bool d = false;
            if (i + 1 < words.size() && headerWordType(words[i] + words[i + 1], tj, d) &&
                (!headerWordType(words[i], t1, d) || !headerWordType(words[i + 1], t2, d))) {
                joined.push_back(words[i] + " " + words[i + 1]);
                ++i;
            } else {
                joined.push_back(words[i]);
            }
        }
        words.swap(joined);
    }

    bool anyLetters = false;
    for (const std::string& w : words) {
        for (const char c : w) anyLetters = anyLetters || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        double value = 0.0;
        // A number in any form ("-3.8e-01", ".5") or a field that begins
        // with a digit ("30SE") is data.
        if (!w.empty() && (isDigit(w[0]) || leadingDecimal(w, false, value) == w.size())) {
            row.numberField = true;
            ++row.numberFields;
        }
        if (!w.empty()) ++row.filledFields;
        int type = T::Null_Type;
        bool dd = false;
        if (headerWordType(w, type, dd)) {
            ++row.understood;
        } else {
            type = T::Null_Type;
        }
        row.types.push_back(type);
        row.words.push_back(w);
    }
    row.wordsOnly = anyLetters && !row.numberField;
    decideColumns(row);
    return row;
}

}  // namespace qzCore
