// Error codes, their messages, and the report of rejected input lines.
//
// Every operation that can fail returns a negative code; 1 (or another
// positive value) is success.  The ErrorManager holds the message of each
// code and collects what reading a file found:
//  * a report text with one entry per rejected line,
//      <the line's text>\r\n%<Line N> <message>[: <detail>]\r\n
//    at most 50 entries, then one termination line; and the rejected lines
//    as data;
//  * the lines passed over without a report (blank, comment, title and
//    header lines), counted by what they were;
//  * remarks on lines that were loaded but not exactly as written (a sense
//    of slip that names no direction, say), as data.
// So every line of a file is loaded, rejected or counted as passed over.
#ifndef QZCORE_ERRORS_ERRORMANAGER_H
#define QZCORE_ERRORS_ERRORMANAGER_H

#include "qzCore/Export.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/shared/krtError.h"
#include "qzCore/shared/krtIEConstants.h"

namespace qzCore {

/// One rejected input line: its error code, line number and text.
class QZCORE_EXPORT ErrorReport {
public:
    /// Size of the line buffer; texts of up to Line_Buffer_Size - 1
    /// characters are held.
    static constexpr std::size_t Line_Buffer_Size = krtIEConstants::Max_Line_Length + 1;

    ErrorReport() = default;

    /// Sets all three fields (the text as SetLineBuffer does).
    void Init(int code, unsigned int line, const char* text);
    void SetErrorCode(int code) { m_code = code; }
    int GetErrorCode() const { return m_code; }
    void SetLineNumber(unsigned int line) { m_line = line; }
    unsigned int GetLineNumber() const { return m_line; }
    /// Copies the text when it is shorter than Line_Buffer_Size characters;
    /// a longer text (or null) leaves the buffer as it was.
    void SetLineBuffer(const char* text);
    const char* GetLineBuffer() const { return m_buffer.data(); }
    /// What exactly was wrong, beyond the code's message ("out of range
    /// (0 to 90)"); empty for none.
    void SetDetail(std::string detail) { m_detail = std::move(detail); }
    const std::string& GetDetail() const { return m_detail; }

private:
    int m_code = 1;
    unsigned int m_line = 0;
    std::array<char, Line_Buffer_Size> m_buffer{};
    std::string m_detail;
};

/// A rejected (or remarked) line as data, for hosts that list them
/// themselves.
struct QZCORE_EXPORT RejectedLine {
    unsigned int line = 0;  ///< line number in its file (records in a binary file)
    int code = 0;           ///< the error code (Error::...)
    std::string text;       ///< the line as read
    std::string detail;     ///< what exactly was wrong, or empty
};

/// Lines a reader passes over without a report, by what they were.
enum class SkippedLine { Blank, Comment, Title, Header };

/// How many lines of each kind were passed over.
struct QZCORE_EXPORT SkippedLines {
    unsigned long blank = 0;    ///< empty, blanks or delimiters only
    unsigned long comment = 0;  ///< first character other than a blank is '#'
    unsigned long title = 0;    ///< words above the header row
    unsigned long header = 0;   ///< the header row itself
    unsigned long total() const { return blank + comment + title + header; }
};

/// The message table and the report of rejected lines.
class QZCORE_EXPORT ErrorManager : public krtErrorTable<int> {
public:
    /// Rejected lines kept as data (the count goes on past them).
    static constexpr std::size_t Max_Kept_Rejected_Lines = 100000;

    /// Entries the report takes before it is closed with a termination line.
    static constexpr unsigned int Max_Reported_Errors = 50;
    /// Codes below this one are fatal: reading stops.  None of the
    /// table's own codes is.
    static constexpr int Fatal_Error_Limit = Lowest_Error_Code;

    ErrorManager();
    ~ErrorManager() override = default;

    /// Empties the report text and reserves room for it.
    void initializeErrorHandler();
    /// Empties the report, clears the errors-occurred flag and the count.
    void resetErrorHandler();
    /// Appends one entry to the report (see the file comment).
    void reportError(const ErrorReport& report);
    /// Counts a line passed over without a report.
    void countSkipped(SkippedLine kind);
    const SkippedLines& getSkippedLines() const { return m_skipped; }
    /// Keeps a remark on a line that was loaded (its code names what).
    void reportNote(const ErrorReport& report);
    /// The remarks, in order, the first Max_Kept_Rejected_Lines of them.
    const std::vector<RejectedLine>& getNotedLines() const { return m_noted; }
    unsigned long getNumNoted() const { return m_numNoted; }

    bool errorsOccurred() const { return m_errorsOccurred; }
    unsigned int getNumErrors() const { return m_numErrors; }
    /// Every line reported since the last reset, also those past the
    /// Max_Reported_Errors the report text lists.
    unsigned long getNumRejected() const { return m_numRejected; }
    const std::string& getErrorReportBuffer() const { return m_report; }
    /// The rejected lines as data, in order, the first
    /// Max_Kept_Rejected_Lines of them.
    const std::vector<RejectedLine>& getRejectedLines() const { return m_rejected; }

    /// True for codes below Fatal_Error_Limit; no registered code is fatal.
    bool isFatal(int code) const { return code < Fatal_Error_Limit; }
    /// Ends the process at once.
    virtual void fatal(int code);

    /// The message of `code` ("Unknown error" when none is registered).
    std::string getMessage(int code) const;

private:
    void registerMessages();

    std::string m_report;
    std::vector<RejectedLine> m_rejected;
    std::vector<RejectedLine> m_noted;
    SkippedLines m_skipped;
    unsigned long m_numNoted = 0;
    bool m_errorsOccurred = false;
    unsigned int m_numErrors = 0;
    unsigned long m_numRejected = 0;
};

}  // namespace qzCore

#endif  // QZCORE_ERRORS_ERRORMANAGER_H
