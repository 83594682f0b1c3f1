// The table of file formats: every unit of this folder, once.  A new
// format is a unit beside the others and a line here.
#include "files/formats/FormatUnit.h"
#include "qzCore/parsing/IEOptions.h"

namespace qzCore {
namespace detail {

const std::vector<const FormatUnit*>& formatUnits() {
    static const std::vector<const FormatUnit*> units{&textFormat(),     &binaryFormat(), &stereonetFormat(),
                                                      &faultKinFormat(), &dxfFormat(),    &bruteFormat()};
    return units;
}

const FormatUnit& formatUnit(FileFormat format) {
    for (const FormatUnit* u : formatUnits()) {
        if (u->info.format == format) return *u;
    }
    return textFormat();
}

const FormatUnit& formatUnitOf(const qzIEColumnOptions& options) {
    // The order in which the writers were always chosen, should options
    // name more than one.
    for (const FormatUnit* u : {&bruteFormat(), &faultKinFormat(), &stereonetFormat(), &binaryFormat(), &dxfFormat()}) {
        if (options.getIEOption(u->optionBit)) return *u;
    }
    return textFormat();
}

}  // namespace detail

const std::vector<FileFormatInfo>& fileFormats() {
    static const std::vector<FileFormatInfo> table = [] {
        std::vector<FileFormatInfo> rows;
        for (const detail::FormatUnit* u : detail::formatUnits()) rows.push_back(u->info);
        return rows;
    }();
    return table;
}

}  // namespace qzCore
