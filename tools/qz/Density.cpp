#include "Density.h"

#include <cmath>
#include <cstdlib>
#include <iostream>

namespace qz {


namespace {

/// The number a text holds, whole; false for anything else.
bool number(const std::string& text, double& out) {
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return !text.empty() && end && *end == '\0';
}

}  // namespace

void addDensityOptions(CLI::App* cmd, DensityOptions& o, bool levels, bool compensate) {
    cmd->add_option("--smoothing", o.smoothing,
                    "Weighting of the count: none, linear, square (inverse area, squared) or exp (Vollmer's "
                    "exponential Kamb; default)")
        ->check(CLI::IsMember(qzCore::facade::smoothingNames()));
    cmd->add_option("--grid", o.grid, "Nodes a side of the counting grid (default 50)")->check(CLI::Range(3, 500));
    cmd->add_option("--count", o.count,
                    "What is counted, of planes,faults,lines,lineations,results (default: the records loaded, "
                    "planes,faults,lines,lineations, never results; planes and faults at their poles)");
    if (compensate) {
        cmd->add_option("--compensate", o.compensate,
                        "Weight planes for a line of observation TREND,PLUNGE (scanline or borehole)");
    }
    if (!levels) return;
    cmd->add_option("--levels", o.levels,
                    "First level and interval START:INTERVAL (default: 2:2 when that gives one to ten levels, "
                    "else round numbers from the densest node)");
    cmd->add_flag("--filled", o.filled, "Fill the areas above each level instead of drawing lines");
    std::string maps;
    for (const qzCore::ColorMap& m : qzCore::colorMaps()) {
        maps += std::string(maps.empty() ? "" : "; ") + m.name + ": " + m.description;
    }
    cmd->add_option("--colours", o.colours, "Colours of the levels, lowest to highest (default viridis). " + maps)
        ->check([](const std::string& name) {
            return qzCore::findColorMap(name) ? std::string() : "no colour map '" + name + "'";
        });
}

bool densityRequest(const DensityOptions& o, qzCore::facade::DensityParams& out) {
    out.method = lower(o.method);
    out.smoothing = o.smoothing;
    out.grid = o.grid;
    out.filled = o.filled;
    out.colours = o.colours;
    out.count = splitList(o.count, ',');
    if (!o.levels.empty()) {
        const std::vector<std::string> levels = splitList(o.levels, ':');
        double start = 0.0, interval = 0.0;
        if (levels.size() != 2 || !number(levels[0], start) || !number(levels[1], interval)) {
            std::cerr << "qz: --levels takes START:INTERVAL, not '" << o.levels << "'\n";
            return false;
        }
        out.levels = std::make_pair(start, interval);
    }
    if (!o.compensate.empty()) {
        const std::vector<std::string> parts = splitList(o.compensate, ',');
        double trend = 0.0, plunge = 0.0;
        if (parts.size() != 2 || !number(parts[0], trend) || !number(parts[1], plunge)) {
            std::cerr << "qz: --compensate takes TREND,PLUNGE of the line of observation, not '" << o.compensate
                      << "'\n";
            return false;
        }
        out.compensate = qzCore::facade::Direction{trend, plunge};
    }
    return true;
}

bool densityParams(const DensityOptions& o, qzCore::ContourParams& params) {
    qzCore::facade::DensityParams request;
    if (!densityRequest(o, request)) return false;
    try {
        params = qzCore::facade::contourParams(request);
    } catch (const qzCore::facade::Refused& r) {
        return refused(r);
    }
    return true;
}

}  // namespace qz
