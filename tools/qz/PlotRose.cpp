// qz plot rose FILE... -o OUT: a rose diagram of strikes, dip directions or
// trends.
#include <iostream>
#include <memory>

#include "Common.h"
#include "Picture.h"

namespace qz {

namespace {

struct RoseOptions {
    LoadOptions load;
    PictureOptions picture;
    std::vector<std::string> files;
    std::string of;
    int classSize = 10;
    int classStart = 0;
    bool bidirectional = false;
    bool unidirectional = false;
    std::string scaling = "area";
    bool outline = false;
    int window = 0;
    bool noResultant = false;
};

using K = qzCore::GDTypes;

bool planar(const qzCore::GeoData* g) {
    return g->getGDType() == K::GDType_Fault || (!g->isSpecial() && g->getGDType() != K::GDType_Line &&
                                                 g->getGDType() != K::GDType_UStage);
}

int plotRose(const RoseOptions& o) {
    Picture picture(o.picture, false);
    if (!picture.ready()) return 1;
    Loaded l;
    if (!loadAll(o.files, o.load, l)) return 1;
    printRejected(l);
    if (nothingToDraw(l)) return 2;
    const qzCore::Data& data = *l.manager().getDatasetFromID(l.id());

    // What the azimuths are: strikes for planes, trends for lines, unless
    // asked.
    std::string of = o.of;
    int planes = 0, lines = 0;
    for (const qzCore::GeoData* g : data.getDataList()) {
        if (planar(g)) ++planes;
        if (g->data() && g->data()->hasTrend() && g->data()->hasPlunge()) ++lines;
    }
    if (of.empty()) of = planes > 0 ? "strike" : "trend";
    const bool trends = of == "trend";

    qzCore::RosePlotParams p;
    p.setClassSize(o.classSize);
    p.setClassStart(o.classStart);
    // A strike is an axis (045 and 225 are one line); a dip direction or a
    // trend points one way.
    p.setIsUnidirectional(o.bidirectional ? false : o.unidirectional ? true : of != "strike");
    p.setIsAreaProportional(o.scaling == "area");
    p.setGenerateRoseOutline(o.outline);
    p.setApplyRunningAverage(o.window > 0);
    if (o.window > 0) p.setRunningAverageWindowSize(o.window);
    p.setShowResultantDirection(!o.noResultant);
    p.setPlaneStyle(of == "dip-direction" ? qzCore::Planar_Dip_Direction : qzCore::Planar_Great_Circle);
    p.setFaultStyle(p.getPlaneStyle());
    p.setPlotSize(picture.plotSize());
    p.getPlotColors().text = qzCore::RGBColor(0, 0, 0);
    // Petals in a quiet blue with a dark outline.
    p.getPlotColors().fault = qzCore::RGBColor(110, 150, 210);
    p.getPlotColors().lineation = qzCore::RGBColor(30, 50, 110);
    qzCore::RosePlotCore rose(p, picture.port(), l.manager());
    rose.reserve(trends ? qzCore::Plot_Line : qzCore::Plot_Plane, std::size_t(trends ? lines : planes));
    int left = 0;
    for (const qzCore::GeoData* g : data.getDataList()) {
        bool in = false;
        if (trends) {
            if (g->getGDType() == K::GDType_Fault) {
                in = rose.insertLineation(g);  // the slip line
            } else if (g->getGDType() == K::GDType_Line) {
                in = rose.insertLine(g);
            } else if (g->isSpecial()) {
                in = rose.insertSpecial(g);
            }
        } else if (g->getGDType() == K::GDType_Fault) {
            in = rose.insertFault(g);
        } else if (planar(g)) {
            in = rose.insertPlane(g);
        }
        if (!in) ++left;
    }
    if (left > 0) {
        std::cerr << "qz: " << left << (left == 1 ? " record" : " records") << " without a " << (trends ? "trend" : "plane") << " left out"
                  << (trends ? (planes > 0 ? " (--of strike draws the planes)" : "")
                             : (lines > 0 ? " (--of trend draws the lines)" : ""))
                  << '\n';
    }
    if (rose.getNumData() == 0) {
        std::cerr << "qz: nothing to draw\n";
        return 2;
    }
    // Drawn by asking for the petals' radii: the largest labels the rings.
    std::vector<float> radii;
    float largest = 0.0f;
    rose.getResults(radii, largest);
    qzCore::drawRoseLabels(*picture.port(), rose, largest);
    picture.drawTitle();
    if (const int w = picture.write(); w != 0) return w;
    std::cout << "qz: wrote " << o.picture.output << " (" << rose.getNumData() << " " << of << "s";
    if (rose.getResultantDirection() >= 0.0) {
        char buf[128];
        std::snprintf(buf, sizeof buf, "; resultant %03d, r %.2f, angular deviation %.0f",
                      qzCore::FloatToInt_Global(rose.getResultantDirection()) % 360, rose.getResultantLength(),
                      rose.getAngularDeviation());
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
    cmd->add_option("--of", o->of, "strike, dip-direction or trend (default: strikes of planes, else trends)")
        ->check(CLI::IsMember({"strike", "dip-direction", "trend"}));
    cmd->add_option("--class-size", o->classSize, "Degrees a class, a divisor of 360 (default 10)")
        ->check([](const std::string& v) -> std::string {
            int n = 0;
            try {
                n = std::stoi(v);
            } catch (...) {
                return "a whole number of degrees";
            }
            return n > 0 && n <= 360 && 360 % n == 0 ? "" : "a class size must divide 360 (1, 2, 3, 4, 5, 6, 8, 9, 10, 12, 15, 18, 20, ...)";
        });
    cmd->add_option("--class-start", o->classStart, "Azimuth where the first class starts (default 0)")
        ->check(CLI::Range(0, 359));
    auto* bi = cmd->add_flag("--bidirectional", o->bidirectional, "Axes: each datum at both ends (default for strikes)");
    cmd->add_flag("--unidirectional", o->unidirectional, "Directions (default for dip directions and trends)")
        ->excludes(bi);
    cmd->add_option("--scaling", o->scaling, "area (petal area by frequency; default) or linear")
        ->check(CLI::IsMember({"area", "linear"}));
    cmd->add_flag("--outline", o->outline, "One outline through the class middles instead of petals");
    cmd->add_option("--running-average", o->window, "Smooth the counts over a window of DEGREES (1-360)")
        ->check(CLI::Range(1, 360));
    cmd->add_flag("--no-resultant", o->noResultant, "No resultant direction");
    return {cmd, [o] { return plotRose(*o); }};
}

}  // namespace qz
