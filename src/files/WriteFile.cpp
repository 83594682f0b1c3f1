#include "qzCore/files/WriteFile.h"

#include <algorithm>
#include <cctype>
#include <fstream>

#include "qzCore/datasets/DataManager.h"
#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/files/Emitter.h"
#include "qzCore/parsing/IEOptions.h"
#include "files/formats/FormatUnit.h"

namespace qzCore {

void exportOptionsFor(FileFormat format, const std::string& name, qzIEColumnOptions& options) {
    const detail::FormatUnit& unit = detail::formatUnit(format);
    if (unit.optionBit) {
        options.setIEOption(unit.optionBit);
        return;
    }
    std::string ext = name.size() > 4 ? name.substr(name.size() - 4) : std::string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    options.setValueTextExport(ext == ".csv" ? krtIEConstants::Comma_Delim : krtIEConstants::Tab_Delim);
}

WriteOutcome writeDatasetFile(DataManager& manager, unsigned char id, const std::string& name, FileFormat format) {
    WriteOutcome out;
    if (format == FileFormat::Auto) format = formatOfExtension(name);
    if (format == FileFormat::Auto || format == FileFormat::Dxf) format = FileFormat::Text;
    out.format = format;
    qzIEColumnOptions options;
    options.setDefaultColumnOptions();
    exportOptionsFor(format, name, options);
    const detail::FormatUnit& unit = detail::formatUnit(format);
    const Data* data = manager.getDatasetFromID(id);
    if (!data) {
        out.code = Error::Invalid_Dataset_Id;
        return out;
    }
    const qzIEDataTypeOptions types;
    qzIEDataTypeOrder order(types, options);
    std::ofstream file(name, std::ios::binary | std::ios::trunc);
    if (!file) {
        out.code = Error::File_Write_Error;
        return out;
    }
    const int r = manager.exportDataset(id, options, order, types, file);
    file.close();
    if (r != 1 || !file) {
        out.code = r == 1 ? Error::File_Write_Error : r;
        return out;
    }
    for (const GeoData* g : data->getDataList()) (!unit.holds || unit.holds(g)) ? ++out.written : ++out.leftOut;
    return out;
}

}  // namespace qzCore
