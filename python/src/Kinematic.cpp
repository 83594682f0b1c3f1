// qzcore.kinematic: rock-slope kinematics of a dataset's planes, with a
// boolean array per test over the records and the counts of the pairs.
#include "Common.h"

namespace qzpy {

namespace {

namespace facade = qzCore::facade;
using qzCore::KinematicZone;

struct KinematicColumns {
    py::array_t<bool> planar, planar_secondary, flexural_toppling, base_planes;
    py::array_t<std::uint32_t> wedges_per_plane;
    std::pair<std::size_t, std::size_t> wedge, direct_toppling;
    std::size_t planes = 0, pairs = 0;
    std::string text;
};

py::array_t<bool> where(const std::vector<KinematicZone>& zones, KinematicZone zone) {
    py::array_t<bool> out(py::ssize_t(zones.size()));
    auto a = out.mutable_unchecked<1>();
    for (std::size_t i = 0; i < zones.size(); ++i) a(py::ssize_t(i)) = zones[i] == zone;
    return out;
}

}  // namespace

void addKinematic(py::module_& m) {
    py::class_<KinematicColumns>(m, "KinematicResult")
        .def_readonly("planar", &KinematicColumns::planar,
                      "per record: a plane that can slide (daylights, steeper than friction, within the limits)")
        .def_readonly("planar_secondary", &KinematicColumns::planar_secondary,
                      "per record: daylights and steeper than friction, outside the lateral limits")
        .def_readonly("flexural_toppling", &KinematicColumns::flexural_toppling,
                      "per record: pole outside the slip-limit plane, within the limits")
        .def_readonly("base_planes", &KinematicColumns::base_planes,
                      "per record: a primary basal release plane of direct toppling")
        .def_readonly("wedges_per_plane", &KinematicColumns::wedges_per_plane,
                      "per record: main-zone wedges the plane forms with the others")
        .def_readonly("wedge", &KinematicColumns::wedge, "(main, secondary) lines of intersection")
        .def_readonly("direct_toppling", &KinematicColumns::direct_toppling,
                      "(primary, oblique) lines of intersection")
        .def_readonly("planes", &KinematicColumns::planes)
        .def_readonly("pairs", &KinematicColumns::pairs, "pairs of planes that meet in a line")
        .def_readonly("text", &KinematicColumns::text, "what qz analyse kinematic prints")
        .def("__repr__", [](const KinematicColumns& k) { return k.text; });
    m.def(
        "kinematic",
        [](const DatasetPtr& ds, std::pair<double, double> slope, double friction, double lateralLimit,
           bool curvedLimits, bool faults) {
            facade::KinematicParams p;
            p.faultPlanes = faults;
            p.face = {slope.first, slope.second, friction, lateralLimit, curvedLimits};
            const facade::KinematicResult r = facade::kinematic(opened(ds), p);
            KinematicColumns out;
            out.planar = where(r.planar, KinematicZone::Main);
            out.planar_secondary = where(r.planar, KinematicZone::Secondary);
            out.flexural_toppling = where(r.flexural, KinematicZone::Main);
            out.base_planes = where(r.basal, KinematicZone::Main);
            out.wedges_per_plane = py::array_t<std::uint32_t>(py::ssize_t(r.wedges.size()), r.wedges.data());
            const qzCore::KinematicTally& t = r.tally;
            if (!t.pairsTested) throw py::value_error("too many distinct orientations to test every pair of planes");
            out.wedge = {t.wedgeMain, t.wedgeSecondary};
            out.direct_toppling = {t.directMain, t.directOblique};
            out.planes = t.planes;
            out.pairs = t.intersecting;
            out.text = r.text;
            return out;
        },
        py::arg("dataset"), py::arg("slope"), py::arg("friction") = 30.0, py::arg("lateral_limit") = 20.0,
        py::arg("curved_limits") = false, py::arg("faults") = false,
        "Rock-slope kinematics for a face slope=(dip direction, dip): planar sliding, flexural toppling and basal "
        "planes per record, wedge sliding and direct toppling counted over every pair of planes");
}

}  // namespace qzpy
