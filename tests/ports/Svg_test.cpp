// The SVG port: every drawing call of a stereonet becomes an element,
// marks land where the projection puts them, arcs bend the right way, and
// text is escaped.
#include <gtest/gtest.h>

#include <cmath>

#include "qzCore/facade/Pictures.h"
#include "qzCore/ports/SvgFigure.h"
#include "qzCore/shared/RecordingPort.h"

namespace qzCore {
namespace {

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST(SvgPort, EveryCallAnElementAndMarksWhereTheyBelong) {
    facade::Dataset ds = facade::Dataset::fromText(
        "d.txt", "Trend\tPlunge\n090\t00\n180\t45\n270\t90\n", facade::ReadOptions{});
    facade::StereonetParams p;
    p.fisher = true;
    RecordingPort recording;
    SvgFigure figure(400, "A <title> & more \xff", true);
    facade::drawStereonet(ds, p, recording, figure.plotSize());
    facade::drawStereonet(ds, p, figure.port(), figure.plotSize());
    std::size_t expected = 0;
    for (const RecordedCall& c : recording.calls()) {
        switch (c.kind) {
            case RecordedCall::Draw_Arrow: expected += 2; break;
            case RecordedCall::Draw_Line:
            case RecordedCall::Draw_Symbol:
            case RecordedCall::Draw_Box:
            case RecordedCall::Draw_Wedge:
            case RecordedCall::Draw_Plane_Arc: ++expected; break;
            case RecordedCall::Draw_Path: expected += c.points.size() >= 2; break;
            case RecordedCall::Draw_Text: expected += !c.text.empty(); break;
            case RecordedCall::Fill_Paths: expected += !c.points.empty(); break;
            default: break;
        }
    }
    EXPECT_EQ(figure.port().elements(), expected);
    // The primitive: a circle of the plot's radius about its centre.
    const PlotSize& s = figure.plotSize();
    const double cx = s.getPlotCenter().x(), cy = s.getPlotCenter().y(), r = s.getHalfSize();
    figure.drawTitle();
    const std::string svg = figure.svg();
    EXPECT_NE(svg.find("<svg xmlns=\"http://www.w3.org/2000/svg\""), std::string::npos);
    EXPECT_EQ(count(svg, "<g>"), count(svg, "</g>"));
    EXPECT_NE(svg.find("A &lt;title&gt; &amp; more \xef\xbf\xbd"), std::string::npos);
    EXPECT_EQ(svg.find('\xff'), std::string::npos);
    EXPECT_GE(count(svg, "<text"), 3u);
    char primitive[96];
    std::snprintf(primitive, sizeof primitive, "<circle cx=\"%g\" cy=\"%g\" r=\"%g\"", cx, cy, r);
    EXPECT_NE(svg.find(primitive), std::string::npos) << primitive;
}

TEST(SvgPort, PlaneArcsBendThroughTheirDip) {
    // Equal angle, strike 0, dip 45: from north to south through the east,
    // clockwise on the page (sweep 1), the short arc.  Strike 180: from
    // south to north through the west, clockwise too.
    for (const float rotation : {0.0f, -180.0f}) {
        SvgPort port(200, 200);
        port.setSize(TwoDPoint<float>(100, 100), 100);
        port.drawPlaneArc(float(std::tan(M_PI / 8)), rotation, GraphicsStyle(), false);
        const std::string svg = port.svg();
        const auto a = svg.find('A');
        ASSERT_NE(a, std::string::npos);
        EXPECT_NE(svg.find(" 0 0 1 ", a), std::string::npos) << svg;
    }
}

TEST(SvgPort, MarkersOfOnePaintShareOnePathInDrawingOrder) {
    // Three discs of one colour, one of another, a line, then the first
    // colour again: four marker runs would be wrong, and so would a run
    // that swallowed the line's place in the drawing order.
    SvgPort port(200, 200);
    port.setSize(TwoDPoint<float>(100, 100), 100);
    GraphicsStyle red, blue;
    red.setSymbol(Symbol_Dot);
    red.setColor(RGBColor(255, 0, 0));
    blue.setSymbol(Symbol_Dot);
    blue.setColor(RGBColor(0, 0, 255));
    for (const float x : {-0.5f, 0.0f, 0.5f}) port.drawSymbol(TwoDPoint<float>(x, 0.5f), red, 3, red, true);
    port.drawSymbol(TwoDPoint<float>(0, 0), blue, 3, blue, true);
    port.drawLine(TwoDPoint<float>(-1, 0), TwoDPoint<float>(1, 0), red);
    port.drawSymbol(TwoDPoint<float>(0, -0.5f), red, 3, red, true);
    EXPECT_EQ(port.elements(), 6u);
    const std::string svg = port.svg();
    EXPECT_EQ(count(svg, "<path"), 4u) << svg;
    const auto first = svg.find("<path"), blueAt = svg.find("#0000ff"), line = svg.find("fill=\"none\""),
               last = svg.rfind("<path");
    EXPECT_LT(first, blueAt);
    EXPECT_LT(blueAt, line);
    EXPECT_LT(line, last);
    // The first run: three circles (two half arcs each) centred 50 px
    // left of, at and right of x = 100, 50 px above the centre, radius
    // 1.8 px (0.6 of the size 3).
    const std::string run = svg.substr(first, svg.find('\n', first) - first);
    EXPECT_EQ(count(run, "M"), 3u) << run;
    EXPECT_NE(run.find("M48.2 50a1.8 1.8 0 1 0 3.6 0"), std::string::npos) << run;
    EXPECT_NE(run.find("M148.2 50a"), std::string::npos) << run;
}

}  // namespace
}  // namespace qzCore
