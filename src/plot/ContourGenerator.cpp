// Counting the plotted orientations on the grid, the levels and their
// colours, and the drawing of each level.
#include "qzCore/plot/ContourGenerator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "ContourTracing.h"
#include "DensityCounter.h"
#include "qzCore/plot/StereoPlotCore.h"

namespace qzCore {

using density::Vec3;

namespace {

/// Densities this close (relative) are equal: sums of the same weights in
/// another order differ by rounding only.
constexpr double Tie_Tolerance = 1e-9;

}  // namespace

struct ContourGenerator::Cache {
    std::unique_ptr<density::Counter> counter;
    double n = 0.0;
    density::Normalisation norm;
    bool normalised = false;
    /// Every node's density, beyond the primitive too, for tracing.
    Grid<double> trace;
    std::vector<RGBColor> colors;
    int numLevels = 0;
};

const char* contourOutcomeText(ContourOutcome outcome) {
    switch (outcome) {
        case ContourOutcome::Drawn: return "";
        case ContourOutcome::No_Data: return "nothing to count: the counted kinds hold no data drawn as points";
        case ContourOutcome::Bad_Method: return "unknown counting or smoothing method";
        case ContourOutcome::Bad_Counting_Parameter:
            return "the counting parameter must be a positive number of reasonable size";
        case ContourOutcome::Bad_Grid: return "the grid takes 3 to 500 nodes a side";
        case ContourOutcome::Bad_Start: return "the first level must be a number";
        case ContourOutcome::Bad_Interval: return "the contour interval must be a positive number";
        case ContourOutcome::Seismic_Needs_Expon: return "Seismic counting needs exponential smoothing";
        case ContourOutcome::Below_First_Level: return "the densest node lies below the first level";
        case ContourOutcome::Too_Many_Levels: return "too many levels: the contour interval is too small for the data";
        case ContourOutcome::No_Port: return "nothing to draw on";
    }
    return "";
}

bool chooseContourLevels(double maximum, double& start, double& interval) {
    if (!(maximum > 0.0) || !std::isfinite(maximum)) return false;
    // The levels 2, 4, 6, ... that hosts have always drawn, while they give
    // one to ten.
    constexpr double Usual = 2.0;
    constexpr double Most_Levels = 10.0;
    if (maximum >= Usual && std::floor((maximum - Usual) / Usual) + 1.0 <= Most_Levels) {
        start = interval = Usual;
        return true;
    }
    // The smallest round step that leaves at most ten levels below the
    // maximum (five at the least: the step at most doubles, or takes 2.5).
    const double raw = maximum / Most_Levels;
    const double decade = std::pow(10.0, std::floor(std::log10(raw)));
    double step = decade * 10.0;
    for (const double m : {1.0, 2.0, 2.5, 5.0}) {
        if (m * decade >= raw) {
            step = m * decade;
            break;
        }
    }
    start = interval = step;
    return true;
}

ContourGenerator::ContourGenerator(const StereoPlotCore* plot, const ContourParams& params,
                                   std::vector<ContourInfo>& levels)
    : m_plot(plot), m_params(params), m_levels(levels), m_cache(std::make_unique<Cache>()) {}

ContourGenerator::~ContourGenerator() = default;

void ContourGenerator::setParams(const ContourParams& params) {
    m_params = params;
    reset();
}

void ContourGenerator::reset() {
    m_cache = std::make_unique<Cache>();
    m_density = DensityGrid();
    m_outcome = ContourOutcome::No_Data;
    m_message.clear();
}

void ContourGenerator::cleanup() { reset(); }

void ContourGenerator::fail(ContourOutcome outcome, const std::string& detail) {
    m_outcome = outcome;
    m_message = contourOutcomeText(outcome);
    if (!detail.empty()) m_message += " " + detail;
}

// ---------------------------------------------------------------- counting

bool ContourGenerator::computeCachedData() {
    if (!m_plot) return false;
    const StereoPlotParams& plot = m_plot->getStereoPlotParams();
    std::vector<density::Datum> data;
    // Planes and faults, with their poles for the sampling weight.
    struct Planar {
        std::size_t index;
        Vec3 pole;
    };
    std::vector<Planar> planar;
    auto keyPlunge = [](int p) { return std::clamp(p, 0, 90); };
    auto linear = [&](const Plot::Store& store, bool skipCircles) {
        for (const auto& entry : store) {
            int count = 0;
            for (const DataPlotPoint& p : entry.second) {
                // A result drawn as a great circle is keyed by its pole.
                if (!skipCircles || p.getSymbol() != Symbol_Great_Circle || m_params.getCountGreatCirclesAtPoles()) {
                    ++count;
                }
            }
            if (count > 0) data.push_back({entry.first.x(), keyPlunge(entry.first.y()), double(count)});
        }
    };
    auto planes = [&](const Plot::Store& store, Planar_Plot_Style style) {
        for (const auto& entry : store) {
            const TwoDPoint<int>& key = entry.first;
            int points = 0, circles = 0;
            for (const DataPlotPoint& p : entry.second) (p.getSymbol() == Symbol_Great_Circle ? circles : points)++;
            if (!m_params.getCountGreatCirclesAtPoles()) circles = 0;
            // A key of strike and dip (right-hand rule) has its pole 90
            // degrees anticlockwise of the strike; a dip vector has it
            // opposite, 90 - dip from the vertical.
            const TwoDPoint<int> pole(key.x() + 270, 90 - keyPlunge(key.y()));
            const TwoDPoint<int> fromDipVector(key.x() + 180, 90 - keyPlunge(key.y()));
            if (circles > 0) {
                planar.push_back({data.size(), density::unitOf(pole.x(), pole.y())});
                data.push_back({pole.x(), pole.y(), double(circles)});
            }
            if (points > 0) {
                const TwoDPoint<int>& p =
                    style == Planar_Dip_Direction ? fromDipVector : (style == Planar_Pole ? key : pole);
                planar.push_back({data.size(), density::unitOf(p.x(), p.y())});
                data.push_back({key.x(), keyPlunge(key.y()), double(points)});
            }
        }
    };
    if (m_params.getIncludeLines()) linear(m_plot->lineStore(), false);
    if (m_params.getIncludeLineations()) linear(m_plot->lineationStore(), false);
    if (m_params.getIncludeSpecials()) linear(m_plot->specialStore(), true);
    if (m_params.getIncludeFaults()) planes(m_plot->faultStore(), plot.getFaultStyle());
    if (m_params.getIncludePlanes()) planes(m_plot->planeStore(), plot.getPlaneStyle());

    if (m_params.getAxisWeighting() && !planar.empty()) {
        // Terzaghi's correction, per plane: 1/|cos| of the angle between
        // pole and axis (axial: 100 degrees weighs as 80), capped at the
        // limit angle so planes nearly parallel to the axis stay finite;
        // then scaled so the planes still count as many as they are.
        const int limit = std::clamp(m_params.getAxisAngleLimit(), 0, 89);
        const int trend = m_params.getAxisTrend() + (plot.getIsLowerHem() ? 0 : 180);
        const Vec3 axis = density::unitOf(trend, m_params.getAxisPlunge());
        const double floorCosine = std::cos(limit * MyMath::Deg_To_Rad);
        double counted = 0.0, weighted = 0.0;
        for (const Planar& p : planar) {
            const double w = data[p.index].weight;
            counted += w;
            data[p.index].weight = w / std::max(std::fabs(density::dot(p.pole, axis)), floorCosine);
            weighted += data[p.index].weight;
        }
        for (const Planar& p : planar) data[p.index].weight *= counted / weighted;
    }
    m_cache->counter = std::make_unique<density::Counter>(data);
    m_cache->n = m_cache->counter->total();
    return m_cache->n > 0.0;
}

ContourOutcome ContourGenerator::computeContourParams() {
    const ContourOutcome o = density::normalisationOf(m_params, m_cache->n, m_cache->norm);
    m_cache->normalised = o == ContourOutcome::Drawn;
    return o;
}

bool ContourGenerator::directionOf(double x, double y, std::array<double, 3>& q) const {
    const double r = std::hypot(x, y);
    if (!(r <= std::sqrt(2.0) + 1e-9)) return false;
    // Angle from the vertical; beyond 90 degrees (outside the primitive)
    // the direction points up: the same axis as the opposite point of the
    // net, so the density runs on smoothly across the primitive.
    const bool equalArea = m_plot->getStereoPlotParams().getIsEqualArea();
    const double fromVertical =
        equalArea ? 2.0 * std::asin(std::min(1.0, r / std::sqrt(2.0))) : 2.0 * std::atan(r);
    const double azimuth = std::atan2(x, y);
    q = {std::sin(fromVertical) * std::cos(azimuth), std::sin(fromVertical) * std::sin(azimuth),
         std::cos(fromVertical)};
    return true;
}

ContourOutcome ContourGenerator::computeGridCachedData() {
    const int g = m_params.getGridDensity();
    if (g < 3 || g > DensityGrid::Max_Grid_Nodes) return ContourOutcome::Bad_Grid;
    const density::Normalisation& norm = m_cache->norm;
    m_cache->trace = Grid<double>(std::size_t(g), std::size_t(g), 0.0);
    m_density.values = Grid<double>(std::size_t(g), std::size_t(g), 0.0);
    m_density.percent = norm.percent;
    m_density.count = m_cache->n;
    m_density.maximum = -HUGE_VAL;
    Vec3 q;
    for (int j = 0; j < g; ++j) {
        for (int i = 0; i < g; ++i) {
            const TwoDPoint<double> at = DensityGrid::nodePosition(i, j, g);
            if (!directionOf(at.x(), at.y(), q)) continue;
            const double v = (m_cache->counter->sum(q, norm.kernel) - norm.offset) / norm.sigma;
            m_cache->trace(std::size_t(j), std::size_t(i)) = v;
            if (!DensityGrid::inside(i, j, g)) continue;
            m_density.values(std::size_t(j), std::size_t(i)) = v;
            m_density.maximum = std::max(m_density.maximum, v);
        }
    }
    // A plain count is flat within its cone: of the nodes that share the
    // maximum, the one nearest their middle.
    const double tie = Tie_Tolerance * std::max(1.0, std::fabs(m_density.maximum));
    double sx = 0.0, sy = 0.0;
    int tied = 0;
    for (int pass = 0; pass < 2; ++pass) {
        double nearest = HUGE_VAL;
        for (int j = 0; j < g; ++j) {
            for (int i = 0; i < g; ++i) {
                if (!DensityGrid::inside(i, j, g) ||
                    m_density.values(std::size_t(j), std::size_t(i)) < m_density.maximum - tie) {
                    continue;
                }
                const TwoDPoint<double> at = DensityGrid::nodePosition(i, j, g);
                if (pass == 0) {
                    sx += at.x();
                    sy += at.y();
                    ++tied;
                    continue;
                }
                const double d = std::hypot(at.x() - sx / tied, at.y() - sy / tied);
                if (d < nearest) {
                    nearest = d;
                    m_density.maxRow = j;
                    m_density.maxColumn = i;
                }
            }
        }
        if (tied == 0) break;
    }
    findPeak();
    return ContourOutcome::Drawn;
}

void ContourGenerator::findPeak() {
    const int g = m_density.size();
    if (m_density.maxRow < 0) return;
    const bool lower = m_plot->getStereoPlotParams().getIsLowerHem();
    const TwoDPoint<double> at = DensityGrid::nodePosition(m_density.maxColumn, m_density.maxRow, g);
    Vec3 node;
    directionOf(at.x(), at.y(), node);
    auto real = [&](double trend) { return MyMath::wrapAzimuth(trend + (lower ? 0.0 : 180.0)); };
    m_density.maxPlunge = std::asin(std::clamp(node[2], -1.0, 1.0)) * MyMath::Rad_To_Deg;
    m_density.maxTrend = real(std::atan2(node[1], node[0]) * MyMath::Rad_To_Deg);
    // Whole-degree directions within two grid steps of the node (a step
    // spans at most twice its length in radians, at the primitive of the
    // equal-area net), and a degree more.
    const double step = 2.0 * (2.0 / double(g - 1));
    const double reach = 2.0 * step + MyMath::Deg_To_Rad;
    const double within = std::cos(std::min(reach, MyMath::Pi / 2.0));
    const density::Normalisation& norm = m_cache->norm;
    const density::Counter& counter = *m_cache->counter;
    auto densityAt = [&](const Vec3& d) { return (counter.sum(d, norm.kernel) - norm.offset) / norm.sigma; };
    m_density.peak = -HUGE_VAL;
    double bestCloseness = -1.0;
    Vec3 peakDirection = node;
    auto consider = [&](const Vec3& d, double v, int trend, int plunge) {
        // Of equal values (a plain count's plateau), the nearest the node.
        const double closeness = std::fabs(density::dot(d, node));
        const double tie = Tie_Tolerance * std::max(1.0, std::fabs(v));
        if (v > m_density.peak + tie || (v > m_density.peak - tie && closeness > bestCloseness)) {
            bestCloseness = closeness;
            m_density.peak = v;
            m_density.peakTrend = int(real(trend));
            m_density.peakPlunge = plunge;
            peakDirection = d;
        }
    };
    for (int p = 0; p <= 90; ++p) {
        for (int t = 0; t < (p == 90 ? 1 : 360); ++t) {
            const Vec3 d = density::unitOf(t, p);
            if (std::fabs(density::dot(d, node)) < within) continue;
            consider(d, densityAt(d), t, p);
        }
    }
    // A counting cone or kernel narrower than the grid's spacing can fall
    // between the nodes: the densest node then says nothing of where the
    // data crowd (100,000 identical poles may leave every node empty).  The
    // density is largest at a datum, so every distinct direction is looked
    // at too; a narrow cone makes each look cheap.
    const double kernelAngle = norm.kernel.cut <= -1.0 ? MyMath::Pi : std::acos(std::clamp(norm.kernel.cut, -1.0, 1.0));
    if (kernelAngle >= reach) return;
    for (std::size_t i = 0; i < counter.distinct(); ++i) {
        Vec3 d = counter.direction(i);
        if (d[2] < 0.0) d = {-d[0], -d[1], -d[2]};
        const double v = densityAt(d);
        if (!(v > m_density.peak)) continue;
        const double p = std::asin(std::clamp(d[2], -1.0, 1.0)) * MyMath::Rad_To_Deg;
        const double t = MyMath::wrapAzimuth(std::atan2(d[1], d[0]) * MyMath::Rad_To_Deg);
        consider(d, v, MyMath::wholeAzimuth(t), FloatToInt_Global(p));
    }
    // And the picture shows it: when the densest direction lies between
    // nodes that do not see it (a kernel narrower than a grid step), the
    // node nearest it takes its value, so the contours ring it and the
    // grid's maximum is the density reported.
    if (kernelAngle >= step || !(m_density.peak > m_density.maximum)) return;
    TwoDPoint<float> spot(float(std::atan2(peakDirection[1], peakDirection[0]) * MyMath::Rad_To_Deg),
                          float(std::asin(std::clamp(peakDirection[2], -1.0, 1.0)) * MyMath::Rad_To_Deg));
    m_plot->mapTPToUnitCircle(spot);
    const double x = spot.x(), y = spot.y();
    const int i = std::clamp(int(std::lround((x + 1.0) * (g - 1) / 2.0)), 0, g - 1);
    const int j = std::clamp(int(std::lround((1.0 - y) * (g - 1) / 2.0)), 0, g - 1);
    if (!DensityGrid::inside(i, j, g)) return;
    m_density.values(std::size_t(j), std::size_t(i)) = m_density.peak;
    m_cache->trace(std::size_t(j), std::size_t(i)) = m_density.peak;
    m_density.maximum = m_density.peak;
    m_density.maxRow = j;
    m_density.maxColumn = i;
    const TwoDPoint<double> there = DensityGrid::nodePosition(i, j, g);
    Vec3 q;
    directionOf(there.x(), there.y(), q);
    m_density.maxPlunge = std::asin(std::clamp(q[2], -1.0, 1.0)) * MyMath::Rad_To_Deg;
    m_density.maxTrend = real(std::atan2(q[1], q[0]) * MyMath::Rad_To_Deg);
}

ContourOutcome ContourGenerator::computeDensity(DensityGrid& out) {
    reset();
    if (!computeCachedData()) {
        const ContourOutcome o = density::normalisationOf(m_params, 0.0, m_cache->norm);
        fail(o == ContourOutcome::Drawn ? ContourOutcome::No_Data : o);
        return m_outcome;
    }
    if (const ContourOutcome o = computeContourParams(); o != ContourOutcome::Drawn) {
        fail(o);
        return m_outcome;
    }
    if (const ContourOutcome o = computeGridCachedData(); o != ContourOutcome::Drawn) {
        fail(o);
        return m_outcome;
    }
    m_outcome = ContourOutcome::Drawn;
    out = m_density;
    return m_outcome;
}

double ContourGenerator::computeValueAtPoint(const TwoDPoint<float>& point) const {
    if (!m_plot || !m_cache->counter || !m_cache->normalised) return 0.0;
    const PlotSize& s = m_plot->getStereoPlotParams().getPlotSize();
    if (!(s.getHalfSize() > 0.0f)) return 0.0;
    const double x = (double(point.x()) - s.getPlotCenter().x()) / s.getHalfSize();
    const double y = -(double(point.y()) - s.getPlotCenter().y()) / s.getHalfSize();
    Vec3 q;
    if (x * x + y * y > 1.0 + 1e-9 || !directionOf(x, y, q)) return 0.0;
    return m_cache->counter->sum(q, m_cache->norm.kernel);
}

// ---------------------------------------------------------------- levels and drawing

namespace {

std::string number(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

}  // namespace

bool ContourGenerator::prepare() {
    m_levels.clear();
    DensityGrid grid;
    if (computeDensity(grid) != ContourOutcome::Drawn) return false;
    const density::Normalisation& norm = m_cache->norm;
    const double max = m_density.maximum, start = norm.start, interval = norm.interval;
    const std::string unit = norm.percent ? " %" : " sigma";
    if (!(max >= start)) {
        fail(ContourOutcome::Below_First_Level,
             "(the densest node is " + number(max) + unit + ", the first level " + number(start) + ")");
        return false;
    }
    const double n = std::floor((max - start) / interval) + 1.0;
    if (n > double(Max_Contour_Levels)) {
        fail(ContourOutcome::Too_Many_Levels, "(" + number(n) + " levels from " + number(start) + " to " +
                                                  number(max) + unit + "; at most " +
                                                  std::to_string(Max_Contour_Levels) + ")");
        return false;
    }
    m_cache->numLevels = int(n);
    m_cache->colors = m_params.levelColors(m_cache->numLevels);
    // The legend lists at most ten levels, evenly picked.
    const int count = m_cache->numLevels;
    const int step = count <= Max_Legend_Levels ? 1 : count / Max_Legend_Levels + 1;
    for (int k = 0; k < count && int(m_levels.size()) < Max_Legend_Levels; k += step) {
        m_levels.emplace_back(start + k * interval, m_cache->colors[std::size_t(k)].getRGB());
    }
    m_outcome = ContourOutcome::Drawn;
    return true;
}

bool ContourGenerator::draw(GraphicsPort* port) {
    if (m_cache->numLevels <= 0) return false;
    if (!port) {
        fail(ContourOutcome::No_Port);
        return false;
    }
    const density::Normalisation& norm = m_cache->norm;
    const bool filled = m_params.getClosedContours();
    if (!filled && !m_params.getDrawContours()) return true;
    if (!filled) port->setLineSize(m_params.getContourLineSize());
    std::vector<GraphicsPath> paths;
    for (int k = 0; k < m_cache->numLevels; ++k) {
        const double level = norm.start + k * norm.interval;
        const RGBColor& color = m_cache->colors[std::size_t(k)];
        paths.clear();
        const GraphicsStyle line(color, Style_Solid, Size_Smallest, Symbol_Dot);
        contouring::traceLevel(m_cache->trace, level, line, paths);
        if (filled) {
            const GraphicsStyle fill(color, Style_Filled, Size_Smallest, Symbol_Dot);
            std::list<GraphicsPath> boundaries;
            const bool primitiveAbove = contouring::valueAt(m_cache->trace, 0.0, 1.0) >= level;
            contouring::closeAlongPrimitive(paths, primitiveAbove, fill, boundaries);
            if (!boundaries.empty()) port->fillPaths(boundaries, fill);
        } else {
            for (const GraphicsPath& p : paths) port->drawPath(p, line, false, p.closed(), false);
        }
    }
    if (!filled) port->setLineSize(1);
    return true;
}

bool ContourGenerator::generate(GraphicsPort* port) { return prepare() && draw(port); }

}  // namespace qzCore
