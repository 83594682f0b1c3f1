#include "qzCore/errors/ErrorManager.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <new>

namespace qzCore {

namespace {

struct CodeMessage {
    int code;
    const char* message;
};

// The message of every error code.  The first line names the operation,
// the rest (after a line feed) the detail.
constexpr CodeMessage kMessages[] = {
    {-1, "Error on input value\nInvalid dip value"},
    {-2, "Error on input value\nInvalid dip direction"},
    {-3, "Error on input value\nInvalid rake value"},
    {-4, "Error on input value\nInvalid rake direction"},
    {-5, "Error on input value\nInvalid strike value"},
    {-6, "Error on input value\nError interpreting input value"},
    {-7, "General file writing error"},
    {-8, "General file writing error\nUnhandled save error"},
    {-9, "General file reading error"},
    {-10, "General file reading error\nUnhandled read error"},
    {-11, "Internal error\nFailed to initialise fileparser"},
    {-12, "Error on input value\nMissing input value"},
    {-13, "Error on input value\nFailed to complete parsing input."},
    {-14, "Error interpreting input file"},
    {-15, "Internal error\nFailed to initialise Emitter"},
    {-16, "Internal error\nDataset creation failed"},
    {-17, "Error on input value\nError interpreting plunge value"},
    {-18, "Error on input value\nNull input line"},
    {-19, "Error on input value\nToo many input parameters"},
    {-20, "Error on input value\nError interpreting trend and/or plunge value"},
    {-21, "Error on input value\nNull input values"},
    {-22, "Internal error\nError generating plot"},
    {-23, "Error creating/opening dataset\nToo many open datasets"},
    {-24, "Internal error\nError applying rotation"},
    {-25, "Error creating new data attribute\nAttribute label too long"},
    {-26, "Error creating new data attribute\nToo many existing attributes"},
    {-27, "Error creating new data attribute\nZero length attribute label"},
    {-28, "Internal attribute error\nTable index out of range"},
    {-29, "Error creating new data attribute\nDuplicate attribute label"},
    {-30, "Error generating error report\nInternal buffer size exceeded"},
    {-31, "Error opening input file\nUnknown file format"},
    {-32, "Error analysing data\nNo data to analyse"},
    {-33, "Error analysing data\nToo many objects to analyse\nAngle between two objects only"},
    {-34, "Error analysing data\nObjects to analyse are not the same type"},
    {-35, "Error on input value\nCannot have rake value with trend & plunge"},
    {-36, "Internal error creating or using attribute\nInvalid attribute"},
    {-37, "Error creating dataset\nError inserting new data"},
    {-38, "Error on input value\nIncorrect data for type <fault>"},
    {-39, "Error on input value\nIncorrect data for type <line>"},
    {-40, "Error on input value\nIncorrect data for type <plane>"},
    {-41, "Error modifying data"},
    {-42, "Error on input value\nError interpreting trend value"},
    {-43, "Error on input value\nError interpreting slip direction"},
    {-44, "Error creating attribute group\nToo many attribute groups"},
    {-45, "Error creating attribute group\nZero length group name"},
    {-46, "Error creating attribute group\nDuplicate group name"},
    {-47, "Error with attribute group\nUnknown group name"},
    {-48, "Internal data manager error\nInvalid dataset id"},
    {-49, "Error limiting data by criteria\nNo data fit selection criteria"},
    {-50, "File created with early Quarzel Beta\nUse old version of Quarzel to open and resave as text"},
    {-51, "Error parsing location\nPlease use northing/easting location or equivalent"},
    {-52, "Error analysing data\nThese objects do not intersect"},
    {-53, "Error analysing data\nCannot compute intersection for lines"},
    {-54, "Error analysing data\nInternal analyser failure"},
    {-55, "Error creating UStage data\nAxes not perpendicular +- 5 degrees"},
    {-56, "Error with mineral definition\nCheck percentage, type, etc."},
    {-57, "Error on input value\nLine too long"},
    {-58, "Error on input value\nNUL character in line (UTF-16 text? Save it as UTF-8)"},
    {-59, "Error on input value\nError interpreting md value"},
    {-60, "Error importing FaultKin\nPlease verify that this is a valid FaultKin file"},
    {-61, "Error importing Stereonet\nPlease verify that this is a valid Stereonet file"},
    {-62, "General Internal Error...sorry!\nPlease save and exit program\nSend bug report please!"},
    {-63, "Error on input value\nComment longer than 255 characters"},
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
