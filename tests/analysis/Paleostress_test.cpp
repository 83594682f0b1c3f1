// Stress inversion: the sign conventions on hand-made faults, recovery of
// known tensors from Wallace-Bott slip (whole degrees, and exactly without
// rounding on planes of equal shear), degenerate populations, the misfit
// rule separating two generations, right dihedra and tendencies.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "qzCore/analysis/Paleostress.h"

namespace qzCore {
namespace {

constexpr double Deg = M_PI / 180.0;

Vec3 unit(double trend, double plunge) {
    return {std::cos(plunge * Deg) * std::cos(trend * Deg), std::cos(plunge * Deg) * std::sin(trend * Deg),
            std::sin(plunge * Deg)};
}
double dot(const Vec3& a, const Vec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
/// Degrees between two axes.
double apart(const Axis& a, const Vec3& b) {
    return std::acos(std::min(1.0, std::fabs(dot(unit(a.trend, a.plunge), b)))) / Deg;
}

/// A known stress, compression positive: its axes and magnitudes 1, phi, 0.
struct Known {
    std::array<Vec3, 3> axes;
    double phi;
    /// The hanging wall's slip on the plane of normal n (into the hanging
    /// wall) by Wallace and Bott: along the shear traction of -sigma.
    Vec3 slip(const Vec3& n) const {
        const double m[3] = {1.0, phi, 0.0};
        Vec3 t{0, 0, 0};
        for (int k = 0; k < 3; ++k) {
            const double c = m[k] * dot(axes[k], n);
            for (int r = 0; r < 3; ++r) t[r] += c * axes[k][r];
        }
        const double along = dot(t, n);
        Vec3 s{-(t[0] - along * n[0]), -(t[1] - along * n[1]), -(t[2] - along * n[2])};
        const double len = std::sqrt(dot(s, s));
        for (double& v : s) v /= len;
        return s;
    }
};

/// Random planes' faults, written as a field file would hold them: whole
/// degrees of strike, dip, trend and plunge and a sense along or against.
std::vector<FaultSlip> population(const Known& k, int count, bool round, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    std::vector<FaultSlip> out;
    while (int(out.size()) < count) {
        const double dd = u(random) * 360.0, dip = 10.0 + u(random) * 75.0;
        FaultSlip f;
        f.normal = {std::sin(dip * Deg) * std::cos(dd * Deg), std::sin(dip * Deg) * std::sin(dd * Deg), -std::cos(dip * Deg)};
        f.slip = k.slip(f.normal);
        if (!round) {
            out.push_back(f);
            continue;
        }
        // The slip line written pointing down (or horizontal), the sense
        // saying whether the hanging wall moves along it.
        const bool along = f.slip[2] >= 0.0;
        const Vec3 line = along ? f.slip : Vec3{-f.slip[0], -f.slip[1], -f.slip[2]};
        const double trend = std::atan2(line[1], line[0]) / Deg, plunge = std::asin(line[2]) / Deg;
        out.push_back(faultSlip(std::round(dd - 90.0 + 360.0), std::round(dip), std::round(trend + 360.0),
                                std::round(plunge), along));
    }
    return out;
}

TEST(Paleostress, SignsOfHandMadeFaults) {
    // Normal faults dipping 60 east and west, hanging walls down the dip:
    // sigma1 vertical.  Reverse faults dipping 30, up the dip: sigma3
    // vertical.  (Pure dip slip on every plane leaves sigma2 free: the
    // shape is prolate or oblate.)  The slip written as a line pointing
    // down and a sense, or pointing up and "along".
    std::vector<FaultSlip> normal, reverse;
    for (const double dd : {85.0, 90.0, 95.0, 265.0, 270.0, 275.0}) {
        normal.push_back(faultSlip(dd - 90.0, 60.0, dd, 60.0, true));
        reverse.push_back(faultSlip(dd - 90.0, 30.0, dd, 30.0, false));
        reverse.push_back(faultSlip(dd - 90.0, 30.0, dd + 180.0, -30.0, true));
    }
    for (const StressMethod m : {StressMethod::Michael, StressMethod::Angelier}) {
        StressOptions o;
        o.method = m;
        const StressInversion n = invertStress(normal, o), r = invertStress(reverse, o);
        ASSERT_EQ(n.failure, StressFailure::None);
        ASSERT_EQ(r.failure, StressFailure::None);
        EXPECT_LT(apart(n.state.axes[0], {0, 0, 1}), 1e-6);
        EXPECT_NEAR(n.state.phi, 0.0, 1e-9);
        EXPECT_LT(apart(r.state.axes[2], {0, 0, 1}), 1e-6);
        EXPECT_NEAR(r.state.phi, 1.0, 1e-9);
    }
}

TEST(Paleostress, RecoversKnownTensorsFromRoundedPopulations) {
    // Andersonian regimes, an oblique one, and shapes near 0, 0.5 and 1.
    const Vec3 n0 = unit(0, 0), e0 = unit(90, 0), down = unit(0, 90);
    const Vec3 o1 = unit(30, 60), o3 = unit(120, 0);
    const Vec3 o2{o1[1] * o3[2] - o1[2] * o3[1], o1[2] * o3[0] - o1[0] * o3[2], o1[0] * o3[1] - o1[1] * o3[0]};
    const Known cases[] = {
        {{down, n0, e0}, 0.5},  // normal
        {{e0, n0, down}, 0.1},  // reverse
        {{n0, down, e0}, 0.9},  // strike-slip
        {{o1, o2, o3}, 0.3},    // oblique
    };
    unsigned seed = 1;
    for (const Known& k : cases) {
        for (const StressMethod m : {StressMethod::Michael, StressMethod::Angelier}) {
            StressOptions o;
            o.method = m;
            const StressInversion r = invertStress(population(k, 100, true, seed++), o);
            ASSERT_EQ(r.failure, StressFailure::None);
            for (int a = 0; a < 3; ++a) EXPECT_LT(apart(r.state.axes[a], k.axes[a]), 5.0) << "axis " << a + 1;
            EXPECT_NEAR(r.state.phi, k.phi, 0.1);
        }
    }
}

TEST(Paleostress, ExactOnPlanesOfEqualShear) {
    // Normals (+-a, +-b, +-c) in the principal frame all carry the same
    // shear magnitude: both methods recover the tensor to rounding.
    const Known k{{unit(20, 70), unit(200, 20), unit(110, 0)}, 0.35};
    std::vector<FaultSlip> faults;
    for (const double sb : {1.0, -1.0}) {
        for (const double sc : {1.0, -1.0}) {
            Vec3 n{0, 0, 0};
            const double c[3] = {0.6, 0.48 * sb, 0.64 * sc};
            for (int a = 0; a < 3; ++a) {
                for (int r = 0; r < 3; ++r) n[r] += c[a] * k.axes[a][r];
            }
            if (n[2] > 0) n = {-n[0], -n[1], -n[2]};
            faults.push_back({n, k.slip(n)});
        }
    }
    for (const StressMethod m : {StressMethod::Michael, StressMethod::Angelier}) {
        StressOptions o;
        o.method = m;
        const StressInversion r = invertStress(faults, o);
        ASSERT_EQ(r.failure, StressFailure::None);
        for (int a = 0; a < 3; ++a) EXPECT_LT(apart(r.state.axes[a], k.axes[a]), 1e-6);
        EXPECT_NEAR(r.state.phi, k.phi, 1e-9);
        for (const double v : r.misfit) EXPECT_LT(v, 1e-6);
    }
}

TEST(Paleostress, DegeneratePopulationsFailClearly) {
    const Known k{{unit(0, 90), unit(0, 0), unit(90, 0)}, 0.5};
    std::vector<FaultSlip> three = population(k, 3, false, 7);
    EXPECT_EQ(invertStress(three).failure, StressFailure::Too_Few_Faults);
    const std::vector<FaultSlip> parallel(10, three[0]);
    const StressInversion p = invertStress(parallel);
    EXPECT_EQ(p.failure, StressFailure::Unconstrained);
    EXPECT_TRUE(p.misfit.empty());
    EXPECT_NE(std::string(stressFailureText(p.failure)), "");
}

TEST(Paleostress, MisfitRuleSeparatesTwoGenerationsAndBootstrapRepeats) {
    const Known normal{{unit(0, 90), unit(0, 0), unit(90, 0)}, 0.5};
    const Known strikeSlip{{unit(45, 0), unit(0, 90), unit(135, 0)}, 0.5};
    std::vector<FaultSlip> faults = population(normal, 40, true, 3);
    const std::vector<FaultSlip> other = population(strikeSlip, 10, true, 4);
    faults.insert(faults.end(), other.begin(), other.end());
    StressOptions o;
    o.maxMisfit = 30.0;
    o.bootstrap = 200;
    o.seed = 9;
    const StressInversion r = invertStress(faults, o);
    ASSERT_EQ(r.failure, StressFailure::None);
    int outOfFirst = 0, outOfSecond = 0;
    for (std::size_t i = 0; i < faults.size(); ++i) (i < 40 ? outOfFirst : outOfSecond) += r.leftOut[i];
    // Whole-degree rounding turns the slip of weakly sheared planes by
    // tens of degrees: a few of the first generation go too.
    EXPECT_LE(outOfFirst, 4);
    EXPECT_GE(outOfSecond, 7);
    EXPECT_GT(r.rounds, 1);
    EXPECT_LT(apart(r.state.axes[0], normal.axes[0]), 5.0);
    // The bootstrap: as many samples, a small cone, Phi bracketed; the
    // same seed gives the same cloud.
    EXPECT_EQ(r.samples.size(), 200u);
    EXPECT_GT(r.cone95[0], 0.0);
    EXPECT_LT(r.cone95[0], 10.0);
    EXPECT_LE(r.phiLow, r.state.phi + 1e-9);
    EXPECT_GE(r.phiHigh, r.state.phi - 1e-9);
    EXPECT_EQ(invertStress(faults, o).samples[17].axes[0].trend, r.samples[17].axes[0].trend);
}

TEST(Paleostress, RightDihedraAndTendencies) {
    // A normal fault dipping 60 east: down is compressional, east-west
    // horizontal extensional, along the strike neither.
    const std::vector<FaultSlip> one{faultSlip(0, 60, 90, 60, true)};
    EXPECT_EQ(compressionalShare(one, unit(0, 90)), 1.0);
    EXPECT_EQ(compressionalShare(one, unit(90, 0)), 0.0);
    EXPECT_EQ(compressionalShare(one, unit(270, 0)), 0.0);
    EXPECT_EQ(compressionalShare(one, unit(0, 0)), 0.0);
    // Tendencies under 3, 2, 1 with sigma1 vertical: a horizontal plane
    // takes sigma1 (no shear, Td 0); a vertical east-facing plane sigma3
    // (Td 1); a plane at 45 degrees in the sigma1-sigma3 plane
    // tau = 1, sigma_n = 2: Ts 0.5, Td 0.5.
    const StressState s = stressState({unit(0, 90), unit(0, 0), unit(90, 0)}, 0.5);
    const std::array<double, 3> m{3, 2, 1};
    double ts = 0, td = 0;
    tendencies(s, m, {0, 0, -1}, ts, td);
    EXPECT_NEAR(ts, 0.0, 1e-12);
    EXPECT_NEAR(td, 0.0, 1e-12);
    tendencies(s, m, {0, 1, 0}, ts, td);
    EXPECT_NEAR(td, 1.0, 1e-12);
    tendencies(s, m, {0, std::sqrt(0.5), -std::sqrt(0.5)}, ts, td);
    EXPECT_NEAR(ts, 0.5, 1e-12);
    EXPECT_NEAR(td, 0.5, 1e-12);
    double sn = 0, tau = 0;
    planeStress(s, {0, std::sqrt(0.5), -std::sqrt(0.5)}, sn, tau);
    EXPECT_NEAR(sn, 0.5, 1e-12);
    EXPECT_NEAR(tau, 0.5, 1e-12);
}

}  // namespace
}  // namespace qzCore
