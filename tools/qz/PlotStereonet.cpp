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
    bool markMax = false;
    bool noKey = false;
};

using qzCore::GraphicsStyle;
using qzCore::RGBColor;

int plotStereonet(const StereonetOptions& o) {
    qzCore::ContourParams contours;
    if (o.contour && !densityParams(o.density, contours)) return 1;
    Picture picture(o.picture, o.contour || !o.noKey);  // a column for the colour bar and key
    if (!picture.ready()) return 1;
    Loaded l;
    if (!loadAll(o.files, o.load, l)) return 1;
    printRejected(l);
    if (nothingToDraw(l)) return 2;
    qzCore::Data& data = *l.manager().getDatasetFromID(l.id());

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
    // The count of records is ours (the engine counts a fault twice and
    // results too), and so are the colour bar and key in the legend column.
    p.setShowDataCount(false);
    p.setShowPlotLegend(false);
    const int records = qzCore::countDataRecords(data);
    qzCore::styleForPrint(p, records);
    qzCore::StereoPlotCore plot(p, picture.port(), l.manager());
    qzCore::insertDataset(plot, data);
    if (o.contour && o.density.levels.empty()) {
        // No levels given: chosen from the densest node, and said.
        const std::string chosen = plot.chooseLevels(contours);
        if (!chosen.empty()) std::cerr << "qz: " << chosen << "; --levels sets them\n";
    }
    if (o.contour) plot.setContourParams(contours);

    // Overlays, each an analysis of the records.
    qzCore::StereonetOverlays overlays(plot, data);
    const std::pair<bool, std::pair<int (qzCore::StereonetOverlays::*)(), const char*>> wanted[] = {
        {o.fisher, {&qzCore::StereonetOverlays::addFisher, "--fisher"}},
        {o.bestFit, {&qzCore::StereonetOverlays::addBestFit, "--bestfit"}},
        {o.pt, {&qzCore::StereonetOverlays::addPTAxes, "--pt"}}};
    for (const auto& w : wanted) {
        if (!w.first) continue;
        const int r = (overlays.*(w.second.first))();
        if (r == 1) continue;
        if (w.second.first == &qzCore::StereonetOverlays::addPTAxes) {
            std::cerr << "qz: --pt: no fault with a usable sense of slip\n";
        } else {
            std::cerr << "qz: " << w.second.second << ": " << messageOf(l, r) << '\n';
        }
        return 2;
    }
    if (!overlays.note().empty()) std::cerr << "qz: " << overlays.note() << '\n';

    try {
        plot.generatePlot();
    } catch (int code) {
        std::cerr << "qz: " << messageOf(l, code) << '\n';
        return 1;
    }
    if (o.contour && plot.getContourOutcome() != qzCore::ContourOutcome::Drawn) {
        std::cerr << "qz: no contours: " << plot.getContourMessage() << '\n';
    }
    qzCore::GraphicsPort& port = *picture.port();
    overlays.drawOnPort(port);
    qzCore::drawRecordCount(port, p, records);
    float y = qzCore::drawColorBar(port, plot, 0.95f);
    if (!o.noKey) {
        std::vector<qzCore::KeyEntry> key = qzCore::dataKey(data, plot);
        key.insert(key.end(), overlays.key().begin(), overlays.key().end());
        y = qzCore::drawKey(port, key, y);
    }
    if (o.markMax && o.contour) {
        qzCore::DensityGrid density;
        if (plot.computeDensity(contours, density) == qzCore::ContourOutcome::Drawn) {
            qzCore::drawMaximum(port, plot, density);
            std::cout << "qz: densest direction " << density.peakTrend << '/' << density.peakPlunge << ": "
                      << density.peak << (density.percent ? " %" : " sigma") << '\n';
        }
    }
    picture.drawTitle();
    if (const int w = picture.write(); w != 0) return w;
    std::cout << "qz: wrote " << o.picture.output << " (" << records << " records)\n";
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
    cmd->add_flag("--mark-max", o->markMax, "Mark the densest direction with its value (with --contour)");
    cmd->add_flag("--no-key", o->noKey, "No key of the symbols");
    return {cmd, [o] { return plotStereonet(*o); }};
}

}  // namespace qz
