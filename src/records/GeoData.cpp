#include "qzCore/records/GeoData.h"

#include "qzCore/parsing/SlipWords.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "qzCore/records/GDTypes.h"
#include "qzCore/shared/MyMath.h"
#include "shared/RecordPool.h"

namespace qzCore {

void* GeoData::operator new(std::size_t size) { return recordAllocate(size); }
void GeoData::operator delete(void* block, std::size_t size) noexcept { recordDeallocate(block, size); }

namespace {

template <typename D>
std::unique_ptr<LightweightDataStruct> newDataPart(const DataStruct* d) {
    auto p = std::make_unique<D>();
    if (d) p->set(*d);
    return p;
}

template <typename T>
std::unique_ptr<LightweightTokenStruct> newTokenPart(const TokenStruct* t) {
    auto p = std::make_unique<T>();
    if (t) p->set(*t);
    return p;
}

/// Angles whose decimal rendering a token buffer keeps whole: 1 to 5
/// digits.
bool rendersWhole(int value) { return value >= 0 && value <= 99999; }

/// A token part would keep the same of `text` as of the decimal rendering
/// of `value` (a token buffer keeps a text whole when it fits, else
/// nothing: LightweightTokenStruct::copyToken): the text says nothing the
/// number does not.  Called for every plane and line read.
bool rendersAs(const char* text, int value) {
    if (rendersWhole(value)) {
        // The usual angle: its rendering (no leading zero) is kept whole,
        // so the text must be exactly those digits.
        if (text[0] == '0') return value == 0 && text[1] == '\0';
        int read = 0;
        std::size_t i = 0;
        for (; i < TokenStruct::Token_Size && text[i] >= '0' && text[i] <= '9'; ++i) read = read * 10 + (text[i] - '0');
        return i > 0 && i < TokenStruct::Token_Size && text[i] == '\0' && read == value;
    }
    char buf[16];
    const std::size_t n = static_cast<std::size_t>(std::to_chars(buf, buf + sizeof buf, value).ptr - buf);
    const std::size_t t = boundedLength(text, TokenStruct::Token_Size);
    const std::size_t keptText = t < TokenStruct::Token_Size ? t : 0;
    const std::size_t keptValue = n < TokenStruct::Token_Size ? n : 0;
    if (keptText != keptValue) return false;
    for (std::size_t i = 0; i < keptText; ++i) {
        if (text[i] != buf[i]) return false;
    }
    return true;
}

/// Text of a present angle, or the empty text for an absent one.
template <typename Setter>
void writeAngle(int value, Setter set) {
    if (value != -1) {
        set(std::to_string(value).c_str());
    } else {
        set("");
    }
}

}  // namespace

// ---------------------------------------------------------------- GeoData

GeoData::~GeoData() { delete m_tokens.load(std::memory_order_acquire); }

LightweightTokenStruct* GeoData::tokenPart() const {
    LightweightTokenStruct* held = m_tokens.load(std::memory_order_acquire);
    if (held || !m_data) return held;
    std::unique_ptr<LightweightTokenStruct> made = makeTokenPart();
    if (!made) return nullptr;
    // Two threads may make it at once: the first one's stays.
    if (m_tokens.compare_exchange_strong(held, made.get(), std::memory_order_acq_rel, std::memory_order_acquire)) {
        return made.release();
    }
    return held;
}

void GeoData::setTokenPart(std::unique_ptr<LightweightTokenStruct> part) {
    // A change of the record: no other thread reads it meanwhile (unlike
    // tokens(), which only reads), so a plain store publishes the part.
    LightweightTokenStruct* old = m_tokens.load(std::memory_order_relaxed);
    m_tokens.store(part.release(), std::memory_order_release);
    delete old;
}

const LightweightTokenStruct* GeoData::tokensForReading(std::unique_ptr<LightweightTokenStruct>& scratch) const {
    if (const LightweightTokenStruct* held = m_tokens.load(std::memory_order_acquire)) return held;
    if (!m_data) return nullptr;
    scratch = makeTokenPart();
    return scratch.get();
}

template <typename D, typename T>
void GeoData::modifyParts(const DataStruct& d, const TokenStruct& t) {
    LightweightTokenStruct* tokens = tokenPart();
    if (!tokens) {
        setTokenPart(std::make_unique<T>());
        tokens = tokenPart();
    }
    if (!m_data) m_data = std::make_unique<D>();
    m_data->set(d);
    tokens->set(t);
}

char GeoData::getGDType() const { return m_data ? m_data->getGDType() : GDTypes::GDType_Null; }

void GeoData::get(DataStruct& d) const {
    if (m_data) m_data->get(d);
}

void GeoData::get(TokenStruct& t) const {
    std::unique_ptr<LightweightTokenStruct> scratch;
    if (const LightweightTokenStruct* tokens = tokensForReading(scratch)) tokens->get(t);
}

void GeoData::setComment(const char* text) {
    if (!m_data) return;
    LightweightTokenStruct* tokens = tokenPart();
    if (!tokens) return;
    tokens->setComment(text);
    syncCommentSize();
}

void GeoData::syncCommentSize() {
    if (!m_data) return;
    const LightweightTokenStruct* tokens = m_tokens.load(std::memory_order_acquire);
    m_data->setCommentSize(tokens ? tokens->getCommentLength() : 0);
}

void GeoData::reset() {
    m_dataReference = 0;
    free();
}

void GeoData::free() {
    setTokenPart(nullptr);
    m_data.reset();
}

void GeoData::assignParts(const GeoData& o) {
    if (this == &o) return;
    m_data = o.m_data ? o.m_data->clone() : nullptr;
    // A record that keeps no token part is copied as one that keeps none.
    const LightweightTokenStruct* tokens = o.m_tokens.load(std::memory_order_acquire);
    setTokenPart(tokens ? tokens->clone() : nullptr);
}

void GeoData::setKind(char kind) {
    if (m_data) m_data->setGDType(kind);
}

// ---------------------------------------------------------------- PlaneData

PlaneData::PlaneData() {
    m_data = newDataPart<PlanarDataStruct>(nullptr);
    setTokenPart(newTokenPart<PlanarTokenStruct>(nullptr));
    setKind(GDTypes::GDType_Plane);
}

PlaneData::PlaneData(const TokenStruct& t, const DataStruct& d) {
    m_data = newDataPart<PlanarDataStruct>(&d);
    if (t.hasComment() || !rendersAs(t.strike(), m_data->getStrike()) || !rendersAs(t.dip(), m_data->getDip())) {
        setTokenPart(newTokenPart<PlanarTokenStruct>(&t));
    }
    setKind(GDTypes::GDType_Plane);
    syncCommentSize();
}

std::unique_ptr<LightweightTokenStruct> PlaneData::makeTokenPart() const {
    if (!m_data) return nullptr;
    auto t = std::make_unique<PlanarTokenStruct>();
    t->setStrike(m_data->getStrike());
    t->setDip(m_data->getDip());
    return t;
}

PlaneData::PlaneData(const PlaneData& o) : GeoData(o) {
    assignParts(o);
    setKind(GDTypes::GDType_Plane);
    syncCommentSize();
}

PlaneData& PlaneData::operator=(const PlaneData& o) {
    if (this != &o) {
        GeoData::operator=(o);
        assignParts(o);
    }
    return *this;
}

void PlaneData::modifyValues(const DataStruct& d, const TokenStruct& t) {
    modifyParts<PlanarDataStruct, PlanarTokenStruct>(d, t);
    syncCommentSize();
}

void PlaneData::generateTokenValues() {
    if (!data()) return;
    // Texts made from the numbers when asked are these texts already.
    if (!keepsTokenPart() && rendersWhole(data()->getDip()) && rendersWhole(data()->getStrike())) return;
    if (!tokens()) return;
    writeAngle(data()->getDip(), [this](const char* s) { tokens()->setDip(s); });
    writeAngle(data()->getStrike(), [this](const char* s) { tokens()->setStrike(s); });
}

// ---------------------------------------------------------------- LineData

LineData::LineData() {
    m_data = newDataPart<LinearDataStruct>(nullptr);
    setTokenPart(newTokenPart<LinearTokenStruct>(nullptr));
    setKind(GDTypes::GDType_Line);
}

LineData::LineData(const TokenStruct& t, const DataStruct& d) : LineData(t, d, KeepKind{}) {
    setKind(GDTypes::GDType_Line);
}

LineData::LineData(const TokenStruct& t, const DataStruct& d, KeepKind) {
    m_data = newDataPart<LinearDataStruct>(&d);
    if (t.hasComment() || !rendersAs(t.trend(), m_data->getTrend()) || !rendersAs(t.plunge(), m_data->getPlunge())) {
        setTokenPart(newTokenPart<LinearTokenStruct>(&t));
    }
    syncCommentSize();
}

std::unique_ptr<LightweightTokenStruct> LineData::makeTokenPart() const {
    if (!m_data) return nullptr;
    auto t = std::make_unique<LinearTokenStruct>();
    t->setTrend(m_data->getTrend());
    t->setPlunge(m_data->getPlunge());
    return t;
}

LineData::LineData(const LineData& o) : GeoData(o) {
    assignParts(o);
    syncCommentSize();
}

LineData& LineData::operator=(const LineData& o) {
    if (this != &o) {
        GeoData::operator=(o);
        assignParts(o);
    }
    return *this;
}

void LineData::modifyValues(const DataStruct& d, const TokenStruct& t) {
    modifyParts<LinearDataStruct, LinearTokenStruct>(d, t);
    syncCommentSize();
}

void LineData::generateTokenValues() {
    if (!data()) return;
    // Texts made from the numbers when asked are these texts already.
    if (!keepsTokenPart() && rendersWhole(data()->getPlunge()) && rendersWhole(data()->getTrend())) return;
    if (!tokens()) return;
    writeAngle(data()->getPlunge(), [this](const char* s) { tokens()->setPlunge(s); });
    writeAngle(data()->getTrend(), [this](const char* s) { tokens()->setTrend(s); });
}

// ---------------------------------------------------------------- FaultData

FaultData::FaultData() {
    m_data = newDataPart<CompositeDataStruct>(nullptr);
    setTokenPart(newTokenPart<CompositeTokenStruct>(nullptr));
    setKind(GDTypes::GDType_Fault);
}

FaultData::FaultData(const TokenStruct& t, const DataStruct& d) {
    m_data = newDataPart<CompositeDataStruct>(&d);
    setTokenPart(newTokenPart<CompositeTokenStruct>(&t));
    setKind(GDTypes::GDType_Fault);
    syncCommentSize();
    computeSlipToken();
    computeSlipRotationValue();
}

FaultData::FaultData(const FaultData& o) : GeoData(o) {
    copyValuesFrom(o);
    setKind(GDTypes::GDType_Fault);
    computeSlipToken();
    computeSlipRotationValue();
}

FaultData& FaultData::operator=(const FaultData& o) {
    if (this != &o) {
        GeoData::operator=(o);
        assignParts(o);
    }
    return *this;
}

void FaultData::copyValuesFrom(const FaultData& o) {
    assignParts(o);
    syncCommentSize();
}

void FaultData::modifyValues(const DataStruct& d, const TokenStruct& t) {
    modifyParts<CompositeDataStruct, CompositeTokenStruct>(d, t);
    syncCommentSize();
    computeSlipToken();
    computeSlipRotationValue();
}

void FaultData::generateTokenValues() {
    if (!data() || !tokens()) return;
    tokens()->setDip(data()->getDip());
    tokens()->setStrike(data()->getStrike());
    writeAngle(data()->getRake(), [this](const char* s) { tokens()->setRake(s); });
    computeSlipToken();
}

void FaultData::generateTPTokenValues() {
    if (!data() || !tokens()) return;
    writeAngle(data()->getPlunge(), [this](const char* s) { tokens()->setPlunge(s); });
    writeAngle(data()->getRake(), [this](const char* s) { tokens()->setRake(s); });
    writeAngle(data()->getTrend(), [this](const char* s) { tokens()->setTrend(s); });
}

void FaultData::computeSlipToken() {
    if (!data() || !tokens()) return;
    if (data()->hasSlip()) {
        std::string label;
        if (GDSlipTypes::instance().get(data()->getSlip(), label)) {
            tokens()->setSlip(label.c_str());
        } else {
            tokens()->setSlip("");
            data()->setGDFlags(static_cast<unsigned short>(data()->getGDFlags() & ~GDFlags::GDFlag_HasSlip));
        }
    } else {
        tokens()->setSlip("");
    }
}

void FaultData::resetSlipFlags(bool hasSlip) {
    if (!data()) return;
    unsigned short f = data()->getGDFlags();
    f = static_cast<unsigned short>(f & ~(GDFlags::GDFlag_Has_CWSlip | GDFlags::GDFlag_Has_CCWSlip |
                                          GDFlags::GDFlag_SlipInStrikeDir | GDFlags::GDFlag_HasSlip));
    if (hasSlip) f = static_cast<unsigned short>(f | GDFlags::GDFlag_HasSlip);
    data()->setGDFlags(f);
}

void FaultData::computeSlipRotationValue() {
    if (!data() || !tokens()) return;
    resetSlipFlags(data()->hasSlip());
    if (tokens()->getSlip()[0] == '\0') return;
    if (!data()->hasTrend() || !data()->hasPlunge() || !data()->hasStrike()) return;

    const int a = slipAngle(data()->getStrike(), data()->getTrend(), data()->getPlunge());
    unsigned short f = data()->getGDFlags();
    if (a < 90) f = static_cast<unsigned short>(f | GDFlags::GDFlag_SlipInStrikeDir);
    const int sense = rotationSense(a, data()->getSlip());
    if (sense == 1) f = static_cast<unsigned short>(f | GDFlags::GDFlag_Has_CCWSlip);
    if (sense == 0) f = static_cast<unsigned short>(f | GDFlags::GDFlag_Has_CWSlip);
    data()->setGDFlags(f);
}

int FaultData::slipAngle(int strike, int trend, int plunge) { return slipAngleOf(strike, trend, plunge); }

int FaultData::rotationSense(int a, char slip) { return slipRotation(a, slip); }

int FaultData::hangingWallClass(int strike, int trend, int plunge, char slip) {
    const int angle = slipAngle(strike, trend, plunge);
    const int sense = rotationSense(angle, slip);
    if (sense < 0) return -1;
    return hangingWallClass(angle, sense == 0);
}

// ---------------------------------------------------------------- SpecialData

SpecialData::SpecialData() { setKind(GDTypes::GDType_GenericSpecial); }

SpecialData::SpecialData(const DataStruct& d, const TokenStruct& t) : LineData(t, d, KeepKind{}) {}

SpecialData::SpecialData(int trend, int plunge, char kind, const char* comment) {
    setKind(kind);
    setAz(trend);
    setPl(plunge);
    if (comment) setComment(comment);
}

int SpecialData::getAz() const { return data() ? data()->getTrend() : -1; }
int SpecialData::getPl() const { return data() ? data()->getPlunge() : -1; }

void SpecialData::setAz(int v) {
    if (!data() || !tokens()) return;
    data()->setTrend(v);
    tokens()->setTrend(v);
}

void SpecialData::setPl(int v) {
    if (!data() || !tokens()) return;
    data()->setPlunge(v);
    tokens()->setPlunge(v);
}

void SpecialData::setSpecialType(const char* label) {
    char code = GDTypes::GDType_Null;
    if (!label || !GDTypes::instance().get(std::string(label), code)) code = GDTypes::GDType_Null;
    setKind(code);
}

// ---------------------------------------------------------------- UStageData

UStageData::UStageData() { setKind(GDTypes::GDType_UStage); }

UStageData::UStageData(const DataStruct& d, const TokenStruct& t) {
    modifyParts<CompositeDataStruct, CompositeTokenStruct>(d, t);
    setKind(GDTypes::GDType_UStage);
    syncCommentSize();
}

UStageData::UStageData(const UStageData& o) : FaultData() {
    setDataReference(o.getDataReference());
    copyValuesFrom(o);
    setKind(GDTypes::GDType_UStage);
}

UStageData& UStageData::operator=(const UStageData& o) {
    if (this != &o) {
        setDataReference(o.getDataReference());
        copyValuesFrom(o);
    }
    return *this;
}

void UStageData::modifyValues(const DataStruct& d, const TokenStruct& t) {
    modifyParts<CompositeDataStruct, CompositeTokenStruct>(d, t);
    syncCommentSize();
}

void UStageData::generateTokenValues() {
    if (!data() || !tokens()) return;
    writeAngle(data()->getDip(), [this](const char* s) { tokens()->setDip(s); });
    writeAngle(data()->getPlunge(), [this](const char* s) { tokens()->setPlunge(s); });
    writeAngle(data()->getStrike(), [this](const char* s) { tokens()->setStrike(s); });
    writeAngle(data()->getTrend(), [this](const char* s) { tokens()->setTrend(s); });
}

int UStageData::getAxis1Tr() const { return data() ? data()->getTrend() : -1; }
int UStageData::getAxis1Pl() const { return data() ? data()->getPlunge() : -1; }
int UStageData::getAxis2Tr() const { return data() ? data()->getStrike() : -1; }
int UStageData::getAxis2Pl() const { return data() ? data()->getDip() : -1; }

bool UStageData::hasAcceptableAxes() const {
    if (!data()) return false;
    const MyMath math;
    const int angle = math.computeAngleBetweenObjects(getAxis1Tr(), getAxis1Pl(), getAxis2Tr(), getAxis2Pl(), false);
    return std::abs(angle - 90) <= Axis_Tolerance;
}

}  // namespace qzCore
