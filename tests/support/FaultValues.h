// The values of a fault whose slip line is given by its rake, with the
// trend and plunge worked out as the parser does.
#ifndef QZCORE_TESTS_FAULTVALUES_H
#define QZCORE_TESTS_FAULTVALUES_H

#include "qzCore/parsing/DataStruct.h"
#include "qzCore/records/GDTypes.h"
#include "qzCore/shared/MyMath.h"

namespace qzCore {

inline DataStruct faultValues(int strike, int dip, int rake, char slip) {
    DataStruct d;
    d.setGDType(GDTypes::GDType_Fault);
    d.setStrike(strike);
    d.setDip(dip);
    d.setRake(rake);
    int t = 0, p = 0;
    MyMath().computeTrendPlunge(strike, dip, rake, t, p);
    d.setTrend(t);
    d.setPlunge(p);
    d.setSlipType(slip);
    return d;
}

}  // namespace qzCore

#endif  // QZCORE_TESTS_FAULTVALUES_H
