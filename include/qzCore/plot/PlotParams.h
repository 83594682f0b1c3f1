// What every plot engine's parameter record holds: colours, size, how
// planes and faults are shown, what the frame shows, the symbols.
#ifndef QZCORE_PLOT_PLOTPARAMS_H
#define QZCORE_PLOT_PLOTPARAMS_H

#include "qzCore/Export.h"

#include "qzCore/plot/PlotDefaults.h"
#include "qzCore/plot/PlotDisplayParams.h"
#include "qzCore/plot/PlotSize.h"
#include "qzCore/shared/PlotStyles.h"

namespace qzCore {

class QZCORE_EXPORT PlotParams {
public:
    PlotParams() = default;
    virtual ~PlotParams() = default;
    PlotParams(const PlotParams&) = default;
    PlotParams& operator=(const PlotParams&) = default;

    /// Every field to its default.
    virtual void reset();
    /// Takes the display record's number-of-points, frame, labels, type and
    /// legend flags and its frame width (not its enable-legend flag).
    void initCommon(const PlotDisplayParams& d);

    const PlotColors& getPlotColors() const { return m_colors; }
    PlotColors& getPlotColors() { return m_colors; }
    void setPlotColors(const PlotColors& c) { m_colors = c; }
    const PlotSize& getPlotSize() const { return m_size; }
    /// False (size kept) for a diameter that is not positive.
    bool setPlotSize(const PlotSize& s);
    Planar_Plot_Style getFaultStyle() const { return m_faultStyle; }
    void setFaultStyle(Planar_Plot_Style s) { m_faultStyle = s; }
    Planar_Plot_Style getPlaneStyle() const { return m_planeStyle; }
    void setPlaneStyle(Planar_Plot_Style s) { m_planeStyle = s; }
    bool getShowDataCount() const { return m_showDataCount; }
    void setShowDataCount(bool on) { m_showDataCount = on; }
    bool getShowPlotFrame() const { return m_showFrame; }
    void setShowPlotFrame(bool on) { m_showFrame = on; }
    bool getShowPlotLabels() const { return m_showLabels; }
    void setShowPlotLabels(bool on) { m_showLabels = on; }
    bool getShowPlotType() const { return m_showType; }
    void setShowPlotType(bool on) { m_showType = on; }
    const PlotSymbols& getPlotSymbols() const { return m_symbols; }
    PlotSymbols& getPlotSymbols() { return m_symbols; }
    void setPlotSymbols(const PlotSymbols& s) { m_symbols = s; }
    /// Device units.
    int getPlotFrameWidth() const { return m_frameWidth; }
    void setPlotFrameWidth(int w) { m_frameWidth = w; }
    bool getShowPlotLegend() const { return m_showLegend; }
    void setShowPlotLegend(bool on) { m_showLegend = on; }
    bool getEnablePlotLegend() const { return m_enableLegend; }
    void setEnablePlotLegend(bool on) { m_enableLegend = on; }

    friend bool operator==(const PlotParams& a, const PlotParams& b);
    friend bool operator!=(const PlotParams& a, const PlotParams& b) { return !(a == b); }

private:
    PlotColors m_colors;
    PlotSize m_size;
    Planar_Plot_Style m_faultStyle = Planar_Great_Circle;
    Planar_Plot_Style m_planeStyle = Planar_Great_Circle;
    bool m_showDataCount = true;
    bool m_showFrame = true;
    bool m_showLabels = true;
    bool m_showType = true;
    PlotSymbols m_symbols;
    int m_frameWidth = 2;
    bool m_showLegend = false;
    bool m_enableLegend = false;
};

}  // namespace qzCore

#endif  // QZCORE_PLOT_PLOTPARAMS_H
