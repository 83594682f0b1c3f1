// Dip readings from wells and markers on mapped horizons, as the host's
// model gives them.
#ifndef QZCORE_RECORDS_ZOLWELLDATA_H
#define QZCORE_RECORDS_ZOLWELLDATA_H

#include "qzCore/Export.h"

#include <string>

#include "qzCore/records/GeoData.h"
#include "qzCore/shared/Points.h"

namespace qzCore {

/// The values of a well dip or marker as the host holds them.
class QZCORE_EXPORT zolDataParams {
public:
    zolDataParams();
    zolDataParams(float az, float dip, double md, double x, double y, double z, const std::string& horizon,
                  const std::string& name, const std::string& type, unsigned int colour, int id, int wellId,
                  const std::string& wellName, bool overturned, bool marker);

    /// Azimuth (strike), degrees; negative means absent.
    float az() const { return m_az; }
    float& az() { return m_az; }
    /// Dip, degrees; negative means absent.
    float dip() const { return m_dip; }
    float& dip() { return m_dip; }
    /// Measured depth; kept only from 0 to Max_Measured_Depth.
    double md() const { return m_md; }
    double& md() { return m_md; }
    const ThreeDPoint<double>& loc() const { return m_loc; }
    ThreeDPoint<double>& loc() { return m_loc; }
    const std::string& horizon() const { return m_horizon; }
    std::string& horizon() { return m_horizon; }
    const std::string& name() const { return m_name; }
    std::string& name() { return m_name; }
    const std::string& type() const { return m_type; }
    std::string& type() { return m_type; }
    unsigned int colour() const { return m_colour; }
    unsigned int& colour() { return m_colour; }
    int id() const { return m_id; }
    int& id() { return m_id; }
    int wellId() const { return m_wellId; }
    int& wellId() { return m_wellId; }
    const std::string& wellName() const { return m_wellName; }
    std::string& wellName() { return m_wellName; }
    bool isOverturned() const { return m_overturned; }
    void isOverturned(bool on) { m_overturned = on; }
    bool isMarker() const { return m_marker; }
    void isMarker(bool on) { m_marker = on; }

    /// Deepest measured depth a record keeps.
    static constexpr double Max_Measured_Depth = 100000.0;
    /// Longest comment built from horizon and type, in characters.
    static constexpr std::size_t Max_Comment_Length = 511;

private:
    float m_az = -1.0f;
    float m_dip = -1.0f;
    double m_md;
    ThreeDPoint<double> m_loc;
    std::string m_horizon;
    std::string m_name;
    std::string m_type;
    unsigned int m_colour = 0;
    int m_id = 0;
    int m_wellId = 0;
    std::string m_wellName;
    bool m_overturned = false;
    bool m_marker = false;
};

/// A dip reading at a depth in a well (kind 20).
class QZCORE_EXPORT zolWellData : public PlaneData {
public:
    zolWellData();
    zolWellData(const TokenStruct& t, const DataStruct& d);
    zolWellData(const zolWellData& o);
    explicit zolWellData(const zolDataParams& p);
    zolWellData& operator=(const zolWellData& o) = default;

    void modifyValues(const DataStruct& d, const TokenStruct& t) override;
    virtual void modifyValues(const zolDataParams& p);
    std::unique_ptr<GeoData> clone() const override { return std::make_unique<zolWellData>(*this); }

protected:
    /// Strike and dip rounded from the parameters (negative: absent), the
    /// location, the measured depth when in range, and the comment
    /// "horizon : type" (just one of them when the other is empty).
    void set(const zolDataParams& p);
};

/// zolWellData by what it is: a dip measured in a well (a plane with a
/// location and measured depth).
using WellDipRecord = zolWellData;

/// A marker on a horizon (kind 21).  Not planar for plotting and analysis.
class QZCORE_EXPORT zolMarkerData : public zolWellData {
public:
    zolMarkerData();
    zolMarkerData(const TokenStruct& t, const DataStruct& d);
    zolMarkerData(const zolMarkerData& o);
    explicit zolMarkerData(const zolDataParams& p);
    zolMarkerData& operator=(const zolMarkerData& o) = default;

    bool isPlanar() const override { return false; }
    bool isMarker() const override { return true; }
    void modifyValues(const DataStruct& d, const TokenStruct& t) override;
    void modifyValues(const zolDataParams& p) override;
    std::unique_ptr<GeoData> clone() const override { return std::make_unique<zolMarkerData>(*this); }

    /// Makes strike and dip absent and rewrites their texts.
    void flushValues();
};

/// zolMarkerData by what it is: a marker (formation top) in a well.
using WellMarkerRecord = zolMarkerData;

}  // namespace qzCore

#endif  // QZCORE_RECORDS_ZOLWELLDATA_H
