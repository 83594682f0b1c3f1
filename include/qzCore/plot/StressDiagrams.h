// The two diagrams of a stress inversion beside its stereonet: Mohr's
// diagram of the faults under the reduced tensor (sigma1 = 1, sigma3 = 0,
// sigma2 = Phi; compression positive), with the three circles of Phi,
// each fault at its normal and shear stress; and the histogram of the
// faults' misfit angles in 10-degree classes.  Faults are coloured by
// misfit in the classes of the stereonet's faults (under 10, 10 to 20, 20
// to 30, 30 degrees or more; left out grey).  Drawn in plot units.
#ifndef QZCORE_PLOT_STRESSDIAGRAMS_H
#define QZCORE_PLOT_STRESSDIAGRAMS_H

#include "qzCore/Export.h"

#include <vector>

#include "qzCore/plot/FigureDecorations.h"
#include "qzCore/shared/Graphics.h"

namespace qzCore {

/// The colour of a fault of this misfit (degrees), grey when left out.
QZCORE_EXPORT RGBColor misfitColour(double misfit, bool leftOut);

/// The key of the misfit classes in `symbol`'s shape, with "left out"
/// when `anyLeftOut`.
QZCORE_EXPORT std::vector<KeyEntry> misfitKey(const GraphicsStyle& symbol, KeyEntry::Mark mark, bool anyLeftOut);

/// Where (normal, shear) plots on Mohr's diagram, plot units.
QZCORE_EXPORT TwoDPoint<float> mohrPoint(double normal, double shear);

QZCORE_EXPORT void drawMohrDiagram(GraphicsPort& port, double phi, const std::vector<double>& normal,
                                   const std::vector<double>& shear, const std::vector<double>& misfit,
                                   const std::vector<bool>& leftOut);

QZCORE_EXPORT void drawMisfitHistogram(GraphicsPort& port, const std::vector<double>& misfit,
                                       const std::vector<bool>& leftOut);

}  // namespace qzCore

#endif  // QZCORE_PLOT_STRESSDIAGRAMS_H
