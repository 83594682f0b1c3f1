// The version tag at the start of a binary dataset file.
#ifndef QZCORE_FILES_FILEHEADER_H
#define QZCORE_FILES_FILEHEADER_H

#include "qzCore/Export.h"

#include <string>

namespace qzCore {

class QZCORE_EXPORT FileHeader {
public:
    enum Binary_File_Version : int {
        Torsel_1_1 = 0,
        Quarzel_2_0 = 1,
        Quarzel_3_0 = 2,
        Quarzel_3_1 = 3,
        Vimbrel_1_0 = 4,
        Vimbrel_1_1 = 5,
        Unknown_Version = 6
    };

    /// The tag of the newest version, which the writer uses.
    static const char* const Current_Tag;

    FileHeader() : m_tag(Current_Tag) {}
    explicit FileHeader(const std::string& tag) : m_tag(tag) {}

    const std::string& getTag() const { return m_tag; }
    void setTag(const std::string& tag) { m_tag = tag; }
    /// The version the tag names; Unknown_Version for anything else.
    Binary_File_Version getBinaryFileVersion() const;

private:
    std::string m_tag;
};

}  // namespace qzCore

#endif  // QZCORE_FILES_FILEHEADER_H
