#include "qzCore/shared/MyMath.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <vector>

#include <newmat/newmatap.h>

namespace qzCore {

namespace {

double wrap360(double a) {
    double r = std::fmod(a, 360.0);
    if (r < 0.0) r += 360.0;
    if (r >= 360.0) r -= 360.0;  // fmod of a tiny negative can round up to 360
    return r;
}

int wrap360(int a) {
    const int r = a % 360;
    return r < 0 ? r + 360 : r;
}

double clampUnit(double v) { return std::max(-1.0, std::min(1.0, v)); }

template <typename T>
void poleInPlace(T& a, T& b) {
    a = static_cast<T>(wrap360(double(a) + 270.0));
    b = static_cast<T>(90.0 - double(b));
}

template <typename T>
void planeFromPoleInPlace(T& a, T& b) {
    a = static_cast<T>(wrap360(double(a) + 90.0));
    b = static_cast<T>(90.0 - double(b));
}

}  // namespace

int FloatToInt_Global(double value) {
    if (std::isnan(value)) return 0;
    if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(std::lround(value));
}

// ---------------------------------------------------------------- Matrix_1

Matrix_1::Matrix_1(double trend, double plunge) {
    const double t = trend * MyMath::Deg_To_Rad;
    const double p = plunge * MyMath::Deg_To_Rad;
    m_v = {std::cos(p) * std::cos(t), std::cos(p) * std::sin(t), std::sin(p)};
}

const Matrix_1* Matrix_1::wholeDegreesEntry(int trend, int plunge) {
    static const std::vector<Matrix_1> table = [] {
        std::vector<Matrix_1> t;
        t.reserve(361 * 91);
        for (int tr = 0; tr <= 360; ++tr) {
            for (int pl = 0; pl <= 90; ++pl) t.emplace_back(double(tr), double(pl));
        }
        return t;
    }();
    if (trend < 0 || trend > 360 || plunge < 0 || plunge > 90) return nullptr;
    return &table[std::size_t(trend * 91 + plunge)];
}

Matrix_1 Matrix_1::wholeDegrees(int trend, int plunge) {
    const Matrix_1* entry = wholeDegreesEntry(trend, plunge);
    return entry ? *entry : Matrix_1(double(trend), double(plunge));
}

void Matrix_1::convertFromDC(double& trend, double& plunge) const {
    double x = m_v[0], y = m_v[1], z = m_v[2];
    const double len = std::sqrt(x * x + y * y + z * z);
    if (len == 0.0 || !std::isfinite(len)) {
        trend = 0.0;
        plunge = 0.0;
        return;
    }
    x /= len;
    y /= len;
    z /= len;
    if (z < -Horizontal_Tolerance) {
        x = -x;
        y = -y;
        z = -z;
    }
    plunge = std::asin(clampUnit(std::max(z, 0.0))) * MyMath::Rad_To_Deg;
    trend = (x == 0.0 && y == 0.0) ? 0.0 : wrap360(std::atan2(y, x) * MyMath::Rad_To_Deg);
}

void Matrix_1::convertFromDC() {
    double t = 0.0, p = 0.0;
    convertFromDC(t, p);
    m_v = {t, p, 0.0};
}

double Matrix_1::dotProduct(const Matrix_1& o) const {
    return m_v[0] * o.m_v[0] + m_v[1] * o.m_v[1] + m_v[2] * o.m_v[2];
}

Matrix_1 Matrix_1::crossProduct(const Matrix_1& o) const {
    return Matrix_1(m_v[1] * o.m_v[2] - m_v[2] * o.m_v[1], m_v[2] * o.m_v[0] - m_v[0] * o.m_v[2],
                    m_v[0] * o.m_v[1] - m_v[1] * o.m_v[0]);
}

double Matrix_1::length() const { return std::sqrt(dotProduct(*this)); }

double Matrix_1::vectorAngle(const Matrix_1& o) const {
    const double l = length() * o.length();
    if (l == 0.0) return 0.0;
    return std::acos(clampUnit(dotProduct(o) / l)) * MyMath::Rad_To_Deg;
}

bool Matrix_1::normalize() {
    const double l = length();
    if (l == 0.0 || !std::isfinite(l)) return false;
    scale(1.0 / l);
    return true;
}

void Matrix_1::scale(double s) {
    for (double& c : m_v) c *= s;
}

Matrix_1 Matrix_1::operator+(const Matrix_1& o) const {
    return Matrix_1(m_v[0] + o.m_v[0], m_v[1] + o.m_v[1], m_v[2] + o.m_v[2]);
}

Matrix_1 Matrix_1::operator-(const Matrix_1& o) const {
    return Matrix_1(m_v[0] - o.m_v[0], m_v[1] - o.m_v[1], m_v[2] - o.m_v[2]);
}

Matrix_1& Matrix_1::operator+=(const Matrix_1& o) {
    for (std::size_t i = 0; i < 3; ++i) m_v[i] += o.m_v[i];
    return *this;
}

// ---------------------------------------------------------------- Matrix_3

void Matrix_3::reset() {
    for (auto& row : m_m) row.fill(0.0);
}

Matrix_1 Matrix_3::getColumn(std::size_t col) const {
    return Matrix_1(m_m[0][col], m_m[1][col], m_m[2][col]);
}

void Matrix_3::axisRotate(const Matrix_1& axisIn, double degrees) {
    Matrix_1 k = axisIn;
    if (!k.normalize()) k = Matrix_1(0.0, 0.0, 1.0);
    const double a = degrees * MyMath::Deg_To_Rad;
    const double c = std::cos(a), s = std::sin(a), t = 1.0 - c;
    const double x = k[0], y = k[1], z = k[2];
    // Rodrigues: R = c I + s [k]x + (1 - c) k kT.
    m_m[0] = {c + t * x * x, t * x * y - s * z, t * x * z + s * y};
    m_m[1] = {t * x * y + s * z, c + t * y * y, t * y * z - s * x};
    m_m[2] = {t * x * z - s * y, t * y * z + s * x, c + t * z * z};
}

void Matrix_3::yRotate(double degrees) { axisRotate(Matrix_1(1.0, 0.0, 0.0), degrees); }

Matrix_1 Matrix_3::operator*(const Matrix_1& v) const {
    Matrix_1 r;
    for (std::size_t i = 0; i < 3; ++i) {
        r[i] = m_m[i][0] * v[0] + m_m[i][1] * v[1] + m_m[i][2] * v[2];
    }
    return r;
}

// ---------------------------------------------------------------- MyMath

MyMath::MyMath() { m_rotation.axisRotate(Matrix_1(0.0, 0.0, 1.0), 0.0); }

double MyMath::wrapAzimuth(double azimuth) { return wrap360(azimuth); }
int MyMath::wrapAzimuth(int azimuth) { return wrap360(azimuth); }
int MyMath::wholeAzimuth(double azimuth) { return wrap360(FloatToInt_Global(azimuth)); }

void MyMath::computePole(int& a, int& b) const {
    a = wrap360(a + 270);
    b = 90 - b;
}
void MyMath::computePole(float& a, float& b) const { poleInPlace(a, b); }
void MyMath::computePole(double& a, double& b) const { poleInPlace(a, b); }

void MyMath::computePlaneFromPole(int& a, int& b) const {
    a = wrap360(a + 90);
    b = 90 - b;
}
void MyMath::computePlaneFromPole(float& a, float& b) const { planeFromPoleInPlace(a, b); }
void MyMath::computePlaneFromPole(double& a, double& b) const { planeFromPoleInPlace(a, b); }

void MyMath::computeStrikeFromDipDir(int& az) const { az = wrap360(az - 90); }
void MyMath::computeStrikeFromDipDir(float& az) const { az = float(wrap360(double(az) - 90.0)); }
void MyMath::computeStrikeFromDipDir(double& az) const { az = wrap360(az - 90.0); }

void MyMath::computeDipDir(int& az) const { az = wrap360(az + 90); }
void MyMath::computeDipDir(float& az) const { az = float(wrap360(double(az) + 90.0)); }
void MyMath::computeDipDir(double& az) const { az = wrap360(az + 90.0); }

void MyMath::computeUpperHem(int& az) const { az = wrap360(az + 180); }
void MyMath::computeUpperHem(float& az) const { az = float(wrap360(double(az) + 180.0)); }
void MyMath::computeUpperHem(double& az) const { az = wrap360(az + 180.0); }

void MyMath::computeTrendPlunge(double strike, double dip, double rake, double& trend,
                                double& plunge) const {
    const Matrix_1 s(strike, 0.0);
    const Matrix_1 d(strike + 90.0, dip);
    const double r = rake * Deg_To_Rad;
    Matrix_1 l = s;
    l.scale(std::cos(r));
    Matrix_1 down = d;
    down.scale(std::sin(r));
    l += down;
    l.convertFromDC(trend, plunge);
}

void MyMath::computeTrendPlunge(int strike, int dip, int rake, int& trend, int& plunge) const {
    double t = 0.0, p = 0.0;
    computeTrendPlunge(double(strike), double(dip), double(rake), t, p);
    trend = wrap360(FloatToInt_Global(t));
    plunge = FloatToInt_Global(p);
}

double MyMath::computeRakeFromTP(double strike, double trend, double plunge, double& rake) const {
    const Matrix_1 line(trend, plunge);
    const double towardsDip = line.dotProduct(Matrix_1(strike + 90.0, 0.0));
    if (towardsDip < -Plane_Side_Tolerance) {
        rake = -1.0;
        return rake;
    }
    rake = std::acos(clampUnit(line.dotProduct(Matrix_1(strike, 0.0)))) * Rad_To_Deg;
    return rake;
}

int MyMath::computeRakeFromTP(int strike, int trend, int plunge, int& rake) const {
    double r = 0.0;
    computeRakeFromTP(double(strike), double(trend), double(plunge), r);
    rake = r < 0.0 ? -1 : FloatToInt_Global(r);
    return rake;
}

void MyMath::initRotate(ThreeD_Rotation_Axis axis, double trend, double plunge, double angle) {
    Matrix_1 a;
    switch (axis) {
        case Rotation_Axis_North_South: a = Matrix_1(0.0, 0.0); break;
        case Rotation_Axis_East_West: a = Matrix_1(90.0, 0.0); break;
        case Rotation_Axis_Vertical: a = Matrix_1(0.0, 90.0); break;
        case Rotation_Axis_Trend_Plunge:
        default: a = Matrix_1(trend, plunge); break;
    }
    m_rotation.axisRotate(a, angle);
}

void MyMath::threeDRotate(double& trend, double& plunge) const {
    const Matrix_1 v = m_rotation * Matrix_1(trend, plunge);
    v.convertFromDC(trend, plunge);
}

void MyMath::threeDRotate(int& trend, int& plunge) const {
    double t = trend, p = plunge;
    threeDRotate(t, p);
    trend = wrap360(FloatToInt_Global(t));
    plunge = FloatToInt_Global(p);
}

void MyMath::threeDRotate(Matrix_1& v, double angle, double trend, double plunge) const {
    Matrix_3 r;
    r.axisRotate(Matrix_1(trend, plunge), angle);
    v = r * v;
}

int MyMath::computeAngleBetweenObjects(int a1, int b1, int a2, int b2, bool planar) const {
    double t1 = a1, p1 = b1, t2 = a2, p2 = b2;
    if (planar) {
        computePole(t1, p1);
        computePole(t2, p2);
    }
    return FloatToInt_Global(Matrix_1(t1, p1).vectorAngle(Matrix_1(t2, p2)));
}

void MyMath::addToCharMatrix(Matrix_3& m, const Matrix_1& v) const {
    for (std::size_t i = 0; i < 3; ++i) {
        for (std::size_t j = i; j < 3; ++j) m.setMat(i, j, m.getMat(i, j) + v[i] * v[j]);
    }
}

bool MyMath::computeEigen(const Matrix_3& m, Matrix_3& vectors, Matrix_1& values) const {
    try {
        NEWMAT::SymmetricMatrix s(3);
        for (int i = 1; i <= 3; ++i) {
            for (int j = i; j <= 3; ++j) s(i, j) = m.getMat(std::size_t(i - 1), std::size_t(j - 1));
        }
        return computeEigen(s, vectors, values);
    } catch (...) {
        return false;
    }
}

bool MyMath::computeEigen(const NEWMAT::SymmetricMatrix& m, Matrix_3& vectors,
                          Matrix_1& values) const {
    try {
        if (m.Nrows() != 3 || m.Ncols() != 3) return false;
        for (int i = 1; i <= 3; ++i) {
            for (int j = i; j <= 3; ++j) {
                if (!std::isfinite(m(i, j))) return false;
            }
        }
        NEWMAT::DiagonalMatrix d(3);
        NEWMAT::Matrix v(3, 3);
        // newmat gives the eigenvalues in ascending order; ours run the
        // other way, the direction of greatest concentration first.
        NEWMAT::EigenValues(m, d, v);
        for (int k = 0; k < 3; ++k) {
            const int src = 3 - k;
            values[std::size_t(k)] = d(src);
            Matrix_1 col(v(1, src), v(2, src), v(3, src));
            if (!col.normalize()) return false;
            for (std::size_t r = 0; r < 3; ++r) vectors.setMat(r, std::size_t(k), col[r]);
        }
        return true;
    } catch (...) {
        return false;
    }
}

void MyMath::seedRandom() {
    std::random_device rd;
    const auto ticks = static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
    std::seed_seq seq{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32),
                      rd()};
    m_engine.seed(seq);
    m_seeded = true;
}

void MyMath::seedRandom(std::uint32_t seed) {
    m_engine.seed(seed);
    m_seeded = true;
}

double MyMath::random() {
    if (!m_seeded) seedRandom();
    return std::uniform_real_distribution<double>(0.0, 1.0)(m_engine);
}

int MyMath::random(int n) {
    if (n < 1) return 0;
    if (!m_seeded) seedRandom();
    return std::uniform_int_distribution<int>(0, n - 1)(m_engine);
}

void MyMath::generatePointInDist(int seedTrend, int seedPlunge, double kappa, int& trend,
                                 int& plunge) {
    const double u = 1.0 - random();  // (0, 1]
    double cosTheta;
    if (kappa > 0.0 && std::isfinite(kappa)) {
        cosTheta = 1.0 + std::log(u + (1.0 - u) * std::exp(-2.0 * kappa)) / kappa;
    } else {
        cosTheta = 2.0 * u - 1.0;
    }
    cosTheta = clampUnit(cosTheta);
    const double sinTheta = std::sqrt(std::max(0.0, 1.0 - cosTheta * cosTheta));
    const double phi = 2.0 * Pi * random();

    const Matrix_1 mean(static_cast<double>(seedTrend), static_cast<double>(seedPlunge));
    // Two unit vectors normal to the mean: the horizontal one at right
    // angles to its trend, and their cross product.
    Matrix_1 e1(static_cast<double>(seedTrend) + 90.0, 0.0);
    Matrix_1 e2 = mean.crossProduct(e1);
    e2.normalize();

    Matrix_1 v = mean;
    v.scale(cosTheta);
    Matrix_1 a = e1;
    a.scale(sinTheta * std::cos(phi));
    Matrix_1 b = e2;
    b.scale(sinTheta * std::sin(phi));
    v += a;
    v += b;
    double t = 0.0, p = 0.0;
    v.convertFromDC(t, p);
    trend = wrap360(FloatToInt_Global(t));
    plunge = FloatToInt_Global(p);
}

double MyMath::computeEqualAngleRadius(double plunge) const {
    return std::tan((90.0 - plunge) * 0.5 * Deg_To_Rad);
}

double MyMath::computeEqualAreaRadius(double plunge) const {
    return std::sqrt(2.0) * std::sin((90.0 - plunge) * 0.5 * Deg_To_Rad);
}

void MyMath::computeGreatCircle(double strike, double dip, std::list<TwoDPoint<float>>& points,
                                double step) const {
    if (!(step > 0.0) || !std::isfinite(step)) step = Default_Great_Circle_Step;
    const int n = std::max(1, static_cast<int>(std::ceil(180.0 / step - 1e-9)));
    for (int i = 0; i <= n; ++i) {
        const double rake = std::min(180.0, i * step);
        double t = 0.0, p = 0.0;
        computeTrendPlunge(strike, dip, rake, t, p);
        points.emplace_back(static_cast<float>(t), static_cast<float>(p));
    }
}

bool MyMath::convertPointToTP(double radius, const TwoDPoint<int>& center,
                              TwoDPoint<double>& point, bool lowerHem, bool equalArea) const {
    if (!(radius > 0.0)) return false;
    const double dx = (point.x() - center.x()) / radius;
    const double dy = -(point.y() - center.y()) / radius;  // device y grows downward
    const double r = std::hypot(dx, dy);
    constexpr double edge = 1.0 + 1e-9;  // a point on the primitive is inside
    if (!(r <= edge)) return false;
    const double rr = std::min(r, 1.0);
    double plunge = equalArea ? 90.0 - 2.0 * std::asin(rr / std::sqrt(2.0)) * Rad_To_Deg
                              : 90.0 - 2.0 * std::atan(rr) * Rad_To_Deg;
    double trend = (dx == 0.0 && dy == 0.0) ? 0.0 : wrap360(std::atan2(dx, dy) * Rad_To_Deg);
    if (!lowerHem) computeUpperHem(trend);
    point.init(trend, std::max(0.0, plunge));
    return true;
}

bool MyMath::convertPointToTP(double radius, const TwoDPoint<int>& center, TwoDPoint<float>& point,
                              bool lowerHem, bool equalArea) const {
    TwoDPoint<double> p(point.x(), point.y());
    if (!convertPointToTP(radius, center, p, lowerHem, equalArea)) return false;
    point.init(float(p.x()), float(p.y()));
    return true;
}

bool MyMath::convertPointToTP(double radius, const TwoDPoint<int>& center, TwoDPoint<int>& point,
                              bool lowerHem, bool equalArea) const {
    TwoDPoint<double> p(point.x(), point.y());
    if (!convertPointToTP(radius, center, p, lowerHem, equalArea)) return false;
    point.init(wrap360(FloatToInt_Global(p.x())), FloatToInt_Global(p.y()));
    return true;
}

double MyMath::distance(const TwoDPoint<double>& a, const TwoDPoint<double>& b) const {
    return a.distance(b);
}

double MyMath::distance(const TwoDPoint<float>& a, const TwoDPoint<float>& b) const {
    return a.distance(b);
}

int MyMath::gridInterpolate(const std::array<TwoDPoint<double>, 4>& corners,
                            const std::array<double, 4>& values, double level,
                            std::array<TwoDPoint<double>, 4>& crossings) const {
    int bits = 0;
    for (std::size_t k = 0; k < 4; ++k) {
        std::size_t a = k, b = (k + 1) % 4;
        if ((values[a] < level) == (values[b] < level)) continue;
        // Interpolate from the lesser corner so both cells sharing the edge
        // compute the very same point.
        if (TwoDPointLess()(corners[b], corners[a])) std::swap(a, b);
        const double t = (level - values[a]) / (values[b] - values[a]);
        crossings[k].init(corners[a].x() + t * (corners[b].x() - corners[a].x()),
                          corners[a].y() + t * (corners[b].y() - corners[a].y()));
        bits |= 1 << k;
    }
    return bits;
}

double MyMath::angleFromNorth(const TwoDPoint<double>& p) const {
    if (p.x() == 0.0 && p.y() == 0.0) return 0.0;
    return wrap360(std::atan2(p.x(), p.y()) * Rad_To_Deg);
}

double MyMath::angleFromNorth(const TwoDPoint<float>& p) const {
    return angleFromNorth(TwoDPoint<double>(p.x(), p.y()));
}

void MyMath::rotate(TwoDPoint<double>& v, double radians) const {
    const double c = std::cos(radians), s = std::sin(radians);
    v.init(c * v.x() - s * v.y(), s * v.x() + c * v.y());
}

void MyMath::rotate(TwoDPoint<float>& v, double radians) const {
    TwoDPoint<double> d(v.x(), v.y());
    rotate(d, radians);
    v.init(float(d.x()), float(d.y()));
}

}  // namespace qzCore
