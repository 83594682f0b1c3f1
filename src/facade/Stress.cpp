// The stress of a dataset's faults through Analyzer::Analyze, and right
// dihedra on the equal-area net's grid.
#include <cmath>
#include <cstdio>
#include <deque>
#include <fstream>
#include <list>

#include "qzCore/analysis/AnalyzeResults.h"
#include "qzCore/analysis/Analyzer.h"
#include "qzCore/datasets/Data.h"
#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/facade/Analyses.h"
#include "qzCore/parsing/GDTypes.h"
#include "qzCore/plot/DensityGrid.h"
#include "qzCore/shared/MyMath.h"

namespace qzCore {
namespace facade {

namespace {

const char* const Fault_Hint =
    "the stress is found from faults with a usable sense of slip (a Slip or Sense column; a horizontal slip line "
    "needs a strike-slip sense, not +1 or -1)";

}  // namespace

StressResult stress(Dataset& ds, const StressParams& p) {
    if (p.method != "michael" && p.method != "angelier") {
        throw Refused("method", "takes michael or angelier, not '" + p.method + "'");
    }
    if (p.bootstrap < 0 || p.bootstrap > StressOptions::Max_Bootstrap) {
        throw Refused("bootstrap", "takes 0 to " + std::to_string(StressOptions::Max_Bootstrap) + " samples");
    }
    if (!(p.maxMisfit >= 0.0 && p.maxMisfit <= 180.0)) throw Refused("max-misfit", "takes 0 to 180 degrees");
    std::deque<GeoData*> records(ds.data().getDataList().begin(), ds.data().getDataList().end());
    std::list<SpecialData> out;
    AnalyzeResults results(out);
    AnalyzeParams params(records, false, false);
    params.setResultLabel(p.label);
    if (!p.reportPath.empty()) {
        params.setExportToFile(true);
        params.setExportFileName(p.reportPath.c_str());
    }
    params.setAnalyzeType(Analyze_Stress);
    params.initializeAnalyzeAlgoParams(Analyze_Stress);
    auto& a = *static_cast<AnalyzeStressParams*>(params.getAnalyzeAlgoParams());
    a.setAngelier(p.method == "angelier");
    a.setBootstrap(p.bootstrap);
    a.setSeed(p.seed);
    a.setMaxMisfit(p.maxMisfit);
    a.setRefine(p.refine);
    Analyzer(params, results).Analyze();
    if (results.isError()) {
        const int code = results.getError();
        throw Failed(code, ds.message(code), code == Error::No_Data_To_Analyse ? Fault_Hint : "");
    }
    StressResult r;
    r.n = results.getNumDataAnalyzed();
    r.text = results.getResultString();
    r.records.splice(r.records.end(), out);
    auto value = [&](const std::string& name) {
        double v = 0.0;
        results.getValue(name, v);
        return v;
    };
    for (std::size_t k = 0; k < 3; ++k) {
        const std::string s = "sigma" + std::to_string(k + 1) + "_";
        r.sigma[k] = {value(s + "trend"), value(s + "plunge")};
    }
    r.phi = value("phi");
    for (const double i : results.getSeries("record")) r.record.push_back(int(i));
    r.misfit = results.getSeries("misfit");
    r.upsilon = results.getSeries("upsilon");
    r.normal = results.getSeries("normal");
    r.shear = results.getSeries("shear");
    for (const int i : r.record) r.leftOut.push_back(results.getLabels()[std::size_t(i)] == 1);
    if (!results.getSeries("boot_phi").empty()) {
        r.cone95 = std::array<double, 3>{value("sigma1_cone"), value("sigma2_cone"), value("sigma3_cone")};
        r.phiRange = std::make_pair(value("phi_low"), value("phi_high"));
        r.samplePhi = results.getSeries("boot_phi");
        for (std::size_t k = 0; k < 3; ++k) {
            const std::string s = "boot_sigma" + std::to_string(k + 1) + "_";
            const std::vector<double>& t = results.getSeries(s + "trend");
            const std::vector<double>& pl = results.getSeries(s + "plunge");
            for (std::size_t i = 0; i < t.size(); ++i) r.samples[k].push_back({t[i], pl[i]});
        }
    }
    const int left = int(value("left_out"));
    if (left > 0) r.warnings.push_back(std::to_string(left) + " faults left out by the misfit rule");
    return r;
}

DihedraResult dihedra(Dataset& ds, const DihedraParams& p) {
    if (p.grid < 11 || p.grid > DensityGrid::Max_Grid_Nodes) {
        throw Refused("grid", "takes 11 to " + std::to_string(DensityGrid::Max_Grid_Nodes) + " nodes a side");
    }
    const std::deque<GeoData*> records(ds.data().getDataList().begin(), ds.data().getDataList().end());
    std::vector<int> at;
    const std::vector<FaultSlip> faults = Analyzer::faultSlips(records, at);
    if (faults.empty()) {
        throw Failed(Error::No_Data_To_Analyse, ds.message(Error::No_Data_To_Analyse), Fault_Hint);
    }
    DihedraResult r;
    r.n = int(faults.size());
    const std::size_t g = std::size_t(p.grid);
    r.values = Grid<double>(g, g, 0.0);
    double best = -1.0, worst = 2.0;
    for (std::size_t j = 0; j < g; ++j) {
        const double y = 1.0 - 2.0 * double(j) / double(g - 1);
        for (std::size_t i = 0; i < g; ++i) {
            const double x = -1.0 + 2.0 * double(i) / double(g - 1), radius = std::hypot(x, y);
            if (radius > 1.0) continue;
            // Equal area, lower hemisphere: r = sqrt(2) sin((90 - plunge)/2).
            const double plunge = 90.0 - 2.0 * std::asin(radius / std::sqrt(2.0)) * MyMath::Rad_To_Deg;
            const double trend = std::fmod(std::atan2(x, y) * MyMath::Rad_To_Deg + 360.0, 360.0);
            const Matrix_1 d(trend, plunge);
            const double share = compressionalShare(faults, {d[0], d[1], d[2]});
            r.values(j, i) = 100.0 * share;
            if (share > best) {
                best = share;
                r.p = {trend, plunge};
            }
            if (share < worst) {
                worst = share;
                r.t = {trend, plunge};
            }
        }
    }
    r.pPercent = 100.0 * best;
    r.tPercent = 100.0 * worst;
    char line[200];
    std::snprintf(line, sizeof line,
                  "Right dihedra : %d faults\nP, most compressional (az, pl) : (%.0f, %.0f), %.0f%% of the faults\n"
                  "T, least compressional (az, pl) : (%.0f, %.0f), %.0f%% of the faults\n",
                  r.n, r.p.trend_deg, r.p.plunge_deg, r.pPercent, r.t.trend_deg, r.t.plunge_deg, r.tPercent);
    r.text = line;
    return r;
}

TendencyResult tendency(Dataset& ds, const TendencyParams& p) {
    TendencyResult r;
    std::array<double, 3> m = p.magnitudes;
    // From faults sigma2 follows from Phi: only sigma1 > sigma3 > 0 count.
    if (p.fromFaults) m[1] = m[2];
    if (!(m[2] > 0.0 && m[1] >= m[2] && m[0] >= m[1] && m[0] > m[2]) || !std::isfinite(m[0])) {
        throw Refused("magnitudes", "take sigma1 >= sigma2 >= sigma3 > 0, sigma1 > sigma3");
    }
    std::array<Vec3, 3> axes;
    if (p.fromFaults) {
        const StressResult s = stress(ds, p.inversion);
        m[1] = m[2] + s.phi * (m[0] - m[2]);
        for (std::size_t k = 0; k < 3; ++k) {
            const Matrix_1 v(s.sigma[k].trend_deg, s.sigma[k].plunge_deg);
            axes[k] = {v[0], v[1], v[2]};
            r.sigma[k] = s.sigma[k];
        }
    } else {
        const Matrix_1 a(p.sigma1.trend_deg, p.sigma1.plunge_deg), c(p.sigma3.trend_deg, p.sigma3.plunge_deg);
        // Measured axes are rarely exactly at right angles: a degree is
        // allowed, and sigma3 is then made normal to sigma1 in their plane.
        if (std::fabs(a.dotProduct(c)) > std::sin(MyMath::Deg_To_Rad)) {
            throw Refused("sigma3", "must be at right angles to sigma1 (within a degree)");
        }
        Matrix_1 c3(c[0] - a.dotProduct(c) * a[0], c[1] - a.dotProduct(c) * a[1], c[2] - a.dotProduct(c) * a[2]);
        c3.normalize();
        const Matrix_1 b = a.crossProduct(c3);
        axes = {Vec3{a[0], a[1], a[2]}, Vec3{b[0], b[1], b[2]}, Vec3{c3[0], c3[1], c3[2]}};
        for (std::size_t k = 0; k < 3; ++k) {
            Matrix_1 v(axes[k][0], axes[k][1], axes[k][2]);
            if (v[2] < 0.0) v = Matrix_1(-v[0], -v[1], -v[2]);
            double t = 0, pl = 0;
            v.convertFromDC(t, pl);
            r.sigma[k] = {t, pl};
        }
    }
    r.magnitudes = m;
    const StressState state = stressState(axes, (m[1] - m[2]) / (m[0] - m[2]));
    int index = 0;
    for (const GeoData* g : ds.data().getDataList()) {
        const int at = index++;
        if (!g || !g->data()) continue;
        const bool fault = g->getGDType() == GDTypes::GDType_Fault;
        if (!(fault ? p.faultPlanes : g->isPlanar()) || !g->data()->hasStrike() || !g->data()->hasDip()) continue;
        const double dd = (g->data()->getStrike() + 90.0) * MyMath::Deg_To_Rad, dip = g->data()->getDip() * MyMath::Deg_To_Rad;
        const Vec3 n{std::sin(dip) * std::cos(dd), std::sin(dip) * std::sin(dd), -std::cos(dip)};
        double ts = 0, td = 0;
        tendencies(state, m, n, ts, td);
        r.record.push_back(at);
        r.slip.push_back(ts);
        r.dilation.push_back(td);
    }
    if (r.record.empty()) {
        throw Failed(Error::No_Data_To_Analyse, ds.message(Error::No_Data_To_Analyse),
                     ds.data().getNumFaults() > 0 && !p.faultPlanes ? "--faults takes the planes of the faults"
                                                                     : "tendencies are of planes");
    }
    double most = 0.0;
    for (const double v : r.slip) most = std::max(most, v);
    for (const double v : r.slip) r.slipNormalised.push_back(most > 0.0 ? v / most : 0.0);
    r.n = int(r.record.size());
    char line[200];
    std::snprintf(line, sizeof line,
                  "Tendencies of %d planes under sigma1 %.0f/%.0f, sigma2 %.0f/%.0f, sigma3 %.0f/%.0f (%g, %g, %g)\n",
                  r.n, r.sigma[0].trend_deg, r.sigma[0].plunge_deg, r.sigma[1].trend_deg, r.sigma[1].plunge_deg,
                  r.sigma[2].trend_deg, r.sigma[2].plunge_deg, m[0], m[1], m[2]);
    r.text = line;
    double meanSlip = 0.0, meanDilation = 0.0;
    for (std::size_t i = 0; i < r.slip.size(); ++i) {
        meanSlip += r.slip[i] / r.n;
        meanDilation += r.dilation[i] / r.n;
    }
    std::snprintf(line, sizeof line, "Slip tendency : largest %.3f, mean %.3f\nDilation tendency : mean %.3f\n", most,
                  meanSlip, meanDilation);
    r.text += line;
    if (!p.reportPath.empty()) {
        std::ofstream out(p.reportPath);
        out << "Slip and dilation tendency\n" << r.text << "Record\tSlip tendency\tNormalised\tDilation tendency\n";
        for (std::size_t i = 0; i < r.slip.size(); ++i) {
            std::snprintf(line, sizeof line, "%d\t%.4f\t%.4f\t%.4f\n", r.record[i] + 1, r.slip[i],
                          r.slipNormalised[i], r.dilation[i]);
            out << line;
        }
        if (!out) throw Failed(Error::File_Write_Error, "the report could not be written to " + p.reportPath);
    }
    return r;
}

}  // namespace facade
}  // namespace qzCore
