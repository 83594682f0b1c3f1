// What a plot window shows besides the data: mouse tracking, the number of
// points, the frame and its width, the type, labels and legend.
#ifndef QZCORE_PLOT_PLOTDISPLAYPARAMS_H
#define QZCORE_PLOT_PLOTDISPLAYPARAMS_H

#include "qzCore/Export.h"

#include "qzCore/plot/DisplayParams.h"

namespace qzCore {

class QZCORE_EXPORT PlotDisplayParams : public DisplayParams {
public:
    bool getDisplayMouseTracking() const { return m_mouseTracking; }
    void setDisplayMouseTracking(bool on) { m_mouseTracking = on; }
    bool getDisplayNumPoints() const { return m_numPoints; }
    void setDisplayNumPoints(bool on) { m_numPoints = on; }
    bool getDisplayPlotFrame() const { return m_frame; }
    void setDisplayPlotFrame(bool on) { m_frame = on; }
    bool getDisplayPlotType() const { return m_type; }
    void setDisplayPlotType(bool on) { m_type = on; }
    bool getDisplayPlotLabels() const { return m_labels; }
    void setDisplayPlotLabels(bool on) { m_labels = on; }
    /// Device units, 1 to 5.
    int getFrameWidth() const { return m_frameWidth; }
    /// Keeps 1 to 5 and stores 1 for any other value.
    void setFrameWidth(int w) { m_frameWidth = (w >= 1 && w <= 5) ? w : 1; }
    bool getDisplayPlotLegend() const { return m_legend; }
    void setDisplayPlotLegend(bool on) { m_legend = on; }
    bool getEnablePlotLegend() const { return m_enableLegend; }
    void setEnablePlotLegend(bool on) { m_enableLegend = on; }

    friend bool operator==(const PlotDisplayParams& a, const PlotDisplayParams& b) {
        return static_cast<const DisplayParams&>(a) == static_cast<const DisplayParams&>(b) &&
               a.m_mouseTracking == b.m_mouseTracking && a.m_numPoints == b.m_numPoints && a.m_frame == b.m_frame &&
               a.m_type == b.m_type && a.m_labels == b.m_labels && a.m_frameWidth == b.m_frameWidth &&
               a.m_legend == b.m_legend && a.m_enableLegend == b.m_enableLegend;
    }

private:
    bool m_mouseTracking = true;
    bool m_numPoints = true;
    bool m_frame = true;
    bool m_type = true;
    bool m_labels = true;
    int m_frameWidth = 2;
    bool m_legend = false;
    bool m_enableLegend = false;
};

}  // namespace qzCore

#endif  // QZCORE_PLOT_PLOTDISPLAYPARAMS_H
