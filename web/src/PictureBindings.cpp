// The pictures in the browser: stereonet, rose and tangent plot drawn by
// the SVG port with the options of qz plot, as SVG text.
#include <emscripten/bind.h>

#include <functional>
#include <string>
#include <vector>

#include "Values.h"
#include "qzCore/facade/Pictures.h"
#include "qzCore/ports/SvgFigure.h"
#include "qzCore/qzCore.h"

namespace qzweb {
namespace {

/// {svg, elements, ...what `draw` adds}: the figure at `size` pixels a
/// side (100-4000) with its title.
val picture(const std::function<void(qzCore::SvgFigure&, val&)>& draw, const val& options, bool legend) {
    return guarded([&] {
        const int size = whole(options, "size", 400);
        if (size < 100 || size > 4000) throw facade::Refused("size", "takes 100 to 4000");
        qzCore::SvgFigure figure(size, text(options, "title", ""), legend);
        val out = val::object();
        draw(figure, out);
        figure.drawTitle();
        out.set("svg", figure.svg());
        out.set("elements", double(figure.port().elements()));
        return out;
    });
}

/// The stereonet's options, as qz plot stereonet takes them.
facade::StereonetParams stereonetParams(const val& options) {
    facade::StereonetParams p;
    p.projection = text(options, "projection", p.projection);
    p.hemisphere = text(options, "hemisphere", p.hemisphere);
    p.planes = text(options, "planes", p.planes);
    p.net = flag(options, "net", p.net);
    p.slipArrows = flag(options, "slipArrows", p.slipArrows);
    p.fisher = flag(options, "fisher", p.fisher);
    p.bestFit = flag(options, "bestfit", p.bestFit);
    p.pt = flag(options, "pt", p.pt);
    p.markMaximum = flag(options, "markMax", p.markMaximum);
    p.key = flag(options, "key", p.key);
    p.exactGreatCircles = true;
    // Contours by a counting method, with the density's options.
    const std::string contour = text(options, "contour", "");
    if (!contour.empty()) p.contours = densityParams(options, contour);
    // Small circles: [[trend, plunge, half-angle], ...].
    const val cones = option(options, "cones");
    if (!cones.isUndefined() && !cones.isNull()) {
        if (!cones.isArray()) throw facade::Refused("cones", "takes [[trend, plunge, half-angle], ...]");
        const int n = cones["length"].as<int>();
        for (int i = 0; i < n; ++i) {
            val one = val::object();
            one.set("cones", cones[i]);
            const std::vector<double> c = numbers(one, "cones", 3, "[trend, plunge, half-angle]");
            p.cones.push_back(facade::ConeParams{facade::Direction{c[0], c[1]}, c[2]});
        }
    }
    // A kinematic test over the data, on the slope face given.
    p.kinematic.test = text(options, "kinematic", "");
    slopeFace(options, p.kinematic.face);
    p.colourBy = text(options, "colourBy", "");
    // The stress of the faults, as qz plot stereonet --stress finds it.
    p.stress.axes = flag(options, "stress", false);
    p.stress.method = text(options, "method", p.stress.method);
    p.stress.bootstrap = whole(options, "bootstrap", 0);
    p.stress.seed = static_cast<unsigned long>(whole(options, "seed", 1));
    p.stress.maxMisfit = number(options, "maxMisfit", p.stress.maxMisfit);
    p.stress.refine = flag(options, "refine", p.stress.refine);
    p.dihedra = flag(options, "dihedra", false);
    // Tendencies (colourBy "slip-tendency", "dilation-tendency") under the
    // stress given, or the faults' own.
    const std::vector<double> s1 = numbers(options, "sigma1", 2, "[trend, plunge]");
    if (!s1.empty()) p.tendency.sigma1 = facade::Direction{s1[0], s1[1]};
    const std::vector<double> s3 = numbers(options, "sigma3", 2, "[trend, plunge]");
    if (!s3.empty()) p.tendency.sigma3 = facade::Direction{s3[0], s3[1]};
    const std::vector<double> m = numbers(options, "magnitudes", 3, "[S1, S2, S3]");
    if (!m.empty()) p.tendency.magnitudes = {m[0], m[1], m[2]};
    p.tendency.fromFaults = flag(options, "fromFaults", false);
    p.tendency.faultPlanes = true;
    p.tendency.inversion.method = p.stress.method;
    return p;
}

val stereonetSvg(const DatasetHandle& h, const val& options) {
    return guarded([&] {
        const facade::StereonetParams p = stereonetParams(options);
        return picture(
            [&](qzCore::SvgFigure& f, val& out) {
                const facade::Drawn d = facade::drawStereonet(opened(h), p, f.port(), f.plotSize());
                out.set("records", d.records);
                // What the user should know: how the levels were chosen,
                // what an overlay left out, why there are no contours.
                val notes = val::array();
                for (const std::string& n : {d.levelsNote, d.overlayNote, d.contoursNote}) {
                    if (!n.empty()) notes.call<void>("push", n);
                }
                out.set("notes", notes);
            },
            options, p.contours.has_value() || p.key);
    });
}

val roseSvg(const DatasetHandle& h, const val& options) {
    return guarded([&] {
        facade::RoseParams p;
        p.of = text(options, "of", p.of);
        p.classSize = whole(options, "classSize", p.classSize);
        p.classStart = whole(options, "classStart", p.classStart);
        const val both = option(options, "bidirectional");
        if (!both.isUndefined() && !both.isNull()) p.bidirectional = both.as<bool>();
        p.scaling = text(options, "scaling", p.scaling);
        p.outline = flag(options, "outline", p.outline);
        p.runningAverage = whole(options, "runningAverage", p.runningAverage);
        p.resultant = flag(options, "resultant", p.resultant);
        return picture(
            [&](qzCore::SvgFigure& f, val& out) {
                const facade::RoseDrawn d = facade::drawRose(opened(h), p, f.port(), f.plotSize());
                out.set("of", d.of);
                out.set("count", d.count);
                out.set("leftOut", d.leftOut);
                out.set("resultant", optional(d.resultant_deg));
            },
            options, false);
    });
}

val tangentSvg(const DatasetHandle& h, const val& options) {
    return guarded([&] {
        facade::TangentParams p;
        p.planes = text(options, "planes", p.planes);
        return picture(
            [&](qzCore::SvgFigure& f, val& out) {
                const facade::TangentDrawn d = facade::drawTangent(opened(h), p, f.port(), f.plotSize());
                out.set("records", d.records);
                out.set("offPicture", d.offPicture);
            },
            options, false);
    });
}

std::string version() { return qzCore::libraryVersion(); }

}  // namespace
}  // namespace qzweb

EMSCRIPTEN_BINDINGS(qzcore_pictures) {
    using namespace qzweb;
    emscripten::function("stereonetSvg", &stereonetSvg);
    emscripten::function("roseSvg", &roseSvg);
    emscripten::function("tangentSvg", &tangentSvg);
    emscripten::function("version", &version);
}
