#include "qzCore/parsing/DataStruct.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "shared/RecordPool.h"

namespace qzCore {

namespace {
const std::string kNoComment;
}

// ------------------------------------------------------------ GDCommonFields

GDCommonFields::GDCommonFields(const GDCommonFields& o)
    : m_attributes(o.m_attributes),
      m_flags(o.m_flags),
      m_type(o.m_type),
      m_station(o.m_station),
      m_place(o.m_place ? std::make_unique<Place>(*o.m_place) : nullptr) {}

GDCommonFields& GDCommonFields::operator=(const GDCommonFields& o) {
    if (this != &o) {
        m_attributes = o.m_attributes;
        m_flags = o.m_flags;
        m_type = o.m_type;
        m_station = o.m_station;
        m_place = o.m_place ? std::make_unique<Place>(*o.m_place) : nullptr;
    }
    return *this;
}

void GDCommonFields::setAttributes(std::uint32_t mask) {
    m_attributes = mask;
    if (mask != 0) {
        m_flags = static_cast<unsigned short>(m_flags | GDFlags::GDFlag_Has_Attribute);
    } else {
        m_flags = static_cast<unsigned short>(m_flags & ~GDFlags::GDFlag_Has_Attribute);
    }
}

bool GDCommonFields::hasAttribute_FromIndex(int index) const {
    if (index < 0 || index >= Max_Num_Attributes) return false;
    return (m_attributes >> index) & 1u;
}

bool GDCommonFields::linkAttribute_FromIndex(int index) {
    if (index < 0 || index >= Max_Num_Attributes) return false;
    setAttributes(m_attributes | (1u << index));
    return true;
}

bool GDCommonFields::unlinkAttribute_FromIndex(int index) {
    if (index < 0 || index >= Max_Num_Attributes) return false;
    setAttributes(m_attributes & ~(1u << index));
    return true;
}

std::size_t GDCommonFields::getCommentSize() const {
    // Bits 7 to 15 of the word; only lengths up to 255 are meaningful.
    return std::min<std::size_t>(m_flags >> GDFlags::Bit_Offset_To_Comment_Size,
                                 GDFlags::Max_Comment_Size);
}

void GDCommonFields::linkStation_FromIndex(char index) {
    m_station = index < 0 ? char(-1) : index;
    setHasStation(index >= 0);
}

void GDCommonFields::setHasStation(bool on) {
    if (on) {
        m_flags = static_cast<unsigned short>(m_flags | GDFlags::GDFlag_Has_Station);
    } else {
        m_flags = static_cast<unsigned short>(m_flags & ~GDFlags::GDFlag_Has_Station);
    }
}

bool GDCommonFields::hasStationIdAttached() const {
    return (m_flags & GDFlags::GDFlag_Has_Station) != 0 && m_station >= 0;
}

void* GDCommonFields::Place::operator new(std::size_t size) { return recordAllocate(size); }
void GDCommonFields::Place::operator delete(void* block, std::size_t size) noexcept {
    recordDeallocate(block, size);
}

GDCommonFields::Place& GDCommonFields::place() {
    if (!m_place) m_place = std::make_unique<Place>();
    return *m_place;
}

bool GDCommonFields::getLoc(ThreeDPoint<double>& p) const {
    if (!hasLocBlock()) return false;
    p.init(m_place->loc[0], m_place->loc[1], m_place->loc[2]);
    return true;
}

void GDCommonFields::setLoc(const ThreeDPoint<double>& p) {
    Place& where = place();
    where.loc = {p.x(), p.y(), p.z()};
    where.located = true;
}

void GDCommonFields::clearLoc() {
    if (!m_place) return;
    if (m_place->md == No_Value_Double) {
        m_place.reset();
        return;
    }
    m_place->loc = {No_Value_Double, No_Value_Double, No_Value_Double};
    m_place->located = false;
}

void GDCommonFields::setMD(double v) {
    if (!m_place && v == No_Value_Double) return;
    place().md = v;
}

void GDCommonFields::setCoord(int i, double v) {
    if (!hasLocBlock()) {
        if (v == No_Value_Double) return;
        place().located = true;
    }
    m_place->loc[std::size_t(i)] = v;
}

void GDCommonFields::resetCommon() {
    m_attributes = 0;
    m_flags = 0;
    m_type = GDTypes::GDType_Null;
    m_station = -1;
    m_place.reset();
}

bool GDCommonFields::commonEqual(const GDCommonFields& o) const {
    return m_attributes == o.m_attributes && m_flags == o.m_flags && m_type == o.m_type &&
           m_station == o.m_station && md() == o.md();
}

// ---------------------------------------------------------------- DataStruct

void DataStruct::setSlipType(char slip) {
    m_slip = slip;
    setGDFlags(GDFlags::withSlipCode(getGDFlags(), slip));
}

void DataStruct::resetSlipFlags() {
    setGDFlags(static_cast<unsigned short>(
        getGDFlags() & ~(GDFlags::GDFlag_Has_CWSlip | GDFlags::GDFlag_Has_CCWSlip | GDFlags::GDFlag_HasSlip)));
}

void DataStruct::reset() { *this = DataStruct(); }

bool operator==(const DataStruct& a, const DataStruct& b) {
    return a.commonEqual(b) && a.m_strike == b.m_strike && a.m_dip == b.m_dip &&
           a.m_rake == b.m_rake && a.m_trend == b.m_trend && a.m_plunge == b.m_plunge &&
           a.m_confidence == b.m_confidence && a.m_slip == b.m_slip;
}

// ---------------------------------------------------------------- TokenStruct

void TokenStruct::reset() {
    for (auto& t : m_tokens) t.fill('\0');
    m_comment.reset();
}

bool TokenStruct::isEmpty() const {
    for (Token_Id id : {Type_Token, Strike_Token, Dip_Token, Rake_Token, Trend_Token, Plunge_Token,
                        Confidence_Token}) {
        if (hasToken(id)) return false;
    }
    return true;
}

bool TokenStruct::setTokenValue(Token_Id id, int value) {
    char buf[16];
    const auto end = std::to_chars(buf, buf + sizeof buf - 1, value).ptr;
    *end = '\0';
    return setTokenValue(id, buf);
}

bool TokenStruct::setTokenValue(Token_Id id, const char* text) {
    if (!text) return false;
    const std::size_t n = boundedLength(text, Token_Size);
    if (n >= Token_Size) return false;
    TokenBuffer& t = m_tokens[std::size_t(id)];
    t.fill('\0');
    std::memcpy(t.data(), text, n);
    return true;
}

void TokenStruct::setComment(const char* text) {
    if (!text) {
        m_comment.reset();
    } else {
        m_comment = std::string(text);
    }
}

void TokenStruct::initComment(const char* text) {
    if (text && *text) m_comment = std::string(text);
}

const std::string& TokenStruct::getComment() const { return m_comment ? *m_comment : kNoComment; }

}  // namespace qzCore
