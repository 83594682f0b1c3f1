// Density contours of a stereonet, one drawing at a time: counts the
// plotted orientations around each node of a square grid over the net,
// turns the sums into densities (see DensityGrid.h for the units), traces
// the levels by marching squares and draws them as lines, or fills the
// areas above each level.
//
// What is counted: the keys of the stores the record includes, each as a
// line (a pole, a dip vector or a lineation as plotted), once for every
// point at the key.  Planes and faults drawn as great circles are counted
// only when the record says to count them at their poles.
//
// Sampling bias (axis weighting): a plane is weighted by 1/|cos| of the
// angle between its pole and the axis of observation (a scanline or a
// borehole), at most 1/cos of the limit angle; the weights are then
// scaled to sum to the number of planes, so the densities stay on the
// same scale.
//
// Contours reach the primitive: the density continues smoothly beyond it
// (a point outside the net stands for the opposite direction of the
// hemisphere, the same axis), and every contour is cut exactly at the
// circle.  Filled contours are closed along the primitive around the
// denser side, with low areas inside a level left as holes.
#ifndef QZCORE_PLOT_CONTOURGENERATOR_H
#define QZCORE_PLOT_CONTOURGENERATOR_H

#include "qzCore/Export.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "qzCore/plot/ContourParams.h"
#include "qzCore/plot/DensityGrid.h"
#include "qzCore/shared/Graphics.h"

namespace qzCore {

class StereoPlotCore;

class QZCORE_EXPORT ContourGenerator {
public:
    /// Most levels a drawing traces; a start and interval that ask for
    /// more give no contours (the interval is too small for the data).
    static constexpr int Max_Contour_Levels = 100;
    /// Most levels listed for the legend.
    static constexpr int Max_Legend_Levels = 10;

    /// @param levels filled with the levels drawn (at most 10, for the
    /// legend).
    ContourGenerator(const StereoPlotCore* plot, const ContourParams& params, std::vector<ContourInfo>& levels);
    ~ContourGenerator();
    ContourGenerator(const ContourGenerator&) = delete;
    ContourGenerator& operator=(const ContourGenerator&) = delete;

    void setParams(const ContourParams& params);
    /// Counts, traces and draws (lines, or filled areas for closed
    /// contours): prepare, then draw.  True when contours were drawn;
    /// otherwise outcome() says why.
    bool generate(GraphicsPort* port);
    /// Counts and finds the levels (and their colours) without drawing;
    /// true when there is at least one level to draw.
    bool prepare();
    /// Traces and draws the prepared levels; false when nothing was
    /// prepared or there is no port.
    bool draw(GraphicsPort* port);
    /// The density alone, on the grid of the record.
    ContourOutcome computeDensity(DensityGrid& out);
    /// The weighted count around a device point (pixels of the plot), not
    /// normalised: the sum of the kernel over the counted data.  0 before a
    /// density was computed or outside the net.
    double computeValueAtPoint(const TwoDPoint<float>& point) const;
    /// Drops the counted data.
    void cleanup();

    ContourOutcome outcome() const { return m_outcome; }
    /// Why there are no contours, with the numbers: "" after a drawing.
    const std::string& message() const { return m_message; }
    /// The grid of the last computation (empty before one).
    const DensityGrid& density() const { return m_density; }

private:
    struct Cache;
    bool computeCachedData();
    ContourOutcome computeContourParams();
    ContourOutcome computeGridCachedData();
    /// The direction of a point in plot units; false outside the square
    /// the grid covers.
    bool directionOf(double x, double y, std::array<double, 3>& q) const;
    void findPeak();
    void fail(ContourOutcome outcome, const std::string& detail = std::string());
    void reset();

    const StereoPlotCore* m_plot;
    ContourParams m_params;
    std::vector<ContourInfo>& m_levels;
    std::unique_ptr<Cache> m_cache;
    DensityGrid m_density;
    ContourOutcome m_outcome = ContourOutcome::No_Data;
    std::string m_message;
};

}  // namespace qzCore

#endif  // QZCORE_PLOT_CONTOURGENERATOR_H
