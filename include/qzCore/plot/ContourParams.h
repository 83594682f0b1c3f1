// What a contoured stereonet is asked for: the counting method and its
// smoothing, the grid, the levels and their colours, which stores are
// counted; and, after each drawing, the levels drawn (for the legend).
#ifndef QZCORE_PLOT_CONTOURPARAMS_H
#define QZCORE_PLOT_CONTOURPARAMS_H

#include "qzCore/Export.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "qzCore/plot/PlotColors.h"
#include "qzCore/shared/Grid.h"

namespace qzCore {

/// One contour level drawn: the level (whole part, for callers that read
/// whole numbers), the level as drawn, and its colour (packed 0xRRGGBB).
class QZCORE_EXPORT ContourInfo {
public:
    ContourInfo() = default;
    ContourInfo(int level, unsigned int color) : contourLevel(level), value(level), color(color) {}
    ContourInfo(double level, unsigned int color) : contourLevel(int(level)), value(level), color(color) {}
    int contourLevel = 0;
    double value = 0.0;
    unsigned int color = 0;
};

class QZCORE_EXPORT ContourParams {
public:
    enum Contour_Method : int { Method_Kamb = 0, Method_One_Percent = 1, Method_Seismic = 2 };
    enum Smooth_Method : int { Smooth_None = 0, Smooth_Inv_Area = 1, Smooth_Inv_Area_Sq = 2, Smooth_Expon = 3 };

    static const char* const Contour_Method_Strings[3];  ///< "Kamb", "1Percent", "Seismic"
    static const char* const Smooth_Method_Strings[4];   ///< "None", "InvArea", "InvAreaSq", "Expon"
    static constexpr int Grid_Densities[4] = {20, 40, 75, 100};
    static constexpr int Max_Grid_Density = 125;
    static constexpr int Min_Num_Contours = 1;
    static constexpr int Max_Num_Contours = 10;

    /// Defaults: grid 50, start 2, interval 2, s = 3, "1Percent" with
    /// "InvAreaSq", nothing counted.  The colours are copied (the record
    /// keeps its own); null gives the default blue-to-red.
    explicit ContourParams(const ContourColors* colors = nullptr);
    ContourParams(const ContourParams& o);
    ContourParams& operator=(const ContourParams& o);
    ~ContourParams() = default;

    /// Every field but the colours, the grid and the levels; the interval
    /// too (a host that redraws on a change must see a new interval).
    friend bool operator==(const ContourParams& a, const ContourParams& b);
    friend bool operator!=(const ContourParams& a, const ContourParams& b) { return !(a == b); }

    const Grid<double>* grid() const { return m_grid.get(); }
    /// Keeps a copy of `g`; null drops the stored grid.
    void setStoredGrid(const Grid<double>* g);

    int getGridDensity() const { return m_gridDensity; }
    void setGridDensity(int g) { m_gridDensity = g; }
    int getContourLineSize() const { return m_lineSize; }
    void setContourLineSize(int s) { m_lineSize = s; }
    double getStartLevel() const { return m_start; }
    void setStartLevel(double v) { m_start = v; }
    double getContourInterval() const { return m_interval; }
    void setContourInterval(double v) { m_interval = v; }
    /// The counting parameter s (Kamb's number of standard deviations).
    double getCountingParameter() const { return m_s; }
    void setCountingParameter(double v) { m_s = v; }
    bool getDrawContours() const { return m_draw; }
    void setDrawContours(bool on) { m_draw = on; }
    bool getClosedContours() const { return m_closed; }
    void setClosedContours(bool on) { m_closed = on; }
    const ContourColors& getColors() const { return m_colors; }
    void setColors(const ContourColors& c) { m_colors = c; }
    /// Colour stops from the lowest level to the highest (a named map of
    /// ColorMaps.h, say); empty (the default) uses the start and end
    /// colours of getColors().
    const std::vector<RGBColor>& getColorRamp() const { return m_ramp; }
    void setColorRamp(std::vector<RGBColor> stops) { m_ramp = std::move(stops); }
    /// The colours of n levels, lowest first: evenly along the ramp, or from
    /// the start to the end colour without one.
    std::vector<RGBColor> levelColors(int n) const;
    int getContourMethod() const { return m_method; }
    void setContourMethod(int m) { m_method = m; }
    int getSmoothingMethod() const { return m_smoothing; }
    void setSmoothingMethod(int m) { m_smoothing = m; }
    /// "Kamb", "1Percent", "Seismic"; "" for another value.
    const char* getContourMethodLabel() const;
    /// "None", "InvArea", "InvAreaSq", "Expon"; "" for another value.
    const char* getSmoothingMethodLabel() const;
    bool getIncludeFaults() const { return m_faults; }
    void setIncludeFaults(bool on) { m_faults = on; }
    bool getIncludeLines() const { return m_lines; }
    void setIncludeLines(bool on) { m_lines = on; }
    bool getIncludeLineations() const { return m_lineations; }
    void setIncludeLineations(bool on) { m_lineations = on; }
    bool getIncludePlanes() const { return m_planes; }
    void setIncludePlanes(bool on) { m_planes = on; }
    bool getIncludeSpecials() const { return m_specials; }
    void setIncludeSpecials(bool on) { m_specials = on; }
    /// Planes and faults drawn as great circles are counted at their poles
    /// (by default they are not counted: only points are).
    bool getCountGreatCirclesAtPoles() const { return m_circlesAtPoles; }
    void setCountGreatCirclesAtPoles(bool on) { m_circlesAtPoles = on; }
    /// The levels of the last drawing, lowest first.
    std::vector<ContourInfo>& getLevels() { return m_levels; }
    const std::vector<ContourInfo>& getLevels() const { return m_levels; }
    bool getAxisWeighting() const { return m_axisWeighting; }
    void setAxisWeighting(bool on) { m_axisWeighting = on; }
    /// Degrees.
    int getAxisTrend() const { return m_axisTrend; }
    int getAxisPlunge() const { return m_axisPlunge; }
    void setAxis(int trend, int plunge) {
        m_axisTrend = trend;
        m_axisPlunge = plunge;
    }
    int getAxisAngleLimit() const { return m_axisLimit; }
    void setAxisAngleLimit(int degrees) { m_axisLimit = degrees; }

private:
    std::unique_ptr<Grid<double>> m_grid;
    int m_gridDensity = 50;
    int m_value1 = 5, m_value2 = 0;  // kept for hosts; not read by contouring
    int m_value3 = 0;
    int m_lineSize = 1;
    double m_start = 2.0;
    double m_interval = 2.0;
    double m_s = 3.0;
    bool m_flag1 = true;  // kept for hosts
    bool m_draw = true;
    bool m_closed = false;
    ContourColors m_colors;
    std::vector<RGBColor> m_ramp;
    int m_method = Method_One_Percent;
    int m_smoothing = Smooth_Inv_Area_Sq;
    bool m_faults = false, m_lines = false, m_lineations = false, m_planes = false, m_specials = false;
    std::vector<ContourInfo> m_levels;
    bool m_axisWeighting = false;
    bool m_flag2 = false;  // kept for hosts
    int m_axisTrend = 0;
    int m_axisPlunge = 0;
    int m_axisLimit = 80;
    bool m_circlesAtPoles = false;
};

}  // namespace qzCore

#endif  // QZCORE_PLOT_CONTOURPARAMS_H
