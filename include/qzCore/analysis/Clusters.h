// Sets of orientations: spherical k-means on axes.
//
// Directions are axes (a line and its opposite are one), so the distance
// between an axis a and a set's mean c is 1 - (a.c)^2, and a set's mean is
// the principal eigenvector of its members' orientation tensor (Shanley
// and Mahtab 1976; Hammah and Curran 1998).  Seeding is k-means++ (Arthur
// and Vassilvitskii 2007) on that distance, from a seeded generator so a
// run repeats; each start is refined for the given number of iterations
// (or until no axis changes set), and of several starts the one with the
// least total within-set dispersion sum(1 - (a.c)^2) is kept.
//
// The number of sets, when not given, is the k of 2..Max_Auto_Sets with
// the largest mean simplified silhouette (Hruschka et al. 2004): for each
// axis (b - a) / max(a, b), a its distance to its own set's mean, b to the
// nearest other mean; 0 for the record of a set of one (Rousseeuw 1987).
//
// With `fuzzy`, Hammah and Curran's (1998) fuzzy k-means: each axis
// belongs to every set with a membership (summing to 1, weighted by the
// fuzziness m), means are the eigenvectors of membership^m-weighted
// tensors; labels are the sets of largest membership.
//
// Each set's statistics take its members as vectors turned to its mean's
// side: Fisher's k = (N - 1)/(N - R) and the 95% cone
// cos a95 = 1 - (N - R)/R (20^(1/(N-1)) - 1) (Fisher 1953).
#ifndef QZCORE_ANALYSIS_CLUSTERS_H
#define QZCORE_ANALYSIS_CLUSTERS_H

#include "qzCore/Export.h"

#include <optional>
#include <vector>

namespace qzCore {

struct QZCORE_EXPORT ClusterOptions {
    /// Sets wanted, 1 to Max_Sets; 0: chosen by the silhouette.
    int sets = 0;
    /// Seed of the generator (the same seed, the same sets).
    unsigned long seed = 1;
    /// Refinement iterations of each start, 1 to 1000.
    int iterations = 10;
    /// Starts, of which the least dispersed is kept, 1 to 100.
    int starts = 5;
    /// Hammah and Curran's fuzzy k-means, with fuzziness m > 1.
    bool fuzzy = false;
    double fuzziness = 2.0;

    static constexpr int Max_Sets = 20;
    static constexpr int Max_Auto_Sets = 6;
};

/// One set.
struct QZCORE_EXPORT AxisSet {
    /// Its mean axis, degrees, lower hemisphere (plunge 0-90).
    double trend = 0.0, plunge = 0.0;
    /// Axes in it (labels equal to its index).
    int count = 0;
    /// Fisher's precision of its members turned to the mean's side, and
    /// the 95% cone (degrees); empty for fewer than two members or all
    /// members one axis (k infinite).
    std::optional<double> fisherK, cone95;
};

struct QZCORE_EXPORT Clustering {
    /// Sets found, and their means and statistics, largest first.
    int sets = 0;
    std::vector<AxisSet> means;
    /// The set of each axis given, in order (0-based).
    std::vector<int> labels;
    /// With fuzzy: each axis's membership of each set (axis-major).
    std::vector<double> memberships;
    /// Total within-set dispersion sum(1 - (a.c)^2) of the start kept.
    double dispersion = 0.0;
    /// The mean simplified silhouette of the sets found (-1 to 1).
    double silhouette = 0.0;
};

/// The sets of the axes (trend, plunge in degrees, any hemisphere).
/// Returns no sets for no axes; `options` out of range are brought into
/// range (the callers above check them and say so).
QZCORE_EXPORT Clustering clusterAxes(const std::vector<double>& trends, const std::vector<double>& plunges,
                                     const ClusterOptions& options);

}  // namespace qzCore

#endif  // QZCORE_ANALYSIS_CLUSTERS_H
