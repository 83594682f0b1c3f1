// The pictures of a dataset drawn onto any graphics port: a stereonet
// (with density contours and analyses drawn over it), a rose diagram and a
// tangent plot, with the decorations our hosts draw for print (the count
// of records, the key, the colour bar, ring labels: plot/FigureDecorations.h).
// The port's owner makes the canvas (ports/cairo's CairoFigure, Python's
// matplotlib port) and gives the plot's place on it.
//
// Example:
//
//     qzCore::CairoFigure figure(qzCore::CairoPort::Format::Png, 400, "Bedding", true);
//     qzCore::facade::StereonetParams p;
//     p.contours = qzCore::facade::DensityParams{};
//     qzCore::facade::drawStereonet(ds, p, figure.port(), figure.plotSize());
#ifndef QZCORE_FACADE_PICTURES_H
#define QZCORE_FACADE_PICTURES_H

#include "qzCore/Export.h"

#include <optional>
#include <string>
#include <vector>

#include "qzCore/analysis/Kinematics.h"
#include "qzCore/facade/Analyses.h"
#include "qzCore/facade/Dataset.h"
#include "qzCore/facade/Density.h"
#include "qzCore/plot/FabricDiagram.h"
#include "qzCore/plot/PlotSize.h"
#include "qzCore/shared/Graphics.h"

namespace qzCore {
namespace facade {

/// A small circle: the cone of half-angle `angle_deg` (0-90) about an axis.
struct QZCORE_EXPORT ConeParams {
    Direction axis;
    double angle_deg = 0.0;
};

/// A rock-slope kinematic test drawn over a stereonet (Kinematics.h).
struct QZCORE_EXPORT KinematicOverlay {
    /// "planar" or "flexural" (over poles: draw planes as poles),
    /// "wedge" or "direct" (over lines of intersection); "" none.
    std::string test;
    SlopeFace face;
};

/// The stress of the faults drawn over a stereonet (analysis stress()).
struct QZCORE_EXPORT StressOverlay {
    /// sigma1, sigma2, sigma3 as Angelier's stars (with their bootstrap
    /// axes as dots).
    bool axes = false;
    /// The inversion's settings, as StressParams.
    std::string method = "michael";
    int bootstrap = 0;
    unsigned long seed = 1;
    double maxMisfit = 0.0;
    bool refine = true;
};

/// A stereonet.
struct QZCORE_EXPORT StereonetParams {
    /// "equal-area" (Schmidt) or "equal-angle" (Wulff).
    std::string projection = "equal-area";
    /// "lower" or "upper".
    std::string hemisphere = "lower";
    /// Planes and fault planes as "great-circles" or "poles".
    std::string planes = "great-circles";
    /// The 10-degree net.
    bool net = false;
    /// Arrows on the slip lines of faults (the hanging wall's movement).
    bool slipArrows = true;
    /// Density contours of the records.
    std::optional<DensityParams> contours;
    /// Analyses drawn over the data: the Fisher mean and its cone, the
    /// best-fit girdle and its pole, the faults' P and T axes.
    bool fisher = false, bestFit = false, pt = false;
    /// Ring the densest direction with its value (with contours).
    bool markMaximum = false;
    /// The key of the symbols.
    bool key = true;
    /// Great circles traced exactly, for vector outputs.
    bool exactGreatCircles = false;
    /// Small circles about any axes (boreholes, fold axes, friction).
    std::vector<ConeParams> cones;
    /// A kinematic test's zones and construction lines (none while its
    /// test is "").
    KinematicOverlay kinematic;
    /// "set": each record in the colour of its set (the attributes set1,
    /// set2, ... that markSets gives, as qz analyse sets --write-sets
    /// saves them), records of no set grey; "misfit": each fault by its
    /// misfit to the stress (`stress`'s settings) in four classes, faults
    /// left out grey; "slip-tendency", "dilation-tendency": planes by
    /// their tendency (`tendency`); "" the kinds' colours.
    std::string colourBy;
    /// The stress of the faults.
    StressOverlay stress;
    /// With colourBy "slip-tendency" (normalised) or "dilation-tendency":
    /// the stress and magnitudes; planes in five classes of 0.2.
    TendencyParams tendency;
    /// Right dihedra of the faults, shaded and contoured under the data.
    bool dihedra = false;
};

/// What drawing a picture has to say.
struct QZCORE_EXPORT Drawn {
    /// Records drawn (a fault once; results not counted).
    int records = 0;
    /// Things the user should know, each one sentence ("" none): how the
    /// levels were chosen, what an overlay left out, why there are no
    /// contours.
    std::string levelsNote, overlayNote, contoursNote;
    /// The densest direction (with markMaximum and contours drawn).
    std::optional<DensityGrid> density;
};

/// Checks the parameters, as drawing does first.  @throw Refused naming
/// the one out of its table or range.
QZCORE_EXPORT void check(const StereonetParams& params);

/// @throw Refused for a parameter out of its table; Failed (of "fisher",
/// "bestfit" or "pt") when an analysis drawn over it finds nothing, or
/// the library's code when the plot cannot be finished.
QZCORE_EXPORT Drawn drawStereonet(Dataset& ds, const StereonetParams& params, GraphicsPort& port, const PlotSize& size);

/// A rose diagram.
struct QZCORE_EXPORT RoseParams {
    /// "strike", "dip-direction" or "trend"; "": strikes when the data
    /// hold planes, else trends.
    std::string of;
    /// Degrees a class, a divisor of 360.
    int classSize = 10;
    /// Azimuth of the first class's start, 0-359.
    int classStart = 0;
    /// Each datum at both ends (axes); empty: for strikes only.
    std::optional<bool> bidirectional;
    /// "area" (petal area by frequency) or "linear".
    std::string scaling = "area";
    /// One outline through the classes' middles instead of petals.
    bool outline = false;
    /// Counts smoothed over a window of this many degrees, 1-360; 0 none.
    int runningAverage = 0;
    /// The resultant direction.
    bool resultant = true;
};

struct QZCORE_EXPORT RoseDrawn {
    /// What the azimuths are ("strike", "dip-direction", "trend").
    std::string of;
    /// Azimuths drawn, and records without one (a line among strikes).
    int count = 0, leftOut = 0;
    /// Planar records and records with a trend, in the data.
    int planes = 0, lines = 0;
    /// The resultant's azimuth (degrees), length r (0-1) and angular
    /// deviation (degrees); empty when the directions cancel.
    std::optional<double> resultant_deg;
    double resultantLength = 0.0, angularDeviation_deg = 0.0;
};
QZCORE_EXPORT void check(const RoseParams& params);
/// @throw Refused for a parameter out of its range.
QZCORE_EXPORT RoseDrawn drawRose(Dataset& ds, const RoseParams& params, GraphicsPort& port, const PlotSize& size);

/// A tangent plot (lines at tan(plunge)/tan(65) from the centre).
struct QZCORE_EXPORT TangentParams {
    /// Planes as "dip-vectors" or "poles".
    std::string planes = "dip-vectors";
};
struct QZCORE_EXPORT TangentDrawn {
    int records = 0;
    /// Points plunging more than 65 degrees, beyond the circle.
    int offPicture = 0;
};
QZCORE_EXPORT void check(const TangentParams& params);
QZCORE_EXPORT TangentDrawn drawTangent(Dataset& ds, const TangentParams& params, GraphicsPort& port, const PlotSize& size);

/// A fabric-shape diagram (plot/FabricDiagram.h) of several datasets.
struct QZCORE_EXPORT FabricParams {
    /// "woodcock" (ln(S2/S3) against ln(S1/S2)) or "vollmer" (the P, G, R
    /// triangle).
    std::string kind = "woodcock";
};
struct QZCORE_EXPORT FabricDrawn {
    int fabrics = 0;
    /// Datasets without a place on the diagram (a zero eigenvalue).
    std::vector<std::string> leftOff;
};
QZCORE_EXPORT void check(const FabricParams& params);
/// Each (label, shape) as a marker in the key; the shapes from
/// tensor(...).shape.
QZCORE_EXPORT FabricDrawn drawFabric(const std::vector<FabricPoint>& fabrics, const FabricParams& params,
                                     GraphicsPort& port);

/// Mohr's diagram of the faults under the stress found (the reduced
/// tensor, Phi's three circles, faults coloured by misfit), and the
/// histogram of their misfits (plot/StressDiagrams.h).
QZCORE_EXPORT void drawMohr(const StressResult& stress, GraphicsPort& port);
QZCORE_EXPORT void drawMisfits(const StressResult& stress, GraphicsPort& port);

}  // namespace facade
}  // namespace qzCore

#endif  // QZCORE_FACADE_PICTURES_H
