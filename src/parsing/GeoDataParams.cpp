#include "qzCore/parsing/GeoDataParams.h"

#include <string>

#include "qzCore/parsing/DataStruct.h"

namespace qzCore {

void GeoDataParams::reset() {
    m_type = GDTypes::GDType_Null;
    m_slip = GDSlipTypes::GDSlipType_NoSlip;
    m_int = 3;
    m_list1.clear();
    m_list2.clear();
    for (auto* f : {&m_strike, &m_dip, &m_rake, &m_trend, &m_plunge, &m_sixth, &m_confidence}) f->fill('\0');
    for (auto* f : {&m_x, &m_y, &m_z, &m_md, &m_station}) f->fill('\0');
    m_comment.fill('\0');
    m_ustage = UStageParams();
    m_isUStage = false;
}

void TokenStruct::init(const GeoDataParams& p) {
    reset();
    initComment(p.getComment());
    setTokenValue(Strike_Token, p.getStrike());
    setTokenValue(Dip_Token, p.getDip());
    setTokenValue(Rake_Token, p.getRake());
    setTokenValue(Trend_Token, p.getTrend());
    setTokenValue(Plunge_Token, p.getPlunge());
    setTokenValue(Confidence_Token, p.getConfidence());
    const char* letter = nullptr;
    switch (p.getGDType()) {
        case GDTypes::GDType_Fault: letter = "f"; break;
        case GDTypes::GDType_Line: letter = "l"; break;
        case GDTypes::GDType_Plane: letter = "p"; break;
        case GDTypes::GDType_ZolMarkerData: letter = "m"; break;
        case GDTypes::GDType_ZolWellData: letter = "w"; break;
        case GDTypes::GDType_GenericSpecial: letter = "s"; break;
        default: break;
    }
    if (letter) setTokenValue(Type_Token, letter);
    if (p.getSlipType() != GDSlipTypes::GDSlipType_NoSlip) {
        std::string label;
        if (GDSlipTypes::instance().get(p.getSlipType(), label)) setTokenValue(Slip_Token, label.c_str());
    }
}

void TokenStruct::merge(const TokenStruct& other, const GeoDataChanged* changed) {
    if (changed) {
        const struct {
            std::uint32_t bit;
            Token_Id id;
        } map[] = {{GeoDataChanged::Kind, Type_Token},   {GeoDataChanged::Strike, Strike_Token},
                   {GeoDataChanged::Dip, Dip_Token},     {GeoDataChanged::Rake, Rake_Token},
                   {GeoDataChanged::Trend, Trend_Token}, {GeoDataChanged::Plunge, Plunge_Token}};
        for (const auto& m : map) {
            if (changed->isSet(m.bit)) m_tokens[std::size_t(m.id)] = other.m_tokens[std::size_t(m.id)];
        }
        return;
    }
    for (const Token_Id id : {Type_Token, Strike_Token, Dip_Token, Rake_Token, Trend_Token, Plunge_Token,
                              Confidence_Token}) {
        if (!hasToken(id) && other.hasToken(id)) m_tokens[std::size_t(id)] = other.m_tokens[std::size_t(id)];
    }
}

}  // namespace qzCore
