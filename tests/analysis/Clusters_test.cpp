// Sets by spherical k-means on axes, against samples drawn about known
// centres (Fisher 1953's distribution, sampled as Fisher, Lewis and
// Embleton 1987 give it), rounded to whole degrees as a file holds them.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "qzCore/analysis/Clusters.h"
#include "qzCore/shared/MyMath.h"

namespace qzCore {
namespace {

/// Angle between two axes, degrees (0-90).
double axialAngle(double t1, double p1, double t2, double p2) {
    const double c = std::abs(Matrix_1(t1, p1).dotProduct(Matrix_1(t2, p2)));
    return std::acos(std::min(1.0, c)) * MyMath::Rad_To_Deg;
}

struct Sample {
    std::vector<double> trends, plunges;
    std::vector<int> truth;
};

/// `n` axes of Fisher's distribution (precision `kappa`) about each centre,
/// each drawn downward or upward at random (axes, not vectors).
Sample fisherSets(const std::vector<std::pair<double, double>>& centres, int n, double kappa, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    Sample s;
    for (std::size_t c = 0; c < centres.size(); ++c) {
        const Matrix_1 axis(centres[c].first, centres[c].second);
        // Two directions at right angles to the axis.
        Matrix_1 side = axis.crossProduct(std::abs(axis[2]) < 0.9 ? Matrix_1(0, 0, 1) : Matrix_1(1, 0, 0));
        side.normalize();
        const Matrix_1 third = axis.crossProduct(side);
        for (int i = 0; i < n; ++i) {
            const double w = 1.0 + std::log(u(random) + (1.0 - u(random)) * std::exp(-2.0 * kappa)) / kappa;
            const double off = std::acos(std::max(-1.0, std::min(1.0, w))), around = 2.0 * M_PI * u(random);
            const double sign = u(random) < 0.5 ? -1.0 : 1.0;
            Matrix_1 v;
            for (std::size_t e = 0; e < 3; ++e) {
                v[e] = sign * (std::cos(off) * axis[e] + std::sin(off) * (std::cos(around) * side[e] + std::sin(around) * third[e]));
            }
            double t = 0, p = 0;
            v.convertFromDC(t, p);
            s.trends.push_back(std::round(t));
            s.plunges.push_back(std::round(p));
            s.truth.push_back(int(c));
        }
    }
    return s;
}

TEST(Clusters, KnownSetsComeBack) {
    const std::vector<std::vector<std::pair<double, double>>> cases = {
        {{40, 10}, {130, 60}, {250, 30}},
        {{90, 0}, {0, 45}, {200, 75}},  // the first straddles the horizontal
    };
    for (const auto& centres : cases) {
        const Sample s = fisherSets(centres, 300, 40.0, 11);
        ClusterOptions o;
        o.sets = 3;
        o.seed = 5;
        const Clustering c = clusterAxes(s.trends, s.plunges, o);
        ASSERT_EQ(c.sets, 3);
        // Each true centre's set: the mean nearest to it.
        std::vector<int> setOf;
        for (const auto& centre : centres) {
            int best = 0;
            for (int k = 1; k < 3; ++k) {
                if (axialAngle(c.means[std::size_t(k)].trend, c.means[std::size_t(k)].plunge, centre.first, centre.second) <
                    axialAngle(c.means[std::size_t(best)].trend, c.means[std::size_t(best)].plunge, centre.first, centre.second)) {
                    best = k;
                }
            }
            EXPECT_LT(axialAngle(c.means[std::size_t(best)].trend, c.means[std::size_t(best)].plunge, centre.first,
                                 centre.second),
                      3.0);
            setOf.push_back(best);
        }
        int right = 0;
        for (std::size_t i = 0; i < s.truth.size(); ++i) right += c.labels[i] == setOf[std::size_t(s.truth[i])];
        EXPECT_GE(right, int(0.95 * double(s.truth.size())));
        for (const AxisSet& set : c.means) {
            // k of a kappa-40 sample of 300 is near 40 (rounding to whole
            // degrees adds a little spread); the cone of 300 about 2 degrees.
            ASSERT_TRUE(set.fisherK && set.cone95);
            EXPECT_GT(*set.fisherK, 25.0);
            EXPECT_LT(*set.cone95, 3.0);
        }
        // The silhouette chooses three when asked to choose.
        o.sets = 0;
        EXPECT_EQ(clusterAxes(s.trends, s.plunges, o).sets, 3);
    }
}

TEST(Clusters, EdgesOfTheInput) {
    ClusterOptions o;
    o.sets = 2;
    EXPECT_EQ(clusterAxes({}, {}, o).sets, 0);
    // One axis given three ways (the two ends, a horizontal one both ways)
    // is one axis: one set of three, all members alike (no k).
    const Clustering one = clusterAxes({10, 190, 100}, {30, -30, 0}, ClusterOptions{});
    ASSERT_EQ(one.labels.size(), 3u);
    const Clustering same = clusterAxes({10, 190}, {30, -30}, o);
    EXPECT_EQ(same.sets, 1);
    EXPECT_EQ(same.means[0].count, 2);
    EXPECT_FALSE(same.means[0].fisherK.has_value());
    EXPECT_LT(axialAngle(same.means[0].trend, same.means[0].plunge, 10, 30), 1e-6);
    // The same seed, the same sets.
    const Sample s = fisherSets({{0, 0}, {90, 80}}, 50, 20.0, 3);
    o.seed = 9;
    EXPECT_EQ(clusterAxes(s.trends, s.plunges, o).labels, clusterAxes(s.trends, s.plunges, o).labels);
    // Fuzzy memberships sum to one for each axis.
    o.fuzzy = true;
    const Clustering fuzzy = clusterAxes(s.trends, s.plunges, o);
    ASSERT_EQ(fuzzy.memberships.size(), s.trends.size() * 2);
    for (std::size_t i = 0; i < s.trends.size(); ++i) {
        EXPECT_NEAR(fuzzy.memberships[2 * i] + fuzzy.memberships[2 * i + 1], 1.0, 1e-9);
    }
}

}  // namespace
}  // namespace qzCore
