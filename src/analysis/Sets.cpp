// Sets of the selected directions: the analysis of Analyze_Clusters.
#include <cstdio>
#include <vector>

#include "analysis/AnalysisSupport.h"
#include "qzCore/analysis/Analyzer.h"
#include "qzCore/analysis/Clusters.h"
#include "qzCore/errors/ErrorCodes.h"

namespace qzCore {

void Analyzer::computeClusters(AnalyzeClustersParams* params) {
    const AnalyzeClustersParams defaults;
    const AnalyzeClustersParams& p = params ? *params : defaults;
    analysis::Selection s;
    s.lines = m_params.getAnalyzeLines();
    s.planes = m_params.getAnalyzePlanes();
    s.special = m_params.getAnalyzeSpecial();
    std::vector<double> trends, plunges;
    std::vector<int> at;  // record -> axis, or -1
    for (const GeoData* g : m_params.getAnalyzeData()) {
        int t = 0, pl = 0;
        if (!analysis::direction(g, m_params, s, t, pl)) {
            at.push_back(-1);
            continue;
        }
        at.push_back(int(trends.size()));
        trends.push_back(t);
        plunges.push_back(pl);
    }
    if (trends.empty()) {
        m_results.setError(Error::No_Data_To_Analyse);
        return;
    }
    ClusterOptions o;
    o.sets = p.getNumClusters();
    o.iterations = p.getShouldRefine() ? p.getMaxRefineIterations() : 1;
    o.seed = p.getSeed();
    o.fuzzy = p.getFuzzy();
    const Clustering c = clusterAxes(trends, plunges, o);
    std::vector<int> labels;
    labels.reserve(at.size());
    for (const int i : at) labels.push_back(i < 0 ? -1 : c.labels[std::size_t(i)]);
    m_results.setLabels(std::move(labels));
    char line[192];
    std::snprintf(line, sizeof line, "Sets : %d%s, silhouette %.2f\n", c.sets,
                  o.sets == 0 ? " (chosen by the silhouette)" : "", c.silhouette);
    std::string text = line;
    for (std::size_t k = 0; k < c.means.size(); ++k) {
        const AxisSet& m = c.means[k];
        const int t = MyMath::wholeAzimuth(m.trend), pl = FloatToInt_Global(m.plunge);
        std::snprintf(line, sizeof line, "Set %d (az, pl) : (%d, %d), N : %d", int(k) + 1, t, pl, m.count);
        text += line;
        if (m.fisherK) {
            std::snprintf(line, sizeof line, ", K : %.1f, Cone : %.1f", *m.fisherK, m.cone95.value_or(-1.0));
            text += line;
        }
        text += "\n";
        const std::string set = "set" + std::to_string(k + 1) + "_";
        m_results.setValue(set + "trend", m.trend);
        m_results.setValue(set + "plunge", m.plunge);
        m_results.setValue(set + "count", m.count);
        if (m.fisherK) m_results.setValue(set + "k", *m.fisherK);
        if (m.cone95) m_results.setValue(set + "cone", *m.cone95);
        const std::string label = m_params.getResultLabel().empty() ? "Set " + std::to_string(k + 1) : m_params.getResultLabel();
        m_results.addData(SpecialData(t, pl, GDTypes::GDType_GenericSpecial, label.c_str()));
    }
    m_results.setValue("sets", c.sets);
    m_results.setValue("silhouette", c.silhouette);
    m_results.setNumDataAnalyzed(int(trends.size()));
    m_results.setResultString(text);
    m_results.setError(1);
}

}  // namespace qzCore
