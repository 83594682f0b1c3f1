#include "qzCore/shared/ComplexFileName.h"

namespace qzCore {

std::string ComplexFileName::getFileName() const {
    const auto slash = m_name.find_last_of(Separator);
    return slash == std::string::npos ? m_name : m_name.substr(slash + 1);
}

std::string ComplexFileName::getDirectory() const {
    const auto slash = m_name.find_last_of(Separator);
    return slash == std::string::npos ? std::string() : m_name.substr(0, slash + 1);
}

std::string ComplexFileName::getShortName() const {
    const std::string file = getFileName();
    const auto dot = file.find_last_of('.');
    if (dot == std::string::npos || dot == 0) return file;
    return file.substr(0, dot);
}

std::string ComplexFileName::getExtension() const {
    const std::string file = getFileName();
    const auto dot = file.find_last_of('.');
    if (dot == std::string::npos || dot == 0) return std::string();
    return file.substr(dot + 1);
}

}  // namespace qzCore
