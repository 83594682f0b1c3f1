// qzcore.stress and qzcore.dihedra: the stress of a dataset's faults, with
// numpy arrays per fault and per bootstrap sample.
#include "Common.h"

namespace qzpy {

namespace {

namespace facade = qzCore::facade;

template <typename T>
py::array_t<T> array(const std::vector<T>& v) {
    return py::array_t<T>(py::ssize_t(v.size()), v.data());
}

/// Directions as an (n, 2) array of trend and plunge.
py::array_t<double> pairs(const std::vector<facade::Direction>& v) {
    py::array_t<double> out({py::ssize_t(v.size()), py::ssize_t(2)});
    auto a = out.mutable_unchecked<2>();
    for (std::size_t i = 0; i < v.size(); ++i) {
        a(py::ssize_t(i), 0) = v[i].trend_deg;
        a(py::ssize_t(i), 1) = v[i].plunge_deg;
    }
    return out;
}

py::tuple direction(const facade::Direction& d) { return py::make_tuple(d.trend_deg, d.plunge_deg); }

}  // namespace

void addStress(py::module_& m) {
    py::class_<facade::StressResult>(m, "StressResult")
        .def_property_readonly("sigma1", [](const facade::StressResult& r) { return direction(r.sigma[0]); },
                               "(trend, plunge) of the most compressive axis")
        .def_property_readonly("sigma2", [](const facade::StressResult& r) { return direction(r.sigma[1]); })
        .def_property_readonly("sigma3", [](const facade::StressResult& r) { return direction(r.sigma[2]); })
        .def_readonly("phi", &facade::StressResult::phi, "(sigma2 - sigma3) / (sigma1 - sigma3)")
        .def_property_readonly("misfit", [](const facade::StressResult& r) { return array(r.misfit); },
                               "degrees between each fault's slip and the predicted shear")
        .def_property_readonly("upsilon", [](const facade::StressResult& r) { return array(r.upsilon); })
        .def_property_readonly("normal", [](const facade::StressResult& r) { return array(r.normal); },
                               "normal stress on each fault, reduced tensor (sigma1 = 1, sigma3 = 0)")
        .def_property_readonly("shear", [](const facade::StressResult& r) { return array(r.shear); })
        .def_property_readonly("record", [](const facade::StressResult& r) { return array(r.record); },
                               "each fault's record in the dataset (0-based)")
        .def_property_readonly("left_out",
                               [](const facade::StressResult& r) {
                                   py::array_t<bool> out(py::ssize_t(r.leftOut.size()));
                                   auto a = out.mutable_unchecked<1>();
                                   for (std::size_t i = 0; i < r.leftOut.size(); ++i) a(py::ssize_t(i)) = r.leftOut[i];
                                   return out;
                               })
        .def_readonly("cone95", &facade::StressResult::cone95, "95% cone of each axis (bootstrap), or None")
        .def_readonly("phi_range", &facade::StressResult::phiRange, "Phi's 95% range (bootstrap), or None")
        .def_property_readonly("bootstrap",
                               [](const facade::StressResult& r) {
                                   py::dict d;
                                   d["sigma1"] = pairs(r.samples[0]);
                                   d["sigma2"] = pairs(r.samples[1]);
                                   d["sigma3"] = pairs(r.samples[2]);
                                   d["phi"] = array(r.samplePhi);
                                   return d;
                               },
                               "the samples: sigma1..3 as (n, 2) arrays of trend and plunge, phi")
        .def_readonly("n", &facade::StressResult::n)
        .def_readonly("text", &facade::StressResult::text)
        .def("__repr__", [](const facade::StressResult& r) { return r.text; });
    m.def(
        "stress",
        [](const DatasetPtr& ds, const std::string& method, int bootstrap, unsigned long seed, double maxMisfit,
           bool refine) {
            facade::StressParams p;
            p.method = method;
            p.bootstrap = bootstrap;
            p.seed = seed;
            p.maxMisfit = maxMisfit;
            p.refine = refine;
            return facade::stress(opened(ds), p);
        },
        py::arg("dataset"), py::arg("method") = "michael", py::arg("bootstrap") = 0, py::arg("seed") = 1,
        py::arg("max_misfit") = 0.0, py::arg("refine") = true,
        "The stress of the faults: method='michael' (Michael 1984) or 'angelier' (after Angelier 1990), bootstrap= "
        "samples (seeded), max_misfit= leaves out faults misfitting by more degrees and inverts again, refine=False "
        "for the published methods alone");

    py::class_<facade::DihedraResult>(m, "DihedraResult")
        .def_property_readonly("grid",
                               [](const facade::DihedraResult& r) {
                                   const py::ssize_t n = py::ssize_t(r.values.rows());
                                   py::array_t<double> out({n, n});
                                   auto a = out.mutable_unchecked<2>();
                                   for (py::ssize_t j = 0; j < n; ++j) {
                                       for (py::ssize_t i = 0; i < n; ++i) {
                                           a(j, i) = r.values(std::size_t(j), std::size_t(i));
                                       }
                                   }
                                   return out;
                               },
                               "percent of the faults compressional at each node (rows north to south)")
        .def_property_readonly("p", [](const facade::DihedraResult& r) { return direction(r.p); })
        .def_property_readonly("t", [](const facade::DihedraResult& r) { return direction(r.t); })
        .def_readonly("p_percent", &facade::DihedraResult::pPercent)
        .def_readonly("t_percent", &facade::DihedraResult::tPercent)
        .def_readonly("n", &facade::DihedraResult::n)
        .def_readonly("text", &facade::DihedraResult::text);
    m.def(
        "dihedra",
        [](const DatasetPtr& ds, int grid) {
            facade::DihedraParams p;
            p.grid = grid;
            return facade::dihedra(opened(ds), p);
        },
        py::arg("dataset"), py::arg("grid") = 125,
        "Right dihedra (Angelier and Mechler 1977): the share of faults compressional at each node of the "
        "equal-area net, and the most (P) and least (T) compressional directions");

    py::class_<facade::TendencyResult>(m, "TendencyResult")
        .def_property_readonly("slip", [](const facade::TendencyResult& r) { return array(r.slip); },
                               "slip tendency tau / sigma_n of each plane")
        .def_property_readonly("slip_normalised",
                               [](const facade::TendencyResult& r) { return array(r.slipNormalised); })
        .def_property_readonly("dilation", [](const facade::TendencyResult& r) { return array(r.dilation); },
                               "(sigma1 - sigma_n) / (sigma1 - sigma3)")
        .def_property_readonly("record", [](const facade::TendencyResult& r) { return array(r.record); })
        .def_property_readonly("sigma1", [](const facade::TendencyResult& r) { return direction(r.sigma[0]); })
        .def_property_readonly("sigma2", [](const facade::TendencyResult& r) { return direction(r.sigma[1]); })
        .def_property_readonly("sigma3", [](const facade::TendencyResult& r) { return direction(r.sigma[2]); })
        .def_readonly("magnitudes", &facade::TendencyResult::magnitudes)
        .def_readonly("text", &facade::TendencyResult::text);
    m.def(
        "tendency",
        [](const DatasetPtr& ds, const py::object& sigma1, const py::object& sigma3,
           std::array<double, 3> magnitudes, bool fromFaults, const std::string& method, bool faults) {
            facade::TendencyParams p;
            p.faultPlanes = faults;
            p.fromFaults = fromFaults;
            p.inversion.method = method;
            setDirection(sigma1, p.sigma1);
            setDirection(sigma3, p.sigma3);
            p.magnitudes = magnitudes;
            return facade::tendency(opened(ds), p);
        },
        py::arg("dataset"), py::arg("sigma1") = py::none(), py::arg("sigma3") = py::none(),
        py::arg("magnitudes") = std::array<double, 3>{3.0, 2.0, 1.0}, py::arg("from_faults") = false,
        py::arg("method") = "michael", py::arg("faults") = false,
        "Slip and dilation tendency (Morris et al. 1996) of the planes under sigma1=(trend, plunge), "
        "sigma3=(trend, plunge) and magnitudes=(s1, s2, s3), compression positive; from_faults=True takes the axes "
        "and Phi from the data's own faults (s2 then follows from Phi)");
}

}  // namespace qzpy
