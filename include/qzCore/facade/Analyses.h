// The analyses of a dataset, each with a parameter struct and a result
// struct, and one table of them by name (what `qz analyse` and the
// Python module offer).
//
// Conventions: directions are (trend, plunge) in degrees, trend 0-360
// clockwise from north, plunge 0-90 down; planes by right-hand-rule strike
// and dip.  Planes enter an analysis as their poles; the planes and slip
// lines of faults only when `use` says so.  Directions are averaged as
// vectors unless said otherwise (FisherParams::axial).  A value an
// analysis cannot define (the 95% cone of two directions, a misfit
// without a slip line) is an empty std::optional, never NaN.
//
// Each analysis throws Refused for a parameter out of range and Failed
// (with the library's code, Error::No_Data_To_Analyse and the like, and a
// hint) when the data hold nothing it takes.
//
// Example:
//
//     auto ds = qzCore::facade::Dataset::read("planes.txt");
//     qzCore::facade::FisherResult f = qzCore::facade::fisher(ds, {});
//     std::printf("%.1f/%.1f k=%.1f\n", f.mean.trend_deg, f.mean.plunge_deg, f.k);
#ifndef QZCORE_FACADE_ANALYSES_H
#define QZCORE_FACADE_ANALYSES_H

#include "qzCore/Export.h"

#include <array>
#include <list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "qzCore/analysis/Clusters.h"
#include "qzCore/analysis/FabricShape.h"
#include "qzCore/analysis/Kinematics.h"
#include "qzCore/facade/Dataset.h"
#include "qzCore/facade/Density.h"
#include "qzCore/records/GeoData.h"
#include "qzCore/shared/Grid.h"

namespace qzCore {
namespace facade {

/// What every analysis takes beside its own parameters.
struct QZCORE_EXPORT Selection {
    /// Take the planes of faults (as poles).
    bool faultPlanes = false;
    /// Take the slip lines of faults.
    bool slipLines = false;
    /// Label of the result records.
    std::string label;
    /// The tab-separated report of the analysis written to this file; ""
    /// for none.
    std::string reportPath;
};

/// What every result holds beside its own values.
struct QZCORE_EXPORT Outcome {
    /// Records analysed.
    int n = 0;
    /// The library's result text (lines ending in LF).
    std::string text;
    /// Result records (the mean, the axes, ...) a stereonet can draw and
    /// a file can keep.
    std::list<SpecialData> records;
    /// Things the user should know (each one sentence).
    std::vector<std::string> warnings;
};

/// Fisher (1953) statistics.
struct QZCORE_EXPORT FisherParams : Selection {
    /// Average as axes: each direction first turned to the principal
    /// axis's side, for directions that straddle the horizontal.
    bool axial = false;
    /// Terzaghi's (1965) weighting for a line of observation (scanline,
    /// borehole).
    std::optional<Direction> compensate;
};
struct QZCORE_EXPORT FisherResult : Outcome {
    Direction mean;
    /// The mean as the pole of a plane.
    double strike_deg = 0.0, dip_deg = 0.0;
    /// Resultant length, precision k, angular standard deviation, spread.
    double R = 0.0, k = 0.0, delta_deg = 0.0, spread_deg = 0.0;
    /// 95% confidence cone; empty when undefined (fewer than three, or k
    /// too small).
    std::optional<double> cone95_deg;
};
QZCORE_EXPORT FisherResult fisher(Dataset& ds, const FisherParams& params);

/// The orientation tensor's eigenvalues (largest first, summing to n)
/// and eigenvectors (Scheidegger 1965; Woodcock 1977).
struct QZCORE_EXPORT TensorResult : Outcome {
    std::array<double, 3> eigenvalues{};
    std::array<Direction, 3> axes{};
    /// Woodcock's and Vollmer's shape and strength of the fabric.
    FabricShape shape;
};
QZCORE_EXPORT TensorResult tensor(Dataset& ds, const Selection& params);

/// The great circle that best fits the poles and lines, and its pole (a
/// fold axis), whole degrees.
struct QZCORE_EXPORT BestFitResult : Outcome {
    Direction axis;
    double strike_deg = 0.0, dip_deg = 0.0;
};
QZCORE_EXPORT BestFitResult bestFit(Dataset& ds, const Selection& params);

/// T and L axes of planes: the directions of most and least change.
struct QZCORE_EXPORT TLResult : Outcome {
    Direction t, l;
};
QZCORE_EXPORT TLResult tAndL(Dataset& ds, const Selection& params);

/// P and T axes of each fault on its own (planes, slip lines and senses).
struct QZCORE_EXPORT FaultAxes {
    /// Index of the fault among the dataset's records.
    std::size_t record = 0;
    int strike_deg = 0, dip_deg = 0;
    std::optional<Direction> slipLine;
    /// The sense's short name ("Norm", "Rev", ...); "" for none.
    std::string sense;
    std::optional<Direction> p, t;
    /// Angle between the slip line and the plane; lines up to
    /// Analyzer::Max_Slip_Misfit off are projected onto it.
    std::optional<double> misfit_deg;
    /// Why the fault has no axes; "" when it has.
    std::string skipped;
};
struct QZCORE_EXPORT PTResult : Outcome {
    std::vector<FaultAxes> faults;
};
/// @throw Failed when no fault gives axes.
QZCORE_EXPORT PTResult ptAxes(Dataset& ds, const Selection& params);

/// The axis least squares finds (Charlesworth et al. 1976): by grid
/// search, or by differential evolution.
struct QZCORE_EXPORT LeastSquaresParams : Selection {
    bool differentialEvolution = false;
    /// Seed of the evolution; 0 takes the clock.
    long seed = 0;
    /// Generations of the evolution, 1-100000.
    int generations = 1000;
    /// Let the evolution report each generation through the message
    /// handler.
    bool progress = false;
};
struct QZCORE_EXPORT AxisResult : Outcome {
    Direction axis;
};
QZCORE_EXPORT AxisResult leastSquares(Dataset& ds, const LeastSquaresParams& params);
/// The line of intersection of exactly two planes, whole degrees.
QZCORE_EXPORT AxisResult intersection(Dataset& ds, const Selection& params);
/// The acute angle between exactly two lines or two planes.
struct QZCORE_EXPORT AngleResult : Outcome {
    double angle_deg = 0.0;
};
QZCORE_EXPORT AngleResult angleBetween(Dataset& ds, const Selection& params);

/// Sets of the records as axes (Clusters.h), through Analyzer::Analyze.
struct QZCORE_EXPORT SetsParams : Selection {
    /// Sets wanted, 1 to ClusterOptions::Max_Sets; 0: chosen by the
    /// simplified silhouette among 2 to ClusterOptions::Max_Auto_Sets.
    int sets = 0;
    /// Seed of the k-means++ starts (the same seed, the same sets).
    unsigned long seed = 1;
    /// Refinement iterations of each start, 1 to 1000.
    int iterations = 10;
    /// Hammah and Curran's fuzzy k-means.
    bool fuzzy = false;
};
struct QZCORE_EXPORT SetsResult : Outcome {
    /// Each set's mean axis (largest set first), count, Fisher k and cone.
    std::vector<AxisSet> means;
    /// The set (0-based) of each record of the dataset, in order; -1 for
    /// a record the analysis does not take.
    std::vector<int> labels;
    /// The mean simplified silhouette of the sets (-1 to 1).
    double silhouette = 0.0;
};
/// @throw Refused for sets or iterations out of range.
QZCORE_EXPORT SetsResult sets(Dataset& ds, const SetsParams& params);
/// Gives each record of a set the attribute "set1", "set2", ... (created;
/// one already there is emptied first), so files that keep attributes
/// keep the sets, `qz subset --attribute set2` selects one and a
/// stereonet can colour by them.  @throw Failed when the dataset has no
/// room for the attributes (32 at most).
QZCORE_EXPORT void markSets(Dataset& ds, const SetsResult& sets);

/// Rock-slope kinematics of the planes (Kinematics.h): planar sliding,
/// wedge sliding, flexural and direct toppling for one slope face.
struct QZCORE_EXPORT KinematicParams : Selection {
    /// The face (dip direction/dip), friction angle, lateral limits.
    SlopeFace face;
    /// Wedges and direct toppling from the lines of intersection of the
    /// means of this many sets of the planes (k-means of their poles, the
    /// seed below) besides every pair of planes; 0 none.
    int wedgeSets = 0;
    unsigned long seed = 1;
};
struct QZCORE_EXPORT KinematicResult : Outcome {
    /// The counts (its per-plane lists moved to the record lists below).
    KinematicTally tally;
    /// For each record of the dataset, in order (None for a record that is
    /// not a plane taken): its zone of each test and the main-zone wedges
    /// it forms.
    std::vector<KinematicZone> planar, flexural, basal;
    std::vector<std::uint32_t> wedges;
    /// With wedgeSets: the sets' means (poles) and the lines of their
    /// pairs, every pair listed whatever its zones.
    std::vector<AxisSet> sets;
    std::vector<CriticalWedge> setPairs;
};
/// Checks a slope face's angles.  @throw Refused naming "slope",
/// "friction" or "lateral-limit".
QZCORE_EXPORT void check(const SlopeFace& face);
/// @throw Refused for an angle out of range ("slope", "friction",
/// "lateral-limit", "wedge-sets"); Failed when the data hold no plane.
QZCORE_EXPORT KinematicResult kinematic(Dataset& ds, const KinematicParams& params);

/// The stress of the faults (Paleostress.h), through Analyzer::Analyze.
struct QZCORE_EXPORT StressParams : Selection {
    /// "michael" (Michael 1984) or "angelier" (after Angelier 1990).
    std::string method = "michael";
    /// Bootstrap samples, 0 to StressOptions::Max_Bootstrap, and the seed.
    int bootstrap = 0;
    unsigned long seed = 1;
    /// Leave out faults misfitting by more than this many degrees and
    /// invert again (0 keeps every fault), 0-180.
    double maxMisfit = 0.0;
    /// Refine the shear magnitudes to a fixed point (false: the published
    /// methods alone).
    bool refine = true;
};
struct QZCORE_EXPORT StressResult : Outcome {
    /// sigma1, sigma2, sigma3 (most compressive first) and Phi.
    std::array<Direction, 3> sigma;
    double phi = 0.0;
    /// Per fault taken, in the dataset's order: its record (0-based), the
    /// misfit angle (degrees), Angelier's upsilon, the normal and shear
    /// stress under the reduced tensor, and whether the misfit rule left
    /// it out.
    std::vector<int> record;
    std::vector<double> misfit, upsilon, normal, shear;
    std::vector<bool> leftOut;
    /// With bootstrap: the 95% cone of each axis (degrees), Phi's 95%
    /// range, and the samples (axes and Phi).
    std::optional<std::array<double, 3>> cone95;
    std::optional<std::pair<double, double>> phiRange;
    std::array<std::vector<Direction>, 3> samples;
    std::vector<double> samplePhi;
};
/// @throw Refused for method, bootstrap or max-misfit out of range; Failed
/// with Error::Too_Few_Faults, Error::Stress_Unconstrained or
/// Error::No_Data_To_Analyse.
QZCORE_EXPORT StressResult stress(Dataset& ds, const StressParams& params);

/// Right dihedra (Angelier and Mechler 1977) on the equal-area net's grid.
struct QZCORE_EXPORT DihedraParams : Selection {
    /// Nodes a side of the grid (DensityGrid.h's layout), 11 to 500.
    int grid = 125;
};
struct QZCORE_EXPORT DihedraResult : Outcome {
    /// Percent of the faults compressional at each node (grid rows north
    /// to south, columns west to east; 0 outside the net).
    Grid<double> values;
    /// The nodes most and least compressional: P and T, and their values.
    Direction p, t;
    double pPercent = 0.0, tPercent = 0.0;
};
QZCORE_EXPORT DihedraResult dihedra(Dataset& ds, const DihedraParams& params);

/// Slip and dilation tendency of the planes (Morris et al. 1996) under a
/// stress of given magnitudes: its axes given, or those found from the
/// data's own faults (stress()).
struct QZCORE_EXPORT TendencyParams : Selection {
    /// The stress from the data's faults, with these settings; otherwise
    /// sigma1 and sigma3 as given (sigma2 at right angles to both).
    bool fromFaults = false;
    StressParams inversion;
    Direction sigma1{0.0, 90.0}, sigma3{0.0, 0.0};
    /// sigma1 >= sigma2 >= sigma3 > 0, compression positive (MPa or any
    /// unit).  From faults, sigma2 is sigma3 + Phi (sigma1 - sigma3) and
    /// the value given for it is not used.
    std::array<double, 3> magnitudes{3.0, 2.0, 1.0};
};
struct QZCORE_EXPORT TendencyResult : Outcome {
    /// Per plane taken (planes, and fault planes with `faultPlanes`), in
    /// the dataset's order: its record (0-based), slip tendency tau /
    /// sigma_n, the same over the largest of the planes (0 to 1), and
    /// dilation tendency (sigma1 - sigma_n) / (sigma1 - sigma3).
    std::vector<int> record;
    std::vector<double> slip, slipNormalised, dilation;
    /// The stress used.
    std::array<Direction, 3> sigma;
    std::array<double, 3> magnitudes{};
};
/// @throw Refused for magnitudes out of order or not positive, or sigma1
/// and sigma3 not at right angles (within a degree); Failed as stress()
/// or when the data hold no plane.
QZCORE_EXPORT TendencyResult tendency(Dataset& ds, const TendencyParams& params);

/// What any analysis of the table takes: the union of the parameters
/// above (each analysis reads its own).
struct QZCORE_EXPORT AnalysisRequest : LeastSquaresParams {
    bool axial = false;
    /// Sets: how many (0 chosen), fuzzy.
    int sets = 0;
    bool fuzzy = false;
    std::optional<Direction> compensate;
    DensityParams density;
    /// Kinematics: the face, friction and limits; sets for wedges.
    SlopeFace face;
    int wedgeSets = 0;
    /// Stress: the method, bootstrap samples, the misfit rule, refinement.
    std::string stressMethod = "michael";
    int bootstrap = 0;
    double maxMisfit = 0.0;
    bool refine = true;
    /// Tendency: the stress given, or from the faults, and its magnitudes.
    bool fromFaults = false;
    Direction sigma1{0.0, 90.0}, sigma3{0.0, 0.0};
    std::array<double, 3> magnitudes{3.0, 2.0, 1.0};
};

/// One analysis of the table.
struct QZCORE_EXPORT AnalysisInfo {
    /// Its name in `qz analyse` and Python.
    const char* name;
    /// One line of help.
    const char* help;
    /// Runs it; the text is what `qz analyse` prints.
    Outcome (*run)(Dataset& ds, const AnalysisRequest& request);
};

/// Every analysis, in the order hosts list them.
QZCORE_EXPORT const std::vector<AnalysisInfo>& analyses();
/// The analysis named `name`, or null.
QZCORE_EXPORT const AnalysisInfo* analysisNamed(const std::string& name);

}  // namespace facade
}  // namespace qzCore

#endif  // QZCORE_FACADE_ANALYSES_H
