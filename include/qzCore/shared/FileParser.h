// Line reading and splitting of delimited text files.
//
// Reading (grabLine):
//  * LF, CR LF and lone CR line ends (spreadsheets' "CSV (Macintosh)"
//    ends lines in CR alone);
//  * a UTF-8 byte-order mark at the start of the stream is skipped;
//  * a last line without a line end is read like any other;
//  * a line holds at most krtIEConstants::Max_Line_Length (1023) characters.
//    A longer line is consumed whole, its first 1023 characters are kept and
//    lineTooLong() is true until the next line is read; memory use does not
//    grow with the length of a line;
//  * a NUL byte is kept in the line (lineHasNul()); it never ends a line.
//
// Splitting (tokenize), the rules of tab- and comma-separated files:
//  * the delimiter characters are those of the column delimiter bits
//    (krtIEConstants::Tab_Delim, Comma_Delim, ...); several may be active;
//  * two delimiters in a row enclose an empty field, so columns keep their
//    places; a trailing delimiter gives a last, empty field;
//  * with the space delimiter, a run of blanks is one delimiter and blanks
//    at the start and end of the line are ignored (blank-aligned columns);
//  * a field that starts with a double quote runs to the closing quote and
//    may hold delimiters; two double quotes inside stand for one;
//  * with ieColumnOptions::Column_Option_Trim_Blanks, blanks around each
//    unquoted field are dropped (a quoted field keeps them);
//  * bytes above 127 are ordinary characters.
#ifndef QZCORE_SHARED_FILEPARSER_H
#define QZCORE_SHARED_FILEPARSER_H

#include "qzCore/Export.h"

#include <array>
#include <cstddef>
#include <iosfwd>
#include <string>

#include "qzCore/shared/Token.h"
#include "qzCore/shared/ieOptions.h"

namespace qzCore {

class QZCORE_EXPORT FileParser {
public:
    explicit FileParser(const ieColumnOptions& options);
    virtual ~FileParser() = default;
    FileParser(const FileParser&) = default;
    FileParser& operator=(const FileParser&) = default;

    /// Takes the delimiter and column options; forgets the line count.
    virtual void init(const ieColumnOptions& options);

    /// Reads the next line into the line buffer.  False at the end of input
    /// (nothing read).
    bool grabLine(std::istream& in);
    /// The text of the last line read (at most 255 characters).
    const char* getLineBuffer() const { return m_line.data(); }
    std::size_t getLineLength() const { return m_length; }
    /// True when the last line read was longer than the line buffer.
    bool lineTooLong() const { return m_tooLong; }
    /// True when the last line read holds a NUL byte (getLineBuffer then
    /// shows only the text before it).
    bool lineHasNul() const { return m_hasNul; }
    /// The last line read for a report: whole, a NUL shown as "\0".
    std::string lineForReport() const;
    /// Number of lines read since init, counting blank ones.
    unsigned int getLinesRead() const { return m_linesRead; }

    /// Splits `text` into `tokens` (reset first) by the rules above.  Fields
    /// beyond the capacity of the list are dropped.
    /// @return the number of fields in the text (0 for an empty text).
    int tokenize(const char* text, TokenList& tokens) const;
    /// grabLine, then tokenize the line.  False at the end of input.
    bool tokenizeLine(std::istream& in, TokenList& tokens);

    unsigned int getColumnDelim() const { return m_delim; }
    /// Whether `c` ends a field under the current delimiter options.
    bool endsField(char c) const { return delimiter(c); }

protected:
    bool isDelimiter(char c) const;

private:
    /// Finishes the `n` characters grabLine put in the buffer: a byte-order
    /// mark at the start of the file and a carriage return at the end go,
    /// the length is bounded, NUL bytes noted (looked for only when
    /// `mayHoldNul`: false when the caller saw none in the n characters).
    bool takeLine(std::size_t n, bool mayHoldNul = true);

private:
    /// isDelimiter from the table init builds.
    bool delimiter(char c) const { return m_delimiterByte[static_cast<unsigned char>(c)]; }

    unsigned int m_delim = krtIEConstants::Tab_Delim;
    bool m_trim = false;
    // Room for a full line plus a byte-order mark and a carriage return,
    // which grabLine takes off.
    static constexpr std::size_t Line_Room = krtIEConstants::Max_Line_Length + 5;
    std::array<char, Line_Room + 1> m_line{};
    // Which bytes end a field, from m_delim.
    std::array<bool, 256> m_delimiterByte{};
    std::size_t m_length = 0;
    bool m_tooLong = false;
    bool m_hasNul = false;
    unsigned int m_linesRead = 0;
};

}  // namespace qzCore

#endif  // QZCORE_SHARED_FILEPARSER_H
