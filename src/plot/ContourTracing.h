// Contour lines of a density grid on the stereonet, in plot units: traced
// by marching squares, cut at the primitive, joined into paths, and for
// filled contours closed along the primitive.
//
// Every segment runs with the higher values on its left, so a joined path
// runs counter-clockwise round a high and clockwise round a low; the
// areas above a level are then the paths' nonzero winding area.
#ifndef QZCORE_SRC_PLOT_CONTOURTRACING_H
#define QZCORE_SRC_PLOT_CONTOURTRACING_H

#include <list>
#include <vector>

#include "qzCore/shared/Graphics.h"
#include "qzCore/shared/Grid.h"

namespace qzCore {
namespace contouring {

/// The paths of one level over a G x G grid of nodes (row j at y = 1 -
/// 2j/(G - 1), column i at x = -1 + 2i/(G - 1)), cut to the unit circle.
/// A closed path repeats its first point at the end.  A saddle cell is
/// split into the two segments of smaller total length.
void traceLevel(const Grid<double>& grid, double level, const GraphicsStyle& style, std::vector<GraphicsPath>& paths);

/// Boundaries of the area above the level: the closed paths, and the open
/// ones (ends on the primitive) linked along the primitive, each end
/// walking counter-clockwise to the next start; with no open path and
/// `primitiveAbove`, the primitive itself.
void closeAlongPrimitive(const std::vector<GraphicsPath>& paths, bool primitiveAbove, const GraphicsStyle& style,
                         std::list<GraphicsPath>& boundaries);

/// The grid's value at a point of plot units, bilinear between nodes.
double valueAt(const Grid<double>& grid, double x, double y);

}  // namespace contouring
}  // namespace qzCore

#endif  // QZCORE_SRC_PLOT_CONTOURTRACING_H
