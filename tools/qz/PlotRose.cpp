// qz plot rose FILE... -o OUT: a rose diagram of strikes, dip directions or
// trends.
#include <iostream>
#include <memory>

#include "Common.h"
#include "Picture.h"
#include "qzCore/facade/Pictures.h"

namespace qz {

namespace {

struct RoseOptions {
    LoadOptions load;
    PictureOptions picture;
    std::vector<std::string> files;
    qzCore::facade::RoseParams params;
    bool bidirectional = false;
    bool unidirectional = false;
    bool noResultant = false;
};

int plotRose(RoseOptions& o) {
    qzCore::facade::RoseParams& p = o.params;
    if (o.bidirectional || o.unidirectional) p.bidirectional = o.bidirectional;
    p.resultant = !o.noResultant;
    Picture picture(o.picture, false);
    if (!picture.ready()) return 1;
    Loaded l;
    if (!loadAll(o.files, o.load, l)) return 1;
    printRejected(l);
    if (nothingToDraw(l)) return 2;
    qzCore::facade::RoseDrawn rose;
    try {
        rose = qzCore::facade::drawRose(l, p, *picture.port(), picture.plotSize());
    } catch (const qzCore::facade::Refused& r) {
        return refused(r) ? 0 : 1;
    }
    const bool trends = rose.of == "trend";
    if (rose.leftOut > 0) {
        std::cerr << "qz: " << rose.leftOut << (rose.leftOut == 1 ? " record" : " records") << " without a "
                  << (trends ? "trend" : "plane") << " left out"
                  << (trends ? (rose.planes > 0 ? " (--of strike draws the planes)" : "")
                             : (rose.lines > 0 ? " (--of trend draws the lines)" : ""))
                  << '\n';
    }
    if (rose.count == 0) {
        std::cerr << "qz: nothing to draw\n";
        return 2;
    }
    picture.drawTitle();
    if (const int w = picture.write(); w != 0) return w;
    std::cout << "qz: wrote " << o.picture.output << " (" << rose.count << " " << rose.of << "s";
    if (rose.resultant_deg) {
        char buf[128];
        std::snprintf(buf, sizeof buf, "; resultant %03d, r %.2f, angular deviation %.0f",
                      qzCore::FloatToInt_Global(*rose.resultant_deg) % 360, rose.resultantLength,
                      rose.angularDeviation_deg);
        std::cout << buf;
    } else {
        std::cout << "; no resultant: the directions cancel";
    }
    std::cout << ")\n";
    return strictStatus(l, o.load);
}

}  // namespace

Command addRoseCommand(CLI::App& plot) {
    auto o = std::make_shared<RoseOptions>();
    CLI::App* cmd = plot.add_subcommand("rose", "A rose diagram of strikes, dip directions or trends");
    cmd->add_option("files", o->files, "Data files (\"-\" for standard input)")->required();
    addInputOptions(cmd, o->load);
    addPictureOptions(cmd, o->picture);
    cmd->add_option("--of", o->params.of, "strike, dip-direction or trend (default: strikes of planes, else trends)")
        ->check(CLI::IsMember({"strike", "dip-direction", "trend"}));
    cmd->add_option("--class-size", o->params.classSize, "Degrees a class, a divisor of 360 (default 10)")
        ->check([](const std::string& v) -> std::string {
            int n = 0;
            try {
                n = std::stoi(v);
            } catch (...) {
                return "a whole number of degrees";
            }
            return n > 0 && n <= 360 && 360 % n == 0 ? "" : "a class size must divide 360 (1, 2, 3, 4, 5, 6, 8, 9, 10, 12, 15, 18, 20, ...)";
        });
    cmd->add_option("--class-start", o->params.classStart, "Azimuth where the first class starts (default 0)")
        ->check(CLI::Range(0, 359));
    auto* bi = cmd->add_flag("--bidirectional", o->bidirectional, "Axes: each datum at both ends (default for strikes)");
    cmd->add_flag("--unidirectional", o->unidirectional, "Directions (default for dip directions and trends)")
        ->excludes(bi);
    cmd->add_option("--scaling", o->params.scaling, "area (petal area by frequency; default) or linear")
        ->check(CLI::IsMember({"area", "linear"}));
    cmd->add_flag("--outline", o->params.outline, "One outline through the class middles instead of petals");
    cmd->add_option("--running-average", o->params.runningAverage, "Smooth the counts over a window of DEGREES (1-360)")
        ->check(CLI::Range(1, 360));
    cmd->add_flag("--no-resultant", o->noResultant, "No resultant direction");
    return {cmd, [o] { return plotRose(*o); }};
}

}  // namespace qz
