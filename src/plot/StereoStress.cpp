// The stress of a fault population over a stereonet: the principal axes
// as Angelier's stars over their bootstrap clouds, and right dihedra
// contoured under the data.
#include <cmath>
#include <memory>
#include <cstdio>

#include "plot/ContourTracing.h"
#include "qzCore/plot/StereonetOverlays.h"
#include "qzCore/shared/MyMath.h"

namespace qzCore {

namespace {

const RGBColor Axis_Colors[3] = {{210, 0, 0}, {0, 140, 0}, {0, 70, 200}};
const int Branches[3] = {5, 4, 3};
/// A star's radius, plot units (the net's radius is 1).
constexpr float Star_Size = 0.06f;
constexpr double Dihedra_Step = 10.0;

}  // namespace

void StereonetOverlays::addStressAxes(const std::array<Axis, 3>& axes, const std::array<std::vector<Axis>, 3>& samples) {
    m_stress = axes;
    m_samples = samples;
    m_hasStress = true;
    const char* names[3] = {"\u03c31", "\u03c32", "\u03c33"};
    for (int k = 0; k < 3; ++k) {
        KeyEntry e{GraphicsStyle(Axis_Colors[k], Style_Solid, Size_Larger, Symbol_Star), names[k], KeyEntry::Star};
        e.branches = Branches[k];
        m_key.push_back(e);
    }
    if (!samples[0].empty()) {
        m_key.push_back({GraphicsStyle(RGBColor(232, 127, 127), Style_Solid, Size_Smallest, Symbol_Dot),
                         "bootstrap axes", KeyEntry::Marker});
    }
}

void StereonetOverlays::drawStars() const {
    GraphicsPort* port = m_plot.getPort();
    if (!port || !m_hasStress) return;
    const bool lower = m_plot.getStereoPlotParams().getIsLowerHem();
    auto at = [&](const Axis& a) {
        TwoDPoint<float> p{float(lower ? a.trend : std::fmod(a.trend + 180.0, 360.0)), float(a.plunge)};
        m_plot.mapTPToUnitCircle(p);
        return p;
    };
    port->beginGroup();
    for (int k = 0; k < 3; ++k) {
        // The samples paler than their axis, which stands out over them.
        const RGBColor& c = Axis_Colors[k];
        const RGBColor pale((c.getRed() + 255) / 2, (c.getGreen() + 255) / 2, (c.getBlue() + 255) / 2);
        const GraphicsStyle dot(pale, Style_Solid, Size_Smallest, Symbol_Dot);
        for (const Axis& a : m_samples[std::size_t(k)]) port->drawSymbol(at(a), dot, float(Size_Smallest), dot, true);
    }
    for (int k = 0; k < 3; ++k) {
        const GraphicsStyle star(Axis_Colors[k], Style_Solid, Size_Smallest, Symbol_Star);
        const GraphicsStyle halo(RGBColor(0, 0, 0), Style_Solid, Size_Smallest, Symbol_Star);
        drawStar(*port, at(m_stress[std::size_t(k)]), Branches[k], Star_Size * 1.25f, halo);
        drawStar(*port, at(m_stress[std::size_t(k)]), Branches[k], Star_Size, star);
    }
    port->endGroup();
}

void StereonetOverlays::addDihedra(const std::vector<FaultSlip>& faults, int g) {
    if (faults.empty() || g < 3) return;
    // The share at each node of the plot's own grid, in its projection.
    auto grid = std::make_shared<Grid<double>>(std::size_t(g), std::size_t(g), 0.0);
    const bool equalArea = m_plot.getStereoPlotParams().getIsEqualArea();
    const bool lower = m_plot.getStereoPlotParams().getIsLowerHem();
    for (int j = 0; j < g; ++j) {
        const double y = 1.0 - 2.0 * j / (g - 1);
        for (int i = 0; i < g; ++i) {
            const double x = -1.0 + 2.0 * i / (g - 1);
            // The direction a point stands for, its angle h from the
            // vertical continued beyond the primitive (h > 90: the same
            // axis seen from the other side), so contours reach the
            // primitive smoothly.
            const double r = std::hypot(x, y);
            if (r > std::sqrt(2.0)) continue;
            const double h = equalArea ? 2.0 * std::asin(std::min(1.0, r / std::sqrt(2.0))) : 2.0 * std::atan(r);
            const double a = std::atan2(x, y);
            const Vec3 d{std::sin(h) * std::cos(a), std::sin(h) * std::sin(a), lower ? std::cos(h) : -std::cos(h)};
            (*grid)(std::size_t(j), std::size_t(i)) = 100.0 * compressionalShare(faults, d);
        }
    }
    underlay([this, grid]() {
        GraphicsPort* port = m_plot.getPort();
        if (!port) return;
        for (double level = 50.0; level < 100.0; level += Dihedra_Step) {
            std::vector<GraphicsPath> paths;
            const int shade = int(235 - (level - 50.0) * 2.2);
            const GraphicsStyle fill(RGBColor(shade, shade, shade), Style_Fill_Only, Size_Smallest, Symbol_Dot);
            contouring::traceLevel(*grid, level, fill, paths);
            std::list<GraphicsPath> areas;
            contouring::closeAlongPrimitive(paths, contouring::valueAt(*grid, 0.0, -1.0) >= level, fill, areas);
            if (!areas.empty()) port->fillPaths(areas, fill);
        }
        const GraphicsStyle line(RGBColor(90, 90, 90), Style_Solid, Size_Smallest, Symbol_Dot);
        for (double level = Dihedra_Step; level < 100.0; level += Dihedra_Step) {
            std::vector<GraphicsPath> paths;
            contouring::traceLevel(*grid, level, line, paths);
            for (const GraphicsPath& path : paths) port->drawPath(path, line, false, false, true);
        }
    });
    m_key.push_back({GraphicsStyle(RGBColor(170, 170, 170), Style_Fill_Only, Size_Smallest, Symbol_Dot),
                     "% compressional", KeyEntry::Swatch});
}

}  // namespace qzCore
