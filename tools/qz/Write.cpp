// Writing a dataset in the format an output file's extension (or --to)
// names.
#include <fstream>
#include <iostream>

#include "Common.h"

namespace qz {

using qzCore::FileFormat;

namespace {

/// The format --to names, or ("auto") the output's extension; delimited
/// text for an extension no format has.
bool outFormatOf(const std::string& to, const std::string& name, FileFormat& f) {
    if (to == "auto") {
        f = qzCore::formatOfExtension(name);
        const qzCore::FileFormatInfo* info = nullptr;
        for (const qzCore::FileFormatInfo& i : qzCore::fileFormats()) info = i.format == f ? &i : info;
        if (!info || !info->writable) f = FileFormat::Text;
        return true;
    }
    const qzCore::FileFormatInfo* info = qzCore::fileFormatNamed(to);
    if (!info || !info->writable) return false;
    f = info->format;
    return true;
}

}  // namespace

int write(Loaded& l, unsigned char id, const std::string& name, const std::string& to) {
    FileFormat f = FileFormat::Text;
    if (!outFormatOf(to, name, f)) {
        std::cerr << "qz: unknown output format '" << to << "'\n";
        return 1;
    }
    const qzCore::WriteOutcome w = qzCore::writeDatasetFile(l.manager, id, name, f);
    if (w.code == qzCore::Error::File_Write_Error) {
        std::cerr << "qz: cannot write '" << name << "'\n";
        return 1;
    }
    if (w.code != 1) {
        std::cerr << "qz: '" << name << "': " << messageOf(l, w.code) << '\n';
        return 1;
    }
    std::cout << "qz: wrote " << w.written << " records to " << name;
    if (w.leftOut > 0) std::cout << " (" << w.leftOut << " that the format cannot hold left out)";
    std::cout << '\n';
    return 0;
}

}  // namespace qz
