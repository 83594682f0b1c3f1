// Reading a whole data file into a new dataset, the way qz and the Python
// module do: the format, delimiter, columns and text encoding guessed from
// the file where the caller leaves them open, every rejected row reported.
#ifndef QZCORE_FILES_READFILE_H
#define QZCORE_FILES_READFILE_H

#include "qzCore/Export.h"

#include <string>

#include "qzCore/files/FileLayout.h"

namespace qzCore {

class DataManager;

/// What reading a file found.
struct QZCORE_EXPORT ReadOutcome {
    /// 1, or the code that stopped the reading (Error::Unknown_File_Format
    /// for a brute listing, which is written for other programs only).
    int code = 1;
    /// How the file was read.
    FileLayout layout;
    /// The text was UTF-16 and was read as UTF-8.
    bool utf16 = false;
};

/// The bytes of the file `path` ("-": standard input) into `content`, in
/// one read where the size is known (a regular file), else as they come.
/// False when the file cannot be opened or read.
QZCORE_EXPORT bool readFileBytes(const std::string& path, std::string& content);

/// Reads `content`, the bytes of the file `name` (its extension helps
/// guess the format), into a new dataset of `manager`, named `name`; its id
/// in `id`.  Rejected rows go to the manager's error report, with their
/// line numbers, and so do the lines passed over and the remarks on rows
/// loaded; attribute labels in the file are taken without asking; words
/// of a Type column that name no kind (structure names: S1, L2, bedding)
/// are labels (qzIEColumnOptions::IE_Type_Labels).
QZCORE_EXPORT ReadOutcome readIntoNewDataset(DataManager& manager, const std::string& name, std::string content,
                               const LayoutChoices& given, unsigned char& id);

}  // namespace qzCore

#endif  // QZCORE_FILES_READFILE_H
