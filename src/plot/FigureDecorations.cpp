#include "qzCore/plot/FigureDecorations.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "qzCore/datasets/Data.h"
#include "qzCore/plot/ContourGenerator.h"
#include "qzCore/plot/RosePlotCore.h"
#include "qzCore/plot/StereoPlotCore.h"

namespace qzCore {

namespace {

using K = GDTypes;

// The legend column: markers at x = Key_X, words from Key_Text_X; rows
// 0.075 apart (about 15 units at 400, room for 9-point text).
constexpr float Key_X = 1.1f;
constexpr float Key_Text_X = 1.17f;
constexpr float Row = 0.075f;
constexpr int Key_Text_Size = 9;

GraphicsStyle textStyle() { return GraphicsStyle(RGBColor(0, 0, 0), Style_Solid, Size_Smallest, Symbol_Dot); }

/// A number as a reader wants it: no trailing zeros, at most 3 significant
/// figures beyond the whole part.
std::string number(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.4g", v);
    return buf;
}

}  // namespace

int countDataRecords(const Data& data) {
    int n = 0;
    for (const GeoData* g : data.getDataList()) {
        if (g && g->data() && !g->isSpecial()) ++n;
    }
    return n;
}

Graphics_Size markerSizeFor(int records) {
    if (records <= 100) return Size_Default;
    return Graphics_Size(records <= 1000 ? 2 : 1);
}

void styleForPrint(PlotParams& params, int records) {
    const Graphics_Size size = markerSizeFor(records);
    PlotSymbols& s = params.getPlotSymbols();
    for (GraphicsStyle* style : {&s.fault, &s.line, &s.lineation, &s.plane}) {
        style->setSize(size);
        // Past a thousand, each datum a dot a pixel or two across: the
        // contours beneath a cluster stay in sight.
        if (records > 1000) style->setSymbol(Symbol_Dot);
    }
    // Great circles are drawn a size thinner than their style: past twenty
    // planes, one device unit, so that a girdle of them does not go solid.
    if (records > 20) {
        for (GraphicsStyle* style : {&s.fault, &s.plane}) style->setSize(std::min<Graphics_Size>(style->getSize(), Graphics_Size(2)));
    }
    PlotColors& c = params.getPlotColors();
    c.plane = RGBColor(0, 0, 0);
    c.fault = RGBColor(20, 60, 160);
    c.lineation = RGBColor(200, 30, 30);
    c.line = RGBColor(150, 0, 140);
    c.text = RGBColor(0, 0, 0);
}

void drawRecordCount(GraphicsPort& port, const PlotParams& params, int records) {
    const std::string text = "Total Data : " + std::to_string(records);
    // Where the engine writes its own: bottom right on a large plot, at the
    // left edge on a small one.
    if (params.getPlotSize().getSize() > 300.0f) {
        port.drawText(text, TwoDPoint<float>(1.0f, -0.94f), 4, textStyle(), GraphicsPort::Default_Text_Size);
    } else {
        const float y = params.getShowPlotType() ? 0.94f : -1.0f;
        port.drawText(text, TwoDPoint<float>(-1.0f, y), 1, textStyle(), GraphicsPort::Default_Text_Size);
    }
}

std::vector<KeyEntry> dataKey(const Data& data, const StereoPlotCore& plot) {
    bool planes = false, lines = false, faults = false, ustage = false;
    for (const GeoData* g : data.getDataList()) {
        if (!g || !g->data() || g->isSpecial()) continue;
        const char kind = g->getGDType();
        lines = lines || kind == K::GDType_Line;
        faults = faults || kind == K::GDType_Fault;
        ustage = ustage || kind == K::GDType_UStage;
        planes = planes || (kind != K::GDType_Line && kind != K::GDType_Fault && kind != K::GDType_UStage);
    }
    const StereoPlotParams& p = plot.getStereoPlotParams();
    const PlotColors& c = p.getPlotColors();
    const PlotSymbols& s = p.getPlotSymbols();
    auto styled = [](const RGBColor& color, const GraphicsStyle& symbols) {
        GraphicsStyle g = symbols;
        g.setColor(color);
        return g;
    };
    auto planar = [](Planar_Plot_Style style, const char* what) {
        return std::string(style == Planar_Pole ? "poles to " : style == Planar_Dip_Direction ? "dip vectors of " : "") +
               what;
    };
    std::vector<KeyEntry> key;
    if (planes) {
        const bool circles = p.getPlaneStyle() != Planar_Pole && p.getPlaneStyle() != Planar_Dip_Direction;
        key.push_back({styled(c.plane, s.plane), planar(p.getPlaneStyle(), "planes"),
                       circles ? KeyEntry::Line : KeyEntry::Marker});
    }
    if (faults) {
        const bool circles = p.getFaultStyle() != Planar_Pole && p.getFaultStyle() != Planar_Dip_Direction;
        key.push_back({styled(c.fault, s.fault), planar(p.getFaultStyle(), "faults"),
                       circles ? KeyEntry::Line : KeyEntry::Marker});
        key.push_back({styled(c.lineation, s.lineation), "slip lines", KeyEntry::Marker});
        if (p.getShowSlipDir()) {
            key.push_back({styled(c.lineation, s.lineation), "hanging wall moves", KeyEntry::Arrow});
        }
    }
    if (lines) key.push_back({styled(c.line, s.line), "lines", KeyEntry::Marker});
    if (ustage) key.push_back({styled(c.fault, s.fault), "universal-stage axes", KeyEntry::Marker});
    return key;
}

void drawStar(GraphicsPort& port, const TwoDPoint<float>& at, int branches, float size, const GraphicsStyle& style) {
    GraphicsPath star(style);
    const int points = 2 * std::max(3, branches);
    for (int k = 0; k <= points; ++k) {
        // Every other point at 40% of the radius makes the branches.
        const double a = 2.0 * M_PI * k / points, r = k % 2 == 0 ? size : 0.4 * size;
        star.add(TwoDPoint<float>(at.x() + float(r * std::sin(a)), at.y() + float(r * std::cos(a))),
                 GraphicsPath::Path_End);
    }
    port.drawPath(star, style, true, true, false);
}

float drawKey(GraphicsPort& port, const std::vector<KeyEntry>& key, float top) {
    float y = top;
    for (const KeyEntry& e : key) {
        const TwoDPoint<float> at(Key_X, y + 0.02f);
        switch (e.mark) {
            case KeyEntry::Marker:
                port.drawSymbol(at, e.style, float(std::max<int>(Size_Default, e.style.getSize())), GraphicsStyle(),
                                false);
                break;
            case KeyEntry::Line:
                port.drawLine(TwoDPoint<float>(Key_X - 0.04f, at.y()), TwoDPoint<float>(Key_X + 0.04f, at.y()),
                              e.style);
                break;
            case KeyEntry::Arrow:
                port.drawArrow(TwoDPoint<float>(Key_X - 0.04f, at.y()), TwoDPoint<float>(Key_X + 0.05f, at.y()),
                               e.style, 0.03f);
                break;
            case KeyEntry::Star:
                drawStar(port, at, e.branches, 0.03f, e.style);
                break;
            case KeyEntry::Swatch:
                port.drawBox(TwoDPoint<float>(Key_X - 0.035f, at.y() - 0.02f),
                             TwoDPoint<float>(Key_X + 0.035f, at.y() + 0.02f), e.style, e.style, true, true);
                break;
        }
        port.drawText(e.words, TwoDPoint<float>(Key_Text_X, y), 1, textStyle(), Key_Text_Size);
        y -= Row;
    }
    return y;
}

float drawColorBar(GraphicsPort& port, const StereoPlotCore& plot, float top) {
    const ContourParams* c = plot.getContourParams();
    if (!c || plot.getContourOutcome() != ContourOutcome::Drawn || !c->grid() || c->grid()->empty()) return top;
    const bool seismic = c->getContourMethod() == ContourParams::Method_Seismic;
    const bool percent = c->getContourMethod() == ContourParams::Method_One_Percent;
    const double start = seismic ? 1.0 : c->getStartLevel();
    const double interval = seismic ? 1.0 : c->getContourInterval();
    const double levels = std::floor((c->grid()->maxValue() - start) / interval) + 1.0;
    if (!(levels >= 1.0)) return top;
    const int n = int(std::min(levels, double(ContourGenerator::Max_Contour_Levels)));
    const std::vector<RGBColor> colors = c->levelColors(n);
    // The header, then n bands filling at most 1.0 of height, lowest at the
    // bottom; each band stands for the density from its level up.
    port.drawText(percent ? "% per 1% area" : "\xcf\x83 (std. dev.)", TwoDPoint<float>(Key_X - 0.04f, top), 1, textStyle(),
                  Key_Text_Size);
    const float band = std::min(Row, 1.0f / float(n));
    const float bottom = top - 0.04f - band * float(n);
    const int every = n <= 12 ? 1 : (n + 11) / 12;
    const GraphicsStyle frame(RGBColor(0, 0, 0), Style_Solid, Size_Smallest, Symbol_Dot);
    for (int k = 0; k < n; ++k) {
        const float y0 = bottom + band * float(k);
        const GraphicsStyle fill(colors[std::size_t(k)], Style_Solid, Size_Smallest, Symbol_Dot);
        port.drawBox(TwoDPoint<float>(Key_X - 0.04f, y0 + band), TwoDPoint<float>(Key_X + 0.03f, y0), fill, fill,
                     true, true);
        if (k % every == 0) {
            port.drawText(number(start + k * interval), TwoDPoint<float>(Key_Text_X - 0.02f, y0 + band * 0.5f - 0.02f),
                          1, textStyle(), Key_Text_Size);
        }
    }
    port.drawBox(TwoDPoint<float>(Key_X - 0.04f, bottom + band * float(n)), TwoDPoint<float>(Key_X + 0.03f, bottom),
                 frame, frame, false, false);
    return bottom - Row;
}

void drawMaximum(GraphicsPort& port, const StereoPlotCore& plot, const DensityGrid& density) {
    if (density.values.empty()) return;
    // The peak is a direction of the real lower hemisphere: on an upper-
    // hemisphere plot its opposite end is what shows.
    int trend = density.peakTrend;
    if (!plot.getStereoPlotParams().getIsLowerHem()) trend = (trend + 180) % 360;
    TwoDPoint<float> at;
    plot.mapTPToUnitCircle(TwoDPoint<int>(trend, density.peakPlunge), at);
    const GraphicsStyle ring(RGBColor(0, 0, 0), Style_Solid, Size_Smallest, Symbol_Circle);
    port.drawSymbol(at, ring, 6.0f, GraphicsStyle(), false);
    char text[64];
    std::snprintf(text, sizeof text, "%03d/%02d: %s%s", density.peakTrend, density.peakPlunge,
                  number(density.peak).c_str(), density.percent ? " %" : " \xcf\x83");
    port.drawText(text, TwoDPoint<float>(at.x() + 0.04f, at.y() + 0.04f), 1, textStyle(), Key_Text_Size);
}

void drawRoseLabels(GraphicsPort& port, const RosePlotCore& rose, float largestRadius) {
    if (!(largestRadius > 0.0f)) return;
    const RosePlotParams& p = dynamic_cast<const RosePlotParams&>(rose.getPlotParams());
    if (p.getShowResultantDirection() && p.getShowPlotLabels() && rose.getResultantDirection() >= 0.0) {
        char r[32];
        std::snprintf(r, sizeof r, "r : %.2f", rose.getResultantLength());
        port.drawText(r, TwoDPoint<float>(-1.0f, 0.88f), 1, textStyle(), GraphicsPort::Default_Text_Size);
    }
    if (!p.getShowFreqBoundaries()) return;
    std::vector<float> rings;
    rose.generateFrameRadii(5, rings);
    const double n = p.getNumClasses();
    for (std::size_t i = 0; i < rings.size(); ++i) {
        // A ring at drawn radius r stands for the raw radius r x largest:
        // the share f itself (linear), or sqrt(n f) (area).
        const double raw = double(rings[i]) * largestRadius;
        const double share = p.getIsAreaProportional() ? raw * raw / n : raw;
        const float a = float(15.0 * MyMath::Deg_To_Rad);  // along 015, clear of N
        port.drawText(number(100.0 * share) + "%", TwoDPoint<float>(rings[i] * std::sin(a), rings[i] * std::cos(a)),
                      1, textStyle(), 8);
    }
}

void drawTangentRingLabels(GraphicsPort& port, const PlotParams& params) {
    if (!params.getShowPlotFrame()) return;
    const double outer = std::tan(65.0 * MyMath::Deg_To_Rad);
    const float a = float(15.0 * MyMath::Deg_To_Rad);
    for (int d : {15, 30, 45, 60, 65}) {
        const float r = float(std::tan(d * MyMath::Deg_To_Rad) / outer);
        port.drawText(std::to_string(d) + "\xc2\xb0", TwoDPoint<float>(r * std::sin(a), r * std::cos(a)), 1,
                      textStyle(), 8);
    }
}

}  // namespace qzCore
