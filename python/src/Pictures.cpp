// Pictures for Python: a stereonet (with density contours), a rose diagram
// or a tangent plot of a dataset, drawn through the cairo port when saved
// or shown, in the format asked for (PNG, SVG, PDF; inline in Jupyter).
#include <cmath>
#include <functional>

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

using K = qzCore::GDTypes;

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

Dataset& dataOf(const DatasetPtr& ds) {
    if (!ds || !ds->open) throw py::value_error("the dataset holds no data");
    return *ds;
}

qzCore::PlotColors blackText(qzCore::PlotColors c) {
    c.text = qzCore::RGBColor(0, 0, 0);
    return c;
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
           const py::object& ax) {
            dataOf(dsp);
            if (projection != "equal-area" && projection != "equal-angle") {
                throw py::value_error("projection is equal-area or equal-angle");
            }
            if (hemisphere != "lower" && hemisphere != "upper") throw py::value_error("hemisphere is lower or upper");
            if (planes != "great-circles" && planes != "poles") throw py::value_error("planes is great-circles or poles");
            if (size < 100 || size > 4000) throw py::value_error("size is 100 to 4000");
            qzCore::ContourParams c;
            const bool contoured = !contour.is_none();
            if (contoured) {
                using P = qzCore::ContourParams;
                const std::string method = contour.cast<std::string>();
                const std::pair<const char*, int> methods[] = {
                    {"kamb", P::Method_Kamb}, {"1percent", P::Method_One_Percent}, {"seismic", P::Method_Seismic}};
                const std::pair<const char*, int> smoothings[] = {{"none", P::Smooth_None},
                                                                  {"linear", P::Smooth_Inv_Area},
                                                                  {"square", P::Smooth_Inv_Area_Sq},
                                                                  {"exp", P::Smooth_Expon}};
                int mth = -1, sm = -1;
                for (const auto& e : methods) mth = method == e.first ? e.second : mth;
                for (const auto& e : smoothings) sm = smoothing == e.first ? e.second : sm;
                if (mth < 0) throw py::value_error("contour is kamb, 1percent or seismic");
                if (sm < 0) throw py::value_error("smoothing is none, linear, square or exp");
                c.setContourMethod(mth);
                c.setSmoothingMethod(sm);
                if (!levels.is_none()) {
                    const auto given = levels.cast<std::pair<double, double>>();
                    c.setStartLevel(given.first);
                    c.setContourInterval(given.second);
                }
                c.setGridDensity(grid);
                c.setClosedContours(filled);
                const qzCore::ColorMap* map = qzCore::findColorMap(colours);
                if (!map) {
                    std::string names;
                    for (const qzCore::ColorMap& m : qzCore::colorMaps()) names += std::string(names.empty() ? "" : ", ") + m.name;
                    throw py::value_error("colours is one of " + names);
                }
                c.setColorRamp(map->stops);
                // What was loaded is counted, never analysis results, unless
                // asked for.
                const std::vector<std::string> kinds =
                    count.is_none() ? std::vector<std::string>{"planes", "faults", "lines", "lineations"}
                                    : count.cast<std::vector<std::string>>();
                for (const std::string& k : kinds) {
                    if (k == "planes") c.setIncludePlanes(true);
                    else if (k == "faults") c.setIncludeFaults(true);
                    else if (k == "lines") c.setIncludeLines(true);
                    else if (k == "lineations") c.setIncludeLineations(true);
                    else if (k == "results") c.setIncludeSpecials(true);
                    else throw py::value_error("count holds planes, faults, lines, lineations or results, not '" + k + "'");
                }
                c.setCountGreatCirclesAtPoles(true);
            }
            auto pic = std::make_shared<Picture>();
            pic->dataset = dsp;
            pic->size = size;
            pic->title = title;
            pic->legend = contoured || key;
            pic->draw = [=](qzCore::GraphicsPort& port, const qzCore::PlotSize& plotSize, bool vector) {
                qzCore::StereoPlotParams p;
                p.setUseAccurateGreatCircle(vector);
                p.setIsEqualArea(projection == "equal-area");
                p.setIsLowerHem(hemisphere == "lower");
                const auto style = planes == "poles" ? qzCore::Planar_Pole : qzCore::Planar_Great_Circle;
                p.setPlaneStyle(style);
                p.setFaultStyle(style);
                p.setShowPlotNet(net);
                p.setPlotSize(plotSize);
                // Our count of records, colour bar and key (FigureDecorations.h).
                p.setShowDataCount(false);
                p.setShowPlotLegend(false);
                const int records = qzCore::countDataRecords(dsp->data());
                qzCore::styleForPrint(p, records);
                qzCore::StereoPlotCore plot(p, &port, dsp->manager);
                qzCore::insertDataset(plot, dsp->data());
                qzCore::ContourParams drawn = c;
                // No levels given: chosen from the densest node, and said.
                const std::string levelNote = contoured && levels.is_none() ? plot.chooseLevels(drawn) : "";
                if (contoured) plot.setContourParams(drawn);
                qzCore::StereonetOverlays overlays(plot, dsp->data());
                const std::pair<bool, int (qzCore::StereonetOverlays::*)()> wanted[] = {
                    {fisher, &qzCore::StereonetOverlays::addFisher},
                    {bestfit, &qzCore::StereonetOverlays::addBestFit},
                    {pt, &qzCore::StereonetOverlays::addPTAxes}};
                for (const auto& w : wanted) {
                    if (!w.first) continue;
                    const int r = (overlays.*(w.second))();
                    if (r != 1) raise(r, dsp->message(r));
                }
                try {
                    plot.generatePlot();
                } catch (int code) {
                    raise(code, dsp->message(code));
                }
                overlays.drawOnPort(port);
                qzCore::drawRecordCount(port, p, records);
                const float below = qzCore::drawColorBar(port, plot, 0.95f);
                if (key) {
                    std::vector<qzCore::KeyEntry> rows = qzCore::dataKey(dsp->data(), plot);
                    rows.insert(rows.end(), overlays.key().begin(), overlays.key().end());
                    qzCore::drawKey(port, rows, below);
                }
                if (markMax && contoured) {
                    qzCore::DensityGrid density;
                    if (plot.computeDensity(drawn, density) == qzCore::ContourOutcome::Drawn) {
                        qzCore::drawMaximum(port, plot, density);
                    }
                }
                std::string note = overlays.note();
                if (!levelNote.empty()) note += (note.empty() ? "" : "; ") + levelNote;
                if (contoured && plot.getContourOutcome() != qzCore::ContourOutcome::Drawn) {
                    note += (note.empty() ? "" : "; ") + std::string("no contours: ") + plot.getContourMessage();
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
        py::arg("mark_max") = false, py::arg("key") = true, py::arg("ax") = py::none(),
        "A stereonet of the records; fisher=, bestfit=, pt= draw those analyses over it; contour='kamb'|'1percent'|'seismic' adds density contours (planes at their "
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
            dataOf(dsp);
            if (of != "strike" && of != "dip-direction" && of != "trend") {
                throw py::value_error("of is strike, dip-direction or trend");
            }
            if (classSize <= 0 || classSize > 360 || 360 % classSize != 0) {
                throw py::value_error("class_size must divide 360");
            }
            if (classStart < 0 || classStart > 359) throw py::value_error("class_start is 0 to 359");
            if (runningAverage < 0 || runningAverage > 360) throw py::value_error("running_average is 1 to 360");
            if (scaling != "area" && scaling != "linear") throw py::value_error("scaling is area or linear");
            const bool axial = bidirectional.is_none() ? of == "strike" : bidirectional.cast<bool>();
            auto pic = std::make_shared<Picture>();
            pic->dataset = dsp;
            pic->size = size;
            pic->title = title;
            pic->draw = [=](qzCore::GraphicsPort& port, const qzCore::PlotSize& plotSize, bool) {
                qzCore::RosePlotParams p;
                p.setClassSize(classSize);
                p.setClassStart(classStart);
                p.setIsUnidirectional(!axial);
                p.setIsAreaProportional(scaling == "area");
                p.setGenerateRoseOutline(outline);
                p.setApplyRunningAverage(runningAverage > 0);
                if (runningAverage > 0) p.setRunningAverageWindowSize(runningAverage);
                p.setShowResultantDirection(resultant);
                const auto style = of == "dip-direction" ? qzCore::Planar_Dip_Direction : qzCore::Planar_Great_Circle;
                p.setPlaneStyle(style);
                p.setFaultStyle(style);
                p.setPlotSize(plotSize);
                p.setPlotColors(blackText(p.getPlotColors()));
                p.getPlotColors().fault = qzCore::RGBColor(110, 150, 210);
                p.getPlotColors().lineation = qzCore::RGBColor(30, 50, 110);
                qzCore::RosePlotCore rose(p, &port, dsp->manager);
                for (const qzCore::GeoData* g : dsp->data().getDataList()) {
                    if (!g) continue;
                    const char kind = g->getGDType();
                    if (of == "trend") {
                        if (kind == K::GDType_Fault) rose.insertLineation(g);
                        else if (kind == K::GDType_Line) rose.insertLine(g);
                        else if (g->isSpecial()) rose.insertSpecial(g);
                    } else if (kind == K::GDType_Fault) {
                        rose.insertFault(g);
                    } else if (g->data() && g->data()->isPlanar()) {
                        rose.insertPlane(g);
                    }
                }
                // Drawn by asking for the petals' radii: the largest labels the
                // rings.
                std::vector<float> radii;
                float largest = 0.0f;
                rose.getResults(radii, largest);
                qzCore::drawRoseLabels(port, rose, largest);
                return rose.getNumData() == 0 ? std::string("nothing to draw") : std::string();
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
            dataOf(dsp);
            if (planes != "dip-vectors" && planes != "poles") throw py::value_error("planes is dip-vectors or poles");
            auto pic = std::make_shared<Picture>();
            pic->dataset = dsp;
            pic->size = size;
            pic->title = title;
            pic->draw = [=](qzCore::GraphicsPort& port, const qzCore::PlotSize& plotSize, bool) {
                qzCore::TangentPlotParams p;
                const auto style = planes == "poles" ? qzCore::Planar_Pole : qzCore::Planar_Dip_Direction;
                p.setPlaneStyle(style);
                p.setFaultStyle(style);
                p.setPlotSize(plotSize);
                const int records = qzCore::countDataRecords(dsp->data());
                qzCore::styleForPrint(p, records);
                p.setShowDataCount(false);
                qzCore::TangentPlotCore plot(p, &port, dsp->manager);
                plot.setClipToFrame(true);  // the circle is the frame
                qzCore::insertDataset(plot, dsp->data());
                plot.generatePlot();
                qzCore::drawRecordCount(port, p, records);
                qzCore::drawTangentRingLabels(port, p);
                const int off = plot.getNumOffPicture();
                return off == 0 ? std::string()
                                : std::to_string(off) + " points plunging more than 65 degrees left off the picture";
            };
            return finish(pic, ax);
        },
        py::arg("dataset"), py::arg("planes") = "dip-vectors", py::arg("size") = 400, py::arg("title") = "",
        py::arg("ax") = py::none(),
        "A tangent plot: planes as dip vectors (or poles), lines by trend and tan(plunge), within the circle of "
        "plunge 65 (the note says how many points lie beyond); with ax= drawn on that matplotlib Axes");
}

}  // namespace qzpy
