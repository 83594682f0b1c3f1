// The parser driving the reader of a file: it owns the reader of its rows
// (copies too), takes one row at a time from it and converts it.  The
// reader is a RowSource: the parser knows no file format.
#include <algorithm>
#include <array>
#include <istream>
#include <new>

#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/parsing/ColumnHeader.h"
#include "qzCore/parsing/GDTypes.h"
#include "qzCore/parsing/RowSource.h"
#include "qzCore/parsing/qzParser.h"
#include "qzCore/shared/MyMath.h"

namespace qzCore {

namespace {

template <typename T>
std::unique_ptr<T> cloneOf(const std::unique_ptr<T>& p) {
    return p ? std::make_unique<T>(*p) : nullptr;
}

std::unique_ptr<RowSource> cloneOf(const std::unique_ptr<RowSource>& p) { return p ? p->cloneSource() : nullptr; }

/// A line whose first character other than a blank is '#'.
bool isCommentLine(const std::string& line) {
    for (const char c : line) {
        if (c != ' ' && c != '\t') return c == '#';
    }
    return false;
}

/// The row's text for a report; a NUL byte is shown as "\0".  Without one
/// the text is copied into `text`, which keeps its room from row to row.
void copyLineText(const RowSource& reader, std::string& text) {
    if (reader.lineHasNul()) {
        text = reader.lineForReport();
    } else {
        text.assign(reader.getLineBuffer(), reader.getLineLength());
    }
}

}  // namespace

qzParser::qzParser()
    : math(std::make_unique<MyMath>()), tokenList(std::make_unique<qzTokenList>(qzTokenList::Default_Capacity)) {}

qzParser::~qzParser() = default;

qzParser::qzParser(const qzParser& o)
    : fileParser(cloneOf(o.fileParser)),
      math(cloneOf(o.math)),
      dirLetters(o.dirLetters),
      m_dipAgreed(o.m_dipAgreed),
      m_integerValue(o.m_integerValue),
      m_dipDirectionBlock(o.m_dipDirectionBlock),
      columnOptions(cloneOf(o.columnOptions)),
      typeOrder(cloneOf(o.typeOrder)),
      tokenList(cloneOf(o.tokenList)),
      m_columnOf(o.m_columnOf),
      m_remark(o.m_remark),
      m_plan(o.m_plan),
      m_moreSlipColumns(o.m_moreSlipColumns) {}

qzParser& qzParser::operator=(const qzParser& o) {
    if (this != &o) {
        qzParser copy(o);
        std::swap(fileParser, copy.fileParser);
        std::swap(math, copy.math);
        dirLetters = o.dirLetters;
        m_dipAgreed = o.m_dipAgreed;
        m_integerValue = o.m_integerValue;
        m_dipDirectionBlock = o.m_dipDirectionBlock;
        std::swap(columnOptions, copy.columnOptions);
        std::swap(typeOrder, copy.typeOrder);
        std::swap(tokenList, copy.tokenList);
        m_columnOf = o.m_columnOf;
        m_remark = o.m_remark;
        m_plan = o.m_plan;
        m_moreSlipColumns = o.m_moreSlipColumns;
    }
    return *this;
}

int qzParser::useReader(const qzIEColumnOptions& options, const qzIEDataTypeOrder& order,
                        std::unique_ptr<RowSource> reader) {
    try {
        columnOptions = std::make_unique<qzIEColumnOptions>(options);
        typeOrder = std::make_unique<qzIEDataTypeOrder>(order);
    } catch (const std::bad_alloc&) {
        typeOrder.reset();
        fileParser.reset();
        return Error::File_Parser_Failed;
    }
    fileParser = std::move(reader);
    // Room for every typed column, however far to the right (and never
    // less than the usual twenty, so a row's untyped cells still show it
    // holds something).
    int lastColumn = -1;
    for (int t = 0; t < qzIEDataTypeOptions::Num_Data_Types; ++t) lastColumn = std::max(lastColumn, typeOrder->getOrderIndex(t));
    const std::size_t room = std::max(qzTokenList::Default_Capacity, std::size_t(lastColumn + 1));
    if (tokenList->capacity() < room) tokenList = std::make_unique<qzTokenList>(room);
    for (int t = 0; t < qzIEDataTypeOptions::Num_Data_Types; ++t) {
        const int c = typeOrder->getOrderIndex(t);
        m_columnOf[std::size_t(t)] = c >= 0 && std::size_t(c) < tokenList->capacity() ? c : -1;
    }
    planColumns();
    return 1;
}

RowSource::~RowSource() = default;
int RowSource::refuseRow(const std::string&) const { return 0; }
bool RowSource::takeLayoutLine() { return false; }
bool RowSource::rowHoldsDipDirections() const { return false; }
void RowSource::finishRecord(TokenStruct&, DataStruct&) const {}

int qzParser::AutoFileParse(DataStruct& data, TokenStruct& tokens, std::istream& in,
                            std::list<std::string>& attributes, std::string& stationId, bool binary,
                            unsigned int& line, std::string& lineText) {
    if (!columnOptions || !fileParser || !typeOrder) return Error::File_Parser_Failed;
    m_remark.clear();
    if (binary) {
        // The binary reader reads ahead of the records it hands out: it
        // alone knows where the file ends.
        ++line;  // records are numbered in a binary file
        return fileParser->readBinary(in, tokens, data);
    }
    if (fileParser->delimitedRows()) {
        bool tooLong = false;
        const int taken = takeRow(in, line, lineText, tooLong);
        if (taken != Row_Taken) return taken;
        return finishRow(lineText, tooLong, data, tokens, attributes, stationId);
    }
    if (in.eof()) return Error::Parsing_Incomplete;
    if (in.fail()) return Error::Input_File_Error;
    tokenList->reset();
    const int got = fileParser->nextRecord(in, *tokenList);
    if (got != 1) {
        lineText.clear();
        if (got == Error::Null_Input_Line && fileParser->takeLayoutLine()) m_remark.skipped = SkippedLine::Header;
        return got;
    }
    copyLineText(*fileParser, lineText);
    line = fileParser->getLineNumber();
    if (in.bad()) return Error::Input_File_Error;
    if (fileParser->lineHasNul()) return Error::Nul_In_Line;
    if (lineText.empty()) return Error::Null_Input_Line;
    if (const int refused = fileParser->refuseRow(lineText)) return refused;
    return finishTokens(false, fileParser->lineTooLong(), data, tokens, attributes, stationId);
}

int qzParser::takeRow(std::istream& in, unsigned int& line, std::string& lineText, bool& tooLong) {
    if (!fileParser) return Error::File_Parser_Failed;
    m_remark.clear();
    if (in.eof()) return Error::Parsing_Incomplete;
    if (in.fail()) return Error::Input_File_Error;
    const bool gotLine = fileParser->grabLine(in);
    copyLineText(*fileParser, lineText);
    line = fileParser->getLineNumber();
    if (in.bad()) return Error::Input_File_Error;
    // Nothing was left to read: the end of the file, not a blank line.
    if (!gotLine) return Error::Parsing_Incomplete;
    // A NUL byte would cut the row where it stands: the row is reported
    // whole instead (a UTF-16 file shows one in every line).
    if (fileParser->lineHasNul()) return Error::Nul_In_Line;
    if (lineText.empty()) return Error::Null_Input_Line;
    tooLong = fileParser->lineTooLong();
    return Row_Taken;
}

int qzParser::finishRow(const std::string& lineText, bool tooLong, DataStruct& data, TokenStruct& tokens,
                        std::list<std::string>& attributes, std::string& stationId) {
    if (!fileParser) return Error::File_Parser_Failed;
    m_remark.clear();
    if (const int plain = finishPlainRow(lineText, tooLong, data, tokens)) return plain;
    if (isCommentLine(lineText)) return finishCommentRow(lineText, tooLong);
    fileParser->tokenize(lineText.c_str(), *tokenList);
    return finishTokens(true, tooLong, data, tokens, attributes, stationId);
}

int qzParser::finishCommentRow(const std::string& lineText, bool tooLong) {
    m_remark.skipped = SkippedLine::Comment;
    // A row of column keywords is the header the options announce,
    // passed over like it.
    if (fileParser->headerPending()) {
        const HeaderRow header = readHeaderRow(lineText.substr(lineText.find('#')), columnOptions->getColumnDelim());
        if (header.allUnderstood() && header.types.size() > 1 && fileParser->takeHeaderRow()) {
            m_remark.skipped = SkippedLine::Header;
        }
        return Error::Null_Input_Line;
    }
    // A '#' that begins a complete row of data (a station id "#12" in
    // the first column) is most likely not a comment: such a line is
    // reported, never dropped unseen.  A row commented out ("#120,30")
    // does not read as one: its first value holds the '#'.
    if (tooLong) return Error::Null_Input_Line;
    fileParser->tokenize(lineText.c_str(), *tokenList);
    DataStruct data;
    TokenStruct tokens;
    std::list<std::string> attributes;
    std::string station;
    const RowRemark kept = m_remark;
    const int asData = finishTokens(true, false, data, tokens, attributes, station);
    m_remark = kept;
    return asData == 1 ? Error::Comment_Reads_As_Data : Error::Null_Input_Line;
}

int qzParser::finishPlainRow(const std::string& lineText, bool tooLong, DataStruct& data, TokenStruct& tokens) {
    if (m_plan.plainFirst < 0 || tooLong || !fileParser || fileParser->headerPending()) return 0;
    // Cells of one to three digits between single delimiters, nothing else:
    // the general steps would find the same cells, blanks or quotes or not.
    const std::size_t first = std::size_t(m_plan.plainFirst), second = std::size_t(m_plan.plainSecond);
    const char* p = lineText.data();
    const char* const end = p + lineText.size();
    std::array<char, 4> firstText{}, secondText{};
    int firstValue = -1, secondValue = -1;
    for (std::size_t cell = 0;; ++cell) {
        if (cell >= m_plan.plainLimit) return 0;  // a cell of another type
        const char* q = p;
        int v = 0;
        while (q != end && *q >= '0' && *q <= '9' && q - p < 4) v = v * 10 + (*q++ - '0');
        const std::size_t length = std::size_t(q - p);
        if (length == 0 || length > 3) return 0;
        if (cell == first) {
            std::copy(p, q, firstText.begin());
            firstValue = v;
        } else if (cell == second) {
            std::copy(p, q, secondText.begin());
            secondValue = v;
        }
        if (q == end) break;
        if (!fileParser->endsField(*q)) return 0;
        p = q + 1;
    }
    // Out of range, or a cell missing: the general steps say which.
    if (firstValue < 0 || secondValue < 0 || firstValue > 360 || secondValue > 90) return 0;

    // As ParseSingle leaves a record recognised by its tokens.
    const bool line = m_plan.plainLine;
    m_integerValue = true;
    m_dipDirectionBlock = false;
    if (!line) m_dipAgreed = true;
    tokens.setTokenValue(line ? TokenStruct::Trend_Token : TokenStruct::Strike_Token, firstText.data());
    tokens.setTokenValue(line ? TokenStruct::Plunge_Token : TokenStruct::Dip_Token, secondText.data());
    if (line) {
        data.setTrend(firstValue);
        data.setPlunge(secondValue);
    } else {
        data.setStrike(firstValue);
        data.setDip(secondValue);
    }
    data.setGDType(line ? GDTypes::GDType_Line : GDTypes::GDType_Plane);
    return 1;
}

bool qzParser::rowsFinishApart() const {
    return columnOptions && fileParser && fileParser->delimitedRows() &&
           !columnOptions->getIEOption(qzIEColumnOptions::IE_Binary_File) && !fileParser->headerPending();
}

int qzParser::finishTokens(bool delimited, bool tooLong, DataStruct& data, TokenStruct& tokens,
                           std::list<std::string>& attributes, std::string& stationId) {
    if (tokenList->numNonVoidTokens() == 0) return Error::Null_Input_Line;  // blanks or delimiters only
    if (delimited && fileParser->takeTitleRow()) {
        m_remark.skipped = SkippedLine::Title;
        return Error::Null_Input_Line;
    }
    if (delimited && fileParser->takeHeaderRow()) {
        m_remark.skipped = SkippedLine::Header;
        return Error::Null_Input_Line;
    }
    if (tooLong) return Error::Line_Too_Long;

    m_dipDirectionBlock = fileParser->rowHoldsDipDirections();
    const int r = distribute(data, tokens, attributes, stationId);
    if (r < 0) return r;
    // A row that holds something but no value that makes a record (an
    // empty strike cell before its dip) is reported, never dropped as if
    // it were blank.
    const int converted = ParseSingle(tokens, data);
    if (converted == Error::Null_Input_Line) return Error::Missing_Input_Value;
    if (converted < 0) {
        m_remark.detail = whyRejected(converted, tokens);
        return converted;
    }
    fileParser->finishRecord(tokens, data);
    return converted;
}

}  // namespace qzCore
