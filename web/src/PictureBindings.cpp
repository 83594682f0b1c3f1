// The pictures in the browser: stereonet, rose and tangent plot drawn by
// the SVG port with the options of qz plot, as SVG text.
#include <emscripten/bind.h>

#include <functional>
#include <string>

#include "Values.h"
#include "qzCore/facade/Pictures.h"
#include "qzCore/ports/SvgFigure.h"
#include "qzCore/qzCore.h"

namespace qzweb {
namespace {

/// {svg, elements}: the figure at `size` pixels a side (100-4000) with
/// its title.
val picture(const std::function<void(qzCore::SvgFigure&)>& draw, const val& options, bool legend) {
    return guarded([&] {
        const int size = whole(options, "size", 400);
        if (size < 100 || size > 4000) throw facade::Refused("size", "takes 100 to 4000");
        qzCore::SvgFigure figure(size, text(options, "title", ""), legend);
        draw(figure);
        figure.drawTitle();
        val out = val::object();
        out.set("svg", figure.svg());
        out.set("elements", double(figure.port().elements()));
        return out;
    });
}

val stereonetSvg(const DatasetHandle& h, const val& options) {
    return guarded([&] {
        facade::StereonetParams p;
        p.projection = text(options, "projection", "equal-area");
        p.hemisphere = text(options, "hemisphere", "lower");
        p.planes = text(options, "planes", "great-circles");
        p.net = flag(options, "net", false);
        p.fisher = flag(options, "fisher", false);
        p.bestFit = flag(options, "bestfit", false);
        p.pt = flag(options, "pt", false);
        p.key = flag(options, "key", true);
        p.exactGreatCircles = true;
        // Contours by a counting method, with the density's options.
        const std::string contour = text(options, "contour", "");
        if (!contour.empty()) p.contours = densityParams(options, contour);
        return picture([&](qzCore::SvgFigure& f) { facade::drawStereonet(opened(h), p, f.port(), f.plotSize()); },
                       options, !contour.empty() || p.key);
    });
}

val roseSvg(const DatasetHandle& h, const val& options) {
    return guarded([&] {
        facade::RoseParams p;
        p.of = text(options, "of", "");
        p.classSize = whole(options, "classSize", 10);
        return picture([&](qzCore::SvgFigure& f) { facade::drawRose(opened(h), p, f.port(), f.plotSize()); },
                       options, false);
    });
}

val tangentSvg(const DatasetHandle& h, const val& options) {
    return guarded([&] {
        facade::TangentParams p;
        p.planes = text(options, "planes", "dip-vectors");
        return picture([&](qzCore::SvgFigure& f) { facade::drawTangent(opened(h), p, f.port(), f.plotSize()); },
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
