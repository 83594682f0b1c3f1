// Rock-slope kinematics: which discontinuities let a block slide or topple
// out of a slope face (Markland-type tests), for a face of dip direction
// and dip, a friction angle and lateral limits.  Every angle in degrees;
// planes by dip direction (0-360) and dip (0-90), lines by trend and
// plunge (lower hemisphere).  A test is true when the failure is
// kinematically possible; the boundaries are stated with each rule.
//
//  * Planar sliding (Hoek and Bray 1981; Wyllie and Mah 2004): the plane
//    daylights in the face (it dips less steeply than the face, dip < face
//    dip), dips more steeply than friction (dip > friction), and its dip
//    direction lies within the lateral limit of the face's (|difference|
//    <= limit).
//  * Wedge sliding (Markland 1972; Hocking 1976), the main zone: the line
//    of intersection of two planes plunges out of the face, more steeply
//    than friction and less steeply than the face's apparent dip in its
//    trend: friction < plunge < atan(tan(face dip) cos(trend - face dip
//    direction)), the trend within 90 degrees of the face's dip direction.
//  * Flexural toppling (Goodman and Bray 1976): the plane dips into the
//    slope (its dip direction within the lateral limit of the opposite of
//    the face's) steeply enough that layers slip on each other: dip >
//    90 - face dip + friction, i.e. its pole plunges less than face dip -
//    friction.
#ifndef QZCORE_ANALYSIS_KINEMATICS_H
#define QZCORE_ANALYSIS_KINEMATICS_H

#include "qzCore/Export.h"

namespace qzCore {

struct QZCORE_EXPORT SlopeFace {
    /// The face: dip direction 0-360 and dip 0-90.
    double dipDirection = 0.0, dip = 60.0;
    /// Friction angle of the discontinuities, 0-90.
    double friction = 30.0;
    /// Lateral limits either side of the face's dip direction (20 usual).
    double lateralLimit = 20.0;
};

/// The smaller angle between two azimuths, 0-180.
QZCORE_EXPORT double azimuthDifference(double a, double b);

QZCORE_EXPORT bool planarSliding(const SlopeFace& face, double dipDirection, double dip);
QZCORE_EXPORT bool flexuralToppling(const SlopeFace& face, double dipDirection, double dip);
/// The main wedge zone, for the line of intersection (trend, plunge).
QZCORE_EXPORT bool wedgeSliding(const SlopeFace& face, double trend, double plunge);
/// The line of intersection of two planes (dip direction, dip each), lower
/// hemisphere; false for parallel planes.
QZCORE_EXPORT bool intersectionLine(double dipDirection1, double dip1, double dipDirection2, double dip2, double& trend,
                                    double& plunge);

}  // namespace qzCore

#endif  // QZCORE_ANALYSIS_KINEMATICS_H
