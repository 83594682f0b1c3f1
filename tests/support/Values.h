// The values of test records, as the parser would produce them.
#ifndef QZCORE_TESTS_VALUES_H
#define QZCORE_TESTS_VALUES_H

#include "qzCore/parsing/DataStruct.h"
#include "qzCore/records/GDTypes.h"
#include "qzCore/shared/MyMath.h"

namespace qzCore {

inline DataStruct planeValues(int strike, int dip, char kind = GDTypes::GDType_Plane) {
    DataStruct d;
    d.setGDType(kind);
    d.setStrike(strike);
    d.setDip(dip);
    return d;
}

inline DataStruct lineValues(int trend, int plunge, char kind = GDTypes::GDType_Line) {
    DataStruct d;
    d.setGDType(kind);
    d.setTrend(trend);
    d.setPlunge(plunge);
    return d;
}

/// A fault with its slip line given by trend and plunge.
inline DataStruct faultValues(int strike, int dip, int trend, int plunge, char slip) {
    DataStruct d = planeValues(strike, dip, GDTypes::GDType_Fault);
    d.setTrend(trend);
    d.setPlunge(plunge);
    d.setSlipType(slip);
    return d;
}

/// A fault with its slip line given by its rake, trend and plunge worked
/// out as the parser does.
inline DataStruct faultValues(int strike, int dip, int rake, char slip) {
    int t = 0, p = 0;
    MyMath().computeTrendPlunge(strike, dip, rake, t, p);
    DataStruct d = faultValues(strike, dip, t, p, slip);
    d.setRake(rake);
    return d;
}

/// A universal-stage measurement: axis 1 (t1, p1) and axis 2 (t2, p2).
inline DataStruct ustageValues(int t1, int p1, int t2, int p2) {
    DataStruct d = lineValues(t1, p1, GDTypes::GDType_UStage);
    d.setStrike(t2);
    d.setDip(p2);
    return d;
}

}  // namespace qzCore

#endif  // QZCORE_TESTS_VALUES_H
