#include "qzCore/analysis/Kinematics.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "qzCore/shared/MyMath.h"

namespace qzCore {

namespace {

/// Planes at less than this sine of the angle between them are parallel:
/// whole-degree planes a degree apart have sin 1 deg = 0.017.
constexpr double Parallel_Sine = 1e-9;
constexpr double Tol = SlopeFace::Boundary_Tolerance;

/// North, east, down.
struct V {
    double x, y, z;
};
double dot(const V& a, const V& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
V horizontal(double azimuth) {
    const double a = azimuth * MyMath::Deg_To_Rad;
    return {std::cos(a), std::sin(a), 0.0};
}
/// The line (trend, plunge).
V line(double trend, double plunge) {
    const double t = trend * MyMath::Deg_To_Rad, p = plunge * MyMath::Deg_To_Rad;
    return {std::cos(p) * std::cos(t), std::cos(p) * std::sin(t), std::sin(p)};
}

/// The face's circles as vectors: each zone's boundary is a plane through
/// the centre of the sphere (a great circle: the sign of a dot product) or
/// a cone about the vertical (a small circle: the down component).
class Rules {
public:
    explicit Rules(const SlopeFace& f)
        : m_f(f), m_out(horizontal(f.dipDirection)), m_strike(horizontal(f.dipDirection + 90.0)) {
        const double d = f.dip * MyMath::Deg_To_Rad, phi = f.friction * MyMath::Deg_To_Rad;
        // Upward normals on the face's side: a line daylights when it is on
        // the air's side of the face (l . n > 0).
        m_face = normal(d);
        m_frictionPlane = normal(phi);
        m_slipLimit = normal(d - phi);
        m_toppling = f.dip > f.friction;
        m_sinPhi = std::sin(phi);
        m_cosPhi = std::cos(phi);
        m_cosDip = std::cos(d);
        m_cosLimit = std::cos(f.lateralLimit * MyMath::Deg_To_Rad);
        m_sinLimit = std::sin(f.lateralLimit * MyMath::Deg_To_Rad);
    }

    KinematicZone planar(double dd, double dip) const {
        const V g = horizontal(dd);
        const double s = std::sin(dip * MyMath::Deg_To_Rad), c = std::cos(dip * MyMath::Deg_To_Rad);
        const V dipVector{c * g.x, c * g.y, s};
        if (!(dot(dipVector, m_face) > Tol) || !(s > m_sinPhi + Tol)) return KinematicZone::None;
        const bool within =
            m_f.curvedLimits ? std::fabs(s * dot(g, m_strike)) <= m_sinLimit + Tol : dot(g, m_out) >= m_cosLimit - Tol;
        return within ? KinematicZone::Main : KinematicZone::Secondary;
    }

    bool flexural(double dd, double dip) const {
        if (!m_toppling) return false;
        const V g = horizontal(dd);
        const double s = std::sin(dip * MyMath::Deg_To_Rad), c = std::cos(dip * MyMath::Deg_To_Rad);
        const V pole{-s * g.x, -s * g.y, c};
        if (!(dot(pole, m_slipLimit) > Tol)) return false;
        return m_f.curvedLimits ? std::fabs(s * dot(g, m_strike)) <= m_sinLimit + Tol
                                : -dot(g, m_out) >= m_cosLimit - Tol;
    }

    KinematicZone basal(double dd, double dip) const {
        const V g = horizontal(dd);
        const double s = std::sin(dip * MyMath::Deg_To_Rad), c = std::cos(dip * MyMath::Deg_To_Rad);
        // A horizontal plane's pole is the centre, within every limit.
        if (c > m_cosDip + Tol && (s < Tol || dot(g, m_out) >= m_cosLimit - Tol)) return KinematicZone::Main;
        if (c > m_cosPhi + Tol) return KinematicZone::Secondary;
        return KinematicZone::None;
    }

    /// Wedge sliding on a unit line, lower hemisphere.
    KinematicZone wedge(const V& l) const {
        if (!(dot(l, m_face) > Tol)) return KinematicZone::None;
        if (l.z > m_sinPhi + Tol) return KinematicZone::Main;
        return dot(l, m_frictionPlane) < -Tol ? KinematicZone::Secondary : KinematicZone::None;
    }

    /// Direct toppling on a unit line, lower hemisphere.
    KinematicZone direct(const V& l) const {
        const double h = std::hypot(l.x, l.y);
        const bool within = h < Tol || -(l.x * m_out.x + l.y * m_out.y) / h >= m_cosLimit - Tol;
        if (within && l.z > m_cosDip + Tol) return KinematicZone::Main;
        if (l.z > m_cosPhi + Tol) return KinematicZone::Secondary;
        return KinematicZone::None;
    }

    /// A horizontal line points both ways: the way out of the face.
    V lower(V l) const {
        if (l.z < 0.0 || (l.z == 0.0 && dot(l, m_out) < 0.0)) l = {-l.x, -l.y, -l.z};
        return l;
    }

private:
    V normal(double dipRad) const {
        return {std::sin(dipRad) * m_out.x, std::sin(dipRad) * m_out.y, -std::cos(dipRad)};
    }

    SlopeFace m_f;
    V m_out, m_strike, m_face{}, m_frictionPlane{}, m_slipLimit{};
    bool m_toppling = false;
    double m_sinPhi = 0, m_cosPhi = 0, m_cosDip = 0, m_cosLimit = 0, m_sinLimit = 0;
};

V pole(int dd, int dip) {
    const V g = horizontal(dd);
    const double s = std::sin(dip * MyMath::Deg_To_Rad), c = std::cos(dip * MyMath::Deg_To_Rad);
    return {-s * g.x, -s * g.y, c};
}

}  // namespace

double azimuthDifference(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return d > 180.0 ? 360.0 - d : d;
}

KinematicZone planarZone(const SlopeFace& f, double dd, double dip) { return Rules(f).planar(dd, dip); }
bool planarSliding(const SlopeFace& f, double dd, double dip) { return planarZone(f, dd, dip) == KinematicZone::Main; }
bool flexuralToppling(const SlopeFace& f, double dd, double dip) { return Rules(f).flexural(dd, dip); }
KinematicZone wedgeZone(const SlopeFace& f, double trend, double plunge) {
    const Rules r(f);
    return r.wedge(r.lower(line(trend, plunge)));
}
bool wedgeSliding(const SlopeFace& f, double trend, double plunge) {
    return wedgeZone(f, trend, plunge) == KinematicZone::Main;
}
KinematicZone directToppling(const SlopeFace& f, double trend, double plunge) {
    const Rules r(f);
    return r.direct(r.lower(line(trend, plunge)));
}
KinematicZone basalPlane(const SlopeFace& f, double dd, double dip) { return Rules(f).basal(dd, dip); }

bool intersectionLine(double dd1, double dip1, double dd2, double dip2, double& trend, double& plunge) {
    // Poles (lines at right angles to the planes), crossed.
    const Matrix_1 n1(dd1 + 180.0, 90.0 - dip1), n2(dd2 + 180.0, 90.0 - dip2);
    Matrix_1 line = n1.crossProduct(n2);
    if (line.length() < Parallel_Sine) return false;
    line.convertFromDC(trend, plunge);
    return true;
}

KinematicTally kinematicTally(const SlopeFace& face, const std::vector<int>& dds, const std::vector<int>& dips,
                              const KinematicLimits& limits) {
    KinematicTally t;
    const Rules rules(face);
    const std::size_t n = std::min(dds.size(), dips.size());
    t.leftOut = std::max(dds.size(), dips.size()) - n;
    // Whole-degree orientations: 360 dip directions by 91 dips.
    constexpr int Dips = 91;
    auto key = [](int dd, int dip) { return (dd % 360) * Dips + dip; };
    std::vector<std::uint32_t> count(360 * Dips, 0);
    std::vector<int> keys(n, -1);
    for (std::size_t i = 0; i < n; ++i) {
        if (dds[i] < 0 || dds[i] > 360 || dips[i] < 0 || dips[i] > 90) {
            ++t.leftOut;
            continue;
        }
        keys[i] = key(dds[i], dips[i]);
        ++count[std::size_t(keys[i])];
    }
    // Each orientation's tests once.
    struct Orientation {
        int key;
        std::uint32_t m;
        V pole;
        KinematicZone planar, flexural, basal;
        std::uint64_t wedges = 0;
    };
    std::vector<Orientation> distinct;
    std::vector<int> index(count.size(), -1);
    for (std::size_t k = 0; k < count.size(); ++k) {
        if (count[k] == 0) continue;
        const int dd = int(k) / Dips, dip = int(k) % Dips;
        index[k] = int(distinct.size());
        distinct.push_back({int(k), count[k], pole(dd, dip), rules.planar(dd, dip),
                            rules.flexural(dd, dip) ? KinematicZone::Main : KinematicZone::None, rules.basal(dd, dip)});
    }
    for (const Orientation& o : distinct) {
        t.planes += o.m;
        t.planarMain += o.planar == KinematicZone::Main ? o.m : 0;
        t.planarSecondary += o.planar == KinematicZone::Secondary ? o.m : 0;
        t.flexuralMain += o.flexural == KinematicZone::Main ? o.m : 0;
        t.basalMain += o.basal == KinematicZone::Main ? o.m : 0;
        t.basalOblique += o.basal == KinematicZone::Secondary ? o.m : 0;
    }
    t.pairs = t.planes < 2 ? 0 : t.planes * (t.planes - 1) / 2;

    // Pairs of orientations; identical ones are parallel.
    const std::size_t m = distinct.size();
    t.pairsTested = m < 2 || m * (m - 1) / 2 <= limits.maxPairs;
    if (t.pairsTested) {
        for (std::size_t i = 0; i + 1 < m; ++i) {
            Orientation& a = distinct[i];
            for (std::size_t j = i + 1; j < m; ++j) {
                Orientation& b = distinct[j];
                V l{a.pole.y * b.pole.z - a.pole.z * b.pole.y, a.pole.z * b.pole.x - a.pole.x * b.pole.z,
                    a.pole.x * b.pole.y - a.pole.y * b.pole.x};
                const double len = std::sqrt(dot(l, l));
                if (len < Parallel_Sine) continue;
                l = rules.lower({l.x / len, l.y / len, l.z / len});
                const std::size_t w = std::size_t(a.m) * b.m;
                t.intersecting += w;
                const KinematicZone wedge = rules.wedge(l), direct = rules.direct(l);
                if (wedge == KinematicZone::Main) {
                    t.wedgeMain += w;
                    a.wedges += b.m;
                    b.wedges += a.m;
                } else if (wedge == KinematicZone::Secondary) {
                    t.wedgeSecondary += w;
                }
                t.directMain += direct == KinematicZone::Main ? w : 0;
                t.directOblique += direct == KinematicZone::Secondary ? w : 0;
                if (wedge == KinematicZone::None && direct == KinematicZone::None) continue;
                ++t.criticalOrientationPairs;
                if (t.critical.size() >= limits.maxListed && w <= t.critical.back().pairs) continue;
                CriticalWedge c;
                c.dipDirection1 = a.key / Dips;
                c.dip1 = a.key % Dips;
                c.dipDirection2 = b.key / Dips;
                c.dip2 = b.key % Dips;
                double tr = 0, pl = 0;
                Matrix_1(l.x, l.y, l.z).convertFromDC(tr, pl);
                c.trend = tr;
                c.plunge = pl;
                c.pairs = w;
                c.wedge = wedge;
                c.toppling = direct;
                // Most pairs first; the list kept sorted as it grows.
                auto at = std::upper_bound(t.critical.begin(), t.critical.end(), c,
                                           [](const CriticalWedge& x, const CriticalWedge& y) { return x.pairs > y.pairs; });
                t.critical.insert(at, c);
                if (t.critical.size() > limits.maxListed) t.critical.pop_back();
            }
        }
    }

    t.planar.assign(keys.size(), KinematicZone::None);
    t.flexural.assign(keys.size(), KinematicZone::None);
    t.basal.assign(keys.size(), KinematicZone::None);
    t.wedges.assign(keys.size(), 0);
    t.planar.resize(std::max(dds.size(), dips.size()), KinematicZone::None);
    t.flexural.resize(t.planar.size(), KinematicZone::None);
    t.basal.resize(t.planar.size(), KinematicZone::None);
    t.wedges.resize(t.planar.size(), 0);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] < 0) continue;
        const Orientation& o = distinct[std::size_t(index[std::size_t(keys[i])])];
        t.planar[i] = o.planar;
        t.flexural[i] = o.flexural;
        t.basal[i] = o.basal;
        t.wedges[i] = std::uint32_t(std::min<std::uint64_t>(o.wedges, UINT32_MAX));
    }
    return t;
}

}  // namespace qzCore
