// The analyses by name: one row each, what `qz analyse` lists and runs.
#include "qzCore/facade/Analyses.h"

#include "qzCore/errors/ErrorCodes.h"

namespace qzCore {
namespace facade {

namespace {

Outcome runFisher(Dataset& ds, const AnalysisRequest& q) {
    FisherParams p;
    static_cast<Selection&>(p) = q;
    p.axial = q.axial;
    p.compensate = q.compensate;
    return fisher(ds, p);
}
Outcome runTensor(Dataset& ds, const AnalysisRequest& q) { return tensor(ds, q); }
Outcome runBestFit(Dataset& ds, const AnalysisRequest& q) { return bestFit(ds, q); }
Outcome runTAndL(Dataset& ds, const AnalysisRequest& q) { return tAndL(ds, q); }
Outcome runPT(Dataset& ds, const AnalysisRequest& q) {
    PTResult r = ptAxes(ds, q);
    // Nothing analysed is a failed analysis, as for the others; the
    // listing says why fault by fault.
    if (r.records.empty()) throw Failed(Error::No_Data_To_Analyse, "no fault gives P and T axes", "", r.text);
    return std::move(r);
}
Outcome runLeastSquares(Dataset& ds, const AnalysisRequest& q) {
    LeastSquaresParams p = q;
    p.differentialEvolution = false;
    return leastSquares(ds, p);
}
Outcome runDE(Dataset& ds, const AnalysisRequest& q) {
    LeastSquaresParams p = q;
    p.differentialEvolution = true;
    return leastSquares(ds, p);
}
Outcome runIntersection(Dataset& ds, const AnalysisRequest& q) { return intersection(ds, q); }
Outcome runAngle(Dataset& ds, const AnalysisRequest& q) { return angleBetween(ds, q); }
Outcome runSets(Dataset& ds, const AnalysisRequest& q) {
    SetsParams p;
    static_cast<Selection&>(p) = q;
    p.sets = q.sets;
    p.seed = q.seed > 0 ? static_cast<unsigned long>(q.seed) : 1;
    p.fuzzy = q.fuzzy;
    return sets(ds, p);
}
Outcome runKinematic(Dataset& ds, const AnalysisRequest& q) {
    KinematicParams p;
    static_cast<Selection&>(p) = q;
    p.face = q.face;
    p.wedgeSets = q.wedgeSets;
    p.seed = q.seed > 0 ? static_cast<unsigned long>(q.seed) : 1;
    return kinematic(ds, p);
}
/// The inversion's settings a request gives (method, misfit rule,
/// refinement), shared by the stress and the tendencies from the faults.
void setInversion(StressParams& p, const AnalysisRequest& q) {
    p.method = q.stressMethod;
    p.maxMisfit = q.maxMisfit;
    p.refine = q.refine;
}
Outcome runStress(Dataset& ds, const AnalysisRequest& q) {
    StressParams p;
    static_cast<Selection&>(p) = q;
    setInversion(p, q);
    p.bootstrap = q.bootstrap;
    p.seed = q.seed > 0 ? static_cast<unsigned long>(q.seed) : 1;
    return stress(ds, p);
}
Outcome runTendency(Dataset& ds, const AnalysisRequest& q) {
    TendencyParams p;
    static_cast<Selection&>(p) = q;
    p.fromFaults = q.fromFaults;
    setInversion(p.inversion, q);
    p.sigma1 = q.sigma1;
    p.sigma3 = q.sigma3;
    p.magnitudes = q.magnitudes;
    return tendency(ds, p);
}
Outcome runDihedra(Dataset& ds, const AnalysisRequest& q) {
    DihedraParams p;
    static_cast<Selection&>(p) = q;
    return dihedra(ds, p);
}
Outcome runDensity(Dataset& ds, const AnalysisRequest& q) {
    DensityParams p = q.density;
    if (q.compensate) p.compensate = q.compensate;
    Outcome o;
    o.text = density(ds, p, q.reportPath).text;
    return o;
}

}  // namespace

const std::vector<AnalysisInfo>& analyses() {
    static const std::vector<AnalysisInfo> table = {
        {"fisher", "Fisher mean, precision k and 95% cone", runFisher},
        {"tensor", "eigenvalues and eigenvectors of the orientation tensor", runTensor},
        {"bestfit", "best-fit great circle and its pole (a fold axis)", runBestFit},
        {"tl", "T and L axes of planes", runTAndL},
        {"pt", "P and T axes of each fault", runPT},
        {"lsq", "least-squares axis by grid search", runLeastSquares},
        {"de", "least-squares axis by differential evolution", runDE},
        {"intersect", "line of intersection of two planes", runIntersection},
        {"angle", "angle between two lines or two planes", runAngle},
        {"density", "densest direction on the equal-area net", runDensity},
        {"sets", "sets of the directions as axes (k-means; --sets K or auto)", runSets},
        {"kinematic", "planar and wedge sliding, flexural and direct toppling for a slope face (--slope DIPDIR/DIP)",
         runKinematic},
        {"stress", "stress axes and Phi of the faults (--method michael|angelier, --bootstrap N)", runStress},
        {"dihedra", "right dihedra of the faults: the most and least compressional directions", runDihedra},
        {"tendency", "slip and dilation tendency of the planes (--sigma1, --sigma3, --magnitudes or --from-faults)",
         runTendency},
    };
    return table;
}

const AnalysisInfo* analysisNamed(const std::string& name) {
    for (const AnalysisInfo& a : analyses()) {
        if (name == a.name) return &a;
    }
    return nullptr;
}

}  // namespace facade
}  // namespace qzCore
