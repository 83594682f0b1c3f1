// The stress of the selected faults: the analysis of Analyze_Stress.
#include <cmath>
#include <cstdio>
#include <fstream>

#include "AnalysisSupport.h"
#include "qzCore/analysis/Analyzer.h"
#include "qzCore/errors/ErrorCodes.h"

namespace qzCore {

namespace {
/// Records of faults left out named in the text (all are in the report).
constexpr int Max_Listed_Left_Out = 50;
}  // namespace

std::vector<FaultSlip> Analyzer::faultSlips(const std::deque<GeoData*>& data, std::vector<int>& records) {
    std::vector<FaultSlip> out;
    records.clear();
    int index = 0;
    for (const GeoData* g : data) {
        const int at = index++;
        if (!g || g->getGDType() != GDTypes::GDType_Fault || !g->data()) continue;
        const LightweightDataStruct& d = *g->data();
        if (!d.hasStrike() || !d.hasDip() || !whyNoPTAxes(d).empty()) continue;
        const bool along = slipClass(d.getStrike(), d.getTrend(), d.getPlunge(), d.getSlip()) == 1;
        out.push_back(faultSlip(d.getStrike(), d.getDip(), d.getTrend(), d.getPlunge(), along));
        records.push_back(at);
    }
    return out;
}

void Analyzer::computeStress(AnalyzeStressParams* params) {
    const AnalyzeStressParams defaults;
    const AnalyzeStressParams& p = params ? *params : defaults;
    std::vector<int> records;
    const std::vector<FaultSlip> faults = faultSlips(m_params.getAnalyzeData(), records);
    StressOptions o;
    o.method = p.getAngelier() ? StressMethod::Angelier : StressMethod::Michael;
    o.bootstrap = p.getBootstrap();
    o.seed = p.getSeed();
    o.maxMisfit = p.getMaxMisfit();
    o.refine = p.getRefine();
    const StressInversion r = invertStress(faults, o);
    m_results.setNumDataAnalyzed(int(faults.size()));
    if (r.failure == StressFailure::Too_Few_Faults) {
        m_results.setError(faults.empty() ? Error::No_Data_To_Analyse : Error::Too_Few_Faults);
        return;
    }
    if (r.failure != StressFailure::None) {
        m_results.setError(Error::Stress_Unconstrained);
        return;
    }

    const char kinds[3] = {GDTypes::GDType_Sig1, GDTypes::GDType_Sig2, GDTypes::GDType_Sig3};
    const std::string label = m_params.getResultLabel();
    char line[200];
    int leftOut = 0;
    for (const bool b : r.leftOut) leftOut += b;
    std::snprintf(line, sizeof line, "Stress (%s%s) : %zu faults", o.method == StressMethod::Michael ? "Michael 1984" : "after Angelier 1990",
                  o.refine ? ", shear magnitudes refined" : "", faults.size());
    std::string text = line;
    if (leftOut > 0) {
        std::snprintf(line, sizeof line, ", %d left out (misfit over %g degrees, %d inversions)", leftOut, o.maxMisfit,
                      r.rounds);
        text += line;
    }
    text += "\n";
    for (std::size_t k = 0; k < 3; ++k) {
        const Axis& a = r.state.axes[k];
        const int t = MyMath::wholeAzimuth(a.trend), pl = FloatToInt_Global(a.plunge);
        SpecialData axis(t, pl, kinds[k], label.empty() ? nullptr : label.c_str());
        m_results.addData(axis);
        std::snprintf(line, sizeof line, "Sigma %zu (az, pl) : (%d, %d)", k + 1, t, pl);
        text += line;
        const std::string name = "sigma" + std::to_string(k + 1) + "_";
        m_results.setValue(name + "trend", a.trend);
        m_results.setValue(name + "plunge", a.plunge);
        if (!r.samples.empty()) {
            std::snprintf(line, sizeof line, ", 95%% of %zu bootstrap axes within %.1f degrees", r.samples.size(),
                          r.cone95[k]);
            text += line;
            m_results.setValue(name + "cone", r.cone95[k]);
        }
        text += "\n";
    }
    std::snprintf(line, sizeof line, "Phi (sigma2 - sigma3)/(sigma1 - sigma3) : %.3f", r.state.phi);
    text += line;
    if (!r.samples.empty()) {
        std::snprintf(line, sizeof line, " (95%%: %.3f to %.3f)", r.phiLow, r.phiHigh);
        text += line;
        m_results.setValue("phi_low", r.phiLow);
        m_results.setValue("phi_high", r.phiHigh);
    }
    text += "\n";
    double sum = 0.0;
    int used = 0;
    for (std::size_t i = 0; i < faults.size(); ++i) {
        if (r.leftOut[i]) continue;
        sum += r.misfit[i];
        ++used;
    }
    std::snprintf(line, sizeof line, "Mean misfit of the faults inverted : %.1f degrees\n", used ? sum / used : 0.0);
    text += line;
    if (leftOut > 0) {
        // By record number (1 = the first record analysed), as the
        // report numbers them.
        text += "Left out (records) :";
        int listed = 0;
        for (std::size_t i = 0; i < faults.size(); ++i) {
            if (!r.leftOut[i]) continue;
            if (++listed > Max_Listed_Left_Out) {
                text += " ...";
                break;
            }
            text += " " + std::to_string(records[i] + 1);
        }
        text += "\n";
    }
    m_results.setResultString(text);
    m_results.setValue("phi", r.state.phi);
    m_results.setValue("faults", double(faults.size()));
    m_results.setValue("left_out", double(leftOut));

    m_results.setSeries("misfit", r.misfit);
    m_results.setSeries("upsilon", r.upsilon);
    m_results.setSeries("normal", r.normalStress);
    m_results.setSeries("shear", r.shearStress);
    m_results.setSeries("record", std::vector<double>(records.begin(), records.end()));
    if (!r.samples.empty()) {
        for (std::size_t k = 0; k < 3; ++k) {
            std::vector<double> trends, plunges;
            for (const StressState& s : r.samples) {
                trends.push_back(s.axes[k].trend);
                plunges.push_back(s.axes[k].plunge);
            }
            m_results.setSeries("boot_sigma" + std::to_string(k + 1) + "_trend", std::move(trends));
            m_results.setSeries("boot_sigma" + std::to_string(k + 1) + "_plunge", std::move(plunges));
        }
        std::vector<double> phis;
        for (const StressState& s : r.samples) phis.push_back(s.phi);
        m_results.setSeries("boot_phi", std::move(phis));
    }
    std::vector<int> labels(m_params.getAnalyzeData().size(), -1);
    for (std::size_t i = 0; i < records.size(); ++i) labels[std::size_t(records[i])] = r.leftOut[i] ? 1 : 0;
    m_results.setLabels(std::move(labels));

    std::ofstream report;
    if (openReport(report)) {
        analysis::writeReportHead(report, "Results of stress inversion", "Number of data in dataset : ",
                                  long(m_params.getAnalyzeData().size()), label);
        report << text << "Record\tMisfit\tUpsilon\tNormal stress\tShear stress\tLeft out\n";
        for (std::size_t i = 0; i < faults.size(); ++i) {
            std::snprintf(line, sizeof line, "%d\t%.1f\t%.3f\t%.3f\t%.3f\t%s\n", records[i] + 1, r.misfit[i],
                          r.upsilon[i], r.normalStress[i], r.shearStress[i], r.leftOut[i] ? "yes" : "no");
            report << line;
        }
    }
}

}  // namespace qzCore
