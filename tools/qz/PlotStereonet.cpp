// qz plot stereonet FILE... -o OUT: planes, lines, faults with their slip
// arrows, universal-stage axes and results on a stereonet, with overlays
// computed by the analyses (Fisher mean and cone, best-fit girdle, P and T
// axes).
#include <iostream>
#include <memory>

#include "Common.h"
#include "Density.h"
#include "Picture.h"
#include "qzCore/facade/Pictures.h"

namespace qz {

namespace {

struct StereonetOptions {
    LoadOptions load;
    PictureOptions picture;
    std::vector<std::string> files;
    qzCore::facade::StereonetParams params;
    bool noSlipArrows = false;
    DensityOptions density;
    bool contour = false;
    bool noKey = false;
    std::vector<std::string> cones;
    std::string kinematic, slope, sigma1, sigma3, magnitudes;
    qzCore::SlopeFace face;
};

int plotStereonet(StereonetOptions& o) {
    qzCore::facade::StereonetParams& p = o.params;
    p.slipArrows = !o.noSlipArrows;
    p.key = !o.noKey;
    if (o.contour) {
        p.contours.emplace();
        if (!densityRequest(o.density, *p.contours)) return 1;
    }
    for (const std::string& c : o.cones) {
        std::vector<double> v;
        if (!slashNumbers(c, 3, v)) {
            std::cerr << "qz: --cone takes TREND/PLUNGE/ANGLE in degrees, not '" << c << "'\n";
            return 1;
        }
        p.cones.push_back({{v[0], v[1]}, v[2]});
    }
    if (!o.kinematic.empty()) {
        if (o.slope.empty()) {
            std::cerr << "qz: --kinematic needs the slope face: --slope DIPDIR/DIP\n";
            return 1;
        }
        if (!slopeFace(o.slope, o.face)) return 1;
        p.kinematic = {o.kinematic, o.face};
    }
    if (!stressOptions(o.sigma1, o.sigma3, o.magnitudes, p.tendency.sigma1, p.tendency.sigma3, p.tendency.magnitudes)) {
        return 1;
    }
    p.tendency.faultPlanes = true;
    p.tendency.inversion.method = p.stress.method;
    Picture picture(o.picture, o.contour || p.key);  // a column for the colour bar and key
    if (!picture.ready()) return 1;
    Loaded l;
    if (!loadAll(o.files, o.load, l)) return 1;
    printRejected(l);
    if (nothingToDraw(l)) return 2;
    qzCore::facade::Drawn drawn;
    try {
        drawn = qzCore::facade::drawStereonet(l, p, *picture.port(), picture.plotSize());
    } catch (const qzCore::facade::Refused& r) {
        return refused(r) ? 0 : 1;
    } catch (const qzCore::facade::Failed& f) {
        std::cerr << "qz: " << (f.field().empty() ? "" : "--" + f.field() + ": ") << f.what() << '\n';
        if (!f.hint().empty()) std::cerr << "qz: " << f.hint() << '\n';
        return 2;
    }
    if (!drawn.levelsNote.empty()) std::cerr << "qz: " << drawn.levelsNote << "; --levels sets them\n";
    if (!drawn.overlayNote.empty()) std::cerr << "qz: " << drawn.overlayNote << '\n';
    if (!drawn.contoursNote.empty()) std::cerr << "qz: " << drawn.contoursNote << '\n';
    if (drawn.density) {
        std::cout << "qz: densest direction " << drawn.density->peakTrend << '/' << drawn.density->peakPlunge << ": "
                  << drawn.density->peak << (drawn.density->percent ? " %" : " sigma") << '\n';
    }
    picture.drawTitle();
    if (const int w = picture.write(); w != 0) return w;
    std::cout << "qz: wrote " << o.picture.output << " (" << drawn.records << " records)\n";
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
    cmd->add_option("--projection", o->params.projection, "equal-area (Schmidt) or equal-angle (Wulff)")
        ->check(CLI::IsMember({"equal-area", "equal-angle"}));
    cmd->add_option("--hemisphere", o->params.hemisphere, "lower or upper")->check(CLI::IsMember({"lower", "upper"}));
    cmd->add_option("--planes", o->params.planes, "Planes and faults as great-circles or poles")
        ->check(CLI::IsMember({"great-circles", "poles"}));
    cmd->add_flag("--net", o->params.net, "Draw the 10-degree net");
    cmd->add_flag("--no-slip-arrows", o->noSlipArrows, "No arrows on the slip lines of faults");
    cmd->add_flag("--fisher", o->params.fisher,
                  "The Fisher mean of planes and fault planes (as poles) and lines, with its 95% cone");
    cmd->add_flag("--bestfit", o->params.bestFit, "The best-fit great circle (girdle) of the same, and its pole");
    cmd->add_flag("--pt", o->params.pt, "The P and T axes of the faults");
    cmd->add_option("--contour", o->density.method,
                    "Density contours counted by kamb (Kamb's sigma), 1percent (percent per 1% area) or seismic")
        ->check(CLI::IsMember(qzCore::facade::densityMethodNames()))
        ->each([o](const std::string&) { o->contour = true; });
    addDensityOptions(cmd, o->density, true, true);
    cmd->add_flag("--mark-max", o->params.markMaximum, "Mark the densest direction with its value (with --contour)");
    cmd->add_flag("--no-key", o->noKey, "No key of the symbols");
    cmd->add_option("--colour-by", o->params.colourBy,
                    "set: each record in its set's colour (the attributes qz analyse sets --write-sets saves); "
                    "misfit: each fault by its misfit to the stress; slip-tendency, dilation-tendency: planes by their "
                    "tendency under --sigma1, --sigma3, --magnitudes or --from-faults")
        ->check(CLI::IsMember({"set", "misfit", "slip-tendency", "dilation-tendency"}));
    qzCore::facade::StressOverlay& st = o->params.stress;
    cmd->add_flag("--stress", st.axes, "The stress of the faults: sigma 1, 2, 3 as five-, four- and three-branch stars");
    cmd->add_option("--method", st.method, "Stress: michael (default) or angelier")
        ->check(CLI::IsMember({"michael", "angelier"}));
    cmd->add_option("--bootstrap", st.bootstrap, "Stress: bootstrap samples, drawn as dots")->check(CLI::Range(0, 100000));
    cmd->add_option("--seed", st.seed, "Stress: the bootstrap's seed");
    cmd->add_option("--max-misfit", st.maxMisfit, "Stress: leave out faults misfitting by more degrees")
        ->check(CLI::Range(0.0, 180.0));
    cmd->add_flag("!--no-refine", st.refine, "Stress: the published methods alone");
    cmd->add_flag("--dihedra", o->params.dihedra, "Right dihedra of the faults, shaded and contoured");
    cmd->add_option("--sigma1", o->sigma1, "Tendency: sigma1's TREND/PLUNGE (default vertical)");
    cmd->add_option("--sigma3", o->sigma3, "Tendency: sigma3's TREND/PLUNGE (default 000/00)");
    cmd->add_option("--magnitudes", o->magnitudes, "Tendency: S1/S2/S3, compression positive (default 3/2/1)");
    cmd->add_flag("--from-faults", o->params.tendency.fromFaults, "Tendency: the stress found from the data's faults");
    cmd->add_option("--cone", o->cones, "A small circle TREND/PLUNGE/ANGLE (repeatable)");
    cmd->add_option("--kinematic", o->kinematic,
                    "A rock-slope test's zones: planar or flexural (over poles), wedge or direct (over intersections)")
        ->check(CLI::IsMember({"planar", "wedge", "flexural", "direct"}));
    cmd->add_option("--slope", o->slope, "Kinematic: the slope face, DIPDIR/DIP");
    cmd->add_option("--friction", o->face.friction, "Kinematic: friction angle (default 30)");
    cmd->add_option("--lateral-limit", o->face.lateralLimit, "Kinematic: lateral limits (default 20)");
    cmd->add_flag("--curved-limits", o->face.curvedLimits, "Kinematic: curved lateral limits");
    return {cmd, [o] { return plotStereonet(*o); }};
}

}  // namespace qz
