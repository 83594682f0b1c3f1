// What our hosts (qz, the Python module) draw around a plot so that it can
// be published: the count of records in words, markers sized for the
// amount of data, a colour bar with every contour level, a key of the
// symbols, the densest direction marked, labelled rings on a rose and a
// tangent plot.  They draw on any port, after the engine has drawn, in
// plot units (radius 1 about the centre); a legend column lies to the right
// of the plot, from x = 1.06 on.
#ifndef QZCORE_PLOT_FIGUREDECORATIONS_H
#define QZCORE_PLOT_FIGUREDECORATIONS_H

#include "qzCore/Export.h"

#include <string>
#include <vector>

#include "qzCore/plot/DensityGrid.h"
#include "qzCore/plot/PlotParams.h"
#include "qzCore/shared/Graphics.h"

namespace qzCore {

class Data;
class RosePlotCore;
class StereoPlotCore;

/// The records of a dataset a reader counts: planes, faults (one record
/// each, plane and slip line together), lines, universal-stage, well-dip
/// and marker records; not analysis results.
QZCORE_EXPORT int countDataRecords(const Data& data);

/// A marker half-width (the port's size units) that keeps `records`
/// points from burying the contours beneath them: 3 up to 100 records, 2 up
/// to 1,000, 1 beyond.
QZCORE_EXPORT Graphics_Size markerSizeFor(int records);

/// Our hosts' styles for a figure of `records` data records: markers sized
/// by markerSizeFor (dots past 1,000 records), and colours that read over any contour colour map and
/// in grey print: planes black, faults dark blue, slip lines red, lines
/// purple, text black.
QZCORE_EXPORT void styleForPrint(PlotParams& params, int records);

/// "Total Data : N" where the engine writes its own count (the engine's is
/// of points: a fault is two there, its plane and its slip line).
QZCORE_EXPORT void drawRecordCount(GraphicsPort& port, const PlotParams& params, int records);

/// One row of a key: a marker (or a line, or an arrow) and its words.
struct QZCORE_EXPORT KeyEntry {
    enum Mark : int { Marker, Line, Arrow, Swatch, Star };
    GraphicsStyle style;
    std::string words;
    Mark mark = Marker;
    /// A Star's branches (Angelier's stress axes: 5, 4, 3).
    int branches = 5;
};

/// The key of what a stereonet shows of `data` (planes as great circles or
/// poles, lines, faults with their slip arrows, universal-stage axes), in
/// the plot's own styles.
QZCORE_EXPORT std::vector<KeyEntry> dataKey(const Data& data, const StereoPlotCore& plot);

/// Draws the key in the legend column, its top row at `top` (plot units);
/// returns the y below its last row.
/// A filled star of `branches` points of radius `size` (plot units) at
/// `at`, one point up.
QZCORE_EXPORT void drawStar(GraphicsPort& port, const TwoDPoint<float>& at, int branches, float size,
                            const GraphicsStyle& style);

QZCORE_EXPORT float drawKey(GraphicsPort& port, const std::vector<KeyEntry>& key, float top);

/// The colour bar of the contours the plot drew: one band per level, every
/// level, lowest at the bottom, each labelled (every k-th when there are
/// more than 12) in sigma or percent; its top at `top`.  Returns the y
/// below it (`top` when there are no contours).
QZCORE_EXPORT float drawColorBar(GraphicsPort& port, const StereoPlotCore& plot, float top);

/// Marks the densest direction of `density` with a ring and its value.
QZCORE_EXPORT void drawMaximum(GraphicsPort& port, const StereoPlotCore& plot, const DensityGrid& density);

/// Percent labels on the rings of a rose (5 rings, as it draws them), and
/// the resultant's length r under the engine's resultant direction and
/// angular deviation.  `largestRadius` is what RosePlotCore::getResults
/// gives.
QZCORE_EXPORT void drawRoseLabels(GraphicsPort& port, const RosePlotCore& rose, float largestRadius);

/// Plunge labels on the rings of a tangent plot (every 15 degrees, 65 on
/// the frame).
QZCORE_EXPORT void drawTangentRingLabels(GraphicsPort& port, const PlotParams& params);

}  // namespace qzCore

#endif  // QZCORE_PLOT_FIGUREDECORATIONS_H
