#include "qzCore/shared/FileParser.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <istream>
#include <limits>
#include <typeinfo>

#include "shared/TextView.h"

namespace qzCore {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r'; }

}  // namespace

FileParser::FileParser(const ieColumnOptions& options) { init(options); }

void FileParser::init(const ieColumnOptions& options) {
    m_delim = options.getColumnDelim();
    m_delimiterByte.fill(false);
    for (int b = 0; b < 256; ++b) m_delimiterByte[std::size_t(b)] = isDelimiter(char(b));
    m_trim = options.getColumnOption(ieColumnOptions::Column_Option_Trim_Blanks);
    m_line.fill('\0');
    m_length = 0;
    m_tooLong = false;
    m_hasNul = false;
    m_linesRead = 0;
}

bool FileParser::isDelimiter(char c) const {
    using Delim = krtIEConstants;
    return ((m_delim & Delim::Tab_Delim) && c == Delim::Tab_Delim_Char) ||
           ((m_delim & Delim::Comma_Delim) && c == Delim::Comma_Delim_Char) ||
           ((m_delim & Delim::Space_Delim) && c == Delim::Space_Delim_Char) ||
           ((m_delim & Delim::Semi_Colon_Delim) && c == Delim::Semi_Colon_Delim_Char) ||
           ((m_delim & Delim::Colon_Delim) && c == Delim::Colon_Delim_Char) ||
           ((m_delim & Delim::Period_Delim) && c == Delim::Period_Delim_Char);
}

bool FileParser::grabLine(std::istream& in) {
    m_tooLong = false;
    m_hasNul = false;
    m_length = 0;
    m_line[0] = '\0';
    if (!in.good()) return false;
    char* const raw = m_line.data();
    const std::size_t store = m_line.size() - 1;
    std::size_t n = 0;
    std::streambuf* buffer = in.rdbuf();
    if (buffer && typeid(*buffer) == typeid(TextView)) {
        TextView* view = static_cast<TextView*>(buffer);
        // Text in memory: the line found and copied at once.
        const char* p = view->next();
        const std::size_t left = static_cast<std::size_t>(view->end() - p);
        if (left == 0) {
            in.setstate(std::ios::eofbit | std::ios::failbit);
            return false;
        }
        // Rows are a few dozen characters: a plain scan beats a library
        // call set up for long buffers.  NUL bytes are looked for on the
        // way: a line without one (all but a broken or UTF-16 file) need
        // not be read again for them.  A line ends at LF, CR LF or a lone
        // CR (spreadsheets' "CSV (Macintosh)").
        const char* const limit = p + std::min(left, store + 1);
        const char* end = p;
        bool nul = false;
        for (; end != limit; ++end) {
            const char c = *end;
            if (c == '\n' || c == '\r') break;
            nul |= c == '\0';
        }
        // The line end found beyond the part kept, when the line is too long.
        const char* lineEnd = end;
        if (end == limit && left > store) {
            m_tooLong = true;
            n = store;
            lineEnd = p + store;
            const char* const all = p + left;
            while (lineEnd != all && *lineEnd != '\n' && *lineEnd != '\r') ++lineEnd;
        } else {
            n = static_cast<std::size_t>(end - p);
        }
        std::memcpy(raw, p, n);
        std::size_t taken = static_cast<std::size_t>(lineEnd - p);
        if (taken < left) {
            // CR LF is one line end.
            taken += (p[taken] == '\r' && taken + 1 < left && p[taken + 1] == '\n') ? 2 : 1;
            view->skip(taken);
        } else {
            view->skip(taken);
            in.setstate(std::ios::eofbit);
        }
        // The characters copied are those the scan above has seen.
        return takeLine(n, nul);
    }
    // Any other stream, character by character, with the same line ends.
    if (!buffer) return false;
    bool any = false;
    for (;;) {
        const int c = buffer->sbumpc();
        if (c == std::char_traits<char>::eof()) {
            in.setstate(std::ios::eofbit);
            if (!any) {
                in.setstate(std::ios::failbit);
                return false;
            }
            break;
        }
        any = true;
        if (c == '\n') break;
        if (c == '\r') {
            if (buffer->sgetc() == '\n') buffer->sbumpc();
            break;
        }
        if (n < store) {
            raw[n++] = static_cast<char>(c);
        } else {
            m_tooLong = true;  // the rest of the line is dropped
        }
    }
    return takeLine(n);
}

bool FileParser::takeLine(std::size_t n, bool mayHoldNul) {
    char* const raw = m_line.data();
    const char* start = raw;
    if (m_linesRead == 0 && n >= 3 && static_cast<unsigned char>(start[0]) == 0xEF &&
        static_cast<unsigned char>(start[1]) == 0xBB && static_cast<unsigned char>(start[2]) == 0xBF) {
        start += 3;
        n -= 3;
    }
    if (n > krtIEConstants::Max_Line_Length) {
        m_tooLong = true;
        n = krtIEConstants::Max_Line_Length;
    }
    if (start != raw) std::memmove(raw, start, n);
    m_line[n] = '\0';
    m_length = n;
    bool nul = false;
    if (mayHoldNul) {
        for (std::size_t i = 0; i < n; ++i) nul |= m_line[i] == '\0';
    }
    m_hasNul = nul;
    ++m_linesRead;
    return true;
}

std::string FileParser::lineForReport() const {
    std::string out;
    out.reserve(m_length);
    for (std::size_t i = 0; i < m_length; ++i) {
        if (m_line[i] == '\0') {
            out += "\\0";
        } else {
            out += m_line[i];
        }
    }
    return out;
}

int FileParser::tokenize(const char* text, TokenList& tokens) const {
    tokens.reset();
    if (!text || !*text) return 0;
    const bool spaceDelim = (m_delim & krtIEConstants::Space_Delim) != 0;
    const char* p = text;
    if (spaceDelim) {
        while (*p == ' ') ++p;
        if (!*p) return 0;
    }
    int count = 0;
    std::string field;  // a quoted field, its doubled quotes made single
    for (;;) {
        const char* q = p;
        while (isBlank(*q) && !delimiter(*q)) ++q;
        const bool quoted = *q == krtIEConstants::Quote_Char;
        if (quoted) {
            field.clear();
            ++q;
            for (;;) {
                if (!*q) break;
                if (*q == krtIEConstants::Quote_Char) {
                    if (q[1] == krtIEConstants::Quote_Char) {
                        field += krtIEConstants::Quote_Char;
                        q += 2;
                        continue;
                    }
                    ++q;
                    break;
                }
                field += *q++;
            }
            while (*q && !delimiter(*q)) field += *q++;
            tokens.set(static_cast<std::size_t>(count), field);
        } else {
            // Blanks inside quotes are the field's own: only an unquoted
            // field is trimmed.
            q = p;
            while (*q && !delimiter(*q)) ++q;
            const char* b = p;
            const char* e = q;
            if (m_trim) {
                while (b < e && isBlank(*b)) ++b;
                while (e > b && isBlank(e[-1])) --e;
            }
            tokens.set(static_cast<std::size_t>(count), b, std::size_t(e - b));
        }
        ++count;
        if (!*q) break;
        // q is on a delimiter.
        ++q;
        if (spaceDelim) {
            while (*q == ' ') ++q;
            if (!*q) break;  // blanks at the end of the line
        }
        p = q;
    }
    return count;
}

bool FileParser::tokenizeLine(std::istream& in, TokenList& tokens) {
    if (!grabLine(in)) {
        tokens.reset();
        return false;
    }
    tokenize(getLineBuffer(), tokens);
    return true;
}

}  // namespace qzCore
