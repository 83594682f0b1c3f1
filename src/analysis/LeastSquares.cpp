// The least-squares axis: the direction d that maximises the sum of
// (d . v)^2 over the data v, found by a grid search or by differential
// evolution (Storn and Price 1997).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "AnalysisSupport.h"
#include "qzCore/analysis/Analyzer.h"
#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/shared/krtError.h"

namespace qzCore {

LeastSquaresParams::LeastSquaresParams()
    : m_solver(std::make_unique<DESolverParams>(std::vector<float>{0.0f, 0.0f}, std::vector<float>{360.0f, 90.0f}, 2,
                                                1000, 40, 0.6, 0.3)) {}

namespace {

/// A cost as a stream writes a double (six significant figures).
std::string costText(double v) {
    std::ostringstream out;
    out << v;
    return out.str();
}


using K = GDTypes;

/// The data as three arrays, so that the cost runs over contiguous memory.
struct Vectors {
    std::vector<double> x, y, z;
    explicit Vectors(const std::vector<Matrix_1>& v) {
        x.reserve(v.size());
        y.reserve(v.size());
        z.reserve(v.size());
        for (const Matrix_1& m : v) {
            x.push_back(m[0]);
            y.push_back(m[1]);
            z.push_back(m[2]);
        }
    }
    /// Sum of (d . v)^2.
    double fit(const Matrix_1& d) const {
        const double a = d[0], b = d[1], c = d[2];
        double s = 0.0;
        const std::size_t n = x.size();
        for (std::size_t i = 0; i < n; ++i) {
            const double dot = a * x[i] + b * y[i] + c * z[i];
            s += dot * dot;
        }
        return s;
    }
};

/// Differential evolution with exponential crossover.
class DESolver {
public:
    DESolver(const DESolverParams& params, const Vectors& data, long seed)
        : m_params(params), m_data(data), m_seed(seed) {}

    /// Runs the generations; returns the best member.
    std::vector<float> solve(std::ostream* log) {
        const int dims = std::max(1, m_params.getDimensions());
        const int popSize = std::max(1, m_params.getPopulation());
        const std::size_t nd = static_cast<std::size_t>(dims), np = static_cast<std::size_t>(popSize);
        const std::vector<float>& lo = m_params.getLowerBounds();
        const std::vector<float>& hi = m_params.getUpperBounds();
        auto lower = [&](int j) { return j < int(lo.size()) ? lo[std::size_t(j)] : 0.0f; };
        auto upper = [&](int j) { return j < int(hi.size()) ? hi[std::size_t(j)] : 0.0f; };
        std::vector<std::vector<float>> pop(np, std::vector<float>(nd));
        std::vector<std::vector<float>> next = pop;
        std::vector<double> energy(np);
        std::vector<float> best;
        double bestEnergy = 0.0;
        for (int i = 0; i < popSize; ++i) {
            for (int j = 0; j < dims; ++j) {
                pop[std::size_t(i)][std::size_t(j)] = float(lower(j) + uniform() * (upper(j) - lower(j)));
            }
            energy[std::size_t(i)] = cost(pop[std::size_t(i)]);
            if (i == 0 || energy[std::size_t(i)] < bestEnergy) {
                bestEnergy = energy[std::size_t(i)];
                best = pop[std::size_t(i)];
            }
        }
        const double f = m_params.getScale(), cr = m_params.getProbability();
        const int strategy = m_params.getStrategy();
        std::vector<float> trial(nd);
        for (int gen = 0; gen < m_params.getGenerations(); ++gen) {
            for (int i = 0; i < popSize; ++i) {
                // Distinct members, none of them i (as many as the population allows).
                int r[5] = {i, i, i, i, i};
                const int needed = strategy == DE_Rand_2 ? 5 : (strategy == DE_Best_2 ? 4 : 3);
                for (int k = 0; k < needed && popSize > k + 1; ++k) {
                    int c;
                    do {
                        c = std::min(popSize - 1, int(uniform() * popSize));
                    } while (c == i || std::find(r, r + k, c) != r + k);
                    r[k] = c;
                }
                trial = pop[std::size_t(i)];
                auto x = [&](int m, int j) { return double(pop[std::size_t(r[m])][std::size_t(j)]); };
                int j = std::min(dims - 1, int(uniform() * dims));
                int changed = 0;
                do {
                    const double t = trial[std::size_t(j)];
                    double v = t;
                    switch (strategy) {
                        case DE_Best_1: v = best[std::size_t(j)] + f * (x(0, j) - x(1, j)); break;
                        case DE_Rand_1: v = x(0, j) + f * (x(1, j) - x(2, j)); break;
                        case DE_Rand_To_Best_1: v = t + f * (best[std::size_t(j)] - t) + f * (x(0, j) - x(1, j)); break;
                        case DE_Best_2: v = best[std::size_t(j)] + f * (x(0, j) + x(1, j) - x(2, j) - x(3, j)); break;
                        case DE_Rand_2: v = x(4, j) + f * (x(0, j) + x(1, j) - x(2, j) - x(3, j)); break;
                        default: break;
                    }
                    trial[std::size_t(j)] = float(v);
                    j = (j + 1) % dims;
                    ++changed;
                } while (uniform() < cr && changed < dims);
                for (int k = 0; k < dims; ++k) {
                    trial[std::size_t(k)] = std::max(lower(k), std::min(upper(k), trial[std::size_t(k)]));
                }
                const double e = cost(trial);
                if (e <= energy[std::size_t(i)]) {
                    next[std::size_t(i)] = trial;
                    energy[std::size_t(i)] = e;
                    if (e < bestEnergy) {
                        bestEnergy = e;
                        best = trial;
                    }
                } else {
                    next[std::size_t(i)] = pop[std::size_t(i)];
                }
            }
            reportWarning("it <" + std::to_string(gen) + "> cost <" + costText(bestEnergy) + ">\n");
            if (log) {
                *log << gen << "\tBest so far  cost =  " << bestEnergy << " : " << "\n";
                log->flush();
            }
            pop.swap(next);
        }
        return best;
    }

private:
    double uniform() { return m_random.GenerateRandom(m_seed); }
    double cost(const std::vector<float>& member) const {
        const double a = member.empty() ? 0.0 : member[0];
        const double p = member.size() > 1 ? member[1] : 0.0;
        return -m_data.fit(Matrix_1(a, p));
    }

    const DESolverParams& m_params;
    const Vectors& m_data;
    long m_seed;
    RandomGenerator m_random;
};

}  // namespace

void Analyzer::computeLeastSquares(LeastSquaresParams* params) {
    if (!params) return;
    if (params->getUseDESearch()) {
        computeDE(params->getDESolverParams());
        return;
    }
    if (!params->getUseBruteForce()) {
        m_results.setResultString("");
        m_results.setError(1);
        return;
    }
    std::vector<Matrix_1> list;
    computeDirCosList(list);
    if (list.empty()) {
        // Every direction fits no data equally well: no axis.
        m_results.setError(Error::No_Data_To_Analyse);
        return;
    }
    std::ofstream report;
    const bool open = openReport(report);
    const Vectors data(list);
    double best = -1.0;
    int az = 0, pl = 0;
    for (int a = 0; a < 360; a += 2) {
        for (int p = 0; p < 90; p += 2) {
            const double s = data.fit(Matrix_1(double(a), double(p)));
            if (s > best) {
                best = s;
                az = a;
                pl = p;
            }
        }
    }
    m_results.setResult(az, pl);
    char buf[128];
    std::snprintf(buf, sizeof buf, "Least Squares (full)\n Azimuth, Plunge : %d, %d\n", az, pl);
    if (open) {
        analysis::writeReportHead(report, "Results of Least Squares analysis (full)", "Number of analysed data : ",
                                  long(list.size()), m_params.getResultLabel());
        report << "Azimuth\tPlunge\tAttribute\tComment\n"
               << az << "\t" << pl << "\tLeast_Sq_Full\t" << m_params.getResultLabel() << "\n";
    }
    const std::string comment = analysis::labelled(m_params.getResultLabel(), "Least squares (full)");
    m_results.addData(SpecialData(az, pl, K::GDType_LSquares, comment.c_str()));
    m_results.setResultString(buf);
    m_results.setError(1);
}

void Analyzer::computeDE(DESolverParams& params) {
    std::vector<Matrix_1> list;
    computeDirCosList(list);
    if (list.empty()) {
        m_results.setError(Error::No_Data_To_Analyse);
        return;
    }
    const Vectors data(list);
    params.setLogFlag(false);
    const long seed = params.getSeed() != 0 ? params.getSeed() : -static_cast<long>(std::time(nullptr));
    std::ofstream log;
    if (params.getLogFlag()) {
        log.open(params.getLogFileName());
        reportWarning("Using DE log file of <" + params.getLogFileName() + ">\n");
    }
    DESolver solver(params, data, seed);
    const std::vector<float> best = solver.solve(log.is_open() ? &log : nullptr);
    const double az = best.empty() ? 0.0 : best[0];
    const double pl = best.size() > 1 ? best[1] : 0.0;
    char buf[128];
    std::snprintf(buf, sizeof buf, "Least squares (optimal)\n Azimuth, Plunge : %0.0f , %0.0f\n", az, pl);
    const int ra = FloatToInt_Global(az), rp = FloatToInt_Global(pl);
    m_results.setResult(ra, rp);
    const std::string comment = analysis::labelled(m_params.getResultLabel(), "Least squares (optimal)");
    m_results.addData(SpecialData(ra, rp, K::GDType_LSquares, comment.c_str()));
    m_results.setResultString(buf);
    m_results.setError(1);
    std::ofstream report;
    if (openReport(report)) {
        analysis::writeReportHead(report, "Results of Least Squares analysis (optimal)", "Number of analysed data : ",
                                  long(list.size()), m_params.getResultLabel());
        report << "Azimuth\tPlunge\tAttribute\tComment\n"
               << ra << "\t" << rp << "\tLeast_Sq_Optimal\t" << m_params.getResultLabel() << "\n";
    }
}

}  // namespace qzCore
