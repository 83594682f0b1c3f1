// A graphics port that draws with cairo and writes PNG, SVG or PDF: the
// pictures of plots straight to files.  Link qzCore::cairo.
//
// Device units are pixels in a PNG and points (1/72 inch) in an SVG or PDF.
// The plot (radius 1 about (0, 0) in plot units, x east, y north) is
// placed by GraphicsPort::setSize: its centre and radius in device units.
//
// What the port makes of the library's drawing calls:
//  * line sizes, symbol sizes and text sizes are device units times the
//    port's scale (text sizes are point sizes drawn at 1.2 device units a
//    point), except the plot's own circles (a circle or disc centred on
//    the plot, larger than any marker or of a fractional size: the
//    primitive, rose and tangent rings), which are geometry; text is laid
//    out by pango, which takes a glyph the face lacks from another
//    installed font;
//  * symbols (size = half their width): 0 dot (filled), 1 circle, 2 square,
//    3 triangle, 4 diamond, 5 star, 6 cross (+), 7 x, 9 horizontal tick,
//    10 vertical tick; a symbol drawn "filled" is filled with the fill
//    style's colour and outlined in its own;
//  * styles: 0 solid, 1 dashed, 2 fine (half width, faint: a net),
//    3 dotted, 5 filled, 7 fill only (no outline);
//  * text anchors: 1 starts at the point, 2 is centred on it, 4 ends at it,
//    the point on the baseline; the face "Arial" is drawn with Liberation
//    Sans (the same metrics);
//  * a plane arc is the circle through the strike ends and the dip point
//    (planeArcCircle), a straight line for a radius of 0;
//  * an arrow is a line with a filled head whose length is the head size.
#ifndef QZCORE_PORTS_CAIROPORT_H
#define QZCORE_PORTS_CAIROPORT_H

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "qzCore/shared/Graphics.h"

namespace qzCore {

class CairoPort : public GraphicsPort {
public:
    enum class Format { Png, Svg, Pdf };

    /// A picture of width x height device units, filled with `background`.
    CairoPort(double width, double height, Format format, const RGBColor& background = RGBColor(255, 255, 255));
    ~CairoPort() override;

    /// The format a file name's extension names (.png, .svg, .pdf, any
    /// case); false for another.
    static bool formatOf(const std::string& name, Format& format);
    /// Writes the picture to `name`.  @return 1, or -7 ("General file
    /// writing error") when the file could not be written whole.
    int write(const std::string& name);
    /// The picture as bytes of its format (for hosts that keep it in
    /// memory).  Empty when cairo failed.
    std::string bytes();

    double getWidth() const { return m_width; }
    double getHeight() const { return m_height; }

    void setLineSize(int size) override;
    void setColorTable(const std::set<RGBColor, RGBColorLess>&) override {}
    void drawArrow(const TwoDPoint<float>& tail, const TwoDPoint<float>& head, const GraphicsStyle& style,
                   float headSize) override;
    void beginGroup() override {}
    void endGroup() override {}
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

    /// Device units a text point takes.
    static constexpr double Text_Scale = 1.2;
    /// Multiplies every size the library passes (line widths, symbol and
    /// text sizes) by `scale`, so a picture drawn larger or smaller than
    /// the library's 400 units keeps its proportions.  Default 1; a value
    /// that is not a positive number is ignored.
    void setScale(double scale);
    double getScale() const;
    /// How wide `text` is drawn at text size `size`, device units.
    double textWidth(const std::string& text, int size);
    /// Characters of `text` that no installed font can draw (drawn as a
    /// box); 0 when the fallback fonts cover them all.
    int missingGlyphs(const std::string& text);

private:
    double textPixels(int size) const;
    /// Hands the pixels written directly back to cairo before it draws.
    void flush();
    /// Draws a thin solid or fine outline straight into a PNG's pixels;
    /// false (nothing drawn) for another format or style.
    bool rasterOutline(const GraphicsStyle& style, double width, const std::vector<double>& xy, bool closed);

    struct Impl;
    std::unique_ptr<Impl> m_impl;
    double m_width;
    double m_height;
    Format m_format;
};

}  // namespace qzCore

#endif  // QZCORE_PORTS_CAIROPORT_H
