#include "qzCore/parsing/qzTokenList.h"

#include "qzCore/parsing/GDTypes.h"

namespace qzCore {

namespace {

using T = qzIEDataTypeOptions;
using O = qzIEColumnOptions;

}  // namespace

void qzTokenList::init(const qzIEColumnOptions& options, const DataStruct& data,
                       const LightweightTokenStruct& tokens, const qzIEDataTypeOrder& order,
                       const std::string& stationId, int rowNumber) {
    const Rules rules{options.getIEOption(O::IE_Angles_From_Values), options.getIEOption(O::IE_Rake_From_Token),
                      options.getIEOption(O::IE_Rake_From_Value), options.getIEOption(O::IE_Trend_Plunge_With_Rake)};
    fill([&order](int type) { return order.getOrderIndex(type); }, rules, data, tokens, stationId, rowNumber);
}

void qzTokenList::fill(const std::function<int(int)>& columnOf, const Rules& rules, const DataStruct& data,
                       const LightweightTokenStruct& tokens, const std::string& stationId, int rowNumber) {
    reset();
    auto column = [&](int type) { return static_cast<std::size_t>(columnOf(type)); };
    auto has = [&](int type) { return columnOf(type) >= 0 && column(type) < capacity(); };

    // The record's own texts of the angles, whichever compact form it has.
    TokenStruct texts;
    tokens.get(texts);

    if (has(T::Type_Type)) {
        std::string label;
        if (GDTypes::instance().get(data.getGDType(), label)) set(column(T::Type_Type), label);
    }
    if (has(T::Row_Type) && rowNumber > 0) (*this)[column(T::Row_Type)].set(rowNumber);
    if (has(T::Well_Type) && !stationId.empty()) set(column(T::Well_Type), stationId);
    if (has(T::Slip_Type) && data.getSlipType() != GDSlipTypes::GDSlipType_NoSlip) {
        std::string label;
        if (GDSlipTypes::instance().get(data.getSlipType(), label)) set(column(T::Slip_Type), label);
    }
    if (has(T::Comment_Type) && (data.getGDFlags() & GDFlags::GDFlag_Has_Comment) && tokens.hasComment()) {
        set(column(T::Comment_Type), tokens.getComment());
    }
    if (data.hasLoc()) {
        if (has(T::XLoc_Type) && data.hasX()) (*this)[column(T::XLoc_Type)].set(data.getX(), Token::Exact);
        if (has(T::YLoc_Type) && data.hasY()) (*this)[column(T::YLoc_Type)].set(data.getY(), Token::Exact);
        if (has(T::ZLoc_Type) && data.hasZ()) (*this)[column(T::ZLoc_Type)].set(data.getZ(), Token::Exact);
    }
    if (has(T::MD_Type) && data.hasMD()) (*this)[column(T::MD_Type)].set(data.md(), Token::Exact);

    const bool fromValues = rules.anglesFromValues;
    auto angle = [&](int type, int value, TokenStruct::Token_Id id) {
        if (!has(type)) return;
        if (fromValues) {
            if (value != -1) (*this)[column(type)].set(value);
        } else if (texts.hasToken(id)) {
            set(column(type), texts.get(id));
        }
    };
    angle(T::Strike_Type, data.getStrike(), TokenStruct::Strike_Token);
    angle(T::Dip_Type, data.getDip(), TokenStruct::Dip_Token);

    bool rakeWritten = false;
    if (has(T::Rake_Type)) {
        if (rules.rakeFromToken) {
            if (texts.hasToken(TokenStruct::Rake_Token)) {
                set(column(T::Rake_Type), texts.rake());
                rakeWritten = true;
            }
        } else if (rules.rakeFromValue && data.getRake() != -1) {
            (*this)[column(T::Rake_Type)].set(data.getRake());
            rakeWritten = true;
        }
    }
    if (rakeWritten && !rules.trendPlungeWithRake) return;

    angle(T::Trend_Type, data.getTrend(), TokenStruct::Trend_Token);
    angle(T::Plunge_Type, data.getPlunge(), TokenStruct::Plunge_Token);
}

}  // namespace qzCore
