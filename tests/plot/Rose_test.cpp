// The rose diagram: class settings at and beyond their limits, petal radii
// and the resultant of hand-worked sets, axes, running averages, and what
// is (not) drawn without data.
#include <cmath>

#include <algorithm>

#include "qzCore/plot/RosePlotCore.h"
#include "tests/plot/PlotFixture.h"

namespace qzCore {
namespace testing_plot {
namespace {

// Radii are floats: a few units of their last place.
constexpr double kFloat = 1e-6;

class Rose : public OneDatasetTest {
protected:
    RosePlotCore& rose(const RosePlotParams& p = RosePlotParams()) {
        plot = std::make_unique<RosePlotCore>(p, &port, manager);
        return *plot;
    }
    void trends(std::initializer_list<int> azimuths) {
        for (int a : azimuths) ASSERT_TRUE(plot->insertLine(add(lineValues(a, 10))));
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const RecordedCall& c : port.callsOf(RecordedCall::Draw_Text)) out.push_back(c.text);
        return out;
    }
    bool hasText(const std::string& t) const {
        const std::vector<std::string> all = texts();
        return std::find(all.begin(), all.end(), t) != all.end();
    }

    RecordingPort port;
    std::unique_ptr<RosePlotCore> plot;
};

TEST(RoseParams, ClassesAreWholeSplitsOfTheCircle) {
    // A class size or count that does not split 360 evenly, and a start or
    // window out of range, fall back to the defaults (20 x 18, 0, 20).
    RosePlotParams p;
    for (const auto& c : {std::pair<int, int>{45, 8}, {360, 1}, {25, 18}, {0, 18}, {-20, 18}, {720, 18}}) {
        p.setClassSize(c.first);
        EXPECT_EQ(p.getNumClasses(), c.second) << c.first;
    }
    p.setNumClasses(9);
    EXPECT_EQ(p.getClassSize(), 40);
    p.setNumClasses(7);
    EXPECT_EQ(p.getClassSize(), 20);
    for (const auto& c : {std::pair<int, int>{359, 359}, {360, 0}, {-10, 0}}) {
        p.setClassStart(c.first);
        EXPECT_EQ(p.getClassStart(), c.second) << c.first;
    }
    for (const auto& c : {std::pair<int, int>{1, 1}, {360, 360}, {0, 20}, {361, 20}}) {
        p.setRunningAverageWindowSize(c.first);
        EXPECT_EQ(p.getRunningAverageWindowSize(), c.second) << c.first;
    }
}

TEST_F(Rose, FourLinesByHand) {
    // 10, 10, 10 and 100 in 18 classes: shares f = 3/4 and 1/4, the linear
    // radii; by area sqrt(18 f) = 3.6742 and 2.1213, drawn as 1 : 0.57735.
    // Resultant: C = 3 cos 10 + cos 100, S = 3 sin 10 + sin 100, azimuth
    // atan2(S, C) = 28.4, r = |(C, S)| / 4 = 0.7906; angular deviation
    // sqrt(2(1 - r)) = 0.6472 rad = 37.08 degrees.
    RosePlotParams p;
    p.setIsAreaProportional(false);
    rose(p);
    trends({10, 10, 10, 100});
    std::vector<float> radii;
    float largest = 0;
    ASSERT_TRUE(plot->getResults(radii, largest));
    ASSERT_EQ(radii.size(), 18u);
    EXPECT_NEAR(radii[0], 0.75, kFloat);
    EXPECT_NEAR(radii[5], 0.25, kFloat);
    EXPECT_NEAR(largest, 0.75, kFloat);
    for (std::size_t k : {1u, 4u, 6u, 17u}) EXPECT_EQ(radii[k], 0.0f);
    const double c = 3 * std::cos(rad(10)) + std::cos(rad(100)), s = 3 * std::sin(rad(10)) + std::sin(rad(100));
    EXPECT_NEAR(plot->getResultantDirection(), deg(std::atan2(s, c)), 1e-9);
    EXPECT_NEAR(plot->getResultantLength(), std::hypot(c, s) / 4, 1e-9);
    EXPECT_NEAR(plot->getAngularDeviation(), deg(std::sqrt(2 * (1 - std::hypot(c, s) / 4))), 1e-9);
    EXPECT_NEAR(plot->getAngularDeviation(), 37.08, 0.01);
    EXPECT_TRUE(hasText("Resultant : 28"));
    EXPECT_TRUE(hasText("Ang. Dev. : 37"));
    EXPECT_TRUE(hasText("Largest Freq : 75.00%"));

    p.setIsAreaProportional(true);
    plot->setPlotParams(p);
    ASSERT_TRUE(plot->getResults(radii, largest));
    EXPECT_NEAR(radii[0], std::sqrt(18 * 0.75), kFloat);
    EXPECT_NEAR(radii[5], std::sqrt(18 * 0.25), kFloat);
    EXPECT_NEAR(largest, std::sqrt(18 * 0.75), kFloat);
    // Petals: a wedge from the class's first azimuth, 20 degrees clockwise,
    // at the scaled radius.
    port.clear();
    plot->generatePlot();
    const std::vector<RecordedCall> wedges = port.callsOf(RecordedCall::Draw_Wedge);
    ASSERT_EQ(wedges.size(), 2u);
    EXPECT_NEAR(wedges[1].values[0], std::sqrt(1.0 / 3.0), kFloat);
    EXPECT_EQ(wedges[1].values[1], 20.0f);
    const float r = wedges[1].values[0];
    EXPECT_NEAR(wedges[1].points[1].x(), r * std::sin(rad(100)), kFloat);
    EXPECT_NEAR(wedges[1].points[1].y(), r * std::cos(rad(100)), kFloat);
}

TEST_F(Rose, ClassStartShiftsTheClasses) {
    RosePlotParams p;
    p.setClassStart(10);
    rose(p);
    trends({5, 10, 29, 30});
    plot->generatePlot();
    const std::vector<float>& f = plot->getFrequencies();
    EXPECT_EQ(f[17], 1.0f);  // 5 lies in 350-10
    EXPECT_EQ(f[0], 2.0f);   // 10 and 29 in 10-30
    EXPECT_EQ(f[1], 1.0f);   // 30 starts the next
    EXPECT_EQ(plot->getBins()[0].size(), 2u);
}

TEST_F(Rose, AxesCountAtBothEnds) {
    // Nine classes of 40: an axis at 010 is also at 190, class 4 (160-200),
    // not class 5, whatever pairing of classes an even count would suggest.
    RosePlotParams p;
    p.setNumClasses(9);
    p.setIsUnidirectional(false);
    rose(p);
    trends({10, 190});
    plot->generatePlot();
    const std::vector<float>& f = plot->getFrequencies();
    EXPECT_EQ(f[0], 2.0f);
    EXPECT_EQ(f[4], 2.0f);
    EXPECT_EQ(f[5], 0.0f);
    // 010 and 190 are one axis: resultant 010, r = 1.
    EXPECT_NEAR(plot->getResultantDirection(), 10.0, 1e-9);
    EXPECT_NEAR(plot->getResultantLength(), 1.0, 1e-12);
    EXPECT_NEAR(plot->getAngularDeviation(), 0.0, 1e-6);
    // The axis is drawn both ways.
    EXPECT_EQ(port.callsOf(RecordedCall::Draw_Arrow).size(), 2u);
    // Axes near north: 175 and 005 average to 000, not 090.
    rose(p);
    trends({175, 5});
    plot->generatePlot();
    EXPECT_NEAR(plot->getResultantDirection(), 0.0, 1e-9);
}

TEST_F(Rose, VectorsThatCancelHaveNoResultant) {
    rose();
    trends({90, 270});
    port.clear();
    plot->generatePlot();
    EXPECT_EQ(plot->getResultantDirection(), -1.0);
    EXPECT_TRUE(port.callsOf(RecordedCall::Draw_Arrow).empty());
    for (const std::string& t : texts()) EXPECT_EQ(t.find("Resultant"), std::string::npos) << t;
    // All at north: direction 0, r 1, deviation 0.
    rose();
    trends({0, 0, 0});
    plot->generatePlot();
    EXPECT_EQ(plot->getResultantDirection(), 0.0);
    EXPECT_EQ(plot->getResultantLength(), 1.0);
}

TEST_F(Rose, NoDataDrawsNoPetals) {
    for (bool outline : {false, true}) {
        RosePlotParams p;
        p.setGenerateRoseOutline(outline);
        rose(p);
        port.clear();
        plot->generatePlot();
        EXPECT_TRUE(port.callsOf(RecordedCall::Draw_Wedge).empty());
        EXPECT_TRUE(port.callsOf(RecordedCall::Draw_Path).empty());
        for (const RecordedCall& c : port.calls()) {
            for (const TwoDPoint<float>& q : c.points) EXPECT_TRUE(std::isfinite(q.x()) && std::isfinite(q.y()));
        }
        std::vector<float> radii;
        float largest = 1.0f;
        EXPECT_TRUE(plot->getResults(radii, largest));
        EXPECT_EQ(radii, std::vector<float>(18, 0.0f));
        EXPECT_EQ(largest, 0.0f);
    }
}

TEST_F(Rose, RunningAverageSpreadsEachDegree) {
    // Window 20: 21 degrees about each, divided by 20.  A datum at 000
    // gives 11/20 to class 0 (000-019) and 10/20 to class 17 (340-359).
    RosePlotParams p;
    p.setApplyRunningAverage(true);
    rose(p);
    trends({0});
    port.clear();
    plot->generatePlot();
    const std::vector<float>& f = plot->getFrequencies();
    EXPECT_NEAR(f[0], 11.0 / 20.0, kFloat);
    EXPECT_NEAR(f[17], 10.0 / 20.0, kFloat);
    // Petals drawn once each; the resultant keeps its fractional weights.
    EXPECT_EQ(port.callsOf(RecordedCall::Draw_Wedge).size(), 2u);
    EXPECT_NEAR(plot->getResultantDirection(), 0.0, 1e-9);
    EXPECT_TRUE(hasText("R.A. Window : 20"));
    rose(p);
    trends({45});
    plot->generatePlot();
    EXPECT_NEAR(plot->getResultantDirection(), 45.0, 1e-9);
    EXPECT_GT(plot->getResultantLength(), 0.9);
}

TEST_F(Rose, PlanesByTheirStyle) {
    RosePlotParams p;
    // A plane 030/40 counts at its strike, its dip direction or its pole's
    // trend.
    for (const auto& c : {std::make_pair(Planar_Great_Circle, 30), std::make_pair(Planar_Dip_Direction, 120),
                          std::make_pair(Planar_Pole, 300)}) {
        p.setPlaneStyle(c.first);
        rose(p);
        ASSERT_TRUE(plot->insertPlane(add(planeValues(30, 40))));
        EXPECT_EQ(plot->planeStore().begin()->first.x(), c.second);
    }
    EXPECT_FALSE(plot->insertLine(add(planeValues(30, 40))));
}

}  // namespace
}  // namespace testing_plot
}  // namespace qzCore
