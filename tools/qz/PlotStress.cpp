// qz plot mohr|misfits FILE... -o OUT: Mohr's diagram of the faults under
// the stress found from them, or the histogram of their misfits.
#include <iostream>
#include <memory>

#include "Common.h"
#include "Picture.h"
#include "qzCore/facade/Pictures.h"

namespace qz {

namespace {

namespace facade = qzCore::facade;

struct StressPlotOptions {
    LoadOptions load;
    PictureOptions picture;
    std::vector<std::string> files;
    facade::StressParams stress;
    bool mohr = true;
};

int plotStress(const StressPlotOptions& o) {
    Picture picture(o.picture, true);
    if (!picture.ready()) return 1;
    Loaded l;
    if (!loadAll(o.files, o.load, l)) return 1;
    printRejected(l);
    facade::StressResult r;
    try {
        r = facade::stress(l, o.stress);
    } catch (const facade::Refused& e) {
        return refused(e) ? 0 : 1;
    } catch (const facade::Failed& f) {
        std::cerr << "qz: " << f.what() << '\n';
        if (!f.hint().empty()) std::cerr << "qz: " << f.hint() << '\n';
        return 2;
    }
    std::cout << r.text;
    if (o.mohr) {
        facade::drawMohr(r, *picture.port());
    } else {
        facade::drawMisfits(r, *picture.port());
    }
    picture.drawTitle();
    if (const int w = picture.write(); w != 0) return w;
    std::cout << "qz: wrote " << o.picture.output << " (" << r.n << " faults)\n";
    return strictStatus(l, o.load);
}

Command addOne(CLI::App& plot, bool mohr) {
    auto o = std::make_shared<StressPlotOptions>();
    o->mohr = mohr;
    CLI::App* cmd = plot.add_subcommand(mohr ? "mohr" : "misfits",
                                        mohr ? "Mohr's diagram of the faults under the stress found from them"
                                             : "The histogram of the faults' misfits to the stress found from them");
    cmd->add_option("files", o->files, "Data files (\"-\" for standard input)")->required();
    addInputOptions(cmd, o->load);
    addPictureOptions(cmd, o->picture);
    facade::StressParams& s = o->stress;
    cmd->add_option("--method", s.method, "michael (Michael 1984, default) or angelier (after Angelier 1990)")
        ->check(CLI::IsMember({"michael", "angelier"}));
    cmd->add_option("--max-misfit", s.maxMisfit, "Leave out faults misfitting by more degrees, invert again");
    cmd->add_flag("!--no-refine", s.refine, "The published methods alone (shear magnitudes not refined)");
    return {cmd, [o] { return plotStress(*o); }};
}

}  // namespace

Command addMohrCommand(CLI::App& plot) { return addOne(plot, true); }
Command addMisfitsCommand(CLI::App& plot) { return addOne(plot, false); }

}  // namespace qz
