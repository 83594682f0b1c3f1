// How results handed to a plot as a list are styled, and what an
// interactive entry on a plot does.
#ifndef QZCORE_PLOT_GENERICBASEPLOTPARAMS_H
#define QZCORE_PLOT_GENERICBASEPLOTPARAMS_H

#include "qzCore/Export.h"

#include "qzCore/plot/PlotDefaults.h"
#include "qzCore/shared/Graphics.h"

namespace qzCore {

/// One style for a list of results: red, symbol 7, size 5; plotted as lines.
class QZCORE_EXPORT GenericBasePlotParams {
public:
    GenericBasePlotParams()
        : m_style(RGBColor(255, 0, 0), Style_Solid, Size_Larger, Symbol_X), m_type(Plot_Line) {}
    virtual ~GenericBasePlotParams() = default;
    const GraphicsStyle& getPlotStyle() const { return m_style; }
    void setPlotStyle(const GraphicsStyle& s) { m_style = s; }
    void setColor(const RGBColor& c) { m_style.setColor(c); }
    void setSize(Graphics_Size s) { m_style.setSize(s); }
    void setSymbol(Graphics_Symbol s) { m_style.setSymbol(s); }
    Plot_Data_Type getType() const { return m_type; }
    void setType(Plot_Data_Type t) { m_type = t; }

private:
    GraphicsStyle m_style;
    Plot_Data_Type m_type;
};

class QZCORE_EXPORT InteractivePlotParams : public GenericBasePlotParams {
public:
    bool getAddToPlot() const { return m_addToPlot; }
    void setAddToPlot(bool on) { m_addToPlot = on; }
    bool getIsGreatCircle() const { return m_greatCircle; }
    void setIsGreatCircle(bool on) { m_greatCircle = on; }
    bool getAddToDataset() const { return m_addToDataset; }
    void setAddToDataset(bool on) { m_addToDataset = on; }

private:
    bool m_addToPlot = true;
    bool m_greatCircle = true;
    bool m_addToDataset = false;
};

}  // namespace qzCore

#endif  // QZCORE_PLOT_GENERICBASEPLOTPARAMS_H
