// The two parts of qzParser that need a file reader by name: making the
// reader of the format the options choose, and reading a binary dataset
// file's header (its attribute and station tables) through it.
#include <new>

#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/files/qzFileParser.h"
#include "qzCore/parsing/qzParser.h"

namespace qzCore {

int qzParser::Initialize(const qzIEColumnOptions& options, const qzIEDataTypeOrder& order, std::istream& in) {
    std::unique_ptr<qzFileParser> reader;
    try {
        reader = std::make_unique<qzFileParser>(options);
    } catch (const std::bad_alloc&) {
        return Error::File_Parser_Failed;
    }
    reader->init(options, in);
    return useReader(options, order, std::move(reader));
}

void qzParser::ParseBinaryHeader(std::istream& in, FileHeader& header, AttrList& attributes, StationList& stations,
                                 unsigned int& count) {
    if (!fileParser) throw Error::File_Parser_Failed;
    // The reader is the one Initialize made.
    static_cast<qzFileParser&>(*fileParser).parseBinaryHeader(in, header, attributes, stations, count);
}

}  // namespace qzCore
