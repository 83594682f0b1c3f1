// The analysis framework: parameter records, the dispatch of Analyze, the
// common record selection and the report file.
#include "qzCore/analysis/Analyzer.h"

#include "AnalysisSupport.h"

namespace qzCore {

AnalyzeParams::AnalyzeParams(std::deque<GeoData*>& data) : m_data(&data) {}

AnalyzeParams::AnalyzeParams(std::deque<GeoData*>& data, bool faults, bool lineations)
    : m_data(&data), m_faults(faults), m_lineations(lineations) {}

AnalyzeParams& AnalyzeParams::operator=(const AnalyzeParams& o) {
    if (this != &o) {
        m_faults = o.m_faults;
        m_lineations = o.m_lineations;
        m_selected = o.m_selected;
        m_data = o.m_data;
    }
    return *this;
}

bool AnalyzeParams::initializeAnalyzeAlgoParams(Analyze_Type type) {
    if (m_algo && m_algo->getType() == type) return true;
    m_algo.reset();
    switch (type) {
        case Analyze_Fisher: m_algo = std::make_unique<FisherStatsParams>(); return true;
        case Analyze_LeastSquares: m_algo = std::make_unique<LeastSquaresParams>(); return true;
        case Analyze_Tensor: m_algo = std::make_unique<TensorParams>(); return true;
        case Analyze_Clusters: m_algo = std::make_unique<AnalyzeClustersParams>(); return true;
        case Analyze_TAndL: m_algo = std::make_unique<TAndLParams>(); return true;
        case Analyze_Stress: m_algo = std::make_unique<AnalyzeStressParams>(); return true;
        default: return false;
    }
}

bool Analyzer::Analyze() {
    const Analyze_Type type = m_params.getAnalyzeType();
    if (!m_params.getAnalyzeAlgoParams() || m_params.getAnalyzeAlgoParams()->getType() != type) {
        m_params.initializeAnalyzeAlgoParams(type);
    }
    AnalyzeAlgoParams* algo = m_params.getAnalyzeAlgoParams();
    switch (type) {
        case Analyze_Fisher: computeFisher(static_cast<FisherStatsParams*>(algo)); return true;
        case Analyze_LeastSquares: computeLeastSquares(static_cast<LeastSquaresParams*>(algo)); return true;
        case Analyze_Tensor: computeTensor(static_cast<TensorParams*>(algo)); return true;
        case Analyze_PTAxes: computePTAxes(); return true;
        case Analyze_Nothing_True: return true;
        case Analyze_Clusters: computeClusters(static_cast<AnalyzeClustersParams*>(algo)); return true;
        case Analyze_BestFit: computeBestFit(true); return true;
        case Analyze_BestFit_Alt: computeBestFit(false); return true;
        case Analyze_TAndL: computeTAndL(); return true;
        case Analyze_Stress: computeStress(static_cast<AnalyzeStressParams*>(algo)); return true;
        default: return false;
    }
}

bool Analyzer::openReport(std::ofstream& out) const {
    if (!m_params.getExportToFile() || m_params.getExportFileName().empty()) return false;
    out.open(m_params.getExportFileName(), std::ios::out | std::ios::trunc);
    return out.is_open();
}

void Analyzer::computeDirCosList(std::vector<Matrix_1>& out) const {
    out.clear();
    analysis::Selection s;
    s.special = m_params.getAnalyzeSpecial();
    Matrix_1 scratch;
    for (const GeoData* g : m_params.getAnalyzeData()) {
        int t = 0, p = 0;
        if (analysis::direction(g, m_params, s, t, p)) out.push_back(analysis::unitVector(t, p, scratch));
    }
}

}  // namespace qzCore
