// Colours and symbols of plotted kinds of data: value types that plot
// parameters and the fault analysis's parameters share (the analysis keeps
// the styles of its results), so they sit below both.
#ifndef QZCORE_SHARED_PLOTSTYLES_H
#define QZCORE_SHARED_PLOTSTYLES_H

#include "qzCore/Export.h"

#include "qzCore/shared/Graphics.h"

namespace qzCore {

/// Window background and text colours.
class QZCORE_EXPORT qzColorHelper {
public:
    qzColorHelper() { reset(); }
    virtual ~qzColorHelper() = default;
    qzColorHelper(const qzColorHelper&) = default;
    qzColorHelper& operator=(const qzColorHelper&) = default;
    /// White background, red text.
    virtual void reset();
    RGBColor windowBackground;
    RGBColor text;
};

/// The colours of a plot and of each kind of data.
class QZCORE_EXPORT PlotColors : public qzColorHelper {
public:
    PlotColors() { reset(); }
    void reset() override;
    /// Every colour to one.
    void setAll(const RGBColor& c);
    friend bool operator==(const PlotColors& a, const PlotColors& b);

    RGBColor plotBackground, plotFrame, fault, lineation, line, plane, special, highlight;
};

/// The symbol and size of each kind of data.
class QZCORE_EXPORT PlotSymbols {
public:
    PlotSymbols() { reset(); }
    /// Symbols and sizes: fault 2/3, highlight 7/5, line 3/3, lineation 0/3,
    /// plane 6/3, special 1/5.
    void reset();
    friend bool operator==(const PlotSymbols& a, const PlotSymbols& b);

    GraphicsStyle fault, highlight, line, lineation, plane, special;
};

}  // namespace qzCore

#endif  // QZCORE_SHARED_PLOTSTYLES_H
