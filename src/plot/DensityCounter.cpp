#include "DensityCounter.h"

#include <algorithm>
#include <cmath>

#include "qzCore/shared/MyMath.h"

namespace qzCore {
namespace density {

Vec3 unitOf(double trend, double plunge) {
    const double t = trend * MyMath::Deg_To_Rad, p = plunge * MyMath::Deg_To_Rad;
    return {std::cos(p) * std::cos(t), std::cos(p) * std::sin(t), std::sin(p)};
}

double Kernel::weight(double x) const {
    switch (shape) {
        case Step: return 1.0;
        case Linear: return (x - a) * c;
        case Square: return (x - a) * (x - a) * c;
        case Exponential: return std::exp(c * (x - 1.0));
    }
    return 0.0;
}

ContourOutcome normalisationOf(const ContourParams& params, double n, Normalisation& out) {
    const int method = params.getContourMethod(), smoothing = params.getSmoothingMethod();
    if (method < ContourParams::Method_Kamb || method > ContourParams::Method_Seismic ||
        smoothing < ContourParams::Smooth_None || smoothing > ContourParams::Smooth_Expon) {
        return ContourOutcome::Bad_Method;
    }
    if (!(n > 0.0)) return ContourOutcome::No_Data;
    const bool seismic = method == ContourParams::Method_Seismic;
    const bool percent = method == ContourParams::Method_One_Percent;
    const bool expon = smoothing == ContourParams::Smooth_Expon;
    // A single direction has no counting area: only the exponential
    // kernel spreads it.
    if (seismic && !expon) return ContourOutcome::Seismic_Needs_Expon;
    const double s = params.getCountingParameter();
    if (!percent && !(std::isfinite(s) && s > 0.0)) return ContourOutcome::Bad_Counting_Parameter;
    out.start = seismic ? 1.0 : params.getStartLevel();
    out.interval = seismic ? 1.0 : params.getContourInterval();
    if (!std::isfinite(out.start)) return ContourOutcome::Bad_Start;
    if (!(std::isfinite(out.interval) && out.interval > 0.0)) return ContourOutcome::Bad_Interval;
    out.percent = percent;

    // The share of the sphere a count takes: Kamb's area, whose expected
    // count lies s standard deviations above zero, or one percent.
    const double area = percent ? 0.01 : s * s / (s * s + n);
    Kernel& k = out.kernel;
    if (expon) {
        // Vollmer (1995): weight exp(k(|cos| - 1)) with k = 2(1 + n/s^2),
        // i.e. 2 / area; its mean over the sphere is 1/k and the standard
        // deviation of the sum for uniform data sqrt(n(k/2 - 1))/k, so
        // uniform data average s sigma.  For percentages the sum is taken
        // relative to its uniform mean, n/k, with k = 2/0.01.
        k.shape = Kernel::Exponential;
        k.c = 2.0 / area;
        out.sigma = percent ? n * -std::expm1(-k.c) / k.c : std::sqrt(n * (k.c / 2.0 - 1.0)) / k.c;
        out.offset = 0.0;
        // Data further than this from a node add less than the allowed
        // error all together.
        const double reach = std::log(n / (Expon_Truncation * out.sigma)) / k.c;
        k.cut = reach >= 1.0 ? -1.0 : 1.0 - reach;
    } else {
        k.a = 1.0 - area;
        k.cut = k.a;
        // Factors that keep the mean weight equal to the area, so every
        // smoothing has the same expected sum as the plain count.
        switch (smoothing) {
            case ContourParams::Smooth_None: k.shape = Kernel::Step; k.c = 1.0; break;
            case ContourParams::Smooth_Inv_Area: k.shape = Kernel::Linear; k.c = 2.0 / area; break;
            default: k.shape = Kernel::Square; k.c = 3.0 / (area * area); break;
        }
        out.sigma = percent ? 0.01 * n : std::sqrt(n * area * (1.0 - area));
        // Half a datum of continuity correction belongs to whole counts
        // measured in standard deviations, not to percentages or to
        // smoothed sums.
        out.offset = (k.shape == Kernel::Step && !percent) ? 0.5 : 0.0;
    }
    if (!(area > 0.0 && area < 1.0) || !std::isfinite(k.c) || !(out.sigma > 0.0) || !std::isfinite(out.sigma)) {
        return ContourOutcome::Bad_Counting_Parameter;
    }
    return ContourOutcome::Drawn;
}

Counter::Counter(const std::vector<Datum>& data) : m_rows(Rows), m_first(Rows) {
    // Summed weights of each whole-degree direction; the vertical is one.
    std::vector<double> cells(360 * 91, 0.0);
    for (const Datum& d : data) {
        if (d.plunge < 0 || d.plunge > 90 || !std::isfinite(d.weight) || d.weight <= 0.0) continue;
        const int t = d.plunge == 90 ? 0 : ((d.trend % 360) + 360) % 360;
        cells[std::size_t(t * 91 + d.plunge)] += d.weight;
    }
    for (int t = 0; t < 360; ++t) {
        for (int p = 0; p <= 90; ++p) {
            const double w = cells[std::size_t(t * 91 + p)];
            if (w <= 0.0) continue;
            const Vec3 v = unitOf(t, p);
            m_all.push_back({v, w, t});
            m_total += w;
            m_rows[std::size_t(p + 90)].push_back({v, w, t});
            const Vec3 opposite{-v[0], -v[1], -v[2]};
            m_rows[std::size_t(90 - p)].push_back({opposite, w, p == 90 ? 0 : (t + 180) % 360});
        }
    }
    for (int r = 0; r < Rows; ++r) {
        std::vector<Entry>& row = m_rows[std::size_t(r)];
        std::sort(row.begin(), row.end(), [](const Entry& a, const Entry& b) { return a.trend < b.trend; });
        std::array<int, 361>& first = m_first[std::size_t(r)];
        std::size_t i = 0;
        for (int t = 0; t <= 360; ++t) {
            while (i < row.size() && row[i].trend < t) ++i;
            first[std::size_t(t)] = int(i);
        }
    }
}

double Counter::bruteSum(const Vec3& q, const Kernel& kernel) const {
    double s = 0.0;
    for (const Entry& e : m_all) {
        const double x = std::fabs(dot(q, e.v));
        if (x >= kernel.cut) s += e.w * kernel.weight(x);
    }
    return s;
}

void Counter::addRange(const std::vector<Entry>& row, const std::array<int, 361>& first, int lo, int hi,
                       const Vec3& q, const Kernel& kernel, double& s) const {
    auto add = [&](int from, int to) {
        for (int i = from; i < to; ++i) {
            const Entry& e = row[std::size_t(i)];
            const double x = dot(q, e.v);
            if (x >= kernel.cut) s += e.w * kernel.weight(x);
        }
    };
    const int length = hi - lo + 1;
    if (length >= 360) {
        add(0, int(row.size()));
        return;
    }
    const int start = ((lo % 360) + 360) % 360;
    if (start + length <= 360) {
        add(first[std::size_t(start)], first[std::size_t(start + length)]);
    } else {
        add(first[std::size_t(start)], int(row.size()));
        add(0, first[std::size_t(start + length - 360)]);
    }
}

double Counter::sum(const Vec3& qIn, const Kernel& kernel) const {
    if (m_all.empty()) return 0.0;
    // A cone of 90 degrees or more reaches a datum and its opposite at
    // once: there the absolute cosine is taken datum by datum.
    if (kernel.cut <= 0.0) return bruteSum(qIn, kernel);
    // The axis of the node pointing down; with the opposites kept, the
    // signed cosine then equals the absolute one inside the cone.
    const Vec3 q = qIn[2] < 0.0 ? Vec3{-qIn[0], -qIn[1], -qIn[2]} : qIn;
    const double sinQ = std::min(1.0, q[2]), cosQ = std::hypot(q[0], q[1]);
    const double plungeQ = std::asin(sinQ) * MyMath::Rad_To_Deg;
    const double trendQ = std::atan2(q[1], q[0]) * MyMath::Rad_To_Deg;
    const double theta = std::acos(std::min(1.0, kernel.cut)) * MyMath::Rad_To_Deg;
    // One degree of margin on every side: the windows only choose what to
    // look at; each datum is then tested by its exact cosine.
    const int lo = std::max(-90, int(std::floor(plungeQ - theta)) - 1);
    const int hi = std::min(90, int(std::ceil(plungeQ + theta)) + 1);
    double s = 0.0;
    for (int p = lo; p <= hi; ++p) {
        const std::size_t r = std::size_t(p + 90);
        const std::vector<Entry>& row = m_rows[r];
        if (row.empty()) continue;
        const double sinP = std::sin(p * MyMath::Deg_To_Rad), cosP = std::cos(p * MyMath::Deg_To_Rad);
        const double across = cosQ * cosP;
        if (across < 1e-9) {
            addRange(row, m_first[r], 0, 359, q, kernel, s);
            continue;
        }
        // Angle to a direction of plunge p and trend difference dt:
        // cos = sinQ sinP + cosQ cosP cos dt >= cut.
        const double c = (kernel.cut - sinQ * sinP) / across;
        if (c > 1.0 + 1e-9) continue;
        if (c <= -1.0) {
            addRange(row, m_first[r], 0, 359, q, kernel, s);
            continue;
        }
        const double dt = std::acos(std::min(1.0, c)) * MyMath::Rad_To_Deg;
        addRange(row, m_first[r], int(std::floor(trendQ - dt)) - 1, int(std::ceil(trendQ + dt)) + 1, q, kernel, s);
    }
    return s;
}

}  // namespace density
}  // namespace qzCore
