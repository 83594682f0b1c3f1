// Writing a dataset in the format an output file's extension (or --to)
// names.
#include <fstream>
#include <iostream>

#include "Common.h"

namespace qz {

using qzCore::FileFormat;
using qzCore::krtIEConstants;
using qzCore::qzIEColumnOptions;
using qzCore::qzIEDataTypeOptions;

namespace {

/// The format --to names, or ("auto") the output's extension; delimited
/// text for an extension no format has.
bool outFormatOf(const std::string& to, const std::string& name, FileFormat& f) {
    static const std::pair<const char*, FileFormat> names[] = {
        {"text", FileFormat::Text},           {"binary", FileFormat::Binary}, {"stereonet", FileFormat::Stereonet},
        {"faultkin", FileFormat::FaultKin}, {"brute", FileFormat::Brute}};
    if (to == "auto") {
        f = qzCore::formatOfExtension(name);
        if (f == FileFormat::Auto || f == FileFormat::Dxf) f = FileFormat::Text;
        return true;
    }
    for (const auto& n : names) {
        if (to == n.first) {
            f = n.second;
            return true;
        }
    }
    return false;
}

}  // namespace

int write(Loaded& l, unsigned char id, const std::string& name, const std::string& to) {
    FileFormat f = FileFormat::Text;
    if (!outFormatOf(to, name, f)) {
        std::cerr << "qz: unknown output format '" << to << "'\n";
        return 1;
    }
    qzIEColumnOptions options;
    options.setDefaultColumnOptions();
    switch (f) {
        case FileFormat::Binary: options.setIEOption(qzIEColumnOptions::IE_Binary_File); break;
        case FileFormat::Stereonet: options.setIEOption(qzIEColumnOptions::IE_Stereonet_File); break;
        case FileFormat::FaultKin: options.setIEOption(qzIEColumnOptions::IE_FaultKin_File); break;
        case FileFormat::Brute: options.setIEOption(qzIEColumnOptions::IE_Write_Brute_Listing); break;
        default:
            // Every value, with right-hand-rule angles written as numbers.
            options.setValueTextExport(extensionOf(name) == "csv" ? krtIEConstants::Comma_Delim
                                                                  : krtIEConstants::Tab_Delim);
            break;
    }
    const qzIEDataTypeOptions types;
    qzCore::qzIEDataTypeOrder order(types, options);
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    if (!out) {
        std::cerr << "qz: cannot write '" << name << "'\n";
        return 1;
    }
    const int r = l.manager.exportDataset(id, options, order, types, out);
    out.close();
    if (r != 1 || !out) {
        std::cerr << "qz: '" << name << "': " << messageOf(l, r == 1 ? qzCore::Error::File_Write_Error : r) << '\n';
        return 1;
    }
    // What the format holds of the records: a fault fills both Stereonet
    // blocks; FaultKin and the brute listing hold faults with a sense.
    const qzCore::Data& data = *l.manager.getDatasetFromID(id);
    int written = 0, left = 0;
    for (const qzCore::GeoData* g : data.getDataList()) {
        bool held = true;
        if (f == FileFormat::Stereonet) {
            held = qzCore::Emitter::inStereonetPlanes(g) || qzCore::Emitter::inStereonetLines(g);
        } else if (f == FileFormat::FaultKin || f == FileFormat::Brute) {
            held = qzCore::Emitter::inFaultKin(g);
        }
        held ? ++written : ++left;
    }
    std::cout << "qz: wrote " << written << " records to " << name;
    if (left > 0) std::cout << " (" << left << " that the format cannot hold left out)";
    std::cout << '\n';
    return 0;
}

}  // namespace qz
