// The density of the orientations a stereonet counts, on the square grid
// laid over the net, and why a set-up gives no contours.
//
// Units.  "Kamb" and "Seismic" densities are in multiples of sigma, the
// standard deviation of the count expected from uniformly spread data
// (Kamb 1959): uniform data average s sigma (s, the counting parameter,
// is 3 by default).  "1Percent" densities are in percent of the data per
// one percent of the hemisphere's area: uniform data average 1.
//
// Grid.  G nodes a side over the square that holds the net, in plot units
// x = -1 + 2i/(G - 1) (west to east) and y = 1 - 2j/(G - 1) (north to
// south), node (i, j) stored at row j, column i.  A node outside the net
// holds 0.
//
// Directions are axial: a datum counts near a node when the angle between
// their axes is small, whichever way each points, so a datum near the
// primitive counts on both sides of the net.
#ifndef QZCORE_PLOT_DENSITYGRID_H
#define QZCORE_PLOT_DENSITYGRID_H

#include "qzCore/Export.h"

#include <string>

#include "qzCore/shared/Grid.h"
#include "qzCore/shared/Points.h"

namespace qzCore {

/// How a contouring or density set-up ended.
enum class ContourOutcome : int {
    Drawn = 0,               ///< the density was computed (and contours drawn)
    No_Data,                 ///< nothing counted: no included kind holds a counted point
    Bad_Method,              ///< a counting or smoothing method out of its table
    Bad_Counting_Parameter,  ///< s not a positive finite number
    Bad_Grid,                ///< fewer than 2 or more than Max_Grid_Nodes nodes a side
    Bad_Start,               ///< a start level that is not a finite number
    Bad_Interval,            ///< an interval that is not a positive finite number
    Seismic_Needs_Expon,     ///< "Seismic" counts no area: only "Expon" smooths it
    Below_First_Level,       ///< the densest node lies below the start level
    Too_Many_Levels,         ///< more than Max_Contour_Levels levels up to the maximum
    No_Port                  ///< nothing to draw on (the density itself is fine)
};

/// A short sentence for the user on why there are no contours; "" for
/// Drawn.
QZCORE_EXPORT const char* contourOutcomeText(ContourOutcome outcome);

/// Contour levels for a density whose largest value is `maximum` (sigma or
/// percent), for a host whose user set none: the usual 2, 4, 6, ... when
/// they give one to ten levels; else round numbers (1, 2, 2.5 or 5 times a
/// power of ten) from the interval up, five to ten levels below the
/// maximum.  So a tight cluster of 100,000 data (a maximum of tens of
/// thousands of sigma) is contoured, where 2, 4, 6, ... would be
/// thousands of levels.  False (nothing set) for a maximum that is not a
/// positive finite number.
QZCORE_EXPORT bool chooseContourLevels(double maximum, double& start, double& interval);

/// The density grid and where its maximum lies.
class QZCORE_EXPORT DensityGrid {
public:
    /// Largest grid a side: 500 x 500 nodes take 2 MB and well under a
    /// second; finer grids only cost time.
    static constexpr int Max_Grid_Nodes = 500;

    /// G x G values (see the file comment); empty before a computation.
    Grid<double> values;
    /// True when the values are percentages ("1Percent"), false for
    /// multiples of sigma.
    bool percent = false;
    /// The number of data counted (compensated weights sum to it too).
    double count = 0.0;
    /// The largest value of a node inside the net, the node (row, column)
    /// and its direction (trend 0-360, plunge 0-90 down, degrees, in the
    /// real lower hemisphere whatever the plot shows).
    double maximum = 0.0;
    int maxRow = -1, maxColumn = -1;
    double maxTrend = 0.0, maxPlunge = 0.0;
    /// The densest whole-degree direction near that node and its value:
    /// the answer to "where is the densest pole?" to the degree, not to the
    /// grid spacing.
    double peak = 0.0;
    int peakTrend = 0, peakPlunge = 0;

    int size() const { return int(values.rows()); }
    /// Plot units of node (i, j) (column, row).
    static TwoDPoint<double> nodePosition(int i, int j, int gridSize) {
        const double step = 2.0 / double(gridSize - 1);
        return TwoDPoint<double>(-1.0 + step * i, 1.0 - step * j);
    }
    /// Whether node (i, j) lies within the net (radius 1).
    static bool inside(int i, int j, int gridSize) {
        const TwoDPoint<double> p = nodePosition(i, j, gridSize);
        return p.x() * p.x() + p.y() * p.y() <= 1.0 + 1e-12;
    }
};

}  // namespace qzCore

#endif  // QZCORE_PLOT_DENSITYGRID_H
