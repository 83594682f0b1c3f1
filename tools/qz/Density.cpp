#include "Density.h"

#include <cmath>
#include <cstdlib>
#include <iostream>

namespace qz {


namespace {

using P = qzCore::ContourParams;

const std::pair<const char*, int> Methods[] = {
    {"kamb", P::Method_Kamb}, {"1percent", P::Method_One_Percent}, {"seismic", P::Method_Seismic}};
const std::pair<const char*, int> Smoothings[] = {
    {"none", P::Smooth_None}, {"linear", P::Smooth_Inv_Area}, {"square", P::Smooth_Inv_Area_Sq}, {"exp", P::Smooth_Expon}};

template <std::size_t N>
int lookUp(const std::pair<const char*, int> (&table)[N], const std::string& name) {
    for (const auto& e : table) {
        if (name == e.first) return e.second;
    }
    return -1;
}

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
        ->check(CLI::IsMember({"none", "linear", "square", "exp"}));
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

bool densityParams(const DensityOptions& o, qzCore::ContourParams& params) {
    const int method = lookUp(Methods, lower(o.method));
    if (method < 0) {
        std::cerr << "qz: the density is counted by kamb, 1percent or seismic, not '" << o.method << "'\n";
        return false;
    }
    params.setContourMethod(method);
    params.setSmoothingMethod(lookUp(Smoothings, o.smoothing));
    params.setGridDensity(o.grid);
    if (!o.levels.empty()) {
        const std::vector<std::string> levels = splitList(o.levels, ':');
        double start = 0.0, interval = 0.0;
        if (levels.size() != 2 || !number(levels[0], start) || !number(levels[1], interval)) {
            std::cerr << "qz: --levels takes START:INTERVAL, not '" << o.levels << "'\n";
            return false;
        }
        params.setStartLevel(start);
        params.setContourInterval(interval);
    }
    params.setClosedContours(o.filled);
    if (const qzCore::ColorMap* map = qzCore::findColorMap(o.colours)) params.setColorRamp(map->stops);
    for (const std::string& kind : splitList(o.count, ',')) {
        if (kind == "planes") {
            params.setIncludePlanes(true);
        } else if (kind == "faults") {
            params.setIncludeFaults(true);
        } else if (kind == "lines") {
            params.setIncludeLines(true);
        } else if (kind == "lineations") {
            params.setIncludeLineations(true);
        } else if (kind == "results") {
            params.setIncludeSpecials(true);
        } else {
            std::cerr << "qz: --count takes planes, faults, lines, lineations or results, not '" << kind << "'\n";
            return false;
        }
    }
    // Planes are counted at their poles, however they are drawn.
    params.setCountGreatCirclesAtPoles(true);
    if (!o.compensate.empty()) {
        const std::vector<std::string> parts = splitList(o.compensate, ',');
        double trend = 0.0, plunge = 0.0;
        if (parts.size() != 2 || !number(parts[0], trend) || !number(parts[1], plunge) || trend < 0.0 ||
            trend > 360.0 || plunge < -90.0 || plunge > 90.0) {
            std::cerr << "qz: --compensate takes TREND,PLUNGE of the line of observation, not '" << o.compensate
                      << "'\n";
            return false;
        }
        params.setAxisWeighting(true);
        params.setAxis(int(std::lround(trend)), int(std::lround(plunge)));
    }
    return true;
}

}  // namespace qz
