// qz analyse METHOD FILE...: any analysis of the library's table of
// analyses (Fisher statistics, eigen analysis, best fit, T/L and P/T axes,
// least squares, intersection, angle, density) of the records of one or
// more files, merged into one dataset.
#include <cstdlib>
#include <iostream>
#include <memory>

#include "Common.h"
#include "Density.h"

namespace qz {

namespace {

namespace facade = qzCore::facade;

struct AnalyseOptions {
    LoadOptions load;
    std::vector<std::string> files;
    std::string method;
    facade::AnalysisRequest request;
    std::string compensate;
    std::string sets = "auto";
    std::string slope, sigma1, sigma3, magnitudes;
    std::string addResults, writeSets;
    DensityOptions density;
};

int analyse(AnalyseOptions& a) {
    facade::AnalysisRequest& q = a.request;
    if (!a.compensate.empty()) {
        const std::vector<std::string> parts = splitList(a.compensate, ',');
        char* end0 = nullptr;
        char* end1 = nullptr;
        if (parts.size() == 2) {
            q.compensate = facade::Direction{std::strtod(parts[0].c_str(), &end0), std::strtod(parts[1].c_str(), &end1)};
        }
        if (parts.size() != 2 || parts[0].empty() || parts[1].empty() || *end0 || *end1) {
            std::cerr << "qz: --compensate takes AZIMUTH,PLUNGE of the line of observation, not '" << a.compensate
                      << "'\n";
            return 1;
        }
    }
    if (!densityRequest(a.density, q.density)) return 1;
    if (a.sets != "auto") {
        char* end = nullptr;
        const long k = std::strtol(a.sets.c_str(), &end, 10);
        if (a.sets.empty() || *end || k < 1 || k > qzCore::ClusterOptions::Max_Sets) {
            std::cerr << "qz: --sets takes 1 to " << qzCore::ClusterOptions::Max_Sets << " or auto, not '" << a.sets
                      << "'\n";
            return 1;
        }
        q.sets = int(k);
    }
    if (!a.slope.empty() && !slopeFace(a.slope, q.face)) return 1;
    if (!stressOptions(a.sigma1, a.sigma3, a.magnitudes, q.sigma1, q.sigma3, q.magnitudes)) return 1;
    if (!a.writeSets.empty() && a.method != "sets") {
        std::cerr << "qz: --write-sets goes with the sets analysis\n";
        return 1;
    }
    if (a.method == "kinematic" && a.slope.empty()) {
        std::cerr << "qz: kinematic needs the slope face: --slope DIPDIR/DIP\n";
        return 1;
    }
    Loaded l;
    if (!loadAll(a.files, a.load, l)) return 1;
    printRejected(l);
    const facade::AnalysisInfo* analysis = facade::analysisNamed(a.method);
    facade::Outcome out;
    try {
        if (!a.writeSets.empty() && a.method == "sets") {
            facade::SetsParams p;
            static_cast<facade::Selection&>(p) = q;
            p.sets = q.sets;
            p.seed = q.seed > 0 ? static_cast<unsigned long>(q.seed) : 1;
            p.fuzzy = q.fuzzy;
            facade::SetsResult r = facade::sets(l, p);
            facade::markSets(l, r);
            out = std::move(r);
        } else {
            out = analysis->run(l, q);
        }
    } catch (const facade::Refused& r) {
        return refused(r) ? 0 : 1;
    } catch (const facade::Failed& f) {
        std::cout << f.output();
        std::cerr << "qz: " << f.what() << '\n';
        if (!f.hint().empty()) std::cerr << "qz: " << f.hint() << '\n';
        return 2;
    }
    for (const std::string& w : out.warnings) std::cerr << "qz: warning: " << w << '\n';
    std::cout << out.text;
    if (!a.writeSets.empty()) {
        if (const int w = write(l, l.id(), a.writeSets, "auto"); w != 0) return w;
    }
    if (a.addResults.empty()) return 0;
    if (l.data().addData(out.records) != 1) {
        std::cerr << "qz: the result records could not be added\n";
        return 1;
    }
    return write(l, l.id(), a.addResults, "auto");
}

}  // namespace

Command addAnalyseCommand(CLI::App& app) {
    auto a = std::make_shared<AnalyseOptions>();
    CLI::App* cmd = app.add_subcommand("analyse", "Analyse the records of data files");
    cmd->alias("analyze");
    std::vector<std::string> names;
    std::string help;
    for (const facade::AnalysisInfo& method : facade::analyses()) {
        names.push_back(method.name);
        help += std::string(help.empty() ? "" : "; ") + method.name + ": " + method.help;
    }
    cmd->add_option("method", a->method, help)->required()->check(CLI::IsMember(names));
    cmd->add_option("files", a->files, "Data files (\"-\" for standard input)")->required();
    addInputOptions(cmd, a->load);
    facade::AnalysisRequest& q = a->request;
    cmd->add_flag("--faults", q.faultPlanes, "Use the planes of faults");
    cmd->add_flag("--lineations", q.slipLines, "Use the slip lines of faults");
    cmd->add_flag("--axial", q.axial, "Fisher: average as axes (each direction first turned towards the principal axis)");
    cmd->add_option("--compensate", a->compensate,
                    "Fisher, density: weight for a line of observation AZIMUTH,PLUNGE (scanline or borehole)");
    cmd->add_option("--counting", a->density.method, "Density: kamb (default), 1percent or seismic")
        ->check(CLI::IsMember(facade::densityMethodNames()));
    addDensityOptions(cmd, a->density, false, false);
    cmd->add_option("--label", q.label, "Label for the results");
    cmd->add_option("--report", q.reportPath, "Write the tab-separated report to this file");
    cmd->add_option("--add-results", a->addResults, "Save the input with the result records added");
    cmd->add_option("--seed", q.seed,
                    "Seed of the DE search (repeatable runs; 0 uses the clock) and of the sets' starts (0 as 1)");
    cmd->add_option("--sets", a->sets, "Sets: how many (1-20), or auto (chosen by the silhouette; default)");
    cmd->add_flag("--fuzzy", q.fuzzy, "Sets: fuzzy k-means (Hammah and Curran 1998)");
    cmd->add_option("--write-sets", a->writeSets,
                    "Sets: save the data with the attribute setK on each record of set K (a .gdf keeps them)");
    cmd->add_option("--slope", a->slope, "Kinematic: the slope face, DIPDIR/DIP");
    cmd->add_option("--friction", q.face.friction, "Kinematic: friction angle (default 30)");
    cmd->add_option("--lateral-limit", q.face.lateralLimit, "Kinematic: lateral limits (default 20)");
    cmd->add_flag("--curved-limits", q.face.curvedLimits, "Kinematic: curved lateral limits (small circles)");
    cmd->add_option("--wedge-sets", q.wedgeSets, "Kinematic: also test the lines of the means of this many sets");
    cmd->add_option("--method", q.stressMethod, "Stress: michael (Michael 1984, default) or angelier (after Angelier 1990)")
        ->check(CLI::IsMember({"michael", "angelier"}));
    cmd->add_option("--bootstrap", q.bootstrap, "Stress: bootstrap samples (with --seed)");
    cmd->add_option("--max-misfit", q.maxMisfit, "Stress: leave out faults misfitting by more degrees, invert again");
    cmd->add_flag("!--no-refine", q.refine, "Stress: the published methods alone (shear magnitudes not refined)");
    cmd->add_option("--sigma1", a->sigma1, "Tendency: sigma1's TREND/PLUNGE (default vertical)");
    cmd->add_option("--sigma3", a->sigma3, "Tendency: sigma3's TREND/PLUNGE (default 000/00)");
    cmd->add_option("--magnitudes", a->magnitudes, "Tendency: S1/S2/S3, compression positive (default 3/2/1)");
    cmd->add_flag("--from-faults", q.fromFaults, "Tendency: the stress found from the data's faults");
    cmd->add_option("--generations", q.generations, "Generations of the DE search")->check(CLI::Range(1, 100000));
    cmd->add_flag("--progress", q.progress, "Show the DE search's progress on standard error");
    return {cmd, [a] { return analyse(*a); }};
}

}  // namespace qz
