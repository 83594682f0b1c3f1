// What the value parser asks of the reader of a data file, row by row.
// The readers of the file formats (files/qzFileParser.h, one unit per
// format) implement it; the value parser knows no format: it takes a
// row's cells, converts them, and lets the reader have the last word on
// the record (a format whose rows say more than their cells do).
#ifndef QZCORE_PARSING_ROWSOURCE_H
#define QZCORE_PARSING_ROWSOURCE_H

#include "qzCore/Export.h"

#include <iosfwd>
#include <memory>
#include <string>

#include "qzCore/shared/FileParser.h"

namespace qzCore {

class DataStruct;
class TokenStruct;

class QZCORE_EXPORT RowSource : public FileParser {
public:
    using FileParser::FileParser;
    ~RowSource() override;

    /// A copy, for another thread that finishes rows this one took.
    virtual std::unique_ptr<RowSource> cloneSource() const = 0;

    /// Whether every row is one line of delimited text: the parser takes
    /// it (takeRow) and splits it into cells itself.
    virtual bool delimitedRows() const = 0;
    /// For the other formats: the cells of the next record into `cells`.
    /// @return 1, or a code that ends the row without a record
    ///   (Error::Null_Input_Line: a format that yields none).
    virtual int nextRecord(std::istream& in, TokenList& cells) = 0;
    /// True once after nextRecord passed over a line that names the
    /// file's layout (a Stereonet code line, FaultKin's first line): it is
    /// counted as a header line, not a blank one.
    virtual bool takeLayoutLine();
    /// A code when no record can come from the row read (`lineText`), 0
    /// otherwise.
    virtual int refuseRow(const std::string& lineText) const;
    /// Whether the row read last lists dip directions in its strike column.
    virtual bool rowHoldsDipDirections() const;
    /// The format's last word on the record converted from the row read
    /// last.
    virtual void finishRecord(TokenStruct& tokens, DataStruct& data) const;
    /// One record of a binary dataset file.  @return 1, -13 at the end,
    /// -14 for a record cut short or damaged, -6 for values out of range.
    virtual int readBinary(std::istream& in, TokenStruct& tokens, DataStruct& data) = 0;

    /// True once, for the header row the options announce; then false.
    virtual bool takeHeaderRow() = 0;
    virtual bool headerPending() const = 0;
    /// True for each title row the options announce above the header.
    virtual bool takeTitleRow() = 0;
    /// Line number (from 1, blank lines included) of the last line read.
    unsigned int getLineNumber() const { return getLinesRead(); }
};

}  // namespace qzCore

#endif  // QZCORE_PARSING_ROWSOURCE_H
