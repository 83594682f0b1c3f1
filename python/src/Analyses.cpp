// The analyses for Python: the facade's analyses with the options of qz
// analyse, results as objects with named fields in degrees, refusals as
// ValueError and failures as qzcore.Error.
#include <cmath>
#include <limits>

#include "Common.h"

namespace qzpy {

namespace {

namespace facade = qzCore::facade;

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

/// P and T axes of each fault as numpy columns (NaN where skipped).
struct PTColumns {
    py::array_t<double> p_trend, p_plunge, t_trend, t_plunge, misfit;
    std::vector<std::string> skipped;
};

/// Sets as Python sees them.
struct SetsColumns {
    int k = 0;
    std::vector<facade::Direction> means;
    std::vector<int> counts;
    std::vector<std::optional<double>> fisher_k, cone;
    py::array_t<int> labels;
    double silhouette = 0.0;
};

/// (trend, plunge) of a Python pair; None stays empty.
std::optional<facade::Direction> directionOf(const py::object& pair, const char* what) {
    if (pair.is_none()) return std::nullopt;
    try {
        const auto v = pair.cast<std::pair<double, double>>();
        return facade::Direction{v.first, v.second};
    } catch (const py::cast_error&) {
        throw py::value_error(std::string(what) + " takes (trend, plunge)");
    }
}

std::string directionText(const facade::Direction& a) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "(%.1f, %.1f)", a.trend_deg, a.plunge_deg);
    return buf;
}

facade::Selection selection(bool faults, bool lineations) {
    facade::Selection s;
    s.faultPlanes = faults;
    s.slipLines = lineations;
    return s;
}

/// sets=K or 'auto' (None as 'auto'), the seed and the records taken.
facade::SetsParams setsParams(const py::object& sets, unsigned long seed, bool faults, bool lineations) {
    facade::SetsParams p;
    static_cast<facade::Selection&>(p) = selection(faults, lineations);
    if (!sets.is_none() && !(py::isinstance<py::str>(sets) && sets.cast<std::string>() == "auto")) {
        p.sets = sets.cast<int>();
        if (p.sets == 0) throw py::value_error("sets takes 1 to 20, or 'auto'");
    }
    p.seed = seed;
    return p;
}

using qzCore::AxisSet;

py::array_t<double> column(const std::vector<double>& v) { return py::array_t<double>(py::ssize_t(v.size()), v.data()); }

}  // namespace

void addAnalyses(py::module_& m) {
    py::class_<facade::Direction>(m, "Axis", "A direction: trend 0-360, plunge 0-90 down, degrees")
        .def_readonly("trend", &facade::Direction::trend_deg)
        .def_readonly("plunge", &facade::Direction::plunge_deg)
        .def("__iter__", [](const facade::Direction& a) { return py::iter(py::make_tuple(a.trend_deg, a.plunge_deg)); })
        .def("__repr__", [](const facade::Direction& a) { return "Axis" + directionText(a); });
    py::class_<facade::FisherResult>(m, "FisherResult")
        .def_readonly("mean", &facade::FisherResult::mean)
        .def_readonly("strike", &facade::FisherResult::strike_deg)
        .def_readonly("dip", &facade::FisherResult::dip_deg)
        .def_readonly("n", &facade::FisherResult::n)
        .def_readonly("R", &facade::FisherResult::R)
        .def_readonly("k", &facade::FisherResult::k)
        .def_readonly("delta", &facade::FisherResult::delta_deg, "angular standard deviation, degrees")
        .def_readonly("variance", &facade::FisherResult::spread_deg, "spread s, degrees")
        .def_readonly("cone", &facade::FisherResult::cone95_deg, "95% confidence cone, degrees; None when undefined")
        .def("__repr__", [](const facade::FisherResult& r) {
            return "FisherResult(mean=" + directionText(r.mean) + ", n=" + std::to_string(r.n) +
                   ", k=" + std::to_string(r.k) + ")";
        });
    py::class_<facade::TensorResult>(m, "TensorResult")
        .def_readonly("eigenvalues", &facade::TensorResult::eigenvalues, "largest first")
        .def_readonly("axes", &facade::TensorResult::axes)
        .def_readonly("n", &facade::TensorResult::n)
        .def_property_readonly(
            "woodcock_k", [](const facade::TensorResult& r) { return r.shape.woodcockK; },
            "Woodcock's shape ln(S1/S2)/ln(S2/S3): 0 girdle, towards inf cluster; None when undefined")
        .def_property_readonly(
            "woodcock_c", [](const facade::TensorResult& r) { return r.shape.woodcockC; },
            "Woodcock's strength ln(S1/S3); None when an eigenvalue is zero")
        .def_property_readonly("vollmer_p", [](const facade::TensorResult& r) { return r.shape.vollmerP; },
                               "Vollmer's point index S1 - S2")
        .def_property_readonly("vollmer_g", [](const facade::TensorResult& r) { return r.shape.vollmerG; },
                               "Vollmer's girdle index 2(S2 - S3)")
        .def_property_readonly("vollmer_r", [](const facade::TensorResult& r) { return r.shape.vollmerR; },
                               "Vollmer's random index 3 S3")
        .def_property_readonly("vollmer_b", [](const facade::TensorResult& r) { return r.shape.vollmerB; },
                               "Vollmer's strength P + G");
    py::class_<facade::BestFitResult>(m, "BestFitResult")
        .def_readonly("axis", &facade::BestFitResult::axis, "pole of the best-fit great circle (a fold axis)")
        .def_readonly("strike", &facade::BestFitResult::strike_deg)
        .def_readonly("dip", &facade::BestFitResult::dip_deg)
        .def_readonly("n", &facade::BestFitResult::n);
    py::class_<facade::TLResult>(m, "TLResult")
        .def_readonly("t", &facade::TLResult::t, "direction of most change")
        .def_readonly("l", &facade::TLResult::l, "direction of least change")
        .def_readonly("n", &facade::TLResult::n);
    py::class_<PTColumns>(m, "PTResult")
        .def_readonly("p_trend", &PTColumns::p_trend)
        .def_readonly("p_plunge", &PTColumns::p_plunge)
        .def_readonly("t_trend", &PTColumns::t_trend)
        .def_readonly("t_plunge", &PTColumns::t_plunge)
        .def_readonly("misfit", &PTColumns::misfit,
                      "degrees between each slip line and its plane (lines up to 10 off are projected onto it)")
        .def_readonly("skipped", &PTColumns::skipped, "why a fault has no axes; '' where it has");
    py::class_<facade::DensityResult>(m, "DensityResult")
        .def_property_readonly(
            "grid",
            [](const facade::DensityResult& r) {
                const py::ssize_t n = py::ssize_t(r.grid.values.rows());
                py::array_t<double> out({n, n});
                auto a = out.mutable_unchecked<2>();
                for (py::ssize_t j = 0; j < n; ++j) {
                    for (py::ssize_t i = 0; i < n; ++i) a(j, i) = r.grid.values(std::size_t(j), std::size_t(i));
                }
                return out;
            },
            "G x G densities: row j at y = 1 - 2j/(G-1), column i at x = -1 + 2i/(G-1) of the equal-area net; 0 "
            "outside it")
        .def_property_readonly("maximum", [](const facade::DensityResult& r) { return r.grid.maximum; })
        .def_property_readonly(
            "peak",
            [](const facade::DensityResult& r) {
                return facade::Direction{double(r.grid.peakTrend), double(r.grid.peakPlunge)};
            },
            "densest whole-degree direction")
        .def_property_readonly("peak_value", [](const facade::DensityResult& r) { return r.grid.peak; })
        .def_property_readonly(
            "percent", [](const facade::DensityResult& r) { return r.grid.percent; },
            "percent of data per 1% area; else multiples of sigma")
        .def_property_readonly("count", [](const facade::DensityResult& r) { return r.grid.count; });

    m.def(
        "fisher",
        [](const DatasetPtr& ds, bool axial, const py::object& compensate, bool faults, bool lineations) {
            facade::FisherParams p;
            static_cast<facade::Selection&>(p) = selection(faults, lineations);
            p.axial = axial;
            p.compensate = directionOf(compensate, "compensate");
            return facade::fisher(opened(ds), p);
        },
        py::arg("dataset"), py::arg("axial") = false, py::arg("compensate") = py::none(), py::arg("faults") = false,
        py::arg("lineations") = false,
        "Fisher statistics of planes (as poles), lines, and with faults=/lineations= the planes or slip lines of "
        "faults; axial averages axes; compensate=(trend, plunge) weighs for a line of observation");
    m.def(
        "tensor",
        [](const DatasetPtr& ds, bool faults, bool lineations) {
            return facade::tensor(opened(ds), selection(faults, lineations));
        },
        py::arg("dataset"), py::arg("faults") = false, py::arg("lineations") = false,
        "Eigenvalues and eigenvectors of the orientation tensor, largest first");
    m.def(
        "bestfit",
        [](const DatasetPtr& ds, bool faults, bool lineations) {
            return facade::bestFit(opened(ds), selection(faults, lineations));
        },
        py::arg("dataset"), py::arg("faults") = false, py::arg("lineations") = false,
        "The best-fit great circle of the poles and lines, and its pole (whole degrees)");
    m.def(
        "tl", [](const DatasetPtr& ds, bool faults) { return facade::tAndL(opened(ds), selection(faults, false)); },
        py::arg("dataset"), py::arg("faults") = false, "T and L axes of planes");
    m.def(
        "pt",
        [](const DatasetPtr& ds) {
            const facade::PTResult r = facade::ptAxes(opened(ds), {});
            std::vector<double> pt, pp, tt, tp, misfit;
            PTColumns out;
            for (const facade::FaultAxes& f : r.faults) {
                pt.push_back(f.p ? f.p->trend_deg : NaN);
                pp.push_back(f.p ? f.p->plunge_deg : NaN);
                tt.push_back(f.t ? f.t->trend_deg : NaN);
                tp.push_back(f.t ? f.t->plunge_deg : NaN);
                misfit.push_back(f.misfit_deg.value_or(NaN));
                out.skipped.push_back(f.skipped);
            }
            out.p_trend = column(pt);
            out.p_plunge = column(pp);
            out.t_trend = column(tt);
            out.t_plunge = column(tp);
            out.misfit = column(misfit);
            return out;
        },
        py::arg("dataset"), "P and T axes of each fault, in the order of the faults (NaN where skipped)");

    // The least-squares axis by either search; qz names the two "lsq" and
    // "de", and so does the module (lsq(de=True) is the same as de).
    auto leastSquares = [](const DatasetPtr& ds, bool de, long seed, int generations, bool faults, bool lineations) {
        facade::LeastSquaresParams p;
        static_cast<facade::Selection&>(p) = selection(faults, lineations);
        p.differentialEvolution = de;
        p.seed = seed;
        p.generations = generations;
        return facade::leastSquares(opened(ds), p).axis;
    };
    m.def("lsq", leastSquares, py::arg("dataset"), py::arg("de") = false, py::arg("seed") = 0,
          py::arg("generations") = 1000, py::arg("faults") = false, py::arg("lineations") = false,
          "The least-squares axis: by grid search, or with de=True by differential evolution");
    m.def(
        "de",
        [leastSquares](const DatasetPtr& ds, long seed, int generations, bool faults, bool lineations) {
            return leastSquares(ds, true, seed, generations, faults, lineations);
        },
        py::arg("dataset"), py::arg("seed") = 0, py::arg("generations") = 1000, py::arg("faults") = false,
        py::arg("lineations") = false,
        "The least-squares axis by differential evolution (seed 0 takes the clock; another seed repeats a run)");
    m.def(
        "intersect", [](const DatasetPtr& ds) { return facade::intersection(opened(ds), {}).axis; },
        py::arg("dataset"), "The line of intersection of exactly two planes");
    m.def(
        "angle", [](const DatasetPtr& ds) { return facade::angleBetween(opened(ds), {}).angle_deg; },
        py::arg("dataset"), "The acute angle between exactly two lines or two planes, degrees");
    py::class_<SetsColumns>(m, "SetsResult")
        .def_readonly("k", &SetsColumns::k, "sets found")
        .def_readonly("means", &SetsColumns::means, "each set's mean axis, largest set first")
        .def_readonly("counts", &SetsColumns::counts)
        .def_readonly("fisher_k", &SetsColumns::fisher_k, "Fisher's k of each set's axes turned to its mean; None when undefined")
        .def_readonly("cone", &SetsColumns::cone, "95% cone of each set, degrees; None when undefined")
        .def_readonly("labels", &SetsColumns::labels, "the set of each record (0 = first); -1 where not taken")
        .def_readonly("silhouette", &SetsColumns::silhouette, "mean simplified silhouette (-1 to 1)");
    m.def(
        "cluster",
        [](const DatasetPtr& ds, const py::object& sets, unsigned long seed, int iterations, bool fuzzy, bool faults,
           bool lineations) {
            facade::SetsParams p = setsParams(sets, seed, faults, lineations);
            p.iterations = iterations;
            p.fuzzy = fuzzy;
            const facade::SetsResult r = facade::sets(opened(ds), p);
            SetsColumns out;
            out.k = int(r.means.size());
            for (const AxisSet& s : r.means) {
                out.means.push_back({s.trend, s.plunge});
                out.counts.push_back(s.count);
                out.fisher_k.push_back(s.fisherK);
                out.cone.push_back(s.cone95);
            }
            out.labels = py::array_t<int>(py::ssize_t(r.labels.size()), r.labels.data());
            out.silhouette = r.silhouette;
            return out;
        },
        py::arg("dataset"), py::arg("sets") = "auto", py::arg("seed") = 1, py::arg("iterations") = 10,
        py::arg("fuzzy") = false, py::arg("faults") = false, py::arg("lineations") = false,
        "Sets of the records as axes by spherical k-means (planes by their poles): sets=K or 'auto' (chosen by the "
        "silhouette), seeded k-means++ starts, fuzzy= for fuzzy k-means");

    m.def(
        "mark_sets",
        [](const DatasetPtr& ds, const py::object& sets, unsigned long seed, bool faults, bool lineations) {
            const facade::SetsParams p = setsParams(sets, seed, faults, lineations);
            const facade::SetsResult r = facade::sets(opened(ds), p);
            facade::markSets(opened(ds), r);
            return int(r.means.size());
        },
        py::arg("dataset"), py::arg("sets") = "auto", py::arg("seed") = 1, py::arg("faults") = false,
        py::arg("lineations") = false,
        "Finds the sets as cluster() does and gives each record of set K the attribute 'setK' (kept by .gdf files, "
        "used by stereonet(colour_by='set')); returns the number of sets");

    m.def(
        "density",
        [](const DatasetPtr& ds, const std::string& method, const std::string& smoothing, int grid,
           const std::vector<std::string>& count, const py::object& compensate, double sigma) {
            facade::DensityParams p;
            p.method = method;
            p.smoothing = smoothing;
            p.grid = grid;
            p.count = count;
            p.compensate = directionOf(compensate, "compensate");
            p.sigma = sigma;
            return facade::density(opened(ds), p);
        },
        py::arg("dataset"), py::arg("method") = "kamb", py::arg("smoothing") = "exp", py::arg("grid") = 50,
        py::arg("count") = std::vector<std::string>{"planes", "faults", "lines", "lineations", "results"},
        py::arg("compensate") = py::none(), py::arg("sigma") = 3.0,
        "The density of the records on the lower-hemisphere equal-area net (planes at their poles), its maximum "
        "and densest direction, as qz analyse density counts it");
}

}  // namespace qzpy
