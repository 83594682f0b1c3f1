// Error codes, their messages, and the report of rejected input lines.
//
// Every operation that can fail returns a negative code; 1 (or another
// positive value) is success.  The ErrorManager holds the message of each
// code and collects a report text with one entry per rejected line:
//   <the line's text>\r\n%<Line N> <message>\r\n
// at most 50 entries, then one termination line.
#ifndef QZCORE_ERRORS_ERRORMANAGER_H
#define QZCORE_ERRORS_ERRORMANAGER_H

#include <array>
#include <string>
#include <vector>

#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/shared/krtError.h"
#include "qzCore/shared/krtIEConstants.h"

namespace qzCore {

/// One rejected input line: its error code, line number and text.
class ErrorReport {
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

private:
    int m_code = 1;
    unsigned int m_line = 0;
    std::array<char, Line_Buffer_Size> m_buffer{};
};

/// A rejected line as data, for hosts that list them themselves.
struct RejectedLine {
    unsigned int line = 0;  ///< line number in its file (records in a binary file)
    int code = 0;           ///< the error code (Error::...)
    std::string text;       ///< the line as read
};

/// The message table and the report of rejected lines.
class ErrorManager : public krtErrorTable<int> {
public:
    /// Rejected lines kept as data (the count goes on past them).
    static constexpr std::size_t Max_Kept_Rejected_Lines = 100000;

    /// Entries the report takes before it is closed with a termination line.
    static constexpr unsigned int Max_Reported_Errors = 50;
    /// Codes below this one are fatal: reading stops.
    static constexpr int Fatal_Error_Limit = -63;

    ErrorManager();
    ~ErrorManager() override = default;

    /// Empties the report text and reserves room for it.
    void initializeErrorHandler();
    /// Empties the report, clears the errors-occurred flag and the count.
    void resetErrorHandler();
    /// Appends one entry to the report (see the file comment).
    void reportError(const ErrorReport& report);

    bool errorsOccurred() const { return m_errorsOccurred; }
    unsigned int getNumErrors() const { return m_numErrors; }
    /// Every line reported since the last reset, also those past the
    /// Max_Reported_Errors the report text lists.
    unsigned long getNumRejected() const { return m_numRejected; }
    const std::string& getErrorReportBuffer() const { return m_report; }
    /// The rejected lines as data, in order, the first
    /// Max_Kept_Rejected_Lines of them.
    const std::vector<RejectedLine>& getRejectedLines() const { return m_rejected; }

    /// True for codes below -63; no registered code is fatal.
    bool isFatal(int code) const { return code < Fatal_Error_Limit; }
    /// Ends the process at once.
    virtual void fatal(int code);

    /// The message of `code` ("Unknown error" when none is registered).
    std::string getMessage(int code) const;

private:
    void registerMessages();

    std::string m_report;
    std::vector<RejectedLine> m_rejected;
    bool m_errorsOccurred = false;
    unsigned int m_numErrors = 0;
    unsigned long m_numRejected = 0;
};

}  // namespace qzCore

#endif  // QZCORE_ERRORS_ERRORMANAGER_H
