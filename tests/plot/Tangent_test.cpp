// The tangent plot: where lines and planes land, planes sharing an axis in
// a line, steep lines counted but not drawn, and symbol updates.
#include <cmath>

#include "qzCore/plot/TangentPlotCore.h"
#include "tests/plot/PlotFixture.h"

namespace qzCore {
namespace testing_plot {
namespace {

constexpr double kFloat = 1e-6;

class Tangent : public OneDatasetTest {
protected:
    TangentPlotCore& tangent(const TangentPlotParams& p = TangentPlotParams()) {
        plot = std::make_unique<TangentPlotCore>(p, &port, manager);
        return *plot;
    }
    std::vector<TwoDPoint<float>> points() const {
        std::vector<TwoDPoint<float>> out;
        for (const RecordedCall& c : port.callsOf(RecordedCall::Draw_Symbol)) {
            if (c.points[0] != TwoDPoint<float>(0.0f, 0.0f) || c.style.getSymbol() != Symbol_Circle) {
                out.push_back(c.points[0]);
            }
        }
        return out;
    }

    RecordingPort port;
    std::unique_ptr<TangentPlotCore> plot;
};

TEST_F(Tangent, ProjectionByTheTangentOfThePlunge) {
    tangent();
    // r = tan(p) / tan(65): 1 at 65, 0 for horizontal, tan 45 / tan 65 =
    // 0.466308 at 45.
    struct Case {
        int trend, plunge;
        double x, y;
    } cases[] = {{90, 65, 1.0, 0.0}, {123, 0, 0.0, 0.0}, {0, 45, 0.0, 0.466308}, {180, 45, 0.0, -0.466308},
                 {270, 30, -std::tan(rad(30)) / std::tan(rad(65)), 0.0}};
    for (const Case& c : cases) {
        TwoDPoint<float> at;
        plot->mapTPToUnitCircle(TwoDPoint<int>(c.trend, c.plunge), at);
        EXPECT_NEAR(at.x(), c.x, kFloat) << c.trend << "/" << c.plunge;
        EXPECT_NEAR(at.y(), c.y, kFloat) << c.trend << "/" << c.plunge;
    }
}

TEST_F(Tangent, PlanesAreTheirDipVectorsOrPoles) {
    // 000/45 dips east: its dip vector 090/45 at (0.4663, 0); its pole
    // 270/45 at (-0.4663, 0).
    for (const auto& c : {std::make_pair(Planar_Great_Circle, 0.466308), std::make_pair(Planar_Dip_Direction, 0.466308),
                          std::make_pair(Planar_Pole, -0.466308)}) {
        TangentPlotParams p;
        p.setPlaneStyle(c.first);
        tangent(p);
        ASSERT_TRUE(plot->insertPlane(add(planeValues(0, 45))));
        port.clear();
        plot->generatePlot();
        const std::vector<TwoDPoint<float>> drawn = points();
        ASSERT_EQ(drawn.size(), 1u);
        EXPECT_NEAR(drawn[0].x(), c.second, kFloat) << c.first;
        EXPECT_NEAR(drawn[0].y(), 0.0, kFloat) << c.first;
    }
}

TEST_F(Tangent, PlanesSharingAnAxisLineUp) {
    // A plane's dip vector g (length tan dip, down the dip) and a line of
    // the plane of horizontal direction u meet at g . u = tan(plunge): the
    // planes through one axis have their points on one straight line, at
    // right angles to the axis's trend, tan(plunge)/tan(65) from the centre.
    // Planes 090/d hold the horizontal line 090/00: all on x = 0.
    tangent();
    for (int d : {10, 25, 40, 55, 64}) plot->insertPlane(add(planeValues(90, d)));
    plot->generatePlot();
    const std::vector<TwoDPoint<float>> drawn = points();
    ASSERT_EQ(drawn.size(), 5u);
    for (const TwoDPoint<float>& q : drawn) EXPECT_NEAR(q.x(), 0.0, kFloat);
    // Planes through 000/30: tan(dip) cos(dip direction) = tan 30, so
    // 270/30 (dipping north) exactly, and 330/49 and 210/49 (dipping 060
    // and 300; tan 49.1 cos 60 = tan 30) to the degree.
    tangent();
    for (const auto& plane : {std::pair<int, int>{270, 30}, {330, 49}, {210, 49}}) {
        plot->insertPlane(add(planeValues(plane.first, plane.second)));
    }
    port.clear();
    plot->generatePlot();
    const std::vector<TwoDPoint<float>> axis = points();
    ASSERT_EQ(axis.size(), 3u);
    // A whole-degree dip moves a point by at most 0.01 here.
    for (const TwoDPoint<float>& q : axis) EXPECT_NEAR(q.y(), std::tan(rad(30)) / std::tan(rad(65)), 0.01);
}

TEST_F(Tangent, SteepLinesCountButStayOffThePicture) {
    tangent();
    plot->insertLine(add(lineValues(0, 80)));   // r = 2.645
    plot->insertLine(add(lineValues(0, 90)));   // at infinity
    plot->insertLine(add(lineValues(10, 20)));
    plot->insertLine(add(lineValues(90, 65)));  // on the circle
    plot->insertLine(add(lineValues(45, 70)));  // r = 1.28, inside the square
    plot->generatePlot();
    EXPECT_EQ(plot->getNumData(), 5);
    EXPECT_EQ(points().size(), 3u);
    EXPECT_EQ(plot->getNumOffPicture(), 2);
    // With the circle as the frame the 70 is left off too, and said.
    plot->setClipToFrame(true);
    port.clear();
    plot->generatePlot();
    EXPECT_EQ(points().size(), 2u);
    EXPECT_EQ(plot->getNumOffPicture(), 3);
    for (const TwoDPoint<float>& q : points()) EXPECT_LE(std::hypot(q.x(), q.y()), 1.0 + 1e-5);
    for (const RecordedCall& c : port.calls()) {
        for (const TwoDPoint<float>& q : c.points) EXPECT_LE(std::hypot(q.x(), q.y()), 2.0) << c.kind;
    }
    TwoDPoint<float> at;
    plot->mapTPToUnitCircle(TwoDPoint<int>(0, 80), at);
    EXPECT_NEAR(at.y(), std::tan(rad(80)) / std::tan(rad(65)), 1e-5);
    TwoDPoint<int> device(0, 90);
    plot->mapTPToClient(device);  // held within an int, no overflow
    EXPECT_LT(device.y(), 0);
    // A plane dipping 20 has its pole at plunge 70, beyond the circle.
    TwoDPoint<int> point;
    EXPECT_FALSE(plot->computePoint(point, add(planeValues(0, 20)), true));
    EXPECT_TRUE(plot->computePoint(point, add(planeValues(0, 20)), false));
    EXPECT_EQ(point, TwoDPoint<int>(0, 20));
}

}  // namespace
}  // namespace testing_plot
}  // namespace qzCore
