#include "qzCore/analysis/FabricShape.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace qzCore {

FabricShape fabricShape(double e1, double e2, double e3) {
    FabricShape f;
    double s[3] = {std::max(0.0, e1), std::max(0.0, e2), std::max(0.0, e3)};
    std::sort(s, s + 3, [](double a, double b) { return a > b; });
    const double sum = s[0] + s[1] + s[2];
    if (!(sum > 0.0) || !std::isfinite(sum)) return f;
    for (double& v : s) v /= sum;
    // Rounding may leave the least a hair below zero or above it: a share
    // of the sum that small is no direction.
    for (double& v : s) v = v < FabricShape::Zero_Eigenvalue ? 0.0 : v;
    f.s1 = s[0];
    f.s2 = s[1];
    f.s3 = s[2];
    f.vollmerP = f.s1 - f.s2;
    f.vollmerG = 2.0 * (f.s2 - f.s3);
    f.vollmerR = 3.0 * f.s3;
    f.vollmerB = f.vollmerP + f.vollmerG;
    if (f.s3 == 0.0) return f;  // a logarithm of zero: Woodcock's undefined
    f.woodcockC = std::log(f.s1 / f.s3);
    const double girdle = std::log(f.s2 / f.s3), cluster = std::log(f.s1 / f.s2);
    if (girdle > 0.0) {
        f.woodcockK = cluster / girdle;
    } else if (cluster > 0.0) {
        f.woodcockK = std::numeric_limits<double>::infinity();  // S2 = S3 < S1
    }
    return f;
}

std::string FabricShape::text() const {
    auto value = [](const std::optional<double>& v, const char* why) {
        if (!v) return std::string("undefined (") + why + ")";
        if (std::isinf(*v)) return std::string("infinite (S2 = S3)");
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.2f", *v);
        return std::string(buf);
    };
    const char* why = s3 == 0.0 ? "an eigenvalue is zero" : "S1 = S2 = S3";
    char line[160];
    std::snprintf(line, sizeof line, "Vollmer P : %.2f, G : %.2f, R : %.2f, B : %.2f\n", vollmerP, vollmerG, vollmerR,
                  vollmerB);
    return "Woodcock K : " + value(woodcockK, why) + ", C : " + value(woodcockC, why) + "\n" + line;
}

}  // namespace qzCore
