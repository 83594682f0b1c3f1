// qz plot fabric FILE... -o OUT: Woodcock's diagram or Vollmer's triangle
// of the orientation tensors of one or more files, each file a fabric.
#include <iostream>
#include <memory>

#include "Common.h"
#include "Picture.h"
#include "qzCore/facade/Pictures.h"

namespace qz {

namespace {

namespace facade = qzCore::facade;

struct FabricOptions {
    LoadOptions load;
    PictureOptions picture;
    std::vector<std::string> files;
    facade::FabricParams params;
    facade::Selection use;
};

int plotFabric(const FabricOptions& o) {
    Picture picture(o.picture, true);
    if (!picture.ready()) return 1;
    std::vector<qzCore::FabricPoint> fabrics;
    for (const std::string& name : o.files) {
        Loaded l;
        if (!load(name, o.load, l)) return 1;
        printRejected(l);
        try {
            const facade::TensorResult t = facade::tensor(l, o.use);
            std::string label = name.substr(name.find_last_of('/') + 1);
            std::cout << label << ": " << t.shape.text();
            fabrics.push_back({label, t.shape});
        } catch (const facade::Failed& f) {
            std::cerr << "qz: " << name << ": " << f.what() << '\n';
            if (!f.hint().empty()) std::cerr << "qz: " << f.hint() << '\n';
            return 2;
        }
    }
    const facade::FabricDrawn drawn = facade::drawFabric(fabrics, o.params, *picture.port());
    for (const std::string& left : drawn.leftOff) {
        std::cerr << "qz: " << left << " has a zero eigenvalue: no place on Woodcock's diagram\n";
    }
    picture.drawTitle();
    if (const int w = picture.write(); w != 0) return w;
    std::cout << "qz: wrote " << o.picture.output << " (" << drawn.fabrics << " fabrics)\n";
    return 0;
}

}  // namespace

Command addFabricCommand(CLI::App& plot) {
    auto o = std::make_shared<FabricOptions>();
    CLI::App* cmd = plot.add_subcommand("fabric", "Woodcock's diagram or Vollmer's triangle, a fabric per file");
    cmd->add_option("files", o->files, "Data files, each a fabric")->required();
    addInputOptions(cmd, o->load);
    addPictureOptions(cmd, o->picture);
    cmd->add_option("--kind", o->params.kind, "woodcock (ln(S2/S3), ln(S1/S2)) or vollmer (P, G, R triangle)")
        ->check(CLI::IsMember({"woodcock", "vollmer"}));
    cmd->add_flag("--faults", o->use.faultPlanes, "Use the planes of faults");
    cmd->add_flag("--lineations", o->use.slipLines, "Use the slip lines of faults");
    return {cmd, [o] { return plotFabric(*o); }};
}

}  // namespace qz
