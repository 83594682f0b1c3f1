// The tangent plot: inserts, projection, frame, points and labels.
#include <cmath>
#include <cstdio>
#include <iostream>
#include <new>

#include "qzCore/datasets/DataManager.h"
#include "qzCore/plot/TangentPlotCore.h"
#include "qzCore/records/GeoData.h"

namespace qzCore {

TangentPlotCore::TangentPlotCore(const TangentPlotParams& params, GraphicsPort* port, const DataManager& manager)
    : Plot(port, manager), m_params(params), m_scale(std::tan(Outer_Plunge * MyMath::Deg_To_Rad)) {}

TangentPlotCore::~TangentPlotCore() = default;

void TangentPlotCore::setPlotParams(const PlotParams* params) {
    if (const auto* p = dynamic_cast<const TangentPlotParams*>(params)) m_params = *p;
}

void TangentPlotCore::setPlotState(krtDefaultMaskedBase& state) {
    // Colours, symbols and sizes as on the stereonet; no great circles
    // here, so every kind keeps only the reserved marker 12.
    Plot::setPlotState(state);
    if (state.isSet(State_Size)) sizePort(m_params.getPlotSize());
}

// ---------------------------------------------------------------- records

bool TangentPlotCore::insertFault(const GeoData* record) {
    // A plane is its dip vector (or its pole): a point at (strike, dip)
    // would sit 90 degrees from where a tangent diagram puts the plane.
    TwoDPoint<int> key;
    const Planar_Plot_Style style = m_params.getFaultStyle() == Planar_Pole ? Planar_Pole : Planar_Dip_Direction;
    return computePlanar(key, record, style, true) && addPoint(Plot_Fault, key, record, m_params);
}

bool TangentPlotCore::insertPlane(const GeoData* record) {
    TwoDPoint<int> key;
    const Planar_Plot_Style style = m_params.getPlaneStyle() == Planar_Pole ? Planar_Pole : Planar_Dip_Direction;
    return computePlanar(key, record, style, true) && addPoint(Plot_Plane, key, record, m_params);
}

bool TangentPlotCore::insertLine(const GeoData* record) {
    return insertLinear(Plot_Line, record, true, m_params);
}

bool TangentPlotCore::insertLineation(const GeoData* record) {
    return insertLinear(Plot_Lineation, record, true, m_params);
}

bool TangentPlotCore::insertSpecial(const GeoData* record) {
    return insertLinear(Plot_Special, record, true, m_params);
}

// ---------------------------------------------------------------- projection

bool TangentPlotCore::computePoint(TwoDPoint<int>& out, const GeoData* record, bool pole) const {
    int a = 0, b = 0;
    if (!m_manager.getDataValue(Value_Strike_Dip, record, a, b)) return false;
    if (pole) m_myMath.computePole(a, b);
    if (b > Outer_Plunge) return false;
    out.init(a, b);
    return true;
}

void TangentPlotCore::mapTPToUnitCircle(const TwoDPoint<int>& orientation, TwoDPoint<float>& out) const {
    const double r = std::tan(orientation.y() * MyMath::Deg_To_Rad) / m_scale;
    const double a = orientation.x() * MyMath::Deg_To_Rad;
    out.init(float(r * std::sin(a)), float(r * std::cos(a)));
}

TwoDPoint<int>& TangentPlotCore::mapTPToClient(TwoDPoint<int>& point) const {
    TwoDPoint<float> p;
    mapTPToUnitCircle(point, p);
    const PlotSize& s = m_params.getPlotSize();
    // Far points are held at the edge of what an int can say.
    point.init(s.getPlotCenter().x() + FloatToInt_Global(double(p.x()) * s.getHalfSize()),
               s.getPlotCenter().y() - FloatToInt_Global(double(p.y()) * s.getHalfSize()));
    return point;
}

bool TangentPlotCore::inWindow(const TwoDPoint<float>& p) {
    return std::isfinite(p.x()) && std::isfinite(p.y()) && std::fabs(p.x()) <= 1.0f && std::fabs(p.y()) <= 1.0f;
}

// ---------------------------------------------------------------- drawing

void TangentPlotCore::generatePlot() {
    if (!m_port) return;
    if (m_port->usesColorTable()) {
        std::set<RGBColor, RGBColorLess> colors;
        if (enumerateColors(colors, m_params)) {
            m_port->setColorTable(colors);
            m_port->applyColorTable();
        }
    }
    if (m_params.getShowPlotFrame()) generateFrameOnPort();
    m_port->beginGroup();
    m_offPicture = 0;
    for (const Store* s : {&m_lines, &m_faults, &m_lineations, &m_planes, &m_specials}) generateOnPort(*s);
    m_port->endGroup();
    if (m_params.getShowPlotLabels()) generateLabelsOnPort();
}

void TangentPlotCore::generateOnPort(const Store& store) {
    for (const auto& entry : store) {
        if (entry.second.empty()) continue;
        TwoDPoint<float> at;
        mapTPToUnitCircle(entry.first, at);
        // The outer circle is plunge 65 exactly; a whole-degree 65 lands on
        // it within rounding of the float projection.
        constexpr float On_Circle = 1.0f + 1e-5f;
        const bool shown = inWindow(at) && (!m_clip || std::hypot(at.x(), at.y()) <= On_Circle);
        if (shown) {
            generatePointOnPort(entry.first, entry.second.front());
        } else {
            m_offPicture += int(entry.second.size());
        }
    }
}

void TangentPlotCore::generatePointOnPort(const TwoDPoint<int>& key, const DataPlotPoint& point) {
    if (!m_port) return;
    TwoDPoint<float> at;
    mapTPToUnitCircle(key, at);
    // Steep lines lie far out (a vertical one at infinity): drawn only
    // within the plot's square, counted all the same.
    if (!inWindow(at)) return;
    m_port->drawSymbol(at, point.getCompositeStyle(), float(point.getSize()), GraphicsStyle(), false);
}

void TangentPlotCore::generateFrameOnPort() {
    if (!m_port || !m_params.getShowPlotFrame()) return;
    const PlotColors& colors = m_params.getPlotColors();
    const float half = m_params.getPlotSize().getHalfSize();
    const GraphicsStyle frame(colors.plotFrame, Style_Solid, Size_Smallest, Symbol_Circle);
    const GraphicsStyle background(colors.plotBackground, Style_Solid, Size_Smallest, Symbol_Circle);
    m_port->beginGroup();
    m_port->setLineSize(m_params.getPlotFrameWidth());
    const bool fill = !(colors.plotBackground == colors.windowBackground);
    m_port->drawSymbol(TwoDPoint<float>(0.0f, 0.0f), frame, half, background, fill);
    // The plunge circles and radial lines as a fine net under the data,
    // the outer circle in the frame's width.
    m_port->setLineSize(1);
    const GraphicsStyle net(colors.plotFrame, Style_Fine, Size_Smallest, Symbol_Circle);
    for (int d = 5; d <= 60; d += 5) {
        const float r = float(std::tan(d * MyMath::Deg_To_Rad) / m_scale);
        m_port->drawSymbol(TwoDPoint<float>(0.0f, 0.0f), net, r * half, background, false);
    }
    const float reach = 1.0f + m_port->getEpsilonLength();
    for (int a = 45; a <= 360; a += 45) {
        const double t = a * MyMath::Deg_To_Rad;
        m_port->drawLine(TwoDPoint<float>(0.0f, 0.0f),
                         TwoDPoint<float>(float(reach * std::sin(t)), float(reach * std::cos(t))), net);
    }
    m_port->endGroup();
    m_port->setLineSize(1);
}

void TangentPlotCore::generateLabelsOnPort() {
    if (!m_port) return;
    const GraphicsStyle text(m_params.getPlotColors().text, Style_Solid, Size_Smallest, Symbol_Dot);
    const int size = GraphicsPort::Default_Text_Size;
    setFont();
    m_port->beginGroup();
    TwoDPoint<float> p(1.0f, -1.0f);
    if (m_params.getShowPlotType()) m_port->drawText("Tangent Plot", p, 4, text, size);
    if (m_params.getShowDataCount()) drawDataCount(p, m_params, text);
    const float e = m_port->getEpsilonLength();
    m_port->setFont("Arial", 16);
    m_port->drawText("N", TwoDPoint<float>(0.0f, 1.0f + 2.0f * e), 2, text, 16);
    setFont();
    m_port->endGroup();
}

}  // namespace qzCore
