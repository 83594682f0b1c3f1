// The density a contoured stereonet counts: closed-form peaks of each
// counting method and smoothing (Kamb 1959; Vollmer 1995), uniform data,
// axial counting across the primitive, what is counted, the sampling
// weight, and set-ups that must give no density.
#include <cmath>
#include <random>

#include "qzCore/plot/ContourGenerator.h"
#include "tests/plot/PlotFixture.h"

namespace qzCore {
namespace testing_plot {
namespace {

// Closed forms are exact arithmetic on the same doubles: only rounding
// separates them.
constexpr double kClosedForm = 1e-9;

class Density : public StereoTest {
protected:
    /// `count` lines at (trend, plunge) on the plot.
    void lines(int trend, int plunge, int count) {
        for (int k = 0; k < count; ++k) ASSERT_TRUE(plot->insertLine(add(lineValues(trend, plunge))));
    }
    static ContourParams counting(int method, int smoothing, int grid = 51) {
        ContourParams c;
        c.setContourMethod(method);
        c.setSmoothingMethod(smoothing);
        c.setGridDensity(grid);
        c.setIncludeLines(true);
        return c;
    }
    ContourOutcome density(const ContourParams& c) { return plot->computeDensity(c, grid); }
    double centre() const { return grid.values(std::size_t(grid.size() / 2), std::size_t(grid.size() / 2)); }

    DensityGrid grid;
};

using M = ContourParams;

TEST_F(Density, HundredIdenticalLinesPeakAtTheClosedForm) {
    // N = 100, s = 3.  Kamb's area p = 9/109 and sigma = sqrt(N p (1 - p))
    // = 300/109; a whole count loses half a datum of continuity.  Smoothed
    // weights at the datum itself: 2 (linear), 3 (square), 1 (exponential,
    // with Vollmer's sigma = N / (s k), k = 2(1 + N/9)).  Percentages
    // divide by the uniform expectation: N/100, or N/k with k = 200.
    const double sigma = 300.0 / 109.0, k = 2.0 * (1.0 + 100.0 / 9.0);
    struct Case {
        int method, smoothing;
        double expected;
        bool percent;
    } cases[] = {
        {M::Method_Kamb, M::Smooth_None, 99.5 / sigma, false},
        {M::Method_Kamb, M::Smooth_Inv_Area, 200.0 / sigma, false},
        {M::Method_Kamb, M::Smooth_Inv_Area_Sq, 300.0 / sigma, false},
        {M::Method_Kamb, M::Smooth_Expon, 100.0 / (100.0 / (3.0 * k)), false},
        {M::Method_Seismic, M::Smooth_Expon, 100.0 / (100.0 / (3.0 * k)), false},
        {M::Method_One_Percent, M::Smooth_None, 100.0, true},
        {M::Method_One_Percent, M::Smooth_Inv_Area, 200.0, true},
        {M::Method_One_Percent, M::Smooth_Inv_Area_Sq, 300.0, true},
        {M::Method_One_Percent, M::Smooth_Expon, 200.0, true},
    };
    net();
    lines(0, 90, 100);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.method) + "/" + std::to_string(c.smoothing));
        ASSERT_EQ(density(counting(c.method, c.smoothing)), ContourOutcome::Drawn);
        EXPECT_NEAR(centre(), c.expected, c.expected * kClosedForm);
        EXPECT_EQ(grid.maximum, centre());
        EXPECT_EQ(grid.percent, c.percent);
        EXPECT_EQ(grid.count, 100.0);
        EXPECT_NEAR(grid.peak, c.expected, c.expected * kClosedForm);
        // A plain count is flat within its cone: the middle of the
        // plateau is the datum.
        EXPECT_EQ(grid.maxRow, 25);
        EXPECT_EQ(grid.maxColumn, 25);
        EXPECT_EQ(grid.peakPlunge, 90);
    }
    // Vollmer's exponential Kamb for N = 100: sigma 1.376 (not 6 sigma for
    // uniform data: see the next test).
    EXPECT_NEAR(100.0 / (3.0 * k), 1.3761, 1e-4);
}

TEST_F(Density, ATightClusterBetweenTheNodesIsFoundAndDrawn) {
    // 100,000 lines at 045/60: a plain Kamb cone of p = 9/(9 + N), 0.77
    // degrees, narrower than the grid's spacing, so the nodes around the
    // cluster see nothing.  The densest direction is the cluster's at the
    // closed form (N - 0.5)/sqrt(N p (1 - p)), and the grid the picture
    // contours holds that value at the node nearest it.
    constexpr double N = 100000.0;
    const double p = 9.0 / (9.0 + N), expected = (N - 0.5) / std::sqrt(N * p * (1.0 - p));
    net();
    lines(45, 60, int(N));
    ASSERT_EQ(density(counting(M::Method_Kamb, M::Smooth_None)), ContourOutcome::Drawn);
    EXPECT_EQ(grid.peakTrend, 45);
    EXPECT_EQ(grid.peakPlunge, 60);
    EXPECT_NEAR(grid.peak, expected, expected * kClosedForm);
    EXPECT_EQ(grid.maximum, grid.peak);
    EXPECT_LE(Matrix_1(grid.maxTrend, grid.maxPlunge).vectorAngle(Matrix_1(45.0, 60.0)), 5.0);  // one grid step
}

TEST(ContourLevels, ChosenFromTheMaximum) {
    // {maximum, start = interval}: 2, 4, ... while they are one to ten
    // levels; else the smallest of 1, 2, 2.5, 5 x 10^k leaving ten or
    // fewer.
    const std::pair<double, double> cases[] = {{2.0, 2.0},  {21.9, 2.0}, {23.0, 2.5},    {1.3, 0.2},
                                               {66672.7, 10000.0}, {0.05, 0.005}, {100.0, 10.0}};
    for (const auto& [maximum, step] : cases) {
        double start = 0.0, interval = 0.0;
        ASSERT_TRUE(chooseContourLevels(maximum, start, interval)) << maximum;
        EXPECT_NEAR(interval, step, step * 1e-12) << maximum;
        EXPECT_EQ(start, interval) << maximum;
        const double levels = std::floor((maximum - start) / interval) + 1.0;
        EXPECT_GE(levels, 1.0) << maximum;
        EXPECT_LE(levels, 10.0) << maximum;
    }
    double start = 7.0, interval = 7.0;
    for (const double bad : {0.0, -1.0, std::nan(""), HUGE_VAL}) {
        EXPECT_FALSE(chooseContourLevels(bad, start, interval));
    }
    EXPECT_EQ(start, 7.0);
}

TEST_F(Density, UniformDataAverageSSigmaForEverySmoothing) {
    // Directions uniform on the sphere: the cosine of the angle from the
    // vertical is uniform.  Equal-area nodes sample the hemisphere evenly,
    // so the mean over the nodes is the mean density.
    std::mt19937 random(20261206);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    net();
    const int n = 4000;
    for (int i = 0; i < n; ++i) {
        const int trend = int(std::lround(360.0 * unit(random))) % 360;
        const int plunge = int(std::lround(deg(std::asin(unit(random)))));
        ASSERT_TRUE(plot->insertLine(add(lineValues(trend, plunge))));
    }
    auto mean = [&] {
        double sum = 0.0;
        int nodes = 0;
        for (int j = 0; j < grid.size(); ++j) {
            for (int i = 0; i < grid.size(); ++i) {
                if (!DensityGrid::inside(i, j, grid.size())) continue;
                sum += grid.values(std::size_t(j), std::size_t(i));
                ++nodes;
            }
        }
        return sum / nodes;
    };
    // Kamb's count of 4000 spreads over ~445 independent areas: the mean
    // of the nodes wanders by ~0.05 sigma; 0.2 is four times that.
    constexpr double kSpread = 0.2;
    const double sigma = std::sqrt(n * (9.0 / (9.0 + n)) * (n / (9.0 + n)));
    ASSERT_EQ(density(counting(M::Method_Kamb, M::Smooth_None)), ContourOutcome::Drawn);
    EXPECT_NEAR(mean(), 3.0 - 0.5 / sigma, kSpread);
    for (int smoothing : {M::Smooth_Inv_Area, M::Smooth_Inv_Area_Sq, M::Smooth_Expon}) {
        ASSERT_EQ(density(counting(M::Method_Kamb, smoothing)), ContourOutcome::Drawn);
        EXPECT_NEAR(mean(), 3.0, kSpread) << smoothing;
    }
    // One percent of the data per one percent of the area.
    for (int smoothing : {M::Smooth_None, M::Smooth_Inv_Area_Sq, M::Smooth_Expon}) {
        ASSERT_EQ(density(counting(M::Method_One_Percent, smoothing)), ContourOutcome::Drawn);
        EXPECT_NEAR(mean(), 1.0, 0.1) << smoothing;
    }
}

TEST_F(Density, AxesCountAcrossThePrimitive) {
    // Horizontal lines trending east are the same axes as lines trending
    // west: the net is as dense at its west edge as at its east edge.
    net();
    lines(90, 0, 20);
    lines(92, 2, 5);  // just below the horizontal, east only
    ASSERT_EQ(density(counting(M::Method_Kamb, M::Smooth_Expon)), ContourOutcome::Drawn);
    const std::size_t mid = 25;
    EXPECT_NEAR(grid.values(mid, 50), grid.values(mid, 0), 1e-9 * grid.values(mid, 50));
    EXPECT_GT(grid.values(mid, 0), 10.0);
    // The densest direction, to the degree, in the real lower hemisphere.
    EXPECT_EQ(grid.peakPlunge, 0);
    EXPECT_TRUE(grid.peakTrend == 90 || grid.peakTrend == 270) << grid.peakTrend;
    // The host's value at a point counts the same way: |cos| at the west
    // primitive, in pixels of the default 400-unit plot.
    ContourParams c = counting(M::Method_Kamb, M::Smooth_None);
    std::vector<ContourInfo> levels;
    ContourGenerator g(plot.get(), c, levels);
    ASSERT_EQ(g.computeDensity(grid), ContourOutcome::Drawn);
    const PlotSize& s = plot->getStereoPlotParams().getPlotSize();
    const float cx = float(s.getPlotCenter().x()), cy = float(s.getPlotCenter().y()), r = s.getHalfSize();
    EXPECT_EQ(g.computeValueAtPoint(TwoDPoint<float>(cx - r, cy)), 25.0);
    EXPECT_EQ(g.computeValueAtPoint(TwoDPoint<float>(cx + r, cy)), 25.0);
    EXPECT_EQ(g.computeValueAtPoint(TwoDPoint<float>(cx, cy)), 0.0);
    EXPECT_EQ(g.computeValueAtPoint(TwoDPoint<float>(cx + 2 * r, cy)), 0.0);  // off the net
}

TEST_F(Density, PeakOfAnInclinedClusterOnEitherHemisphere) {
    for (bool lower : {true, false}) {
        StereoPlotParams p;
        p.setIsLowerHem(lower);
        net(p);
        lines(123, 37, 30);
        lines(123, 41, 10);
        ASSERT_EQ(density(counting(M::Method_Kamb, M::Smooth_Expon, 40)), ContourOutcome::Drawn);
        // The grid's node lies within a grid step of the cluster; the peak,
        // to the degree, at its weighted mean, 123/38.
        EXPECT_NEAR(grid.maxTrend, 123.0, 6.0) << lower;
        EXPECT_NEAR(grid.maxPlunge, 38.0, 4.0) << lower;
        EXPECT_EQ(grid.peakTrend, 123) << lower;
        EXPECT_EQ(grid.peakPlunge, 38) << lower;
    }
}

TEST_F(Density, WhatIsCounted) {
    // Planes drawn as great circles are counted only at their poles, when
    // asked; 000/30 has its pole at 270/60.
    net();
    for (int k = 0; k < 10; ++k) plot->insertPlane(add(planeValues(0, 30)));
    ContourParams c = counting(M::Method_Kamb, M::Smooth_Expon);
    c.setIncludeLines(false);
    c.setIncludePlanes(true);
    EXPECT_EQ(density(c), ContourOutcome::No_Data);
    c.setCountGreatCirclesAtPoles(true);
    ASSERT_EQ(density(c), ContourOutcome::Drawn);
    EXPECT_EQ(grid.peakTrend, 270);
    EXPECT_EQ(grid.peakPlunge, 60);
    // Plotted as poles, they count without being asked.
    StereoPlotParams poles;
    poles.setPlaneStyle(Planar_Pole);
    net(poles);
    plot->insertPlane(add(planeValues(0, 30)));
    c.setCountGreatCirclesAtPoles(false);
    ASSERT_EQ(density(c), ContourOutcome::Drawn);
    EXPECT_EQ(grid.count, 1.0);
    // Lines are left out unless included; results (specials) likewise.
    lines(10, 10, 3);
    ASSERT_EQ(density(c), ContourOutcome::Drawn);
    EXPECT_EQ(grid.count, 1.0);
    plot->insertSpecial(add(lineValues(10, 10, K::GDType_Fisher)));
    c.setIncludeLines(true);
    c.setIncludeSpecials(true);
    ASSERT_EQ(density(c), ContourOutcome::Drawn);
    EXPECT_EQ(grid.count, 5.0);
}

TEST_F(Density, SamplingWeightOfPlanes) {
    // A vertical borehole sees planes in proportion to the cosine between
    // its axis and their poles: horizontal planes (pole vertical) weigh 1,
    // planes dipping 60 (pole 60 from the axis) weigh 1/cos 60 = 2.  The
    // weights are scaled to sum to the number of planes.
    StereoPlotParams poles;
    poles.setPlaneStyle(Planar_Pole);
    net(poles);
    for (int k = 0; k < 10; ++k) plot->insertPlane(add(planeValues(0, 0)));
    for (int k = 0; k < 10; ++k) plot->insertPlane(add(planeValues(90, 60)));
    ContourParams c = counting(M::Method_One_Percent, M::Smooth_None, 41);
    c.setIncludeLines(false);
    c.setIncludePlanes(true);
    ASSERT_EQ(density(c), ContourOutcome::Drawn);
    const double flat = centre();
    c.setAxisWeighting(true);
    c.setAxis(0, 90);
    ASSERT_EQ(density(c), ContourOutcome::Drawn);
    EXPECT_EQ(grid.count, 20.0);
    // Weights 1 and 2 scaled by 20/30.
    EXPECT_NEAR(centre(), flat * 2.0 / 3.0, 1e-9 * flat);
    EXPECT_NEAR(grid.peak, flat * 4.0 / 3.0, 1e-9 * flat);
    // Axes: a borehole plunging up the other way is the same axis.
    c.setAxis(180, -90);
    ASSERT_EQ(density(c), ContourOutcome::Drawn);
    EXPECT_NEAR(centre(), flat * 2.0 / 3.0, 1e-9 * flat);
    // Near the limit the weight stays at its cap: planes dipping 85 with
    // a limit of 80 weigh 1/cos 80, not 1.
    net(poles);
    for (int k = 0; k < 10; ++k) plot->insertPlane(add(planeValues(0, 0)));
    for (int k = 0; k < 10; ++k) plot->insertPlane(add(planeValues(90, 85)));
    ASSERT_EQ(density(c), ContourOutcome::Drawn);
    const double cap = 1.0 / std::cos(rad(80.0));
    EXPECT_NEAR(centre(), flat * 20.0 / (10.0 + 10.0 * cap), 1e-9 * flat);
}

TEST_F(Density, SetUpsThatGiveNoDensity) {
    net();
    lines(0, 90, 5);
    const double nan = std::nan("");
    struct Case {
        const char* what;
        ContourParams params;
        ContourOutcome outcome;
    };
    std::vector<Case> cases;
    auto with = [&](const char* what, ContourOutcome o, auto change) {
        ContourParams c = counting(M::Method_Kamb, M::Smooth_None);
        change(c);
        cases.push_back({what, c, o});
    };
    with("s = 0", ContourOutcome::Bad_Counting_Parameter, [](ContourParams& c) { c.setCountingParameter(0.0); });
    with("s < 0", ContourOutcome::Bad_Counting_Parameter, [](ContourParams& c) { c.setCountingParameter(-3.0); });
    with("s NaN", ContourOutcome::Bad_Counting_Parameter, [&](ContourParams& c) { c.setCountingParameter(nan); });
    with("s huge", ContourOutcome::Bad_Counting_Parameter, [](ContourParams& c) { c.setCountingParameter(1e200); });
    with("Seismic/None", ContourOutcome::Seismic_Needs_Expon,
         [](ContourParams& c) { c.setContourMethod(M::Method_Seismic); });
    with("Seismic/InvArea", ContourOutcome::Seismic_Needs_Expon, [](ContourParams& c) {
        c.setContourMethod(M::Method_Seismic);
        c.setSmoothingMethod(M::Smooth_Inv_Area);
    });
    with("method 7", ContourOutcome::Bad_Method, [](ContourParams& c) { c.setContourMethod(7); });
    with("smoothing -1", ContourOutcome::Bad_Method, [](ContourParams& c) { c.setSmoothingMethod(-1); });
    with("grid 2", ContourOutcome::Bad_Grid, [](ContourParams& c) { c.setGridDensity(2); });
    with("grid -5", ContourOutcome::Bad_Grid, [](ContourParams& c) { c.setGridDensity(-5); });
    with("grid 100000", ContourOutcome::Bad_Grid, [](ContourParams& c) { c.setGridDensity(100000); });
    with("nothing counted", ContourOutcome::No_Data, [](ContourParams& c) { c.setIncludeLines(false); });
    for (const Case& c : cases) {
        EXPECT_EQ(density(c.params), c.outcome) << c.what;
        EXPECT_NE(*contourOutcomeText(c.outcome), '\0') << c.what;
    }
    // Levels are checked once there is something to draw.
    with("interval 0", ContourOutcome::Bad_Interval, [](ContourParams& c) { c.setContourInterval(0.0); });
    with("interval < 0", ContourOutcome::Bad_Interval, [](ContourParams& c) { c.setContourInterval(-2.0); });
    with("interval inf", ContourOutcome::Bad_Interval,
         [](ContourParams& c) { c.setContourInterval(HUGE_VAL); });
    with("start NaN", ContourOutcome::Bad_Start, [&](ContourParams& c) { c.setStartLevel(nan); });
    for (const Case& c : cases) EXPECT_NE(density(c.params), ContourOutcome::Drawn) << c.what;
}

}  // namespace
}  // namespace testing_plot
}  // namespace qzCore
