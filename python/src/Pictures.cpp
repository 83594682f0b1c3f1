// Pictures for Python: a stereonet (with density contours), a rose diagram
// or a tangent plot of a dataset, drawn through the cairo port when saved
// or shown, in the format asked for (PNG, SVG, PDF; inline in Jupyter).
#include <cmath>
#include <functional>

#include <tuple>

#include "Common.h"
#include "MatplotlibPort.h"

#ifdef QZ_HAVE_CAIRO
#include "qzCore/ports/CairoFigure.h"
#endif

namespace qzpy {

namespace {



/// A picture waiting for its format: what to draw, and how.
struct Picture {
    DatasetPtr dataset;
    int size = 400;
    std::string title;
    bool legend = false;
    /// Draws the plot on a port whose plot size it is given; returns a note
    /// for the user ("" when all went well).
    /// `vector`: for the matplotlib port (great circles as paths).
    std::function<std::string(qzCore::GraphicsPort&, const qzCore::PlotSize&, bool vector)> draw;
    std::string note;
};

#ifdef QZ_HAVE_CAIRO
/// The picture drawn in `format`: a canvas with room for the labels, a
/// title and a legend.
std::string render(Picture& p, qzCore::CairoPort::Format format) {
    qzCore::CairoFigure figure(format, p.size, p.title, p.legend);
    p.note = p.draw(figure.port(), figure.plotSize(), false);
    figure.drawTitle();
    return figure.bytes();
}
#endif

std::string bytesOf(Picture& p, const std::string& format) {
#ifdef QZ_HAVE_CAIRO
    qzCore::CairoPort::Format f = qzCore::CairoPort::Format::Png;
    if (!qzCore::CairoPort::formatOf("picture." + format, f)) throw py::value_error("pictures are png, svg or pdf");
    return render(p, f);
#else
    (void)p;
    (void)format;
    raise(qzCore::Error::Plot_Failed, "this qzcore was built without the cairo port: no pictures");
#endif
}

std::string extension(const std::string& path) {
    const auto dot = path.rfind('.');
    std::string e = dot == std::string::npos ? std::string() : path.substr(dot + 1);
    for (char& c : e) c = char(std::tolower(static_cast<unsigned char>(c)));
    return e;
}

/// The picture drawn on a matplotlib Axes: returns the Axes; what the
/// drawing had to say becomes a Python warning.
py::object onAxes(Picture& p, py::object ax) {
    constexpr float Half = 200.0f;  // the library's 400-unit plot
    qzCore::PlotSize size;
    size.init(2 * Half, 0, 0);
    qzCore::RecordingPort port;
    port.setSize(qzCore::TwoDPoint<float>(Half, Half), Half);
    p.note = p.draw(port, size, true);
    drawOnAxes(port, ax, Half);
    if (!p.title.empty()) ax.attr("set_title")(p.title, py::arg("pad") = 14);
    if (!p.note.empty()) py::module_::import("warnings").attr("warn")(p.note);
    return ax;
}

/// The Picture, or with `ax` the picture drawn there.
py::object finish(const std::shared_ptr<Picture>& pic, const py::object& ax) {
    if (ax.is_none()) return py::cast(pic);
    return onAxes(*pic, ax);
}

}  // namespace

void addPictures(py::module_& m) {
    py::class_<Picture, std::shared_ptr<Picture>>(m, "Picture",
                                                  "A plot of a dataset: save(path) writes PNG, SVG or PDF; Jupyter "
                                                  "shows it inline")
        .def(
            "save",
            [](Picture& p, const std::string& path) {
                const std::string e = extension(path);
                if (e != "png" && e != "svg" && e != "pdf") throw py::value_error("pictures are .png, .svg or .pdf");
                const std::string bytes = bytesOf(p, e);
                std::FILE* f = std::fopen(path.c_str(), "wb");
                if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::fclose(f) != 0) {
                    if (f) std::fclose(f);
                    raise(qzCore::Error::File_Write_Error, "cannot write '" + path + "'");
                }
            },
            py::arg("path"))
        .def("png", [](Picture& p) { return py::bytes(bytesOf(p, "png")); }, "The picture as PNG bytes")
        .def("svg", [](Picture& p) { return bytesOf(p, "svg"); }, "The picture as SVG text")
        .def("_repr_png_", [](Picture& p) { return py::bytes(bytesOf(p, "png")); })
        .def("_repr_svg_", [](Picture& p) { return bytesOf(p, "svg"); })
        .def_property_readonly("note", [](const Picture& p) { return p.note; },
                               "What the last drawing had to say (why there are no contours, ...); '' when nothing");

    m.def(
        "stereonet",
        [](const DatasetPtr& dsp, const std::string& projection, const std::string& hemisphere,
           const std::string& planes, bool net, const py::object& contour, const std::string& smoothing,
           const py::object& levels, int grid, bool filled, bool fisher, bool bestfit, bool pt, int size,
           const std::string& title, const std::string& colours, const py::object& count, bool markMax, bool key,
           const std::vector<std::tuple<double, double, double>>& cones, const std::string& kinematic,
           const py::object& slope, double friction, double lateralLimit, bool curvedLimits,
           const std::string& colourBy, bool stress, int bootstrap, unsigned long seed, const std::string& method,
           bool dihedra, const py::object& sigma1, const py::object& sigma3, std::array<double, 3> magnitudes,
           bool fromFaults, const py::object& ax) {
            opened(dsp);
            if (size < 100 || size > 4000) throw py::value_error("size is 100 to 4000");
            qzCore::facade::StereonetParams params;
            params.projection = projection;
            params.hemisphere = hemisphere;
            params.planes = planes;
            params.net = net;
            params.fisher = fisher;
            params.bestFit = bestfit;
            params.pt = pt;
            params.markMaximum = markMax;
            params.key = key;
            if (!contour.is_none()) {
                qzCore::facade::DensityParams& c = params.contours.emplace();
                c.method = contour.cast<std::string>();
                c.smoothing = smoothing;
                if (!levels.is_none()) c.levels = levels.cast<std::pair<double, double>>();
                c.grid = grid;
                c.filled = filled;
                c.colours = colours;
                if (!count.is_none()) c.count = count.cast<std::vector<std::string>>();
            }
            params.colourBy = colourBy;
            params.stress.axes = stress;
            params.stress.bootstrap = bootstrap;
            params.stress.seed = seed;
            params.stress.method = method;
            params.dihedra = dihedra;
            qzCore::facade::TendencyParams& t = params.tendency;
            t.faultPlanes = true;
            t.fromFaults = fromFaults;
            t.inversion.method = method;
            t.magnitudes = magnitudes;
            setDirection(sigma1, t.sigma1);
            setDirection(sigma3, t.sigma3);
            for (const auto& [trend, plunge, angle] : cones) params.cones.push_back({{trend, plunge}, angle});
            if (!kinematic.empty()) {
                if (slope.is_none()) throw py::value_error("kinematic needs slope=(dip direction, dip)");
                const auto face = slope.cast<std::pair<double, double>>();
                params.kinematic = {kinematic, {face.first, face.second, friction, lateralLimit, curvedLimits}};
            }
            qzCore::facade::check(params);  // refused now, not when drawn
            auto pic = std::make_shared<Picture>();
            pic->dataset = dsp;
            pic->size = size;
            pic->title = title;
            pic->legend = params.contours || key;
            pic->draw = [=](qzCore::GraphicsPort& port, const qzCore::PlotSize& plotSize, bool vector) {
                qzCore::facade::StereonetParams p = params;
                p.exactGreatCircles = vector;
                const qzCore::facade::Drawn drawn = qzCore::facade::drawStereonet(*dsp, p, port, plotSize);
                std::string note;
                for (const std::string* n : {&drawn.overlayNote, &drawn.levelsNote, &drawn.contoursNote}) {
                    if (!n->empty()) note += (note.empty() ? "" : "; ") + *n;
                }
                return note;
            };
            return finish(pic, ax);
        },
        py::arg("dataset"), py::arg("projection") = "equal-area", py::arg("hemisphere") = "lower",
        py::arg("planes") = "great-circles", py::arg("net") = false, py::arg("contour") = py::none(),
        py::arg("smoothing") = "exp", py::arg("levels") = py::none(), py::arg("grid") = 50,
        py::arg("filled") = false, py::arg("fisher") = false, py::arg("bestfit") = false, py::arg("pt") = false,
        py::arg("size") = 400, py::arg("title") = "", py::arg("colours") = "viridis", py::arg("count") = py::none(),
        py::arg("mark_max") = false, py::arg("key") = true,
        py::arg("cones") = std::vector<std::tuple<double, double, double>>{}, py::arg("kinematic") = "",
        py::arg("slope") = py::none(), py::arg("friction") = 30.0, py::arg("lateral_limit") = 20.0,
        py::arg("curved_limits") = false, py::arg("colour_by") = "", py::arg("stress") = false,
        py::arg("bootstrap") = 0, py::arg("seed") = 1, py::arg("method") = "michael", py::arg("dihedra") = false,
        py::arg("sigma1") = py::none(), py::arg("sigma3") = py::none(),
        py::arg("magnitudes") = std::array<double, 3>{3.0, 2.0, 1.0}, py::arg("from_faults") = false,
        py::arg("ax") = py::none(),
        "A stereonet of the records; fisher=, bestfit=, pt= draw those analyses over it; cones= a list of small "
        "circles (trend, plunge, half-angle); kinematic='planar'|'flexural'|'wedge'|'direct' shades that test's zones "
        "for slope=(dip direction, dip), friction=, lateral_limit=, curved_limits=; colour_by='set' colours records by "
        "their sets (qzcore.mark_sets), 'misfit' faults by their misfit to the stress; stress=True draws sigma1..3 "
        "as Angelier's stars (bootstrap= samples as dots, seed=, method=); dihedra=True shades right dihedra; "
        "colour_by='slip-tendency' or 'dilation-tendency' colours planes under sigma1=, sigma3=, magnitudes= (or "
        "from_faults=True); contour='kamb'|'1percent'|'seismic' adds density contours (planes at their "
        "poles), levels=(start, interval) (default: 2, 4, ... when that gives one to ten levels, else round numbers "
        "from the densest node, said in the picture's note); colours= names the levels' colour map (viridis, cividis, magma, "
        "greys, classic); count= lists what is counted (default the records loaded: planes, faults, lines, lineations; "
        "'results' adds analysis results); mark_max= marks the densest direction; key= draws the key of symbols. With "
        "ax= (a matplotlib Axes) the net is drawn there as matplotlib artists and the Axes returned");

    m.def(
        "rose",
        [](const DatasetPtr& dsp, const std::string& of, int classSize, int classStart, const py::object& bidirectional,
           const std::string& scaling, bool outline, int runningAverage, bool resultant, int size,
           const std::string& title, const py::object& ax) {
            opened(dsp);
            qzCore::facade::RoseParams params;
            params.of = of;
            params.classSize = classSize;
            params.classStart = classStart;
            if (!bidirectional.is_none()) params.bidirectional = bidirectional.cast<bool>();
            params.scaling = scaling;
            params.outline = outline;
            params.runningAverage = runningAverage;
            params.resultant = resultant;
            if (of.empty()) throw py::value_error("of takes strike, dip-direction or trend");
            qzCore::facade::check(params);  // refused now, not when drawn
            auto pic = std::make_shared<Picture>();
            pic->dataset = dsp;
            pic->size = size;
            pic->title = title;
            pic->draw = [=](qzCore::GraphicsPort& port, const qzCore::PlotSize& plotSize, bool) {
                const qzCore::facade::RoseDrawn drawn = qzCore::facade::drawRose(*dsp, params, port, plotSize);
                return drawn.count == 0 ? std::string("nothing to draw") : std::string();
            };
            return finish(pic, ax);
        },
        py::arg("dataset"), py::arg("of") = "strike", py::arg("class_size") = 10, py::arg("class_start") = 0,
        py::arg("bidirectional") = py::none(), py::arg("scaling") = "area", py::arg("outline") = false,
        py::arg("running_average") = 0, py::arg("resultant") = true, py::arg("size") = 400, py::arg("title") = "",
        py::arg("ax") = py::none(),
        "A rose diagram of strikes, dip directions or trends (bidirectional for strikes unless told); with ax= (a "
        "matplotlib Axes) drawn there and the Axes returned");

    m.def(
        "tangent",
        [](const DatasetPtr& dsp, const std::string& planes, int size, const std::string& title, const py::object& ax) {
            opened(dsp);
            qzCore::facade::check(qzCore::facade::TangentParams{planes});
            auto pic = std::make_shared<Picture>();
            pic->dataset = dsp;
            pic->size = size;
            pic->title = title;
            pic->draw = [=](qzCore::GraphicsPort& port, const qzCore::PlotSize& plotSize, bool) {
                const qzCore::facade::TangentDrawn drawn = qzCore::facade::drawTangent(*dsp, {planes}, port, plotSize);
                return drawn.offPicture == 0
                           ? std::string()
                           : std::to_string(drawn.offPicture) + " points plunging more than 65 degrees left off the picture";
            };
            return finish(pic, ax);
        },
        py::arg("dataset"), py::arg("planes") = "dip-vectors", py::arg("size") = 400, py::arg("title") = "",
        py::arg("ax") = py::none(),
        "A tangent plot: planes as dip vectors (or poles), lines by trend and tan(plunge), within the circle of "
        "plunge 65 (the note says how many points lie beyond); with ax= drawn on that matplotlib Axes");

    m.def(
        "fabric_diagram",
        [](const std::vector<DatasetPtr>& datasets, const std::string& kind, std::vector<std::string> labels,
           bool faults, bool lineations, int size, const std::string& title, const py::object& ax) {
            if (size < 100 || size > 4000) throw py::value_error("size is 100 to 4000");
            qzCore::facade::FabricParams params;
            params.kind = kind;
            qzCore::facade::check(params);
            if (!labels.empty() && labels.size() != datasets.size()) {
                throw py::value_error("labels must name each dataset");
            }
            std::vector<qzCore::FabricPoint> fabrics;
            qzCore::facade::Selection use;
            use.faultPlanes = faults;
            use.slipLines = lineations;
            for (std::size_t i = 0; i < datasets.size(); ++i) {
                const std::string label = labels.empty() ? "dataset " + std::to_string(i + 1) : labels[i];
                fabrics.push_back({label, qzCore::facade::tensor(opened(datasets[i]), use).shape});
            }
            auto pic = std::make_shared<Picture>();
            pic->dataset = datasets.empty() ? nullptr : datasets.front();
            pic->size = size;
            pic->title = title;
            pic->legend = true;
            pic->draw = [=](qzCore::GraphicsPort& port, const qzCore::PlotSize&, bool) {
                const auto drawn = qzCore::facade::drawFabric(fabrics, params, port);
                std::string note;
                for (const std::string& l : drawn.leftOff) note += (note.empty() ? "" : "; ") + l + " has a zero eigenvalue";
                return note;
            };
            return finish(pic, ax);
        },
        py::arg("datasets"), py::arg("kind") = "woodcock", py::arg("labels") = std::vector<std::string>{},
        py::arg("faults") = false, py::arg("lineations") = false, py::arg("size") = 400, py::arg("title") = "",
        py::arg("ax") = py::none(),
        "Woodcock's diagram (kind='woodcock': ln(S2/S3) across, ln(S1/S2) up, lines of K and C) or Vollmer's "
        "triangle (kind='vollmer': P, G, R) of the orientation tensors of several datasets, one marker each");

    for (const bool mohr : {true, false}) {
        m.def(
            mohr ? "mohr" : "misfit_histogram",
            [mohr](const DatasetPtr& dsp, const std::string& method, double maxMisfit, bool refine, int size,
                   const std::string& title, const py::object& ax) {
                if (size < 100 || size > 4000) throw py::value_error("size is 100 to 4000");
                qzCore::facade::StressParams p;
                p.method = method;
                p.maxMisfit = maxMisfit;
                p.refine = refine;
                const qzCore::facade::StressResult r = qzCore::facade::stress(opened(dsp), p);
                auto pic = std::make_shared<Picture>();
                pic->dataset = dsp;
                pic->size = size;
                pic->title = title;
                pic->legend = true;
                pic->draw = [r, mohr](qzCore::GraphicsPort& port, const qzCore::PlotSize&, bool) {
                    if (mohr) {
                        qzCore::facade::drawMohr(r, port);
                    } else {
                        qzCore::facade::drawMisfits(r, port);
                    }
                    return std::string();
                };
                return finish(pic, ax);
            },
            py::arg("dataset"), py::arg("method") = "michael", py::arg("max_misfit") = 0.0, py::arg("refine") = true,
            py::arg("size") = 400, py::arg("title") = "", py::arg("ax") = py::none(),
            mohr ? "Mohr's diagram of the faults under the stress found from them (reduced tensor, Phi's three circles, "
                   "faults coloured by misfit)"
                 : "The histogram of the faults' misfits to the stress found from them, in 10-degree classes");
    }
}

}  // namespace qzpy
