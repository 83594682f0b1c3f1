// Points of the plot stores and of the results a plot hands back.
#ifndef QZCORE_PLOT_PLOTPOINTS_H
#define QZCORE_PLOT_PLOTPOINTS_H

#include "qzCore/Export.h"

#include "qzCore/shared/Graphics.h"
#include "qzCore/shared/Points.h"

namespace qzCore {

/// An orientation in whole degrees (azimuth, plunge), ordered by azimuth
/// and then plunge.
class QZCORE_EXPORT PlotPoint {
public:
    PlotPoint() = default;
    PlotPoint(int azimuth, int plunge) : m_azimuth(azimuth), m_plunge(plunge) {}
    explicit PlotPoint(const TwoDPoint<int>& p) : m_azimuth(p.x()), m_plunge(p.y()) {}
    int getAzimuth() const { return m_azimuth; }
    int getPlunge() const { return m_plunge; }
    friend bool operator==(const PlotPoint& a, const PlotPoint& b) {
        return a.m_azimuth == b.m_azimuth && a.m_plunge == b.m_plunge;
    }
    friend bool operator<(const PlotPoint& a, const PlotPoint& b) {
        return a.m_azimuth != b.m_azimuth ? a.m_azimuth < b.m_azimuth : a.m_plunge < b.m_plunge;
    }

private:
    int m_azimuth = 0;
    int m_plunge = 0;
};

/// One plotted record: its style and its full 32-bit data reference (the
/// dataset id in the top byte, so that its values can be looked up).
class QZCORE_EXPORT DataPlotPoint {
public:
    DataPlotPoint() = default;
    DataPlotPoint(const GraphicsStyle& style, unsigned int ref) : m_style(style), m_ref(ref) {}
    void init(const GraphicsStyle& style, unsigned int ref) {
        m_style = style;
        m_ref = ref;
    }
    const RGBColor& getColor() const { return m_style.getColor(); }
    Graphics_Size getSize() const { return m_style.getSize(); }
    Graphics_Symbol getSymbol() const { return m_style.getSymbol(); }
    Graphics_Style getStyle() const { return m_style.getStyle(); }
    const GraphicsStyle& getCompositeStyle() const { return m_style; }
    unsigned int getDataRef() const { return m_ref; }
    void setColor(const RGBColor& c) { m_style.setColor(c); }
    void setSize(Graphics_Size s) { m_style.setSize(s); }
    void setSymbol(Graphics_Symbol s) { m_style.setSymbol(s); }
    void setStyle(Graphics_Style s) { m_style.setStyle(s); }
    void setCompositeStyle(const GraphicsStyle& s) { m_style = s; }

    friend bool operator==(const DataPlotPoint& a, const DataPlotPoint& b) {
        return a.m_style == b.m_style && a.m_ref == b.m_ref;
    }
    /// By data reference only.
    friend bool operator<(const DataPlotPoint& a, const DataPlotPoint& b) { return a.m_ref < b.m_ref; }

private:
    GraphicsStyle m_style;
    unsigned int m_ref = 0;
};

/// A point a plot hands back: where it lies (plot units) and its style.
class QZCORE_EXPORT qzPlottedPoint {
public:
    qzPlottedPoint() = default;
    qzPlottedPoint(const TwoDPoint<float>& l, const GraphicsStyle& s) : loc(l), style(s) {}
    /// The style's colour, packed 0xRRGGBB.
    int colour() const { return int(style.getColor().getRGB()); }
    friend bool operator==(const qzPlottedPoint& a, const qzPlottedPoint& b) {
        return a.loc == b.loc && a.style == b.style;
    }
    friend bool operator<(const qzPlottedPoint& a, const qzPlottedPoint& b) {
        return a.loc.x() != b.loc.x() ? a.loc.x() < b.loc.x() : a.loc.y() < b.loc.y();
    }

    TwoDPoint<float> loc;
    GraphicsStyle style;
};

}  // namespace qzCore

#endif  // QZCORE_PLOT_PLOTPOINTS_H
