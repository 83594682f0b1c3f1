#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/files/BinaryInput.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <istream>
#include <string>

#include "qzCore/attributes/AttrList.h"
#include "qzCore/datasets/StationList.h"
#include "qzCore/parsing/DataStruct.h"

namespace qzCore {

namespace {

/// Reads exactly n bytes; false when the stream ends first.
bool readBytes(std::istream& in, void* to, std::size_t n) {
    in.read(static_cast<char*>(to), static_cast<std::streamsize>(n));
    return static_cast<std::size_t>(in.gcount()) == n;
}

bool readU32(std::istream& in, std::uint32_t& v) {
    unsigned char b[4];
    if (!readBytes(in, b, 4)) return false;
    v = std::uint32_t(b[0]) | (std::uint32_t(b[1]) << 8) | (std::uint32_t(b[2]) << 16) | (std::uint32_t(b[3]) << 24);
    return true;
}

/// A length-prefixed text of at most max bytes.
bool readText(std::istream& in, std::string& out, std::uint32_t max) {
    std::uint32_t n = 0;
    if (!readU32(in, n) || n > max) return false;
    out.assign(n, '\0');
    return n == 0 || readBytes(in, &out[0], n);
}

/// Angles of a whole record: absent (-1) or within their range.
bool anglesInRange(const DataStruct& d) {
    auto ok = [](int v, int max) { return v == -1 || (v >= 0 && v <= max); };
    return ok(d.getStrike(), 360) && ok(d.getDip(), 90) && ok(d.getRake(), 180) && ok(d.getTrend(), 360) &&
           ok(d.getPlunge(), 90);
}

}  // namespace

// ---------------------------------------------------------------- header

void BinaryInput_v2::readContentFlags(unsigned int& flags) {
    std::uint32_t f = 0;
    if (!readU32(m_in, f)) throw Error::File_Read_Error;
    flags = f;
}

void BinaryInput_v2::readAttributes(AttrList& attributes) {
    std::uint32_t groups = 0;
    if (!readU32(m_in, groups) || groups > AttrList::Max_Num_Groups - 1) throw Error::File_Read_Error;
    for (std::uint32_t i = 0; i < groups; ++i) {
        std::uint32_t mask = 0;
        std::string name;
        if (!readU32(m_in, mask) || !readText(m_in, name, Max_Label_Length)) throw Error::File_Read_Error;
        try {
            attributes.createAttrGroup(name, mask);
        } catch (int) {
            throw Error::File_Read_Error;
        }
    }
    std::uint32_t count = 0;
    if (!readU32(m_in, count) || count > AttrList::Max_Num_Attributes) throw Error::File_Read_Error;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t slot = 0;
        std::string label;
        if (!readU32(m_in, slot) || !readText(m_in, label, Max_Label_Length)) throw Error::File_Read_Error;
        try {
            attributes.insertAttr(slot, label, true);
        } catch (int) {
            throw Error::File_Read_Error;
        }
    }
    std::uint32_t closing = 1;
    if (!readU32(m_in, closing) || closing != 0) throw Error::File_Read_Error;
}

void BinaryInput_v2::readStations(StationList& stations) {
    std::uint32_t count = 0;
    if (!readU32(m_in, count) || count > std::uint32_t(StationList::Max_Num_Stations)) throw Error::File_Read_Error;
    for (std::uint32_t i = 0; i < count; ++i) {
        char id[Station_Id_Size + 1] = {};
        if (!readBytes(m_in, id, Station_Id_Size)) throw Error::File_Read_Error;
        id[Station_Id_Size - 1] = '\0';  // at most 15 characters
        if (stations.insertStation(std::string(id)) < 0) throw Error::File_Read_Error;
    }
}

// ---------------------------------------------------------------- records

bool BinaryInput_v2::take(void* to, std::size_t n) {
    constexpr std::size_t chunk = 1 << 16;
    if (m_end - m_pos < n) {
        // Keep what is left at the front and read on behind it; the buffer
        // is sized once (a record is far smaller than a chunk).
        const std::size_t have = m_end - m_pos;
        if (m_buffer.size() < have + std::max(chunk, n)) m_buffer.resize(have + std::max(chunk, n));
        std::memmove(m_buffer.data(), m_buffer.data() + m_pos, have);
        m_pos = 0;
        m_in.read(m_buffer.data() + have, std::streamsize(m_buffer.size() - have));
        m_end = have + std::size_t(m_in.gcount());
        if (m_end < n) return false;
    }
    std::memcpy(to, m_buffer.data() + m_pos, n);
    m_pos += n;
    return true;
}

bool BinaryInput_v2::atEnd() {
    if (m_pos < m_end) return false;
    return m_in.peek() == std::char_traits<char>::eof();
}

int BinaryInput_v2::readRecordWith(TokenStruct& tokens, DataStruct& data, const Layout& layout) {
    if (atEnd()) return Error::Parsing_Incomplete;
    unsigned char f[2];
    if (!take(f, 2)) return Error::Input_File_Error;
    std::uint16_t flags = static_cast<std::uint16_t>(f[0] | (f[1] << 8));
    if (flags & GDFlags::GDFlag_Has_Comment) {
        const std::uint32_t length = std::uint32_t(flags) >> layout.commentShift;
        if (length > layout.maxComment) return Error::Input_File_Error;
        if (length > 0) {
            if (!take(m_comment.data(), length)) return Error::Input_File_Error;
            m_comment[length] = '\0';
            // A comment holding a NUL ends there.
            if (m_comment[0] != '\0') tokens.setComment(std::string(m_comment.data()));
        }
    }
    // The rest of the record has a fixed size: read it at once.
    const std::size_t fixed = 40 + (layout.reservedAfterTokens ? 8 : 0) + (layout.secondFlags ? 2 : 0) + 36 +
                              (layout.locationKind == 0 ? 12 : 24) + (layout.reservedAfterLocation ? 8 : 0) +
                              (layout.measuredDepth ? 8 : 0);
    unsigned char block[160];
    if (!take(block, fixed)) return Error::Input_File_Error;
    const unsigned char* p = block;
    auto u16 = [&p]() {
        const std::uint16_t v = static_cast<std::uint16_t>(p[0] | (p[1] << 8));
        p += 2;
        return v;
    };
    auto u32 = [&p]() {
        const std::uint32_t v = std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
                                (std::uint32_t(p[3]) << 24);
        p += 4;
        return v;
    };
    auto f64 = [&p]() {
        std::uint64_t u = 0;
        for (int i = 7; i >= 0; --i) u = (u << 8) | p[i];
        p += 8;
        double v = 0.0;
        std::memcpy(&v, &u, sizeof v);
        return v;
    };
    static constexpr TokenStruct::Token_Id order[] = {TokenStruct::Type_Token,   TokenStruct::Strike_Token,
                                                      TokenStruct::Dip_Token,    TokenStruct::Rake_Token,
                                                      TokenStruct::Trend_Token,  TokenStruct::Plunge_Token,
                                                      TokenStruct::Slip_Token,   TokenStruct::Confidence_Token};
    for (const TokenStruct::Token_Id id : order) {
        char t[TokenStruct::Token_Size] = {};
        std::memcpy(t, p, TokenStruct::Token_Size - 1);
        p += TokenStruct::Token_Size - 1;
        tokens.setTokenValue(id, t);
    }
    if (layout.reservedAfterTokens) p += 8;
    if (layout.secondFlags) flags = u16();
    const std::uint32_t attributes = u32();
    const std::uint16_t station = u16();
    const std::int32_t strike = static_cast<std::int32_t>(u32());
    const std::int32_t dip = static_cast<std::int32_t>(u32());
    const std::int32_t rake = static_cast<std::int32_t>(u32());
    const std::int32_t trend = static_cast<std::int32_t>(u32());
    const std::int32_t plunge = static_cast<std::int32_t>(u32());
    const std::uint16_t slip = u16();
    const std::uint32_t confidence = u32();
    const std::uint32_t type = u32();
    double loc[3] = {No_Value_Double, No_Value_Double, No_Value_Double};
    for (double& c : loc) {
        if (layout.locationKind == 0) {
            const std::int32_t v = static_cast<std::int32_t>(u32());
            c = v == -1 ? No_Value_Double : double(v);
        } else {
            const double v = f64();
            c = (layout.locationKind == 1 && v == -1.0) ? No_Value_Double : v;
        }
    }
    if (layout.reservedAfterLocation) p += 8;
    const double md = layout.measuredDepth ? f64() : No_Value_Double;

    // The flag bits a version defines lie below the comment length, which
    // the two oldest keep from bit 3 on: they have no slip flags, so there
    // the slip code alone says whether the record has a slip (and the
    // record works out its slip geometry from its angles).
    data.setSlipType(static_cast<char>(slip & 0xFF));
    data.setGDFlags(static_cast<unsigned short>(flags & ((1u << layout.commentShift) - 1u)));
    if (layout.commentShift < 7) data.setSlipType(static_cast<char>(slip & 0xFF));
    data.setCommentSize(tokens.hasComment() ? tokens.getComment().size() : 0);
    data.setAttributes(attributes);
    data.setStationIndex(static_cast<char>(station & 0xFF));
    data.setStrike(strike);
    data.setDip(dip);
    data.setRake(rake);
    data.setTrend(trend);
    data.setPlunge(plunge);
    data.setConfidence(static_cast<CONFIDENCE>(confidence));
    data.setGDType(static_cast<char>(type & 0xFF));
    data.setX(loc[0]);
    data.setY(loc[1]);
    data.setZ(loc[2]);
    data.setMD(md);
    // Bad values in a well-formed record: the record is refused, the file
    // read on.
    const std::int16_t stationIndex = static_cast<std::int16_t>(station);
    if (!anglesInRange(data) || stationIndex < -1 || stationIndex > 127 || std::isnan(md)) return Error::Invalid_Input_Value;
    return 1;
}

int BinaryInput_v2::readRecord(TokenStruct& tokens, DataStruct& data) {
    return readRecordWith(tokens, data, Layout{3, 128, true, true, 0, true, false});
}

int BinaryInput_v3::readRecord(TokenStruct& tokens, DataStruct& data) {
    return readRecordWith(tokens, data, Layout{3, 128, false, true, 1, false, false});
}

int BinaryInput_v3_1::readRecord(TokenStruct& tokens, DataStruct& data) {
    return readRecordWith(tokens, data, Layout{7, 127, false, false, 2, false, false});
}

int BinaryInput_v3_3::readRecord(TokenStruct& tokens, DataStruct& data) {
    return readRecordWith(tokens, data, Layout{7, 255, false, false, 2, false, true});
}

}  // namespace qzCore
