// Writing a whole dataset to a file in a format, the way qz and the Python
// module do, and saying how many records the format could hold.
#ifndef QZCORE_FILES_WRITEFILE_H
#define QZCORE_FILES_WRITEFILE_H

#include "qzCore/Export.h"

#include <string>

#include "qzCore/files/FileLayout.h"

namespace qzCore {

class DataManager;

struct QZCORE_EXPORT WriteOutcome {
    /// 1, or the error (Error::File_Write_Error when the file could not be
    /// made or written).
    int code = 1;
    /// The format written.
    FileFormat format = FileFormat::Text;
    /// Records written, and those the format cannot hold (a Stereonet file
    /// holds planes and lines; FaultKin and the brute listing faults with a
    /// sense of slip).
    int written = 0;
    int leftOut = 0;
};

/// Sets the export options that choose the writer of `format` (its option
/// bit; for delimited text, tabs, or commas when `name` ends in ".csv").
QZCORE_EXPORT void exportOptionsFor(FileFormat format, const std::string& name, qzIEColumnOptions& options);

/// Writes dataset `id` of `manager` to the file `name` in `format`; Auto
/// chooses by the extension, delimited text when it names no format (tabs,
/// commas for ".csv"; every value column, right-hand-rule angles as
/// numbers, a header row).
QZCORE_EXPORT WriteOutcome writeDatasetFile(DataManager& manager, unsigned char id, const std::string& name, FileFormat format);

}  // namespace qzCore

#endif  // QZCORE_FILES_WRITEFILE_H
