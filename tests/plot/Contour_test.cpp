// Contours on the stereonet, on the recording port: where the lines lie,
// what filled areas cover (holes and the primitive included), the drawing
// order, levels, legend and labels, colours, the record itself, and a
// drawing that fails inside.
#include <cmath>
#include <new>

#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/plot/ColorMaps.h"
#include "qzCore/plot/ContourGenerator.h"
#include "tests/plot/PlotFixture.h"

namespace qzCore {
namespace testing_plot {
namespace {

using M = ContourParams;

/// Paths of a Fill_Paths call, split by their sizes.
std::vector<std::vector<TwoDPoint<float>>> pathsOf(const Call& fill) {
    std::vector<std::vector<TwoDPoint<float>>> out;
    std::size_t at = 0;
    for (int n : fill.ints) {
        out.emplace_back(fill.points.begin() + long(at), fill.points.begin() + long(at + std::size_t(n)));
        at += std::size_t(n);
    }
    return out;
}

/// How many times the paths wind round (x, y), counter-clockwise positive.
int winding(const Call& fill, double x, double y) {
    int w = 0;
    for (const auto& path : pathsOf(fill)) {
        for (std::size_t k = 0; k + 1 < path.size(); ++k) {
            const double ax = path[k].x(), ay = path[k].y(), bx = path[k + 1].x(), by = path[k + 1].y();
            const double side = (bx - ax) * (y - ay) - (x - ax) * (by - ay);
            if (ay <= y && by > y && side > 0) ++w;
            if (ay > y && by <= y && side < 0) --w;
        }
    }
    return w;
}

class Contours : public StereoTest {
protected:
    static StereoPlotParams bare() {
        StereoPlotParams p;
        p.setShowPlotFrame(false);
        p.setShowPlotLabels(false);
        return p;
    }
    void lines(int trend, int plunge, int count) {
        for (int k = 0; k < count; ++k) ASSERT_TRUE(plot->insertLine(add(lineValues(trend, plunge))));
    }
    static ContourParams kamb(bool filled = false) {
        ContourParams c;
        c.setContourMethod(M::Method_Kamb);
        c.setSmoothingMethod(M::Smooth_Expon);
        c.setIncludeLines(true);
        c.setClosedContours(filled);
        return c;
    }
    /// The calls of a whole drawing.
    std::vector<Call> drawing(const ContourParams& c) {
        plot->setContourParams(c);
        port.clear();
        plot->generatePlot();
        return port.calls();
    }
};

TEST_F(Contours, LinesRoundAVerticalClusterAreCentredOnIt) {
    net(bare());
    lines(0, 90, 30);
    drawing(kamb());
    const std::vector<Call> paths = drawn(Call::Draw_Path);
    ASSERT_GE(paths.size(), 3u);
    for (const Call& p : paths) {
        ASSERT_TRUE(p.flags[1]) << "closed";
        double sx = 0, sy = 0, rMin = 9, rMax = 0;
        for (std::size_t k = 1; k < p.points.size(); ++k) {  // the first point repeats as the last
            sx += p.points[k].x();
            sy += p.points[k].y();
            const double r = std::hypot(p.points[k].x(), p.points[k].y());
            rMin = std::min(rMin, r);
            rMax = std::max(rMax, r);
        }
        const double n = double(p.points.size() - 1);
        EXPECT_NEAR(sx / n, 0.0, 1e-3);
        EXPECT_NEAR(sy / n, 0.0, 1e-3);
        // A small circle about the vertical is a circle on the net; the
        // grid's straight pieces cut its corners by less than a cell.
        EXPECT_LT(rMax - rMin, 2.0 / 49.0);
    }
    EXPECT_TRUE(plot->getPlotState().isSet(State_Contoured));
}

TEST_F(Contours, FilledAreasLeaveHolesForLows) {
    // Lines plunging 60 all round: a ring of high density about a low
    // centre (the vertical is 30 degrees from every line).
    net(bare());
    for (int t = 0; t < 360; t += 5) lines(t, 60, 1);
    DensityGrid grid;
    ContourParams c = kamb(true);
    ASSERT_EQ(plot->computeDensity(c, grid), ContourOutcome::Drawn);
    const double low = grid.values(25, 25), high = grid.maximum;
    ASSERT_LT(low, high - 1.0);
    c.setStartLevel((low + high) / 2.0);
    c.setContourInterval(100.0);
    drawing(c);
    const std::vector<Call> fills = drawn(Call::Fill_Paths);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].style.getStyle(), Style_Filled);
    // The ring of plunge 60 lies at sqrt(2) sin 15 = 0.366 in equal area.
    const double ring = std::sqrt(2.0) * std::sin(rad(15.0));
    EXPECT_EQ(winding(fills[0], 0.0, 0.0), 0);
    EXPECT_EQ(winding(fills[0], ring, 0.0), 1);
    EXPECT_EQ(winding(fills[0], 0.0, -ring), 1);
    EXPECT_EQ(winding(fills[0], -0.95, 0.0), 0);
}

TEST_F(Contours, FilledAreasCloseAlongThePrimitive) {
    // Horizontal lines east-west: dense at both ends of the east-west
    // diameter, the areas bounded by the primitive there.
    net(bare());
    lines(90, 0, 20);
    ContourParams c = kamb(true);
    c.setStartLevel(4.0);
    c.setContourInterval(100.0);
    drawing(c);
    const std::vector<Call> fills = drawn(Call::Fill_Paths);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(winding(fills[0], 0.97, 0.0), 1);
    EXPECT_EQ(winding(fills[0], -0.97, 0.0), 1);
    EXPECT_EQ(winding(fills[0], 0.0, 0.0), 0);
    EXPECT_EQ(winding(fills[0], 0.0, 0.97), 0);
    for (const TwoDPoint<float>& p : fills[0].points) EXPECT_LE(std::hypot(p.x(), p.y()), 1.0 + 1e-6);
    // With every node of the net above the level, the primitive itself is
    // the boundary.
    c.setStartLevel(-10.0);
    drawing(c);
    const std::vector<Call> all = drawn(Call::Fill_Paths);
    ASSERT_FALSE(all.empty());
    EXPECT_EQ(winding(all[0], 0.0, 0.0), 1);
    EXPECT_EQ(winding(all[0], 0.0, 0.99), 1);
}

TEST_F(Contours, FillsUnderTheDataLinesOverItLegendOnce) {
    StereoPlotParams p = bare();
    p.setShowPlotLegend(true);
    net(p);
    lines(200, 50, 10);
    auto firstOf = [](const std::vector<Call>& calls, Call::Kind kind) {
        for (std::size_t k = 0; k < calls.size(); ++k) {
            if (calls[k].kind == kind) return long(k);
        }
        return -1L;
    };
    const std::vector<Call> filled = drawing(kamb(true));
    ASSERT_GE(firstOf(filled, Call::Fill_Paths), 0);
    EXPECT_LT(firstOf(filled, Call::Fill_Paths), firstOf(filled, Call::Draw_Symbol));
    const std::vector<Call> lined = drawing(kamb(false));
    EXPECT_GT(firstOf(lined, Call::Draw_Path), firstOf(lined, Call::Draw_Symbol));
    // The legend: one box and a swatch per level, drawn once.
    const std::size_t levels = plot->getContourParams()->getLevels().size();
    ASSERT_GT(levels, 0u);
    EXPECT_EQ(drawn(Call::Draw_Box).size(), levels + 1);
    // A record that draws no level leaves no stale legend behind.
    ContourParams above = kamb();
    above.setStartLevel(1000.0);
    drawing(above);
    EXPECT_TRUE(drawn(Call::Draw_Box).empty());
    EXPECT_TRUE(drawn(Call::Draw_Path).empty());
    EXPECT_EQ(plot->getContourOutcome(), ContourOutcome::Below_First_Level);
    EXPECT_NE(plot->getContourMessage().find("the first level 1000"), std::string::npos) << plot->getContourMessage();
    EXPECT_FALSE(plot->getPlotState().isSet(State_Contoured));
    {
        // With the frame: its lines (primitive unfilled, centre cross,
        // ticks) again over the fills, and every datum over them.
        StereoPlotParams framed;
        framed.setShowPlotLabels(false);
        StereoPlotCore over(framed, &port, manager);
        over.insertLine(add(lineValues(200, 50)));
        over.insertLine(add(lineValues(0, 90)));  // on the centre cross
        over.setContourParams(kamb(true));
        port.clear();
        over.generatePlot();
        const std::vector<Call>& calls = port.calls();
        const long fill = firstOf(calls, Call::Fill_Paths);
        long cross = -1, datum = -1, primitive = -1;
        for (long k = fill; k >= 0 && k < long(calls.size()); ++k) {
            const Call& c = calls[std::size_t(k)];
            if (c.kind != Call::Draw_Symbol) continue;
            if (c.style.getSymbol() == Symbol_Cross && cross < 0) cross = k;
            if (c.style.getSymbol() == Symbol_Circle && c.values[0] > 100.0f && primitive < 0) {
                primitive = k;
                EXPECT_FALSE(c.flags[0]) << "the primitive over the fills is not filled";
            }
            if (c.style.getSymbol() == plot->getPlotParams().getPlotSymbols().line.getSymbol() &&
                c.values[0] < 10.0f && datum < 0) {
                datum = k;
            }
        }
        ASSERT_GT(fill, 0);
        EXPECT_GT(cross, fill);
        EXPECT_GT(primitive, fill);
        EXPECT_GT(datum, cross);
    }
}

TEST_F(Contours, LevelsForTheLegend) {
    // 100 vertical lines: 100 % at the centre.  From 2 by 4: 25 levels
    // traced, every third listed.
    net(bare());
    lines(0, 90, 100);
    ContourParams c;
    c.setIncludeLines(true);
    c.setSmoothingMethod(M::Smooth_None);
    c.setStartLevel(2.0);
    c.setContourInterval(4.0);
    drawing(c);
    const std::vector<ContourInfo>& levels = plot->getContourParams()->getLevels();
    ASSERT_EQ(levels.size(), 9u);
    for (std::size_t k = 0; k < levels.size(); ++k) EXPECT_EQ(levels[k].value, 2.0 + 12.0 * double(k));
    // Fractions stay fractions: 2.5, 3, 3.5, ...
    c.setStartLevel(2.5);
    c.setContourInterval(0.5);
    c.setContourMethod(M::Method_Kamb);
    drawing(c);
    ASSERT_GE(levels.size(), 2u);
    EXPECT_EQ(levels[0].value, 2.5);
    EXPECT_EQ(levels[0].contourLevel, 2);
    EXPECT_GT(levels[1].value, levels[0].value);
    // An interval so fine it would trace thousands of levels is refused.
    c.setContourInterval(1e-9);
    drawing(c);
    EXPECT_EQ(plot->getContourOutcome(), ContourOutcome::Too_Many_Levels);
    EXPECT_TRUE(levels.empty());
}

TEST(ColorMaps, OrderedMapsDarkenLevelByLevel) {
    // CIE L* of an sRGB colour (IEC 61966-2-1 transfer, D65 luminance
    // weights), worked here: each ordered map's n colours get darker level
    // by level for any n, from light enough to be seen as a fill to dark;
    // the library's blue-to-red default does not (L* 32, 28, 26, ... over
    // seven levels).
    auto lightness = [](const RGBColor& c) {
        auto lin = [](int v) {
            const double u = v / 255.0;
            return u <= 0.04045 ? u / 12.92 : std::pow((u + 0.055) / 1.055, 2.4);
        };
        const double y = 0.2126 * lin(c.getRed()) + 0.7152 * lin(c.getGreen()) + 0.0722 * lin(c.getBlue());
        return y > 216.0 / 24389.0 ? 116.0 * std::cbrt(y) - 16.0 : 24389.0 / 27.0 * y;
    };
    for (const char* name : {"viridis", "cividis", "magma", "greys"}) {
        const ColorMap* map = findColorMap(name);
        ASSERT_NE(map, nullptr) << name;
        for (int n : {2, 5, 7, 10, 40}) {
            const std::vector<RGBColor> c = sampleColors(map->stops, n);
            ASSERT_EQ(c.size(), std::size_t(n));
            EXPECT_GE(lightness(c.front()), 75.0) << name;
            EXPECT_LE(lightness(c.back()), 20.0) << name;
            for (int k = 1; k < n; ++k) EXPECT_LT(lightness(c[k]), lightness(c[k - 1])) << name << " " << n << " " << k;
        }
    }
    const std::vector<RGBColor> classic = sampleColors(findColorMap("classic")->stops, 7);
    EXPECT_NEAR(lightness(classic[0]), 32.3, 0.1);
    EXPECT_LT(lightness(classic[2]), lightness(classic[0]));
    EXPECT_GT(lightness(classic[6]), lightness(classic[2]));
    EXPECT_EQ(findColorMap("Viridis"), nullptr);
    // A record with a ramp colours its levels along it, ends included.
    ContourParams c;
    c.setColorRamp({RGBColor(0, 0, 0), RGBColor(200, 100, 50), RGBColor(255, 255, 255)});
    const std::vector<RGBColor> three = c.levelColors(3);
    EXPECT_EQ(three[1], RGBColor(200, 100, 50));
    EXPECT_EQ(three[2], RGBColor(255, 255, 255));
    EXPECT_EQ(c.levelColors(1), std::vector<RGBColor>{RGBColor(0, 0, 0)});
}

/// A port that runs out of memory while drawing paths.
class ExhaustedPort : public RecordingPort {
public:
    void drawPath(const GraphicsPath&, const GraphicsStyle&, bool, bool, bool) override { throw std::bad_alloc(); }
};

TEST_F(Contours, AFailureInsideIsTheInternalError) {
    ExhaustedPort exhausted;
    StereoPlotCore failing(bare(), &exhausted, manager);
    failing.insertLine(add(lineValues(0, 90)));
    failing.setContourParams(kamb());
    try {
        failing.generatePlot();
        FAIL() << "no error";
    } catch (int code) {
        // Raised as the library raises every failure of a drawing: a code
        // a host's catch (int) takes, as it takes -22.
        EXPECT_EQ(code, Error::Internal_Error);
    }
}

}  // namespace
}  // namespace testing_plot
}  // namespace qzCore
