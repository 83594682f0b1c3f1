#include "qzCore/ports/SvgPort.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "qzCore/shared/SymbolShape.h"

namespace qzCore {

namespace {

constexpr double Pi = 3.14159265358979323846;
// The largest marker size the library draws (Size_Largest is 9), with room:
// a circle at the centre larger than this is the plot's own geometry.
constexpr double Largest_Marker = 12.0;

/// Appends a coordinate to two decimals (a hundredth of a pixel), without
/// the zeros after them: "12.5", "-3", "0.07".  Written by hand, not by
/// printf: a picture holds hundreds of thousands of them, and the
/// browser's printf is slow.
void appendNumber(std::string& out, double v) {
    if (!std::isfinite(v) || std::fabs(v) >= 1e15) {
        char text[40];
        const int n = std::snprintf(text, sizeof text, "%.2f", std::isfinite(v) ? v : 0.0);
        out.append(text, std::size_t(std::max(0, n)));
        return;
    }
    const long long hundredths = std::llround(v * 100.0);
    if (hundredths == 0) {
        out += '0';
        return;
    }
    unsigned long long a = static_cast<unsigned long long>(hundredths < 0 ? -hundredths : hundredths);
    const unsigned frac = unsigned(a % 100);
    a /= 100;
    char text[24];
    char* end = text + sizeof text;
    char* p = end;
    if (frac != 0) {
        if (frac % 10 != 0) *--p = char('0' + frac % 10);
        *--p = char('0' + frac / 10);
        *--p = '.';
    }
    do {
        *--p = char('0' + a % 10);
        a /= 10;
    } while (a != 0);
    if (hundredths < 0) *--p = '-';
    out.append(p, std::size_t(end - p));
}

std::string number(double v) {
    std::string s;
    appendNumber(s, v);
    return s;
}

/// The length of a valid UTF-8 sequence starting at `s[i]`, or 0.
std::size_t utf8Length(const std::string& s, std::size_t i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    const std::size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
    if (n == 0 || i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
    }
    return n;
}

}  // namespace

std::string svgColour(const RGBColor& c) {
    static const char hex[] = "0123456789abcdef";
    std::string out = "#000000";
    const int parts[] = {c.getRed(), c.getGreen(), c.getBlue()};
    for (int k = 0; k < 3; ++k) {
        out[std::size_t(1 + 2 * k)] = hex[(parts[k] >> 4) & 15];
        out[std::size_t(2 + 2 * k)] = hex[parts[k] & 15];
    }
    return out;
}

std::string svgEscape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        switch (c) {
            case '&': out += "&amp;"; ++i; continue;
            case '<': out += "&lt;"; ++i; continue;
            case '>': out += "&gt;"; ++i; continue;
            case '"': out += "&quot;"; ++i; continue;
            case '\'': out += "&apos;"; ++i; continue;
            default: break;
        }
        const std::size_t n = utf8Length(text, i);
        // Control characters have no place in XML; a byte that is not
        // UTF-8 (a Latin-1 comment, say) shows as the replacement sign.
        if (n == 0 || (n == 1 && static_cast<unsigned char>(c) < 0x20 && c != '\t')) {
            out += "\xef\xbf\xbd";
            ++i;
            continue;
        }
        out.append(text, i, n);
        i += n;
    }
    return out;
}

SvgPort::SvgPort(double width, double height, const RGBColor& background)
    : m_width(std::max(1.0, width)), m_height(std::max(1.0, height)) {
    m_body = "<rect width=\"100%\" height=\"100%\" fill=\"" + svgColour(background) + "\"/>\n";
}

double SvgPort::x(double px) const { return getCentre().x() + px * getRadius(); }
double SvgPort::y(double py) const { return getCentre().y() - py * getRadius(); }

void SvgPort::setScale(double scale) {
    if (!(scale > 0.0) || !std::isfinite(scale)) return;
    m_lineSize = m_lineSize / m_scale * scale;
    m_scale = scale;
}

void SvgPort::setLineSize(int size) { m_lineSize = std::max(1, size) * m_scale; }

std::string SvgPort::strokeOf(const GraphicsStyle& style, double width) const {
    const bool fine = style.getStyle() == Style_Fine;
    std::string s = " stroke=\"" + svgColour(style.getColor()) + "\" stroke-width=\"" +
                    number(fine ? std::max(0.5, width * 0.5) : std::max(0.5, width)) + "\"";
    if (fine) s += " stroke-opacity=\"0.55\"";
    if (style.getStyle() == Style_Dashed) s += " stroke-dasharray=\"6 3\"";
    if (style.getStyle() == Style_Dotted) s += " stroke-dasharray=\"1 2.5\"";
    return s;
}

void SvgPort::element(const std::string& text) {
    flushMarkers();
    m_body += text;
    m_body += '\n';
    ++m_elements;
}

void SvgPort::marker(const std::string& paint) {
    if (paint != m_markerPaint) {
        flushMarkers();
        m_markerPaint = paint;
    }
    ++m_elements;
}

void SvgPort::flushMarkers() {
    if (m_markerPath.empty()) return;
    m_body += "<path d=\"" + m_markerPath + "\"" + m_markerPaint + "/>\n";
    m_markerPath.clear();
    m_markerPaint.clear();
}

void SvgPort::beginGroup() {
    flushMarkers();
    m_body += "<g>\n";
    ++m_open;
}

void SvgPort::endGroup() {
    if (m_open == 0) return;
    flushMarkers();
    m_body += "</g>\n";
    --m_open;
}

void SvgPort::drawLine(const TwoDPoint<float>& from, const TwoDPoint<float>& to, const GraphicsStyle& style) {
    element("<path d=\"M" + number(x(from.x())) + " " + number(y(from.y())) + "L" + number(x(to.x())) + " " +
            number(y(to.y())) + "\" fill=\"none\"" + strokeOf(style, m_lineSize) + "/>");
}

void SvgPort::drawPath(const GraphicsPath& path, const GraphicsStyle& style, bool fill, bool close, bool) {
    if (path.size() < 2) return;
    std::string d;
    for (const TwoDPoint<float>& p : path.getPoints()) {
        d += (d.empty() ? "M" : "L") + number(x(p.x())) + " " + number(y(p.y()));
    }
    if (close) d += "Z";
    std::string paint = " fill=\"" + (fill ? svgColour(style.getColor()) : std::string("none")) + "\"";
    if (!(fill && style.getStyle() == Style_Fill_Only)) paint += strokeOf(style, m_lineSize);
    element("<path d=\"" + d + "\"" + paint + "/>");
}

void SvgPort::fillPaths(const std::list<GraphicsPath>& paths, const GraphicsStyle& style) {
    // Holes run the other way round: the nonzero rule leaves them out.
    std::string d;
    for (const GraphicsPath& path : paths) {
        if (path.size() < 3) continue;
        bool first = true;
        for (const TwoDPoint<float>& p : path.getPoints()) {
            d += (first ? "M" : "L") + number(x(p.x())) + " " + number(y(p.y()));
            first = false;
        }
        d += "Z";
    }
    if (d.empty()) return;
    element("<path d=\"" + d + "\" fill=\"" + svgColour(style.getColor()) + "\" fill-rule=\"nonzero\"/>");
}

void SvgPort::drawArrow(const TwoDPoint<float>& tail, const TwoDPoint<float>& head, const GraphicsStyle& style,
                        float headSize) {
    const double x0 = x(tail.x()), y0 = y(tail.y()), x1 = x(head.x()), y1 = y(head.y());
    const double len = std::hypot(x1 - x0, y1 - y0);
    if (!(len > 0.0)) return;
    const double ux = (x1 - x0) / len, uy = (y1 - y0) / len;
    const double h = std::min(len, double(headSize) * getRadius());
    element("<path d=\"M" + number(x0) + " " + number(y0) + "L" + number(x1 - ux * h * 0.6) + " " +
            number(y1 - uy * h * 0.6) + "\" fill=\"none\"" + strokeOf(style, std::max(1.0, m_lineSize)) + "/>");
    element("<path d=\"M" + number(x1) + " " + number(y1) + "L" + number(x1 - ux * h - uy * h * 0.35) + " " +
            number(y1 - uy * h + ux * h * 0.35) + "L" + number(x1 - ux * h + uy * h * 0.35) + " " +
            number(y1 - uy * h - ux * h * 0.35) + "Z\" fill=\"" + svgColour(style.getColor()) + "\"/>");
}

void SvgPort::drawPlaneArc(float radius, float rotation, const GraphicsStyle& style, bool) {
    const double strike = -double(rotation) * Pi / 180.0;
    const double e1x = std::sin(strike), e1y = std::cos(strike);
    TwoDPoint<double> c;
    double rho = 0.0;
    if (!planeArcCircle(radius, rotation, c, rho)) {
        element("<path d=\"M" + number(x(e1x)) + " " + number(y(e1y)) + "L" + number(x(-e1x)) + " " +
                number(y(-e1y)) + "\" fill=\"none\"" + strokeOf(style, m_lineSize) + "/>");
        return;
    }
    // The arc from the strike to the opposite azimuth through the dip
    // point: of the circle's two arcs, the one that holds it (angles in
    // device space, where SVG's sweep flag 1 turns them up).
    const double dipx = std::sin(strike + Pi / 2) * radius, dipy = std::cos(strike + Pi / 2) * radius;
    const double cx = x(c.x()), cy = y(c.y());
    auto angle = [&](double px, double py) { return std::atan2(y(py) - cy, x(px) - cx); };
    auto turn = [](double a) {
        while (a < 0.0) a += 2.0 * Pi;
        while (a >= 2.0 * Pi) a -= 2.0 * Pi;
        return a;
    };
    const double a1 = angle(e1x, e1y), a2 = angle(-e1x, -e1y), ad = angle(dipx, dipy);
    const bool up = turn(ad - a1) <= turn(a2 - a1);
    const double extent = up ? turn(a2 - a1) : 2.0 * Pi - turn(a2 - a1);
    element("<path d=\"M" + number(x(e1x)) + " " + number(y(e1y)) + "A" + number(rho * getRadius()) + " " +
            number(rho * getRadius()) + " 0 " + (extent > Pi ? "1" : "0") + " " + (up ? "1" : "0") + " " +
            number(x(-e1x)) + " " + number(y(-e1y)) + "\" fill=\"none\"" + strokeOf(style, m_lineSize) + "/>");
}

void SvgPort::drawWedge(const TwoDPoint<float>& centre, const TwoDPoint<float>& start, float radius, float sweep,
                        const GraphicsStyle& fill, const GraphicsStyle& outline, bool filled) {
    const double cx = x(centre.x()), cy = y(centre.y()), r = double(radius) * getRadius();
    const double a0 = std::atan2(y(start.y()) - cy, x(start.x()) - cx);
    const double a1 = a0 + double(sweep) * Pi / 180.0;
    std::string paint = " fill=\"" + (filled ? svgColour(fill.getColor()) : std::string("none")) + "\"";
    if (!(filled && fill.getStyle() == Style_Fill_Only)) paint += strokeOf(outline, m_lineSize);
    element("<path d=\"M" + number(cx) + " " + number(cy) + "L" + number(cx + r * std::cos(a0)) + " " +
            number(cy + r * std::sin(a0)) + "A" + number(r) + " " + number(r) + " 0 " +
            (std::fabs(sweep) > 180.0f ? "1" : "0") + " " + (sweep >= 0.0f ? "1" : "0") + " " +
            number(cx + r * std::cos(a1)) + " " + number(cy + r * std::sin(a1)) + "Z\"" + paint + "/>");
}

void SvgPort::drawSymbol(const TwoDPoint<float>& at, const GraphicsStyle& style, float size, const GraphicsStyle& fill,
                         bool filled) {
    // A circle or disc centred on the plot larger than any marker, or of a
    // size that is not whole, is the plot's own geometry (the primitive,
    // a rose's rings), sized in device units; every other is a marker.
    const bool geometry = (style.getSymbol() == Symbol_Circle || style.getSymbol() == Symbol_Dot) &&
                          at.x() == 0.0f && at.y() == 0.0f &&
                          (size > Largest_Marker * m_scale || size != std::floor(size));
    const double px = x(at.x()), py = y(at.y());
    const double s = std::max(1.0, double(size)) * (geometry ? 1.0 : m_scale);
    if (geometry) {
        const bool dot = style.getSymbol() == Symbol_Dot;
        element("<circle cx=\"" + number(px) + "\" cy=\"" + number(py) + "\" r=\"" +
                number(dot ? std::max(1.2, s * 0.6) : s) + "\" fill=\"" +
                (dot ? svgColour(style.getColor()) : filled ? svgColour(fill.getColor()) : std::string("none")) +
                "\"" + (dot ? std::string() : strokeOf(style, m_lineSize)) + "/>");
        return;
    }
    std::string& d = m_markerPath;
    // A circle as two half arcs, so that it joins the other markers' path.
    auto circle = [&](double r) {
        d += 'M';
        appendNumber(d, px - r);
        d += ' ';
        appendNumber(d, py);
        const std::string rr = number(r);
        d += 'a' + rr + ' ' + rr + " 0 1 0 ";
        appendNumber(d, 2 * r);
        d += " 0a" + rr + ' ' + rr + " 0 1 0 ";
        appendNumber(d, -2 * r);
        d += " 0Z";
    };
    if (style.getSymbol() == Symbol_Dot) {
        marker(" fill=\"" + svgColour(style.getColor()) + "\"");
        circle(std::max(1.2, s * 0.6));
        return;
    }
    if (style.getSymbol() == Symbol_Circle) {
        marker(" fill=\"" + (filled ? svgColour(fill.getColor()) : std::string("none")) + "\"" +
               strokeOf(style, m_lineSize));
        circle(s);
        return;
    }
    // The outline of this symbol at this size about the origin, kept for
    // the markers that follow (a net draws thousands alike).
    if (style.getSymbol() != m_shapeSymbol || s != m_shapeSize) {
        m_shape = symbolShape(style.getSymbol(), 0.0, 0.0, s);
        m_shapeSymbol = style.getSymbol();
        m_shapeSize = s;
        m_shapeClosed = std::find(m_shape.closed.begin(), m_shape.closed.end(), true) != m_shape.closed.end();
    }
    marker(" fill=\"" + (filled && m_shapeClosed ? svgColour(fill.getColor()) : std::string("none")) + "\"" +
           strokeOf(style, m_lineSize));
    for (std::size_t i = 0; i < m_shape.lines.size(); ++i) {
        const std::vector<double>& xy = m_shape.lines[i];
        for (std::size_t k = 0; k + 1 < xy.size(); k += 2) {
            d += k == 0 ? 'M' : 'L';
            appendNumber(d, px + xy[k]);
            d += ' ';
            appendNumber(d, py + xy[k + 1]);
        }
        if (m_shape.closed[i]) d += 'Z';
    }
}

void SvgPort::drawBox(const TwoDPoint<float>& corner1, const TwoDPoint<float>& corner2, const GraphicsStyle& outline,
                      const GraphicsStyle& fill, bool, bool filled) {
    const double x0 = x(corner1.x()), y0 = y(corner1.y()), x1 = x(corner2.x()), y1 = y(corner2.y());
    element("<rect x=\"" + number(std::min(x0, x1)) + "\" y=\"" + number(std::min(y0, y1)) + "\" width=\"" +
            number(std::fabs(x1 - x0)) + "\" height=\"" + number(std::fabs(y1 - y0)) + "\" fill=\"" +
            (filled ? svgColour(fill.getColor()) : std::string("none")) + "\"" + strokeOf(outline, m_scale) + "/>");
}

void SvgPort::setFont(const std::string& face, int) {
    // Arial's metrics, from a free face that keeps them.
    m_face = (face == "Arial" || face.empty()) ? std::string("Liberation Sans") : face;
}

void SvgPort::drawText(const std::string& text, const TwoDPoint<float>& at, int anchor, const GraphicsStyle& style,
                       int size) {
    if (text.empty()) return;
    const double px = (size > 0 ? size : Default_Text_Size) * Text_Scale * m_scale;
    const char* align = anchor == 2 ? "middle" : anchor == 4 ? "end" : "start";
    element("<text x=\"" + number(x(at.x())) + "\" y=\"" + number(y(at.y())) + "\" font-family=\"" +
            svgEscape(m_face) + ", Arial, sans-serif\" font-size=\"" + number(px) + "\" text-anchor=\"" + align +
            "\" fill=\"" + svgColour(style.getColor()) + "\">" + svgEscape(text) + "</text>");
}

std::string SvgPort::svg() {
    flushMarkers();
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                      number(m_width) + "\" height=\"" + number(m_height) + "\" viewBox=\"0 0 " + number(m_width) +
                      " " + number(m_height) + "\" stroke-linecap=\"butt\" stroke-linejoin=\"bevel\">\n";
    out += m_body;
    for (int k = 0; k < m_open; ++k) out += "</g>\n";
    out += "</svg>\n";
    return out;
}

}  // namespace qzCore
