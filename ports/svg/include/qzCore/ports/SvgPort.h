// A graphics port that writes SVG text, with no library behind it: the
// port of the browser build (no cairo there), and of any host that wants
// an SVG document as a string.  It draws what the cairo port draws, the
// same symbols (shared/SymbolShape.h), line styles and text sizes; text
// is left to the viewer's fonts (Liberation Sans, Arial, sans-serif), so
// its widths are the viewer's.
//
// Example:
//
//     qzCore::SvgFigure figure(400, "Bedding", true);
//     qzCore::facade::drawStereonet(ds, {}, figure.port(), figure.plotSize());
//     figure.drawTitle();
//     std::string svg = figure.svg();
#ifndef QZCORE_PORTS_SVGPORT_H
#define QZCORE_PORTS_SVGPORT_H

#include <string>

#include "qzCore/shared/Graphics.h"
#include "qzCore/shared/SymbolShape.h"

namespace qzCore {

class SvgPort : public GraphicsPort {
public:
    /// Text sizes are points at 400 units; pixels are 1.2 of them, as in
    /// the cairo port.
    static constexpr double Text_Scale = 1.2;

    /// A canvas `width` by `height` device units (pixels), painted
    /// `background`.
    SvgPort(double width, double height, const RGBColor& background = RGBColor(255, 255, 255));

    double getWidth() const { return m_width; }
    double getHeight() const { return m_height; }
    /// Device units per unit of the library's sizes (diameter / 400).
    void setScale(double scale);
    double getScale() const { return m_scale; }
    /// The whole document.
    std::string svg();
    /// Elements drawn so far (marks, lines, texts; not groups).  Markers
    /// drawn one after another in one paint are written as one path
    /// element, each marker a subpath, so a net of 100,000 poles is one
    /// element for the browser rather than 100,000 (where markers overlap,
    /// their outlines lie over all their fills); each counts here.
    std::size_t elements() const { return m_elements; }

    void setLineSize(int size) override;
    void setColorTable(const std::set<RGBColor, RGBColorLess>&) override {}
    void drawArrow(const TwoDPoint<float>& tail, const TwoDPoint<float>& head, const GraphicsStyle& style,
                   float headSize) override;
    void beginGroup() override;
    void endGroup() override;
    void drawPlaneArc(float radius, float rotation, const GraphicsStyle& style, bool flag) override;
    void applyColorTable() override {}
    void drawLine(const TwoDPoint<float>& from, const TwoDPoint<float>& to, const GraphicsStyle& style) override;
    bool usesColorTable() override { return false; }
    void drawPath(const GraphicsPath& path, const GraphicsStyle& style, bool fill, bool close, bool smooth) override;
    void drawWedge(const TwoDPoint<float>& centre, const TwoDPoint<float>& start, float radius, float sweep,
                   const GraphicsStyle& fill, const GraphicsStyle& outline, bool filled) override;
    void drawSymbol(const TwoDPoint<float>& at, const GraphicsStyle& style, float size, const GraphicsStyle& fill,
                    bool filled) override;
    void drawBox(const TwoDPoint<float>& corner1, const TwoDPoint<float>& corner2, const GraphicsStyle& outline,
                 const GraphicsStyle& fill, bool swatch, bool filled) override;
    void setFillStyle(const GraphicsStyle&) override {}
    void endFill() override {}
    void endFrame() override {}
    void setFont(const std::string& face, int size) override;
    void drawText(const std::string& text, const TwoDPoint<float>& at, int anchor, const GraphicsStyle& style,
                  int size) override;
    void fillPaths(const std::list<GraphicsPath>& paths, const GraphicsStyle& style) override;

private:
    double x(double px) const;
    double y(double py) const;
    /// stroke, width and dashes of a line in `style`.
    std::string strokeOf(const GraphicsStyle& style, double width) const;
    void element(const std::string& text);
    /// Starts a marker painted with the attributes `paint`: its path is
    /// then appended to m_markerPath.
    void marker(const std::string& paint);
    /// Writes the markers of one paint gathered so far as one path.
    void flushMarkers();

    double m_width, m_height;
    double m_scale = 1.0, m_lineSize = 1.0;
    std::string m_face = "Liberation Sans";
    std::string m_body;
    std::string m_markerPath, m_markerPaint;
    // The last marker outline drawn, about the origin.
    SymbolShape m_shape;
    Graphics_Symbol m_shapeSymbol = Symbol_Dot;
    double m_shapeSize = -1.0;
    bool m_shapeClosed = false;
    std::size_t m_elements = 0;
    int m_open = 0;
};

/// The text of a colour as SVG takes it: "#rrggbb".
std::string svgColour(const RGBColor& c);
/// `text` with &, <, >, " and ' escaped, and bytes that are not UTF-8
/// replaced, for an SVG text node or attribute.
std::string svgEscape(const std::string& text);

}  // namespace qzCore

#endif  // QZCORE_PORTS_SVGPORT_H
