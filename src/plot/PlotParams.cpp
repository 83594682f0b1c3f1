// Sizes, parameter records and colours of plots.
#include <cmath>

#include "qzCore/plot/PlotColors.h"
#include "qzCore/plot/PlotParams.h"
#include "qzCore/plot/PlotSize.h"
#include "qzCore/plot/StereoPlotParams.h"
#include "qzCore/shared/MyMath.h"

namespace qzCore {

bool PlotSize::init(float size, int xOffset, int yOffset) {
    // A diameter of 0 or less would put every point on the centre (and one
    // that is not finite nowhere).
    if (!(size > 0.0f) || !std::isfinite(size)) return false;
    m_size = size;
    m_xOffset = xOffset;
    m_yOffset = yOffset;
    m_halfSize = size * 0.5f;
    m_center.init(FloatToInt_Global(xOffset + double(m_halfSize)), FloatToInt_Global(yOffset + double(m_halfSize)));
    return true;
}

void PlotParams::reset() { *this = PlotParams(); }

void PlotParams::initCommon(const PlotDisplayParams& d) {
    m_showDataCount = d.getDisplayNumPoints();
    m_showFrame = d.getDisplayPlotFrame();
    m_showLabels = d.getDisplayPlotLabels();
    m_showType = d.getDisplayPlotType();
    m_showLegend = d.getDisplayPlotLegend();
    m_frameWidth = d.getFrameWidth();
}

bool PlotParams::setPlotSize(const PlotSize& s) {
    if (!(s.getSize() > 0.0f)) return false;
    m_size = s;
    return true;
}

bool operator==(const PlotParams& a, const PlotParams& b) {
    return a.m_colors == b.m_colors && a.m_size == b.m_size && a.m_faultStyle == b.m_faultStyle &&
           a.m_planeStyle == b.m_planeStyle && a.m_showDataCount == b.m_showDataCount &&
           a.m_showFrame == b.m_showFrame && a.m_showLabels == b.m_showLabels && a.m_showType == b.m_showType &&
           a.m_symbols == b.m_symbols && a.m_frameWidth == b.m_frameWidth && a.m_showLegend == b.m_showLegend &&
           a.m_enableLegend == b.m_enableLegend;
}

void StereoPlotParams::reset() {
    PlotParams::reset();
    m_equalArea = true;
    m_net = false;
    m_accurate = false;
    m_lowerHem = true;
    m_slipDir = true;
    setPlotFrameWidth(2);
    setEnablePlotLegend(true);
}

void DataDisplayColors::reset() {
    windowBackground = RGBColor(80, 160, 160);
    text = RGBColor(0, 0, 0);
    header = RGBColor(255, 255, 255);
}

}  // namespace qzCore
