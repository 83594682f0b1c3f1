#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/files/Emitter.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "qzCore/datasets/Data.h"
#include "qzCore/files/FileHeader.h"
#include "qzCore/records/GDTypes.h"
#include "qzCore/records/GeoData.h"

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
    for (const GeoData* g : m_records) {
        if (!g || !g->data() || !g->tokens()) continue;
        ++number;
        std::string station;
        if (g->data()->hasStationIdAttached()) m_data.getStationIdFromIndex(g->data()->getStationIndex(), station);
        DataStruct values;
        g->get(values);
        row.init(m_options, values, *g->tokens(), m_order, station, number);
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

    // Records are put together byte by byte (little-endian whatever the
    // machine) in a batch written when it fills.
    constexpr std::size_t Batch = 1 << 16;
    constexpr std::size_t Largest_Record = 2 + Max_Binary_Comment_Length + 8 * 5 + 4 + 2 + 5 * 4 + 2 + 4 + 4 + 4 * 8;
    std::vector<char> batch(Batch + Largest_Record);
    char* p = batch.data();
    auto u16 = [&p](std::uint16_t v) {
        p[0] = char(v & 0xFF);
        p[1] = char(v >> 8);
        p += 2;
    };
    auto u32 = [&p](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) p[i] = char((v >> (8 * i)) & 0xFF);
        p += 4;
    };
    auto f64 = [&p](double v) {
        std::uint64_t u = 0;
        std::memcpy(&u, &v, sizeof u);
        for (int i = 0; i < 8; ++i) p[i] = char((u >> (8 * i)) & 0xFF);
        p += 8;
    };
    auto flush = [&] {
        out.write(batch.data(), static_cast<std::streamsize>(p - batch.data()));
        p = batch.data();
    };
    for (const GeoData* g : m_records) {
        if (!g || !g->data()) continue;
        const LightweightDataStruct& d = *g->data();
        const LightweightTokenStruct* t = g->tokens();
        if (std::size_t(p - batch.data()) >= Batch) flush();
        // The comment as the flag word can describe it: at most 255
        // characters, its length in bits 7 to 14.
        const std::size_t length =
            t && t->hasComment() ? std::min(t->getCommentLength(), Max_Binary_Comment_Length) : 0;
        const unsigned short flags = GDFlags::withCommentSize(d.getGDFlags(), length);
        u16(flags);
        if (flags & GDFlags::GDFlag_Has_Comment) {
            std::memcpy(p, t->getComment(), length);
            p += length;
        }
        for (const TokenStruct::Token_Id id :
             {TokenStruct::Type_Token, TokenStruct::Strike_Token, TokenStruct::Dip_Token, TokenStruct::Rake_Token,
              TokenStruct::Trend_Token, TokenStruct::Plunge_Token, TokenStruct::Slip_Token,
              TokenStruct::Confidence_Token}) {
            // The token's five characters, NUL-padded.
            const char* text = t ? t->getToken(id) : "";
            const std::size_t n = boundedLength(text, 5);
            std::memcpy(p, text, n);
            std::memset(p + n, 0, 5 - n);
            p += 5;
        }
        u32(d.getAttributes());
        u16(static_cast<std::uint16_t>(static_cast<std::int16_t>(d.getStationIndex())));
        for (const int v : {d.getStrike(), d.getDip(), d.getRake(), d.getTrend(), d.getPlunge()}) {
            u32(static_cast<std::uint32_t>(v));
        }
        u16(static_cast<std::uint16_t>(static_cast<std::int16_t>(d.getSlip())));
        u32(static_cast<std::uint32_t>(d.getConf()));
        u32(static_cast<unsigned char>(d.getGDType()));
        f64(d.getX());
        f64(d.getY());
        f64(d.getZ());
        f64(d.md());
    }
    flush();
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
