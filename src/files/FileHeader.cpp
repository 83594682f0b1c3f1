#include "qzCore/files/FileHeader.h"

namespace qzCore {

const char* const FileHeader::Current_Tag = "Vimbrel_1.1";

FileHeader::Binary_File_Version FileHeader::getBinaryFileVersion() const {
    if (m_tag == "Torsel_1.1") return Torsel_1_1;
    if (m_tag == "Quarzel_2.0") return Quarzel_2_0;
    if (m_tag == "Quarzel_3.0") return Quarzel_3_0;
    if (m_tag == "Quarzel_3.1") return Quarzel_3_1;
    if (m_tag == "Vimbrel_1.0") return Vimbrel_1_0;
    if (m_tag == "Vimbrel_1.1") return Vimbrel_1_1;
    return Unknown_Version;
}

}  // namespace qzCore
