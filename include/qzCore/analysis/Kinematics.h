// Rock-slope kinematics: which discontinuities let a block slide or topple
// out of a slope face (Markland-type tests), for a face of dip direction
// and dip, a friction angle and lateral limits.  Every angle in degrees;
// planes by dip direction (0-360) and dip (0-90), lines by trend and
// plunge (lower hemisphere).  A test is true when the failure is
// kinematically possible; every boundary is a great or small circle of the
// net and is stated with its rule.  The zones are those Wyllie and Mah
// (2004) construct and Rocscience's Dips and mplstereonet draw.
//
// A line l "daylights" when it leaves the rock through the face: it plots
// between the face's great circle and the primitive on the face's side,
// tan(plunge) < tan(face dip) cos(trend - face dip direction).  The
// lateral limits are measured from the face's dip direction: straight (the
// azimuth within the limit) or curved (the pole within the limit of the
// vertical plane through the face's dip direction, a small circle about
// the face's strike; mplstereonet's default, more lenient for gentle
// planes).
//
//  * Planar sliding (Hoek and Bray 1981; Wyllie and Mah 2004): the plane's
//    dip vector daylights, the plane dips more steeply than friction
//    (dip > friction) and its dip direction is within the lateral limits
//    (|difference| <= limit).  Daylighting and steeper than friction but
//    outside the limits is the secondary zone.
//  * Wedge sliding (Markland 1972; Hocking 1976), for the line of
//    intersection of two planes: the main zone, the line daylights and
//    plunges more steeply than friction; the secondary zone (as Dips and
//    mplstereonet), the line daylights, plunges at most at friction, but
//    more steeply than the plane dipping at the friction angle towards the
//    face's dip direction — the wedge may slide on one of its planes
//    rather than along the line.  No lateral limits.
//  * Flexural toppling (Goodman and Bray 1976; Goodman 1980): the plane
//    dips into the slope (its pole within the lateral limits of the face's
//    dip direction) and its pole plots outside the slip-limit plane, the
//    plane of the face's dip direction dipping at face dip - friction: the
//    layers slip on each other when their normal is inclined less than
//    face dip - friction, the condition (90 - dip) + friction < face dip
//    in the face's dip direction.  None when the face dips no more than
//    friction.
//  * Direct toppling (Hudson and Harrison 1997, with the zones of
//    Rocscience's Dips): blocks between two sets whose line of
//    intersection plunges into the slope, released by a basal plane.  A
//    line of intersection is primary when its trend is within the
//    (straight) lateral limits of the direction into the slope and it
//    plunges more steeply than 90 - face dip; oblique when it plunges
//    more steeply than 90 - friction outside those limits.  A basal plane
//    is primary when it dips out of the slope (dip direction within the
//    limits of the face's) less steeply than the face; oblique when it
//    dips less than friction in any other direction.
#ifndef QZCORE_ANALYSIS_KINEMATICS_H
#define QZCORE_ANALYSIS_KINEMATICS_H

#include "qzCore/Export.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qzCore {

struct QZCORE_EXPORT SlopeFace {
    /// The face: dip direction 0-360 and dip 0-90.
    double dipDirection = 0.0, dip = 60.0;
    /// Friction angle of the discontinuities, 0-90.
    double friction = 30.0;
    /// Lateral limits either side of the face's dip direction, 0-90 (20
    /// usual).
    double lateralLimit = 20.0;
    /// Curved lateral limits (small circles about the face's strike) for
    /// planar sliding and flexural toppling; straight when false.
    bool curvedLimits = false;

    /// Inputs on a boundary computed through different products of the
    /// same sines differ by a few units of 1e-16; no measurement lies
    /// within 1e-12 (2e-10 degrees) of one.  Used on unit-vector products.
    static constexpr double Boundary_Tolerance = 1e-12;
};

/// Where a datum plots among a test's zones.
enum class KinematicZone : std::uint8_t { None = 0, Main = 1, Secondary = 2 };

/// The smaller angle between two azimuths, 0-180.
QZCORE_EXPORT double azimuthDifference(double a, double b);

/// Planar sliding: Main, Secondary (outside the lateral limits) or None.
QZCORE_EXPORT KinematicZone planarZone(const SlopeFace& face, double dipDirection, double dip);
QZCORE_EXPORT bool planarSliding(const SlopeFace& face, double dipDirection, double dip);
QZCORE_EXPORT bool flexuralToppling(const SlopeFace& face, double dipDirection, double dip);
/// Wedge sliding for the line of intersection (trend, plunge).
QZCORE_EXPORT KinematicZone wedgeZone(const SlopeFace& face, double trend, double plunge);
/// The main wedge zone.
QZCORE_EXPORT bool wedgeSliding(const SlopeFace& face, double trend, double plunge);
/// Direct toppling on a line of intersection: Main (primary), Secondary
/// (oblique) or None.
QZCORE_EXPORT KinematicZone directToppling(const SlopeFace& face, double trend, double plunge);
/// A basal release plane of direct toppling: Main, Secondary (oblique).
QZCORE_EXPORT KinematicZone basalPlane(const SlopeFace& face, double dipDirection, double dip);
/// The line of intersection of two planes (dip direction, dip each), lower
/// hemisphere; false for parallel planes.
QZCORE_EXPORT bool intersectionLine(double dipDirection1, double dip1, double dipDirection2, double dip2, double& trend,
                                    double& plunge);

/// Two sets of planes whose line of intersection is critical.
struct QZCORE_EXPORT CriticalWedge {
    int dipDirection1 = 0, dip1 = 0, dipDirection2 = 0, dip2 = 0;
    double trend = 0.0, plunge = 0.0;
    /// Pairs of records with these two orientations.
    std::size_t pairs = 0;
    KinematicZone wedge = KinematicZone::None, toppling = KinematicZone::None;
};

/// The tests over many planes.
struct QZCORE_EXPORT KinematicTally {
    /// Planes tested, and planes left out (a dip direction outside 0-360 or
    /// a dip outside 0-90).
    std::size_t planes = 0, leftOut = 0;
    /// For each plane given, in order (None for one left out).
    std::vector<KinematicZone> planar, flexural, basal;
    /// Main-zone wedges each plane forms with the others.
    std::vector<std::uint32_t> wedges;
    /// Planes in each zone.
    std::size_t planarMain = 0, planarSecondary = 0, flexuralMain = 0, basalMain = 0, basalOblique = 0;
    /// Pairs of planes (a plane with each other once), those that meet in
    /// a line (parallel planes do not), and the lines in each zone.
    std::size_t pairs = 0, intersecting = 0, wedgeMain = 0, wedgeSecondary = 0, directMain = 0, directOblique = 0;
    /// Whether the pairs were tested (see KinematicLimits::maxPairs).
    bool pairsTested = true;
    /// The critical pairs of orientations (wedge or direct toppling),
    /// most pairs first, at most KinematicLimits::maxListed.
    std::vector<CriticalWedge> critical;
    std::size_t criticalOrientationPairs = 0;
};

struct QZCORE_EXPORT KinematicLimits {
    /// Pairs of distinct orientations tested at most; about 10 ns each (a
    /// cross product and three dot products), so the default takes about
    /// a second.  Whole degrees allow at most 32,760 orientations.
    std::size_t maxPairs = 100000000;
    std::size_t maxListed = 1000;
};

/// Every test for planes of whole-degree dip directions and dips (parallel
/// vectors).  Planes are tallied by orientation first, so a million
/// measurements cost what their distinct orientations cost; the pairs are
/// those of distinct orientations weighted by their counts.
QZCORE_EXPORT KinematicTally kinematicTally(const SlopeFace& face, const std::vector<int>& dipDirections,
                                            const std::vector<int>& dips, const KinematicLimits& limits = {});

}  // namespace qzCore

#endif  // QZCORE_ANALYSIS_KINEMATICS_H
