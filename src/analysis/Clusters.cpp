#include "qzCore/analysis/Clusters.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>
#include <random>
#include <unordered_map>

#include <newmat/newmatap.h>

#include "qzCore/shared/MyMath.h"

namespace qzCore {

namespace {

/// Distances below this are one axis: (a.c)^2 of unit vectors is found to
/// about 1e-16, so a smaller distance is rounding (and no divisor).
constexpr double Same_Axis = 1e-12;

/// The distinct axes of the input, each with the number of times it was
/// given: whole-degree data hold at most 32,760 axes, however many records.
struct Axes {
    std::vector<Matrix_1> v;
    std::vector<double> weight;
    std::vector<int> of;  // input index -> distinct axis
};

Axes distinct(const std::vector<double>& trends, const std::vector<double>& plunges) {
    Axes a;
    std::unordered_map<std::uint64_t, int> seen;
    const std::size_t n = std::min(trends.size(), plunges.size());
    a.of.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        double t = trends[i], p = plunges[i];
        // One key per axis: the lower end; a horizontal axis by its trend
        // modulo 180.
        if (p < 0.0) {
            p = -p;
            t += 180.0;
        }
        t = std::fmod(std::fmod(t, 360.0) + 360.0, 360.0);
        if (p == 0.0) t = std::fmod(t, 180.0);
        const std::uint64_t key = (std::uint64_t(std::llround(t * 1000.0)) << 32) | std::uint64_t(std::llround(p * 1000.0));
        const auto [it, fresh] = seen.emplace(key, int(a.v.size()));
        if (fresh) {
            a.v.emplace_back(t, p);
            a.weight.push_back(0.0);
        }
        a.weight[std::size_t(it->second)] += 1.0;
        a.of.push_back(it->second);
    }
    return a;
}

double distance(const Matrix_1& a, const Matrix_1& c) {
    const double d = a.dotProduct(c);
    return std::max(0.0, 1.0 - d * d);
}

/// The principal eigenvector of the weighted orientation tensor; false
/// when the weights are all zero.
bool principalAxis(const Axes& a, const std::vector<double>& w, Matrix_1& out) {
    NEWMAT::SymmetricMatrix m(3);
    m = 0.0;
    double total = 0.0;
    for (std::size_t j = 0; j < a.v.size(); ++j) {
        if (w[j] <= 0.0) continue;
        total += w[j];
        for (int r = 0; r < 3; ++r) {
            for (int c = r; c < 3; ++c) m(r + 1, c + 1) += w[j] * a.v[j][std::size_t(r)] * a.v[j][std::size_t(c)];
        }
    }
    if (!(total > 0.0)) return false;
    Matrix_3 vectors;
    Matrix_1 values;
    if (!MyMath().computeEigen(m, vectors, values)) return false;
    out = vectors.getColumn(0);
    return out.normalize();
}

struct Run {
    std::vector<Matrix_1> centres;
    std::vector<int> label;            // per distinct axis
    std::vector<double> membership;    // fuzzy: axis-major
    double dispersion = std::numeric_limits<double>::infinity();
};

/// k-means++ seeds: the first by weight, each next with probability
/// proportional to weight times its distance to the nearest seed so far.
std::vector<Matrix_1> seeds(const Axes& a, int k, std::mt19937_64& random) {
    std::vector<Matrix_1> c;
    std::vector<double> nearest(a.v.size(), 1.0);
    for (int s = 0; s < k; ++s) {
        std::vector<double> w(a.v.size());
        for (std::size_t j = 0; j < a.v.size(); ++j) w[j] = a.weight[j] * (s == 0 ? 1.0 : nearest[j]);
        const double total = std::accumulate(w.begin(), w.end(), 0.0);
        std::size_t pick = 0;
        if (total > 0.0) {
            std::discrete_distribution<std::size_t> choose(w.begin(), w.end());
            pick = choose(random);
        } else {
            pick = std::size_t(random() % a.v.size());  // every axis already a seed
        }
        c.push_back(a.v[pick]);
        for (std::size_t j = 0; j < a.v.size(); ++j) nearest[j] = std::min(nearest[j], distance(a.v[j], c.back()));
    }
    return c;
}

Run refine(const Axes& a, std::vector<Matrix_1> centres, const ClusterOptions& o) {
    const std::size_t n = a.v.size(), k = centres.size();
    Run r;
    r.label.assign(n, -1);
    if (o.fuzzy) r.membership.assign(n * k, 0.0);
    std::vector<double> w(n);
    for (int it = 0; it < o.iterations; ++it) {
        bool changed = false;
        for (std::size_t j = 0; j < n; ++j) {
            int best = 0;
            double bestD = 2.0;
            for (std::size_t c = 0; c < k; ++c) {
                const double d = distance(a.v[j], centres[c]);
                if (d < bestD) {
                    bestD = d;
                    best = int(c);
                }
            }
            changed = changed || r.label[j] != best;
            r.label[j] = best;
            if (!o.fuzzy) continue;
            // Membership of each set by the ratio of distances (on an axis
            // that is a mean, wholly that set's).
            double* u = &r.membership[j * k];
            if (bestD < Same_Axis) {
                for (std::size_t c = 0; c < k; ++c) u[c] = int(c) == best ? 1.0 : 0.0;
                continue;
            }
            const double power = 1.0 / (o.fuzziness - 1.0);
            for (std::size_t c = 0; c < k; ++c) {
                const double dc = std::max(distance(a.v[j], centres[c]), Same_Axis);
                double sum = 0.0;
                for (std::size_t l = 0; l < k; ++l) sum += std::pow(dc / std::max(distance(a.v[j], centres[l]), Same_Axis), power);
                u[c] = 1.0 / sum;
            }
        }
        if (!changed && !o.fuzzy && it > 0) break;
        for (std::size_t c = 0; c < k; ++c) {
            for (std::size_t j = 0; j < n; ++j) {
                w[j] = o.fuzzy ? a.weight[j] * std::pow(r.membership[j * k + c], o.fuzziness)
                               : (r.label[j] == int(c) ? a.weight[j] : 0.0);
            }
            Matrix_1 mean;
            if (principalAxis(a, w, mean)) centres[c] = mean;  // an empty set keeps its seed
        }
    }
    r.dispersion = 0.0;
    for (std::size_t j = 0; j < n; ++j) r.dispersion += a.weight[j] * distance(a.v[j], centres[std::size_t(r.label[j])]);
    r.centres = std::move(centres);
    return r;
}

double silhouette(const Axes& a, const Run& r) {
    if (r.centres.size() < 2) return 0.0;
    // A set of one record has no spread to weigh: its silhouette is 0
    // (Rousseeuw 1987), so a stray axis does not earn a set of its own.
    std::vector<double> size(r.centres.size(), 0.0);
    for (std::size_t j = 0; j < a.v.size(); ++j) size[std::size_t(r.label[j])] += a.weight[j];
    double sum = 0.0, total = 0.0;
    for (std::size_t j = 0; j < a.v.size(); ++j) {
        if (size[std::size_t(r.label[j])] <= 1.0) {
            total += a.weight[j];
            continue;
        }
        const double own = distance(a.v[j], r.centres[std::size_t(r.label[j])]);
        double other = 2.0;
        for (std::size_t c = 0; c < r.centres.size(); ++c) {
            if (int(c) != r.label[j]) other = std::min(other, distance(a.v[j], r.centres[c]));
        }
        const double most = std::max(own, other);
        sum += a.weight[j] * (most > 0.0 ? (other - own) / most : 0.0);
        total += a.weight[j];
    }
    return total > 0.0 ? sum / total : 0.0;
}

Run best(const Axes& a, int k, const ClusterOptions& o, std::mt19937_64& random) {
    Run kept;
    for (int s = 0; s < o.starts; ++s) {
        Run r = refine(a, seeds(a, k, random), o);
        if (r.dispersion < kept.dispersion) kept = std::move(r);
    }
    return kept;
}

}  // namespace

Clustering clusterAxes(const std::vector<double>& trends, const std::vector<double>& plunges,
                       const ClusterOptions& given) {
    ClusterOptions o = given;
    o.sets = std::clamp(o.sets, 0, ClusterOptions::Max_Sets);
    o.iterations = std::clamp(o.iterations, 1, 1000);
    o.starts = std::clamp(o.starts, 1, 100);
    if (!(o.fuzziness > 1.0)) o.fuzziness = 2.0;
    Clustering out;
    const Axes a = distinct(trends, plunges);
    if (a.v.empty()) return out;
    std::mt19937_64 random(o.seed);
    Run run;
    const int most = std::min<int>(int(a.v.size()), ClusterOptions::Max_Auto_Sets);
    if (o.sets == 0 && most >= 2) {
        double bestScore = -2.0;
        for (int k = 2; k <= most; ++k) {
            Run r = best(a, k, o, random);
            const double score = silhouette(a, r);
            if (score > bestScore) {
                bestScore = score;
                run = std::move(r);
            }
        }
    } else {
        run = best(a, std::clamp(o.sets == 0 ? 1 : o.sets, 1, int(a.v.size())), o, random);
    }
    const std::size_t k = run.centres.size();

    // Sets largest first.
    std::vector<double> size(k, 0.0);
    for (std::size_t j = 0; j < a.v.size(); ++j) size[std::size_t(run.label[j])] += a.weight[j];
    std::vector<int> order(k);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&size](int x, int y) { return size[std::size_t(x)] > size[std::size_t(y)]; });
    std::vector<int> rank(k);
    for (std::size_t r = 0; r < k; ++r) rank[std::size_t(order[r])] = int(r);

    out.sets = int(k);
    out.dispersion = run.dispersion;
    out.silhouette = silhouette(a, run);
    out.labels.reserve(a.of.size());
    for (const int j : a.of) out.labels.push_back(rank[std::size_t(run.label[std::size_t(j)])]);
    if (o.fuzzy) {
        out.memberships.resize(a.of.size() * k);
        for (std::size_t i = 0; i < a.of.size(); ++i) {
            for (std::size_t c = 0; c < k; ++c) {
                out.memberships[i * k + std::size_t(rank[c])] = run.membership[std::size_t(a.of[i]) * k + c];
            }
        }
    }
    for (std::size_t r = 0; r < k; ++r) {
        const std::size_t c = std::size_t(order[r]);
        AxisSet s;
        run.centres[c].convertFromDC(s.trend, s.plunge);
        // Members turned to the mean's side, as vectors.
        Matrix_1 sum(0.0, 0.0, 0.0);
        double n = 0.0;
        for (std::size_t j = 0; j < a.v.size(); ++j) {
            if (run.label[j] != int(c)) continue;
            const double side = a.v[j].dotProduct(run.centres[c]) < 0.0 ? -1.0 : 1.0;
            for (std::size_t e = 0; e < 3; ++e) sum[e] += side * a.weight[j] * a.v[j][e];
            n += a.weight[j];
        }
        s.count = int(n);
        const double R = sum.length();
        if (n >= 2.0 && n - R > Same_Axis * n) {
            s.fisherK = (n - 1.0) / (n - R);
            const double cosine = 1.0 - (n - R) / R * (std::pow(20.0, 1.0 / (n - 1.0)) - 1.0);
            if (cosine >= -1.0) s.cone95 = std::acos(std::min(1.0, cosine)) * MyMath::Rad_To_Deg;
        }
        out.means.push_back(s);
    }
    return out;
}

}  // namespace qzCore
