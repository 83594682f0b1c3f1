// The size and place of a plot on its device: the diameter and the
// top-left margin, in device units (pixels for a raster port); the centre
// and radius follow from them.
#ifndef QZCORE_PLOT_PLOTSIZE_H
#define QZCORE_PLOT_PLOTSIZE_H

#include "qzCore/Export.h"

#include "qzCore/plot/PlotDefaults.h"
#include "qzCore/shared/Points.h"

namespace qzCore {

class QZCORE_EXPORT PlotSize {
public:
    /// Diameter 400, margins 22 and 22: centre (222, 222).
    PlotSize() { init(float(qzPlotDefaults::Default_Plot_Size), qzPlotDefaults::Plot_Frame_Offset,
                      qzPlotDefaults::Plot_Frame_Offset); }
    PlotSize(float size, int xOffset, int yOffset) : PlotSize() { init(size, xOffset, yOffset); }

    /// Sets the diameter and the margins; the half size is size / 2 and the
    /// centre (xOffset + half, yOffset + half), rounded to whole units.  A
    /// diameter that is not a positive finite number would give no plot:
    /// it is refused (false) and the old values kept.
    bool init(float size, int xOffset, int yOffset);

    float getSize() const { return m_size; }
    int getXOffset() const { return m_xOffset; }
    int getYOffset() const { return m_yOffset; }
    float getHalfSize() const { return m_halfSize; }
    const TwoDPoint<int>& getPlotCenter() const { return m_center; }

    friend bool operator==(const PlotSize& a, const PlotSize& b) {
        return a.m_size == b.m_size && a.m_xOffset == b.m_xOffset && a.m_yOffset == b.m_yOffset &&
               a.m_halfSize == b.m_halfSize && a.m_center == b.m_center;
    }
    friend bool operator!=(const PlotSize& a, const PlotSize& b) { return !(a == b); }

private:
    float m_size = 0.0f;
    int m_xOffset = 0;
    int m_yOffset = 0;
    float m_halfSize = 0.0f;
    TwoDPoint<int> m_center;
};

}  // namespace qzCore

#endif  // QZCORE_PLOT_PLOTSIZE_H
