// qz plot stereonet FILE... -o OUT: planes, lines, faults with their slip
// arrows, universal-stage axes and results on a stereonet, with overlays
// computed by the analyses (Fisher mean and cone, best-fit girdle, P and T
// axes).
#include <cstdlib>
#include <deque>
#include <iostream>
#include <memory>

#include "Common.h"
#include "Density.h"
#include "Picture.h"

namespace qz {

namespace {

struct StereonetOptions {
    LoadOptions load;
    PictureOptions picture;
    std::vector<std::string> files;
    std::string projection = "equal-area";
    std::string hemisphere = "lower";
    std::string planes = "great-circles";
    bool net = false;
    bool noSlipArrows = false;
    bool fisher = false;
    bool bestFit = false;
    bool pt = false;
    DensityOptions density;
    bool contour = false;
};

using qzCore::GraphicsStyle;
using qzCore::RGBColor;

/// The cone of a Fisher result text; false when it is undefined.
bool coneOf(const std::string& text, double& cone) {
    const std::string key = "Confidence limit (cone size - degrees) : ";
    const auto at = text.find(key);
    if (at == std::string::npos) return false;
    const char* start = text.c_str() + at + key.size();
    char* end = nullptr;
    cone = std::strtod(start, &end);
    return end != start;
}

/// A key entry at the top left: a symbol and its words.
void keyEntry(qzCore::GraphicsPort& port, int row, const GraphicsStyle& style, const std::string& words) {
    const float y = 1.0f - 0.07f * float(row);
    const GraphicsStyle text(RGBColor(0, 0, 0), qzCore::Style_Solid, qzCore::Size_Smallest, qzCore::Symbol_Dot);
    port.drawSymbol(qzCore::TwoDPoint<float>(-1.0f, y + 0.015f), style, float(style.getSize()), GraphicsStyle(),
                    false);
    port.drawText(words, qzCore::TwoDPoint<float>(-0.96f, y), 1, text, 9);
}

int plotStereonet(const StereonetOptions& o) {
    qzCore::ContourParams contours;
    if (o.contour && !densityParams(o.density, contours)) return 1;
    Picture picture(o.picture, o.contour);
    if (!picture.ready()) return 1;
    Loaded l;
    if (!loadAll(o.files, o.load, l)) return 1;
    printRejected(l);
    qzCore::Data& data = *l.manager.getDatasetFromID(l.id);

    qzCore::StereoPlotParams p;
    p.setIsEqualArea(o.projection == "equal-area");
    p.setIsLowerHem(o.hemisphere == "lower");
    const qzCore::Planar_Plot_Style planes =
        o.planes == "poles" ? qzCore::Planar_Pole : qzCore::Planar_Great_Circle;
    p.setPlaneStyle(planes);
    p.setFaultStyle(planes);
    p.setShowPlotNet(o.net);
    p.setShowSlipDir(!o.noSlipArrows);
    p.setPlotSize(picture.plotSize());
    p.getPlotColors().text = RGBColor(0, 0, 0);  // labels in black on white paper
    p.setShowPlotLegend(o.contour);
    qzCore::StereoPlotCore plot(p, picture.port(), l.manager);
    qzCore::insertDataset(plot, data);
    if (o.contour) plot.setContourParams(contours);

    // Overlays, each an analysis of the records.
    std::deque<qzCore::GeoData*> records(data.getDataList().begin(), data.getDataList().end());
    std::list<qzCore::SpecialData> out;
    qzCore::AnalyzeResults results(out);
    int keyRow = 0;
    struct Cone {
        qzCore::TwoDPoint<float> axis;
        double angle;
    };
    std::vector<Cone> cones;
    auto failed = [&](const char* what) {
        std::cerr << "qz: " << what << ": " << messageOf(l, results.getError()) << '\n';
        return 2;
    };
    std::vector<std::pair<GraphicsStyle, std::string>> key;
    // Overlays of what the plot shows: planes and fault planes (as poles)
    // and lines.
    if (o.fisher) {
        qzCore::AnalyzeParams a(records, true, false);
        qzCore::FisherStatsParams f;
        out.clear();
        qzCore::Analyzer(a, results).computeFisher(&f);
        if (results.isError()) return failed("--fisher");
        const GraphicsStyle mean(RGBColor(200, 0, 0), qzCore::Style_Solid, qzCore::Size_Larger, qzCore::Symbol_Star);
        qzCore::GenericBasePlotParams style;
        style.setPlotStyle(mean);
        plot.insert(out, style);
        double cone = 0.0;
        if (coneOf(results.getResultString(), cone)) {
            cones.push_back({qzCore::TwoDPoint<float>(float(out.front().getAz()), float(out.front().getPl())), cone});
        } else {
            std::cerr << "qz: the Fisher cone is undefined (too few data or too much spread); the mean is drawn alone\n";
        }
        key.emplace_back(mean, "Fisher mean, 95% cone");
    }
    if (o.bestFit) {
        qzCore::AnalyzeParams a(records, true, false);
        a.setAnalyzeLines(true);
        a.setAnalyzePlanes(true);
        out.clear();
        qzCore::Analyzer(a, results).computeBestFit(true);
        if (results.isError()) return failed("--bestfit");
        qzCore::GenericBasePlotParams girdle;
        girdle.setPlotStyle(
            GraphicsStyle(RGBColor(0, 110, 0), qzCore::Style_Solid, qzCore::Size_Larger, qzCore::Symbol_Great_Circle));
        plot.insert(out, girdle);
        const GraphicsStyle pole(RGBColor(0, 110, 0), qzCore::Style_Solid, qzCore::Size_Larger, qzCore::Symbol_Square);
        qzCore::GenericBasePlotParams axis;
        axis.setPlotStyle(pole);
        plot.insert(out, axis);
        key.emplace_back(pole, "best-fit girdle and pole");
    }
    if (o.pt) {
        qzCore::AnalyzeFaultParams a(records);
        // Styles of their own, unlike any record's: P red circles, T green
        // diamonds.
        qzCore::PlotColors colors = a.getPlotColors();
        colors.fault = RGBColor(210, 0, 0);
        colors.line = RGBColor(0, 140, 0);
        a.setPlotColors(colors);
        qzCore::PlotSymbols symbols = a.getPlotSymbols();
        symbols.fault.setSymbol(qzCore::Symbol_Circle);
        symbols.fault.setSize(qzCore::Size_Larger);
        symbols.line.setSymbol(qzCore::Symbol_Diamond);
        symbols.line.setSize(qzCore::Size_Larger);
        a.setPlotSymbols(symbols);
        out.clear();
        qzCore::Analyzer(a, results).computePTAxes();
        if (out.empty()) {
            std::cerr << "qz: --pt: no fault with a usable sense of slip\n";
            return 2;
        }
        plot.insert(out, a);
        const qzCore::PlotSymbols& s = a.getPlotSymbols();
        const qzCore::PlotColors& c = a.getPlotColors();
        key.emplace_back(GraphicsStyle(c.fault, s.fault.getStyle(), s.fault.getSize(), s.fault.getSymbol()), "P axes");
        key.emplace_back(GraphicsStyle(c.line, s.line.getStyle(), s.line.getSize(), s.line.getSymbol()), "T axes");
    }

    try {
        plot.generatePlot();
    } catch (const qzCore::PlotError& e) {
        std::cerr << "qz: " << e.what() << '\n';
        return 1;
    }
    if (o.contour && plot.getContourOutcome() != qzCore::ContourOutcome::Drawn) {
        std::cerr << "qz: no contours: " << plot.getContourMessage() << '\n';
    }
    for (const Cone& c : cones) {
        plot.generateSmallCircleOnPort(c.axis, float(c.angle),
                                       GraphicsStyle(RGBColor(200, 0, 0), qzCore::Style_Solid, qzCore::Size_Smallest,
                                                     qzCore::Symbol_Dot));
    }
    for (const auto& k : key) keyEntry(*picture.port(), keyRow++, k.first, k.second);
    picture.drawTitle();
    if (const int w = picture.write(); w != 0) return w;
    std::cout << "qz: wrote " << o.picture.output << " (" << plot.getNumData() << " points)\n";
    return strictStatus(l, o.load);
}

}  // namespace

void addPictureOptions(CLI::App* cmd, PictureOptions& o) {
    cmd->add_option("-o,--output", o.output, "Picture to write: .png, .svg or .pdf")->required();
    cmd->add_option("--size", o.size, "Diameter of the plot, pixels (points in SVG and PDF)")
        ->check(CLI::Range(100, 4000));
    cmd->add_option("--title", o.title, "Title above the plot");
}

Command addStereonetCommand(CLI::App& plot) {
    auto o = std::make_shared<StereonetOptions>();
    CLI::App* cmd = plot.add_subcommand("stereonet", "A stereonet of planes, lines and faults");
    cmd->add_option("files", o->files, "Data files (\"-\" for standard input)")->required();
    addInputOptions(cmd, o->load);
    addPictureOptions(cmd, o->picture);
    cmd->add_option("--projection", o->projection, "equal-area (Schmidt) or equal-angle (Wulff)")
        ->check(CLI::IsMember({"equal-area", "equal-angle"}));
    cmd->add_option("--hemisphere", o->hemisphere, "lower or upper")->check(CLI::IsMember({"lower", "upper"}));
    cmd->add_option("--planes", o->planes, "Planes and faults as great-circles or poles")
        ->check(CLI::IsMember({"great-circles", "poles"}));
    cmd->add_flag("--net", o->net, "Draw the 10-degree net");
    cmd->add_flag("--no-slip-arrows", o->noSlipArrows, "No arrows on the slip lines of faults");
    cmd->add_flag("--fisher", o->fisher,
                  "The Fisher mean of planes and fault planes (as poles) and lines, with its 95% cone");
    cmd->add_flag("--bestfit", o->bestFit, "The best-fit great circle (girdle) of the same, and its pole");
    cmd->add_flag("--pt", o->pt, "The P and T axes of the faults");
    cmd->add_option("--contour", o->density.method,
                    "Density contours counted by kamb (Kamb's sigma), 1percent (percent per 1% area) or seismic")
        ->check(CLI::IsMember({"kamb", "1percent", "seismic"}))
        ->each([o](const std::string&) { o->contour = true; });
    addDensityOptions(cmd, o->density, true, true);
    return {cmd, [o] { return plotStereonet(*o); }};
}

}  // namespace qz
