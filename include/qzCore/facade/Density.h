// The density of orientations on the lower-hemisphere equal-area net, as
// the hosts ask for it: methods, smoothings and what is counted by name,
// checked once.  Units and the grid: plot/DensityGrid.h.
#ifndef QZCORE_FACADE_DENSITY_H
#define QZCORE_FACADE_DENSITY_H

#include "qzCore/Export.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "qzCore/facade/Dataset.h"
#include "qzCore/plot/ContourParams.h"
#include "qzCore/plot/DensityGrid.h"

namespace qzCore {
namespace facade {

/// How a density is counted and contoured.
struct QZCORE_EXPORT DensityParams {
    /// "kamb" (Kamb 1959), "1percent" (the Schmidt counter) or "seismic".
    std::string method = "kamb";
    /// "none", "linear" (inverse area), "square" (inverse area squared)
    /// or "exp" (Vollmer's 1995 exponential Kamb).
    std::string smoothing = "exp";
    /// Nodes a side of the counting grid, Min_Grid-Max_Grid.
    int grid = 50;
    /// Kamb's counting parameter s (sigma), positive.
    double sigma = 3.0;
    /// What is counted, of "planes", "faults", "lines", "lineations",
    /// "results": the records loaded by default, never analysis results
    /// (drawn over the net or loaded from a file) unless asked for.
    std::vector<std::string> count{"planes", "faults", "lines", "lineations"};
    /// Terzaghi weighting for a line of observation.
    std::optional<Direction> compensate;
    /// First level and interval; empty: chosen from the densest node
    /// (chooseContourLevels).  Not checked here: the engine says why a
    /// pair gives no contours.
    std::optional<std::pair<double, double>> levels;
    /// Fill the areas above each level.
    bool filled = false;
    /// A colour map of colorMaps() for the levels.
    std::string colours = "viridis";

    /// Two nodes a side hold no node inside the net but the centre.
    static constexpr int Min_Grid = 3;
    static constexpr int Max_Grid = DensityGrid::Max_Grid_Nodes;
};

/// The names each choice takes, for help texts.
QZCORE_EXPORT const std::vector<std::string>& densityMethodNames();
QZCORE_EXPORT const std::vector<std::string>& smoothingNames();
QZCORE_EXPORT const std::vector<std::string>& countedKindNames();

/// The contour record of `params`, planes counted at their poles however
/// they are drawn.  @throw Refused naming the field that is wrong.
QZCORE_EXPORT ContourParams contourParams(const DensityParams& params);

/// The density and its densest direction.
struct QZCORE_EXPORT DensityResult {
    DensityGrid grid;
    /// "Densest direction (az, pl) : (t, p)\nDensity : ...\nCounted : ..."
    std::string text;
};

/// The density of the records of `ds`; with a report path, every node
/// inside the net written there (x, y in plot units, trend, plunge,
/// value; tab-separated).  @throw Refused as contourParams; Failed when
/// nothing is counted or the set-up gives no density.
QZCORE_EXPORT DensityResult density(Dataset& ds, const DensityParams& params, const std::string& reportPath = std::string());

}  // namespace facade
}  // namespace qzCore

#endif  // QZCORE_FACADE_DENSITY_H
