#include "qzCore/records/zolWellData.h"

#include "qzCore/records/GDTypes.h"
#include "qzCore/shared/MyMath.h"

namespace qzCore {

zolDataParams::zolDataParams() : m_md(No_Value_Double), m_loc(No_Value_Double, No_Value_Double, No_Value_Double) {}

zolDataParams::zolDataParams(float az, float dip, double md, double x, double y, double z,
                             const std::string& horizon, const std::string& name, const std::string& type,
                             unsigned int colour, int id, int wellId, const std::string& wellName, bool overturned,
                             bool marker)
    : m_az(az),
      m_dip(dip),
      m_md(md),
      m_loc(x, y, z),
      m_horizon(horizon),
      m_name(name),
      m_type(type),
      m_colour(colour),
      m_id(id),
      m_wellId(wellId),
      m_wellName(wellName),
      m_overturned(overturned),
      m_marker(marker) {}

zolWellData::zolWellData() { setKind(GDTypes::GDType_ZolWellData); }

zolWellData::zolWellData(const TokenStruct& t, const DataStruct& d) : PlaneData(t, d) {
    setKind(GDTypes::GDType_ZolWellData);
}

zolWellData::zolWellData(const zolWellData& o) : PlaneData(o) { setKind(o.getGDType()); }

zolWellData::zolWellData(const zolDataParams& p) { set(p); }

void zolWellData::modifyValues(const DataStruct& d, const TokenStruct& t) { PlaneData::modifyValues(d, t); }

void zolWellData::modifyValues(const zolDataParams& p) { set(p); }

void zolWellData::set(const zolDataParams& p) {
    if (!m_data) {
        m_data = std::make_unique<PlanarDataStruct>();
        setTokenPart(std::make_unique<PlanarTokenStruct>());
    }
    // Texts not kept are made now, from the numbers before the change, as
    // kept ones would have been.
    tokenPart();
    setKind(GDTypes::GDType_ZolWellData);
    if (p.az() < 0.0f) {
        data()->setStrike(-1);
    } else {
        data()->setStrike(FloatToInt_Global(p.az()));
        tokens()->setStrike(data()->getStrike());
    }
    if (p.dip() < 0.0f) {
        data()->setDip(-1);
    } else {
        data()->setDip(FloatToInt_Global(p.dip()));
        tokens()->setDip(data()->getDip());
    }
    data()->setLoc(p.loc());
    data()->setMD(p.md() >= 0.0 && p.md() <= zolDataParams::Max_Measured_Depth ? p.md() : No_Value_Double);

    std::string comment = p.horizon();
    if (!p.type().empty()) comment = p.horizon().empty() ? p.type() : p.horizon() + " : " + p.type();
    if (comment.size() > zolDataParams::Max_Comment_Length) comment.resize(zolDataParams::Max_Comment_Length);
    setComment(comment.c_str());
}

zolMarkerData::zolMarkerData() { setKind(GDTypes::GDType_ZolMarkerData); }

zolMarkerData::zolMarkerData(const TokenStruct& t, const DataStruct& d) : zolWellData(t, d) {
    setKind(GDTypes::GDType_ZolMarkerData);
}

zolMarkerData::zolMarkerData(const zolMarkerData& o) : zolWellData(o) { setKind(GDTypes::GDType_ZolMarkerData); }

zolMarkerData::zolMarkerData(const zolDataParams& p) : zolWellData(p) { setKind(GDTypes::GDType_ZolMarkerData); }

void zolMarkerData::modifyValues(const DataStruct& d, const TokenStruct& t) {
    zolWellData::modifyValues(d, t);
    setKind(GDTypes::GDType_ZolMarkerData);
}

void zolMarkerData::modifyValues(const zolDataParams& p) {
    set(p);
    setKind(GDTypes::GDType_ZolMarkerData);
}

void zolMarkerData::flushValues() {
    if (!data()) return;
    data()->setStrike(-1);
    data()->setDip(-1);
    generateTokenValues();
}

}  // namespace qzCore
