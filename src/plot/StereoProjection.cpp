// The stereonet's projection, frame, net, labels, drawing order and
// hemisphere switch.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "qzCore/plot/ContourGenerator.h"
#include "qzCore/plot/StereoPlotCore.h"

namespace qzCore {

StereoPlotCore::StereoPlotCore(const StereoPlotParams& params, GraphicsPort* port, const DataManager& manager)
    : Plot(port, manager), m_params(params) {}

StereoPlotCore::~StereoPlotCore() = default;

void StereoPlotCore::setPlotParams(const PlotParams* params) {
    if (const auto* p = dynamic_cast<const StereoPlotParams*>(params)) m_params = *p;
}

void StereoPlotCore::setPlotState(krtDefaultMaskedBase& state) {
    Plot::setPlotState(state);
    if (state.isSet(State_Hemisphere)) {
        updateHemisphere();
        state.unset(State_Hemisphere);
    }
    if (state.isSet(State_Size)) sizePort(m_params.getPlotSize());
}


// ---------------------------------------------------------------- projection

double StereoPlotCore::radiusOf(double plunge) const {
    return m_params.getIsEqualArea() ? m_myMath.computeEqualAreaRadius(plunge)
                                     : m_myMath.computeEqualAngleRadius(plunge);
}

bool StereoPlotCore::mapUnitCircleToTP(double x, double y, double& azimuth, double& plunge) const {
    // A point a rounding beyond the primitive is on it.
    constexpr double On_Primitive = 1e-9;
    const double r = std::hypot(x, y);
    if (!(r <= 1.0 + On_Primitive)) return false;
    // r = sqrt(2) sin(h / 2) (equal area) or tan(h / 2) (equal angle), h
    // the angle from the vertical.
    const double half = m_params.getIsEqualArea() ? std::asin(std::min(1.0, r / std::sqrt(2.0))) : std::atan(r);
    plunge = std::max(0.0, 90.0 - 2.0 * half * MyMath::Rad_To_Deg);
    azimuth = r > 0.0 ? std::atan2(x, y) * MyMath::Rad_To_Deg : 0.0;
    if (azimuth < 0.0) azimuth += 360.0;
    return true;
}

void StereoPlotCore::mapTPToUnitCircle(const TwoDPoint<int>& orientation, TwoDPoint<float>& out) const {
    const double r = radiusOf(orientation.y());
    const double a = orientation.x() * MyMath::Deg_To_Rad;
    out.init(float(std::sin(a) * r), float(std::cos(a) * r));
}

void StereoPlotCore::mapTPToUnitCircle(TwoDPoint<float>& point) const {
    // The plunge keeps its fraction: sampled circles must not step by
    // whole degrees.
    const double r = radiusOf(point.y());
    const double a = point.x() * MyMath::Deg_To_Rad;
    point.init(float(std::sin(a) * r), float(std::cos(a) * r));
}

TwoDPoint<int>& StereoPlotCore::mapTPToClient(TwoDPoint<int>& point) const {
    const PlotSize& s = m_params.getPlotSize();
    const double r = radiusOf(point.y()) * s.getHalfSize();
    const double a = point.x() * MyMath::Deg_To_Rad;
    point.init(s.getPlotCenter().x() + FloatToInt_Global(std::sin(a) * r),
               s.getPlotCenter().y() - FloatToInt_Global(std::cos(a) * r));
    return point;
}

bool StereoPlotCore::mapPointToClient(double x, double y, TwoDPoint<float>& out, bool check) const {
    // The plot's own margins, the same the inside test measures from.
    const PlotSize& s = m_params.getPlotSize();
    out.init(float(s.getSize() * x + s.getXOffset()), float(s.getSize() * y + s.getYOffset()));
    if (!check) return true;
    const TwoDPoint<float> centre(float(s.getPlotCenter().x()), float(s.getPlotCenter().y()));
    const float epsilon = m_port ? m_port->getEpsilonLength() : 0.0f;
    return out.distance(centre) <= s.getHalfSize() + epsilon;
}

bool StereoPlotCore::mapPointToClient(double x, double y, TwoDPoint<int>& out, bool check) const {
    TwoDPoint<float> f;
    const bool inside = mapPointToClient(x, y, f, check);
    const PlotSize& s = m_params.getPlotSize();
    out.init(FloatToInt_Global(s.getSize() * x) + s.getXOffset(), FloatToInt_Global(s.getSize() * y) + s.getYOffset());
    return inside;
}

bool StereoPlotCore::generateGreatCircle(float strike, float dip, std::list<TwoDPoint<float>>& points) const {
    points.clear();
    m_myMath.computeGreatCircle(strike, dip, points, -1.0);
    for (TwoDPoint<float>& p : points) mapTPToUnitCircle(p);
    return !points.empty();
}

void StereoPlotCore::generateGreatCircleOnPort(const TwoDPoint<int>& key, const GraphicsStyle& style) {
    if (!m_port) return;
    m_port->setLineSize(style.getNextSizeSmaller());
    // A circular arc is the exact trace in the equal-angle projection only:
    // in equal area it would miss the trace by up to 2% of the radius.
    if (m_params.getIsEqualArea() || m_params.getUseAccurateGreatCircle()) {
        GraphicsPath path(style);
        generateGreatCircle(float(key.x()), float(key.y()), path.getPoints());
        m_port->drawPath(path, style, false, false, true);
    } else {
        const float radius = key.y() <= qzPlotDefaults::Max_Dip_For_Arc_Plot ? float(radiusOf(key.y())) : 0.0f;
        m_port->drawPlaneArc(radius, -float(key.x()), style, false);
    }
    m_port->setLineSize(1);
}

namespace {

/// Unit vector (north, east, down) of a direction, fractions kept.
Matrix_1 vectorOf(double trend, double plunge) { return Matrix_1(trend, plunge); }

}  // namespace

void StereoPlotCore::generateSmallCircleOnPort(const TwoDPoint<float>& axis, float angle,
                                               const GraphicsStyle& style) const {
    if (!m_port || !(angle > 0.0f) || !std::isfinite(angle)) return;
    // Two unit vectors at right angles to the axis span its circles.
    const Matrix_1 a = vectorOf(axis.x(), axis.y());
    Matrix_1 u = a.crossProduct(std::fabs(a[2]) < 0.9 ? Matrix_1(0.0, 0.0, 1.0) : Matrix_1(1.0, 0.0, 0.0));
    u.normalize();
    const Matrix_1 w = a.crossProduct(u);
    const double ca = std::cos(angle * MyMath::Deg_To_Rad), sa = std::sin(angle * MyMath::Deg_To_Rad);
    constexpr int Steps = 180;  // two degrees of the circle each
    auto at = [&](double t) {
        return Matrix_1(ca * a[0] + sa * (std::cos(t) * u[0] + std::sin(t) * w[0]),
                        ca * a[1] + sa * (std::cos(t) * u[1] + std::sin(t) * w[1]),
                        ca * a[2] + sa * (std::cos(t) * u[2] + std::sin(t) * w[2]));
    };
    std::vector<Matrix_1> v;
    for (int i = 0; i <= Steps; ++i) v.push_back(at(i * 2.0 * MyMath::Pi / Steps));
    // A direction above the horizontal plots as its opposite: where the
    // circle crosses the primitive its path breaks and goes on across the
    // net.
    auto project = [this](const Matrix_1& d, bool opposite) {
        Matrix_1 e = opposite ? Matrix_1(-d[0], -d[1], -d[2]) : d;
        double t = 0.0, p = 0.0;
        e.convertFromDC(t, p);
        if (!m_params.getIsLowerHem()) m_myMath.computeUpperHem(t);
        TwoDPoint<float> pt{float(t), float(p)};
        mapTPToUnitCircle(pt);
        return pt;
    };
    std::vector<GraphicsPath> paths(1, GraphicsPath(style));
    bool up = v[0][2] < 0.0;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const bool nowUp = v[i][2] < 0.0;
        if (i > 0 && nowUp != up) {
            // Where the circle itself meets the horizontal, by halving the
            // step (a chord would cut inside the circle).
            double lo = (i - 1) * 2.0 * MyMath::Pi / Steps, hi = i * 2.0 * MyMath::Pi / Steps;
            for (int k = 0; k < 40; ++k) {
                const double mid = 0.5 * (lo + hi);
                ((at(mid)[2] < 0.0) == up ? lo : hi) = mid;
            }
            Matrix_1 c = at(0.5 * (lo + hi));
            c[2] = 0.0;
            c.normalize();
            paths.back().add(project(c, up), GraphicsPath::Path_End);
            paths.emplace_back(style);
            paths.back().add(project(c, nowUp), GraphicsPath::Path_End);
            up = nowUp;
        }
        paths.back().add(project(v[i], nowUp), GraphicsPath::Path_End);
    }
    // The circle's start and end are one point: join the last piece to the
    // first.
    if (paths.size() > 1) {
        auto& first = paths.front().getPoints();
        auto& last = paths.back().getPoints();
        last.pop_back();
        first.splice(first.begin(), last);
        paths.pop_back();
    }
    for (const GraphicsPath& p : paths) m_port->drawPath(p, style, false, false, true);
}

// ---------------------------------------------------------------- frame and labels

void StereoPlotCore::generateFrameOnPort() { drawFrame(true); }

void StereoPlotCore::drawFrame(bool background) {
    if (!m_port || !m_params.getShowPlotFrame()) return;
    const PlotColors& colors = m_params.getPlotColors();
    const PlotSize& size = m_params.getPlotSize();
    m_port->beginGroup();
    m_port->setLineSize(m_params.getPlotFrameWidth());
    const GraphicsStyle frame(colors.plotFrame, Style_Solid, Size_Smallest, Symbol_Circle);
    const GraphicsStyle paper(colors.plotBackground, Style_Solid, Size_Smallest, Symbol_Circle);
    m_port->drawSymbol(TwoDPoint<float>(0.0f, 0.0f), frame, size.getHalfSize(), paper, background);
    const float tick = qzPlotDefaults::Default_Plot_Tick_Size;
    GraphicsStyle mark(colors.plotFrame, Style_Solid, Size_Smallest, Symbol_Cross);
    m_port->drawSymbol(TwoDPoint<float>(0.0f, 0.0f), mark, tick, paper, false);
    mark.setSymbol(Symbol_Horizontal_Tick);
    for (const float x : {1.0f, -1.0f}) m_port->drawSymbol(TwoDPoint<float>(x, 0.0f), mark, tick, paper, false);
    mark.setSymbol(Symbol_Vertical_Tick);
    for (const float y : {1.0f, -1.0f}) m_port->drawSymbol(TwoDPoint<float>(0.0f, y), mark, tick, paper, false);

    if (m_params.getShowPlotNet()) {
        m_port->setLineSize(1);
        const GraphicsStyle net(colors.plotFrame, Style_Fine, Size_Smallest, Symbol_Dot);
        const float e = m_port->getEpsilonLength();
        m_port->drawLine(TwoDPoint<float>(0.0f, -1.0f - e), TwoDPoint<float>(0.0f, 1.0f + e), net);
        m_port->drawLine(TwoDPoint<float>(-1.0f - e, 0.0f), TwoDPoint<float>(1.0f + e, 0.0f), net);
        for (int d = 10; d <= 80; d += 10) {
            generateGreatCircleOnPort(TwoDPoint<int>(0, d), net);
            generateGreatCircleOnPort(TwoDPoint<int>(180, d), net);
        }
        // Small circles about the north point, each from the primitive
        // through (000, a) back to the primitive; and their mirrors about
        // the south point.
        for (int a = 0; a <= 80; a += 10) {
            GraphicsPath north(net);
            auto point = [this](const Matrix_1& d) {
                double t = 0.0, p = 0.0;
                d.convertFromDC(t, p);
                TwoDPoint<float> pt{float(t), float(p)};
                mapTPToUnitCircle(pt);
                return pt;
            };
            const Matrix_1 start(0.0, double(a));
            north.add(point(start), GraphicsPath::Path_End);
            for (const int side : {GraphicsPath::Path_End, GraphicsPath::Path_Start}) {
                const double step = side == GraphicsPath::Path_End ? 3.999999 : -3.999999;
                Matrix_3 turn;
                turn.yRotate(step);
                Matrix_1 d = start;
                for (int i = 0; i < 22; ++i) {
                    d = turn * d;
                    d.normalize();
                    north.add(point(d), side);
                }
                Matrix_3 last;
                last.yRotate(side == GraphicsPath::Path_End ? 89.99 : -89.99);
                Matrix_1 end = last * start;
                end.normalize();
                north.add(point(end), side);
            }
            m_port->drawPath(north, net, false, false, true);
            GraphicsPath south(net);
            for (const TwoDPoint<float>& p : north.getPoints()) {
                south.add(TwoDPoint<float>(p.x(), -p.y()), GraphicsPath::Path_End);
            }
            m_port->drawPath(south, net, false, false, true);
        }
    }
    m_port->endGroup();
    m_port->endFill();
    m_port->endFrame();
}

void StereoPlotCore::generateLabelsOnPort() {
    if (!m_port) return;
    const GraphicsStyle text(m_params.getPlotColors().text, Style_Solid, Size_Smallest, Symbol_Dot);
    setFont();
    m_port->beginGroup();
    TwoDPoint<float> p(1.0f, -1.0f);
    if (m_params.getShowPlotType()) {
        m_port->drawText(m_params.getIsEqualArea() ? "Equal Area" : "Equal Angle", p, 4, text, 10);
        p.init(1.0f, 0.94f);
        m_port->drawText(m_params.getIsLowerHem() ? "Lower Hem." : "Upper Hem.", p, 4, text, 10);
    }
    if (m_params.getShowDataCount()) drawDataCount(p, m_params, text);
    m_port->setFont("Arial", 16);
    m_port->drawText("N", TwoDPoint<float>(0.0f, 1.0f + 2.0f * m_port->getEpsilonLength()), 2, text, 16);
    setFont();
    m_port->endGroup();
}

// ---------------------------------------------------------------- the whole drawing

void StereoPlotCore::generatePlot() {
    if (!m_port) return;
    // Counted first: the colour table takes the levels' colours.
    std::unique_ptr<ContourGenerator> contours = prepareContours();
    const bool filled = contours && m_contour->getClosedContours();
    if (m_port->usesColorTable()) {
        std::set<RGBColor, RGBColorLess> colors;
        if (enumerateColors(colors, m_params)) {
            m_port->setColorTable(colors);
            m_port->applyColorTable();
        }
    }
    if (m_params.getShowPlotFrame()) generateFrameOnPort();
    // Filled contours under the data, contour lines over them; the
    // primitive, ticks, centre cross and net drawn again over the fills
    // (without the paper disc), and the data over all of them.
    if (filled) {
        drawContours(*contours);
        if (m_params.getShowPlotFrame() && m_contourOutcome == ContourOutcome::Drawn) drawFrame(false);
    }
    if (m_underlay) m_underlay();
    m_port->beginGroup();
    for (const Store* s : {&m_lines, &m_faults, &m_lineations, &m_planes, &m_specials}) generateOnPort(*s);
    if (m_params.getShowSlipDir()) generateSlipVectorsOnPort();
    m_port->endGroup();
    if (contours && !filled) drawContours(*contours);
    if (m_params.getShowPlotLegend()) generateLegendOnPort();
    if (m_params.getShowPlotLabels()) generateLabelsOnPort();
    m_state.unset(State_Size);
}

void StereoPlotCore::updateHemisphere() {
    for (Store* s : {&m_lines, &m_faults, &m_lineations, &m_planes, &m_specials, &m_highlights}) {
        Store turned;
        for (auto& entry : *s) {
            int a = entry.first.x();
            m_myMath.computeUpperHem(a);
            std::vector<DataPlotPoint>& to = turned[TwoDPoint<int>(a, entry.first.y())];
            to.insert(to.end(), entry.second.begin(), entry.second.end());
        }
        s->swap(turned);
    }
    m_state.unset(State_Hemisphere);
}

}  // namespace qzCore
