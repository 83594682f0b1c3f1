#include "qzCore/plot/ContourParams.h"

#include "qzCore/plot/ColorMaps.h"

namespace qzCore {

const char* const ContourParams::Contour_Method_Strings[3] = {"Kamb", "1Percent", "Seismic"};
const char* const ContourParams::Smooth_Method_Strings[4] = {"None", "InvArea", "InvAreaSq", "Expon"};
constexpr int ContourParams::Grid_Densities[4];

ContourParams::ContourParams(const ContourColors* colors) {
    if (colors) m_colors = *colors;
}

ContourParams::ContourParams(const ContourParams& o)
    : m_grid(o.m_grid ? std::make_unique<Grid<double>>(*o.m_grid) : nullptr),
      m_gridDensity(o.m_gridDensity),
      m_value1(o.m_value1),
      m_value2(o.m_value2),
      m_value3(o.m_value3),
      m_lineSize(o.m_lineSize),
      m_start(o.m_start),
      m_interval(o.m_interval),
      m_s(o.m_s),
      m_flag1(o.m_flag1),
      m_draw(o.m_draw),
      m_closed(o.m_closed),
      m_colors(o.m_colors),
      m_ramp(o.m_ramp),
      m_method(o.m_method),
      m_smoothing(o.m_smoothing),
      m_faults(o.m_faults),
      m_lines(o.m_lines),
      m_lineations(o.m_lineations),
      m_planes(o.m_planes),
      m_specials(o.m_specials),
      m_levels(o.m_levels),
      m_axisWeighting(o.m_axisWeighting),
      m_flag2(o.m_flag2),
      m_axisTrend(o.m_axisTrend),
      m_axisPlunge(o.m_axisPlunge),
      m_axisLimit(o.m_axisLimit),
      m_circlesAtPoles(o.m_circlesAtPoles) {}

ContourParams& ContourParams::operator=(const ContourParams& o) {
    if (this != &o) {
        ContourParams copy(o);
        std::swap(m_grid, copy.m_grid);
        m_gridDensity = o.m_gridDensity;
        m_value1 = o.m_value1;
        m_value2 = o.m_value2;
        m_value3 = o.m_value3;
        m_lineSize = o.m_lineSize;
        m_start = o.m_start;
        m_interval = o.m_interval;
        m_s = o.m_s;
        m_flag1 = o.m_flag1;
        m_draw = o.m_draw;
        m_closed = o.m_closed;
        m_colors = o.m_colors;
        m_ramp = o.m_ramp;
        m_method = o.m_method;
        m_smoothing = o.m_smoothing;
        m_faults = o.m_faults;
        m_lines = o.m_lines;
        m_lineations = o.m_lineations;
        m_planes = o.m_planes;
        m_specials = o.m_specials;
        m_levels = o.m_levels;
        m_axisWeighting = o.m_axisWeighting;
        m_flag2 = o.m_flag2;
        m_axisTrend = o.m_axisTrend;
        m_axisPlunge = o.m_axisPlunge;
        m_axisLimit = o.m_axisLimit;
        m_circlesAtPoles = o.m_circlesAtPoles;
    }
    return *this;
}

bool operator==(const ContourParams& a, const ContourParams& b) {
    return a.m_grid.get() == b.m_grid.get() && a.m_gridDensity == b.m_gridDensity && a.m_value1 == b.m_value1 &&
           a.m_value2 == b.m_value2 && a.m_lineSize == b.m_lineSize && a.m_start == b.m_start &&
           a.m_interval == b.m_interval && a.m_s == b.m_s && a.m_flag1 == b.m_flag1 && a.m_draw == b.m_draw &&
           a.m_closed == b.m_closed && a.m_method == b.m_method && a.m_smoothing == b.m_smoothing &&
           a.m_faults == b.m_faults && a.m_lines == b.m_lines && a.m_lineations == b.m_lineations &&
           a.m_planes == b.m_planes && a.m_specials == b.m_specials && a.m_axisWeighting == b.m_axisWeighting &&
           a.m_flag2 == b.m_flag2 && a.m_axisTrend == b.m_axisTrend && a.m_axisPlunge == b.m_axisPlunge &&
           a.m_axisLimit == b.m_axisLimit && a.m_circlesAtPoles == b.m_circlesAtPoles;
}

void ContourParams::setStoredGrid(const Grid<double>* g) { m_grid = g ? std::make_unique<Grid<double>>(*g) : nullptr; }

const char* ContourParams::getContourMethodLabel() const {
    return m_method >= 0 && m_method < 3 ? Contour_Method_Strings[m_method] : "";
}

const char* ContourParams::getSmoothingMethodLabel() const {
    return m_smoothing >= 0 && m_smoothing < 4 ? Smooth_Method_Strings[m_smoothing] : "";
}

std::vector<RGBColor> ContourParams::levelColors(int n) const {
    if (!m_ramp.empty()) return sampleColors(m_ramp, n);
    std::vector<RGBColor> out;
    ColorHelper::interpolateColors(out, m_colors.start, m_colors.end, n);
    return out;
}

}  // namespace qzCore
