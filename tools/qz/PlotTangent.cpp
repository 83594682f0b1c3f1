// qz plot tangent FILE... -o OUT: a tangent plot of lines and planes.
#include <iostream>
#include <memory>

#include "Common.h"
#include "Picture.h"
#include "qzCore/facade/Pictures.h"

namespace qz {

namespace {

struct TangentOptions {
    LoadOptions load;
    PictureOptions picture;
    std::vector<std::string> files;
    std::string planes = "dip-vectors";
};

int plotTangent(const TangentOptions& o) {
    Picture picture(o.picture, false);
    if (!picture.ready()) return 1;
    Loaded l;
    if (!loadAll(o.files, o.load, l)) return 1;
    printRejected(l);
    if (nothingToDraw(l)) return 2;
    qzCore::facade::TangentDrawn drawn;
    try {
        drawn = qzCore::facade::drawTangent(l, {o.planes}, *picture.port(), picture.plotSize());
    } catch (const qzCore::facade::Failed& f) {
        std::cerr << "qz: " << f.what() << '\n';
        return 2;
    }
    picture.drawTitle();
    if (const int w = picture.write(); w != 0) return w;
    std::cout << "qz: wrote " << o.picture.output << " (" << drawn.records << " records";
    if (drawn.offPicture > 0) std::cout << "; " << drawn.offPicture << " points plunging more than 65 degrees left off";
    std::cout << ")\n";
    return strictStatus(l, o.load);
}

}  // namespace

Command addTangentCommand(CLI::App& plot) {
    auto o = std::make_shared<TangentOptions>();
    CLI::App* cmd = plot.add_subcommand("tangent", "A tangent plot: plunges as tan(plunge)/tan(65) from the centre");
    cmd->add_option("files", o->files, "Data files (\"-\" for standard input)")->required();
    addInputOptions(cmd, o->load);
    addPictureOptions(cmd, o->picture);
    cmd->add_option("--planes", o->planes, "Planes as dip-vectors (default: folded beds line up) or poles")
        ->check(CLI::IsMember({"dip-vectors", "poles"}));
    return {cmd, [o] { return plotTangent(*o); }};
}

}  // namespace qz
