#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/files/Emitter.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "qzCore/datasets/Data.h"
#include "qzCore/files/FileHeader.h"
#include "qzCore/records/GDTypes.h"
#include "qzCore/records/GeoData.h"

#include "files/formats/FormatUnit.h"

namespace qzCore {

namespace {

using O = qzIEColumnOptions;
using K = GDTypes;

// ---------------------------------------------------------------- little-endian output

/// Whether a text field must be quoted to be read back as written.
bool needsQuotes(const std::string& s, const std::string& delimiter) {
    if (s.empty()) return false;
    if (s.find_first_of(delimiter + "\"") != std::string::npos) return true;
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    return blank(s.front()) || blank(s.back());
}

}  // namespace

// ---------------------------------------------------------------- TextOutput

TextOutput::TextOutput(std::ostream& out, const qzIEColumnOptions& options, int columns)
    : OutputBase(out), m_columns(columns) {
    const unsigned int d = options.getColumnDelim();
    using C = krtIEConstants;
    if (d & C::Tab_Delim) {
        m_delimiter = C::Tab_Delim_Char_Pointer;
    } else if (d & C::Comma_Delim) {
        m_delimiter = C::Comma_Delim_Char_Pointer;
    } else if (d & C::Space_Delim) {
        m_delimiter = C::Space_Delim_Char_Pointer;
    } else if (d & C::Semi_Colon_Delim) {
        m_delimiter = C::Semi_Colon_Delim_Char_Pointer;
    } else if (d & C::Colon_Delim) {
        m_delimiter = C::Colon_Delim_Char_Pointer;
    } else if (d & C::Period_Delim) {
        m_delimiter = C::Period_Delim_Char_Pointer;
    } else {
        m_delimiter = C::Tab_Delim_Char_Pointer;
    }
}

void TextOutput::output(const qzTokenList& row) {
    const std::size_t filled = row.numNonVoidTokens();
    std::size_t written = 0;
    for (int c = 0; c < m_columns && written < filled && std::size_t(c) < row.capacity(); ++c) {
        if (c > 0) m_out << m_delimiter;
        const std::string& s = row[std::size_t(c)].str();
        if (s.empty()) continue;
        ++written;
        const std::string text = s.substr(0, 255);
        if (needsQuotes(text, m_delimiter)) {
            std::string q = "\"";
            for (const char ch : text) {
                q += ch;
                if (ch == '"') q += '"';
            }
            m_out << q << '"';
        } else {
            m_out << text;
        }
    }
    m_out << "\r\n";
}

// ---------------------------------------------------------------- Emitter

Emitter::Emitter(const Data& data, const std::deque<GeoData*>& records, const qzIEDataTypeOrder& order,
                 const qzIEColumnOptions& options, const qzIEDataTypeOptions& types, bool flag)
    : qzIEHandler(options), m_data(data), m_records(records), m_order(order), m_types(types), m_flag(flag) {}

int Emitter::emit(std::ostream& out) {
    // The writer of the format the options choose; delimited text when
    // they ask for it.
    const detail::FormatUnit& unit = detail::formatUnitOf(m_options);
    if (unit.write) return unit.write(*this, out);
    if (m_options.getIEOption(O::IE_Write_Text)) return emitText(out);
    return Error::File_Write_Error;
}

int Emitter::emitText(std::ostream& out) {
    // Columns up to the last one that holds a data type (the count of typed
    // columns when, as usual, they have no gaps).
    int columns = 0;
    for (int t = 0; t < m_types.getMaxNumDataTypes(); ++t) columns = std::max(columns, m_order.getOrderIndex(t) + 1);
    TextOutput text(out, m_options, columns);
    qzTokenList row(25);
    for (int t = 0; t < m_types.getMaxNumDataTypes(); ++t) {
        const int c = m_order.getOrderIndex(t);
        if (c < 0) continue;
        std::string keyword;
        m_types.getDataTypeString(t, keyword);
        row[std::size_t(c)].set(keyword);
    }
    text.output(row);
    int number = 0;
    std::unique_ptr<LightweightTokenStruct> scratch;
    for (const GeoData* g : m_records) {
        // Texts a record keeps none of are made for its row and dropped.
        const LightweightTokenStruct* tokens = g && g->data() ? g->tokensForReading(scratch) : nullptr;
        if (!tokens) continue;
        ++number;
        std::string station;
        if (g->data()->hasStationIdAttached()) m_data.getStationIdFromIndex(g->data()->getStationIndex(), station);
        DataStruct values;
        g->get(values);
        row.init(m_options, values, *tokens, m_order, station, number);
        text.output(row);
    }
    return out.good() ? 1 : Error::File_Write_Error;
}

bool Emitter::inStereonetPlanes(const GeoData* g) {
    return g && g->data() && g->data()->isPlanar() && g->data()->hasStrike() && g->data()->hasDip();
}

bool Emitter::inStereonetLines(const GeoData* g) {
    return g && g->data() && (!g->data()->isPlanar() || g->getGDType() == K::GDType_Fault) &&
           g->data()->hasTrend() && g->data()->hasPlunge();
}

bool Emitter::inFaultKin(const GeoData* g) {
    if (!g || !g->data() || g->getGDType() != K::GDType_Fault || !g->data()->hasSlip()) return false;
    const LightweightDataStruct& d = *g->data();
    // A marker names a direction of slip: an ambiguous sense has none to
    // name, and a fault without its angles no line to write.
    return (d.hasCWSlip() || d.hasCCWSlip()) && d.hasStrike() && d.hasDip() && d.hasTrend() && d.hasPlunge();
}

}  // namespace qzCore
