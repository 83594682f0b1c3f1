#include "qzCore/analysis/Kinematics.h"

#include <cmath>

#include "qzCore/shared/MyMath.h"

namespace qzCore {

namespace {

/// Planes at less than this sine of the angle between them are parallel:
/// whole-degree planes a degree apart have sin 1 deg = 0.017.
constexpr double Parallel_Sine = 1e-9;

}  // namespace

double azimuthDifference(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return d > 180.0 ? 360.0 - d : d;
}

bool planarSliding(const SlopeFace& f, double dipDirection, double dip) {
    return dip < f.dip && dip > f.friction && azimuthDifference(dipDirection, f.dipDirection) <= f.lateralLimit;
}

bool flexuralToppling(const SlopeFace& f, double dipDirection, double dip) {
    return azimuthDifference(dipDirection, f.dipDirection + 180.0) <= f.lateralLimit && dip > 90.0 - f.dip + f.friction;
}

bool wedgeSliding(const SlopeFace& f, double trend, double plunge) {
    const double off = azimuthDifference(trend, f.dipDirection);
    if (off >= 90.0 || plunge <= f.friction) return false;
    const double apparent =
        std::atan(std::tan(f.dip * MyMath::Deg_To_Rad) * std::cos(off * MyMath::Deg_To_Rad)) * MyMath::Rad_To_Deg;
    return plunge < apparent;
}

bool intersectionLine(double dd1, double dip1, double dd2, double dip2, double& trend, double& plunge) {
    // Poles (lines at right angles to the planes), crossed.
    const Matrix_1 n1(dd1 + 180.0, 90.0 - dip1), n2(dd2 + 180.0, 90.0 - dip2);
    Matrix_1 line = n1.crossProduct(n2);
    if (line.length() < Parallel_Sine) return false;
    line.convertFromDC(trend, plunge);
    return true;
}

}  // namespace qzCore
