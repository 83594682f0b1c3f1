#include "qzCore/parsing/ColumnHeader.h"

#include <cstring>

#include "qzCore/parsing/IEOptions.h"
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

// Spellings of field sheets beside the library's own keywords.
constexpr Word kWords[] = {
    {"dipdirection", T::Strike_Type, true},
    {"dipdir", T::Strike_Type, true},
    {"dipazimuth", T::Strike_Type, true},
    {"dipaz", T::Strike_Type, true},
    {"azimuth", T::Strike_Type, true},
    {"strikerhr", T::Strike_Type, false},
    {"rhrstrike", T::Strike_Type, false},
    {"dipangle", T::Dip_Type, false},
    {"pitch", T::Rake_Type, false},
    {"bearing", T::Trend_Type, false},
    {"sense", T::Slip_Type, false},
    {"slipsense", T::Slip_Type, false},
    {"senseofslip", T::Slip_Type, false},
    {"movement", T::Slip_Type, false},
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
    {"y", T::YLoc_Type, false},
    {"northing", T::YLoc_Type, false},
    {"z", T::ZLoc_Type, false},
    {"elevation", T::ZLoc_Type, false},
    {"depth", T::MD_Type, false},
    {"measureddepth", T::MD_Type, false},
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool headerWordType(const std::string& word, int& type, bool& dipDirection) {
    const std::string w = normalised(word);
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

    bool anyLetters = false, digitField = false;
    std::vector<bool> azimuth(words.size(), false);
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        for (const char c : w) anyLetters = anyLetters || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (!w.empty() && isDigit(w[0])) digitField = true;
        int type = T::Null_Type;
        bool dd = false;
        if (headerWordType(w, type, dd)) {
            ++row.understood;
            azimuth[i] = normalised(w) == "azimuth";
        } else {
            type = T::Null_Type;
        }
        row.types.push_back(type);
        row.words.push_back(w);
        if (dd) row.dipDirection = true;
    }
    row.wordsOnly = anyLetters && !digitField;

    bool hasDip = false, hasPlunge = false, hasStrike = false;
    for (std::size_t i = 0; i < row.types.size(); ++i) {
        int type = 0;
        bool dd = false;
        headerWordType(row.words[i], type, dd);
        hasDip = hasDip || row.types[i] == T::Dip_Type;
        hasPlunge = hasPlunge || row.types[i] == T::Plunge_Type;
        hasStrike = hasStrike || (row.types[i] == T::Strike_Type && !dd);
    }
    // "Azimuth" beside a plunge and no dip is the trend of lines.
    row.dipDirection = false;
    for (std::size_t i = 0; i < row.types.size(); ++i) {
        int type = 0;
        bool dd = false;
        if (!headerWordType(row.words[i], type, dd) || !dd) continue;
        if (azimuth[i] && hasPlunge && !hasDip) {
            row.types[i] = T::Trend_Type;
        } else if (hasStrike) {
            // A strike column says it already; the dip directions beside it
            // are not read.
            row.types[i] = T::Null_Type;
            --row.understood;
        } else {
            row.dipDirection = true;
        }
    }
    return row;
}

}  // namespace qzCore
