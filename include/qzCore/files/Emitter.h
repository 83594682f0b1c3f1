// Writers of a dataset, or of chosen records, in five formats: delimited
// column text, the binary dataset file, Stereonet text, FaultKin text and
// the brute fault listing.
//
// Delimited text: a header row of keywords, then one row per record; rows
// end in "\r\n"; empty columns between filled ones stay as empty fields and
// nothing follows the last filled column.  A field holding the delimiter, a
// double quote or blanks at either end is written in double quotes (inner
// quotes doubled), so that the reader takes it back unchanged.
#ifndef QZCORE_FILES_EMITTER_H
#define QZCORE_FILES_EMITTER_H

#include "qzCore/Export.h"

#include <deque>
#include <iosfwd>
#include <string>

#include "qzCore/parsing/IEOptions.h"
#include "qzCore/parsing/qzTokenList.h"

namespace qzCore {

class Data;
class GeoData;

/// Common base of the output classes: the stream.
class QZCORE_EXPORT OutputBase {
public:
    explicit OutputBase(std::ostream& out) : m_out(out) {}
    virtual ~OutputBase() = default;
    OutputBase(const OutputBase&) = delete;
    OutputBase& operator=(const OutputBase&) = delete;

protected:
    std::ostream& m_out;
};

/// Writes delimited rows.
class QZCORE_EXPORT TextOutput : public OutputBase {
public:
    /// The delimiter is the first of the options' delimiter bits in the
    /// order tab, comma, space, semicolon, colon, full stop (tab for none).
    TextOutput(std::ostream& out, const qzIEColumnOptions& options, int columns);
    /// Writes the row's columns up to its last filled one, then "\r\n".
    void output(const qzTokenList& row);
    const std::string& getDelimiter() const { return m_delimiter; }

private:
    std::string m_delimiter;
    int m_columns;
};

class QZCORE_EXPORT Emitter : public qzIEHandler {
public:
    /// @param records the records to write (a dataset's own list, or a
    ///   selection); they must belong to `data`.
    Emitter(const Data& data, const std::deque<GeoData*>& records, const qzIEDataTypeOrder& order,
            const qzIEColumnOptions& options, const qzIEDataTypeOptions& types, bool flag);

    /// Writes with the writer the options choose: IE option 0x1000000 brute
    /// listing, 4096 FaultKin, 0x100000 Stereonet, 256 binary, 16 delimited
    /// text.  @return 1, or -7 (no format chosen, or the stream failed).
    int emit(std::ostream& out);

    /// Station ids and group names or labels longer than a binary file
    /// holds make emitBinary fail with -7 rather than write them cut.
    static constexpr std::size_t Max_Binary_Station_Length = 15;
    /// Longest comment the binary file holds (the flag word's length field).
    static constexpr std::size_t Max_Binary_Comment_Length = 255;

    /// Which records the Stereonet writer puts in its AD block of planes
    /// (planar records with strike and dip: planes, faults, wells, markers,
    /// universal-stage records by their second axis) and in its TP block of
    /// lines (lines, result records, and faults by their slip line).
    static bool inStereonetPlanes(const GeoData* g);
    static bool inStereonetLines(const GeoData* g);
    /// Which records the FaultKin writer and the brute listing write: faults
    /// with all four angles and a sense of slip with a direction (not
    /// ambiguous).
    static bool inFaultKin(const GeoData* g);

    /// The records written, and their dataset (for writers of a format).
    const std::deque<GeoData*>& records() const { return m_records; }
    const Data& data() const { return m_data; }

private:
    int emitText(std::ostream& out);

    const Data& m_data;
    std::deque<GeoData*> m_records;
    qzIEDataTypeOrder m_order;
    qzIEDataTypeOptions m_types;
    bool m_flag;
};

}  // namespace qzCore

#endif  // QZCORE_FILES_EMITTER_H
