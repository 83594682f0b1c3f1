#include "qzCore/facade/Density.h"

#include <cmath>
#include <cstdio>

#include "qzCore/datasets/Data.h"
#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/plot/ColorMaps.h"
#include "qzCore/plot/StereoPlotCore.h"
#include "qzCore/plot/StereoPlotParams.h"
#include "facade/Words.h"

namespace qzCore {
namespace facade {

namespace {

using P = ContourParams;

struct Named {
    const char* name;
    int value;
};
const Named Methods[] = {{"kamb", P::Method_Kamb}, {"1percent", P::Method_One_Percent}, {"seismic", P::Method_Seismic}};
const Named Smoothings[] = {
    {"none", P::Smooth_None}, {"linear", P::Smooth_Inv_Area}, {"square", P::Smooth_Inv_Area_Sq}, {"exp", P::Smooth_Expon}};
const char* const Counted[] = {"planes", "faults", "lines", "lineations", "results"};

template <std::size_t N>
std::vector<std::string> namesOf(const Named (&table)[N]) {
    std::vector<std::string> out;
    for (const Named& e : table) out.push_back(e.name);
    return out;
}

template <std::size_t N>
int lookUp(const Named (&table)[N], const std::string& name, const char* field) {
    for (const Named& e : table) {
        if (name == e.name) return e.value;
    }
    throw Refused(field, "takes " + detail::listed(namesOf(table)) + ", not '" + name + "'");
}

}  // namespace

const std::vector<std::string>& densityMethodNames() {
    static const std::vector<std::string> names = namesOf(Methods);
    return names;
}
const std::vector<std::string>& smoothingNames() {
    static const std::vector<std::string> names = namesOf(Smoothings);
    return names;
}
const std::vector<std::string>& countedKindNames() {
    static const std::vector<std::string> names(std::begin(Counted), std::end(Counted));
    return names;
}

ContourParams contourParams(const DensityParams& o) {
    ContourParams params;
    params.setContourMethod(lookUp(Methods, o.method, "method"));
    params.setSmoothingMethod(lookUp(Smoothings, o.smoothing, "smoothing"));
    if (o.grid < DensityParams::Min_Grid || o.grid > DensityParams::Max_Grid) {
        throw Refused("grid", "takes " + std::to_string(DensityParams::Min_Grid) + " to " +
                      std::to_string(DensityParams::Max_Grid) + " nodes a side, not " + std::to_string(o.grid));
    }
    params.setGridDensity(o.grid);
    if (!(o.sigma > 0.0) || !std::isfinite(o.sigma)) throw Refused("sigma", "takes a positive number");
    params.setCountingParameter(o.sigma);
    if (o.levels) {
        params.setStartLevel(o.levels->first);
        params.setContourInterval(o.levels->second);
    }
    params.setClosedContours(o.filled);
    const ColorMap* map = findColorMap(o.colours);
    if (!map) throw Refused("colours", "takes a colour map's name, not '" + o.colours + "'");
    params.setColorRamp(map->stops);
    for (const std::string& kind : o.count) {
        if (kind == "planes") params.setIncludePlanes(true);
        else if (kind == "faults") params.setIncludeFaults(true);
        else if (kind == "lines") params.setIncludeLines(true);
        else if (kind == "lineations") params.setIncludeLineations(true);
        else if (kind == "results") params.setIncludeSpecials(true);
        else throw Refused("count", "takes " + detail::listed(countedKindNames()) + ", not '" + kind + "'");
    }
    // Planes are counted at their poles, however they are drawn.
    params.setCountGreatCirclesAtPoles(true);
    if (o.compensate) {
        const Direction& d = *o.compensate;
        if (!(d.trend_deg >= 0.0 && d.trend_deg <= 360.0 && d.plunge_deg >= -90.0 && d.plunge_deg <= 90.0)) {
            throw Refused("compensate", "takes the trend (0-360) and plunge (-90-90) of the line of observation");
        }
        params.setAxisWeighting(true);
        params.setAxis(int(std::lround(d.trend_deg)), int(std::lround(d.plunge_deg)));
    }
    return params;
}

DensityResult density(Dataset& ds, const DensityParams& o, const std::string& reportPath) {
    const ContourParams params = contourParams(o);
    StereoPlotParams p;
    p.setPlaneStyle(Planar_Pole);
    p.setFaultStyle(Planar_Pole);
    StereoPlotCore plot(p, nullptr, ds.manager());
    insertDataset(plot, ds.data());
    DensityResult r;
    DensityGrid& grid = r.grid;
    const ContourOutcome outcome = plot.computeDensity(params, grid);
    if (outcome != ContourOutcome::Drawn) {
        throw Failed(Error::No_Data_To_Analyse, std::string("no density: ") + contourOutcomeText(outcome));
    }
    const char* unit = grid.percent ? " % per 1 % of the area" : " sigma";
    char line[256];
    std::snprintf(line, sizeof line, "Densest direction (az, pl) : (%d, %d)\nDensity : %.2f%s\n", grid.peakTrend,
                  grid.peakPlunge, grid.peak, unit);
    r.text = line;
    std::snprintf(line, sizeof line, "Counted : %g data; %s count, %s smoothing, grid %d x %d\n", grid.count,
                  params.getContourMethodLabel(), params.getSmoothingMethodLabel(), grid.size(), grid.size());
    r.text += line;
    if (reportPath.empty()) return r;
    std::FILE* f = std::fopen(reportPath.c_str(), "w");
    if (!f) throw Failed(Error::File_Write_Error, "cannot write '" + reportPath + "'");
    // Nodes inside the net: their place in plot units (radius 1, x east,
    // y north), direction and density.
    std::fprintf(f, "X\tY\tTrend\tPlunge\t%s\n", grid.percent ? "Percent" : "Sigma");
    const int g = grid.size();
    for (int j = 0; j < g; ++j) {
        for (int i = 0; i < g; ++i) {
            if (!DensityGrid::inside(i, j, g)) continue;
            const TwoDPoint<double> at = DensityGrid::nodePosition(i, j, g);
            double trend = 0.0, plunge = 0.0;
            plot.mapUnitCircleToTP(at.x(), at.y(), trend, plunge);
            std::fprintf(f, "%.4f\t%.4f\t%.1f\t%.1f\t%.4f\n", at.x(), at.y(), trend, plunge,
                         grid.values(std::size_t(j), std::size_t(i)));
        }
    }
    if (std::fclose(f) != 0) throw Failed(Error::File_Write_Error, "cannot write '" + reportPath + "'");
    return r;
}

}  // namespace facade
}  // namespace qzCore
