// The reader of a data file's rows: one class for every format, each
// format's own steps in its unit (src/files/formats/: delimited text, the
// binary dataset file, Stereonet, FaultKin, DXF text), chosen by the
// options' format bit.  The layouts of the formats are described there;
// Stereonet's layout codes and FaultKin's markers are read by the members
// below.
#ifndef QZCORE_FILES_QZFILEPARSER_H
#define QZCORE_FILES_QZFILEPARSER_H

#include "qzCore/Export.h"

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>

#include "qzCore/parsing/IEOptions.h"
#include "qzCore/parsing/RowSource.h"
#include "qzCore/shared/Token.h"

namespace qzCore {

class AttrList;
class BinaryInput;
class DataStruct;
class FileHeader;
class StationList;
class TokenStruct;

namespace detail {
struct FormatUnit;
}

class QZCORE_EXPORT qzFileParser : public RowSource {
public:
    /// Stereonet layouts (stereonetType).
    enum Stereonet_Type : int {
        Stereonet_None = 0,
        Stereonet_TP = 0x1,
        Stereonet_PT = 0x10,
        Stereonet_PQ = 0x100,
        Stereonet_AD = 0x1000,
        Stereonet_AZ = 0x10000,
        Stereonet_QD = 0x100000,
        Stereonet_DD = 0x1000000
    };

    explicit qzFileParser(const qzIEColumnOptions& options);
    ~qzFileParser() override;
    qzFileParser(const qzFileParser& o);
    qzFileParser& operator=(const qzFileParser&) = delete;

    /// Prepares reading: for a Stereonet file the first line is read and
    /// its layout noted; for a FaultKin file the first line is checked.
    /// @throw -31 (FaultKin file without a first line), -60 (first line
    ///   without "MomentFormat" or "FaultKin").
    void init(const qzIEColumnOptions& options, std::istream& in);
    using FileParser::init;

    // The rows as the value parser asks for them (RowSource.h).
    std::unique_ptr<RowSource> cloneSource() const override;
    bool delimitedRows() const override;
    int nextRecord(std::istream& in, TokenList& cells) override;
    int refuseRow(const std::string& lineText) const override;
    bool takeLayoutLine() override;
    bool rowHoldsDipDirections() const override;
    void finishRecord(TokenStruct& tokens, DataStruct& data) const override;

    /// Sets stereonetType from the codes found in `line`.  Always true.
    bool parseStereonetType(const char* line);
    int getStereonetType() const { return m_stereonetType; }
    bool isStereonet() const;
    bool isFaultKin() const;

    /// Reads one Stereonet data line into the Strike, Dip, Rake, Trend,
    /// Plunge columns (0..4).  @return 1; Error::Null_Input_Line for a
    /// line naming the layout (the first line holding a code, or a later
    /// line that is one); Error::Parsing_Incomplete at the end of input.
    /// A first line without a code is handed on as a row, for refuseRow
    /// to report.
    int tokenizeStereonet(std::istream& in, TokenList& tokens);
    /// Reads one FaultKin record (marker and data line) into the Strike,
    /// Dip, Trend, Plunge, Slip columns.  @return 1; Error::Null_Input_Line
    /// for the first line (checked when the reading began);
    /// Error::Parsing_Incomplete at the end of input.
    int tokenizeFaultKin(std::istream& in, TokenList& tokens);
    /// The format's first line is the next to count (Stereonet: to read;
    /// FaultKin: read and checked by the format's start).
    void markFirstLinePending() { m_firstLinePending = true; }
    /// The marker of the last FaultKin record read ("TR", "TL", "NR", "NL").
    const std::string& faultKinMarker() const { return m_faultKinMarker; }
    /// Whether `word` is exactly a Stereonet layout code.
    static bool isLayoutCode(const std::string& word);
    /// DXF text holds no records this library reads: the rest of the input
    /// is passed over, so the import ends.  Returns 1.
    int tokenizeDXF(std::istream& in, TokenList& tokens);

    /// Reads the header of a binary dataset file and picks the reader of
    /// its version.  @throw -31 (tag longer than 128 or unknown), -50
    ///   ("Torsel_1.1"), -9 (a part cut short or out of bounds).
    void parseBinaryHeader(std::istream& in, FileHeader& header, AttrList& attributes, StationList& stations,
                           unsigned int& count);
    /// Reads one record of a binary dataset file.  @return 1, -13 at the
    /// end, -14 for a record cut short or damaged (and without a header),
    /// -6 for a record whose values are out of range.
    int readBinary(std::istream& in, TokenStruct& tokens, DataStruct& data) override;

    /// True once, for the header row of a file whose options say it has
    /// one (Column_Option_Header_Row); the reader passes that row over.
    bool takeHeaderRow() override;
    bool headerPending() const override { return m_headerPending; }
    /// True for each of the title rows the options announce above the
    /// header row (ieColumnOptions::getTitleRows).
    bool takeTitleRow() override;

    /// Longest version tag.
    static constexpr std::uint32_t Max_Tag_Length = 128;

private:
    const detail::FormatUnit* m_unit;
    std::unique_ptr<BinaryInput> m_reader;
    int m_stereonetType = Stereonet_None;
    bool m_headerPending = false;
    int m_titleRowsPending = 0;
    std::string m_faultKinMarker;
    // Stereonet's and FaultKin's first line is still to come; the line
    // passed over last named the layout.
    bool m_firstLinePending = false;
    bool m_layoutLine = false;
};

}  // namespace qzCore

#endif  // QZCORE_FILES_QZFILEPARSER_H
