// Requests that reshape a dataset: sorting, subsetting and rotation.
#ifndef QZCORE_DATASETS_RESHAPE_H
#define QZCORE_DATASETS_RESHAPE_H

#include "qzCore/Export.h"

#include <cstdint>
#include <string>
#include <vector>

#include "qzCore/shared/MyMath.h"

namespace qzCore {

/// Sort order of a dataset: by one column (the data-type numbers of the
/// file layouts: 6 Type, 7 Dip, 8 Plunge, 9 Rake, 10 Slip, 11 Well,
/// 12 Strike, 13 Trend, 14..16 X, Y, Z, 17 MD, 18 entry order).
struct QZCORE_EXPORT SortByField {
    bool m_ascending = true;
    bool m_byEntryOrder = false;
    /// true: the direction is m_ascending; false: successive sorts by one
    /// key alternate, descending first.
    bool m_useGivenDirection = false;
    int m_field = 18;

    SortByField() = default;
    SortByField(int field, bool ascending, bool useGivenDirection)
        : m_ascending(ascending), m_useGivenDirection(useGivenDirection), m_field(field) {}
};

/// Which records a subset keeps.  Ranges are inclusive and put in order
/// (no wrap through north); a record lacking a tested value is removed.
class QZCORE_EXPORT SubsetParams {
public:
    enum Subset_Criteria : std::uint32_t {
        Subset_PlaneStrike = 0x1,
        Subset_PlaneDip = 0x10,
        Subset_LineTrend = 0x100,
        Subset_LinePlunge = 0x1000,
        Subset_FaultStrike = 0x10000,
        Subset_FaultDip = 0x100000,
        Subset_FaultRake = 0x1000000,
        Subset_FaultSlip = 0x10000000,
        Subset_X = 0x20,
        Subset_Y = 0x200,
        Subset_Z = 0x2000,
        Subset_MD = 0x20000
    };

    struct IntRange {
        int low = -1;
        int high = -1;
    };
    struct DoubleRange {
        double low = 0.0;
        double high = 0.0;
    };

    bool getCriteria(Subset_Criteria c) const { return (m_criteria & c) != 0; }
    void setCriteria(Subset_Criteria c) { m_criteria |= c; }
    void resetCriteria() { m_criteria = 0; }

    std::uint32_t m_criteria = 0;
    std::vector<std::string> m_stationIds;
    bool m_useFaultRanges = false;
    bool m_useLineRanges = false;
    bool m_usePlaneRanges = false;
    bool m_useAttributes = false;
    bool m_useStations = false;
    bool m_useX = false;
    bool m_useY = false;
    bool m_useZ = false;
    bool m_useMD = false;
    IntRange m_planeStrike, m_planeDip, m_faultRake, m_lineTrend, m_linePlunge, m_faultStrike, m_faultDip;
    DoubleRange m_x, m_y, m_z, m_md;
    std::uint32_t m_attributeMask = 0;
    unsigned char m_slipMask = 255;
    bool m_flag = true;
};

/// A rotation request: angle (degrees, positive clockwise looking along
/// the axis) about an axis.
class QZCORE_EXPORT RotateParams {
public:
    RotateParams() = default;
    RotateParams(bool rotateAll, ThreeD_Rotation_Axis axis, int angle, int trend, int plunge, bool createNew)
        : m_rotateAll(rotateAll), m_axis(axis), m_angle(angle), m_trend(trend), m_plunge(plunge),
          m_createNew(createNew) {}

    int rotateAll() const { return m_rotateAll; }
    int& rotateAll() { return m_rotateAll; }
    ThreeD_Rotation_Axis axis() const { return m_axis; }
    ThreeD_Rotation_Axis& axis() { return m_axis; }
    int angle() const { return m_angle; }
    int& angle() { return m_angle; }
    int trend() const { return m_trend; }
    int& trend() { return m_trend; }
    int plunge() const { return m_plunge; }
    int& plunge() { return m_plunge; }
    int createNew() const { return m_createNew; }
    int& createNew() { return m_createNew; }

private:
    int m_rotateAll = 1;
    ThreeD_Rotation_Axis m_axis = Rotation_Axis_Trend_Plunge;
    int m_angle = 0;
    int m_trend = 0;
    int m_plunge = 0;
    int m_createNew = 0;
};

}  // namespace qzCore

#endif  // QZCORE_DATASETS_RESHAPE_H
