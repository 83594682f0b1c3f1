// One file format, in one place: its row of the table of formats, how a
// file of it is recognised, how it is read (the options that choose its
// reader, and the reader's steps where its records are not single lines
// of delimited text), and how it is written.  Each format is one unit in
// this folder; Registry.cpp lists them.  Internal to the library.
#ifndef QZCORE_SRC_FILES_FORMATS_FORMATUNIT_H
#define QZCORE_SRC_FILES_FORMATS_FORMATUNIT_H

#include <iosfwd>
#include <string>
#include <vector>

#include "qzCore/files/FileLayout.h"

namespace qzCore {

class DataStruct;
class Emitter;
class GeoData;
class TokenList;
class TokenStruct;
class qzFileParser;
class qzIEColumnOptions;

namespace detail {

struct FormatUnit {
    /// Its row of fileFormats(): the name users give it, what it is, its
    /// extensions, whether it is read and written.
    FileFormatInfo info;
    /// How reports name it ("delimited text", "Stereonet").
    const char* displayName = "";
    /// The import and export option bit that chooses its reader and writer
    /// (qzIEColumnOptions::IE_...); 0 for delimited text, the default.
    int optionBit = 0;

    /// Whether a file is of this format by its content (`firstLine`, the
    /// first line that is neither blank nor a comment); null: only by its
    /// extension or by choice.
    bool (*recognise)(const std::string& content, const std::string& firstLine) = nullptr;

    // Reading.
    /// The import options that choose and set up its reader.
    void (*readOptions)(qzIEColumnOptions& options) = nullptr;
    /// Whether its rows are single lines of delimited text.
    bool delimitedRows = false;
    /// What the reader does first (a first line to read and check).
    /// @throw an error code for a file that is not of the format.
    void (*start)(qzFileParser& reader, std::istream& in) = nullptr;
    /// The next record's cells; see RowSource::nextRecord.
    int (*nextRecord)(qzFileParser& reader, std::istream& in, TokenList& cells) = nullptr;
    /// See RowSource: a row no record comes from, a row of dip
    /// directions, the format's word on a record converted.
    int (*refuseRow)(const qzFileParser& reader, const std::string& lineText) = nullptr;
    bool (*rowHoldsDipDirections)(const qzFileParser& reader) = nullptr;
    void (*finishRecord)(const qzFileParser& reader, TokenStruct& tokens, DataStruct& data) = nullptr;

    // Writing.
    /// Writes the emitter's records; null: the delimited text writer.
    int (*write)(const Emitter& emitter, std::ostream& out) = nullptr;
    /// Whether a file of the format holds a record (the others are left
    /// out and counted); null: every record.
    bool (*holds)(const GeoData* record) = nullptr;
};

// The units.
const FormatUnit& textFormat();
const FormatUnit& binaryFormat();
const FormatUnit& stereonetFormat();
const FormatUnit& faultKinFormat();
const FormatUnit& dxfFormat();
const FormatUnit& bruteFormat();

/// Every format, in the order users see them.
const std::vector<const FormatUnit*>& formatUnits();
/// The unit of a format; delimited text for Auto.
const FormatUnit& formatUnit(FileFormat format);
/// The unit the options' bits choose (the brute listing, FaultKin,
/// Stereonet, binary, DXF, in that order); delimited text for none.
const FormatUnit& formatUnitOf(const qzIEColumnOptions& options);

}  // namespace detail
}  // namespace qzCore

#endif  // QZCORE_SRC_FILES_FORMATS_FORMATUNIT_H
