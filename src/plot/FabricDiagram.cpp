#include "qzCore/plot/FabricDiagram.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "qzCore/plot/ColorMaps.h"
#include "qzCore/plot/FigureDecorations.h"

namespace qzCore {

namespace {

// The diagram's box in plot units, and its corners.
constexpr float Left = -0.85f, Bottom = -0.85f, Side = 1.7f;
// Vollmer's triangle: cluster up, girdle lower left, random lower right.
const TwoDPoint<float> Point_Vertex(0.0f, 0.78f), Girdle_Vertex(-0.95f, -0.87f), Random_Vertex(0.95f, -0.87f);

const Graphics_Symbol Symbols[] = {Symbol_Circle, Symbol_Square, Symbol_Diamond, Symbol_Triangle, Symbol_Star};

GraphicsStyle ink(const RGBColor& c) { return GraphicsStyle(c, Style_Solid, Size_Smallest, Symbol_Dot); }
const RGBColor Black(0, 0, 0), Grey(175, 175, 175);

TwoDPoint<float> barycentric(double p, double g, double r) {
    return TwoDPoint<float>(float(p * Point_Vertex.x() + g * Girdle_Vertex.x() + r * Random_Vertex.x()),
                            float(p * Point_Vertex.y() + g * Girdle_Vertex.y() + r * Random_Vertex.y()));
}

std::string number(double v) {
    char text[16];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

/// The Woodcock axes' length: the largest coordinate, rounded up, at
/// least 2 (a uniform sample's fabric lies near the origin).
double woodcockRange(const std::vector<FabricPoint>& fabrics) {
    double m = 2.0;
    for (const FabricPoint& f : fabrics) {
        const FabricShape& s = f.shape;
        if (s.s3 > FabricShape::Zero_Eigenvalue && s.s2 > FabricShape::Zero_Eigenvalue) {
            m = std::max({m, std::log(s.s2 / s.s3), std::log(s.s1 / s.s2)});
        }
    }
    return std::ceil(m);
}

void drawWoodcockFrame(GraphicsPort& port, double range) {
    const GraphicsStyle frame = ink(Black), grid = ink(Grey), text = ink(Black);
    auto at = [range](double x, double y) {
        return TwoDPoint<float>(Left + float(x / range) * Side, Bottom + float(y / range) * Side);
    };
    // Lines of constant K (y = K x) and of constant C (x + y = C), clipped
    // to the box.
    for (const double k : {0.2, 0.5, 1.0, 2.0, 5.0}) {
        const double x = k <= 1.0 ? range : range / k, y = k <= 1.0 ? k * range : range;
        port.drawLine(at(0, 0), at(x, y), k == 1.0 ? frame : grid);
        port.drawText("K=" + number(k), at(x, y), k <= 1.0 ? 1 : 2, text, 8);
    }
    for (double c = 2.0; c < 2.0 * range; c += 2.0) {
        const double x0 = std::max(0.0, c - range), x1 = std::min(range, c);
        port.drawLine(at(x0, c - x0), at(x1, c - x1), grid);
        if (c <= range) port.drawText("C=" + number(c), at(c, 0.0) + TwoDPoint<float>(0.0f, 0.02f), 4, text, 8);
    }
    GraphicsPath box(frame);
    for (const auto& [x, y] : {std::pair{0.0, 0.0}, {range, 0.0}, {range, range}, {0.0, range}, {0.0, 0.0}}) {
        box.add(at(x, y), GraphicsPath::Path_End);
    }
    port.drawPath(box, frame, false, true, false);
    for (int t = 0; t <= int(range); ++t) {
        port.drawText(std::to_string(t), at(t, 0) + TwoDPoint<float>(0.0f, -0.07f), 2, text, 8);
        port.drawText(std::to_string(t), at(0, t) + TwoDPoint<float>(-0.03f, -0.015f), 4, text, 8);
    }
    port.drawText("ln(S2/S3)", TwoDPoint<float>(Left + Side / 2, Bottom - 0.14f), 2, text, 10);
    port.drawText("ln(S1/S2)", TwoDPoint<float>(Left - 0.1f, Bottom + Side + 0.05f), 1, text, 10);
    port.drawText("clusters", at(range * 0.25, range * 0.9), 2, text, 9);
    port.drawText("girdles", at(range * 0.85, range * 0.2), 2, text, 9);
}

void drawVollmerFrame(GraphicsPort& port) {
    const GraphicsStyle frame = ink(Black), grid = ink(Grey), text = ink(Black);
    for (int i = 1; i <= 4; ++i) {
        const double v = 0.2 * i;
        // Constant P, G and R: each a line between two sides.
        port.drawLine(barycentric(v, 1 - v, 0), barycentric(v, 0, 1 - v), grid);
        port.drawLine(barycentric(1 - v, v, 0), barycentric(0, v, 1 - v), grid);
        port.drawLine(barycentric(1 - v, 0, v), barycentric(0, 1 - v, v), grid);
    }
    GraphicsPath triangle(frame);
    for (const TwoDPoint<float>& v : {Point_Vertex, Girdle_Vertex, Random_Vertex, Point_Vertex}) {
        triangle.add(v, GraphicsPath::Path_End);
    }
    port.drawPath(triangle, frame, false, true, false);
    port.drawText("P (cluster)", Point_Vertex + TwoDPoint<float>(0.0f, 0.05f), 2, text, 10);
    port.drawText("G (girdle)", Girdle_Vertex + TwoDPoint<float>(0.0f, -0.1f), 1, text, 10);
    port.drawText("R (random)", Random_Vertex + TwoDPoint<float>(0.0f, -0.1f), 4, text, 10);
}

}  // namespace

bool fabricPosition(FabricDiagram kind, const FabricShape& s, double range, TwoDPoint<float>& at) {
    if (kind == FabricDiagram::Vollmer) {
        at = barycentric(s.vollmerP, s.vollmerG, s.vollmerR);
        return true;
    }
    if (!(s.s3 > FabricShape::Zero_Eigenvalue) || !(s.s2 > FabricShape::Zero_Eigenvalue)) return false;
    at = TwoDPoint<float>(Left + float(std::log(s.s2 / s.s3) / range) * Side,
                          Bottom + float(std::log(s.s1 / s.s2) / range) * Side);
    return true;
}

std::vector<std::string> drawFabricDiagram(GraphicsPort& port, FabricDiagram kind,
                                           const std::vector<FabricPoint>& fabrics) {
    const double range = woodcockRange(fabrics);
    port.beginGroup();
    if (kind == FabricDiagram::Woodcock) {
        drawWoodcockFrame(port, range);
    } else {
        drawVollmerFrame(port);
    }
    std::vector<std::string> leftOff;
    std::vector<KeyEntry> key;
    for (std::size_t i = 0; i < fabrics.size(); ++i) {
        const GraphicsStyle style(categoryColour(i), Style_Solid, Size_Larger,
                                  Symbols[i % std::size(Symbols)]);
        TwoDPoint<float> at;
        if (!fabricPosition(kind, fabrics[i].shape, range, at)) {
            leftOff.push_back(fabrics[i].label);
            continue;
        }
        port.drawSymbol(at, style, float(Size_Larger), style, true);
        key.push_back({style, fabrics[i].label, KeyEntry::Marker});
    }
    port.endGroup();
    drawKey(port, key, 0.95f);
    return leftOff;
}

}  // namespace qzCore
