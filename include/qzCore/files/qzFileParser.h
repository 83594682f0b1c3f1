// The line reader and splitter of data files.
#ifndef QZCORE_FILES_QZFILEPARSER_H
#define QZCORE_FILES_QZFILEPARSER_H

#include "qzCore/parsing/IEOptions.h"
#include "qzCore/shared/FileParser.h"

namespace qzCore {

/// Reads and splits the rows of delimited text files.  The readers of the
/// outside formats (Stereonet, FaultKin, DXF) build on it.
class qzFileParser : public FileParser {
public:
    explicit qzFileParser(const qzIEColumnOptions& options) : FileParser(options) {}

    int getStereonetType() const { return m_stereonetType; }

protected:
    int m_stereonetType = 0;
};

}  // namespace qzCore

#endif  // QZCORE_FILES_QZFILEPARSER_H
