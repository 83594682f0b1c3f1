// Where the stereonet puts things, against the projections worked out by
// hand: Lambert's equal-area r = sqrt(2) sin((90 - p)/2), the
// stereographic r = tan((90 - p)/2).
#include "tests/plot/PlotFixture.h"

namespace qzCore {
namespace testing_plot {
namespace {

// Plot units are floats: seven significant digits.
constexpr float kPlotTolerance = 1e-6f;

TEST_F(StereoTest, ProjectionOfLines) {
    // {equal area, trend, plunge, x, y}
    struct Case {
        bool area;
        int trend, plunge;
        double x, y;
    };
    const Case cases[] = {
        {true, 90, 0, 1.0, 0.0},           {false, 90, 0, 1.0, 0.0},   {true, 0, 90, 0.0, 0.0},
        {false, 217, 90, 0.0, 0.0},        {false, 0, 30, 0.0, std::tan(rad(30))},
        {true, 0, 30, 0.0, std::sqrt(2.0) * std::sin(rad(30))},       {true, 180, 0, 0.0, -1.0},
        {true, 360, 0, 0.0, 1.0},          {true, 45, 45, std::sin(rad(45)) * std::sqrt(2.0) * std::sin(rad(22.5)),
                                            std::cos(rad(45)) * std::sqrt(2.0) * std::sin(rad(22.5))},
    };
    for (const Case& c : cases) {
        StereoPlotParams p;
        p.setIsEqualArea(c.area);
        TwoDPoint<float> at;
        net(p).mapTPToUnitCircle(TwoDPoint<int>(c.trend, c.plunge), at);
        EXPECT_NEAR(at.x(), c.x, kPlotTolerance) << c.trend << "/" << c.plunge;
        EXPECT_NEAR(at.y(), c.y, kPlotTolerance) << c.trend << "/" << c.plunge;
        // And back: the direction the point shows (the centre has no trend).
        double trend = 0.0, plunge = 0.0;
        ASSERT_TRUE(plot->mapUnitCircleToTP(c.x, c.y, trend, plunge));
        EXPECT_NEAR(plunge, c.plunge, 1e-9);
        if (c.plunge < 90) {
            EXPECT_NEAR(trend, c.trend % 360, 1e-9);
        }
    }
    double t = 0.0, p = 0.0;
    EXPECT_FALSE(plot->mapUnitCircleToTP(0.8, 0.8, t, p));  // beyond the primitive
    EXPECT_NEAR(std::tan(rad(30)), 0.5774, 1e-4);
    EXPECT_NEAR(std::sqrt(2.0) * std::sin(rad(30)), 0.7071, 1e-4);
}

TEST_F(StereoTest, PolesOfAPlaneInBothProjectionsAndHemispheres) {
    // The pole of 000/30 is 270/60: r = sqrt(2) sin 15 = 0.366025 (equal
    // area), tan 15 = 0.267949 (equal angle); west of the centre on the
    // lower hemisphere, east on the upper.
    const GeoData* plane = add(planeValues(0, 30));
    struct Case {
        bool area, lower;
        double x;
    };
    for (const Case& c : {Case{true, true, -0.366025}, Case{false, true, -0.267949}, Case{true, false, 0.366025}}) {
        port.clear();
        StereoPlotParams p;
        p.setIsEqualArea(c.area);
        p.setIsLowerHem(c.lower);
        p.setPlaneStyle(Planar_Pole);
        p.setShowPlotFrame(false);
        net(p).insertPlane(plane);
        plot->generatePlot();
        const std::vector<Call> symbols = drawn(Call::Draw_Symbol);
        ASSERT_EQ(symbols.size(), 1u);
        EXPECT_NEAR(symbols[0].points[0].x(), c.x, 1e-6);
        EXPECT_NEAR(symbols[0].points[0].y(), 0.0, 1e-6);
    }
    EXPECT_NEAR(std::sqrt(2.0) * std::sin(rad(15)), 0.366025, 1e-6);
    EXPECT_NEAR(std::tan(rad(15)), 0.267949, 1e-6);
}

TEST_F(StereoTest, SampledGreatCirclesLieOnTheirPlanes) {
    // Every point, projected back by the formulas above, is a direction in
    // the plane: its dot product with the pole is within 1e-3 (float plot
    // units allow about 1e-6).
    for (const bool area : {true, false}) {
        for (const auto& plane : {std::pair<int, int>{0, 30}, {45, 56}, {200, 89}, {300, 5}, {90, 90}}) {
            StereoPlotParams p;
            p.setIsEqualArea(area);
            std::list<TwoDPoint<float>> points;
            ASSERT_TRUE(net(p).generateGreatCircle(float(plane.first), float(plane.second), points));
            ASSERT_GT(points.size(), 45u);
            int t = plane.first, d = plane.second;
            MyMath().computePole(t, d);
            const Matrix_1 pole{double(t), double(d)};
            for (const TwoDPoint<float>& q : points) {
                EXPECT_LE(std::fabs(inverse(q.x(), q.y(), area).dotProduct(pole)), 1e-3)
                    << plane.first << "/" << plane.second << " at (" << q.x() << ", " << q.y() << ")";
            }
        }
    }
}

TEST_F(StereoTest, PlanesAreSampledInEqualAreaAndArcsOnlyInEqualAngle) {
    const GeoData* plane = add(planeValues(0, 30));
    StereoPlotParams p;
    p.setShowPlotFrame(false);
    net(p).insertPlane(plane);  // plane style 0: the plane itself
    plot->generatePlot();
    EXPECT_TRUE(drawn(Call::Draw_Plane_Arc).empty());
    ASSERT_EQ(drawn(Call::Draw_Path).size(), 1u);
    EXPECT_TRUE(drawn(Call::Draw_Symbol).empty());  // never a symbol at (strike, dip)

    port.clear();
    p.setIsEqualArea(false);
    net(p).insertPlane(plane);
    plot->generatePlot();
    const std::vector<Call> arcs = drawn(Call::Draw_Plane_Arc);
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_NEAR(arcs[0].values[0], std::tan(rad(30)), kPlotTolerance);
    EXPECT_EQ(arcs[0].values[1], -0.0f);
}

TEST(PlaneArc, CircleThroughTheStrikeEndsAndTheDipPoint) {
    // 000/30 in equal angle: the dip point at r = tan 30 = 0.57735 east;
    // the circle through (0, 1), (0, -1) and (r, 0) has its centre at
    // ((r^2 - 1)/2r, 0) = (-0.57735, 0) and radius 1/cos 30 = 1.1547.
    TwoDPoint<double> c;
    double radius = 0;
    ASSERT_TRUE(planeArcCircle(float(std::tan(rad(30))), 0.0f, c, radius));
    EXPECT_NEAR(c.x(), -0.57735, 1e-5);
    EXPECT_NEAR(c.y(), 0.0, 1e-6);
    EXPECT_NEAR(radius, 1.1547, 1e-4);
    // Strike 090 (dipping south): the same circle turned a quarter round.
    ASSERT_TRUE(planeArcCircle(float(std::tan(rad(30))), -90.0f, c, radius));
    EXPECT_NEAR(c.x(), 0.0, 1e-5);
    EXPECT_NEAR(c.y(), 0.57735, 1e-5);
    // It passes through the stereographic points of the plane's lines.
    for (const int rake : {20, 90, 150}) {
        double t = 0, p = 0;
        MyMath().computeTrendPlunge(90.0, 30.0, double(rake), t, p);
        const double r = std::tan(rad((90.0 - p) / 2.0));
        EXPECT_NEAR(std::hypot(r * std::sin(rad(t)) - c.x(), r * std::cos(rad(t)) - c.y()), radius, 1e-5) << rake;
    }
    EXPECT_FALSE(planeArcCircle(0.0f, 0.0f, c, radius));  // a vertical plane: the straight line
}

TEST_F(StereoTest, ConesAreSmallCirclesAboutTheirAxis) {
    // Every point of a 15-degree cone about 120/40 is 15 degrees from the
    // axis; about a near-horizontal axis the circle crosses the primitive
    // and the part above comes back on the other side.
    for (const auto& axis : {std::pair<float, float>{120.0f, 40.0f}, {10.0f, 5.0f}}) {
        port.clear();
        StereoPlotParams p;
        net(p).generateSmallCircleOnPort(TwoDPoint<float>(axis.first, axis.second), 15.0f, GraphicsStyle());
        const Matrix_1 a{double(axis.first), double(axis.second)};
        const std::vector<Call> paths = drawn(Call::Draw_Path);
        ASSERT_FALSE(paths.empty());
        EXPECT_EQ(paths.size(), axis.second < 15.0f ? 2u : 1u);
        for (const Call& path : paths) {
            for (const TwoDPoint<float>& q : path.points) {
                const double angle = deg(std::acos(std::min(1.0, std::fabs(inverse(q.x(), q.y(), true).dotProduct(a)))));
                EXPECT_NEAR(angle, 15.0, 1e-3);
            }
        }
    }
}

}  // namespace
}  // namespace testing_plot
}  // namespace qzCore
