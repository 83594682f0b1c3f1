// Drawing types: colours, styles, paths and the abstract graphics port on
// which plots draw.  Plots work in plot units (stereonet and tangent plot:
// radius 1 about (0, 0), x east, y north); the port maps them to its device.
#ifndef QZCORE_SHARED_GRAPHICS_H
#define QZCORE_SHARED_GRAPHICS_H

#include "qzCore/Export.h"

#include <cstdint>
#include <list>
#include <set>
#include <string>
#include <vector>

#include "qzCore/shared/Points.h"

namespace qzCore {

/// A colour of three 0-255 components, or packed as 0xRRGGBB.
class QZCORE_EXPORT RGBColor {
public:
    constexpr RGBColor() = default;
    constexpr RGBColor(int r, int g, int b) : m_r(clamp(r)), m_g(clamp(g)), m_b(clamp(b)) {}
    /// From a packed 0xRRGGBB value (higher bits ignored).
    explicit constexpr RGBColor(unsigned int packed)
        : m_r(int((packed >> 16) & 0xFFu)), m_g(int((packed >> 8) & 0xFFu)), m_b(int(packed & 0xFFu)) {}

    void setRGB(int r, int g, int b) { m_r = clamp(r); m_g = clamp(g); m_b = clamp(b); }
    void setRGB(unsigned int packed) { *this = RGBColor(packed); }
    constexpr int getRed() const { return m_r; }
    constexpr int getGreen() const { return m_g; }
    constexpr int getBlue() const { return m_b; }
    /// Packed 0xRRGGBB.
    constexpr unsigned int getRGB() const {
        return (unsigned(m_r) << 16) | (unsigned(m_g) << 8) | unsigned(m_b);
    }
    /// Black or white, whichever reads better as text on this colour
    /// (by perceived luminance 0.299 R + 0.587 G + 0.114 B against 128).
    RGBColor getOpposingColor() const;

    friend constexpr bool operator==(const RGBColor& a, const RGBColor& b) { return a.getRGB() == b.getRGB(); }
    friend constexpr bool operator!=(const RGBColor& a, const RGBColor& b) { return !(a == b); }

private:
    static constexpr int clamp(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }
    int m_r = 0;
    int m_g = 0;
    int m_b = 0;
};

/// Orders colours by their packed value.
struct QZCORE_EXPORT RGBColorLess {
    bool operator()(const RGBColor& a, const RGBColor& b) const { return a.getRGB() < b.getRGB(); }
};

/// Line or fill style.  The plots use 0 (solid outlines and fills), 2
/// (the net's fine lines), 5 (a filled closed contour) and 7 (a fill with
/// no outline of its own).
enum Graphics_Style : int {
    Style_Solid = 0,
    Style_Dashed = 1,
    Style_Fine = 2,      ///< a fine, faint line: a net's grid
    Style_Dotted = 3,
    Style_Hollow = 4,
    Style_Filled = 5,
    Style_Fill_Only = 7
};

/// Symbol or line size, 0 (smallest) to 9.
enum Graphics_Size : int { Size_Smallest = 0, Size_Default = 3, Size_Larger = 5, Size_Largest = 9 };

/// Plot symbols.  0 to 10 are drawable; 8 marks a point drawn as a great
/// circle and 12 a reserved marker on line-like points.
enum Graphics_Symbol : int {
    Symbol_Dot = 0,
    Symbol_Circle = 1,
    Symbol_Square = 2,
    Symbol_Triangle = 3,
    Symbol_Diamond = 4,
    Symbol_Star = 5,
    Symbol_Cross = 6,
    Symbol_X = 7,
    Symbol_Great_Circle = 8,
    Symbol_Horizontal_Tick = 9,
    Symbol_Vertical_Tick = 10,
    Symbol_Reserved_Marker = 12
};

/// Colour, style, size and symbol of what is drawn.
class QZCORE_EXPORT GraphicsStyle {
public:
    GraphicsStyle() = default;
    GraphicsStyle(const RGBColor& color, Graphics_Style style, Graphics_Size size, Graphics_Symbol symbol)
        : m_color(color), m_style(style), m_size(size), m_symbol(symbol) {}

    const RGBColor& getColor() const { return m_color; }
    Graphics_Style getStyle() const { return m_style; }
    Graphics_Size getSize() const { return m_size; }
    Graphics_Symbol getSymbol() const { return m_symbol; }
    void setColor(const RGBColor& c) { m_color = c; }
    void setStyle(Graphics_Style s) { m_style = s; }
    void setSize(Graphics_Size s) { m_size = s; }
    void setSymbol(Graphics_Symbol s) { m_symbol = s; }
    /// Black, solid, size 1, symbol 0.
    void reset() { *this = GraphicsStyle(); }
    /// One size smaller, but never below 1 (a line of size 0 would vanish).
    Graphics_Size getNextSizeSmaller() const {
        return static_cast<Graphics_Size>(m_size > 1 ? int(m_size) - 1 : 1);
    }

    friend bool operator==(const GraphicsStyle& a, const GraphicsStyle& b) {
        return a.m_color == b.m_color && a.m_style == b.m_style && a.m_size == b.m_size &&
               a.m_symbol == b.m_symbol;
    }
    friend bool operator!=(const GraphicsStyle& a, const GraphicsStyle& b) { return !(a == b); }

private:
    RGBColor m_color;
    Graphics_Style m_style = Style_Solid;
    Graphics_Size m_size = static_cast<Graphics_Size>(1);
    Graphics_Symbol m_symbol = Symbol_Dot;
};

/// Colour ramps.
class QZCORE_EXPORT ColorHelper {
public:
    /// Blue, the colour of the lowest contour.
    static const RGBColor Default_Interpolate_Start_Color;
    /// Red, the colour of the highest contour.
    static const RGBColor Default_Interpolate_End_Color;

    /// Replaces `colors` by exactly n colours evenly spaced from `start` to
    /// `end` (both included when n >= 2; just `start` when n == 1; none when
    /// n < 1), each component rounded to the nearest whole number.
    static void interpolateColors(std::vector<RGBColor>& colors, const RGBColor& start,
                                  const RGBColor& end, int n);
};

/// A polyline in plot units with one style.  Points can be added at either
/// end, so segments can be joined into longer paths.
class QZCORE_EXPORT GraphicsPath {
public:
    explicit GraphicsPath(const GraphicsStyle& style = GraphicsStyle()) : m_style(style) {}
    virtual ~GraphicsPath() = default;
    GraphicsPath(const GraphicsPath&) = default;
    GraphicsPath& operator=(const GraphicsPath&) = default;

    enum Path_Side : int { Path_Start = 0, Path_End = 1 };

    /// Adds a point at the start (side 0) or the end (any other side).
    void add(const TwoDPoint<float>& p, int side);
    /// The first (side 0) or last point; false for an empty path.
    bool getEndPoint(int side, TwoDPoint<float>& p) const;
    /// True when the path has at least three points and its ends coincide
    /// within Close_Tolerance.
    bool closed() const;
    const GraphicsStyle& getStyle() const { return m_style; }
    void setStyle(const GraphicsStyle& s) { m_style = s; }
    std::list<TwoDPoint<float>>& getPoints() { return m_points; }
    const std::list<TwoDPoint<float>>& getPoints() const { return m_points; }
    std::size_t size() const { return m_points.size(); }

    /// Ends closer than this (plot units: a millionth of the primitive's
    /// radius, far below a device pixel) are the same point.
    static constexpr float Close_Tolerance = 1e-6f;

private:
    GraphicsStyle m_style;
    std::list<TwoDPoint<float>> m_points;
};

/// A circle as a path of `segments` chords, starting north and running
/// clockwise, closed.
class QZCORE_EXPORT CircularGraphicsPath : public GraphicsPath {
public:
    CircularGraphicsPath(const TwoDPoint<float>& centre, float radius, int segments,
                         const GraphicsStyle& style = GraphicsStyle());

    /// The point of the circle at `degrees` clockwise from north.  False
    /// when the circle has no points (radius not positive or no segments)
    /// or the angle is not finite.
    bool angleToPoint(double degrees, TwoDPoint<float>& p) const;
    const TwoDPoint<float>& getCentre() const { return m_centre; }
    float getRadius() const { return m_radius; }

private:
    TwoDPoint<float> m_centre;
    float m_radius;
    int m_segments;
};

/// The circle of a plane arc (GraphicsPort::drawPlaneArc): the circle
/// through the primitive at azimuths -rotation and -rotation + 180 and
/// through the dip point at `radius` (plot units) on azimuth -rotation +
/// 90.  False for a radius of 0 or less, whose trace is the straight line
/// through the centre.  @param centre, circleRadius plot units.
QZCORE_EXPORT bool planeArcCircle(float radius, float rotation, TwoDPoint<double>& centre, double& circleRadius);

/// 32-bit mask of plot-state bits.
class QZCORE_EXPORT krtDefaultMaskedBase {
public:
    krtDefaultMaskedBase() = default;
    explicit krtDefaultMaskedBase(std::uint32_t mask) : m_mask(mask) {}
    std::uint32_t getMask() const { return m_mask; }
    void setMask(std::uint32_t m) { m_mask = m; }
    void set(std::uint32_t bits) { m_mask |= bits; }
    void unset(std::uint32_t bits) { m_mask &= ~bits; }
    bool isSet(std::uint32_t bits) const { return (m_mask & bits) != 0; }
    void reset() { m_mask = 0; }
    friend bool operator==(const krtDefaultMaskedBase& a, const krtDefaultMaskedBase& b) {
        return a.m_mask == b.m_mask;
    }

private:
    std::uint32_t m_mask = 0;
};

/// The surface a plot draws on.  Hosts derive from it and implement the
/// virtual drawing operations; the non-virtual ones are common to all ports.
/// Coordinates are plot units unless a port says otherwise.
class QZCORE_EXPORT GraphicsPort {
public:
    /// Text size a port uses when asked for none (points).
    static constexpr int Default_Text_Size = 10;
    /// Gap, in plot units, left between the primitive and ticks or labels.
    static constexpr float Default_Epsilon_Length = 0.02f;

    GraphicsPort() = default;
    virtual ~GraphicsPort() = default;
    GraphicsPort(const GraphicsPort&) = delete;
    GraphicsPort& operator=(const GraphicsPort&) = delete;

    void setName(const std::string& name) { m_name = name; }
    const std::string& getName() const { return m_name; }
    /// The device centre and radius of the plot.
    void setSize(const TwoDPoint<float>& centre, float radius) { m_centre = centre; m_radius = radius; }
    const TwoDPoint<float>& getCentre() const { return m_centre; }
    float getRadius() const { return m_radius; }
    float getEpsilonLength() const { return m_epsilon; }
    void setEpsilonLength(float e) { m_epsilon = e; }

    // Multi-path: loose segments collected, then drawn or joined.
    void openMultiPath();
    void addMultiPathSegment(const TwoDPoint<float>& from, const TwoDPoint<float>& to,
                             const GraphicsStyle& style);
    /// Draws the collected segments: joined into paths (drawPath) when
    /// `join` is set, else one drawLine each; nothing unless `draw`.
    void drawMultiPath(bool draw, bool join);
    /// Joins the collected segments end to end into paths, appended to
    /// `paths`.  Every segment ends up in exactly one path; a path whose
    /// ends meet is closed.  Segments of different styles are not joined.
    void breakMultiPath(std::list<GraphicsPath>& paths) const;
    void destroyMultiPath();
    std::size_t getMultiPathSize() const { return m_segments.size(); }

    // The drawing operations, in this order.
    virtual void setLineSize(int size) = 0;
    virtual void setColorTable(const std::set<RGBColor, RGBColorLess>& colors) = 0;
    virtual void drawArrow(const TwoDPoint<float>& tail, const TwoDPoint<float>& head,
                           const GraphicsStyle& style, float headSize) = 0;
    virtual void beginGroup() = 0;
    virtual void endGroup() = 0;
    /// The trace of a plane as a circular arc (exact in the equal-angle
    /// projection only): through the primitive at the strike and at the
    /// opposite azimuth and through the dip point at `radius` from the
    /// centre; `rotation` is minus the strike, degrees.  A radius of 0 is
    /// the straight line along the strike through the centre.  See
    /// planeArcCircle.
    virtual void drawPlaneArc(float radius, float rotation, const GraphicsStyle& style, bool flag) = 0;
    virtual void applyColorTable() = 0;
    virtual void drawLine(const TwoDPoint<float>& from, const TwoDPoint<float>& to,
                          const GraphicsStyle& style) = 0;
    virtual bool usesColorTable() = 0;
    virtual void drawPath(const GraphicsPath& path, const GraphicsStyle& style, bool fill,
                          bool close, bool smooth) = 0;
    /// A wedge of a circle about `centre` from the point `start` on it,
    /// `sweep` degrees clockwise.
    virtual void drawWedge(const TwoDPoint<float>& centre, const TwoDPoint<float>& start, float radius, float sweep,
                           const GraphicsStyle& fill, const GraphicsStyle& outline, bool flag) = 0;
    virtual void drawSymbol(const TwoDPoint<float>& at, const GraphicsStyle& style, float size,
                            const GraphicsStyle& fill, bool filled) = 0;
    virtual void drawBox(const TwoDPoint<float>& corner1, const TwoDPoint<float>& corner2,
                         const GraphicsStyle& outline, const GraphicsStyle& fill, bool swatch,
                         bool filled) = 0;
    virtual void setFillStyle(const GraphicsStyle& style) = 0;
    virtual void endFill() = 0;
    virtual void endFrame() = 0;
    virtual void setFont(const std::string& face, int size) = 0;
    virtual void drawText(const std::string& text, const TwoDPoint<float>& at, int anchor,
                          const GraphicsStyle& style, int size) = 0;
    /// Fills the area the closed paths bound together, in `style`'s colour
    /// (Style_Fill_Only: no outline): a point is inside when the paths wind
    /// round it a non-zero number of times, so a path running clockwise
    /// inside one running counter-clockwise (plot units, y up) cuts a hole.
    /// Filled density contours use it.  The default fills each path on its
    /// own with drawPath, holes included.
    virtual void fillPaths(const std::list<GraphicsPath>& paths, const GraphicsStyle& style);

    /// Set while a contour legend draws its colour swatches.
    bool swatchFlag = false;

private:
    struct Segment {
        TwoDPoint<float> from;
        TwoDPoint<float> to;
        GraphicsStyle style;
    };

    std::string m_name;
    TwoDPoint<float> m_centre;
    float m_radius = 1.0f;
    float m_epsilon = Default_Epsilon_Length;
    std::vector<Segment> m_segments;
};

}  // namespace qzCore

#endif  // QZCORE_SHARED_GRAPHICS_H
