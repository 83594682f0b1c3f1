// Stress inversion of 10,000 faults (random planes, Wallace-Bott slip of a
// known tensor, whole degrees as a field file holds them) with 1,000
// bootstrap samples, and right dihedra of 1,000 of them on a 125 grid:
// medians of five runs, through the facade as qz runs them.  Writes the
// faults as structr's table (dip_direction, dip, azimuth, plunge, sense)
// when given a file name, for bench/python_stress.py.
#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

#include "common.h"
#include "qzCore/facade/Analyses.h"

namespace {

constexpr double Deg = M_PI / 180.0;

/// The faults as text: "Strike Dip Trend Plunge Slip" rows (Normal or
/// Reverse: the hanging wall down or up the downward slip line), and the
/// structr table.
void faults(int n, std::string& text, std::string& table) {
    std::mt19937 random(25);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    // sigma1 plunging 70 towards 030, sigma3 horizontal towards 120, Phi 0.4.
    const double s1[3] = {std::cos(70 * Deg) * std::cos(30 * Deg), std::cos(70 * Deg) * std::sin(30 * Deg), std::sin(70 * Deg)};
    const double s3[3] = {std::cos(120 * Deg), std::sin(120 * Deg), 0.0};
    const double s2[3] = {s1[1] * s3[2] - s1[2] * s3[1], s1[2] * s3[0] - s1[0] * s3[2], s1[0] * s3[1] - s1[1] * s3[0]};
    const double* axes[3] = {s1, s2, s3};
    const double m[3] = {1.0, 0.4, 0.0};
    std::ostringstream t, s;
    t << "Strike\tDip\tTrend\tPlunge\tSlip\n";
    s << "dip_direction,dip,azimuth,plunge,sense\n";
    for (int i = 0; i < n; ++i) {
        const double dd = u(random) * 360.0, dip = 10.0 + u(random) * 75.0;
        const double nv[3] = {std::sin(dip * Deg) * std::cos(dd * Deg), std::sin(dip * Deg) * std::sin(dd * Deg),
                              -std::cos(dip * Deg)};
        double tr[3] = {0, 0, 0};
        for (int k = 0; k < 3; ++k) {
            const double c = m[k] * (axes[k][0] * nv[0] + axes[k][1] * nv[1] + axes[k][2] * nv[2]);
            for (int r = 0; r < 3; ++r) tr[r] += c * axes[k][r];
        }
        const double along = tr[0] * nv[0] + tr[1] * nv[1] + tr[2] * nv[2];
        double sv[3] = {-(tr[0] - along * nv[0]), -(tr[1] - along * nv[1]), -(tr[2] - along * nv[2])};
        const bool down = sv[2] > 0.0;
        if (!down) {
            for (double& v : sv) v = -v;
        }
        const double trend = std::fmod(std::atan2(sv[1], sv[0]) / Deg + 360.0, 360.0);
        const double plunge = std::asin(std::min(1.0, sv[2] / std::sqrt(sv[0] * sv[0] + sv[1] * sv[1] + sv[2] * sv[2]))) / Deg;
        if (std::lround(plunge) == 0) continue;  // a horizontal line has no up or down
        t << std::lround(std::fmod(dd + 270.0, 360.0)) << '\t' << std::lround(dip) << '\t' << std::lround(trend) % 360
          << '\t' << std::lround(plunge) << '\t' << (down ? "Normal" : "Reverse") << '\n';
        s << std::lround(dd) % 360 << ',' << std::lround(dip) << ',' << std::lround(trend) % 360 << ','
          << std::lround(plunge) << ',' << (down ? 1 : -1) << '\n';
    }
    text = t.str();
    table = s.str();
}

}  // namespace

int main(int argc, char** argv) {
    namespace facade = qzCore::facade;
    std::string text, table;
    faults(10000, text, table);
    facade::Dataset ds = facade::Dataset::fromText("faults.txt", text);
    facade::StressParams p;
    p.bootstrap = 1000;
    facade::StressResult r;
    const double inversion = bench::medianSeconds(5, [] {}, [&] { r = facade::stress(ds, p); });
    std::printf("stress of %d faults, 1000 bootstrap samples: sigma1 %.0f/%.0f, Phi %.2f, median %.3f s\n", r.n,
                r.sigma[0].trend_deg, r.sigma[0].plunge_deg, r.phi, inversion);
    p.refine = false;
    const double plain = bench::medianSeconds(5, [] {}, [&] { r = facade::stress(ds, p); });
    std::printf("  the same without refinement: median %.3f s\n", plain);
    std::string small, smallTable;
    faults(1000, small, smallTable);
    facade::Dataset thousand = facade::Dataset::fromText("faults.txt", small);
    facade::DihedraResult d;
    const double dihedra = bench::medianSeconds(5, [] {}, [&] { d = facade::dihedra(thousand, {}); });
    std::printf("right dihedra of %d faults on a 125 grid: P %.0f/%.0f, median %.3f s\n", d.n, d.p.trend_deg,
                d.p.plunge_deg, dihedra);
    if (argc > 1) std::ofstream(argv[1]) << table;
    return 0;
}
