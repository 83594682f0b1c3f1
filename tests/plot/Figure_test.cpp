// What our hosts draw around a plot, on the recording port: the count of
// records, the key, the colour bar with every level, the densest direction,
// the rings' labels of a rose and a tangent plot.
#include <algorithm>
#include <cmath>

#include "qzCore/plot/ColorMaps.h"
#include "qzCore/plot/FabricDiagram.h"
#include "qzCore/shared/RecordingPort.h"
#include "qzCore/plot/FigureDecorations.h"
#include "qzCore/plot/RosePlotCore.h"
#include "qzCore/plot/TangentPlotParams.h"
#include "tests/plot/PlotFixture.h"

namespace qzCore {
namespace testing_plot {
namespace {

std::vector<std::string> texts(const RecordingPort& port) {
    std::vector<std::string> out;
    for (const Call& c : port.callsOf(Call::Draw_Text)) out.push_back(c.text);
    return out;
}

bool has(const std::vector<std::string>& all, const std::string& text) {
    return std::find(all.begin(), all.end(), text) != all.end();
}

TEST_F(StereoTest, RecordsCountedAndKeyedOnceEach) {
    // Two planes, a fault (plane and slip line: one record), a line and a
    // Fisher mean read from a file: four records a reader counts.
    add(planeValues(10, 30));
    add(planeValues(40, 50));
    add(faultValues(0, 60, 90, 60, S::GDSlipType_ReverseSlip), "Rev");
    add(lineValues(100, 20));
    add(lineValues(120, 30, K::GDType_Fisher));
    EXPECT_EQ(countDataRecords(data()), 4);
    insertDataset(net(), data());
    EXPECT_EQ(plot->getNumData(), 6);  // the engine's count of points
    drawRecordCount(port, plot->getPlotParams(), countDataRecords(data()));
    EXPECT_TRUE(has(texts(port), "Total Data : 4"));
    std::vector<std::string> words;
    for (const KeyEntry& e : dataKey(data(), *plot)) words.push_back(e.words);
    EXPECT_EQ(words, (std::vector<std::string>{"planes", "faults", "slip lines", "hanging wall moves", "lines"}));
    // Marker sizes by the number of records, both sides of each step.
    for (const auto& c : {std::make_pair(100, 3), {101, 2}, {1000, 2}, {1001, 1}}) {
        EXPECT_EQ(int(markerSizeFor(c.first)), c.second) << c.first;
    }
}

TEST_F(StereoTest, ColorBarShowsEveryLevelAndTheDensestDirection) {
    // 100 vertical lines counted by "1Percent" without smoothing: 100 % at
    // the centre; levels 2, 6, ..., 98 are 25 bands, every third labelled.
    StereoPlotParams p;
    p.setIsLowerHem(false);
    net(p);
    for (int k = 0; k < 100; ++k) plot->insertLine(add(lineValues(0, 90)));
    ContourParams c;
    c.setIncludeLines(true);
    c.setSmoothingMethod(ContourParams::Smooth_None);
    c.setStartLevel(2.0);
    c.setContourInterval(4.0);
    c.setColorRamp(findColorMap("viridis")->stops);
    plot->setContourParams(c);
    plot->generatePlot();
    port.clear();
    drawColorBar(port, *plot, 0.95f);
    std::vector<RGBColor> bands;
    for (const Call& b : port.callsOf(Call::Draw_Box)) {
        if (b.flags[0]) bands.push_back(b.fill.getColor());
    }
    ASSERT_EQ(bands.size(), 25u);
    EXPECT_EQ(bands.front(), findColorMap("viridis")->stops.front());
    EXPECT_EQ(bands.back(), findColorMap("viridis")->stops.back());
    const std::vector<std::string> labels = texts(port);
    EXPECT_TRUE(has(labels, "% per 1% area"));
    EXPECT_TRUE(has(labels, "2") && has(labels, "14") && has(labels, "98"));
    EXPECT_FALSE(has(labels, "6"));
    EXPECT_EQ(labels.size(), 1u + 9u);

    // Lines 000/60 on an upper-hemisphere net: the densest direction is
    // ringed where its upper end projects, 180/60 at r = sqrt(2) sin 15.

    StereoPlotCore upper(p, &port, manager);
    for (int k = 0; k < 10; ++k) upper.insertLine(add(lineValues(0, 60)));
    c.setSmoothingMethod(ContourParams::Smooth_Expon);  // one peak, not a plateau
    DensityGrid density;
    ASSERT_EQ(upper.computeDensity(c, density), ContourOutcome::Drawn);
    port.clear();
    drawMaximum(port, upper, density);
    const std::vector<Call> ring = port.callsOf(Call::Draw_Symbol);
    ASSERT_EQ(ring.size(), 1u);
    EXPECT_NEAR(ring[0].points[0].x(), 0.0, 1e-5);
    EXPECT_NEAR(ring[0].points[0].y(), -std::sqrt(2.0) * std::sin(rad(15)), 1e-5);
    EXPECT_EQ(texts(port)[0].rfind("000/60: ", 0), 0u) << texts(port)[0];
}

TEST_F(StereoTest, RingsOfARoseAndATangentPlotTellTheirValues) {
    // Trends 10, 10, 10, 100 in 18 classes: the largest share 3/4.  Ring i
    // of 5 stands for i/5 of it, 15 % to 75 %, whether the petals are
    // scaled linearly (radius f) or by area (radius sqrt(18 f)).
    for (int t : {10, 10, 10, 100}) add(lineValues(t, 0));
    for (const bool area : {false, true}) {
        RosePlotParams p;
        p.setIsAreaProportional(area);
        RosePlotCore rose(p, &port, manager);
        for (const GeoData* g : data().getDataList()) rose.insertLine(g);
        std::vector<float> radii;
        float largest = 0.0f;
        ASSERT_TRUE(rose.getResults(radii, largest));
        port.clear();
        drawRoseLabels(port, rose, largest);
        const std::vector<std::string> labels = texts(port);
        for (const char* l : {"15%", "30%", "45%", "60%", "75%", "r : 0.79"}) EXPECT_TRUE(has(labels, l)) << l << area;
    }
    // A tangent plot's rings at tan(d) / tan(65), labelled along 015.
    port.clear();
    drawTangentRingLabels(port, TangentPlotParams());
    const std::vector<Call> rings = port.callsOf(Call::Draw_Text);
    ASSERT_EQ(rings.size(), 5u);
    EXPECT_EQ(rings[2].text, "45\xc2\xb0");
    const double r = std::tan(rad(45)) / std::tan(rad(65));
    EXPECT_NEAR(rings[2].points[0].x(), r * std::sin(rad(15)), 1e-5);
    EXPECT_NEAR(rings[2].points[0].y(), r * std::cos(rad(15)), 1e-5);
}

}  // namespace
}  // namespace testing_plot
}  // namespace qzCore

namespace qzCore {
namespace {

TEST(FabricDiagram, FabricsWhereTheirIndicesPutThem) {
    // Woodcock: S = 0.6, 0.3, 0.1 is ln 3 across and ln 2 up, on axes of
    // 2 ln units over the box's 1.7 plot units from -0.85.
    TwoDPoint<float> at;
    ASSERT_TRUE(fabricPosition(FabricDiagram::Woodcock, fabricShape(0.6, 0.3, 0.1), 2.0, at));
    EXPECT_NEAR(at.x(), -0.85 + std::log(3.0) / 2.0 * 1.7, 1e-6);
    EXPECT_NEAR(at.y(), -0.85 + std::log(2.0) / 2.0 * 1.7, 1e-6);
    EXPECT_FALSE(fabricPosition(FabricDiagram::Woodcock, fabricShape(1.0, 0.0, 0.0), 2.0, at));
    // Vollmer: a perfect cluster at the P vertex, a perfect girdle at G,
    // a uniform spread at R, and their mean at the centroid.
    TwoDPoint<float> p, g, r, mid;
    fabricPosition(FabricDiagram::Vollmer, fabricShape(1, 0, 0), 0, p);
    fabricPosition(FabricDiagram::Vollmer, fabricShape(0.5, 0.5, 0), 0, g);
    fabricPosition(FabricDiagram::Vollmer, fabricShape(1, 1, 1), 0, r);
    EXPECT_GT(p.y(), g.y());
    EXPECT_NEAR(g.y(), r.y(), 1e-6);
    EXPECT_LT(g.x(), r.x());
    // P = 1/3, G = 1/3, R = 1/3: S3 = 1/9, S2 = 5/18, S1 = 11/18.
    fabricPosition(FabricDiagram::Vollmer, fabricShape(11.0 / 18, 5.0 / 18, 2.0 / 18), 0, mid);
    EXPECT_NEAR(mid.x(), (p.x() + g.x() + r.x()) / 3, 1e-6);
    EXPECT_NEAR(mid.y(), (p.y() + g.y() + r.y()) / 3, 1e-6);
    // Several datasets drawn, one left off and named.
    RecordingPort port;
    const auto left = drawFabricDiagram(port, FabricDiagram::Woodcock,
                                        {{"a", fabricShape(0.6, 0.3, 0.1)}, {"line", fabricShape(1, 0, 0)}});
    EXPECT_EQ(left, std::vector<std::string>{"line"});
}

}  // namespace
}  // namespace qzCore
