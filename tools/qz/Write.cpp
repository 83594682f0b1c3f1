// Writing a dataset in the format an output file's extension (or --to)
// names.
#include <fstream>
#include <iostream>

#include "Common.h"

namespace qz {

using qzCore::krtIEConstants;
using qzCore::qzIEColumnOptions;
using qzCore::qzIEDataTypeOptions;

namespace {

enum class OutFormat { Text, Binary, Stereonet, FaultKin, Brute };

bool outFormatOf(const std::string& to, const std::string& name, OutFormat& f) {
    std::string key = to;
    if (key == "auto") {
        const std::string ext = extensionOf(name);
        if (ext == "gdf" || ext == "oaf") key = "binary";
        else if (ext == "net" || ext == "stereonet") key = "stereonet";
        else if (ext == "fkn" || ext == "fk" || ext == "faultkin") key = "faultkin";
        else if (ext == "brute" || ext == "lst") key = "brute";
        else key = "text";
    }
    if (key == "text") f = OutFormat::Text;
    else if (key == "binary") f = OutFormat::Binary;
    else if (key == "stereonet") f = OutFormat::Stereonet;
    else if (key == "faultkin") f = OutFormat::FaultKin;
    else if (key == "brute") f = OutFormat::Brute;
    else return false;
    return true;
}

}  // namespace

int write(Loaded& l, unsigned char id, const std::string& name, const std::string& to) {
    OutFormat f = OutFormat::Text;
    if (!outFormatOf(to, name, f)) {
        std::cerr << "qz: unknown output format '" << to << "'\n";
        return 1;
    }
    qzIEColumnOptions options;
    options.setDefaultColumnOptions();
    switch (f) {
        case OutFormat::Binary: options.setIEOption(qzIEColumnOptions::IE_Binary_File); break;
        case OutFormat::Stereonet: options.setIEOption(qzIEColumnOptions::IE_Stereonet_File); break;
        case OutFormat::FaultKin: options.setIEOption(qzIEColumnOptions::IE_FaultKin_File); break;
        case OutFormat::Brute: options.setIEOption(qzIEColumnOptions::IE_Option_0x1000000); break;
        case OutFormat::Text:
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
        std::cerr << "qz: '" << name << "': " << messageOf(l, r == 1 ? -7 : r) << '\n';
        return 1;
    }
    // What the format holds of the records: a fault fills both Stereonet
    // blocks; FaultKin and the brute listing hold faults with a sense.
    const qzCore::Data& data = *l.manager.getDatasetFromID(id);
    int written = 0, left = 0;
    for (const qzCore::GeoData* g : data.getDataList()) {
        bool held = true;
        if (f == OutFormat::Stereonet) {
            held = qzCore::Emitter::inStereonetPlanes(g) || qzCore::Emitter::inStereonetLines(g);
        } else if (f == OutFormat::FaultKin || f == OutFormat::Brute) {
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
