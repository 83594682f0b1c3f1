// Analyses drawn over a stereonet, as qz and the Python module draw them:
// the Fisher mean of planes (as poles), fault planes and lines with its 95%
// cone; the best-fit girdle of the same with its pole; the P and T axes of
// the faults; small circles (cones) about any axis; a rock-slope kinematic
// test's zones and construction lines; and the rows of a key of their
// symbols (FigureDecorations.h draws it).
#ifndef QZCORE_PLOT_STEREONETOVERLAYS_H
#define QZCORE_PLOT_STEREONETOVERLAYS_H

#include "qzCore/Export.h"

#include <array>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "qzCore/analysis/Kinematics.h"
#include "qzCore/analysis/Paleostress.h"
#include "qzCore/plot/FigureDecorations.h"
#include "qzCore/plot/StereoPlotCore.h"

namespace qzCore {

class Data;

/// Which kinematic test a stereonet shows: planar sliding and flexural
/// toppling over poles, wedge sliding and direct toppling over lines of
/// intersection (and the poles of basal planes).
enum class KinematicTest { Planar, Wedge, Flexural, Direct };

class QZCORE_EXPORT StereonetOverlays {
public:
    /// Overlays of `data`'s records on `plot` (which keeps the results).
    StereonetOverlays(StereoPlotCore& plot, const Data& data);

    /// Each puts its results into the plot, before the plot is drawn: 1, or
    /// the analysis's error code.  A Fisher mean without a cone (too few
    /// data, too much spread) is drawn alone and note() says so; P and T
    /// need at least one fault with a usable sense of slip
    /// (Error::No_Data_To_Analyse otherwise).
    int addFisher();
    int addBestFit();
    int addPTAxes();
    /// The cone of half-angle `angle` (degrees, 0-90) about the axis
    /// (trend, plunge): a small circle, both nappes (an axis and its
    /// opposite), in the plot's projection and hemisphere.
    void addCone(double trend, double plunge, double angle);
    /// The test's zones, shaded under the data (the main zone red, the
    /// secondary yellow), and its construction lines over them: the face's
    /// great circle, the friction cone, the daylight envelope or the
    /// slip-limit or friction plane, the lateral limits.
    void addKinematic(const SlopeFace& face, KinematicTest test);
    /// The principal stresses as Angelier draws them, five-, four- and
    /// three-branch stars for sigma1, sigma2 and sigma3 (red, green, blue),
    /// over their bootstrap axes as small dots of the same colours.
    void addStressAxes(const std::array<Axis, 3>& axes, const std::array<std::vector<Axis>, 3>& samples);
    /// Right dihedra of the faults: the share of faults compressional at
    /// each node of the plot's grid (in its projection), shaded in greys
    /// from 50% up and contoured every 10%, under the data.
    void addDihedra(const std::vector<FaultSlip>& faults, int grid = 251);
    /// After the plot is drawn: the cones and lines.
    void drawOnPort(GraphicsPort& port) const;
    /// A key row for each overlay added.
    const std::vector<KeyEntry>& key() const { return m_key; }
    /// What the user should know ("" when nothing).
    const std::string& note() const { return m_note; }

private:
    struct Cone {
        TwoDPoint<float> axis;
        double angle;
        GraphicsStyle style;
    };
    /// A predicate on the plotted (lower-hemisphere) direction.
    using Zone = std::function<bool(double trend, double plunge)>;
    void shade(const Zone& zone, const GraphicsStyle& style, const std::vector<double>& edges) const;
    void drawConstruction() const;
    void drawStars() const;
    /// Adds a drawing under the data (kinematic zones, dihedra).
    void underlay(std::function<void()> draw);
    StereoPlotCore& m_plot;
    std::deque<GeoData*> m_records;
    std::vector<Cone> m_cones;
    /// Construction lines: great circles (dip direction, dip) and radial
    /// lines (azimuths).
    std::vector<std::pair<double, double>> m_greatCircles;
    std::vector<double> m_radials;
    std::array<Axis, 3> m_stress{};
    std::array<std::vector<Axis>, 3> m_samples;
    bool m_hasStress = false;
    std::vector<std::function<void()>> m_underlays;
    std::vector<KeyEntry> m_key;
    std::string m_note;
};

}  // namespace qzCore

#endif  // QZCORE_PLOT_STEREONETOVERLAYS_H
