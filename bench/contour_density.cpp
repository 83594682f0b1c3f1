// Times the density grid and the contour tracing of N lines on a G x G grid
// for three counting set-ups, and checks every grid value against a
// brute-force sum over all the data worked out here from the published
// formulas (Kamb 1959; Vollmer 1995).
//
//   bench_contour_density [lines] [grid] [runs]   (defaults 100000, 125, 7)
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "common.h"

namespace {

/// A port that draws nothing: the tracing is timed, not a renderer.
class NullPort : public qzCore::GraphicsPort {
public:
    void setLineSize(int) override {}
    void setColorTable(const std::set<qzCore::RGBColor, qzCore::RGBColorLess>&) override {}
    void drawArrow(const qzCore::TwoDPoint<float>&, const qzCore::TwoDPoint<float>&, const qzCore::GraphicsStyle&,
                   float) override {}
    void beginGroup() override {}
    void endGroup() override {}
    void drawPlaneArc(float, float, const qzCore::GraphicsStyle&, bool) override {}
    void applyColorTable() override {}
    void drawLine(const qzCore::TwoDPoint<float>&, const qzCore::TwoDPoint<float>&,
                  const qzCore::GraphicsStyle&) override {}
    bool usesColorTable() override { return false; }
    void drawPath(const qzCore::GraphicsPath& p, const qzCore::GraphicsStyle&, bool, bool, bool) override {
        points += p.size();
    }
    void drawWedge(const qzCore::TwoDPoint<float>&, const qzCore::TwoDPoint<float>&, float, float,
                   const qzCore::GraphicsStyle&, const qzCore::GraphicsStyle&, bool) override {}
    void drawSymbol(const qzCore::TwoDPoint<float>&, const qzCore::GraphicsStyle&, float, const qzCore::GraphicsStyle&,
                    bool) override {}
    void drawBox(const qzCore::TwoDPoint<float>&, const qzCore::TwoDPoint<float>&, const qzCore::GraphicsStyle&,
                 const qzCore::GraphicsStyle&, bool, bool) override {}
    void setFillStyle(const qzCore::GraphicsStyle&) override {}
    void endFill() override {}
    void endFrame() override {}
    void setFont(const std::string&, int) override {}
    void drawText(const std::string&, const qzCore::TwoDPoint<float>&, int, const qzCore::GraphicsStyle&,
                  int) override {}
    std::size_t points = 0;
};

struct Vec {
    double x, y, z;
};

Vec unit(double trend, double plunge) {
    const double t = trend * M_PI / 180.0, p = plunge * M_PI / 180.0;
    return {std::cos(p) * std::cos(t), std::cos(p) * std::sin(t), std::sin(p)};
}

/// The lower-hemisphere equal-area direction of a point of plot units.
Vec nodeDirection(double x, double y) {
    const double r = std::hypot(x, y);
    const double fromVertical = 2.0 * std::asin(std::min(1.0, r / std::sqrt(2.0)));
    const double azimuth = std::atan2(x, y);
    return {std::sin(fromVertical) * std::cos(azimuth), std::sin(fromVertical) * std::sin(azimuth),
            std::cos(fromVertical)};
}

struct SetUp {
    const char* name;
    int method, smoothing;
};

}  // namespace

int main(int argc, char** argv) {
    const long n = argc > 1 ? std::atol(argv[1]) : 100000;
    const int g = argc > 2 ? std::atoi(argv[2]) : 125;
    const int runs = argc > 3 ? std::atoi(argv[3]) : 7;
    qzCore::ErrorManager errors;
    qzCore::FileManager files;
    qzCore::DataManager manager(&errors, &files);
    unsigned char id = 0;
    manager.createDataset(id, "bench", false, nullptr);
    qzCore::Data& data = *manager.getDatasetFromID(id);
    // Uniform on the sphere, as whole degrees.
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    std::vector<Vec> directions;
    for (long i = 0; i < n; ++i) {
        const int trend = int(std::lround(360.0 * u(rng))) % 360;
        const int plunge = int(std::lround(std::asin(u(rng)) * 180.0 / M_PI));
        qzCore::DataStruct d;
        d.setGDType(qzCore::GDTypes::GDType_Line);
        d.setTrend(trend);
        d.setPlunge(plunge);
        data.insertData(d, qzCore::TokenStruct());
        directions.push_back(unit(trend, plunge));
    }
    NullPort port;
    qzCore::StereoPlotParams p;
    qzCore::StereoPlotCore plot(p, &port, manager);
    for (const qzCore::GeoData* r : data.getDataList()) plot.insertLine(r);

    using C = qzCore::ContourParams;
    const SetUp setups[] = {{"Kamb/None", C::Method_Kamb, C::Smooth_None},
                            {"1Percent/InvAreaSq", C::Method_One_Percent, C::Smooth_Inv_Area_Sq},
                            {"Kamb/Expon", C::Method_Kamb, C::Smooth_Expon}};
    const double N = double(n), s = 3.0;
    int status = 0;
    for (const SetUp& setup : setups) {
        C params;
        params.setContourMethod(setup.method);
        params.setSmoothingMethod(setup.smoothing);
        params.setGridDensity(g);
        params.setIncludeLines(true);
        params.setStartLevel(setup.method == C::Method_One_Percent ? 1.0 : 2.0);
        params.setContourInterval(setup.method == C::Method_One_Percent ? 0.5 : 1.0);
        std::vector<qzCore::ContourInfo> levels;
        bool drawn = false;
        const double seconds = bench::medianSeconds(
            runs, [] {},
            [&] {
                qzCore::ContourGenerator generator(&plot, params, levels);
                drawn = generator.generate(&port);
            });
        if (!drawn) std::fprintf(stderr, "%s: no contours\n", setup.name);

        // Every node inside the net against the brute-force sum.
        qzCore::DensityGrid grid;
        plot.computeDensity(params, grid);
        double worst = 0.0;
        for (int j = 0; j < g; ++j) {
            for (int i = 0; i < g; ++i) {
                if (!qzCore::DensityGrid::inside(i, j, g)) continue;
                const qzCore::TwoDPoint<double> at = qzCore::DensityGrid::nodePosition(i, j, g);
                const Vec q = nodeDirection(at.x(), at.y());
                double sum = 0.0, value = 0.0, error = 0.0;
                if (setup.smoothing == C::Smooth_Expon) {
                    const double k = 2.0 * (1.0 + N / (s * s));
                    for (const Vec& d : directions) sum += std::exp(k * (std::fabs(q.x * d.x + q.y * d.y + q.z * d.z) - 1.0));
                    value = sum / (std::sqrt(N * (k / 2.0 - 1.0)) / k);
                    error = std::fabs(grid.values(std::size_t(j), std::size_t(i)) - value);  // sigma
                } else {
                    const double area = setup.method == C::Method_One_Percent ? 0.01 : s * s / (s * s + N);
                    const double a = 1.0 - area;
                    for (const Vec& d : directions) {
                        const double x = std::fabs(q.x * d.x + q.y * d.y + q.z * d.z);
                        if (x < a) continue;
                        sum += setup.smoothing == C::Smooth_None ? 1.0 : (x - a) * (x - a) * 3.0 / (area * area);
                    }
                    value = setup.method == C::Method_One_Percent
                                ? sum / (0.01 * N)
                                : (sum - 0.5) / std::sqrt(N * area * (1.0 - area));
                    error = std::fabs(grid.values(std::size_t(j), std::size_t(i)) - value) /
                            std::max(1e-300, std::fabs(value));
                }
                worst = std::max(worst, error);
            }
        }
        const bool exp = setup.smoothing == C::Smooth_Expon;
        const bool ok = exp ? worst <= 1e-6 : worst <= 1e-9;
        if (!ok) status = 1;
        std::printf("%-20s %ld lines, grid %d: %.4f s (median of %d), %zu levels listed; brute-force %s %.2e %s\n",
                    setup.name, n, g, seconds, runs, levels.size(), exp ? "abs" : "rel", worst,
                    ok ? "ok" : "TOO FAR");
    }
    return status;
}
