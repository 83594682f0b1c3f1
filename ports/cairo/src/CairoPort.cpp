#include "qzCore/ports/CairoPort.h"

#include "LineRaster.h"
#include "qzCore/shared/SymbolShape.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <array>
#include <vector>
#include <cmath>
#include <fstream>

namespace qzCore {

namespace {

constexpr double Pi = 3.14159265358979323846;
// The largest marker size the library draws (Size_Largest is 9), with room.
constexpr double Largest_Marker = 12.0;
// How far, in device units, a dropped point of a path may lie from the line
// that replaces it.
constexpr double Simplify_Tolerance = 0.2;

cairo_status_t appendTo(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

std::string lowerExtension(const std::string& name) {
    const auto dot = name.find_last_of('.');
    const auto slash = name.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return std::string();
    std::string e = name.substr(dot + 1);
    for (char& c : e) {
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    }
    return e;
}

}  // namespace

struct CairoPort::Impl {
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = nullptr;
    std::string stream;  // SVG and PDF write here as they go
    bool finished = false;
    double scale = 1.0;     // device units per unit of size
    double lineSize = 1.0;  // scaled
    std::string face = "Liberation Sans";
    int fontSize = 12;
    // Thin solid outlines of a PNG go straight into its pixels.
    LineRaster raster;
    bool rasterDirty = false;  // pixels written that cairo has not been told of
    std::vector<double> xy;    // a polyline for the raster
    std::vector<std::array<double, 2>> points;  // a path in device units

    ~Impl() {
        if (cr) cairo_destroy(cr);
        if (surface) cairo_surface_destroy(surface);
    }
};

bool CairoPort::formatOf(const std::string& name, Format& format) {
    const std::string e = lowerExtension(name);
    if (e == "png") {
        format = Format::Png;
    } else if (e == "svg") {
        format = Format::Svg;
    } else if (e == "pdf") {
        format = Format::Pdf;
    } else {
        return false;
    }
    return true;
}

CairoPort::CairoPort(double width, double height, Format format, const RGBColor& background)
    : m_impl(std::make_unique<Impl>()), m_width(std::max(1.0, width)), m_height(std::max(1.0, height)),
      m_format(format) {
    switch (format) {
        case Format::Png:
            m_impl->surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(std::ceil(m_width)),
                                                         int(std::ceil(m_height)));
            break;
        case Format::Svg:
            m_impl->surface = cairo_svg_surface_create_for_stream(appendTo, &m_impl->stream, m_width, m_height);
            break;
        case Format::Pdf:
            m_impl->surface = cairo_pdf_surface_create_for_stream(appendTo, &m_impl->stream, m_width, m_height);
            break;
    }
    m_impl->cr = cairo_create(m_impl->surface);
    if (format == Format::Png && cairo_surface_status(m_impl->surface) == CAIRO_STATUS_SUCCESS) {
        m_impl->raster.bind(cairo_image_surface_get_data(m_impl->surface),
                            cairo_image_surface_get_width(m_impl->surface),
                            cairo_image_surface_get_height(m_impl->surface),
                            cairo_image_surface_get_stride(m_impl->surface));
    }
    cairo_set_line_cap(m_impl->cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(m_impl->cr, CAIRO_LINE_JOIN_BEVEL);
    cairo_set_antialias(m_impl->cr, CAIRO_ANTIALIAS_FAST);
    cairo_set_source_rgb(m_impl->cr, background.getRed() / 255.0, background.getGreen() / 255.0,
                         background.getBlue() / 255.0);
    cairo_paint(m_impl->cr);
}

CairoPort::~CairoPort() = default;

namespace {

struct Device {
    double cx, cy, r;
    double x(double px) const { return cx + px * r; }
    double y(double py) const { return cy - py * r; }
};

Device deviceOf(const GraphicsPort& port) {
    return Device{port.getCentre().x(), port.getCentre().y(), port.getRadius()};
}

void setColor(cairo_t* cr, const RGBColor& c, double alpha = 1.0) {
    cairo_set_source_rgba(cr, c.getRed() / 255.0, c.getGreen() / 255.0, c.getBlue() / 255.0, alpha);
}

/// Colour, width and dashes of a line in this style.
void setLine(cairo_t* cr, const GraphicsStyle& style, double width) {
    const bool fine = style.getStyle() == Style_Fine;
    setColor(cr, style.getColor(), fine ? 0.55 : 1.0);
    cairo_set_line_width(cr, fine ? std::max(0.5, width * 0.5) : std::max(0.5, width));
    switch (style.getStyle()) {
        case Style_Dashed: {
            const double d[] = {6.0, 3.0};
            cairo_set_dash(cr, d, 2, 0.0);
            break;
        }
        case Style_Dotted: {
            const double d[] = {1.0, 2.5};
            cairo_set_dash(cr, d, 2, 0.0);
            break;
        }
        default: cairo_set_dash(cr, nullptr, 0, 0.0); break;
    }
}

}  // namespace

void CairoPort::flush() {
    // Cairo draws on; the pixels written directly are its own again.
    if (!m_impl->rasterDirty) return;
    cairo_surface_mark_dirty(m_impl->surface);
    m_impl->rasterDirty = false;
}

bool CairoPort::rasterOutline(const GraphicsStyle& style, double width, const std::vector<double>& xy, bool closed) {
    // A raster of solid or fine lines only; dashes are cairo's.
    if (m_format != Format::Png || xy.size() < 4) return false;
    const Graphics_Style kind = style.getStyle();
    if (kind != Style_Solid && kind != Style_Fine && kind != Style_Filled && kind != Style_Hollow) return false;
    if (!m_impl->rasterDirty) cairo_surface_flush(m_impl->surface);
    const bool fine = kind == Style_Fine;
    const double w = fine ? std::max(0.5, width * 0.5) : std::max(0.5, width);
    const RGBColor& c = style.getColor();
    m_impl->raster.polyline(xy.data(), int(xy.size() / 2), w / 2.0, c.getRed(), c.getGreen(), c.getBlue(),
                            fine ? 0.55 : 1.0, closed);
    m_impl->rasterDirty = true;
    return true;
}

void CairoPort::setLineSize(int size) { m_impl->lineSize = std::max(1, size) * m_impl->scale; }

void CairoPort::setScale(double scale) {
    if (!(scale > 0.0) || !std::isfinite(scale)) return;
    m_impl->lineSize = m_impl->lineSize / m_impl->scale * scale;
    m_impl->scale = scale;
}

double CairoPort::getScale() const { return m_impl->scale; }

void CairoPort::drawLine(const TwoDPoint<float>& from, const TwoDPoint<float>& to, const GraphicsStyle& style) {
    const Device d = deviceOf(*this);
    const std::vector<double> xy{d.x(from.x()), d.y(from.y()), d.x(to.x()), d.y(to.y())};
    if (rasterOutline(style, m_impl->lineSize, xy, false)) return;
    flush();
    cairo_t* cr = m_impl->cr;
    cairo_move_to(cr, xy[0], xy[1]);
    cairo_line_to(cr, xy[2], xy[3]);
    setLine(cr, style, m_impl->lineSize);
    cairo_stroke(cr);
}

void CairoPort::drawArrow(const TwoDPoint<float>& tail, const TwoDPoint<float>& head, const GraphicsStyle& style,
                          float headSize) {
    flush();
    const Device d = deviceOf(*this);
    cairo_t* cr = m_impl->cr;
    const double x0 = d.x(tail.x()), y0 = d.y(tail.y()), x1 = d.x(head.x()), y1 = d.y(head.y());
    const double len = std::hypot(x1 - x0, y1 - y0);
    if (!(len > 0.0)) return;
    const double ux = (x1 - x0) / len, uy = (y1 - y0) / len;
    const double h = std::min(len, double(headSize) * d.r);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1 - ux * h * 0.6, y1 - uy * h * 0.6);
    setLine(cr, style, std::max(1.0, m_impl->lineSize));
    cairo_stroke(cr);
    // The head: a triangle of length h and width 0.7 h.
    cairo_move_to(cr, x1, y1);
    cairo_line_to(cr, x1 - ux * h - uy * h * 0.35, y1 - uy * h + ux * h * 0.35);
    cairo_line_to(cr, x1 - ux * h + uy * h * 0.35, y1 - uy * h - ux * h * 0.35);
    cairo_close_path(cr);
    setColor(cr, style.getColor());
    cairo_fill(cr);
}

void CairoPort::drawPlaneArc(float radius, float rotation, const GraphicsStyle& style, bool) {
    flush();
    const Device d = deviceOf(*this);
    cairo_t* cr = m_impl->cr;
    const double strike = -double(rotation) * Pi / 180.0;
    // The strike ends on the primitive, and the dip point.
    const double e1x = std::sin(strike), e1y = std::cos(strike);
    setLine(cr, style, m_impl->lineSize);
    TwoDPoint<double> c;
    double rho = 0.0;
    if (!planeArcCircle(radius, rotation, c, rho)) {
        cairo_move_to(cr, d.x(e1x), d.y(e1y));
        cairo_line_to(cr, d.x(-e1x), d.y(-e1y));
        cairo_stroke(cr);
        return;
    }
    // Angles in device space (y down) of the ends and the dip point about
    // the centre; the arc runs from one end to the other through the dip
    // point.
    const double dipx = std::sin(strike + Pi / 2) * radius, dipy = std::cos(strike + Pi / 2) * radius;
    auto angle = [&](double px, double py) { return std::atan2(d.y(py) - d.y(c.y()), d.x(px) - d.x(c.x())); };
    const double a1 = angle(e1x, e1y), a2 = angle(-e1x, -e1y), am = angle(dipx, dipy);
    auto between = [](double a, double from, double to) {
        // Whether a lies on the increasing sweep from `from` to `to`.
        auto norm = [](double v) {
            while (v < 0) v += 2 * Pi;
            while (v >= 2 * Pi) v -= 2 * Pi;
            return v;
        };
        return norm(a - from) <= norm(to - from);
    };
    if (between(am, a1, a2)) {
        cairo_arc(cr, d.x(c.x()), d.y(c.y()), rho * d.r, a1, a2);
    } else {
        cairo_arc_negative(cr, d.x(c.x()), d.y(c.y()), rho * d.r, a1, a2);
    }
    cairo_stroke(cr);
}

void CairoPort::drawPath(const GraphicsPath& path, const GraphicsStyle& style, bool fill, bool close, bool) {
    if (path.size() < 2) return;
    const Device d = deviceOf(*this);
    cairo_t* cr = m_impl->cr;
    if (!fill) {
        std::vector<double>& xy = m_impl->xy;
        xy.clear();
        for (const TwoDPoint<float>& p : path.getPoints()) {
            xy.push_back(d.x(p.x()));
            xy.push_back(d.y(p.y()));
        }
        if (rasterOutline(style, m_impl->lineSize, xy, close)) return;
    }
    flush();
    // Points closer than a fifth of a device unit to the chord that skips
    // them change nothing visible: a sampled great circle keeps about one
    // point in three, and costs a third to stroke.
    m_impl->points.clear();
    for (const TwoDPoint<float>& p : path.getPoints()) m_impl->points.push_back({d.x(p.x()), d.y(p.y())});
    const std::vector<std::array<double, 2>>& pts = m_impl->points;
    cairo_move_to(cr, pts[0][0], pts[0][1]);
    std::size_t anchor = 0;
    for (std::size_t i = 1; i + 1 < pts.size(); ++i) {
        const double ax = pts[anchor][0], ay = pts[anchor][1];
        const double dx = pts[i + 1][0] - ax, dy = pts[i + 1][1] - ay;
        const double len = std::hypot(dx, dy);
        bool keep = false;
        for (std::size_t k = anchor + 1; k <= i && !keep; ++k) {
            const double off = len > 0.0 ? std::fabs((pts[k][0] - ax) * dy - (pts[k][1] - ay) * dx) / len
                                         : std::hypot(pts[k][0] - ax, pts[k][1] - ay);
            keep = off > Simplify_Tolerance;
        }
        if (keep) {
            cairo_line_to(cr, pts[i][0], pts[i][1]);
            anchor = i;
        }
    }
    cairo_line_to(cr, pts.back()[0], pts.back()[1]);
    if (close) cairo_close_path(cr);
    if (!fill) {
        setLine(cr, style, m_impl->lineSize);
        cairo_stroke(cr);
        return;
    }
    setColor(cr, style.getColor());
    if (style.getStyle() == Style_Fill_Only) {
        cairo_fill(cr);
        return;
    }
    cairo_fill_preserve(cr);
    setLine(cr, style, m_impl->lineSize);
    cairo_stroke(cr);
}

void CairoPort::drawWedge(const TwoDPoint<float>& centre, const TwoDPoint<float>& start, float radius, float sweep,
                          const GraphicsStyle& fill, const GraphicsStyle& outline, bool filled) {
    flush();
    const Device d = deviceOf(*this);
    cairo_t* cr = m_impl->cr;
    const double cx = d.x(centre.x()), cy = d.y(centre.y());
    // The start point's angle in device space; the sweep runs clockwise on
    // the page, which is the increasing direction of cairo's angles.
    const double a0 = std::atan2(d.y(start.y()) - cy, d.x(start.x()) - cx);
    const double a1 = a0 + double(sweep) * Pi / 180.0;
    cairo_move_to(cr, cx, cy);
    cairo_arc(cr, cx, cy, double(radius) * d.r, a0, a1);
    cairo_close_path(cr);
    if (filled) {
        setColor(cr, fill.getColor());
        cairo_fill_preserve(cr);
    }
    if (fill.getStyle() == Style_Fill_Only && filled) {
        cairo_new_path(cr);
        return;
    }
    setLine(cr, outline, m_impl->lineSize);
    cairo_stroke(cr);
}

void CairoPort::drawSymbol(const TwoDPoint<float>& at, const GraphicsStyle& style, float size,
                           const GraphicsStyle& fill, bool filled) {
    const Device d = deviceOf(*this);
    cairo_t* cr = m_impl->cr;
    // A circle or disc centred on the plot is the plot's own geometry (the
    // primitive, the rings of a rose or tangent plot), sized in device
    // units already, when it is larger than any marker or its size is not a
    // whole number (marker sizes are); every other symbol is a marker,
    // scaled with the port: a vertical line's dot at the centre among them.
    const bool geometry = (style.getSymbol() == Symbol_Circle || style.getSymbol() == Symbol_Dot) &&
                          at.x() == 0.0f && at.y() == 0.0f &&
                          (size > Largest_Marker * m_impl->scale || size != std::floor(size));
    const double x = d.x(at.x()), y = d.y(at.y());
    const double s = std::max(1.0, double(size)) * (geometry ? 1.0 : m_impl->scale);
    if (style.getSymbol() == Symbol_Dot) {
        // A disc: a point drawn with the dot's radius as its half width.
        const double r = std::max(1.2, s * 0.6);
        GraphicsStyle solid = style;
        solid.setStyle(Style_Solid);
        if (rasterOutline(solid, 2.0 * r, {x, y, x, y}, false)) return;
        flush();
        cairo_new_sub_path(cr);
        cairo_arc(cr, x, y, r, 0, 2 * Pi);
        setColor(cr, style.getColor());
        cairo_fill(cr);
        return;
    }
    const SymbolShape shape = symbolShape(style.getSymbol(), x, y, s);
    if (!filled) {
        bool drawn = true;
        for (std::size_t i = 0; i < shape.lines.size() && drawn; ++i) {
            drawn = rasterOutline(style, m_impl->lineSize, shape.lines[i], shape.closed[i]);
        }
        if (drawn) return;
    }
    flush();
    bool anyClosed = false;
    for (std::size_t i = 0; i < shape.lines.size(); ++i) {
        const std::vector<double>& xy = shape.lines[i];
        cairo_move_to(cr, xy[0], xy[1]);
        for (std::size_t k = 2; k + 1 < xy.size(); k += 2) cairo_line_to(cr, xy[k], xy[k + 1]);
        if (shape.closed[i]) {
            cairo_close_path(cr);
            anyClosed = true;
        }
    }
    if (filled && anyClosed) {
        setColor(cr, fill.getColor());
        cairo_fill_preserve(cr);
    }
    setLine(cr, style, m_impl->lineSize);
    cairo_stroke(cr);
}

void CairoPort::drawBox(const TwoDPoint<float>& corner1, const TwoDPoint<float>& corner2,
                        const GraphicsStyle& outline, const GraphicsStyle& fill, bool, bool filled) {
    flush();
    const Device d = deviceOf(*this);
    cairo_t* cr = m_impl->cr;
    const double x0 = d.x(corner1.x()), y0 = d.y(corner1.y()), x1 = d.x(corner2.x()), y1 = d.y(corner2.y());
    cairo_rectangle(cr, std::min(x0, x1), std::min(y0, y1), std::fabs(x1 - x0), std::fabs(y1 - y0));
    if (filled) {
        setColor(cr, fill.getColor());
        cairo_fill_preserve(cr);
    }
    setLine(cr, outline, m_impl->scale);
    cairo_stroke(cr);
}

void CairoPort::setFont(const std::string& face, int size) {
    // Arial's metrics, from a free face that keeps them.
    m_impl->face = (face == "Arial" || face.empty()) ? std::string("Liberation Sans") : face;
    m_impl->fontSize = size;
}

void CairoPort::fillPaths(const std::list<GraphicsPath>& paths, const GraphicsStyle& style) {
    flush();
    const Device d = deviceOf(*this);
    cairo_t* cr = m_impl->cr;
    cairo_new_path(cr);
    for (const GraphicsPath& path : paths) {
        if (path.size() < 3) continue;
        bool first = true;
        for (const TwoDPoint<float>& p : path.getPoints()) {
            if (first) {
                cairo_move_to(cr, d.x(p.x()), d.y(p.y()));
                first = false;
            } else {
                cairo_line_to(cr, d.x(p.x()), d.y(p.y()));
            }
        }
        cairo_close_path(cr);
    }
    // Holes run the other way round: the nonzero winding rule leaves them
    // out.  No outline: areas of higher levels lie within those of lower
    // ones, so no seam shows between them, and the primitive the frame drew
    // keeps its outer half.
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    setColor(cr, style.getColor());
    cairo_fill(cr);
}

namespace {

/// A layout of `text` in `face` at `px` device units; invalid UTF-8 (a
/// Latin-1 comment, say) shows as replacement characters.
PangoLayout* layoutOf(cairo_t* cr, const std::string& face, double px, const std::string& text) {
    PangoLayout* layout = pango_cairo_create_layout(cr);
    PangoFontDescription* font = pango_font_description_new();
    pango_font_description_set_family(font, face.c_str());
    pango_font_description_set_absolute_size(font, std::max(1.0, px) * PANGO_SCALE);
    pango_layout_set_font_description(layout, font);
    pango_font_description_free(font);
    gchar* valid = g_utf8_make_valid(text.c_str(), gssize(text.size()));
    pango_layout_set_text(layout, valid, -1);
    g_free(valid);
    return layout;
}

}  // namespace

double CairoPort::textWidth(const std::string& text, int size) {
    PangoLayout* layout = layoutOf(m_impl->cr, m_impl->face, textPixels(size), text);
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    g_object_unref(layout);
    return double(logical.width) / PANGO_SCALE;
}

int CairoPort::missingGlyphs(const std::string& text) {
    PangoLayout* layout = layoutOf(m_impl->cr, m_impl->face, textPixels(0), text);
    const int missing = pango_layout_get_unknown_glyphs_count(layout);
    g_object_unref(layout);
    return missing;
}

double CairoPort::textPixels(int size) const {
    return (size > 0 ? size : Default_Text_Size) * Text_Scale * m_impl->scale;
}

void CairoPort::drawText(const std::string& text, const TwoDPoint<float>& at, int anchor, const GraphicsStyle& style,
                         int size) {
    if (text.empty()) return;
    flush();
    const Device d = deviceOf(*this);
    cairo_t* cr = m_impl->cr;
    // Pango lays the text out in the face asked for and takes any glyph it
    // lacks (Greek, CJK, symbols) from another installed font.
    PangoLayout* layout = layoutOf(cr, m_impl->face, textPixels(size), text);
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    const double width = double(logical.width) / PANGO_SCALE;
    const double baseline = double(pango_layout_get_baseline(layout)) / PANGO_SCALE;
    double x = d.x(at.x());
    if (anchor == 2) x -= width / 2.0;
    if (anchor == 4) x -= width;
    cairo_move_to(cr, x, d.y(at.y()) - baseline);
    setColor(cr, style.getColor());
    pango_cairo_show_layout(cr, layout);
    g_object_unref(layout);
    cairo_new_path(cr);
}

std::string CairoPort::bytes() {
    if (!m_impl->finished) flush();
    if (m_format == Format::Png) {
        std::string out;
        cairo_surface_flush(m_impl->surface);
        if (cairo_surface_write_to_png_stream(m_impl->surface, appendTo, &out) != CAIRO_STATUS_SUCCESS) return "";
        return out;
    }
    if (!m_impl->finished) {
        cairo_surface_finish(m_impl->surface);
        m_impl->finished = true;
    }
    if (cairo_surface_status(m_impl->surface) != CAIRO_STATUS_SUCCESS) return "";
    return m_impl->stream;
}

int CairoPort::write(const std::string& name) {
    const std::string data = bytes();
    if (data.empty()) return -7;
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    if (!out) return -7;
    out.write(data.data(), std::streamsize(data.size()));
    out.close();
    return out ? 1 : -7;
}

}  // namespace qzCore
