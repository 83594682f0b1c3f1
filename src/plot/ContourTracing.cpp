#include "ContourTracing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_map>
#include <unordered_set>

#include "qzCore/shared/MyMath.h"

namespace qzCore {
namespace contouring {

namespace {

using P = TwoDPoint<double>;

/// A piece of a contour with the grid edges its ends lie on (-1 for an end
/// cut at the primitive), running with the higher values on its left.
struct Segment {
    P a, b;
    long ea, eb;
};

/// Where the segment leaves the unit disc is where it ends: false when
/// none of it lies inside.
bool clipToPrimitive(Segment& s) {
    const double ra = s.a.x() * s.a.x() + s.a.y() * s.a.y();
    const double rb = s.b.x() * s.b.x() + s.b.y() * s.b.y();
    if (ra <= 1.0 && rb <= 1.0) return true;
    const P d(s.b.x() - s.a.x(), s.b.y() - s.a.y());
    const double qa = d.x() * d.x() + d.y() * d.y();
    const double qb = 2.0 * (s.a.x() * d.x() + s.a.y() * d.y());
    const double qc = ra - 1.0;
    const double disc = qb * qb - 4.0 * qa * qc;
    if (!(qa > 0.0) || !(disc > 0.0)) return false;
    const double root = std::sqrt(disc);
    const double t0 = (-qb - root) / (2.0 * qa), t1 = (-qb + root) / (2.0 * qa);
    if (std::min(1.0, t1) - std::max(0.0, t0) <= 1e-12) return false;
    // Ends put exactly on the circle, where the filling meets the
    // primitive.
    auto onCircle = [&](double t) {
        const P p(s.a.x() + t * d.x(), s.a.y() + t * d.y());
        const double r = std::hypot(p.x(), p.y());
        return P(p.x() / r, p.y() / r);
    };
    const P a = s.a;
    if (ra > 1.0) {
        s.a = onCircle(t0);
        s.ea = -1;
    }
    if (rb > 1.0) {
        const P b(a.x() + t1 * d.x(), a.y() + t1 * d.y());
        const double r = std::hypot(b.x(), b.y());
        s.b = P(b.x() / r, b.y() / r);
        s.eb = -1;
    }
    return true;
}

/// Turns the segment so the corners at or above the level lie on its
/// left: by the one corner it cuts off (`isolated`), or by all four.
void orient(Segment& s, const std::array<P, 4>& corners, const std::array<double, 4>& values, double level,
            int isolated) {
    const double dx = s.b.x() - s.a.x(), dy = s.b.y() - s.a.y();
    auto side = [&](int k) {
        const double v = dx * (corners[k].y() - s.a.y()) - dy * (corners[k].x() - s.a.x());
        return values[k] >= level ? v : -v;
    };
    double sum = 0.0;
    if (isolated >= 0) {
        sum = side(isolated);
    } else {
        for (int k = 0; k < 4; ++k) sum += side(k);
    }
    if (sum < 0.0) {
        std::swap(s.a, s.b);
        std::swap(s.ea, s.eb);
    }
}

double azimuthOf(const TwoDPoint<float>& p) {
    const double a = std::atan2(double(p.x()), double(p.y())) * MyMath::Rad_To_Deg;
    return a < 0.0 ? a + 360.0 : a;
}

TwoDPoint<float> primitiveAt(double azimuth) {
    const double a = azimuth * MyMath::Deg_To_Rad;
    return TwoDPoint<float>(float(std::sin(a)), float(std::cos(a)));
}

/// Steps of the primitive between contour ends: 180 chords to the circle.
constexpr double Primitive_Step = 2.0;

}  // namespace

void traceLevel(const Grid<double>& grid, double level, const GraphicsStyle& style, std::vector<GraphicsPath>& paths) {
    const long g = long(grid.rows());
    if (g < 2 || long(grid.cols()) != g) return;
    const double step = 2.0 / double(g - 1);
    std::vector<Segment> segments;
    std::array<P, 4> corners;
    std::array<double, 4> values;
    std::array<P, 4> crossings;
    const MyMath math;
    for (long j = 0; j + 1 < g; ++j) {
        const double y0 = 1.0 - step * double(j), y1 = y0 - step;
        for (long i = 0; i + 1 < g; ++i) {
            const double x0 = -1.0 + step * double(i), x1 = x0 + step;
            // Cells wholly beyond the primitive draw nothing.
            const double nx = std::clamp(0.0, x0, x1), ny = std::clamp(0.0, y1, y0);
            if (nx * nx + ny * ny > 1.0) continue;
            values = {grid(std::size_t(j), std::size_t(i)), grid(std::size_t(j), std::size_t(i + 1)),
                      grid(std::size_t(j + 1), std::size_t(i + 1)), grid(std::size_t(j + 1), std::size_t(i))};
            const int above = (values[0] >= level) + (values[1] >= level) + (values[2] >= level) + (values[3] >= level);
            if (above == 0 || above == 4) continue;
            corners = {P(x0, y0), P(x1, y0), P(x1, y1), P(x0, y1)};
            const int bits = math.gridInterpolate(corners, values, level, crossings);
            // Edge k joins corner k and k + 1: north, east, south, west.
            const std::array<long, 4> edges = {2 * (j * g + i), 2 * (j * g + i + 1) + 1, 2 * ((j + 1) * g + i),
                                               2 * (j * g + i) + 1};
            std::array<int, 4> crossed{};
            int n = 0;
            for (int k = 0; k < 4; ++k) {
                if (bits & (1 << k)) crossed[std::size_t(n++)] = k;
            }
            auto segment = [&](int k1, int k2) {
                return Segment{crossings[std::size_t(k1)], crossings[std::size_t(k2)], edges[std::size_t(k1)],
                               edges[std::size_t(k2)]};
            };
            if (n == 2) {
                Segment s = segment(crossed[0], crossed[1]);
                orient(s, corners, values, level, -1);
                segments.push_back(s);
            } else if (n == 4) {
                // A saddle: either pair cuts off two opposite corners; the
                // shorter pair is the likelier reading of the surface.
                const double first = crossings[0].distance(crossings[1]) + crossings[2].distance(crossings[3]);
                const double second = crossings[1].distance(crossings[2]) + crossings[3].distance(crossings[0]);
                const bool cutOneAndThree = first <= second;
                Segment s1 = cutOneAndThree ? segment(0, 1) : segment(1, 2);
                Segment s2 = cutOneAndThree ? segment(2, 3) : segment(3, 0);
                orient(s1, corners, values, level, cutOneAndThree ? 1 : 2);
                orient(s2, corners, values, level, cutOneAndThree ? 3 : 0);
                segments.push_back(s1);
                segments.push_back(s2);
            }
        }
    }
    std::vector<Segment> kept;
    kept.reserve(segments.size());
    for (Segment& s : segments) {
        if (clipToPrimitive(s)) kept.push_back(s);
    }

    // Joined end to start by the grid edges they share: exact, whatever
    // the distance between neighbouring crossings.
    std::unordered_map<long, std::size_t> startingAt;
    std::unordered_set<long> endingAt;
    startingAt.reserve(kept.size());
    endingAt.reserve(kept.size());
    for (std::size_t k = 0; k < kept.size(); ++k) {
        if (kept[k].ea >= 0) startingAt.emplace(kept[k].ea, k);
        if (kept[k].eb >= 0) endingAt.insert(kept[k].eb);
    }
    std::vector<char> used(kept.size(), 0);
    auto toFloat = [](const P& p) { return TwoDPoint<float>(float(p.x()), float(p.y())); };
    auto follow = [&](std::size_t first) {
        GraphicsPath path(style);
        path.add(toFloat(kept[first].a), GraphicsPath::Path_End);
        path.add(toFloat(kept[first].b), GraphicsPath::Path_End);
        used[first] = 1;
        std::size_t current = first;
        while (kept[current].eb >= 0) {
            const auto next = startingAt.find(kept[current].eb);
            if (next == startingAt.end() || used[next->second]) break;
            current = next->second;
            used[current] = 1;
            path.add(toFloat(kept[current].b), GraphicsPath::Path_End);
        }
        paths.push_back(std::move(path));
    };
    // Open paths from their first segment, then the closed loops.
    for (std::size_t k = 0; k < kept.size(); ++k) {
        if (!used[k] && (kept[k].ea < 0 || endingAt.count(kept[k].ea) == 0)) follow(k);
    }
    for (std::size_t k = 0; k < kept.size(); ++k) {
        if (!used[k]) follow(k);
    }
}

void closeAlongPrimitive(const std::vector<GraphicsPath>& paths, bool primitiveAbove, const GraphicsStyle& style,
                         std::list<GraphicsPath>& boundaries) {
    struct Open {
        const GraphicsPath* path;
        double start, end;  // azimuths of the ends, degrees
    };
    std::vector<Open> open;
    for (const GraphicsPath& p : paths) {
        if (p.size() < 2) continue;
        if (p.closed()) {
            boundaries.push_back(p);
            boundaries.back().setStyle(style);
            continue;
        }
        open.push_back({&p, azimuthOf(p.getPoints().front()), azimuthOf(p.getPoints().back())});
    }
    if (open.empty()) {
        if (!primitiveAbove) return;
        GraphicsPath circle(style);
        for (double a = 360.0; a > 0.0; a -= Primitive_Step) circle.add(primitiveAt(a), GraphicsPath::Path_End);
        circle.add(primitiveAt(360.0), GraphicsPath::Path_End);
        boundaries.push_back(std::move(circle));
        return;
    }
    // Leaving the net, a contour has the denser side on its left: the
    // boundary of that side goes on counter-clockwise (towards smaller
    // azimuths) along the primitive to where the next contour comes in.
    std::vector<char> used(open.size(), 0);
    for (std::size_t first = 0; first < open.size(); ++first) {
        if (used[first]) continue;
        GraphicsPath boundary(style);
        std::size_t current = first;
        for (std::size_t guard = 0; guard <= open.size(); ++guard) {
            used[current] = 1;
            for (const TwoDPoint<float>& p : open[current].path->getPoints()) boundary.add(p, GraphicsPath::Path_End);
            const double from = open[current].end;
            std::size_t next = first;
            double best = 361.0;
            for (std::size_t k = 0; k < open.size(); ++k) {
                if (used[k] && k != first) continue;
                const double d = std::fmod(from - open[k].start + 720.0, 360.0);
                if (d < best) {
                    best = d;
                    next = k;
                }
            }
            for (double a = Primitive_Step; a < best; a += Primitive_Step) {
                boundary.add(primitiveAt(from - a), GraphicsPath::Path_End);
            }
            if (next == first) break;
            current = next;
        }
        boundary.add(boundary.getPoints().front(), GraphicsPath::Path_End);
        boundaries.push_back(std::move(boundary));
    }
}

double valueAt(const Grid<double>& grid, double x, double y) {
    const std::size_t g = grid.rows();
    if (g < 2) return g == 1 ? grid(0, 0) : 0.0;
    const double step = 2.0 / double(g - 1);
    const double u = std::clamp((x + 1.0) / step, 0.0, double(g - 1));
    const double v = std::clamp((1.0 - y) / step, 0.0, double(g - 1));
    const std::size_t i = std::min(g - 2, std::size_t(u)), j = std::min(g - 2, std::size_t(v));
    const double fu = u - double(i), fv = v - double(j);
    return (1.0 - fv) * ((1.0 - fu) * grid(j, i) + fu * grid(j, i + 1)) +
           fv * ((1.0 - fu) * grid(j + 1, i) + fu * grid(j + 1, i + 1));
}

}  // namespace contouring
}  // namespace qzCore
