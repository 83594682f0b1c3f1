// The blank-separated words of a line, as the formats written by other
// programs (Stereonet, FaultKin) lay out their rows.
#ifndef QZCORE_SRC_FILES_FORMATS_LINEWORDS_H
#define QZCORE_SRC_FILES_FORMATS_LINEWORDS_H

#include <string>
#include <vector>

namespace qzCore {
namespace detail {

inline std::vector<std::string> words(const char* line) {
    std::vector<std::string> out;
    const char* p = line;
    while (*p) {
        while (*p == ' ' || *p == '\t') ++p;
        if (!*p) break;
        const char* b = p;
        while (*p && *p != ' ' && *p != '\t') ++p;
        out.emplace_back(b, std::size_t(p - b));
    }
    return out;
}

inline std::string trimmed(const char* line) {
    const std::string s(line);
    const auto b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return std::string();
    const auto e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

}  // namespace detail
}  // namespace qzCore

#endif  // QZCORE_SRC_FILES_FORMATS_LINEWORDS_H
