#include "qzCore/errors/ErrorManager.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <new>

#include "qzCore/errors/ErrorCodes.h"

namespace qzCore {

namespace {

struct CodeMessage {
    int code;
    const char* message;
};

// The message of every error code, from the one table of codes.
constexpr CodeMessage kMessages[] = {
#define QZCORE_ERROR_MESSAGE(name, code, text) {code, text},
    QZCORE_ERROR_CODES(QZCORE_ERROR_MESSAGE)
#undef QZCORE_ERROR_MESSAGE
};

}  // namespace

void ErrorReport::Init(int code, unsigned int line, const char* text) {
    m_code = code;
    m_line = line;
    SetLineBuffer(text);
}

void ErrorReport::SetLineBuffer(const char* text) {
    if (!text) return;
    const std::size_t n = ::strnlen(text, Line_Buffer_Size);
    if (n >= Line_Buffer_Size) return;
    std::memcpy(m_buffer.data(), text, n + 1);
}

ErrorManager::ErrorManager() : krtErrorTable<int>(0, std::cerr) {
    registerMessages();
    resetErrorHandler();
}

void ErrorManager::registerMessages() {
    for (const CodeMessage& m : kMessages) registerError(m.code, m.message, true);
}

void ErrorManager::initializeErrorHandler() {
    try {
        m_report.clear();
        m_report.reserve(1024);
    } catch (const std::bad_alloc&) {
        notify("Error Manager Initialization Failed",
               "An internal error occurred initializing the error manager.");
    }
}

void ErrorManager::resetErrorHandler() {
    m_report.clear();
    m_rejected.clear();
    m_noted.clear();
    m_skipped = SkippedLines();
    m_errorsOccurred = false;
    m_numErrors = 0;
    m_numRejected = 0;
    m_numNoted = 0;
}

void ErrorManager::countSkipped(SkippedLine kind) {
    switch (kind) {
        case SkippedLine::Blank: ++m_skipped.blank; break;
        case SkippedLine::Comment: ++m_skipped.comment; break;
        case SkippedLine::Title: ++m_skipped.title; break;
        case SkippedLine::Header: ++m_skipped.header; break;
    }
}

void ErrorManager::reportNote(const ErrorReport& report) {
    ++m_numNoted;
    try {
        if (m_noted.size() < Max_Kept_Rejected_Lines) {
            m_noted.push_back({report.GetLineNumber(), report.GetErrorCode(), report.GetLineBuffer(), report.GetDetail()});
        }
    } catch (const std::bad_alloc&) {
        notify("Unable to Keep a Remark", "Warning : Allocation error");
    }
}

std::string ErrorManager::getMessage(int code) const {
    std::string message;
    if (!retrieveMessage(code, message, true)) message = "Unknown error";
    return message;
}

void ErrorManager::reportError(const ErrorReport& report) {
    ++m_numRejected;
    m_errorsOccurred = true;
    try {
        if (m_rejected.size() < Max_Kept_Rejected_Lines) {
            m_rejected.push_back(
                {report.GetLineNumber(), report.GetErrorCode(), report.GetLineBuffer(), report.GetDetail()});
        }
        if (m_numErrors < Max_Reported_Errors) {
            std::array<char, 32> line{};
            std::snprintf(line.data(), line.size(), "\r\n%%<Line %u> ", report.GetLineNumber());
            m_report += report.GetLineBuffer();
            m_report += line.data();
            m_report += getMessage(report.GetErrorCode());
            if (!report.GetDetail().empty()) m_report += ": " + report.GetDetail();
            m_report += "\r\n";
            m_errorsOccurred = true;
            ++m_numErrors;
        } else if (m_numErrors == Max_Reported_Errors) {
            m_report += "\n%<Too many Errors> Error report generation terminated";
            m_numErrors = Max_Reported_Errors + 1;
        }
    } catch (const std::bad_alloc&) {
        notify("Unable to Generate Error Report", "Warning : Allocation error");
    }
}

void ErrorManager::fatal(int) { std::abort(); }

}  // namespace qzCore
