// The matplotlib port: what a plot engine drew on a recording port, turned
// into matplotlib artists on the user's Axes, in plot units (radius 1 about
// the centre, x east, y north; the legend column from x = 1.06).  The engine
// computes the projection and the density; matplotlib only draws, so users
// compose subplots, annotate and save with matplotlib.
//
// Strokes go into one LineCollection, markers of one style into one Line2D,
// filled areas into patches: 10,000 poles are a single artist.  Sizes the
// library gives in device units of a 400-unit plot become points at
// Points_Per_Unit; the primitive and the rings (circles centred on the
// plot) are geometry, in plot units.
#include <cmath>
#include <map>
#include <tuple>

#include "Common.h"
#include "MatplotlibPort.h"

namespace qzpy {

namespace {

using qzCore::RecordedCall;
using Call = RecordedCall;

/// Points a device unit of the library's 400-unit plot takes.
constexpr double Points_Per_Unit = 0.6;
constexpr double Pi = 3.14159265358979323846;

py::tuple rgb(const qzCore::RGBColor& c) {
    return py::make_tuple(c.getRed() / 255.0, c.getGreen() / 255.0, c.getBlue() / 255.0);
}

const char* markerOf(qzCore::Graphics_Symbol s) {
    switch (s) {
        case qzCore::Symbol_Dot: return "o";
        case qzCore::Symbol_Square: return "s";
        case qzCore::Symbol_Triangle: return "^";
        case qzCore::Symbol_Diamond: return "D";
        case qzCore::Symbol_Star: return "*";
        case qzCore::Symbol_Cross: return "+";
        case qzCore::Symbol_X: return "x";
        case qzCore::Symbol_Horizontal_Tick: return "_";
        case qzCore::Symbol_Vertical_Tick: return "|";
        default: return "o";
    }
}

const char* dashesOf(qzCore::Graphics_Style s) {
    switch (s) {
        case qzCore::Style_Dashed: return "--";
        case qzCore::Style_Dotted: return ":";
        default: return "-";
    }
}

struct Strokes {
    py::list segments, colors, widths, styles;
    void add(const std::vector<qzCore::TwoDPoint<float>>& points, const qzCore::GraphicsStyle& style, double width,
             bool closed) {
        py::list xy;
        for (const auto& p : points) xy.append(py::make_tuple(p.x(), p.y()));
        if (closed && !points.empty()) xy.append(py::make_tuple(points.front().x(), points.front().y()));
        segments.append(xy);
        const bool fine = style.getStyle() == qzCore::Style_Fine;
        colors.append(py::make_tuple(style.getColor().getRed() / 255.0, style.getColor().getGreen() / 255.0,
                                     style.getColor().getBlue() / 255.0, fine ? 0.55 : 1.0));
        widths.append((fine ? 0.5 : 1.0) * width * Points_Per_Unit);
        styles.append(dashesOf(style.getStyle()));
    }
};

/// Markers of one look, gathered into one Line2D.
using MarkerKey = std::tuple<int, unsigned, int, bool, unsigned>;

}  // namespace

void drawOnAxes(const qzCore::RecordingPort& port, py::object ax, float halfSize) {
    py::module_ patches = py::module_::import("matplotlib.patches");
    py::module_ collections = py::module_::import("matplotlib.collections");
    py::module_ path = py::module_::import("matplotlib.path");
    Strokes strokes;
    std::map<MarkerKey, std::pair<std::vector<float>, std::vector<float>>> markers;
    int z = 1;  // drawing order: later calls lie above earlier ones
    double line = 1.0;
    std::string font;
    auto addPatch = [&](py::object patch) {
        patch.attr("set_zorder")(z);
        ax.attr("add_patch")(patch);
    };
    auto flushStrokes = [&]() {
        if (py::len(strokes.segments) == 0) return;
        py::object lc = collections.attr("LineCollection")(strokes.segments, py::arg("colors") = strokes.colors,
                                                           py::arg("linewidths") = strokes.widths,
                                                           py::arg("linestyles") = strokes.styles);
        lc.attr("set_zorder")(z);
        lc.attr("set_capstyle")("butt");
        ax.attr("add_collection")(lc);
        strokes = Strokes();
    };
    auto flushMarkers = [&]() {
        for (auto& m : markers) {
            const auto& [symbol, color, size, filled, fill] = m.first;
            const qzCore::RGBColor c(color), f(fill);
            const bool dot = symbol == qzCore::Symbol_Dot;
            py::object face = dot ? py::object(rgb(c)) : filled ? py::object(rgb(f)) : py::object(py::str("none"));
            ax.attr("plot")(m.second.first, m.second.second, py::arg("linestyle") = "none",
                            py::arg("marker") = markerOf(qzCore::Graphics_Symbol(symbol)),
                            py::arg("markersize") = (dot ? 1.2 : 2.0) * std::max(1, size) * Points_Per_Unit,
                            py::arg("markeredgecolor") = rgb(c), py::arg("markerfacecolor") = face,
                            py::arg("markeredgewidth") = line * Points_Per_Unit, py::arg("zorder") = z);
        }
        markers.clear();
    };
    auto flush = [&]() {
        flushStrokes();
        flushMarkers();
        ++z;
    };
    for (const Call& c : port.calls()) {
        switch (c.kind) {
            case Call::Set_Line_Size: line = std::max(1, c.ints.empty() ? 1 : c.ints[0]); break;
            case Call::Draw_Line: strokes.add(c.points, c.style, line, false); break;
            case Call::Draw_Path: {
                const bool fill = c.flags.size() > 0 && c.flags[0], closed = c.flags.size() > 1 && c.flags[1];
                if (!fill) {
                    strokes.add(c.points, c.style, line, closed);
                    break;
                }
                flush();
                py::list xy;
                for (const auto& p : c.points) xy.append(py::make_tuple(p.x(), p.y()));
                const bool outline = c.style.getStyle() != qzCore::Style_Fill_Only;
                addPatch(patches.attr("Polygon")(xy, py::arg("closed") = true, py::arg("facecolor") = rgb(c.style.getColor()),
                                                 py::arg("edgecolor") = outline ? py::object(rgb(c.style.getColor()))
                                                                                : py::object(py::str("none"))));
                break;
            }
            case Call::Fill_Paths: {
                flush();
                py::list vertices, codes;
                std::size_t at = 0;
                for (int n : c.ints) {
                    for (int k = 0; k < n; ++k) {
                        const auto& p = c.points[at + std::size_t(k)];
                        vertices.append(py::make_tuple(p.x(), p.y()));
                        codes.append(k == 0 ? 1 : 2);  // MOVETO, LINETO
                    }
                    vertices.append(py::make_tuple(0.0, 0.0));
                    codes.append(79);  // CLOSEPOLY
                    at += std::size_t(n);
                }
                if (py::len(vertices) == 0) break;
                py::object compound = path.attr("Path")(vertices, codes);
                addPatch(patches.attr("PathPatch")(compound, py::arg("facecolor") = rgb(c.style.getColor()),
                                                   py::arg("edgecolor") = "none", py::arg("linewidth") = 0));
                break;
            }
            case Call::Draw_Symbol: {
                const auto symbol = c.style.getSymbol();
                const bool filled = !c.flags.empty() && c.flags[0];
                const float size = c.values.empty() ? 3.0f : c.values[0];
                // The plot's own circles, as the cairo port tells them from
                // markers: centred, and larger than any marker or sized in
                // fractions.
                const bool geometry = (symbol == qzCore::Symbol_Circle || symbol == qzCore::Symbol_Dot) &&
                                      c.points[0].x() == 0.0f && c.points[0].y() == 0.0f &&
                                      (size > 12.0f || size != std::floor(size));
                if (geometry) {
                    flush();
                    addPatch(patches.attr("Circle")(py::make_tuple(0.0, 0.0), size / halfSize,
                                                    py::arg("facecolor") = filled ? py::object(rgb(c.fill.getColor()))
                                                                                  : py::object(py::str("none")),
                                                    py::arg("edgecolor") = rgb(c.style.getColor()),
                                                    py::arg("linewidth") = line * Points_Per_Unit));
                    break;
                }
                auto& m = markers[MarkerKey(int(symbol), c.style.getColor().getRGB(), int(std::lround(size)), filled,
                                            c.fill.getColor().getRGB())];
                m.first.push_back(c.points[0].x());
                m.second.push_back(c.points[0].y());
                break;
            }
            case Call::Draw_Arrow: {
                // A shaft and a filled head of length h (plot units), as the
                // cairo port draws it.
                const auto &t = c.points[0], &h = c.points[1];
                const double dx = h.x() - t.x(), dy = h.y() - t.y(), len = std::hypot(dx, dy);
                if (!(len > 0.0)) break;
                const double ux = dx / len, uy = dy / len, head = std::min(len, double(c.values[0]));
                strokes.add({t, qzCore::TwoDPoint<float>(float(h.x() - ux * head * 0.6), float(h.y() - uy * head * 0.6))},
                            c.style, line, false);
                py::list tri;
                tri.append(py::make_tuple(h.x(), h.y()));
                tri.append(py::make_tuple(h.x() - ux * head - uy * head * 0.35, h.y() - uy * head + ux * head * 0.35));
                tri.append(py::make_tuple(h.x() - ux * head + uy * head * 0.35, h.y() - uy * head - ux * head * 0.35));
                addPatch(patches.attr("Polygon")(tri, py::arg("closed") = true,
                                                 py::arg("facecolor") = rgb(c.style.getColor()),
                                                 py::arg("edgecolor") = "none"));
                break;
            }
            case Call::Draw_Wedge: {
                flush();
                // The sweep runs clockwise (azimuths) from the start point:
                // counter-clockwise angles from theta - sweep to theta.
                const auto &o = c.points[0], &s = c.points[1];
                const double theta = std::atan2(s.y() - o.y(), s.x() - o.x()) * 180.0 / Pi;
                const bool filled = !c.flags.empty() && c.flags[0];
                addPatch(patches.attr("Wedge")(py::make_tuple(o.x(), o.y()), c.values[0], theta - c.values[1], theta,
                                               py::arg("facecolor") = filled ? py::object(rgb(c.fill.getColor()))
                                                                             : py::object(py::str("none")),
                                               py::arg("edgecolor") = rgb(c.style.getColor()),
                                               py::arg("linewidth") = line * Points_Per_Unit));
                break;
            }
            case Call::Draw_Box: {
                flush();
                const auto &a = c.points[0], &b = c.points[1];
                const bool filled = c.flags.size() > 1 && c.flags[1];
                addPatch(patches.attr("Rectangle")(py::make_tuple(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                                                   std::fabs(b.x() - a.x()), std::fabs(b.y() - a.y()),
                                                   py::arg("facecolor") = filled ? py::object(rgb(c.fill.getColor()))
                                                                                 : py::object(py::str("none")),
                                                   py::arg("edgecolor") = rgb(c.style.getColor()),
                                                   py::arg("linewidth") = 0.5));
                break;
            }
            case Call::Draw_Text: {
                flush();
                const int anchor = c.ints.empty() ? 1 : c.ints[0];
                const int size = c.ints.size() > 1 ? c.ints[1] : 10;
                ax.attr("text")(c.points[0].x(), c.points[0].y(), c.text,
                                py::arg("ha") = anchor == 2 ? "center" : anchor == 4 ? "right" : "left",
                                py::arg("va") = "baseline", py::arg("fontsize") = size * 0.8,
                                py::arg("color") = rgb(c.style.getColor()), py::arg("zorder") = z,
                                py::arg("clip_on") = false);
                break;
            }
            case Call::Draw_Plane_Arc: {
                // Only the straight trace (radius 0) reaches here: the
                // engines draw accurate great circles for this port.
                const double strike = -double(c.values[1]) * Pi / 180.0;
                const float ex = float(std::sin(strike)), ey = float(std::cos(strike));
                strokes.add({qzCore::TwoDPoint<float>(ex, ey), qzCore::TwoDPoint<float>(-ex, -ey)}, c.style, line, false);
                break;
            }
            default: break;
        }
    }
    flush();
    ax.attr("set_aspect")("equal");
    ax.attr("set_axis_off")();
    ax.attr("autoscale_view")();
}

}  // namespace qzpy
