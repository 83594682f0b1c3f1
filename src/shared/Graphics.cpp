#include "qzCore/shared/Graphics.h"

#include <cmath>
#include <map>
#include <utility>

#include "qzCore/shared/MyMath.h"

namespace qzCore {

const RGBColor ColorHelper::Default_Interpolate_Start_Color(0, 0, 255);
const RGBColor ColorHelper::Default_Interpolate_End_Color(255, 0, 0);

RGBColor RGBColor::getOpposingColor() const {
    const double luminance = 0.299 * m_r + 0.587 * m_g + 0.114 * m_b;
    return luminance < 128.0 ? RGBColor(255, 255, 255) : RGBColor(0, 0, 0);
}

void ColorHelper::interpolateColors(std::vector<RGBColor>& colors, const RGBColor& start,
                                    const RGBColor& end, int n) {
    colors.clear();
    if (n < 1) return;
    colors.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double t = n == 1 ? 0.0 : double(i) / double(n - 1);
        auto mix = [t](int a, int b) { return FloatToInt_Global(a + t * (b - a)); };
        colors.emplace_back(mix(start.getRed(), end.getRed()), mix(start.getGreen(), end.getGreen()),
                            mix(start.getBlue(), end.getBlue()));
    }
}

void GraphicsPath::add(const TwoDPoint<float>& p, int side) {
    if (side == Path_Start) {
        m_points.push_front(p);
    } else {
        m_points.push_back(p);
    }
}

bool GraphicsPath::getEndPoint(int side, TwoDPoint<float>& p) const {
    if (m_points.empty()) return false;
    p = side == Path_Start ? m_points.front() : m_points.back();
    return true;
}

bool GraphicsPath::closed() const {
    if (m_points.size() < 3) return false;
    return m_points.front().distance(m_points.back()) <= Close_Tolerance;
}

CircularGraphicsPath::CircularGraphicsPath(const TwoDPoint<float>& centre, float radius, int segments,
                                           const GraphicsStyle& style)
    : GraphicsPath(style), m_centre(centre), m_radius(radius), m_segments(segments) {
    if (!(radius > 0.0f) || segments < 1) return;
    for (int i = 0; i <= segments; ++i) {
        TwoDPoint<float> p;
        angleToPoint(360.0 * i / segments, p);
        add(p, Path_End);
    }
}

bool CircularGraphicsPath::angleToPoint(double degrees, TwoDPoint<float>& p) const {
    if (!(m_radius > 0.0f) || m_segments < 1 || !std::isfinite(degrees)) return false;
    const double a = degrees * MyMath::Deg_To_Rad;
    p.init(static_cast<float>(m_centre.x() + m_radius * std::sin(a)),
           static_cast<float>(m_centre.y() + m_radius * std::cos(a)));
    return true;
}

void GraphicsPort::openMultiPath() { m_segments.clear(); }

void GraphicsPort::fillPaths(const std::list<GraphicsPath>& paths, const GraphicsStyle& style) {
    for (const GraphicsPath& p : paths) drawPath(p, style, true, true, true);
}

void GraphicsPort::addMultiPathSegment(const TwoDPoint<float>& from, const TwoDPoint<float>& to,
                                       const GraphicsStyle& style) {
    m_segments.push_back(Segment{from, to, style});
}

void GraphicsPort::destroyMultiPath() {
    m_segments.clear();
    m_segments.shrink_to_fit();
}

void GraphicsPort::drawMultiPath(bool draw, bool join) {
    if (!draw) return;
    if (join) {
        std::list<GraphicsPath> paths;
        breakMultiPath(paths);
        for (const GraphicsPath& p : paths) drawPath(p, p.getStyle(), false, p.closed(), false);
        return;
    }
    for (const Segment& s : m_segments) drawLine(s.from, s.to, s.style);
}

void GraphicsPort::breakMultiPath(std::list<GraphicsPath>& paths) const {
    using Key = std::pair<long long, long long>;
    auto keyOf = [](const TwoDPoint<float>& p) {
        const double q = 1.0 / GraphicsPath::Close_Tolerance;
        return Key(std::llround(double(p.x()) * q), std::llround(double(p.y()) * q));
    };
    std::map<Key, std::vector<std::size_t>> ends;
    for (std::size_t i = 0; i < m_segments.size(); ++i) {
        ends[keyOf(m_segments[i].from)].push_back(i);
        ends[keyOf(m_segments[i].to)].push_back(i);
    }
    std::vector<bool> used(m_segments.size(), false);
    // The unused segment of this style touching `p`, and its far end.
    auto next = [&](const TwoDPoint<float>& p, const GraphicsStyle& style, TwoDPoint<float>& far) {
        const auto it = ends.find(keyOf(p));
        if (it == ends.end()) return false;
        for (const std::size_t j : it->second) {
            if (used[j] || m_segments[j].style != style) continue;
            used[j] = true;
            far = keyOf(m_segments[j].from) == keyOf(p) ? m_segments[j].to : m_segments[j].from;
            return true;
        }
        return false;
    };
    for (std::size_t i = 0; i < m_segments.size(); ++i) {
        if (used[i]) continue;
        used[i] = true;
        const Segment& s = m_segments[i];
        GraphicsPath path(s.style);
        path.add(s.from, GraphicsPath::Path_End);
        path.add(s.to, GraphicsPath::Path_End);
        TwoDPoint<float> far;
        for (int side : {int(GraphicsPath::Path_End), int(GraphicsPath::Path_Start)}) {
            TwoDPoint<float> tip;
            path.getEndPoint(side, tip);
            while (next(tip, s.style, far)) {
                path.add(far, side);
                tip = far;
                TwoDPoint<float> other;
                path.getEndPoint(1 - side, other);
                if (keyOf(other) == keyOf(tip)) break;  // the ring has closed
            }
        }
        paths.push_back(std::move(path));
    }
}

bool planeArcCircle(float radius, float rotation, TwoDPoint<double>& centre, double& circleRadius) {
    if (!(radius > 0.0f)) return false;
    // For strike 0 the circle passes through (0, 1), (0, -1) and (r, 0):
    // its centre is (c, 0) with c = (r^2 - 1) / 2r, its radius r - c.
    const double r = radius;
    const double c = (r * r - 1.0) / (2.0 * r);
    circleRadius = r - c;
    // Turned to the strike: clockwise by the strike, that is by -rotation.
    const double a = -double(rotation) * 3.14159265358979323846 / 180.0;
    centre.init(c * std::cos(a), -c * std::sin(a));
    return true;
}

}  // namespace qzCore
