// What an analysis is asked to do: the records, the analysis type, the
// report file, and the per-analysis parameter records.
//
// Record selection, shared by the analyses over many records: a fault
// gives its plane (as the pole) with the fault-planes flag, else its slip
// line with the lineations flag, else nothing; a line its trend and
// plunge; a plane its lower-hemisphere pole; universal-stage records and
// records without a kind nothing; result records their line only when
// getAnalyzeSpecial is set.
#ifndef QZCORE_ANALYSIS_ANALYZEPARAMS_H
#define QZCORE_ANALYSIS_ANALYZEPARAMS_H

#include "qzCore/Export.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>

#include "qzCore/records/GeoData.h"
#include "qzCore/shared/DESolverParams.h"

namespace qzCore {

/// Which analysis Analyzer::Analyze runs.
enum Analyze_Type : std::int32_t {
    Analyze_Fisher = 0,
    Analyze_LeastSquares = 1,
    Analyze_Tensor = 2,
    Analyze_PTAxes = 3,
    Analyze_Nothing_True = 4,   ///< placeholder: Analyze() runs nothing and returns true
    Analyze_Nothing_False = 5,  ///< placeholder: Analyze() runs nothing and returns false
    Analyze_Clusters = 6,       ///< sets of orientations (Analyzer::computeClusters)
    Analyze_BestFit = 7,
    Analyze_BestFit_Alt = 8,
    Analyze_TAndL = 9,
    Analyze_Stress = 10  ///< the stress of a fault population (Analyzer::computeStress)
};

/// Base of the per-analysis parameter records.
class QZCORE_EXPORT AnalyzeAlgoParams {
public:
    virtual ~AnalyzeAlgoParams() = default;
    virtual Analyze_Type getType() const = 0;
};

class QZCORE_EXPORT TensorParams : public AnalyzeAlgoParams {
public:
    Analyze_Type getType() const override { return Analyze_Tensor; }
};

class QZCORE_EXPORT TAndLParams : public AnalyzeAlgoParams {
public:
    Analyze_Type getType() const override { return Analyze_TAndL; }
};

/// Sets of orientations (Analyzer::computeClusters, Clusters.h): the
/// number of sets (0: chosen by the silhouette), whether each start is
/// refined and for how many iterations, the generator's seed, and fuzzy
/// k-means.
class QZCORE_EXPORT AnalyzeClustersParams : public AnalyzeAlgoParams {
public:
    static constexpr int Default_Refine_Iterations = 5;
    Analyze_Type getType() const override { return Analyze_Clusters; }
    bool getShouldRefine() const { return m_refine; }
    void setShouldRefine(bool on) { m_refine = on; }
    int getNumClusters() const { return m_clusters; }
    void setNumClusters(int n) { m_clusters = n; }
    int getMaxRefineIterations() const { return m_iterations; }
    void setMaxRefineIterations(int n) { m_iterations = n; }
    unsigned long getSeed() const { return m_seed; }
    void setSeed(unsigned long seed) { m_seed = seed; }
    bool getFuzzy() const { return m_fuzzy; }
    void setFuzzy(bool on) { m_fuzzy = on; }

private:
    bool m_refine = true;
    int m_clusters = 2;
    int m_iterations = Default_Refine_Iterations;
    unsigned long m_seed = 1;
    bool m_fuzzy = false;
};

/// The stress of a fault population (Analyzer::computeStress,
/// Paleostress.h): the method, bootstrap samples and seed, the misfit
/// above which faults are left out (0 none), and the refinement of the
/// shear magnitudes.
class QZCORE_EXPORT AnalyzeStressParams : public AnalyzeAlgoParams {
public:
    Analyze_Type getType() const override { return Analyze_Stress; }
    bool getAngelier() const { return m_angelier; }
    void setAngelier(bool on) { m_angelier = on; }
    int getBootstrap() const { return m_bootstrap; }
    void setBootstrap(int n) { m_bootstrap = n; }
    unsigned long getSeed() const { return m_seed; }
    void setSeed(unsigned long seed) { m_seed = seed; }
    double getMaxMisfit() const { return m_maxMisfit; }
    void setMaxMisfit(double degrees) { m_maxMisfit = degrees; }
    bool getRefine() const { return m_refine; }
    void setRefine(bool on) { m_refine = on; }

private:
    bool m_angelier = false;
    int m_bootstrap = 0;
    unsigned long m_seed = 1;
    double m_maxMisfit = 0.0;
    bool m_refine = true;
};

/// Fisher statistics, with optional compensation for the sampling bias of
/// a line of observation (a scanline or borehole) of azimuth `strike` and
/// plunge `dip` (degrees).
class QZCORE_EXPORT FisherStatsParams : public AnalyzeAlgoParams {
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
    /// Axial averaging (off by default): every direction is first turned
    /// into the hemisphere of the data's principal axis (the first
    /// eigenvector of their orientation tensor), then the vectors are
    /// averaged.  Lines and poles are axes, so lines that straddle the
    /// horizontal (one at 300/02, its neighbour at 120/01) belong together;
    /// as downward vectors they would nearly cancel.
    bool getAxial() const { return m_axial; }
    void setAxial(bool on) { m_axial = on; }

private:
    bool m_axial = false;
    bool m_compensate = false;
    int m_strike = 0;
    int m_dip = 0;
    int m_angle = 85;
};

/// The least-squares axis: grid search or differential evolution.
class QZCORE_EXPORT LeastSquaresParams : public AnalyzeAlgoParams {
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
class QZCORE_EXPORT AnalyzeParams {
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

}  // namespace qzCore

#endif  // QZCORE_ANALYSIS_ANALYZEPARAMS_H
