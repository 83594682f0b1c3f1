// The analyses in the browser: the Fisher mean, the orientation tensor,
// best fit, P and T axes and the density as plain objects, and any
// analysis qz analyse runs, by name, as its text.
#include <emscripten/bind.h>

#include <string>
#include <vector>

#include "Values.h"
#include "qzCore/facade/Density.h"

namespace qzweb {
namespace {

val fisher(const DatasetHandle& h, const val& options) {
    return guarded([&] {
        facade::FisherParams p;
        static_cast<facade::Selection&>(p) = selection(options);
        p.axial = flag(options, "axial", false);
        const facade::FisherResult r = facade::fisher(opened(h), p);
        val out = val::object();
        out.set("mean", direction(r.mean));
        out.set("k", r.k);
        out.set("R", r.R);
        out.set("cone95", optional(r.cone95_deg));
        out.set("n", r.n);
        out.set("text", utf8(r.text));
        return out;
    });
}

val tensor(const DatasetHandle& h, const val& options) {
    return guarded([&] {
        const facade::TensorResult r = facade::tensor(opened(h), selection(options));
        val out = val::object();
        out.set("woodcockK", optional(r.shape.woodcockK));
        out.set("woodcockC", optional(r.shape.woodcockC));
        out.set("vollmerP", r.shape.vollmerP);
        out.set("vollmerG", r.shape.vollmerG);
        out.set("vollmerR", r.shape.vollmerR);
        out.set("n", r.n);
        out.set("text", utf8(r.text));
        return out;
    });
}

val bestfit(const DatasetHandle& h, const val& options) {
    return guarded([&] {
        const facade::BestFitResult r = facade::bestFit(opened(h), selection(options));
        val out = val::object();
        out.set("axis", direction(r.axis));
        out.set("n", r.n);
        out.set("text", utf8(r.text));
        return out;
    });
}

/// P and T axes of each fault: {faults: [{record, strike, dip, slipLine,
/// sense, p, t, misfit, skipped}], n, text}; a fault without axes has
/// p and t null and says why in `skipped`.
val pt(const DatasetHandle& h, const val& options) {
    return guarded([&] {
        const facade::PTResult r = facade::ptAxes(opened(h), selection(options));
        val faults = val::array();
        for (const facade::FaultAxes& f : r.faults) {
            val row = val::object();
            row.set("record", double(f.record));
            row.set("strike", f.strike_deg);
            row.set("dip", f.dip_deg);
            row.set("slipLine", direction(f.slipLine));
            row.set("sense", f.sense);
            row.set("p", direction(f.p));
            row.set("t", direction(f.t));
            row.set("misfit", optional(f.misfit_deg));
            row.set("skipped", f.skipped);
            faults.call<void>("push", row);
        }
        val out = val::object();
        out.set("faults", faults);
        out.set("n", r.n);
        out.set("text", utf8(r.text));
        return out;
    });
}

/// The density on the lower-hemisphere equal-area net: {grid (nodes a
/// side), values (Float64Array of grid x grid, row 0 along the north
/// edge, west to east; 0 outside the net), percent, count, maximum,
/// densest {trend, plunge}, peak {trend, plunge, value}, text}.
val density(const DatasetHandle& h, const val& options) {
    return guarded([&] {
        const facade::DensityResult r =
            facade::density(opened(h), densityParams(options, text(options, "method", "kamb")));
        const qzCore::DensityGrid& g = r.grid;
        std::vector<double> values;
        values.reserve(g.values.rows() * g.values.cols());
        for (std::size_t j = 0; j < g.values.rows(); ++j) {
            for (std::size_t i = 0; i < g.values.cols(); ++i) values.push_back(g.values(j, i));
        }
        val out = val::object();
        out.set("grid", g.size());
        out.set("values", val::global("Float64Array")
                              .new_(emscripten::typed_memory_view(values.size(), values.data()))
                              .call<val>("slice"));
        out.set("percent", g.percent);
        out.set("count", g.count);
        out.set("maximum", g.maximum);
        out.set("densest", direction(facade::Direction{g.maxTrend, g.maxPlunge}));
        val peak = direction(facade::Direction{double(g.peakTrend), double(g.peakPlunge)});
        peak.set("value", g.peak);
        out.set("peak", peak);
        out.set("text", utf8(r.text));
        return out;
    });
}

/// Any analysis of the table by name, as qz analyse runs it: {n, text}.
val analyse(const DatasetHandle& h, const std::string& name, const val& options) {
    return guarded([&] {
        const facade::AnalysisInfo* a = facade::analysisNamed(name);
        if (!a) throw facade::Refused("analysis", "'" + name + "' is not one of the analyses");
        facade::AnalysisRequest q;
        static_cast<facade::Selection&>(q) = selection(options);
        q.axial = flag(options, "axial", false);
        q.seed = whole(options, "seed", 1);
        q.sets = whole(options, "sets", 0);
        q.bootstrap = whole(options, "bootstrap", 0);
        // Kinematics: the slope face [dip direction, dip] and its angles.
        slopeFace(options, q.face);
        const facade::Outcome o = a->run(opened(h), q);
        val out = val::object();
        out.set("n", o.n);
        out.set("text", utf8(o.text));
        return out;
    });
}

val analysisNames() {
    val out = val::array();
    for (const facade::AnalysisInfo& a : facade::analyses()) {
        val row = val::object();
        row.set("name", std::string(a.name));
        row.set("help", std::string(a.help));
        out.call<void>("push", row);
    }
    return out;
}

}  // namespace
}  // namespace qzweb

EMSCRIPTEN_BINDINGS(qzcore_analyses) {
    using namespace qzweb;
    emscripten::function("fisher", &fisher);
    emscripten::function("tensor", &tensor);
    emscripten::function("bestfit", &bestfit);
    emscripten::function("pt", &pt);
    emscripten::function("density", &density);
    emscripten::function("analyse", &analyse);
    emscripten::function("analyses", &analysisNames);
}
