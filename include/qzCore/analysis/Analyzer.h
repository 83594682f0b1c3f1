// Analyses of orientation data: Fisher statistics, the orientation tensor,
// the best-fit great circle, T and L axes, P and T axes of faults, the
// least-squares axis (grid and differential evolution), intersections and
// angles.
//
// Usage: fill an AnalyzeParams with the records and the analysis type,
// bind it with an AnalyzeResults to an Analyzer and call Analyze(); read
// the error, the headline result, the result text and the result records
// from the AnalyzeResults.
#ifndef QZCORE_ANALYSIS_ANALYZER_H
#define QZCORE_ANALYSIS_ANALYZER_H

#include <cstdint>
#include <deque>
#include <fstream>
#include <list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "qzCore/plot/PlotStyles.h"
#include "qzCore/records/GDTypes.h"
#include "qzCore/records/GeoData.h"
#include "qzCore/shared/DESolverParams.h"
#include "qzCore/shared/MyMath.h"
#include "qzCore/shared/Points.h"

namespace qzCore {

/// Which analysis Analyzer::Analyze runs.
enum Analyze_Type : std::int32_t {
    Analyze_Fisher = 0,
    Analyze_LeastSquares = 1,
    Analyze_Tensor = 2,
    Analyze_PTAxes = 3,
    Analyze_Nothing_True = 4,
    Analyze_Nothing_False = 5,
    Analyze_Clusters = 6,
    Analyze_BestFit = 7,
    Analyze_BestFit_Alt = 8,
    Analyze_TAndL = 9
};

/// What the headline result of an analysis is.
enum RESULTTYPE : std::int32_t {
    Result_Average = 0,  ///< an orientation from averaging
    Result_Single = 1,   ///< one computed value (pole, line, angle)
    Result_None = 2
};

/// Base of the per-analysis parameter records.
class AnalyzeAlgoParams {
public:
    virtual ~AnalyzeAlgoParams() = default;
    virtual Analyze_Type getType() const = 0;
};

class TensorParams : public AnalyzeAlgoParams {
public:
    Analyze_Type getType() const override { return Analyze_Tensor; }
};

class TAndLParams : public AnalyzeAlgoParams {
public:
    Analyze_Type getType() const override { return Analyze_TAndL; }
};

class AnalyzeClustersParams : public AnalyzeAlgoParams {
public:
    static constexpr int Default_Refine_Iterations = 5;
    Analyze_Type getType() const override { return Analyze_Clusters; }
    bool getShouldRefine() const { return m_refine; }
    void setShouldRefine(bool on) { m_refine = on; }
    int getNumClusters() const { return m_clusters; }
    void setNumClusters(int n) { m_clusters = n; }
    int getMaxRefineIterations() const { return m_iterations; }
    void setMaxRefineIterations(int n) { m_iterations = n; }

private:
    bool m_refine = true;
    int m_clusters = 2;
    int m_iterations = Default_Refine_Iterations;
};

/// Fisher statistics, with optional compensation for the sampling bias of
/// a line of observation (a scanline or borehole) of azimuth `strike` and
/// plunge `dip`.
class FisherStatsParams : public AnalyzeAlgoParams {
public:
    Analyze_Type getType() const override { return Analyze_Fisher; }
    bool getCompensateFisher() const { return m_compensate; }
    void setCompensateFisher(bool on) { m_compensate = on; }
    int getCompensateStrike() const { return m_strike; }
    void setCompensateStrike(int v) { m_strike = v; }
    int getCompensateDip() const { return m_dip; }
    void setCompensateDip(int v) { m_dip = v; }
    int getCompensateAngle() const { return m_angle; }
    void setCompensateAngle(int v) { m_angle = v; }
    /// Takes the line of observation as typed (an azimuth or bearing and a
    /// plunge).  True when both parse; otherwise compensation is turned off.
    bool setParams(const std::string& strike, const std::string& dip, int angle, bool compensate);

private:
    bool m_compensate = false;
    int m_strike = 0;
    int m_dip = 0;
    int m_angle = 85;
};

/// The least-squares axis: grid search or differential evolution.
class LeastSquaresParams : public AnalyzeAlgoParams {
public:
    /// The solver starts with bounds 0..360 (azimuth) and 0..90 (plunge), 2
    /// dimensions, 1000 generations, 40 members, F 0.6 and CR 0.3.
    LeastSquaresParams();
    Analyze_Type getType() const override { return Analyze_LeastSquares; }
    bool getUseBruteForce() const { return m_brute; }
    void setUseBruteForce(bool on) { m_brute = on; }
    bool getUseDESearch() const { return m_de; }
    void setUseDESearch(bool on) { m_de = on; }
    bool getUsePatchSearch() const { return m_patch; }
    void setUsePatchSearch(bool on) { m_patch = on; }
    DESolverParams& getDESolverParams() { return *m_solver; }
    const DESolverParams& getDESolverParams() const { return *m_solver; }

private:
    bool m_brute = false;
    bool m_de = true;
    bool m_patch = false;
    std::unique_ptr<DESolverParams> m_solver;
};

/// The records to analyse, the analysis and the report.
class AnalyzeParams {
public:
    explicit AnalyzeParams(std::deque<GeoData*>& data);
    /// @param faults use fault planes; @param lineations use fault slip lines.
    AnalyzeParams(std::deque<GeoData*>& data, bool faults, bool lineations);
    virtual ~AnalyzeParams() = default;
    AnalyzeParams(const AnalyzeParams&) = delete;
    /// Copies the fault flags, the selected-data flag and the record list.
    AnalyzeParams& operator=(const AnalyzeParams& o);

    virtual bool getComputeSig1() const { return false; }
    virtual bool getComputeSig2() const { return false; }
    virtual bool getComputeSig3() const { return false; }

    std::deque<GeoData*>& getAnalyzeData() const { return *m_data; }
    void setDataList(std::deque<GeoData*>& data) { m_data = &data; }
    bool getAnalyzeFaults() const { return m_faults; }
    void setAnalyzeFaults(bool on) { m_faults = on; }
    bool getAnalyzeLineations() const { return m_lineations; }
    void setAnalyzeLineations(bool on) { m_lineations = on; }
    bool getAnalyzeSelectedData() const { return m_selected; }
    void setAnalyzeSelectedData(bool on) { m_selected = on; }
    Analyze_Type getAnalyzeType() const { return m_type; }
    void setAnalyzeType(Analyze_Type t) { m_type = t; }
    const std::string& getExportFileName() const { return m_exportFile; }
    void setExportFileName(const char* name) { m_exportFile = name ? name : ""; }
    bool getAnalyzeAll() const { return m_all; }
    void setAnalyzeAll(bool on) { m_all = on; }
    bool getAnalyzeLines() const { return m_lines; }
    void setAnalyzeLines(bool on) { m_lines = on; }
    bool getAnalyzePlanes() const { return m_planes; }
    void setAnalyzePlanes(bool on) { m_planes = on; }
    bool getAnalyzeSpecial() const { return m_special; }
    void setAnalyzeSpecial(bool on) { m_special = on; }
    bool getExportToPlot() const { return m_toPlot; }
    void setExportToPlot(bool on) { m_toPlot = on; }
    bool getExportToFile() const { return m_toFile; }
    void setExportToFile(bool on) { m_toFile = on; }
    bool getExportToDisplay() const { return m_toDisplay; }
    void setExportToDisplay(bool on) { m_toDisplay = on; }
    const std::string& getResultLabel() const { return m_label; }
    void setResultLabel(const std::string& l) { m_label = l; }

    AnalyzeAlgoParams* getAnalyzeAlgoParams() const { return m_algo.get(); }
    /// Keeps an owned record of this type, or replaces it by the default
    /// one.  False (no record) for the types that take none (3, 4, 5, 7, 8).
    bool initializeAnalyzeAlgoParams(Analyze_Type type);

private:
    std::deque<GeoData*>* m_data;
    bool m_faults = false;
    bool m_lineations = false;
    bool m_selected = false;
    Analyze_Type m_type = Analyze_Fisher;
    std::string m_exportFile;
    bool m_all = false;
    bool m_lines = false;
    bool m_planes = false;
    bool m_special = false;
    bool m_toPlot = false;
    bool m_toFile = false;
    bool m_toDisplay = false;
    std::unique_ptr<AnalyzeAlgoParams> m_algo;
    std::string m_label;
};

/// Fault analysis settings: which axes, which slip senses, and settings the
/// host keeps with them.
class AnalyzeFaultParams : public AnalyzeParams {
public:
    explicit AnalyzeFaultParams(std::deque<GeoData*>& data);
    void init();

    bool getComputeSig1() const override { return m_sig1; }
    bool getComputeSig2() const override { return m_sig2; }
    bool getComputeSig3() const override { return m_sig3; }
    void setComputeSig1(bool on) { m_sig1 = on; }
    void setComputeSig2(bool on) { m_sig2 = on; }
    void setComputeSig3(bool on) { m_sig3 = on; }
    bool getNormalSlip() const { return m_normal; }
    void setNormalSlip(bool on) { m_normal = on; }
    bool getReverseSlip() const { return m_reverse; }
    void setReverseSlip(bool on) { m_reverse = on; }
    bool getLLSlip() const { return m_ll; }
    void setLLSlip(bool on) { m_ll = on; }
    bool getRLSlip() const { return m_rl; }
    void setRLSlip(bool on) { m_rl = on; }
    bool getIsGraphicalAnalysis() const { return m_graphical; }
    void setIsGraphicalAnalysis(bool on) { m_graphical = on; }
    float getCohesion() const { return m_cohesion; }
    void setCohesion(float v) { m_cohesion = v; }
    float getFriction() const { return m_friction; }
    void setFriction(float v) { m_friction = v; }
    int getMinPercentFit() const { return m_minFit; }
    /// Values of 0 or less store 80.
    void setMinPercentFit(int v) { m_minFit = v > 0 ? v : 80; }
    CONFIDENCE getConfidence() const { return m_confidence; }
    void setConfidence(CONFIDENCE c) { m_confidence = c; }
    int getMaxAngle() const { return m_maxAngle; }
    void setMaxAngle(int v) { m_maxAngle = v; }
    int getSearchIncrement() const { return m_increment; }
    /// Values of 0 or less store 10.
    void setSearchIncrement(int v) { m_increment = v > 0 ? v : 10; }
    int getSig1StartAz() const { return m_sig1Start; }
    int getSig1EndAz() const { return m_sig1End; }
    /// Stores 0 and 360 for a negative value or an end not after the start.
    void setSig1Range(int start, int end);
    const PlotColors& getPlotColors() const { return m_colors; }
    void setPlotColors(const PlotColors& c) { m_colors = c; }
    const PlotSymbols& getPlotSymbols() const { return m_symbols; }
    void setPlotSymbols(const PlotSymbols& s) { m_symbols = s; }

private:
    PlotColors m_colors;
    PlotSymbols m_symbols;
    bool m_sig1 = true, m_sig2 = true, m_sig3 = true;
    bool m_normal = true, m_reverse = true, m_ll = true, m_rl = true;
    bool m_graphical = true;
    float m_cohesion = 0.0f;
    float m_friction = 0.4f;
    int m_minFit = 60;
    CONFIDENCE m_confidence = Confidence_Supposed;
    int m_maxAngle = 20;
    int m_increment = 10;
    int m_sig1Start = 0;
    int m_sig1End = 360;
};

/// Where an analysis leaves its results.
class AnalyzeResults {
public:
    explicit AnalyzeResults(std::list<SpecialData>& results) : m_results(&results) {}

    int getError() const { return m_error; }
    void setError(int e) { m_error = e; }
    bool isError() const { return m_error != 1; }
    std::list<SpecialData>& getResultData() const { return *m_results; }
    void addData(const SpecialData& s) { m_results->push_back(s); }
    const TwoDPoint<int>& getResult() const { return m_result; }
    void setResult(int x, int y) { m_result.init(x, y); }
    void setResult(const TwoDPoint<int>& p) { m_result = p; }
    const std::string& getResultString() const { return m_text; }
    void setResultString(const std::string& s) { m_text = s; }
    void addToResultString(const std::string& s) { m_text += s; }
    RESULTTYPE getResultType() const { return m_type; }
    void setResultType(RESULTTYPE t) { m_type = t; }
    int getNumDataAnalyzed() const { return m_count; }
    void setNumDataAnalyzed(int n) { m_count = n; }
    /// Error 1, no headline result.
    void reset() {
        m_error = 1;
        m_type = Result_None;
    }
    void resetResultData() { m_results->clear(); }

private:
    std::list<SpecialData>* m_results;
    int m_error = 1;
    TwoDPoint<int> m_result;
    std::string m_text;
    RESULTTYPE m_type = Result_None;
    int m_count = 0;
};

class Analyzer {
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
    void analyzeFaults();
    void computeSig123Axes() {}
    void computeLeastSquares(LeastSquaresParams* params);
    void computeDE(DESolverParams& params);
    void computeIntersection();
    void computeAngleBetweenObjects();
    void computeClusters(AnalyzeClustersParams*) {}

    /// Compensation weight factor c of a direction for a line of
    /// observation: |cos(t - S) cos(p) cos(D) + sin(p) sin(D)|, the cosine of
    /// the angle between them (0 taken as 1).
    static double compensationCosine(double trend, double plunge, double lineAzimuth, double linePlunge);
    /// Cosines below this count as 0: far below the cosine of any angle a
    /// whole-degree reading can make with the line (cos 89.999 is 2e-5).
    static constexpr double Perpendicular_Cosine = 1e-12;

private:
    /// One unit vector per accepted record (the common selection rule).
    void computeDirCosList(std::vector<Matrix_1>& out) const;
    void buildValidFaultList(std::vector<FaultData*>& out) const;
    bool openReport(std::ofstream& out) const;
    /// The two records of a two-record analysis; false (error set) otherwise.
    bool twoRecords(const GeoData*& a, const GeoData*& b);
    /// The mean of collected directions (see computeAveValue).
    void averageOf(const std::vector<const Matrix_1*>& vectors, const std::vector<std::pair<int, int>>& angles,
                   long double& r, TwoDPoint<double>& mean, FisherStatsParams* params);

    AnalyzeParams& m_params;
    AnalyzeResults& m_results;
    MyMath m_math;
};

}  // namespace qzCore

#endif  // QZCORE_ANALYSIS_ANALYZER_H
