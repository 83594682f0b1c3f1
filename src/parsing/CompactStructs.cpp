#include "qzCore/parsing/CompactStructs.h"

#include <charconv>
#include <cstdio>
#include <cstring>

#include "shared/RecordPool.h"

namespace qzCore {

void* LightweightDataStruct::operator new(std::size_t size) { return recordAllocate(size); }
void LightweightDataStruct::operator delete(void* block, std::size_t size) noexcept { recordDeallocate(block, size); }
void* LightweightTokenStruct::operator new(std::size_t size) { return recordAllocate(size); }
void LightweightTokenStruct::operator delete(void* block, std::size_t size) noexcept {
    recordDeallocate(block, size);
}

// ------------------------------------------------------------ value forms

void LightweightDataStruct::get(DataStruct& d) const {
    static_cast<GDCommonFields&>(d) = static_cast<const GDCommonFields&>(*this);
}

void LightweightDataStruct::set(const DataStruct& d) {
    static_cast<GDCommonFields&>(*this) = static_cast<const GDCommonFields&>(d);
}

void PlanarDataStruct::reset() {
    LightweightDataStruct::reset();
    m_dip = -1;
    m_strike = -1;
}

void PlanarDataStruct::get(DataStruct& d) const {
    LightweightDataStruct::get(d);
    if (hasDip()) d.setDip(m_dip);
    if (hasStrike()) d.setStrike(m_strike);
}

void PlanarDataStruct::set(const DataStruct& d) {
    LightweightDataStruct::set(d);
    m_dip = d.getDip();
    m_strike = d.getStrike();
}

std::unique_ptr<LightweightDataStruct> PlanarDataStruct::clone() const {
    return std::make_unique<PlanarDataStruct>(*this);
}

void LinearDataStruct::reset() {
    LightweightDataStruct::reset();
    m_plunge = -1;
    m_trend = -1;
}

void LinearDataStruct::get(DataStruct& d) const {
    LightweightDataStruct::get(d);
    if (hasPlunge()) d.setPlunge(m_plunge);
    if (hasTrend()) d.setTrend(m_trend);
}

void LinearDataStruct::set(const DataStruct& d) {
    LightweightDataStruct::set(d);
    m_plunge = d.getPlunge();
    m_trend = d.getTrend();
}

std::unique_ptr<LightweightDataStruct> LinearDataStruct::clone() const {
    return std::make_unique<LinearDataStruct>(*this);
}

void CompositeDataStruct::reset() {
    LightweightDataStruct::reset();
    m_conf = Confidence_None;
    m_dip = m_plunge = m_rake = m_strike = m_trend = -1;
    m_slip = GDSlipTypes::GDSlipType_NoSlip;
}

void CompositeDataStruct::setSlip(char slip) {
    m_slip = slip;
    setGDFlags(GDFlags::withSlipCode(getGDFlags(), slip));
}

void CompositeDataStruct::get(DataStruct& d) const {
    LightweightDataStruct::get(d);
    d.setConfidence(m_conf);
    if (hasDip()) d.setDip(m_dip);
    if (hasPlunge()) d.setPlunge(m_plunge);
    if (hasRake()) d.setRake(m_rake);
    // The flag word was copied with the common part; the code alone here.
    const unsigned short flags = d.getGDFlags();
    d.setSlipType(m_slip);
    d.setGDFlags(flags);
    if (hasStrike()) d.setStrike(m_strike);
    if (hasTrend()) d.setTrend(m_trend);
}

void CompositeDataStruct::set(const DataStruct& d) {
    LightweightDataStruct::set(d);
    m_conf = d.getConfidence();
    m_dip = d.getDip();
    m_plunge = d.getPlunge();
    m_rake = d.getRake();
    setSlip(d.getSlipType());
    m_strike = d.getStrike();
    m_trend = d.getTrend();
}

std::unique_ptr<LightweightDataStruct> CompositeDataStruct::clone() const {
    return std::make_unique<CompositeDataStruct>(*this);
}

// ------------------------------------------------------------ token forms

LightweightTokenStruct::LightweightTokenStruct(const LightweightTokenStruct& o) {
    setComment(o.hasComment() ? o.getComment() : nullptr);
}

LightweightTokenStruct& LightweightTokenStruct::operator=(const LightweightTokenStruct& o) {
    if (this != &o) setComment(o.hasComment() ? o.getComment() : nullptr);
    return *this;
}

void LightweightTokenStruct::setComment(const char* text) {
    if (!text) {
        m_comment.reset();
        m_where = No_Comment;
        return;
    }
    const std::size_t n = std::strlen(text);
    if (n <= Inline_Comment_Length) {
        std::memcpy(m_inline.data(), text, n + 1);
        m_comment.reset();
        m_where = Inline_Comment;
        return;
    }
    auto buf = std::make_unique<char[]>(n + 1);
    std::memcpy(buf.get(), text, n + 1);
    m_comment = std::move(buf);
    m_where = Heap_Comment;
}

const char* LightweightTokenStruct::getComment() const {
    switch (m_where) {
        case Inline_Comment: return m_inline.data();
        case Heap_Comment: return m_comment.get();
        default: return "";
    }
}

std::size_t LightweightTokenStruct::getCommentLength() const { return std::strlen(getComment()); }

void LightweightTokenStruct::get(TokenStruct& t) const {
    if (hasComment()) t.setComment(getComment());
}

void LightweightTokenStruct::set(const TokenStruct& t) {
    setComment(t.hasComment() ? t.getComment().c_str() : nullptr);
}

void LightweightTokenStruct::copyToken(TokenBuffer& to, const char* from) {
    if (!from) return;
    const std::size_t n = boundedLength(from, TokenStruct::Token_Size);
    if (n >= TokenStruct::Token_Size) return;
    to.fill('\0');
    std::memcpy(to.data(), from, n);
}

void LightweightTokenStruct::copyToken(TokenBuffer& to, int value) {
    char buf[16];
    const auto end = std::to_chars(buf, buf + sizeof buf - 1, value).ptr;
    *end = '\0';
    copyToken(to, buf);
}

void LightweightTokenStruct::putToken(TokenStruct& t, TokenStruct::Token_Id id, const TokenBuffer& from) {
    if (from[0] != '\0') t.setTokenValue(id, from.data());
}

void PlanarTokenStruct::get(TokenStruct& t) const {
    LightweightTokenStruct::get(t);
    putToken(t, TokenStruct::Strike_Token, m_strike);
    putToken(t, TokenStruct::Dip_Token, m_dip);
}

void PlanarTokenStruct::set(const TokenStruct& t) {
    LightweightTokenStruct::set(t);
    copyToken(m_strike, t.strike());
    copyToken(m_dip, t.dip());
}

void PlanarTokenStruct::reset() {
    LightweightTokenStruct::reset();
    m_strike.fill('\0');
    m_dip.fill('\0');
}

std::unique_ptr<LightweightTokenStruct> PlanarTokenStruct::clone() const {
    return std::make_unique<PlanarTokenStruct>(*this);
}

void LinearTokenStruct::get(TokenStruct& t) const {
    LightweightTokenStruct::get(t);
    putToken(t, TokenStruct::Trend_Token, m_trend);
    putToken(t, TokenStruct::Plunge_Token, m_plunge);
}

void LinearTokenStruct::set(const TokenStruct& t) {
    LightweightTokenStruct::set(t);
    copyToken(m_trend, t.trend());
    copyToken(m_plunge, t.plunge());
}

void LinearTokenStruct::reset() {
    LightweightTokenStruct::reset();
    m_trend.fill('\0');
    m_plunge.fill('\0');
}

std::unique_ptr<LightweightTokenStruct> LinearTokenStruct::clone() const {
    return std::make_unique<LinearTokenStruct>(*this);
}

const char* CompositeTokenStruct::getToken(TokenStruct::Token_Id id) const {
    switch (id) {
        case TokenStruct::Confidence_Token: return m_conf.data();
        case TokenStruct::Dip_Token: return m_dip.data();
        case TokenStruct::Plunge_Token: return m_plunge.data();
        case TokenStruct::Rake_Token: return m_rake.data();
        case TokenStruct::Slip_Token: return m_slip.data();
        case TokenStruct::Strike_Token: return m_strike.data();
        case TokenStruct::Trend_Token: return m_trend.data();
        default: return "";
    }
}

void CompositeTokenStruct::get(TokenStruct& t) const {
    LightweightTokenStruct::get(t);
    putToken(t, TokenStruct::Confidence_Token, m_conf);
    putToken(t, TokenStruct::Dip_Token, m_dip);
    putToken(t, TokenStruct::Plunge_Token, m_plunge);
    putToken(t, TokenStruct::Rake_Token, m_rake);
    putToken(t, TokenStruct::Slip_Token, m_slip);
    putToken(t, TokenStruct::Strike_Token, m_strike);
    putToken(t, TokenStruct::Trend_Token, m_trend);
}

void CompositeTokenStruct::set(const TokenStruct& t) {
    LightweightTokenStruct::set(t);
    copyToken(m_conf, t.confidence());
    copyToken(m_dip, t.dip());
    copyToken(m_plunge, t.plunge());
    copyToken(m_rake, t.rake());
    copyToken(m_slip, t.slip());
    copyToken(m_strike, t.strike());
    copyToken(m_trend, t.trend());
}

void CompositeTokenStruct::reset() {
    LightweightTokenStruct::reset();
    for (TokenBuffer* b : {&m_conf, &m_dip, &m_plunge, &m_rake, &m_slip, &m_strike, &m_trend}) b->fill('\0');
}

std::unique_ptr<LightweightTokenStruct> CompositeTokenStruct::clone() const {
    return std::make_unique<CompositeTokenStruct>(*this);
}

}  // namespace qzCore
