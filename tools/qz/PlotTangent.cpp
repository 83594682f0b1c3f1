// qz plot tangent FILE... -o OUT: a tangent plot of lines and planes.
#include <iostream>
#include <memory>

#include "Common.h"
#include "Picture.h"

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
    const qzCore::Data& data = *l.manager().getDatasetFromID(l.id());
    qzCore::TangentPlotParams p;
    const qzCore::Planar_Plot_Style style =
        o.planes == "poles" ? qzCore::Planar_Pole : qzCore::Planar_Dip_Direction;
    p.setPlaneStyle(style);
    p.setFaultStyle(style);
    p.setPlotSize(picture.plotSize());
    const int records = qzCore::countDataRecords(data);
    qzCore::styleForPrint(p, records);
    p.setShowDataCount(false);
    qzCore::TangentPlotCore plot(p, picture.port(), l.manager());
    // The circle is the frame: nothing beyond a plunge of 65 is drawn.
    plot.setClipToFrame(true);
    using K = qzCore::GDTypes;
    for (const qzCore::GeoData* g : data.getDataList()) {
        if (g->getGDType() == K::GDType_Line) {
            plot.insertLine(g);
        } else if (g->getGDType() == K::GDType_Fault) {
            plot.insertFault(g);
            plot.insertLineation(g);
        } else if (g->isSpecial()) {
            plot.insertSpecial(g);
        } else if (g->getGDType() != K::GDType_UStage) {
            plot.insertPlane(g);
        }
    }
    plot.generatePlot();
    qzCore::drawRecordCount(*picture.port(), p, records);
    qzCore::drawTangentRingLabels(*picture.port(), p);
    picture.drawTitle();
    if (const int w = picture.write(); w != 0) return w;
    std::cout << "qz: wrote " << o.picture.output << " (" << records << " records";
    if (plot.getNumOffPicture() > 0) {
        std::cout << "; " << plot.getNumOffPicture() << " points plunging more than 65 degrees left off";
    }
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
