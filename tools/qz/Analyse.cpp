// qz analyse METHOD FILE...: Fisher statistics, eigen analysis, best fit,
// T/L and P/T axes, least squares, intersection and angle of the records
// of one or more files (merged into one dataset).
#include <cmath>
#include <cstdio>
#include <deque>
#include <iostream>
#include <memory>
#include <sstream>

#include "Common.h"
#include "Density.h"
#include "qzCore/errors/ErrorCodes.h"

namespace qz {

namespace {

using qzCore::GDSlipTypes;
using qzCore::GDTypes;

enum class Method { Fisher, Tensor, BestFit, TAndL, PTAxes, LeastSquares, DE, Intersect, Angle, Density };

/// The methods by name: one table for the option's check and the choice.
const std::pair<const char*, Method> Methods[] = {
    {"fisher", Method::Fisher},        {"tensor", Method::Tensor}, {"bestfit", Method::BestFit},
    {"tl", Method::TAndL},             {"pt", Method::PTAxes},     {"lsq", Method::LeastSquares},
    {"de", Method::DE},                {"intersect", Method::Intersect}, {"angle", Method::Angle},
    {"density", Method::Density}};

Method methodOf(const std::string& name) {
    for (const auto& m : Methods) {
        if (name == m.first) return m.second;
    }
    return Method::Fisher;
}

struct AnalyseOptions {
    LoadOptions load;
    std::vector<std::string> files;
    std::string method;
    bool faults = false;
    bool lineations = false;
    bool axial = false;
    std::string compensate;
    std::string label;
    std::string report;
    std::string addResults;
    long seed = 0;
    int generations = 1000;
    bool progress = false;
    DensityOptions density;
};

/// A vector mean whose resultant is below this share of the axial mean's
/// is that of directions that straddle the horizontal: averaged as
/// vectors they partly cancel.  (For data all on one side of the plane
/// normal to their axis the two are equal.)
constexpr double Axial_Warning_Ratio = 0.9;

/// Why an analysis found nothing to work on, and what selects the records.
std::string noDataHint(Method m, const qzCore::Data& data, const AnalyseOptions& a) {
    if (m == Method::Intersect || m == Method::Angle) return "it takes exactly two records";
    if (m == Method::BestFit && data.getNumData() > 0) {
        std::string hint = "a best fit needs at least four records";
        if (data.getNumFaults() > 0 && !a.faults && !a.lineations) {
            hint += "; --faults adds the planes of faults, --lineations their slip lines";
        }
        return hint;
    }
    const bool faultsUnused = data.getNumFaults() > 0 && !a.faults && !a.lineations;
    if (m == Method::TAndL) {
        if (faultsUnused) return "T and L axes are found from planes; --faults takes the planes of the faults";
        return "T and L axes are found from planes, and the data hold none";
    }
    if (faultsUnused) {
        return "the data hold " + std::to_string(data.getNumFaults()) +
               " faults: --faults takes their planes, --lineations their slip lines";
    }
    return "the data hold no record this analysis takes";
}

/// R/N of the mean of the selected records, as vectors or as axes.
double meanResultant(qzCore::AnalyzeParams& params, bool axial) {
    std::list<qzCore::SpecialData> none;
    qzCore::AnalyzeResults results(none);
    qzCore::Analyzer analyzer(params, results);
    qzCore::FisherStatsParams f;
    f.setAxial(axial);
    long double r = 0;
    qzCore::TwoDPoint<double> mean;
    analyzer.computeAveValue(r, mean, &f);
    if (results.isError() || results.getNumDataAnalyzed() == 0) return 0.0;
    return double(r) / results.getNumDataAnalyzed();
}

std::string slipName(char code) {
    std::string name;
    if (!GDSlipTypes::instance().get(code, name)) name = std::to_string(int(code));
    return name;
}

std::string pair(int a, int b) { return "(" + std::to_string(a) + ", " + std::to_string(b) + ")"; }

std::string degrees(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", v);
    return buf;
}

/// P and T of each fault on its own line, P first; the result records of
/// all in `out` (none when no fault gives axes).
std::string ptByFault(qzCore::Data& data, std::list<qzCore::SpecialData>& out) {
    std::ostringstream text;
    int faults = 0, skipped = 0;
    for (qzCore::GeoData* g : data.getDataList()) {
        if (!g || g->getGDType() != GDTypes::GDType_Fault || !g->data()) continue;
        ++faults;
        const qzCore::LightweightDataStruct& d = *g->data();
        text << "Fault " << (g->getDataReference() & 0xFFFFFFu) << " (" << d.getStrike() << "/" << d.getDip();
        if (d.hasTrend() && d.hasPlunge()) text << ", slip line " << d.getTrend() << "/" << d.getPlunge();
        if (d.hasSlip()) text << ", " << slipName(d.getSlip());
        text << "): ";
        qzCore::SpecialData p, t;
        const bool got = qzCore::Analyzer::ptAxesOf(g, p, t);
        if (!got) {
            ++skipped;
            text << "skipped, " << qzCore::Analyzer::whyNoPTAxes(d) << "\n";
            continue;
        }
        const double misfit = qzCore::Analyzer::slipMisfit(d.getStrike(), d.getDip(), d.getTrend(), d.getPlunge());
        text << "P (az, pl) : " << pair(p.getAz(), p.getPl()) << ", T (az, pl) : " << pair(t.getAz(), t.getPl())
             << ", misfit " << degrees(misfit);
        if (misfit > qzCore::Analyzer::Rounding_Slip_Misfit) text << " (slip line projected onto the plane)";
        text << "\n";
        out.push_back(p);
        out.push_back(t);
    }
    if (faults == 0) return "No faults in the data\n";
    if (skipped == faults) text << "No fault with a usable sense of slip\n";
    return text.str();
}

/// The densest direction of the records on a lower-hemisphere equal-area
/// net; with a report, every node of the grid.
int density(const AnalyseOptions& a, Loaded& l, const qzCore::Data& data) {
    DensityOptions o = a.density;
    o.compensate = a.compensate;
    qzCore::ContourParams params;
    if (!densityParams(o, params)) return 1;
    qzCore::StereoPlotParams p;
    p.setPlaneStyle(qzCore::Planar_Pole);
    p.setFaultStyle(qzCore::Planar_Pole);
    qzCore::StereoPlotCore plot(p, nullptr, l.manager);
    qzCore::insertDataset(plot, data);
    qzCore::DensityGrid grid;
    const qzCore::ContourOutcome outcome = plot.computeDensity(params, grid);
    if (outcome != qzCore::ContourOutcome::Drawn) {
        std::cerr << "qz: no density: " << qzCore::contourOutcomeText(outcome) << '\n';
        return 2;
    }
    const char* unit = grid.percent ? " % per 1 % of the area" : " sigma";
    char line[256];
    std::snprintf(line, sizeof line, "Densest direction (az, pl) : (%d, %d)\nDensity : %.2f%s\n", grid.peakTrend,
                  grid.peakPlunge, grid.peak, unit);
    std::cout << line;
    std::snprintf(line, sizeof line, "Counted : %g data; %s count, %s smoothing, grid %d x %d\n", grid.count,
                  params.getContourMethodLabel(), params.getSmoothingMethodLabel(), grid.size(), grid.size());
    std::cout << line;
    if (a.report.empty()) return 0;
    std::FILE* f = std::fopen(a.report.c_str(), "w");
    if (!f) {
        std::cerr << "qz: cannot write '" << a.report << "'\n";
        return 1;
    }
    // Nodes inside the net: their place in plot units (radius 1, x east,
    // y north), direction and density.
    std::fprintf(f, "X\tY\tTrend\tPlunge\t%s\n", grid.percent ? "Percent" : "Sigma");
    const int g = grid.size();
    for (int j = 0; j < g; ++j) {
        for (int i = 0; i < g; ++i) {
            if (!qzCore::DensityGrid::inside(i, j, g)) continue;
            const qzCore::TwoDPoint<double> at = qzCore::DensityGrid::nodePosition(i, j, g);
            double trend = 0.0, plunge = 0.0;
            plot.mapUnitCircleToTP(at.x(), at.y(), trend, plunge);
            std::fprintf(f, "%.4f\t%.4f\t%.1f\t%.1f\t%.4f\n", at.x(), at.y(), trend, plunge,
                         grid.values(std::size_t(j), std::size_t(i)));
        }
    }
    if (std::fclose(f) != 0) {
        std::cerr << "qz: cannot write '" << a.report << "'\n";
        return 1;
    }
    return 0;
}

int analyse(const AnalyseOptions& a) {
    Loaded l;
    if (!loadAll(a.files, a.load, l)) return 1;
    printRejected(l);
    qzCore::Data& data = *l.manager.getDatasetFromID(l.id);
    if (methodOf(a.method) == Method::Density) return density(a, l, data);
    std::deque<qzCore::GeoData*> records(data.getDataList().begin(), data.getDataList().end());
    std::list<qzCore::SpecialData> out;
    qzCore::AnalyzeResults results(out);
    std::unique_ptr<qzCore::AnalyzeParams> params;
    const Method m = methodOf(a.method);
    if (m == Method::PTAxes) {
        params = std::make_unique<qzCore::AnalyzeFaultParams>(records);
    } else {
        params = std::make_unique<qzCore::AnalyzeParams>(records, a.faults, a.lineations);
    }
    params->setAnalyzeLines(true);
    params->setAnalyzePlanes(true);
    params->setResultLabel(a.label);
    if (!a.report.empty()) {
        params->setExportToFile(true);
        params->setExportFileName(a.report.c_str());
    }
    qzCore::Analyzer analyzer(*params, results);
    std::string text;
    if (m == Method::Fisher) {
        qzCore::FisherStatsParams f;
        if (!a.compensate.empty()) {
            const std::vector<std::string> parts = splitList(a.compensate, ',');
            if (parts.size() != 2 || !f.setParams(parts[0], parts[1], 85, true)) {
                std::cerr << "qz: --compensate takes AZIMUTH,PLUNGE of the line of observation, not '" << a.compensate
                          << "'\n";
                return 1;
            }
        }
        f.setAxial(a.axial);
        analyzer.computeFisher(&f);
        if (!results.isError() && !a.axial) {
            const double asVectors = meanResultant(*params, false), asAxes = meanResultant(*params, true);
            if (asVectors < Axial_Warning_Ratio * asAxes) {
                char warning[256];
                std::snprintf(warning, sizeof warning,
                              "qz: warning: these directions straddle the horizontal: as vectors their mean "
                              "resultant R/N is %.2f, as axes %.2f; --axial averages them as axes\n",
                              asVectors, asAxes);
                std::cerr << warning;
            }
        }
    } else if (m == Method::Tensor) {
        analyzer.computeTensor(nullptr);
    } else if (m == Method::BestFit) {
        analyzer.computeBestFit(true);
    } else if (m == Method::TAndL) {
        analyzer.computeTAndL();
    } else if (m == Method::PTAxes) {
        // The report (when asked for) of all faults at once; the listing
        // fault by fault.
        if (!a.report.empty()) {
            std::list<qzCore::SpecialData> all;
            qzCore::AnalyzeResults allResults(all);
            qzCore::Analyzer(*params, allResults).computePTAxes();
        }
        text = ptByFault(data, out);
        if (out.empty()) {
            // Nothing analysed is a failed analysis, as for the others.
            std::cout << text;
            std::cerr << "qz: no fault gives P and T axes\n";
            return 2;
        }
    } else if (m == Method::LeastSquares || m == Method::DE) {
        qzCore::LeastSquaresParams ls;
        ls.setUseDESearch(m == Method::DE);
        ls.setUseBruteForce(m == Method::LeastSquares);
        ls.getDESolverParams().setSeed(a.seed);
        ls.getDESolverParams().setGenerations(a.generations);
        // The solver reports every generation through the message handler;
        // shown (on standard error, the default) only when asked for.
        struct Quiet : qzCore::MessageHandler {
            void notify(const std::string&, const std::string&) override {}
            int query(const std::string&, const std::string&) override { return 1; }
            void warning(const std::string&) override {}
        } quiet;
        qzCore::ScopedMessageHandler silence(a.progress ? qzCore::currentMessageHandler() : &quiet);
        analyzer.computeLeastSquares(&ls);
    } else if (m == Method::Intersect) {
        analyzer.computeIntersection();
    } else if (m == Method::Angle) {
        analyzer.computeAngleBetweenObjects();
    }
    if (results.isError()) {
        std::cerr << "qz: " << messageOf(l, results.getError()) << '\n';
        if (results.getError() == qzCore::Error::No_Data_To_Analyse) std::cerr << "qz: " << noDataHint(m, data, a) << '\n';
        return 2;
    }
    if (m == Method::Angle) {
        text = "Angle between the objects : " + std::to_string(results.getResult().x()) + " degrees\n";
    } else if (m == Method::Intersect) {
        text = "Line of intersection (az, pl) : " + pair(results.getResult().x(), results.getResult().y()) + "\n";
    } else if (m != Method::PTAxes) {
        text = results.getResultString();
    }
    std::cout << text;
    if (!text.empty() && text.back() != '\n') std::cout << '\n';
    if (!a.addResults.empty()) {
        if (data.addData(out) != 1) {
            std::cerr << "qz: the result records could not be added\n";
            return 1;
        }
        return write(l, l.id, a.addResults, "auto");
    }
    return 0;
}

}  // namespace

Command addAnalyseCommand(CLI::App& app) {
    auto a = std::make_shared<AnalyseOptions>();
    CLI::App* cmd = app.add_subcommand("analyse", "Analyse the records of data files");
    cmd->alias("analyze");
    std::vector<std::string> names;
    for (const auto& method : Methods) names.push_back(method.first);
    cmd->add_option("method", a->method, "fisher, tensor, bestfit, tl, pt, lsq, de, intersect, angle or density")
        ->required()
        ->check(CLI::IsMember(names));
    cmd->add_option("files", a->files, "Data files (\"-\" for standard input)")->required();
    addInputOptions(cmd, a->load);
    cmd->add_flag("--faults", a->faults, "Use the planes of faults");
    cmd->add_flag("--lineations", a->lineations, "Use the slip lines of faults");
    cmd->add_flag("--axial", a->axial,
                  "Fisher: average as axes (each direction first turned towards the principal axis)");
    cmd->add_option("--compensate", a->compensate,
                    "Fisher, density: weight for a line of observation AZIMUTH,PLUNGE (scanline or borehole)");
    cmd->add_option("--counting", a->density.method, "Density: kamb (default), 1percent or seismic")
        ->check(CLI::IsMember({"kamb", "1percent", "seismic"}));
    addDensityOptions(cmd, a->density, false, false);
    cmd->add_option("--label", a->label, "Label for the results");
    cmd->add_option("--report", a->report, "Write the tab-separated report to this file");
    cmd->add_option("--add-results", a->addResults, "Save the input with the result records added");
    cmd->add_option("--seed", a->seed, "Seed of the DE search (repeatable runs; 0 uses the clock)");
    cmd->add_option("--generations", a->generations, "Generations of the DE search")->check(CLI::Range(1, 100000));
    cmd->add_flag("--progress", a->progress, "Show the DE search's progress on standard error");
    return {cmd, [a] { return analyse(*a); }};
}

}  // namespace qz
