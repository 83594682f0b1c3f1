// The shape and strength of a fabric from the eigenvalues of its
// orientation tensor (Eigen analysis: Analyzer::computeTensor).
//
// With the eigenvalues normalised to S1 >= S2 >= S3, S1 + S2 + S3 = 1:
//  * Woodcock (1977): the shape K = ln(S1/S2) / ln(S2/S3) — 0 for a
//    perfect girdle, 1 between, towards infinity for a perfect cluster —
//    and the strength C = ln(S1/S3), 0 for a uniform spread.  Both take
//    logarithms of ratios: with an eigenvalue of zero (every direction on
//    one axis, or in one plane) they are undefined, and so is K for a
//    uniform spread (0/0).  K is infinite where S2 = S3 < S1 (a cluster
//    with no girdle at all).
//  * Vollmer (1990): the point, girdle and random indices P = S1 - S2,
//    G = 2 (S2 - S3), R = 3 S3, which sum to 1 and place a fabric in his
//    triangle; B = P + G = 1 - R is the fabric's strength.
// The tensor is axial: a direction and its opposite give one fabric.
#ifndef QZCORE_ANALYSIS_FABRICSHAPE_H
#define QZCORE_ANALYSIS_FABRICSHAPE_H

#include "qzCore/Export.h"

#include <optional>
#include <string>

namespace qzCore {

struct QZCORE_EXPORT FabricShape {
    /// Normalised eigenvalues, largest first.
    double s1 = 0.0, s2 = 0.0, s3 = 0.0;
    /// Woodcock's shape and strength; empty where undefined.
    std::optional<double> woodcockK, woodcockC;
    /// Vollmer's point, girdle and random indices and their strength.
    double vollmerP = 0.0, vollmerG = 0.0, vollmerR = 0.0, vollmerB = 0.0;

    /// A normalised eigenvalue below this is zero: the eigenvalues of a
    /// sum of outer products of unit vectors are found to about 1e-15 of
    /// their sum, so a smaller one is rounding, not a direction.
    static constexpr double Zero_Eigenvalue = 1e-12;

    /// "Woodcock K : 0.63, C : 1.79\nVollmer P : 0.30, G : 0.40, R : 0.30, B : 0.70\n",
    /// with "undefined" (and why) or "infinite" where they are.
    std::string text() const;
};

/// The shape of the eigenvalues `e1`, `e2`, `e3` (any order and scale,
/// none negative: a count of directions or their share).  All three zero
/// gives a shape of zeros with Woodcock's undefined.
QZCORE_EXPORT FabricShape fabricShape(double e1, double e2, double e3);

}  // namespace qzCore

#endif  // QZCORE_ANALYSIS_FABRICSHAPE_H
