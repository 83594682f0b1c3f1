// The rose diagram: inserts, frequencies per class with or without a
// running average, the resultant, petals or outline, frame and labels.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>

#include "qzCore/plot/RosePlotCore.h"
#include "qzCore/records/GeoData.h"

namespace qzCore {

namespace {

/// Mean resultant lengths below this are vectors that cancel: no mean
/// direction (rounding leaves about 1e-16 of two opposite azimuths).
constexpr double No_Resultant = 1e-9;

int degree(int azimuth) { return ((azimuth % 360) + 360) % 360; }

TwoDPoint<float> atAzimuth(double azimuth, double radius) {
    const double a = azimuth * MyMath::Deg_To_Rad;
    return TwoDPoint<float>(float(radius * std::sin(a)), float(radius * std::cos(a)));
}

}  // namespace

RosePlotCore::RosePlotCore(const RosePlotParams& params, GraphicsPort* port, const DataManager& manager)
    : Plot(port, manager), m_params(params) {
    initStorage();
}

RosePlotCore::~RosePlotCore() = default;

void RosePlotCore::setPlotParams(const PlotParams* params) {
    if (const auto* p = dynamic_cast<const RosePlotParams*>(params)) m_params = *p;
}

void RosePlotCore::updateKind(Plot_Data_Type kind, Update_Aspect aspect) { m_state.unset(stateBitOf(kind, aspect)); }

void RosePlotCore::setPlotState(krtDefaultMaskedBase& state) {
    Plot::setPlotState(state);
    if (state.isSet(State_Size)) sizePort(m_params.getPlotSize());
}

void RosePlotCore::initStorage() {
    const std::size_t n = std::size_t(m_params.getNumClasses());
    m_bins.assign(n, {});
    m_frequencies.assign(n, 0.0f);
    m_frequencySum = 0.0;
    m_largest = 0.0;
    initResultant();
}

// ---------------------------------------------------------------- records

bool RosePlotCore::insertFault(const GeoData* record) {
    TwoDPoint<int> key;
    return computePlanar(key, record, m_params.getFaultStyle(), true) && addPoint(Plot_Fault, key, record, m_params);
}

bool RosePlotCore::insertPlane(const GeoData* record) {
    TwoDPoint<int> key;
    return computePlanar(key, record, m_params.getPlaneStyle(), true) && addPoint(Plot_Plane, key, record, m_params);
}

bool RosePlotCore::insertLine(const GeoData* record) {
    return insertLinear(Plot_Line, record, true, m_params);
}

bool RosePlotCore::insertLineation(const GeoData* record) {
    return insertLinear(Plot_Lineation, record, true, m_params);
}

bool RosePlotCore::insertSpecial(const GeoData* record) {
    return insertLinear(Plot_Special, record, true, m_params);
}

// ---------------------------------------------------------------- counting

int RosePlotCore::computeBin(int azimuth) const {
    return degree(azimuth - m_params.getClassStart()) / m_params.getClassSize();
}

void RosePlotCore::initResultant() {
    m_c = m_s = m_total = 0.0;
    m_direction = -1.0;
    m_meanLength = m_deviation = 0.0;
}

void RosePlotCore::addToResultant(double azimuth, double weight) {
    // An axis counts by its doubled angle: 010 and 190 are one line.
    const double a = azimuth * MyMath::Deg_To_Rad * (m_params.getIsUnidirectional() ? 1.0 : 2.0);
    m_c += weight * std::cos(a);
    m_s += weight * std::sin(a);
    m_total += weight;
}

void RosePlotCore::computeResultant() {
    m_direction = -1.0;
    m_meanLength = m_deviation = 0.0;
    if (!(m_total > 0.0)) return;
    const double r = std::hypot(m_c, m_s) / m_total;
    if (r < No_Resultant) return;
    const bool axial = !m_params.getIsUnidirectional();
    double direction = std::atan2(m_s, m_c) * MyMath::Rad_To_Deg;
    if (direction < 0.0) direction += 360.0;
    if (axial) direction /= 2.0;
    m_direction = direction >= (axial ? 180.0 : 360.0) ? 0.0 : direction;
    m_meanLength = std::min(1.0, r);
    // Batschelet's angular deviation; doubled angles spread twice as far.
    m_deviation = std::sqrt(2.0 * (1.0 - m_meanLength)) * MyMath::Rad_To_Deg / (axial ? 2.0 : 1.0);
}

void RosePlotCore::computeFrequencies() {
    initStorage();
    const bool axial = !m_params.getIsUnidirectional();
    const Store* stores[] = {&m_lines, &m_faults, &m_lineations, &m_planes, &m_specials};
    // Counts per whole degree; an axis at both of its ends.
    std::array<double, 360> counts{};
    for (const Store* s : stores) {
        for (const auto& entry : *s) {
            const int a = degree(entry.first.x());
            const double n = double(entry.second.size());
            counts[std::size_t(a)] += n;
            if (axial) counts[std::size_t((a + 180) % 360)] += n;
            if (m_params.getApplyRunningAverage()) continue;
            for (const DataPlotPoint& p : entry.second) {
                m_bins[std::size_t(computeBin(a))].push_back(p.getDataRef());
                if (axial) m_bins[std::size_t(computeBin(a + 180))].push_back(p.getDataRef());
            }
        }
    }
    std::array<double, 360> weights = counts;
    if (m_params.getApplyRunningAverage()) {
        // 2h + 1 whole degrees about each degree, over the window.
        const int w = m_params.getRunningAverageWindowSize(), h = w / 2;
        double sum = 0.0;
        for (int k = -h; k <= h; ++k) sum += counts[std::size_t(degree(k))];
        for (int g = 0; g < 360; ++g) {
            weights[std::size_t(g)] = sum / double(w);
            sum += counts[std::size_t(degree(g + h + 1))] - counts[std::size_t(degree(g - h))];
        }
    }
    for (int g = 0; g < 360; ++g) {
        const double v = weights[std::size_t(g)];
        if (!(v > 0.0)) continue;
        m_frequencies[std::size_t(computeBin(g))] += float(v);
        m_frequencySum += v;
        // Both ends of an axis double to the same angle: counting the
        // opposite degree too only doubles the weight.
        addToResultant(g, v);
    }
    computeResultant();
}

bool RosePlotCore::computeBinRadii(std::vector<float>& radii, float& maxRadius) {
    radii.assign(m_frequencies.size(), 0.0f);
    maxRadius = 0.0f;
    m_largest = 0.0;
    if (!(m_frequencySum > 0.0)) return false;
    const double n = double(m_frequencies.size());
    for (std::size_t k = 0; k < m_frequencies.size(); ++k) {
        const double f = double(m_frequencies[k]) / m_frequencySum;
        m_largest = std::max(m_largest, f);
        radii[k] = float(m_params.getIsAreaProportional() ? std::sqrt(n * f) : f);
        maxRadius = std::max(maxRadius, radii[k]);
    }
    return maxRadius > 0.0f;
}

bool RosePlotCore::getResults(std::vector<float>& radii, float& largest) {
    try {
        generatePlot();
        // As the rose's scaling computes them: the share f of each class
        // (linear) or sqrt(n f) (area), not yet divided by the largest; no
        // data gives every class 0.
        computeBinRadii(radii, largest);
    } catch (const std::exception&) {
        radii.clear();
        largest = 0.0f;
        return false;
    }
    return true;
}

void RosePlotCore::generateFrameRadii(int m, std::vector<float>& radii) const {
    radii.clear();
    for (int i = 1; i <= m; ++i) {
        const double f = double(i) / double(m);
        radii.push_back(float(m_params.getIsAreaProportional() ? std::sqrt(f) : f));
    }
}

// ---------------------------------------------------------------- drawing

void RosePlotCore::generatePlot() {
    // Counted every drawing: data, classes and scaling may have changed.
    computeFrequencies();
    std::vector<float> radii;
    float maxRadius = 0.0f;
    const bool any = computeBinRadii(radii, maxRadius);
    if (!m_port) return;
    if (m_port->usesColorTable()) {
        std::set<RGBColor, RGBColorLess> colors;
        if (enumerateColors(colors, m_params)) {
            m_port->setColorTable(colors);
            m_port->applyColorTable();
        }
    }
    if (m_params.getShowPlotFrame()) generateFrameOnPort();
    if (any) generateBinsOnPort(radii, maxRadius);
    if (m_params.getShowPlotLabels()) generateLabelsOnPort();
}

void RosePlotCore::generateBinsOnPort(const std::vector<float>& radii, float maxRadius) {
    if (!m_port || radii.empty() || !(maxRadius > 0.0f)) return;
    m_port->beginGroup();
    const PlotColors& colors = m_params.getPlotColors();
    if (m_params.getGenerateRoseOutline()) {
        // One polygon through the middle of every class.
        const bool filled = m_params.getFilledClasses();
        const GraphicsStyle style(colors.fault, filled ? Style_Filled : Style_Solid, Size_Smallest, Symbol_Dot);
        GraphicsPath outline(style);
        const double size = m_params.getClassSize();
        for (std::size_t k = 0; k < radii.size(); ++k) {
            const double a = m_params.getClassStart() + double(k) * size + size / 2.0;
            outline.add(atAzimuth(a, radii[k] / maxRadius), GraphicsPath::Path_End);
        }
        outline.add(outline.getPoints().front(), GraphicsPath::Path_End);
        m_port->setLineSize(1);
        m_port->drawPath(outline, style, filled, true, false);
    } else {
        for (std::size_t k = 0; k < radii.size(); ++k) {
            if (radii[k] > 0.0f) generateBinOnPort(radii[k] / maxRadius, unsigned(k));
        }
    }
    m_port->endGroup();
}

void RosePlotCore::generateBinOnPort(float radius, unsigned int index) {
    const PlotColors& colors = m_params.getPlotColors();
    const Graphics_Style fillStyle = m_params.getShowClassBoundaries() ? Style_Solid : Style_Fill_Only;
    const GraphicsStyle fill(colors.fault, fillStyle, Size_Smallest, Symbol_Dot);
    const GraphicsStyle outline(colors.lineation, Style_Solid, Size_Smallest, Symbol_Dot);
    m_port->setLineSize(1);
    m_port->setFillStyle(fill);
    const double a = double(m_params.getClassSize()) * index + m_params.getClassStart();
    m_port->drawWedge(TwoDPoint<float>(0.0f, 0.0f), atAzimuth(a, radius), radius, float(m_params.getClassSize()),
                      fill, outline, m_params.getFilledClasses());
    m_port->endFill();
}

void RosePlotCore::generateFrameOnPort() {
    if (!m_port) return;
    const PlotColors& colors = m_params.getPlotColors();
    const float half = m_params.getPlotSize().getHalfSize();
    const GraphicsStyle frame(colors.plotFrame, Style_Solid, Size_Smallest, Symbol_Circle);
    const GraphicsStyle background(colors.plotBackground, Style_Solid, Size_Smallest, Symbol_Circle);
    m_port->setLineSize(m_params.getPlotFrameWidth());
    m_port->beginGroup();
    if (m_params.getShowFreqBoundaries()) {
        std::vector<float> rings;
        generateFrameRadii(5, rings);
        if (!(colors.plotBackground == colors.windowBackground)) {
            m_port->drawSymbol(TwoDPoint<float>(0.0f, 0.0f), frame, half * rings.back(), background, true);
        }
        for (const float r : rings) m_port->drawSymbol(TwoDPoint<float>(0.0f, 0.0f), frame, half * r, background, false);
    }
    if (m_params.getShowClassBoundaries()) {
        const float reach = 1.0f + m_port->getEpsilonLength();
        const bool onClasses = m_params.getFrameOnClassBoundaries();
        const int lines = onClasses ? m_params.getNumClasses() : 12;
        const double step = onClasses ? m_params.getClassSize() : 30.0;
        const double first = onClasses ? m_params.getClassStart() : 0.0;
        for (int k = 0; k < lines; ++k) {
            m_port->drawLine(TwoDPoint<float>(0.0f, 0.0f), atAzimuth(first + k * step, reach), frame);
        }
    }
    m_port->endGroup();
    m_port->setLineSize(1);
}

void RosePlotCore::generateLabelsOnPort() {
    if (!m_port) return;
    const GraphicsStyle text(m_params.getPlotColors().text, Style_Solid, Size_Smallest, Symbol_Dot);
    const int size = GraphicsPort::Default_Text_Size;
    setFont();
    m_port->beginGroup();
    TwoDPoint<float> p(1.0f, 1.0f);
    char buf[64];
    if (m_params.getShowPlotType()) {
        m_port->drawText(m_params.getIsAreaProportional() ? "Area Scaling" : "Linear Scaling", p, 4, text, size);
    }
    if (m_params.getApplyRunningAverage()) {
        p.y() = 0.94f;
        std::snprintf(buf, sizeof buf, "R.A. Window : %d", m_params.getRunningAverageWindowSize());
        m_port->drawText(buf, p, 4, text, size);
    }
    if (m_params.getShowFreqBoundaries()) {
        p.y() = -1.0f;
        std::snprintf(buf, sizeof buf, "Largest Freq : %0.2f%%", 100.0 * m_largest);
        m_port->drawText(buf, p, 4, text, size);
    }
    if (m_params.getShowDataCount()) drawDataCount(p, m_params, text);
    const float e = m_port->getEpsilonLength();
    if (m_params.getShowResultantDirection() && m_direction >= 0.0) {
        std::snprintf(buf, sizeof buf, "Resultant : %d", FloatToInt_Global(m_direction) % 360);
        m_port->drawText(buf, TwoDPoint<float>(-1.0f, 1.0f), 1, text, size);
        std::snprintf(buf, sizeof buf, "Ang. Dev. : %d", FloatToInt_Global(m_deviation));
        m_port->drawText(buf, TwoDPoint<float>(-1.0f, 0.94f), 1, text, size);
        m_port->drawArrow(TwoDPoint<float>(0.0f, 0.0f), atAzimuth(m_direction, 1.0 + 4.0 * e), text, 3.0f * e);
        // An axis points both ways.
        if (!m_params.getIsUnidirectional()) {
            m_port->drawArrow(TwoDPoint<float>(0.0f, 0.0f), atAzimuth(m_direction + 180.0, 1.0 + 4.0 * e), text,
                              3.0f * e);
        }
    }
    m_port->setFont("Arial", 16);
    m_port->drawText("N", TwoDPoint<float>(0.0f, 1.0f + 2.0f * e), 2, text, 16);
    setFont();
    m_port->endGroup();
}

}  // namespace qzCore
