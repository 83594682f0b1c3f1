// The stereonet's frame, net and legend, and the colours it draws.
#include <set>

#include "tests/plot/PlotFixture.h"

namespace qzCore {
namespace testing_plot {
namespace {

TEST_F(StereoTest, FramePrimitiveTicksAndNet) {
    StereoPlotParams p;
    p.setShowPlotLabels(false);
    net(p).generatePlot();
    std::vector<Call> symbols = drawn(Call::Draw_Symbol);
    ASSERT_EQ(symbols.size(), 6u);  // primitive, centre, four ticks
    EXPECT_EQ(symbols[0].style.getSymbol(), Symbol_Circle);
    EXPECT_EQ(symbols[0].values[0], 200.0f);  // the radius, device units
    EXPECT_TRUE(symbols[0].flags[0]);         // filled with the background
    EXPECT_EQ(symbols[2].points[0], TwoDPoint<float>(1.0f, 0.0f));
    EXPECT_EQ(symbols[5].points[0], TwoDPoint<float>(0.0f, -1.0f));
    EXPECT_TRUE(drawn(Call::Draw_Path).empty());  // no net unless asked

    port.clear();
    p.setShowPlotNet(true);
    net(p).generatePlot();
    // Two diameters, 16 great circles (dipping east and west every 10
    // degrees), 9 small circles about the north point and their mirrors.
    EXPECT_EQ(drawn(Call::Draw_Line).size(), 2u);
    EXPECT_EQ(drawn(Call::Draw_Path).size(), 16u + 18u);
    // The net's lines are size 1; the primitive the frame width.
    const std::vector<Call> sizes = drawn(Call::Set_Line_Size);
    EXPECT_EQ(sizes.front().ints[0], 2);

    port.clear();
    p.setShowPlotFrame(false);
    net(p).generatePlot();
    EXPECT_TRUE(drawn(Call::Draw_Symbol).empty());
    EXPECT_TRUE(drawn(Call::Draw_Path).empty());
}

TEST_F(StereoTest, LegendOfThreeLevels) {
    // 100 vertical lines: 100 % in the one-percent count at the centre;
    // levels 20, 60 and 100 from blue to red.
    ContourParams c;
    c.setContourMethod(ContourParams::Method_One_Percent);
    c.setSmoothingMethod(ContourParams::Smooth_None);
    c.setIncludeLines(true);
    c.setStartLevel(20.0);
    c.setContourInterval(40.0);
    StereoPlotParams p;
    p.setShowPlotLegend(true);
    // A black window: text in its opposite colour, white, would vanish on
    // the legend's white box.
    p.getPlotColors().windowBackground = RGBColor(0, 0, 0);
    net(p);
    for (int k = 0; k < 100; ++k) plot->insertLine(add(lineValues(0, 90)));
    plot->contour(c);
    port.clear();
    plot->generatePlot();
    const std::vector<Call> boxes = drawn(Call::Draw_Box);
    ASSERT_EQ(boxes.size(), 4u);
    // The box reaches down to 1 - (4 x 0.02 + 3 x 0.08) = 0.68.
    EXPECT_NEAR(boxes[0].points[1].y(), 0.68, 1e-6);
    EXPECT_FALSE(boxes[0].swatch);
    EXPECT_TRUE(boxes[1].swatch);
    EXPECT_EQ(boxes[3].fill.getColor(), RGBColor(255, 0, 0));
    std::vector<std::string> legend;
    for (const Call& t : drawn(Call::Draw_Text)) {
        if (t.points[0].x() > 1.2f) {
            legend.push_back(t.text);
            EXPECT_EQ(t.style.getColor(), RGBColor(0, 0, 0));  // black on the white box
        }
    }
    EXPECT_EQ(legend, (std::vector<std::string>{"20 %", "60 %", "100 %"}));  // one-percent counts: percentages
}

}  // namespace
}  // namespace testing_plot
}  // namespace qzCore
