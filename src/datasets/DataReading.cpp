// A dataset reading a file: the loop over its rows, each entered as a
// record or reported with its line number; a binary file's own tables
// translated into the dataset's.
#include <istream>
#include <list>
#include <string>

#include "qzCore/datasets/Data.h"
#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/errors/ErrorManager.h"
#include "qzCore/files/FileHeader.h"
#include "qzCore/parsing/IEOptions.h"
#include "qzCore/parsing/qzParser.h"

namespace qzCore {

int Data::addData(const qzIEColumnOptions& options, const qzIEDataTypeOrder& order, std::istream& in) {
    using O = qzIEColumnOptions;
    int r = m_parser->Initialize(options, order, in);
    if (r < 0) return r;
    const bool binary = options.getIEOption(O::IE_Binary_File);
    // A binary file's own attribute table and station list, and where its
    // bits and indexes land in this dataset (which may hold data already).
    TableMap map;
    if (binary) {
        FileHeader header;
        AttrList fileAttributes;
        StationList fileStations;
        unsigned int contentFlags = 0;
        m_parser->ParseBinaryHeader(in, header, fileAttributes, fileStations, contentFlags);
        map = importTables(fileAttributes, fileStations);
    }
    const bool report = options.getIEOption(O::IE_Report_Errors) && m_errors;
    const bool readAttributes = options.getIEOption(O::IE_Read_Attributes);
    const bool assignAttributes = !options.getIEOption(O::IE_Attribute_Link_2);
    const bool askAttributes = options.getIEOption(O::IE_Attribute_Link_1);

    DataStruct data;
    TokenStruct tokens;
    std::list<std::string> labels;
    std::list<std::string> rejectedLabels;
    std::string station;
    std::string lineText;
    unsigned int line = 0;
    for (;;) {
        data.reset();
        tokens.reset();
        labels.clear();
        station.clear();
        lineText.clear();
        r = m_parser->AutoFileParse(data, tokens, in, labels, station, binary, line, lineText);
        if (r == Error::Parsing_Incomplete) return 1;
        if (r == Error::Input_File_Error || r == Error::File_Parser_Failed) return r;
        if (r > 0 && binary && !translate(map, data)) r = Error::Insert_Failed;
        if (r > 0) {
            bool appended = false;
            if (!binary) r = attachStation(station.c_str(), data, appended);
            if (r > 0) {
                r = insertData(data, tokens);
                if (r < 0 && appended) uninitializeStationId(station.c_str());
                // No reference left: nothing more can be entered.
                if (r == Error::Insert_Failed && m_nextReference >= Max_Data_Reference) return r;
            }
            if (r > 0) {
                if (readAttributes && !labels.empty()) {
                    linkAttributesToCurrent(labels, rejectedLabels, assignAttributes, askAttributes);
                }
                continue;
            }
        }
        if (r == Error::Null_Input_Line) continue;
        if (report) {
            ErrorReport e;
            e.Init(r, line, lineText.c_str());
            m_errors->reportError(e);
        }
        if (m_errors && m_errors->isFatal(r)) return r;
    }
}

}  // namespace qzCore
