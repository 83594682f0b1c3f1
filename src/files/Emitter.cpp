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

#include "BinaryRecord.h"
#include "ChunkRing.h"
#include "qzCore/shared/Threads.h"

namespace qzCore {

namespace {

using O = qzIEColumnOptions;
using K = GDTypes;

// ---------------------------------------------------------------- little-endian output

void putU32(std::ostream& out, std::uint32_t v) {
    const char b[4] = {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char(v >> 24)};
    out.write(b, 4);
}

void putText(std::ostream& out, const std::string& s) {
    putU32(out, static_cast<std::uint32_t>(s.size()));
    out.write(s.data(), static_cast<std::streamsize>(s.size()));
}

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
    if (m_options.getIEOption(O::IE_Write_Brute_Listing)) return emitBrute3(out);
    if (m_options.getIEOption(O::IE_FaultKin_File)) return emitFaultKin(out);
    if (m_options.getIEOption(O::IE_Stereonet_File)) return emitStereonet(out);
    if (m_options.getIEOption(O::IE_Binary_File)) return emitBinary(out);
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

int Emitter::emitBinary(std::ostream& out) {
    const AttrList& attrs = m_data.getAttrList();
    // Header: everything must fit the file's fields, or nothing is written.
    std::list<std::string> groups;
    attrs.getAttrStrings(groups, true);
    for (const std::string& g : groups) {
        if (g.size() > AttrList::Max_Label_Length) return Error::File_Write_Error;
    }
    const StationList& stations = m_data.getStationList();
    for (const std::string& id : stations.ids()) {
        if (id.size() > Max_Binary_Station_Length) return Error::File_Write_Error;
    }

    putText(out, FileHeader::Current_Tag);
    putU32(out, m_data.getNumSpecial() > 0 ? 0x1000000u : 0u);
    putU32(out, static_cast<std::uint32_t>(groups.size() - 1));
    for (const std::string& g : groups) {
        if (g == AttrList::All_Group_Name) continue;
        putU32(out, attrs.getAttrGroupIndexMask(g));
        putText(out, g);
    }
    putU32(out, attrs.getAttrCount());
    for (unsigned int i = 0; i < AttrList::Max_Num_Attributes; ++i) {
        const std::string label = attrs.getAttrLabel(i);
        if (label.empty()) continue;
        putU32(out, i);
        putText(out, label);
    }
    putU32(out, 0);
    putU32(out, static_cast<std::uint32_t>(stations.getNumStations()));
    for (const std::string& id : stations.ids()) {
        char padded[16] = {};
        std::memcpy(padded, id.data(), id.size());
        out.write(padded, 16);
    }
    if (!out.good()) return Error::File_Write_Error;

    // Records are put together in chunks and written a chunk at a time, in
    // order.  Past the first chunk a helper thread puts two chunks of every
    // three together, ahead, while this thread does the third and writes
    // them all (writing being its share of the work).
    const std::size_t count = m_records.size();
    const std::size_t chunks = (count + Binary_Chunk_Records - 1) / Binary_Chunk_Records;
    auto put = [this, count](std::size_t chunk, ChunkBuffer& into) {
        if (!into.room) into.room.reset(new char[Binary_Chunk_Records * Max_Binary_Record_Size]);
        char* p = into.room.get();
        const std::size_t end = std::min(count, (chunk + 1) * Binary_Chunk_Records);
        for (std::size_t i = chunk * Binary_Chunk_Records; i < end; ++i) {
            if (const GeoData* g = m_records[i]) p += putBinaryRecord(*g, p);
        }
        into.size = std::size_t(p - into.room.get());
    };
    auto write = [&out](const ChunkBuffer& b) {
        out.write(b.room.get(), static_cast<std::streamsize>(b.size));
    };
    ChunkBuffer own;
#ifndef QZCORE_NO_THREADS
    if (chunks <= 1 || !threadsEnabled())
#endif
    {
        // One chunk, or no helper: every chunk here, in order.
        for (std::size_t chunk = 0; chunk < chunks; ++chunk) {
            put(chunk, own);
            write(own);
        }
        return out.good() ? 1 : Error::File_Write_Error;
    }
#ifndef QZCORE_NO_THREADS
    ChunkRing ring;
    std::thread helper([&] { ring.run(chunks, put); });
    struct Join {
        ChunkRing& ring;
        std::thread& helper;
        ~Join() {
            ring.stop();
            helper.join();
        }
    } join{ring, helper};
    for (std::size_t chunk = 0; chunk < chunks; ++chunk) {
        if (ChunkRing::mine(chunk)) {
            put(chunk, own);
            write(own);
        } else {
            const ChunkBuffer& b = ring.take(chunk);
            write(b);
            ring.giveBack(chunk);
        }
    }
    return out.good() ? 1 : Error::File_Write_Error;
#endif
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

int Emitter::emitStereonet(std::ostream& out) {
    // Records without the angles of a block (a marker without its
    // orientation) are left out of it rather than written as -1.
    out << "AD\n";
    for (const GeoData* g : m_records) {
        if (inStereonetPlanes(g)) out << ' ' << g->data()->getStrike() << ' ' << g->data()->getDip() << '\n';
    }
    out << "TP\n";
    for (const GeoData* g : m_records) {
        if (inStereonetLines(g)) out << ' ' << g->data()->getTrend() << ' ' << g->data()->getPlunge() << '\n';
    }
    return out.good() ? 1 : Error::File_Write_Error;
}

int Emitter::emitFaultKin(std::ostream& out) {
    out << "MomentFormat\n";
    for (const GeoData* g : m_records) {
        if (!inFaultKin(g)) continue;
        const LightweightDataStruct* d = g->data();
        out << "\n 0  0    0\n\n\n0 0 0 0 0 0\n\n\n\n";
        const bool inStrike = d->hasSlipInStrikeDirection(), cw = d->hasCWSlip();
        std::string marker = inStrike ? (cw ? "TR" : "NL") : (cw ? "NR" : "TL");
        // Pure dip slip (slip line at right angles to the strike): the
        // table above would call a normal fault T and a reverse fault N.
        // The sense itself names the letter there.
        if (FaultData::slipAngle(d->getStrike(), d->getTrend(), d->getPlunge()) == 90) {
            if (d->getSlip() == GDSlipTypes::GDSlipType_NormalSlip) marker[0] = 'N';
            if (d->getSlip() == GDSlipTypes::GDSlipType_ReverseSlip) marker[0] = 'T';
        }
        out << marker << '\n';
        out << ' ' << d->getStrike() << ' ' << d->getDip() << ' ' << d->getTrend() << ' ' << d->getPlunge()
            << " 0 0 0 0\n";
    }
    return out.good() ? 1 : Error::File_Write_Error;
}

int Emitter::emitBrute3(std::ostream& out) {
    for (const GeoData* g : m_records) {
        // Its sense column is clockwise or not: a fault needs a direction.
        if (!inFaultKin(g)) continue;
        const LightweightDataStruct* d = g->data();
        int code = 0;
        switch (d->getConf()) {
            case 0:
            case 1: code = 4; break;
            case 2: code = 3; break;
            case 3: code = 2; break;
            case 4: code = 1; break;
            default: code = 0; break;
        }
        char line[128];
        std::snprintf(line, sizeof line, "%d  %d  %d  %d  %d  %d\n", d->getStrike(), d->getDip(), d->getTrend(),
                      d->getPlunge(), d->hasCWSlip() ? 1 : 2, code);
        out << line;
    }
    return out.good() ? 1 : Error::File_Write_Error;
}

}  // namespace qzCore
