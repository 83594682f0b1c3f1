// The analyses for Python: the options of qz analyse, results as objects
// with named fields in degrees, failures as qzcore.Error.
#include <cmath>
#include <deque>
#include <limits>
#include <list>

#include "Common.h"

namespace qzpy {

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

/// A direction, degrees.
struct Axis {
    double trend = NaN, plunge = NaN;
};

struct FisherResult {
    Axis mean;
    double strike = NaN, dip = NaN;  // the mean as the pole of a plane
    int n = 0;
    double R = NaN, k = NaN, delta = NaN, variance = NaN;
    py::object cone = py::none();  // degrees; None when undefined
};

struct TensorResult {
    std::vector<double> eigenvalues;
    std::vector<Axis> axes;
    int n = 0;
};

struct BestFitResult {
    Axis axis;  // the pole of the girdle: a fold axis
    double strike = NaN, dip = NaN;
    int n = 0;
};

struct TLResult {
    Axis t, l;
    int n = 0;
};

struct PTResult {
    py::array_t<double> p_trend, p_plunge, t_trend, t_plunge;
    py::array_t<double> misfit;        // degrees between slip line and plane
    std::vector<std::string> skipped;  // why, per fault; '' for none
};

struct DensityResult {
    py::array_t<double> grid;
    double maximum = NaN;
    Axis peak;
    double peak_value = NaN;
    bool percent = false;
    double count = 0;
};

/// The records of a dataset and what an analysis takes of them.
struct Run {
    explicit Run(Dataset& ds, bool faults, bool lineations, bool faultParams = false)
        : records(ds.data().getDataList().begin(), ds.data().getDataList().end()), results(out) {
        if (faultParams) {
            params = std::make_unique<qzCore::AnalyzeFaultParams>(records);
        } else {
            params = std::make_unique<qzCore::AnalyzeParams>(records, faults, lineations);
        }
        params->setAnalyzeLines(true);
        params->setAnalyzePlanes(true);
    }
    qzCore::Analyzer analyzer() { return qzCore::Analyzer(*params, results); }
    void check(const Dataset& ds) const {
        if (results.isError()) raise(results.getError(), ds.message(results.getError()));
    }
    double value(const char* name) const {
        double v = NaN;
        results.getValue(name, v);
        return v;
    }

    std::deque<qzCore::GeoData*> records;
    std::list<qzCore::SpecialData> out;
    qzCore::AnalyzeResults results;
    std::unique_ptr<qzCore::AnalyzeParams> params;
};

Dataset& dataOf(const DatasetPtr& ds) {
    if (!ds || !ds->open) throw py::value_error("the dataset holds no data");
    return *ds;
}

/// (trend, plunge) of a Python pair.
Axis axisOf(const py::object& pair, const char* what) {
    try {
        const auto v = pair.cast<std::pair<double, double>>();
        return {v.first, v.second};
    } catch (const py::cast_error&) {
        throw py::value_error(std::string(what) + " takes (trend, plunge)");
    }
}

std::string axisText(const Axis& a) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "(%.1f, %.1f)", a.trend, a.plunge);
    return buf;
}

}  // namespace

void addAnalyses(py::module_& m) {
    py::class_<Axis>(m, "Axis", "A direction: trend 0-360, plunge 0-90 down, degrees")
        .def_readonly("trend", &Axis::trend)
        .def_readonly("plunge", &Axis::plunge)
        .def("__iter__", [](const Axis& a) { return py::iter(py::make_tuple(a.trend, a.plunge)); })
        .def("__repr__", [](const Axis& a) { return "Axis" + axisText(a); });
    py::class_<FisherResult>(m, "FisherResult")
        .def_readonly("mean", &FisherResult::mean)
        .def_readonly("strike", &FisherResult::strike)
        .def_readonly("dip", &FisherResult::dip)
        .def_readonly("n", &FisherResult::n)
        .def_readonly("R", &FisherResult::R)
        .def_readonly("k", &FisherResult::k)
        .def_readonly("delta", &FisherResult::delta, "angular standard deviation, degrees")
        .def_readonly("variance", &FisherResult::variance, "spread s, degrees")
        .def_readonly("cone", &FisherResult::cone, "95% confidence cone, degrees; None when undefined")
        .def("__repr__", [](const FisherResult& r) {
            return "FisherResult(mean=" + axisText(r.mean) + ", n=" + std::to_string(r.n) + ", k=" +
                   std::to_string(r.k) + ")";
        });
    py::class_<TensorResult>(m, "TensorResult")
        .def_readonly("eigenvalues", &TensorResult::eigenvalues, "largest first")
        .def_readonly("axes", &TensorResult::axes)
        .def_readonly("n", &TensorResult::n);
    py::class_<BestFitResult>(m, "BestFitResult")
        .def_readonly("axis", &BestFitResult::axis, "pole of the best-fit great circle (a fold axis)")
        .def_readonly("strike", &BestFitResult::strike)
        .def_readonly("dip", &BestFitResult::dip)
        .def_readonly("n", &BestFitResult::n);
    py::class_<TLResult>(m, "TLResult")
        .def_readonly("t", &TLResult::t, "direction of most change")
        .def_readonly("l", &TLResult::l, "direction of least change")
        .def_readonly("n", &TLResult::n);
    py::class_<PTResult>(m, "PTResult")
        .def_readonly("p_trend", &PTResult::p_trend)
        .def_readonly("p_plunge", &PTResult::p_plunge)
        .def_readonly("t_trend", &PTResult::t_trend)
        .def_readonly("t_plunge", &PTResult::t_plunge)
        .def_readonly("misfit", &PTResult::misfit,
                      "degrees between each slip line and its plane (lines up to 10 off are projected onto it)")
        .def_readonly("skipped", &PTResult::skipped, "why a fault has no axes; '' where it has");
    py::class_<DensityResult>(m, "DensityResult")
        .def_readonly("grid", &DensityResult::grid,
                      "G x G densities: row j at y = 1 - 2j/(G-1), column i at x = -1 + 2i/(G-1) of the "
                      "equal-area net; 0 outside it")
        .def_readonly("maximum", &DensityResult::maximum)
        .def_readonly("peak", &DensityResult::peak, "densest whole-degree direction")
        .def_readonly("peak_value", &DensityResult::peak_value)
        .def_readonly("percent", &DensityResult::percent, "percent of data per 1% area; else multiples of sigma")
        .def_readonly("count", &DensityResult::count);

    m.def(
        "fisher",
        [](const DatasetPtr& dsp, bool axial, const py::object& compensate, bool faults, bool lineations) {
            Dataset& ds = dataOf(dsp);
            Run run(ds, faults, lineations);
            qzCore::FisherStatsParams f;
            if (!compensate.is_none()) {
                const Axis a = axisOf(compensate, "compensate");
                f.setParams(std::to_string(int(std::lround(a.trend))), std::to_string(int(std::lround(a.plunge))), 85,
                            true);
            }
            f.setAxial(axial);
            run.analyzer().computeFisher(&f);
            run.check(ds);
            FisherResult r;
            r.mean = {run.value("trend"), run.value("plunge")};
            r.strike = std::fmod(r.mean.trend + 90.0, 360.0);
            r.dip = 90.0 - r.mean.plunge;
            r.n = run.results.getNumDataAnalyzed();
            r.R = run.value("R");
            r.k = run.value("K");
            r.delta = run.value("delta");
            r.variance = run.value("variance");
            const double cone = run.value("cone");
            if (cone >= 0.0) r.cone = py::float_(cone);
            return r;
        },
        py::arg("dataset"), py::arg("axial") = false, py::arg("compensate") = py::none(), py::arg("faults") = false,
        py::arg("lineations") = false,
        "Fisher statistics of planes (as poles), lines, and with faults=/lineations= the planes or slip lines of "
        "faults; axial averages axes; compensate=(trend, plunge) weighs for a line of observation");

    m.def(
        "tensor",
        [](const DatasetPtr& dsp, bool faults, bool lineations) {
            Dataset& ds = dataOf(dsp);
            Run run(ds, faults, lineations);
            run.analyzer().computeTensor(nullptr);
            run.check(ds);
            TensorResult r;
            for (int i = 1; i <= 3; ++i) {
                const std::string n = std::to_string(i);
                r.eigenvalues.push_back(run.value(("eigenvalue" + n).c_str()));
                r.axes.push_back({run.value(("trend" + n).c_str()), run.value(("plunge" + n).c_str())});
            }
            // Unit vectors: the eigenvalues sum to the number of directions.
            r.n = int(std::lround(r.eigenvalues[0] + r.eigenvalues[1] + r.eigenvalues[2]));
            return r;
        },
        py::arg("dataset"), py::arg("faults") = false, py::arg("lineations") = false,
        "Eigenvalues and eigenvectors of the orientation tensor, largest first");

    m.def(
        "bestfit",
        [](const DatasetPtr& dsp, bool faults, bool lineations) {
            Dataset& ds = dataOf(dsp);
            Run run(ds, faults, lineations);
            run.analyzer().computeBestFit(true);
            run.check(ds);
            BestFitResult r;
            int t = run.results.getResult().x(), p = run.results.getResult().y();
            r.axis = {double(t), double(p)};
            qzCore::MyMath().computePlaneFromPole(t, p);
            r.strike = t;
            r.dip = p;
            r.n = run.results.getNumDataAnalyzed();
            return r;
        },
        py::arg("dataset"), py::arg("faults") = false, py::arg("lineations") = false,
        "The best-fit great circle of the poles and lines, and its pole (whole degrees)");

    m.def(
        "tl",
        [](const DatasetPtr& dsp, bool faults) {
            Dataset& ds = dataOf(dsp);
            Run run(ds, faults, false);
            run.analyzer().computeTAndL();
            run.check(ds);
            TLResult r;
            r.t = {run.value("t_trend"), run.value("t_plunge")};
            r.l = {run.value("l_trend"), run.value("l_plunge")};
            return r;
        },
        py::arg("dataset"), py::arg("faults") = false, "T and L axes of planes");

    m.def(
        "pt",
        [](const DatasetPtr& dsp) {
            Dataset& ds = dataOf(dsp);
            std::vector<double> pt, pp, tt, tp, misfit;
            std::vector<std::string> why;
            for (qzCore::GeoData* g : ds.data().getDataList()) {
                if (!g || g->getGDType() != qzCore::GDTypes::GDType_Fault || !g->data()) continue;
                const qzCore::LightweightDataStruct& d = *g->data();
                qzCore::SpecialData p, t;
                const bool got = qzCore::Analyzer::ptAxesOf(g, p, t);
                pt.push_back(got ? p.getAz() : NaN);
                pp.push_back(got ? p.getPl() : NaN);
                tt.push_back(got ? t.getAz() : NaN);
                tp.push_back(got ? t.getPl() : NaN);
                misfit.push_back(d.hasTrend() && d.hasPlunge()
                                     ? qzCore::Analyzer::slipMisfit(d.getStrike(), d.getDip(), d.getTrend(), d.getPlunge())
                                     : NaN);
                why.push_back(got ? std::string() : qzCore::Analyzer::whyNoPTAxes(d));
            }
            PTResult r;
            r.p_trend = py::array_t<double>(py::ssize_t(pt.size()), pt.data());
            r.p_plunge = py::array_t<double>(py::ssize_t(pp.size()), pp.data());
            r.t_trend = py::array_t<double>(py::ssize_t(tt.size()), tt.data());
            r.t_plunge = py::array_t<double>(py::ssize_t(tp.size()), tp.data());
            r.misfit = py::array_t<double>(py::ssize_t(misfit.size()), misfit.data());
            r.skipped = why;
            return r;
        },
        py::arg("dataset"), "P and T axes of each fault, in the order of the faults (NaN where skipped)");

    // The least-squares axis by either search; qz names the two "lsq" and
    // "de", and so does the module (lsq(de=True) is the same as de).
    auto leastSquares = [](const DatasetPtr& dsp, bool de, long seed, int generations, bool faults,
                           bool lineations) {
        Dataset& ds = dataOf(dsp);
        Run run(ds, faults, lineations);
        qzCore::LeastSquaresParams p;
        p.setUseDESearch(de);
        p.setUseBruteForce(!de);
        p.getDESolverParams().setSeed(seed);
        p.getDESolverParams().setGenerations(generations);
        run.analyzer().computeLeastSquares(&p);
        run.check(ds);
        return Axis{double(run.results.getResult().x()), double(run.results.getResult().y())};
    };
    m.def("lsq", leastSquares, py::arg("dataset"), py::arg("de") = false, py::arg("seed") = 0,
          py::arg("generations") = 1000, py::arg("faults") = false, py::arg("lineations") = false,
          "The least-squares axis: by grid search, or with de=True by differential evolution");
    m.def(
        "de",
        [leastSquares](const DatasetPtr& dsp, long seed, int generations, bool faults, bool lineations) {
            return leastSquares(dsp, true, seed, generations, faults, lineations);
        },
        py::arg("dataset"), py::arg("seed") = 0, py::arg("generations") = 1000, py::arg("faults") = false,
        py::arg("lineations") = false,
        "The least-squares axis by differential evolution (seed 0 takes the clock; another seed repeats a run)");

    m.def(
        "intersect",
        [](const DatasetPtr& dsp) {
            Dataset& ds = dataOf(dsp);
            Run run(ds, false, false);
            run.analyzer().computeIntersection();
            run.check(ds);
            return Axis{double(run.results.getResult().x()), double(run.results.getResult().y())};
        },
        py::arg("dataset"), "The line of intersection of exactly two planes");

    m.def(
        "angle",
        [](const DatasetPtr& dsp) {
            Dataset& ds = dataOf(dsp);
            Run run(ds, false, false);
            run.analyzer().computeAngleBetweenObjects();
            run.check(ds);
            return double(run.results.getResult().x());
        },
        py::arg("dataset"), "The acute angle between exactly two lines or two planes, degrees");

    m.def(
        "density",
        [](const DatasetPtr& dsp, const std::string& method, const std::string& smoothing, int grid,
           const std::vector<std::string>& count, const py::object& compensate, double sigma) {
            Dataset& ds = dataOf(dsp);
            using P = qzCore::ContourParams;
            qzCore::ContourParams c;
            const std::pair<const char*, int> methods[] = {
                {"kamb", P::Method_Kamb}, {"1percent", P::Method_One_Percent}, {"seismic", P::Method_Seismic}};
            const std::pair<const char*, int> smoothings[] = {
                {"none", P::Smooth_None}, {"linear", P::Smooth_Inv_Area}, {"square", P::Smooth_Inv_Area_Sq},
                {"exp", P::Smooth_Expon}};
            int mth = -1, sm = -1;
            for (const auto& e : methods) mth = method == e.first ? e.second : mth;
            for (const auto& e : smoothings) sm = smoothing == e.first ? e.second : sm;
            if (mth < 0) throw py::value_error("method is kamb, 1percent or seismic");
            if (sm < 0) throw py::value_error("smoothing is none, linear, square or exp");
            c.setContourMethod(mth);
            c.setSmoothingMethod(sm);
            c.setGridDensity(grid);
            c.setCountingParameter(sigma);
            c.setCountGreatCirclesAtPoles(true);
            for (const std::string& k : count) {
                if (k == "planes") c.setIncludePlanes(true);
                else if (k == "faults") c.setIncludeFaults(true);
                else if (k == "lines") c.setIncludeLines(true);
                else if (k == "lineations") c.setIncludeLineations(true);
                else if (k == "results") c.setIncludeSpecials(true);
                else throw py::value_error("count takes planes, faults, lines, lineations or results");
            }
            if (!compensate.is_none()) {
                const Axis a = axisOf(compensate, "compensate");
                c.setAxisWeighting(true);
                c.setAxis(int(std::lround(a.trend)), int(std::lround(a.plunge)));
            }
            qzCore::StereoPlotParams p;
            p.setPlaneStyle(qzCore::Planar_Pole);
            p.setFaultStyle(qzCore::Planar_Pole);
            qzCore::StereoPlotCore plot(p, nullptr, ds.manager);
            qzCore::insertDataset(plot, ds.data());
            qzCore::DensityGrid d;
            const qzCore::ContourOutcome o = plot.computeDensity(c, d);
            if (o != qzCore::ContourOutcome::Drawn) raise(qzCore::Error::No_Data_To_Analyse, contourOutcomeText(o));
            DensityResult r;
            const py::ssize_t n = py::ssize_t(d.values.rows());
            r.grid = py::array_t<double>({n, n});
            auto a = r.grid.mutable_unchecked<2>();
            for (py::ssize_t j = 0; j < n; ++j) {
                for (py::ssize_t i = 0; i < n; ++i) a(j, i) = d.values(std::size_t(j), std::size_t(i));
            }
            r.maximum = d.maximum;
            r.peak = {double(d.peakTrend), double(d.peakPlunge)};
            r.peak_value = d.peak;
            r.percent = d.percent;
            r.count = d.count;
            return r;
        },
        py::arg("dataset"), py::arg("method") = "kamb", py::arg("smoothing") = "exp", py::arg("grid") = 50,
        py::arg("count") = std::vector<std::string>{"planes", "faults", "lines", "lineations", "results"},
        py::arg("compensate") = py::none(), py::arg("sigma") = 3.0,
        "The density of the records on the lower-hemisphere equal-area net (planes at their poles), its maximum "
        "and densest direction, as qz analyse density counts it");
}

}  // namespace qzpy
