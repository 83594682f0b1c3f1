#include "qzCore/facade/Analyses.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <deque>
#include <memory>

#include "qzCore/analysis/AnalyzeFaultParams.h"
#include "qzCore/analysis/AnalyzeParams.h"
#include "qzCore/analysis/AnalyzeResults.h"
#include "qzCore/analysis/Analyzer.h"
#include "qzCore/datasets/Data.h"
#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/parsing/GDTypes.h"
#include "qzCore/shared/krtError.h"
#include "qzCore/shared/MyMath.h"

namespace qzCore {
namespace facade {

namespace {

/// A vector mean whose resultant is below this share of the axial mean's
/// is that of directions that straddle the horizontal: averaged as
/// vectors they partly cancel.  (For data all on one side of the plane
/// normal to their axis the two are equal.)
constexpr double Axial_Warning_Ratio = 0.9;

/// The records of a dataset bound to the published analysis objects.
struct Run {
    Run(Dataset& ds, const Selection& s, bool faultParams = false)
        : records(ds.data().getDataList().begin(), ds.data().getDataList().end()), results(out) {
        if (faultParams) {
            params = std::make_unique<AnalyzeFaultParams>(records);
        } else {
            params = std::make_unique<AnalyzeParams>(records, s.faultPlanes, s.slipLines);
        }
        params->setAnalyzeLines(true);
        params->setAnalyzePlanes(true);
        params->setResultLabel(s.label);
        if (!s.reportPath.empty()) {
            params->setExportToFile(true);
            params->setExportFileName(s.reportPath.c_str());
        }
    }
    /// The parameter record of `type`, for Analyzer::Analyze.
    template <typename T>
    T& algo(Analyze_Type type) {
        params->setAnalyzeType(type);
        params->initializeAnalyzeAlgoParams(type);
        return *static_cast<T*>(params->getAnalyzeAlgoParams());
    }
    void analyze() { Analyzer(*params, results).Analyze(); }
    /// Runs the analysis of `type` and fills `o` (throws when it failed).
    void analyze(Dataset& ds, const Selection& s, Analyze_Type type, const char* name, Outcome& o) {
        params->setAnalyzeType(type);
        analyze();
        finish(ds, s, name, o);
    }
    double value(const char* name) const {
        double v = std::nan("");
        results.getValue(name, v);
        return v;
    }
    Direction result() const { return {double(results.getResult().x()), double(results.getResult().y())}; }
    /// Throws when the analysis failed; else fills what every result holds.
    void finish(Dataset& ds, const Selection& s, const char* analysis, Outcome& o) {
        if (results.isError()) {
            const int code = results.getError();
            throw Failed(code, ds.message(code), code == Error::No_Data_To_Analyse ? hint(ds, s, analysis) : "");
        }
        o.n = results.getNumDataAnalyzed();
        o.text = results.getResultString();
        if (!o.text.empty() && o.text.back() != '\n') o.text += '\n';
        o.records.splice(o.records.end(), out);
    }
    /// Why an analysis found nothing to work on, and what selects the
    /// records.
    static std::string hint(Dataset& ds, const Selection& s, const std::string& analysis) {
        const Data& data = ds.data();
        if (analysis == "intersect" || analysis == "angle") return "it takes exactly two records";
        const bool faultsUnused = data.getNumFaults() > 0 && !s.faultPlanes && !s.slipLines;
        if (analysis == "bestfit" && data.getNumData() > 0) {
            std::string h = "a best fit needs at least four records";
            if (faultsUnused) h += "; --faults adds the planes of faults, --lineations their slip lines";
            return h;
        }
        if (analysis == "tl") {
            return faultsUnused ? "T and L axes are found from planes; --faults takes the planes of the faults"
                                : "T and L axes are found from planes, and the data hold none";
        }
        if (faultsUnused) {
            return "the data hold " + std::to_string(data.getNumFaults()) +
                   " faults: --faults takes their planes, --lineations their slip lines";
        }
        return "the data hold no record this analysis takes";
    }

    std::deque<GeoData*> records;
    std::list<SpecialData> out;
    AnalyzeResults results;
    std::unique_ptr<AnalyzeParams> params;
};

/// R/N of the mean of the selected records, as vectors or as axes.
double meanResultant(Dataset& ds, const Selection& s, bool axial) {
    Run run(ds, {s.faultPlanes, s.slipLines, "", ""});
    FisherStatsParams f;
    f.setAxial(axial);
    long double r = 0;
    TwoDPoint<double> mean;
    Analyzer(*run.params, run.results).computeAveValue(r, mean, &f);
    if (run.results.isError() || run.results.getNumDataAnalyzed() == 0) return 0.0;
    return double(r) / run.results.getNumDataAnalyzed();
}

std::string pair(int a, int b) { return "(" + std::to_string(a) + ", " + std::to_string(b) + ")"; }

}  // namespace

FisherResult fisher(Dataset& ds, const FisherParams& p) {
    Run run(ds, p);
    FisherStatsParams& f = run.algo<FisherStatsParams>(Analyze_Fisher);
    if (p.compensate) {
        const Direction& c = *p.compensate;
        if (!f.setParams(std::to_string(std::lround(c.trend_deg)), std::to_string(std::lround(c.plunge_deg)),
                         int(Analyzer::Default_Compensation_Limit), true)) {
            throw Refused("compensate", "takes the azimuth (0-360) and plunge (0-90) of the line of observation");
        }
    }
    f.setAxial(p.axial);
    run.analyze();
    FisherResult r;
    run.finish(ds, p, "fisher", r);
    r.mean = {run.value("trend"), run.value("plunge")};
    r.strike_deg = std::fmod(r.mean.trend_deg + 90.0, 360.0);
    r.dip_deg = 90.0 - r.mean.plunge_deg;
    r.R = run.value("R");
    r.k = run.value("K");
    r.delta_deg = run.value("delta");
    r.spread_deg = run.value("variance");
    const double cone = run.value("cone");
    if (cone >= 0.0) r.cone95_deg = cone;
    if (!p.axial) {
        const double asVectors = meanResultant(ds, p, false), asAxes = meanResultant(ds, p, true);
        if (asVectors < Axial_Warning_Ratio * asAxes) {
            char text[256];
            std::snprintf(text, sizeof text,
                          "these directions straddle the horizontal: as vectors their mean resultant R/N is %.2f, "
                          "as axes %.2f; --axial averages them as axes",
                          asVectors, asAxes);
            r.warnings.push_back(text);
        }
    }
    return r;
}

TensorResult tensor(Dataset& ds, const Selection& p) {
    Run run(ds, p);
    run.algo<TensorParams>(Analyze_Tensor);
    run.analyze();
    TensorResult r;
    run.finish(ds, p, "tensor", r);
    for (int i = 0; i < 3; ++i) {
        const std::string n = std::to_string(i + 1);
        r.eigenvalues[std::size_t(i)] = run.value(("eigenvalue" + n).c_str());
        r.axes[std::size_t(i)] = {run.value(("trend" + n).c_str()), run.value(("plunge" + n).c_str())};
    }
    r.shape = fabricShape(r.eigenvalues[0], r.eigenvalues[1], r.eigenvalues[2]);
    return r;
}

BestFitResult bestFit(Dataset& ds, const Selection& p) {
    Run run(ds, p);
    BestFitResult r;
    run.analyze(ds, p, Analyze_BestFit, "bestfit", r);
    r.axis = run.result();
    int strike = run.results.getResult().x(), dip = run.results.getResult().y();
    MyMath().computePlaneFromPole(strike, dip);
    r.strike_deg = strike;
    r.dip_deg = dip;
    return r;
}

TLResult tAndL(Dataset& ds, const Selection& p) {
    Run run(ds, p);
    TLResult r;
    run.analyze(ds, p, Analyze_TAndL, "tl", r);
    r.t = {run.value("t_trend"), run.value("t_plunge")};
    r.l = {run.value("l_trend"), run.value("l_plunge")};
    return r;
}

PTResult ptAxes(Dataset& ds, const Selection& p) {
    // The report (when asked for) of all faults at once, by the library;
    // the axes fault by fault.
    if (!p.reportPath.empty()) {
        Run all(ds, p, true);
        all.params->setAnalyzeType(Analyze_PTAxes);
        all.analyze();
    }
    PTResult r;
    std::string text;
    std::size_t index = 0;
    int skipped = 0;
    for (GeoData* g : ds.data().getDataList()) {
        const std::size_t at = index++;
        if (!g || g->getGDType() != GDTypes::GDType_Fault || !g->data()) continue;
        const LightweightDataStruct& d = *g->data();
        FaultAxes f;
        f.record = at;
        f.strike_deg = d.getStrike();
        f.dip_deg = d.getDip();
        if (d.hasTrend() && d.hasPlunge()) {
            f.slipLine = Direction{double(d.getTrend()), double(d.getPlunge())};
            f.misfit_deg = Analyzer::slipMisfit(d.getStrike(), d.getDip(), d.getTrend(), d.getPlunge());
        }
        if (d.hasSlip() && !GDSlipTypes::instance().get(d.getSlip(), f.sense)) f.sense = std::to_string(int(d.getSlip()));
        text += "Fault " + std::to_string(g->getDataReference() & 0xFFFFFFu) + " (" + std::to_string(f.strike_deg) +
                "/" + std::to_string(f.dip_deg);
        if (f.slipLine) text += ", slip line " + std::to_string(d.getTrend()) + "/" + std::to_string(d.getPlunge());
        if (!f.sense.empty()) text += ", " + f.sense;
        text += "): ";
        SpecialData pAxis, tAxis;
        if (!Analyzer::ptAxesOf(g, pAxis, tAxis)) {
            ++skipped;
            f.skipped = Analyzer::whyNoPTAxes(d);
            text += "skipped, " + f.skipped + "\n";
        } else {
            f.p = Direction{double(pAxis.getAz()), double(pAxis.getPl())};
            f.t = Direction{double(tAxis.getAz()), double(tAxis.getPl())};
            char misfit[64];
            std::snprintf(misfit, sizeof misfit, "%.1f", f.misfit_deg.value_or(0.0));
            text += "P (az, pl) : " + pair(pAxis.getAz(), pAxis.getPl()) +
                    ", T (az, pl) : " + pair(tAxis.getAz(), tAxis.getPl()) + ", misfit " + misfit;
            if (f.misfit_deg.value_or(0.0) > Analyzer::Rounding_Slip_Misfit) text += " (slip line projected onto the plane)";
            text += "\n";
            r.records.push_back(pAxis);
            r.records.push_back(tAxis);
            ++r.n;
        }
        r.faults.push_back(std::move(f));
    }
    if (r.faults.empty()) text = "No faults in the data\n";
    else if (skipped == int(r.faults.size())) text += "No fault with a usable sense of slip\n";
    r.text = text;
    return r;
}

AxisResult leastSquares(Dataset& ds, const LeastSquaresParams& p) {
    if (p.generations < 1 || p.generations > 100000) throw Refused("generations", "takes 1 to 100000");
    Run run(ds, p);
    qzCore::LeastSquaresParams& ls = run.algo<qzCore::LeastSquaresParams>(Analyze_LeastSquares);
    ls.setUseDESearch(p.differentialEvolution);
    ls.setUseBruteForce(!p.differentialEvolution);
    ls.getDESolverParams().setSeed(p.seed);
    ls.getDESolverParams().setGenerations(p.generations);
    // The evolution reports every generation through the message handler;
    // passed on only when asked for.
    struct Quiet : MessageHandler {
        void notify(const std::string&, const std::string&) override {}
        int query(const std::string&, const std::string&) override { return 1; }
        void warning(const std::string&) override {}
    } quiet;
    ScopedMessageHandler silence(p.progress ? currentMessageHandler() : &quiet);
    run.analyze();
    AxisResult r;
    run.finish(ds, p, p.differentialEvolution ? "de" : "lsq", r);
    r.axis = run.result();
    return r;
}

AxisResult intersection(Dataset& ds, const Selection& p) {
    Run run(ds, p);
    Analyzer(*run.params, run.results).computeIntersection();
    AxisResult r;
    run.finish(ds, p, "intersect", r);
    r.axis = run.result();
    r.text = "Line of intersection (az, pl) : " + pair(run.results.getResult().x(), run.results.getResult().y()) + "\n";
    return r;
}

AngleResult angleBetween(Dataset& ds, const Selection& p) {
    Run run(ds, p);
    Analyzer(*run.params, run.results).computeAngleBetweenObjects();
    AngleResult r;
    run.finish(ds, p, "angle", r);
    r.angle_deg = run.results.getResult().x();
    r.text = "Angle between the objects : " + std::to_string(run.results.getResult().x()) + " degrees\n";
    return r;
}

SetsResult sets(Dataset& ds, const SetsParams& p) {
    if (p.sets < 0 || p.sets > ClusterOptions::Max_Sets) {
        throw Refused("sets", "takes 1 to " + std::to_string(ClusterOptions::Max_Sets) + ", or auto, not " +
                                  std::to_string(p.sets));
    }
    if (p.iterations < 1 || p.iterations > 1000) throw Refused("iterations", "takes 1 to 1000");
    Run run(ds, p);
    AnalyzeClustersParams& c = run.algo<AnalyzeClustersParams>(Analyze_Clusters);
    c.setNumClusters(p.sets);
    c.setMaxRefineIterations(p.iterations);
    c.setSeed(p.seed);
    c.setFuzzy(p.fuzzy);
    run.analyze();
    SetsResult r;
    run.finish(ds, p, "sets", r);
    r.labels = run.results.getLabels();
    r.silhouette = run.value("silhouette");
    const int count = int(run.value("sets"));
    for (int k = 1; k <= count; ++k) {
        const std::string set = "set" + std::to_string(k) + "_";
        AxisSet m;
        m.trend = run.value((set + "trend").c_str());
        m.plunge = run.value((set + "plunge").c_str());
        m.count = int(run.value((set + "count").c_str()));
        const double fisherK = run.value((set + "k").c_str()), cone = run.value((set + "cone").c_str());
        if (!std::isnan(fisherK)) m.fisherK = fisherK;
        if (!std::isnan(cone)) m.cone95 = cone;
        r.means.push_back(m);
    }
    return r;
}

void markSets(Dataset& ds, const SetsResult& r) {
    Data& data = ds.data();
    std::list<std::string> held;
    data.getAttributeStrings(held, false);
    std::vector<std::uint32_t> masks;
    for (std::size_t k = 1; k <= r.means.size(); ++k) {
        const std::string label = "set" + std::to_string(k);
        if (std::find(held.begin(), held.end(), label) != held.end()) data.destroyAttribute(label);
        if (!data.createAttribute(label)) {
            throw Failed(Error::Insert_Failed, "the attribute '" + label + "' could not be created",
                         "a dataset holds at most 32 attributes");
        }
        masks.push_back(data.getAttributeIndexMask(std::list<std::string>{label}));
    }
    std::size_t i = 0;
    for (GeoData* g : data.getDataList()) {
        if (i < r.labels.size() && r.labels[i] >= 0 && std::size_t(r.labels[i]) < masks.size()) {
            data.linkAttributes(g, masks[std::size_t(r.labels[i])]);
        }
        ++i;
    }
}

}  // namespace facade
}  // namespace qzCore
