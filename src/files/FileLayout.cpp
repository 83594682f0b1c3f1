#include "qzCore/files/FileLayout.h"

#include <cstring>
#include <sstream>

#include "files/formats/FormatUnit.h"
#include "qzCore/parsing/ColumnHeader.h"
#include "qzCore/shared/ComplexFileName.h"

namespace qzCore {

namespace {

using Delim = krtIEConstants;
using T = qzIEDataTypeOptions;

std::string lowerAscii(std::string s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    }
    return s;
}

/// The lines of the start of a file: line ends (LF, CR LF or a lone CR)
/// and a UTF-8 byte-order mark removed, at most `limit` of them.
std::vector<std::string> firstLines(const std::string& content, std::size_t limit) {
    std::vector<std::string> out;
    std::size_t pos = 0;
    if (content.compare(0, 3, "\xEF\xBB\xBF") == 0) pos = 3;
    while (pos < content.size() && out.size() < limit) {
        std::size_t end = content.find_first_of("\r\n", pos);
        if (end == std::string::npos) end = content.size();
        out.push_back(content.substr(pos, end - pos));
        pos = end + 1;
        if (end + 1 < content.size() && content[end] == '\r' && content[end + 1] == '\n') ++pos;
    }
    return out;
}

bool isBlankLine(const std::string& line) { return line.find_first_not_of(" \t\v\f") == std::string::npos; }

bool isComment(const std::string& line) {
    const auto first = line.find_first_not_of(" \t");
    return first != std::string::npos && line[first] == '#';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

/// How a line splits by one delimiter character, outside double quotes.
struct Split {
    int count = 0;              // delimiters outside quotes
    bool commasBetweenDigits = true;
    int fields = 0;             // for blanks: fields after joining runs
};

Split split(const std::string& line, char delim) {
    Split s;
    bool quoted = false;
    bool inField = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') quoted = !quoted;
        if (quoted) {
            inField = true;
            continue;
        }
        if (c == ',' && !(i > 0 && isDigit(line[i - 1]) && i + 1 < line.size() && isDigit(line[i + 1]))) {
            s.commasBetweenDigits = false;
        }
        if (c == delim) {
            ++s.count;
            inField = false;
        } else if (!inField && c != ' ' && c != '\t') {
            inField = true;
            ++s.fields;
        }
    }
    return s;
}

unsigned int guessDelimiter(const std::string& name, const std::vector<std::string>& sample, bool& decimalComma) {
    decimalComma = false;
    bool tab = !sample.empty(), semicolon = tab, comma = tab, blank = tab, commasDecimal = true, anyComma = false;
    for (const std::string& line : sample) {
        tab = tab && split(line, '\t').count > 0;
        const Split sc = split(line, ';');
        semicolon = semicolon && sc.count > 0;
        const Split cm = split(line, ',');
        comma = comma && cm.count > 0;
        anyComma = anyComma || cm.count > 0;
        commasDecimal = commasDecimal && cm.commasBetweenDigits;
        blank = blank && split(line, ' ').fields >= 2;
    }
    if (tab) return Delim::Tab_Delim;
    if (semicolon && (!comma || commasDecimal)) {
        decimalComma = anyComma && commasDecimal;
        return Delim::Semi_Colon_Delim;
    }
    if (comma) return Delim::Comma_Delim;
    if (semicolon) return Delim::Semi_Colon_Delim;
    if (blank) return Delim::Space_Delim;
    return lowerAscii(ComplexFileName(name).getExtension()) == "csv" ? Delim::Comma_Delim : Delim::Tab_Delim;
}

const char* typeName(int type) {
    static const qzIEDataTypeOptions keywords;
    static std::string names[T::Num_Data_Types];
    if (type <= T::Null_Type || type >= T::Num_Data_Types) return "-";
    if (names[type].empty()) keywords.getDataTypeString(type, names[type]);
    return names[type].c_str();
}

}  // namespace

const char* FileLayout::formatName(FileFormat f) {
    return f == FileFormat::Auto ? "unknown" : detail::formatUnit(f).displayName;
}

const char* FileLayout::delimiterName(unsigned int d) {
    switch (d) {
        case Delim::Comma_Delim: return "comma";
        case Delim::Space_Delim: return "space";
        case Delim::Semi_Colon_Delim: return "semicolon";
        case Delim::Colon_Delim: return "colon";
        case Delim::Tab_Delim: return "tab";
        default: return "mixed";
    }
}

std::string FileLayout::columnsText() const {
    std::vector<int> shown = columns;
    if (shown.empty()) {
        shown = {T::Strike_Type, T::Dip_Type, T::Rake_Type, T::Trend_Type, T::Plunge_Type, T::Well_Type, T::Attr1_Type};
    }
    std::string out;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (i) out += ", ";
        out += typeName(shown[i]);
        if (shown[i] == T::Strike_Type && dipDirection) out += " (dip direction)";
    }
    return out;
}

void FileLayout::applyTo(qzIEColumnOptions& options) const {
    using O = qzIEColumnOptions;
    const detail::FormatUnit& unit = detail::formatUnit(format);
    if (unit.readOptions) {
        unit.readOptions(options);
    } else {
        options.setColumnDelim(delimiter);
        if (columns.empty()) {
            options.setDefaultColumnChoices();
        } else {
            options.resetColumnChoices();
            for (std::size_t i = 0; i < columns.size() && int(i) < O::Max_Num_Columns; ++i) {
                options.setColumnChoice(int(i), columns[i]);
            }
        }
        if (headerRow) {
            options.setColumnOption(ieColumnOptions::Column_Option_Header_Row);
            options.setTitleRows(titleRows);
        }
        if (decimalComma) options.setColumnOption(ieColumnOptions::Column_Option_Decimal_Comma);
    }
    if (dipDirection) options.setIEOption(O::IE_Strike_Is_Dip_Direction);
}

bool decodeUtf16(std::string& content) {
    const auto byte = [&content](std::size_t i) { return static_cast<unsigned char>(content[i]); };
    if (content.size() < 2) return false;
    bool little = false;
    std::size_t start = 0;
    if (byte(0) == 0xFF && byte(1) == 0xFE) {
        little = true;
        start = 2;
    } else if (byte(0) == 0xFE && byte(1) == 0xFF) {
        start = 2;
    } else if (content.size() >= 4 && byte(0) != 0 && byte(1) == 0 && byte(2) != 0 && byte(3) == 0) {
        little = true;
    } else if (content.size() >= 4 && byte(0) == 0 && byte(1) != 0 && byte(2) == 0 && byte(3) != 0) {
        little = false;
    } else {
        return false;
    }
    std::string out;
    out.reserve(content.size() / 2);
    auto unit = [&](std::size_t i) -> unsigned {
        return little ? unsigned(byte(i)) | (unsigned(byte(i + 1)) << 8) : (unsigned(byte(i)) << 8) | byte(i + 1);
    };
    auto put = [&out](unsigned c) {
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    };
    constexpr unsigned Replacement = 0xFFFD;
    std::size_t i = start;
    for (; i + 1 < content.size(); i += 2) {
        const unsigned u = unit(i);
        if (u >= 0xD800 && u < 0xDC00) {
            if (i + 3 < content.size()) {
                const unsigned low = unit(i + 2);
                if (low >= 0xDC00 && low < 0xE000) {
                    put(0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                    i += 2;
                    continue;
                }
            }
            put(Replacement);
        } else if (u >= 0xDC00 && u < 0xE000) {
            put(Replacement);
        } else {
            put(u);
        }
    }
    if (i < content.size()) put(Replacement);  // an odd last byte
    content.swap(out);
    return true;
}

const FileFormatInfo* fileFormatNamed(const std::string& name) {
    for (const FileFormatInfo& f : fileFormats()) {
        if (name == f.name) return &f;
    }
    return nullptr;
}

std::vector<std::string> fileFormatNames(bool writing) {
    std::vector<std::string> names;
    for (const FileFormatInfo& f : fileFormats()) {
        if (writing ? f.writable : f.readable) names.emplace_back(f.name);
    }
    return names;
}

FileFormat formatOfExtension(const std::string& name) {
    const std::string ext = lowerAscii(ComplexFileName(name).getExtension());
    for (const FileFormatInfo& f : fileFormats()) {
        for (const char* e : f.extensions) {
            if (ext == e) return f.format;
        }
    }
    return FileFormat::Auto;
}

FileFormat guessFileFormat(const std::string& name, const std::string& content) {
    const FileFormat byName = formatOfExtension(name);
    if (byName != FileFormat::Auto && byName != FileFormat::Text) return byName;
    const std::vector<std::string> lines = firstLines(content, 1);
    const std::string first = lines.empty() ? std::string() : lines.front();
    for (const detail::FormatUnit* u : detail::formatUnits()) {
        if (u->recognise && u->recognise(content, first)) return u->info.format;
    }
    return FileFormat::Text;
}

namespace {

/// The header row among the first lines (blank and comment lines left
/// out): the row of words that names known columns, with at most
/// Max_Title_Rows rows of words above it (a spreadsheet's titles) and no
/// row of data.  When several rows of words name columns, the one that
/// names most and leaves fewest unnamed: a title that happens to hold
/// "strike" and "dip" among other words loses to the header below it.
/// Each row is split by the delimiter of the rows below it, the data's
/// own.  -1 when no row names a column.
int headerIndex(const std::string& name, const std::vector<std::string>& lines, unsigned int givenDelimiter) {
    int best = -1, bestScore = 0;
    for (std::size_t k = 0; k < lines.size() && k <= std::size_t(Max_Title_Rows); ++k) {
        const std::vector<std::string> below(lines.begin() + std::ptrdiff_t(k + 1 < lines.size() ? k + 1 : k),
                                             lines.end());
        bool comma = false;
        const unsigned int delim = givenDelimiter ? givenDelimiter : guessDelimiter(name, below, comma);
        const HeaderRow row = readHeaderRow(lines[k], delim);
        // A row of data (as many numbers as words, or more): the header, if
        // any, is above it.  A title may hold a number ("Outcrop 5").
        if (row.numberField && 2 * row.numberFields >= row.filledFields) break;
        const int score = 2 * row.understood - int(row.types.size());
        if (row.understood > 0 && !row.numberField && (best < 0 || score > bestScore)) {
            best = int(k);
            bestScore = score;
        }
    }
    return best;
}

}  // namespace

FileLayout guessFileLayout(const std::string& name, const std::string& content, const LayoutChoices& given) {
    FileLayout layout;
    layout.format = given.format == FileFormat::Auto ? guessFileFormat(name, content) : given.format;
    layout.dipDirection = given.dipDirection;
    if (layout.format != FileFormat::Text) return layout;

    // The lines that take part: not blank, not comments.  A comment line
    // of column keywords before the first data line may be the header.
    std::vector<std::string> sample;
    std::string hashHeader;
    for (const std::string& line : firstLines(content, 1000)) {
        if (isBlankLine(line)) continue;
        if (isComment(line)) {
            if (sample.empty() && hashHeader.empty()) hashHeader = line;
            continue;
        }
        sample.push_back(line);
        if (int(sample.size()) >= Sample_Lines + Max_Title_Rows) break;
    }
    // Title rows above the header are passed over, and the delimiter is
    // the data's.
    const int found = headerIndex(name, sample, given.delimiter);
    if (found > 0) {
        layout.titleRows = found;
        sample.erase(sample.begin(), sample.begin() + found);
    }
    if (sample.size() > std::size_t(Sample_Lines)) sample.resize(std::size_t(Sample_Lines));
    layout.delimiter = given.delimiter ? given.delimiter : guessDelimiter(name, sample, layout.decimalComma);

    HeaderRow header;
    if (!sample.empty()) header = readHeaderRow(sample.front(), layout.delimiter);
    if (!header.wordsOnly && !hashHeader.empty()) {
        HeaderRow hashed = readHeaderRow(hashHeader.substr(hashHeader.find('#')), layout.delimiter);
        // numpy's savetxt writes "# dipdir dip" above rows of two numbers:
        // there the '#' is the comment sign, not the text writer's row
        // number column ("#\tType\tStrike..." above rows that hold one).
        if (hashed.types.size() > 1 && hashed.words.front() == "#" && header.types.size() + 1 == hashed.types.size()) {
            hashed.types.erase(hashed.types.begin());
            hashed.words.erase(hashed.words.begin());
            --hashed.understood;
        }
        if (hashed.allUnderstood() && hashed.types.size() > 1) header = hashed;
    }
    const bool isHeader = !header.numberField && (header.wordsOnly || header.allUnderstood());
    if (!isHeader) layout.titleRows = 0;
    if (!given.columns.empty()) {
        layout.columns = given.columns;
        layout.headerRow = isHeader;
        return layout;
    }
    layout.columnsGuessed = true;
    if (!isHeader) return layout;
    layout.headerRow = true;
    if (header.understood == 0) return layout;  // words, but none that names a column
    layout.columns = header.types;
    layout.dipDirection = layout.dipDirection || header.dipDirection;
    for (std::size_t i = 0; i < header.types.size(); ++i) {
        if (header.types[i] == T::Null_Type && !header.words[i].empty()) layout.ignoredWords.push_back(header.words[i]);
    }
    return layout;
}

}  // namespace qzCore
