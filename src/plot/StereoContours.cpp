// The stereonet's density contours: the record kept between drawings,
// the drawing of the contours in their place in the drawing order, their
// labels and legend, the density for the host.
#include <cmath>
#include <cstdio>
#include <new>

#include "qzCore/plot/ContourGenerator.h"
#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/plot/StereoPlotCore.h"

namespace qzCore {

namespace {

/// Keeps a copy of `params` in `record`, in the record already kept when
/// there is one (so what a host holds of it stays valid).
void keep(std::unique_ptr<ContourParams>& record, const ContourParams& params) {
    if (&params == record.get()) return;
    if (record) {
        *record = params;
    } else {
        record = std::make_unique<ContourParams>(params);
    }
}

}  // namespace

void StereoPlotCore::contour(const ContourParams& params) {
    keep(m_contour, params);
    // Filled contours lie under the data: only a whole drawing puts them
    // there.
    if (m_contour->getClosedContours()) {
        generatePlot();
        return;
    }
    generateContoursOnPort();
    if (m_params.getShowPlotLegend()) generateLegendOnPort();
}

void StereoPlotCore::setContourParams(const ContourParams& params) { keep(m_contour, params); }

void StereoPlotCore::clearContours(bool redraw) {
    m_contour.reset();
    m_state.unset(State_Contoured);
    m_contourOutcome = ContourOutcome::No_Data;
    m_contourMessage.clear();
    if (redraw) generatePlot();
}

std::unique_ptr<ContourGenerator> StereoPlotCore::prepareContours() {
    if (!m_contour) return nullptr;
    m_state.unset(State_Contoured);
    auto generator = std::make_unique<ContourGenerator>(this, *m_contour, m_contour->getLevels());
    try {
        generator->prepare();
    } catch (const std::exception&) {
        m_contour->getLevels().clear();
        throw int(Error::Internal_Error);
    }
    m_contourOutcome = generator->outcome();
    m_contourMessage = generator->message();
    // The grid stays with the record, for the host and getContourColors.
    if (!generator->density().values.empty()) {
        m_contour->setStoredGrid(&generator->density().values);
    } else {
        m_contour->setStoredGrid(nullptr);
    }
    return generator;
}

void StereoPlotCore::drawContours(ContourGenerator& generator) {
    if (!m_port || !m_contour || m_contourOutcome != ContourOutcome::Drawn) return;
    m_port->beginGroup();
    bool drawn = false;
    try {
        drawn = generator.draw(m_port);
    } catch (const std::exception&) {
        m_port->endGroup();
        throw int(Error::Internal_Error);
    }
    m_port->endGroup();
    if (drawn) m_state.set(State_Contoured);
    if (m_params.getShowPlotLabels()) generateContourLabelsOnPort();
}

void StereoPlotCore::generateContoursOnPort() {
    if (!m_port || !m_contour) return;
    std::unique_ptr<ContourGenerator> generator = prepareContours();
    drawContours(*generator);
}

void StereoPlotCore::generateContourLabelsOnPort() {
    if (!m_port || !m_contour) return;
    const GraphicsStyle text(m_params.getPlotColors().text, Style_Solid, Size_Smallest, Symbol_Dot);
    setFont();
    m_port->beginGroup();
    const std::string method =
        std::string(m_contour->getContourMethodLabel()) + ". " + m_contour->getSmoothingMethodLabel();
    m_port->drawText(method, TwoDPoint<float>(-1.0f, -0.94f), 1, text, 10);
    // The levels as drawn ("Seismic" draws 1, 2, 3, ...), as the numbers
    // they are.
    const bool seismic = m_contour->getContourMethod() == ContourParams::Method_Seismic;
    const bool percent = m_contour->getContourMethod() == ContourParams::Method_One_Percent;
    char buf[96];
    std::snprintf(buf, sizeof buf, percent ? "Start : %g %%, CI = %g %%" : "Start : %g, CI = %g",
                  seismic ? 1.0 : m_contour->getStartLevel(), seismic ? 1.0 : m_contour->getContourInterval());
    m_port->drawText(buf, TwoDPoint<float>(-1.0f, -1.0f), 1, text, 10);
    m_port->endGroup();
    setFont();
}

bool StereoPlotCore::getContourColors(std::vector<int>& colors) const {
    colors.clear();
    if (!m_contour || !m_contour->grid() || m_contour->grid()->empty()) return false;
    const bool seismic = m_contour->getContourMethod() == ContourParams::Method_Seismic;
    const double start = seismic ? 1.0 : m_contour->getStartLevel();
    const double interval = seismic ? 1.0 : m_contour->getContourInterval();
    if (!std::isfinite(start) || !(interval > 0.0) || !std::isfinite(interval)) return false;
    const double n = std::floor((m_contour->grid()->maxValue() - start) / interval) + 1.0;
    if (!(n >= 1.0)) return false;
    std::vector<RGBColor> rgb;
    ColorHelper::interpolateColors(rgb, m_contour->getColors().start, m_contour->getColors().end,
                                   int(std::min(n, double(ContourGenerator::Max_Contour_Levels))));
    for (const RGBColor& c : rgb) colors.push_back(int(c.getRGB()));
    return !colors.empty();
}

ContourOutcome StereoPlotCore::computeDensity(const ContourParams& params, DensityGrid& out) const {
    std::vector<ContourInfo> levels;
    ContourGenerator generator(this, params, levels);
    try {
        return generator.computeDensity(out);
    } catch (const std::exception&) {
        throw int(Error::Internal_Error);
    }
}

std::string StereoPlotCore::chooseLevels(ContourParams& params) const {
    DensityGrid grid;
    double start = 0.0, interval = 0.0;
    if (computeDensity(params, grid) != ContourOutcome::Drawn ||
        !chooseContourLevels(grid.maximum, start, interval)) {
        return "";
    }
    params.setStartLevel(start);
    params.setContourInterval(interval);
    if (start == 2.0 && interval == 2.0) return "";
    const char* unit = grid.percent ? " %" : " sigma";
    char text[160];
    std::snprintf(text, sizeof text, "contour levels from %g every %g%s (the densest node is %g%s)", start, interval,
                  unit, grid.maximum, unit);
    return text;
}

void StereoPlotCore::generateLegendOnPort() {
    if (!m_port || !m_contour || m_contour->getLevels().empty()) return;
    const std::vector<ContourInfo>& levels = m_contour->getLevels();
    const float n = float(levels.size());
    m_port->beginGroup();
    m_port->setLineSize(1);
    const RGBColor boxFill(255, 255, 255);
    const GraphicsStyle outline(m_params.getPlotColors().plotFrame, Style_Solid, Size_Smallest, Symbol_Dot);
    const GraphicsStyle fill(boxFill, Style_Solid, Size_Smallest, Symbol_Dot);
    m_port->swatchFlag = false;
    m_port->drawBox(TwoDPoint<float>(1.04f, 1.0f), TwoDPoint<float>(1.5f, 1.0f - ((n + 1) * 0.02f + n * 0.08f)),
                    outline, fill, false, true);
    m_port->setFont("Arial", 12);
    // Text in the colour that reads on the box, whatever the window is.
    const GraphicsStyle text(boxFill.getOpposingColor(), Style_Solid, Size_Smallest, Symbol_Dot);
    const bool percent = m_contour->getContourMethod() == ContourParams::Method_One_Percent;
    float y = 1.0f;
    for (const ContourInfo& level : levels) {
        m_port->beginGroup();
        y = y - 0.02f - 0.08f;
        const GraphicsStyle swatch(RGBColor(level.color), Style_Solid, Size_Smallest, Symbol_Dot);
        m_port->swatchFlag = true;
        m_port->drawBox(TwoDPoint<float>(1.06f, y + 0.08f), TwoDPoint<float>(1.26f, y), swatch, swatch, true, true);
        char buf[64];
        std::snprintf(buf, sizeof buf, percent ? "%g %%" : "%g sig.", level.value);
        m_port->drawText(buf, TwoDPoint<float>(1.28f, y + 0.01f), 1, text, 10);
        m_port->endGroup();
    }
    m_port->swatchFlag = false;
    m_port->endGroup();
}

void StereoPlotCore::addDrawnColors(std::set<RGBColor, RGBColorLess>& colors) const {
    if (!m_contour) return;
    // The legend's box and text, and every contour level.
    colors.insert(RGBColor(255, 255, 255));
    colors.insert(RGBColor(255, 255, 255).getOpposingColor());
    for (const ContourInfo& level : m_contour->getLevels()) colors.insert(RGBColor(level.color));
}

}  // namespace qzCore
