#include "qzCore/analysis/Paleostress.h"

#include <algorithm>
#include <cmath>
#include <random>

#include <newmat/newmatap.h>

#include "qzCore/shared/MyMath.h"

namespace qzCore {

namespace {

/// The normal equations are singular to rounding when their smallest
/// eigenvalue is below this share of the largest: the faults leave a
/// combination of the five unknowns free (all planes parallel, or too
/// few distinct orientations).  Whole-degree data of real populations
/// give ratios above 1e-4.
constexpr double Singular_Ratio = 1e-10;
/// A predicted shear traction shorter than this (reduced tensor, sigma1 -
/// sigma3 = 1) has no direction: the plane is normal to a principal axis.
constexpr double No_Shear = 1e-12;

double dot(const Vec3& a, const Vec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
double norm(const Vec3& a) { return std::sqrt(dot(a, a)); }

/// The five unknowns' basis tensors (tension positive): T11 - T33,
/// T12, T13, T22 - T33, T23.
using Tensor = std::array<double, 9>;
Tensor basis(int k) {
    Tensor e{};
    switch (k) {
        case 0: e[0] = 1; e[8] = -1; break;
        case 1: e[1] = e[3] = 1; break;
        case 2: e[2] = e[6] = 1; break;
        case 3: e[4] = 1; e[8] = -1; break;
        default: e[5] = e[7] = 1; break;
    }
    return e;
}
Vec3 times(const Tensor& t, const Vec3& v) {
    return {t[0] * v[0] + t[1] * v[1] + t[2] * v[2], t[3] * v[0] + t[4] * v[1] + t[5] * v[2],
            t[6] * v[0] + t[7] * v[1] + t[8] * v[2]};
}
/// The shear traction of t on the plane of normal n.
Vec3 shear(const Tensor& t, const Vec3& n) {
    const Vec3 tn = times(t, n);
    const double along = dot(tn, n);
    return {tn[0] - along * n[0], tn[1] - along * n[1], tn[2] - along * n[2]};
}
Tensor tensorOf(const double* x) {
    return {x[0], x[1], x[2], x[1], x[3], x[4], x[2], x[4], -x[0] - x[3]};
}

/// One fault's part of the normal equations: A^T A (upper triangle, 15)
/// and A^T s (5), A the 3 x 5 matrix of the shear tractions of the basis.
struct Normal {
    std::array<double, 15> ata{};
    std::array<double, 5> ats{};
};
Normal normalOf(const FaultSlip& f) {
    Vec3 a[5];
    for (int k = 0; k < 5; ++k) a[k] = shear(basis(k), f.normal);
    Normal out;
    int at = 0;
    for (int r = 0; r < 5; ++r) {
        for (int c = r; c < 5; ++c) out.ata[std::size_t(at++)] = dot(a[r], a[c]);
        out.ats[std::size_t(r)] = dot(a[r], f.slip);
    }
    return out;
}

Axis axisOf(Vec3 v) {
    if (v[2] < 0.0) v = {-v[0], -v[1], -v[2]};
    Axis a;
    Matrix_1(v[0], v[1], v[2]).convertFromDC(a.trend, a.plunge);
    return a;
}

/// Solves the summed normal equations for a tensor (tension positive) and
/// the shear magnitude; false when the faults leave it free.
/// `faults`: the sum of the squared target magnitudes (the count of faults
/// for Michael's equal magnitudes).
bool solve(StressMethod method, const Normal& sum, double faults, Tensor& t, double& lambda) {
    try {
        NEWMAT::SymmetricMatrix n(5);
        NEWMAT::ColumnVector b(5);
        int at = 0;
        for (int r = 1; r <= 5; ++r) {
            for (int c = r; c <= 5; ++c) n(r, c) = sum.ata[std::size_t(at++)];
            b(r) = sum.ats[std::size_t(r - 1)];
        }
        NEWMAT::DiagonalMatrix d;
        NEWMAT::EigenValues(n, d);
        if (!(d(1) > Singular_Ratio * d(5))) return false;
        double x[5];
        if (method == StressMethod::Michael) {
            const NEWMAT::ColumnVector solved = n.i() * b;
            for (int k = 0; k < 5; ++k) x[k] = solved(k + 1);
            lambda = 1.0;
        } else {
            // Minimise t'(N - b b'/faults)t with t'Wt = 1, W the squared
            // Frobenius norm of the deviatoric tensor of t.
            NEWMAT::SymmetricMatrix q(5), w(5);
            w = 0.0;
            for (int k = 1; k <= 5; ++k) w(k, k) = 2.0;
            w(1, 4) = 1.0;
            for (int r = 1; r <= 5; ++r) {
                for (int c = r; c <= 5; ++c) q(r, c) = n(r, c) - b(r) * b(c) / faults;
            }
            const NEWMAT::LowerTriangularMatrix l = NEWMAT::Cholesky(w);
            const NEWMAT::Matrix li = l.i();
            NEWMAT::SymmetricMatrix m(5);
            m << li * q * li.t();
            NEWMAT::DiagonalMatrix values;
            NEWMAT::Matrix vectors;
            NEWMAT::EigenValues(m, values, vectors);
            const NEWMAT::ColumnVector y = vectors.Column(1);
            const NEWMAT::ColumnVector solved = li.t() * y;
            double bt = 0.0;
            for (int k = 0; k < 5; ++k) {
                x[k] = solved(k + 1);
                bt += b(k + 1) * x[k];
            }
            lambda = bt / faults;
            if (!(std::fabs(lambda) > No_Shear)) return false;
            if (lambda < 0.0) {
                lambda = -lambda;
                for (double& v : x) v = -v;
            }
        }
        t = tensorOf(x);
        return std::all_of(t.begin(), t.end(), [](double v) { return std::isfinite(v); });
    } catch (...) {
        return false;
    }
}

/// The principal axes and shape of a tension-positive tensor.
bool stateOf(const Tensor& t, StressState& out) {
    // Compression positive: sigma = -T; its eigenvalues largest first.
    Matrix_3 sigma;
    for (std::size_t r = 0; r < 3; ++r) {
        for (std::size_t c = 0; c < 3; ++c) sigma.setMat(r, c, -t[r * 3 + c]);
    }
    Matrix_3 vectors;
    Matrix_1 values;
    if (!MyMath().computeEigen(sigma, vectors, values)) return false;
    const double range = values[0] - values[2];
    if (!(range > No_Shear * (std::fabs(values[0]) + std::fabs(values[2]) + 1e-300))) return false;
    std::array<Vec3, 3> d;
    for (std::size_t k = 0; k < 3; ++k) {
        const Matrix_1 v = vectors.getColumn(k);
        d[k] = {v[0], v[1], v[2]};
    }
    out = stressState(d, (values[1] - values[2]) / range);
    return true;
}

double angle(double cosine) { return std::acos(std::clamp(cosine, -1.0, 1.0)) * MyMath::Rad_To_Deg; }

/// The summed normal equations of the faults counted in `weight` (a
/// fault's count in the sum), each fault's target shear magnitude
/// `target` (1: Michael's equal magnitudes).
void sumOf(const std::vector<Normal>& parts, const std::vector<int>& weight, const std::vector<double>& target,
           Normal& sum, double& squares, double& faults) {
    sum = Normal{};
    squares = faults = 0.0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (weight[i] == 0) continue;
        const double w = weight[i], m = target[i];
        faults += w;
        squares += w * m * m;
        for (std::size_t k = 0; k < 15; ++k) sum.ata[k] += w * parts[i].ata[k];
        for (std::size_t k = 0; k < 5; ++k) sum.ats[k] += w * m * parts[i].ats[k];
    }
}

/// |A t| of each fault: its shear traction's size under t.
double shearSize(const Normal& part, const double* x) {
    double q = 0.0;
    int at = 0;
    for (int r = 0; r < 5; ++r) {
        for (int c = r; c < 5; ++c) q += (r == c ? 1.0 : 2.0) * part.ata[std::size_t(at++)] * x[r] * x[c];
    }
    return std::sqrt(std::max(0.0, q));
}

/// Inverts the faults counted in `weight`.  With `refine`, each fault's
/// target shear magnitude is then taken from the solution (scaled to a
/// mean of 1) and the faults inverted again, until the tensor changes by
/// less than Refine_Tolerance or after Max_Refine passes: a fixed point
/// is a tensor whose shear on every plane is parallel to its slip
/// whatever its size, so data that fit one tensor are fitted exactly.
/// `target` holds the magnitudes used last.
bool invert(StressMethod method, const std::vector<Normal>& parts, const std::vector<int>& weight, bool refine,
            std::vector<double>& target, Tensor& t, double& lambda, StressState& state) {
    constexpr int Max_Refine = 50;
    constexpr double Refine_Tolerance = 1e-12;
    Normal sum;
    double squares = 0.0, faults = 0.0;
    sumOf(parts, weight, target, sum, squares, faults);
    if (faults < StressOptions::Min_Faults || !solve(method, sum, squares, t, lambda)) return false;
    for (int pass = 0; refine && pass < Max_Refine; ++pass) {
        const double x[5] = {t[0], t[1], t[2], t[4], t[5]};
        double mean = 0.0;
        std::vector<double> next(parts.size(), 1.0);
        for (std::size_t i = 0; i < parts.size(); ++i) {
            if (weight[i] == 0) continue;
            next[i] = shearSize(parts[i], x);
            mean += weight[i] * next[i];
        }
        mean /= faults;
        if (!(mean > No_Shear)) break;
        for (double& m : next) m /= mean;
        Tensor u{};
        double l = 1.0;
        sumOf(parts, weight, next, sum, squares, faults);
        if (!solve(method, sum, squares, u, l)) break;
        // The change of the tensor's shape and orientation (its size is
        // the methods' own business).
        double su = 0.0, st = 0.0, change = 0.0;
        for (std::size_t k = 0; k < 9; ++k) {
            su = std::max(su, std::fabs(u[k]));
            st = std::max(st, std::fabs(t[k]));
        }
        for (std::size_t k = 0; k < 9; ++k) change = std::max(change, std::fabs(u[k] / su - t[k] / st));
        t = u;
        lambda = l;
        target = next;
        if (change <= Refine_Tolerance) break;
    }
    return stateOf(t, state);
}

}  // namespace

const char* stressFailureText(StressFailure f) {
    switch (f) {
        case StressFailure::None: return "";
        case StressFailure::Too_Few_Faults: return "at least four faults with a usable sense of slip are needed";
        case StressFailure::Unconstrained:
            return "the faults do not constrain the stress (planes parallel or too few distinct orientations)";
        case StressFailure::All_Left_Out: return "the misfit rule left fewer than four faults";
    }
    return "";
}

FaultSlip faultSlip(double strike, double dip, double trend, double plunge, bool along) {
    const double dd = (strike + 90.0) * MyMath::Deg_To_Rad, d = dip * MyMath::Deg_To_Rad;
    FaultSlip f;
    f.normal = {std::sin(d) * std::cos(dd), std::sin(d) * std::sin(dd), -std::cos(d)};
    const Matrix_1 line(trend, plunge);
    Vec3 s{line[0], line[1], line[2]};
    const double on = dot(s, f.normal);
    for (std::size_t k = 0; k < 3; ++k) s[k] -= on * f.normal[k];
    const double len = norm(s);
    for (double& v : s) v = (along ? v : -v) / len;
    f.slip = s;
    return f;
}

StressState stressState(const std::array<Vec3, 3>& d, double phi) {
    StressState s;
    s.phi = phi;
    const double m[3] = {1.0, phi, 0.0};
    for (std::size_t k = 0; k < 3; ++k) {
        s.axes[k] = axisOf(d[k]);
        const double len2 = dot(d[k], d[k]);
        for (std::size_t r = 0; r < 3; ++r) {
            for (std::size_t c = 0; c < 3; ++c) s.tensor[r * 3 + c] += m[k] * d[k][r] * d[k][c] / len2;
        }
    }
    return s;
}

void planeStress(const StressState& s, const Vec3& n, double& normal, double& shearStress) {
    normal = dot(times(s.tensor, n), n);
    shearStress = norm(shear(s.tensor, n));
}

double compressionalShare(const std::vector<FaultSlip>& faults, const Vec3& d) {
    if (faults.empty()) return 0.0;
    std::size_t in = 0;
    for (const FaultSlip& f : faults) in += dot(d, f.normal) * dot(d, f.slip) < 0.0;
    return double(in) / double(faults.size());
}

void tendencies(const StressState& state, const std::array<double, 3>& m, const Vec3& n, double& slip,
                double& dilation) {
    Tensor s{};
    for (std::size_t k = 0; k < 3; ++k) {
        const Matrix_1 v(state.axes[k].trend, state.axes[k].plunge);
        for (std::size_t r = 0; r < 3; ++r) {
            for (std::size_t c = 0; c < 3; ++c) s[r * 3 + c] += m[k] * v[r] * v[c];
        }
    }
    const double sn = dot(times(s, n), n);
    slip = norm(shear(s, n)) / sn;
    dilation = (m[0] - sn) / (m[0] - m[2]);
}

StressInversion invertStress(const std::vector<FaultSlip>& faults, const StressOptions& o) {
    StressInversion r;
    const std::size_t n = faults.size();
    r.leftOut.assign(n, false);
    if (n < std::size_t(StressOptions::Min_Faults)) {
        r.failure = StressFailure::Too_Few_Faults;
        return r;
    }
    std::vector<Normal> parts;
    parts.reserve(n);
    for (const FaultSlip& f : faults) parts.push_back(normalOf(f));

    // Misfits of every fault under a solution.
    auto measure = [&](const Tensor& t, double lambda, const StressState& s) {
        r.misfit.assign(n, 90.0);
        r.upsilon.assign(n, 0.0);
        r.normalStress.assign(n, 0.0);
        r.shearStress.assign(n, 0.0);
        for (std::size_t i = 0; i < n; ++i) {
            const FaultSlip& f = faults[i];
            planeStress(s, f.normal, r.normalStress[i], r.shearStress[i]);
            // The hanging wall slips along the shear of -sigma.
            const Vec3 predicted = shear(s.tensor, f.normal);
            const double len = norm(predicted);
            if (len > No_Shear) r.misfit[i] = angle(-dot(predicted, f.slip) / len);
            const Vec3 tau = shear(t, f.normal);
            r.upsilon[i] = norm(Vec3{tau[0] / lambda - f.slip[0], tau[1] / lambda - f.slip[1],
                                        tau[2] / lambda - f.slip[2]});
        }
    };

    std::vector<int> weight(n, 1);
    std::vector<double> target(n, 1.0);
    Tensor t{};
    double lambda = 1.0;
    StressState state;
    for (;;) {
        ++r.rounds;
        std::fill(target.begin(), target.end(), 1.0);
        if (!invert(o.method, parts, weight, o.refine, target, t, lambda, state)) {
            r.failure = r.rounds == 1 ? StressFailure::Unconstrained : StressFailure::All_Left_Out;
            return r;
        }
        r.state = state;
        measure(t, lambda, state);
        if (!(o.maxMisfit > 0.0) || r.rounds >= StressOptions::Max_Rounds) break;
        std::vector<int> next = weight;
        std::size_t kept = 0, dropped = 0;
        for (std::size_t i = 0; i < n; ++i) {
            if (next[i] && r.misfit[i] > o.maxMisfit) {
                next[i] = 0;
                ++dropped;
            }
            kept += next[i];
        }
        // Never fewer than the inversion needs: the last solution stands.
        if (dropped == 0 || kept < std::size_t(StressOptions::Min_Faults)) break;
        weight = next;
    }
    for (std::size_t i = 0; i < n; ++i) r.leftOut[i] = weight[i] == 0;

    // Bootstrap: the faults kept, resampled with replacement.
    const int samples = std::clamp(o.bootstrap, 0, StressOptions::Max_Bootstrap);
    if (samples > 0) {
        std::vector<std::size_t> kept;
        for (std::size_t i = 0; i < n; ++i) {
            if (weight[i]) kept.push_back(i);
        }
        std::mt19937_64 random(o.seed);
        std::uniform_int_distribution<std::size_t> pick(0, kept.size() - 1);
        std::vector<int> counts(n);
        std::array<std::vector<double>, 3> angles;
        std::vector<double> phis;
        std::array<Vec3, 3> axes;
        for (std::size_t k = 0; k < 3; ++k) {
            const Matrix_1 v(r.state.axes[k].trend, r.state.axes[k].plunge);
            axes[k] = {v[0], v[1], v[2]};
        }
        for (int b = 0; b < samples; ++b) {
            std::fill(counts.begin(), counts.end(), 0);
            for (std::size_t j = 0; j < kept.size(); ++j) ++counts[kept[pick(random)]];
            Tensor bt{};
            double bl = 1.0;
            StressState bs;
            // The solution's shear magnitudes as targets, one linear
            // inversion a sample (refining each would cost fifty).
            std::vector<double> fixed = target;
            if (!invert(o.method, parts, counts, false, fixed, bt, bl, bs)) continue;  // a degenerate draw
            r.samples.push_back(bs);
            phis.push_back(bs.phi);
            for (std::size_t k = 0; k < 3; ++k) {
                const Matrix_1 v(bs.axes[k].trend, bs.axes[k].plunge);
                angles[k].push_back(angle(std::fabs(dot(axes[k], Vec3{v[0], v[1], v[2]}))));
            }
        }
        if (!phis.empty()) {
            auto quantile = [](std::vector<double>& v, double q) {
                std::sort(v.begin(), v.end());
                return v[std::min(v.size() - 1, std::size_t(q * double(v.size() - 1) + 0.5))];
            };
            for (std::size_t k = 0; k < 3; ++k) r.cone95[k] = quantile(angles[k], 0.95);
            r.phiLow = quantile(phis, 0.025);
            r.phiHigh = quantile(phis, 0.975);
        }
    }
    return r;
}

}  // namespace qzCore
