#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/files/qzFileParser.h"

#include <cstring>
#include <istream>
#include <string>
#include <vector>

#include "files/formats/FormatUnit.h"
#include "qzCore/files/BinaryInput.h"

namespace qzCore {

qzFileParser::qzFileParser(const qzIEColumnOptions& options)
    : RowSource(options), m_unit(&detail::formatUnitOf(options)) {}

qzFileParser::~qzFileParser() = default;

// A copy reads nothing binary until it has read a header itself.
qzFileParser::qzFileParser(const qzFileParser& o)
    : RowSource(o),
      m_unit(o.m_unit),
      m_stereonetType(o.m_stereonetType),
      m_headerPending(o.m_headerPending),
      m_titleRowsPending(o.m_titleRowsPending),
      m_faultKinMarker(o.m_faultKinMarker),
      m_firstLinePending(o.m_firstLinePending),
      m_layoutLine(o.m_layoutLine) {}

void qzFileParser::init(const qzIEColumnOptions& options, std::istream& in) {
    FileParser::init(options);
    m_unit = &detail::formatUnitOf(options);
    m_stereonetType = Stereonet_None;
    m_headerPending = false;
    m_titleRowsPending = 0;
    m_faultKinMarker.clear();
    m_firstLinePending = false;
    m_layoutLine = false;
    if (m_unit->start) {
        m_unit->start(*this, in);
        return;
    }
    m_headerPending = options.getColumnOption(ieColumnOptions::Column_Option_Header_Row);
    m_titleRowsPending = m_headerPending ? options.getTitleRows() : 0;
}

bool qzFileParser::isStereonet() const { return m_unit == &detail::stereonetFormat(); }
bool qzFileParser::isFaultKin() const { return m_unit == &detail::faultKinFormat(); }

std::unique_ptr<RowSource> qzFileParser::cloneSource() const { return std::make_unique<qzFileParser>(*this); }
bool qzFileParser::delimitedRows() const { return m_unit->delimitedRows; }

int qzFileParser::nextRecord(std::istream& in, TokenList& cells) {
    if (!m_unit->nextRecord) return Error::Null_Input_Line;
    return m_unit->nextRecord(*this, in, cells);
}

bool qzFileParser::takeLayoutLine() {
    const bool was = m_layoutLine;
    m_layoutLine = false;
    return was;
}

int qzFileParser::refuseRow(const std::string& lineText) const {
    return m_unit->refuseRow ? m_unit->refuseRow(*this, lineText) : 0;
}

bool qzFileParser::rowHoldsDipDirections() const {
    return m_unit->rowHoldsDipDirections && m_unit->rowHoldsDipDirections(*this);
}

void qzFileParser::finishRecord(TokenStruct& tokens, DataStruct& data) const {
    if (m_unit->finishRecord) m_unit->finishRecord(*this, tokens, data);
}

bool qzFileParser::takeTitleRow() {
    if (m_titleRowsPending <= 0) return false;
    --m_titleRowsPending;
    return true;
}

bool qzFileParser::takeHeaderRow() {
    const bool pending = m_headerPending;
    m_headerPending = false;
    return pending;
}

}  // namespace qzCore
