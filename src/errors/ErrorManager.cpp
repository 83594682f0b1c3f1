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
    m_errorsOccurred = false;
    m_numErrors = 0;
    m_numRejected = 0;
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
            m_rejected.push_back({report.GetLineNumber(), report.GetErrorCode(), report.GetLineBuffer()});
        }
        if (m_numErrors < Max_Reported_Errors) {
            std::string entry = report.GetLineBuffer();
            std::array<char, 256> line{};
            std::snprintf(line.data(), line.size(), "\r\n%%<Line %u> %s\r\n", report.GetLineNumber(),
                          getMessage(report.GetErrorCode()).c_str());
            entry += line.data();
            m_report += entry;
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
