// Analyses of orientation data: Fisher statistics, the orientation tensor,
// the best-fit great circle, T and L axes, P and T axes of faults, the
// least-squares axis (grid and differential evolution), intersections and
// angles.
//
// Usage: fill an AnalyzeParams with the records and the analysis type,
// bind it with an AnalyzeResults to an Analyzer and call Analyze(); read
// the error, the headline result, the result text and the result records
// from the AnalyzeResults.
//
// Results are whole degrees: trends 0..359, plunges 0..90 downward.  Lines
// and planes are axial: a mean, an eigenvector or an intersection is the
// downward line of its axis.
#ifndef QZCORE_ANALYSIS_ANALYZER_H
#define QZCORE_ANALYSIS_ANALYZER_H

#include "qzCore/Export.h"

#include <fstream>
#include <utility>
#include <vector>

#include "qzCore/analysis/AnalyzeFaultParams.h"
#include "qzCore/analysis/AnalyzeParams.h"
#include "qzCore/analysis/AnalyzeResults.h"
#include "qzCore/analysis/Paleostress.h"
#include "qzCore/records/GDTypes.h"
#include "qzCore/records/GeoData.h"
#include "qzCore/shared/DESolverParams.h"
#include "qzCore/shared/MyMath.h"
#include "qzCore/shared/Points.h"

namespace qzCore {

class QZCORE_EXPORT Analyzer {
public:
    Analyzer(AnalyzeParams& params, AnalyzeResults& results) : m_params(params), m_results(results) {}

    /// Runs the analysis of the parameters' type.  True once it ran (read
    /// the results' error), false for types 5 and unknown ones.
    bool Analyze();
    void reset() { m_results.reset(); }

    /// The (optionally weighted) mean.  @param r the length of the vector
    /// sum.  @param mean the unrounded mean (x trend, y plunge).
    void computeAveValue(long double& r, TwoDPoint<double>& mean, FisherStatsParams* params);
    /// Mean, K, angular deviation, variance and the 95% confidence cone.
    /// A cone that has no solution (a single datum, or data too spread for
    /// the 95% level) is reported as "undefined".
    void computeFisher(FisherStatsParams* params);
    /// Mean of planes (dip direction, dip) and lines (trend, plunge).
    static bool zolAverageOrientation(const std::vector<OrientedPair>& planes, const std::vector<OrientedPair>& lines,
                                      TwoDPoint<float>& mean);
    /// The same with the planes weighted for a line of observation
    /// (azimuth, plunge).
    static bool zolAverageOrientation(const std::vector<OrientedPair>& planes, const std::vector<OrientedPair>& lines,
                                      const TwoDPoint<float>& compensation, TwoDPoint<float>& mean);
    void computeTensor(TensorParams* params);
    void computeBestFit(bool flag);
    void computeTAndL();
    void computePTAxes();
    /// The P and T axes of one fault, as the result records the analysis
    /// makes; false when it gives none (no usable sense of slip, no slip
    /// line, a slip line more than Max_Slip_Misfit off the plane).
    static bool ptAxesOf(GeoData* fault, SpecialData& p, SpecialData& t);
    /// The angle, degrees 0..90, between a fault's slip line (trend,
    /// plunge) and its plane (strike, dip; right-hand rule): 0 for a line
    /// on the plane, 90 for the plane's own pole.
    static double slipMisfit(int strike, int dip, int trend, int plunge);
    /// Why a fault (its values) gives no P and T axes, in words ("it has
    /// no slip line", "its slip line is 14.0 degrees off its plane (more
    /// than 10.0)", ...); empty when it gives them.
    static std::string whyNoPTAxes(const LightweightDataStruct& fault);
    /// Slip lines up to this far off their plane are taken as written to
    /// the degree: a line on the plane, its trend and plunge each rounded
    /// to a whole degree, misses it by up to about 0.7 degrees.  Beyond it
    /// the P/T listing says the line was projected.
    static constexpr double Rounding_Slip_Misfit = 1.0;
    /// Slip lines further off their plane than this give no P and T axes:
    /// a plane and a slickenline read with a compass carry a few degrees of
    /// error each (about 3, some 4 to 5 combined), so twice that marks a
    /// reading or a column gone wrong, not scatter.  (apsg warns above 20.)
    /// Nearer lines are projected onto the plane first, along the normal,
    /// so P and T lie at 45 degrees to the plane as they must.
    static constexpr double Max_Slip_Misfit = 10.0;
    void analyzeFaults();
    /// The principal stress axes of the fault population: computeStress
    /// with its defaults (Michael's inversion, refined).
    void computeSig123Axes() { computeStress(nullptr); }
    /// The stress of the faults with a usable sense of slip (Paleostress.h):
    /// result records sigma 1, 2 and 3 (Sig 1..3), the text, the values
    /// "phi", "faults", "left_out", "sigmaK_trend", "sigmaK_plunge" (K 1 to
    /// 3) and with bootstrap "sigmaK_cone", "phi_low", "phi_high"; the
    /// series "misfit", "upsilon", "normal", "shear" (per fault taken) and
    /// "record" (its index in the analysed data), and with bootstrap
    /// "boot_sigmaK_trend", "boot_sigmaK_plunge", "boot_phi"; labels per
    /// record: 0 inverted, 1 left out by the misfit rule, -1 not taken.
    /// Errors: Too_Few_Faults, Stress_Unconstrained.
    void computeStress(AnalyzeStressParams* params);
    /// The faults of `data` the stress analyses take, with the index of
    /// each in `data`: a usable sense of slip (as P and T axes need), the
    /// hanging wall's slip projected onto the plane.
    static std::vector<FaultSlip> faultSlips(const std::deque<GeoData*>& data, std::vector<int>& records);
    void computeLeastSquares(LeastSquaresParams* params);
    void computeDE(DESolverParams& params);
    void computeIntersection();
    void computeAngleBetweenObjects();
    /// Sets of the selected directions as axes (Clusters.h): a result
    /// record per set mean (largest set first), the text, the values
    /// "sets", "silhouette" and for set N "setN_trend", "setN_plunge",
    /// "setN_count", "setN_k", "setN_cone" (where defined), and each
    /// record's set (AnalyzeResults::getLabels).  Null parameters: two sets, as the defaults say.
    void computeClusters(AnalyzeClustersParams* params);

    /// Compensation weight factor c of a direction for a line of
    /// observation (Terzaghi): |cos(t - S) cos(p) cos(D) + sin(p) sin(D)|,
    /// the cosine of the angle between them, but never below the cosine of
    /// `limitAngle` (degrees, taken within 0..89): a plane nearly parallel
    /// to a borehole weighs at most 1/cos(limit) (11.5 for 85), and one
    /// exactly parallel to it no less than one nearly so.
    static double compensationCosine(double trend, double plunge, double lineAzimuth, double linePlunge,
                                     double limitAngle = Default_Compensation_Limit);
    /// The limit angle of the compensation weights when none is given (the
    /// default of FisherStatsParams).
    static constexpr double Default_Compensation_Limit = 85.0;
    /// How the P and T axes of a fault are made from its slip line (whole
    /// degrees; the line's trend and plunge as written): 1 when the
    /// hanging wall moves along the line as written (a normal component,
    /// or for a horizontal line sinistral slip towards the line's trend),
    /// 0 when it moves the other way, -1 when the slip sense does not fit
    /// the line (no sense, ambiguous, normal or reverse on a strike-slip
    /// line, lateral on a dip-slip line).  With n the fault's downward
    /// normal and s the line: class 1 has P along n + s and T along n - s;
    /// class 0 the other way round.
    static int slipClass(int strike, int trend, int plunge, char slip);
    /// N - R below N times this: the directions are one (their resultant
    /// differs from N by the rounding of N additions only), and Fisher's
    /// K is undefined (infinite) rather than a rounding error's inverse.
    static constexpr double Identical_Directions_Tolerance = 1e-12;
    /// Cosines below this count as 0: far below the cosine of any angle a
    /// whole-degree reading can make with the line (cos 89.999 is 2e-5).
    static constexpr double Perpendicular_Cosine = 1e-12;
    /// Planes whose poles' cross product is shorter than this are one plane
    /// (no line of intersection): distinct whole-degree planes are at least
    /// a degree apart, a sine of 0.017.
    static constexpr double Parallel_Sine = 1e-9;

private:
    /// One unit vector per accepted record (the common selection rule).
    void computeDirCosList(std::vector<Matrix_1>& out) const;
    void buildValidFaultList(std::vector<FaultData*>& out) const;
    bool openReport(std::ofstream& out) const;
    /// The two records of a two-record analysis; false (error set) otherwise.
    bool twoRecords(const GeoData*& a, const GeoData*& b);
    /// The mean of collected directions (see computeAveValue), each
    /// distinct direction given once with the number of records at it;
    /// `meanVector` receives the unit vector of the sum, which for axial
    /// averaging may point upward.
    void averageOf(const std::vector<const Matrix_1*>& vectors, const std::vector<std::pair<int, int>>& angles,
                   const std::vector<double>& counts, long double& r, TwoDPoint<double>& mean, Matrix_1& meanVector,
                   FisherStatsParams* params);

    AnalyzeParams& m_params;
    AnalyzeResults& m_results;
    MyMath m_math;
};

}  // namespace qzCore

#endif  // QZCORE_ANALYSIS_ANALYZER_H
