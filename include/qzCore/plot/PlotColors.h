// Colours of the host's data table and of density contours (the plot's own
// colours, PlotColors, are in shared/PlotStyles.h).
#ifndef QZCORE_PLOT_PLOTCOLORS_H
#define QZCORE_PLOT_PLOTCOLORS_H

#include "qzCore/Export.h"

#include "qzCore/shared/Graphics.h"
#include "qzCore/shared/PlotStyles.h"

namespace qzCore {

/// Colours of the data table: background (80, 160, 160), text black,
/// header white.
class QZCORE_EXPORT DataDisplayColors : public qzColorHelper {
public:
    DataDisplayColors() { reset(); }
    void reset() override;
    RGBColor header;
};

/// The colours between which the contour levels are interpolated, lowest
/// level first (blue to red by default).
class QZCORE_EXPORT ContourColors : public qzColorHelper {
public:
    ContourColors()
        : start(ColorHelper::Default_Interpolate_Start_Color), end(ColorHelper::Default_Interpolate_End_Color) {}
    friend bool operator==(const ContourColors& a, const ContourColors& b) {
        return a.windowBackground == b.windowBackground && a.text == b.text && a.start == b.start && a.end == b.end;
    }
    RGBColor start;
    RGBColor end;
};

}  // namespace qzCore

#endif  // QZCORE_PLOT_PLOTCOLORS_H
