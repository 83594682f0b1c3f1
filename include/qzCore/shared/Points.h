// Small point value types used for orientations and plot coordinates.
//
// TwoDPoint<int> carries whole-degree orientations: (azimuth, plunge) of a
// line, or (strike, dip) of a plane.  TwoDPoint<float> carries plot units:
// the stereonet primitive has radius 1 about (0, 0), x east, y north.
#ifndef QZCORE_SHARED_POINTS_H
#define QZCORE_SHARED_POINTS_H

#include "qzCore/Export.h"

#include <cmath>
#include <type_traits>

namespace qzCore {

/// Two components of type T.  For whole-number T every operation that
/// produces a fractional result rounds it to the nearest whole number
/// (halves away from zero, as FloatToInt_Global does).
template <typename T>
class TwoDPoint {
public:
    constexpr TwoDPoint() = default;
    constexpr TwoDPoint(T x, T y) : m_x(x), m_y(y) {}

    constexpr T x() const { return m_x; }
    constexpr T y() const { return m_y; }
    T& x() { return m_x; }
    T& y() { return m_y; }

    void init(T x, T y) { m_x = x; m_y = y; }
    void setToZero() { m_x = T(0); m_y = T(0); }
    void translate(T dx, T dy) { m_x += dx; m_y += dy; }
    void translate(const TwoDPoint& d) { translate(d.m_x, d.m_y); }
    /// Multiplies both components by s.
    void scale(double s) { m_x = fromDouble(m_x * s); m_y = fromDouble(m_y * s); }

    /// Turns the point about the origin, clockwise for a positive angle
    /// when x points right (east) and y up (north).  @param degrees any value.
    void rotateCW(double degrees) { rotateCCW(-degrees); }
    /// Turns the point about the origin, counter-clockwise for a positive angle.
    void rotateCCW(double degrees) {
        const double a = degrees * 3.14159265358979323846 / 180.0;
        const double c = std::cos(a), s = std::sin(a);
        const double nx = c * m_x - s * m_y;
        const double ny = s * m_x + c * m_y;
        m_x = fromDouble(nx);
        m_y = fromDouble(ny);
    }

    double distanceSquared(const TwoDPoint& o) const {
        const double dx = double(m_x) - double(o.m_x);
        const double dy = double(m_y) - double(o.m_y);
        return dx * dx + dy * dy;
    }
    double distance(const TwoDPoint& o) const { return std::sqrt(distanceSquared(o)); }

    friend constexpr bool operator==(const TwoDPoint& a, const TwoDPoint& b) {
        return a.m_x == b.m_x && a.m_y == b.m_y;
    }
    friend constexpr bool operator!=(const TwoDPoint& a, const TwoDPoint& b) { return !(a == b); }
    friend TwoDPoint operator+(TwoDPoint a, const TwoDPoint& b) { a.translate(b); return a; }
    friend TwoDPoint operator-(TwoDPoint a, const TwoDPoint& b) {
        a.translate(T(-b.m_x), T(-b.m_y));
        return a;
    }

private:
    static T fromDouble(double v) {
        if constexpr (std::is_integral_v<T>) {
            return static_cast<T>(std::lround(v));
        } else {
            return static_cast<T>(v);
        }
    }

    T m_x{};
    T m_y{};
};

/// Orders points by first component, then second: the key order of the
/// plot stores.
struct QZCORE_EXPORT TwoDPointLess {
    template <typename T>
    bool operator()(const TwoDPoint<T>& a, const TwoDPoint<T>& b) const {
        if (a.x() != b.x()) return a.x() < b.x();
        return a.y() < b.y();
    }
};

/// Three components, e.g. the X, Y, Z of a location.
template <typename T>
class ThreeDPoint {
public:
    constexpr ThreeDPoint() = default;
    constexpr ThreeDPoint(T x, T y, T z) : m_x(x), m_y(y), m_z(z) {}

    constexpr T x() const { return m_x; }
    constexpr T y() const { return m_y; }
    constexpr T z() const { return m_z; }
    T& x() { return m_x; }
    T& y() { return m_y; }
    T& z() { return m_z; }

    void init(T x, T y, T z) { m_x = x; m_y = y; m_z = z; }
    void setToZero() { init(T(0), T(0), T(0)); }

    friend constexpr bool operator==(const ThreeDPoint& a, const ThreeDPoint& b) {
        return a.m_x == b.m_x && a.m_y == b.m_y && a.m_z == b.m_z;
    }
    friend constexpr bool operator!=(const ThreeDPoint& a, const ThreeDPoint& b) { return !(a == b); }

private:
    T m_x{};
    T m_y{};
    T m_z{};
};

}  // namespace qzCore

#endif  // QZCORE_SHARED_POINTS_H
