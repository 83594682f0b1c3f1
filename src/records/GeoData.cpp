#include "qzCore/records/GeoData.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "qzCore/records/GDTypes.h"
#include "qzCore/shared/MyMath.h"
#include "qzCore/shared/RecordPool.h"

namespace qzCore {

void* GeoData::operator new(std::size_t size) { return recordAllocate(size); }
void GeoData::operator delete(void* block, std::size_t size) noexcept { recordDeallocate(block, size); }

namespace {

template <typename D, typename T>
void buildParts(std::unique_ptr<LightweightDataStruct>& data, std::unique_ptr<LightweightTokenStruct>& tokens,
                const DataStruct* d, const TokenStruct* t) {
    auto dp = std::make_unique<D>();
    auto tp = std::make_unique<T>();
    if (d) dp->set(*d);
    if (t) tp->set(*t);
    data = std::move(dp);
    tokens = std::move(tp);
}

template <typename D, typename T>
void modifyParts(std::unique_ptr<LightweightDataStruct>& data, std::unique_ptr<LightweightTokenStruct>& tokens,
                 const DataStruct& d, const TokenStruct& t) {
    if (!data) data = std::make_unique<D>();
    data->set(d);
    if (!tokens) tokens = std::make_unique<T>();
    tokens->set(t);
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

char GeoData::getGDType() const { return m_data ? m_data->getGDType() : GDTypes::GDType_Null; }

void GeoData::get(DataStruct& d) const {
    if (m_data) m_data->get(d);
}

void GeoData::get(TokenStruct& t) const {
    if (m_tokens) m_tokens->get(t);
}

void GeoData::setComment(const char* text) {
    if (!m_data || !m_tokens) return;
    m_tokens->setComment(text);
    syncCommentSize();
}

void GeoData::syncCommentSize() {
    if (!m_data) return;
    m_data->setCommentSize(m_tokens ? m_tokens->getCommentLength() : 0);
}

void GeoData::reset() {
    m_dataReference = 0;
    free();
}

void GeoData::free() {
    m_tokens.reset();
    m_data.reset();
}

void GeoData::assignParts(const GeoData& o) {
    if (this == &o) return;
    m_data = o.m_data ? o.m_data->clone() : nullptr;
    m_tokens = o.m_tokens ? o.m_tokens->clone() : nullptr;
}

void GeoData::setKind(char kind) {
    if (m_data) m_data->setGDType(kind);
}

// ---------------------------------------------------------------- PlaneData

PlaneData::PlaneData() {
    buildParts<PlanarDataStruct, PlanarTokenStruct>(m_data, m_tokens, nullptr, nullptr);
    setKind(GDTypes::GDType_Plane);
}

PlaneData::PlaneData(const TokenStruct& t, const DataStruct& d) {
    buildParts<PlanarDataStruct, PlanarTokenStruct>(m_data, m_tokens, &d, &t);
    setKind(GDTypes::GDType_Plane);
    syncCommentSize();
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
    modifyParts<PlanarDataStruct, PlanarTokenStruct>(m_data, m_tokens, d, t);
    syncCommentSize();
}

void PlaneData::generateTokenValues() {
    if (!data() || !tokens()) return;
    writeAngle(data()->getDip(), [this](const char* s) { tokens()->setDip(s); });
    writeAngle(data()->getStrike(), [this](const char* s) { tokens()->setStrike(s); });
}

// ---------------------------------------------------------------- LineData

LineData::LineData() {
    buildParts<LinearDataStruct, LinearTokenStruct>(m_data, m_tokens, nullptr, nullptr);
    setKind(GDTypes::GDType_Line);
}

LineData::LineData(const TokenStruct& t, const DataStruct& d) : LineData(t, d, KeepKind{}) {
    setKind(GDTypes::GDType_Line);
}

LineData::LineData(const TokenStruct& t, const DataStruct& d, KeepKind) {
    buildParts<LinearDataStruct, LinearTokenStruct>(m_data, m_tokens, &d, &t);
    syncCommentSize();
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
    modifyParts<LinearDataStruct, LinearTokenStruct>(m_data, m_tokens, d, t);
    syncCommentSize();
}

void LineData::generateTokenValues() {
    if (!data() || !tokens()) return;
    writeAngle(data()->getPlunge(), [this](const char* s) { tokens()->setPlunge(s); });
    writeAngle(data()->getTrend(), [this](const char* s) { tokens()->setTrend(s); });
}

// ---------------------------------------------------------------- FaultData

FaultData::FaultData() {
    buildParts<CompositeDataStruct, CompositeTokenStruct>(m_data, m_tokens, nullptr, nullptr);
    setKind(GDTypes::GDType_Fault);
}

FaultData::FaultData(const TokenStruct& t, const DataStruct& d) {
    buildParts<CompositeDataStruct, CompositeTokenStruct>(m_data, m_tokens, &d, &t);
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
    modifyParts<CompositeDataStruct, CompositeTokenStruct>(m_data, m_tokens, d, t);
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

int FaultData::slipAngle(int strike, int trend, int plunge) {
    const Matrix_1 strikeLine = Matrix_1::wholeDegrees(strike, 0);
    const Matrix_1 slipLine = Matrix_1::wholeDegrees(trend, plunge);
    const double cosA = std::max(-1.0, std::min(1.0, strikeLine.dotProduct(slipLine)));
    return FloatToInt_Global(std::acos(cosA) * MyMath::Rad_To_Deg);
}

int FaultData::rotationSense(int a, char slip) {
    using S = GDSlipTypes;
    const bool ll = slip == S::GDSlipType_LeftLatSlip, rl = slip == S::GDSlipType_RightLatSlip;
    const bool normal = slip == S::GDSlipType_NormalSlip, reverse = slip == S::GDSlipType_ReverseSlip;
    bool ccw = false, cw = false;
    if (a == 0 || a == 180) {
        ccw = ll;
        cw = rl;
    } else if (a == 90) {
        ccw = normal;
        cw = reverse;
    } else if (a < 90) {
        ccw = ll || normal;
        cw = rl || reverse;
    } else {
        ccw = ll || reverse;
        cw = rl || normal;
    }
    return ccw ? 1 : (cw ? 0 : -1);
}

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
    modifyParts<CompositeDataStruct, CompositeTokenStruct>(m_data, m_tokens, d, t);
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
    modifyParts<CompositeDataStruct, CompositeTokenStruct>(m_data, m_tokens, d, t);
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
