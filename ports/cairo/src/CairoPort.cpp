#include "qzCore/ports/CairoPort.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <fstream>

namespace qzCore {

namespace {

constexpr double Pi = 3.14159265358979323846;

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
    double lineSize = 1.0;
    std::string face = "Liberation Sans";
    int fontSize = 12;

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
    cairo_set_line_cap(m_impl->cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(m_impl->cr, CAIRO_LINE_JOIN_ROUND);
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

void CairoPort::setLineSize(int size) { m_impl->lineSize = std::max(1, size); }

void CairoPort::drawLine(const TwoDPoint<float>& from, const TwoDPoint<float>& to, const GraphicsStyle& style) {
    const Device d = deviceOf(*this);
    cairo_t* cr = m_impl->cr;
    cairo_move_to(cr, d.x(from.x()), d.y(from.y()));
    cairo_line_to(cr, d.x(to.x()), d.y(to.y()));
    setLine(cr, style, m_impl->lineSize);
    cairo_stroke(cr);
}

void CairoPort::drawArrow(const TwoDPoint<float>& tail, const TwoDPoint<float>& head, const GraphicsStyle& style,
                          float headSize) {
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
    bool first = true;
    for (const TwoDPoint<float>& p : path.getPoints()) {
        if (first) {
            cairo_move_to(cr, d.x(p.x()), d.y(p.y()));
            first = false;
        } else {
            cairo_line_to(cr, d.x(p.x()), d.y(p.y()));
        }
    }
    if (close) cairo_close_path(cr);
    if (fill) {
        setColor(cr, style.getColor());
        if (style.getStyle() == Style_Fill_Only) {
            cairo_fill(cr);
            return;
        }
        cairo_fill_preserve(cr);
    }
    setLine(cr, style, m_impl->lineSize);
    cairo_stroke(cr);
}

void CairoPort::drawWedge(const TwoDPoint<float>& centre, const TwoDPoint<float>& start, float radius, float sweep,
                          const GraphicsStyle& fill, const GraphicsStyle& outline, bool filled) {
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
    const double x = d.x(at.x()), y = d.y(at.y()), s = std::max(1.0, double(size));
    bool closedShape = true;
    switch (style.getSymbol()) {
        case Symbol_Dot:
            cairo_arc(cr, x, y, std::max(1.2, s * 0.6), 0, 2 * Pi);
            setColor(cr, style.getColor());
            cairo_fill(cr);
            return;
        case Symbol_Square: cairo_rectangle(cr, x - s * 0.8, y - s * 0.8, s * 1.6, s * 1.6); break;
        case Symbol_Triangle:
            cairo_move_to(cr, x, y - s);
            cairo_line_to(cr, x + s * 0.866, y + s * 0.5);
            cairo_line_to(cr, x - s * 0.866, y + s * 0.5);
            cairo_close_path(cr);
            break;
        case Symbol_Diamond:
            cairo_move_to(cr, x, y - s);
            cairo_line_to(cr, x + s, y);
            cairo_line_to(cr, x, y + s);
            cairo_line_to(cr, x - s, y);
            cairo_close_path(cr);
            break;
        case Symbol_Star:
            for (int i = 0; i < 10; ++i) {
                const double r = (i % 2 == 0) ? s : s * 0.4;
                const double a = -Pi / 2 + i * Pi / 5;
                if (i == 0) {
                    cairo_move_to(cr, x + r * std::cos(a), y + r * std::sin(a));
                } else {
                    cairo_line_to(cr, x + r * std::cos(a), y + r * std::sin(a));
                }
            }
            cairo_close_path(cr);
            break;
        case Symbol_Cross:
            closedShape = false;
            cairo_move_to(cr, x - s, y);
            cairo_line_to(cr, x + s, y);
            cairo_move_to(cr, x, y - s);
            cairo_line_to(cr, x, y + s);
            break;
        case Symbol_X:
            closedShape = false;
            cairo_move_to(cr, x - s * 0.75, y - s * 0.75);
            cairo_line_to(cr, x + s * 0.75, y + s * 0.75);
            cairo_move_to(cr, x - s * 0.75, y + s * 0.75);
            cairo_line_to(cr, x + s * 0.75, y - s * 0.75);
            break;
        case Symbol_Horizontal_Tick:
            closedShape = false;
            cairo_move_to(cr, x - s, y);
            cairo_line_to(cr, x + s, y);
            break;
        case Symbol_Vertical_Tick:
            closedShape = false;
            cairo_move_to(cr, x, y - s);
            cairo_line_to(cr, x, y + s);
            break;
        default:  // a circle, and markers drawn as a point
            cairo_new_sub_path(cr);
            cairo_arc(cr, x, y, s, 0, 2 * Pi);
            break;
    }
    if (filled && closedShape) {
        setColor(cr, fill.getColor());
        cairo_fill_preserve(cr);
    }
    setLine(cr, style, m_impl->lineSize);
    cairo_stroke(cr);
}

void CairoPort::drawBox(const TwoDPoint<float>& corner1, const TwoDPoint<float>& corner2,
                        const GraphicsStyle& outline, const GraphicsStyle& fill, bool, bool filled) {
    const Device d = deviceOf(*this);
    cairo_t* cr = m_impl->cr;
    const double x0 = d.x(corner1.x()), y0 = d.y(corner1.y()), x1 = d.x(corner2.x()), y1 = d.y(corner2.y());
    cairo_rectangle(cr, std::min(x0, x1), std::min(y0, y1), std::fabs(x1 - x0), std::fabs(y1 - y0));
    if (filled) {
        setColor(cr, fill.getColor());
        cairo_fill_preserve(cr);
    }
    setLine(cr, outline, 1.0);
    cairo_stroke(cr);
}

void CairoPort::setFont(const std::string& face, int size) {
    // Arial's metrics, from a free face that keeps them.
    m_impl->face = (face == "Arial" || face.empty()) ? std::string("Liberation Sans") : face;
    m_impl->fontSize = size;
}

void CairoPort::drawText(const std::string& text, const TwoDPoint<float>& at, int anchor, const GraphicsStyle& style,
                         int size) {
    const Device d = deviceOf(*this);
    cairo_t* cr = m_impl->cr;
    cairo_select_font_face(cr, m_impl->face.c_str(), CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, (size > 0 ? size : Default_Text_Size) * Text_Scale);
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    double x = d.x(at.x());
    if (anchor == 2) x -= e.x_advance / 2.0;
    if (anchor == 4) x -= e.x_advance;
    cairo_move_to(cr, x, d.y(at.y()));
    setColor(cr, style.getColor());
    cairo_show_text(cr, text.c_str());
    cairo_new_path(cr);
}

std::string CairoPort::bytes() {
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
