// Fisher statistics (Fisher 1953) of planes (as poles) and lines: the mean
// direction, the concentration K, the angular deviation, the variance and
// the 95% confidence cone, with optional weights for the sampling bias of
// a line of observation (Terzaghi 1965); and the plain mean of lists of
// orientations.
#include <algorithm>
#include <cmath>
#include <limits>
#include <cstdint>
#include <cstdio>
#include <deque>

#include "AnalysisSupport.h"
#include "qzCore/shared/krtError.h"
#include "qzCore/analysis/Analyzer.h"
#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/parsing/qzParser.h"

namespace qzCore {

using analysis::Selection;

bool FisherStatsParams::setParams(const std::string& strike, const std::string& dip, int angle, bool compensate) {
    qzParser parser;
    int s = 0, d = 0;
    if (parser.ParseStrike(s, strike.c_str()) != 1 || parser.ParsePlunge(s, d, dip.c_str()) != 1) {
        m_compensate = false;
        return false;
    }
    m_strike = s;
    m_dip = d;
    m_compensate = compensate;
    m_angle = std::max(0, std::min(85, angle));
    return true;
}

double Analyzer::compensationCosine(double trend, double plunge, double lineAzimuth, double linePlunge,
                                    double limitAngle) {
    const double t = trend * MyMath::Deg_To_Rad, p = plunge * MyMath::Deg_To_Rad;
    const double s = lineAzimuth * MyMath::Deg_To_Rad, d = linePlunge * MyMath::Deg_To_Rad;
    const double c = std::fabs(std::cos(t - s) * std::cos(p) * std::cos(d) + std::sin(p) * std::sin(d));
    // Terzaghi's weight 1/c grows without bound as a direction nears right
    // angles to the line: it is capped at the limit angle, as the density
    // weighting caps it, so the weight rises steadily to its cap and stays
    // there (90 degrees weighs as much as the limit, not 1).
    const double limit = std::clamp(limitAngle, 0.0, 89.0);
    return std::max(c, std::cos(limit * MyMath::Deg_To_Rad));
}

namespace {

/// The directions the averaging takes: each distinct one once, with its
/// trend and plunge and how many records give it.  Records are whole
/// degrees, so at most 32,851 directions exist however many records there
/// are: every sum, weight and angle is worked out once a direction.
struct Directions {
    std::vector<const Matrix_1*> vectors;
    std::vector<std::pair<int, int>> angles;
    std::vector<double> counts;
    std::deque<Matrix_1> scratch;  // directions outside the whole-degree table, and turned ones
    double total = 0.0;
};

void collect(const AnalyzeParams& params, Directions& out) {
    Selection s;
    s.special = params.getAnalyzeSpecial();
    // Counted by their place in the table of whole-degree directions.
    constexpr int Plunges = 91, Cells = 361 * Plunges;
    std::vector<std::uint32_t> cells(Cells, 0);
    Matrix_1 scratch;
    for (const GeoData* g : params.getAnalyzeData()) {
        int t = 0, p = 0;
        if (!analysis::direction(g, params, s, t, p)) continue;
        out.total += 1.0;
        if (t >= 0 && t <= 360 && p >= 0 && p <= 90) {
            ++cells[std::size_t(t * Plunges + p)];
            continue;
        }
        out.scratch.push_back(Matrix_1(double(t), double(p)));
        out.vectors.push_back(&out.scratch.back());
        out.angles.emplace_back(t, p);
        out.counts.push_back(1.0);
    }
    for (int c = 0; c < Cells; ++c) {
        if (cells[std::size_t(c)] == 0) continue;
        const int t = c / Plunges, p = c % Plunges;
        out.vectors.push_back(Matrix_1::wholeDegreesEntry(t, p));
        out.angles.emplace_back(t, p);
        out.counts.push_back(double(cells[std::size_t(c)]));
    }
}

/// Turns every direction into the hemisphere of the principal axis of the
/// set (axial averaging).  A direction at right angles to the axis stays.
void turnToPrincipalAxis(Directions& dirs, const MyMath& math) {
    if (dirs.vectors.empty()) return;
    double sums[6] = {0, 0, 0, 0, 0, 0};
    for (std::size_t i = 0; i < dirs.vectors.size(); ++i) {
        const Matrix_1& v = *dirs.vectors[i];
        const double w = dirs.counts[i];
        sums[0] += w * v[0] * v[0];
        sums[1] += w * v[0] * v[1];
        sums[2] += w * v[0] * v[2];
        sums[3] += w * v[1] * v[1];
        sums[4] += w * v[1] * v[2];
        sums[5] += w * v[2] * v[2];
    }
    Matrix_3 m;
    m.setMat(0, 0, sums[0]);
    m.setMat(0, 1, sums[1]);
    m.setMat(0, 2, sums[2]);
    m.setMat(1, 1, sums[3]);
    m.setMat(1, 2, sums[4]);
    m.setMat(2, 2, sums[5]);
    m.copyUpperToLower();
    Matrix_3 vectors;
    Matrix_1 values;
    if (!math.computeEigen(m, vectors, values)) return;
    const Matrix_1 axis = vectors.getColumn(0);
    for (const Matrix_1*& v : dirs.vectors) {
        if (v->dotProduct(axis) >= 0.0) continue;
        dirs.scratch.emplace_back(-(*v)[0], -(*v)[1], -(*v)[2]);
        v = &dirs.scratch.back();
    }
}

/// The Fisher (1953) 95% confidence cone, degrees, for n directions of
/// resultant length r; -1 when it has no solution (a single direction, or
/// directions too spread for the cosine to stay within -1..1).
double confidenceCone(double n, double r) {
    if (n <= 1.0 || r <= 0.0) return -1.0;
    // The probability 1 - 0.95 = 0.05 enters as its inverse, 20.
    const double arg = 1.0 - ((n - r) / r) * (std::pow(1.0 / 0.05, 1.0 / (n - 1.0)) - 1.0);
    if (!(arg >= -1.0)) return -1.0;
    return std::acos(std::min(1.0, arg)) * MyMath::Rad_To_Deg;
}

/// A statistic for reports: its value, or "undefined" (NaN, or a cone
/// given as -1).
std::string coneText(double cone, const char* format) {
    if (!(cone >= 0.0)) return "undefined";
    char buf[64];
    std::snprintf(buf, sizeof buf, format, cone);
    return buf;
}

}  // namespace

void Analyzer::computeAveValue(long double& r, TwoDPoint<double>& mean, FisherStatsParams* params) {
    Directions dirs;
    collect(m_params, dirs);
    if (params && params->getAxial()) turnToPrincipalAxis(dirs, m_math);
    Matrix_1 meanVector;
    averageOf(dirs.vectors, dirs.angles, dirs.counts, r, mean, meanVector, params);
}

void Analyzer::averageOf(const std::vector<const Matrix_1*>& vectors, const std::vector<std::pair<int, int>>& angles,
                         const std::vector<double>& counts, long double& r, TwoDPoint<double>& mean,
                         Matrix_1& meanVector, FisherStatsParams* params) {
    const bool compensate = params && params->getCompensateFisher();
    double n = 0.0;
    for (const double c : counts) n += c;
    // Compensation: each record weighs n / (c Σ 1/c) for its cosine c to
    // the line of observation, so the weights still sum to n.
    double sumInverse = 0.0;
    std::vector<double> cosines;
    if (compensate) {
        cosines.reserve(angles.size());
        for (std::size_t i = 0; i < angles.size(); ++i) {
            cosines.push_back(compensationCosine(angles[i].first, angles[i].second, params->getCompensateStrike(),
                                                 params->getCompensateDip(), params->getCompensateAngle()));
            sumInverse += counts[i] / cosines.back();
        }
    }
    long double x = 0, y = 0, z = 0;
    for (std::size_t i = 0; i < vectors.size(); ++i) {
        const Matrix_1& v = *vectors[i];
        const double w = counts[i] * (compensate ? n / (cosines[i] * sumInverse) : 1.0);
        x += w * v[0];
        y += w * v[1];
        z += w * v[2];
    }
    if (vectors.empty()) {
        m_results.setError(Error::No_Data_To_Analyse);
        return;
    }
    r = std::sqrt(x * x + y * y + z * z);
    if (r == 0.0L) {
        // Directions that cancel (possible only for axial averaging or
        // weights) have no mean.
        m_results.setError(Error::No_Data_To_Analyse);
        return;
    }
    meanVector = Matrix_1(double(x / r), double(y / r), double(z / r));
    double mt = 0, mp = 0;
    meanVector.convertFromDC(mt, mp);
    mean.init(mt, mp);
    m_results.setResult(MyMath::wholeAzimuth(mt), FloatToInt_Global(mp));
    m_results.setNumDataAnalyzed(int(n));
    m_results.setResultType(Result_Average);
    m_results.setError(1);
}

void Analyzer::computeFisher(FisherStatsParams* params) {
    std::ofstream report;
    const bool open = openReport(report);
    long double r = 0;
    TwoDPoint<double> mean;
    Directions dirs;
    collect(m_params, dirs);
    if (params && params->getAxial()) turnToPrincipalAxis(dirs, m_math);
    Matrix_1 m;
    averageOf(dirs.vectors, dirs.angles, dirs.counts, r, mean, m, params);
    if (m_results.isError()) return;

    const double n = m_results.getNumDataAnalyzed();
    const double R = double(r);
    // K has no value for one datum (0/0) nor for identical data (the
    // concentration is infinite): "undefined", never a number.  Sums of n
    // equal unit vectors differ from n by rounding only.
    const double k = n <= 1.0 || (n - R) <= n * Identical_Directions_Tolerance
                         ? std::numeric_limits<double>::quiet_NaN()
                         : (n - 1.0) / (n - R);
    const double delta = n <= 0 ? -1.0 : std::acos(std::min(1.0, R / n)) * MyMath::Rad_To_Deg;

    double sumSquares = 0.0;
    double walked = 0.0;
    for (std::size_t i = 0; i < dirs.vectors.size(); ++i) {
        const double theta =
            std::acos(std::max(-1.0, std::min(1.0, dirs.vectors[i]->dotProduct(m)))) * MyMath::Rad_To_Deg;
        sumSquares += dirs.counts[i] * theta * theta;
        walked += dirs.counts[i];
    }
    if (walked != double(m_results.getNumDataAnalyzed())) {
        m_results.setError(Error::Analyser_Failed);
        return;
    }
    // The spread of one datum is undefined (n - 1 = 0).
    const double sd = n <= 1 ? std::numeric_limits<double>::quiet_NaN() : std::sqrt(sumSquares / (n - 1.0));
    const double cone = confidenceCone(n, R);
    m_results.setValue("trend", mean.x());
    m_results.setValue("plunge", mean.y());
    m_results.setValue("R", R);
    m_results.setValue("K", k);
    m_results.setValue("delta", delta);
    m_results.setValue("variance", sd);
    m_results.setValue("cone", cone);

    int strike = m_results.getResult().x(), dip = m_results.getResult().y();
    m_math.computePlaneFromPole(strike, dip);
    char buf[1024];
    std::snprintf(buf, sizeof buf,
                  "Average orientation :\n -As linear (azimuth, plunge) : (%.5g , %.5g)\n -As planar (strike, dip) : "
                  "(%.5g , %.5g)\n\nKValue :%s\n\nAngular standard dev. delta (degrees) : %.5g\n\nVariance s "
                  "(degrees): %s\n\nConfidence limit (cone size - degrees) : %s\n",
                  double(m_results.getResult().x()), double(m_results.getResult().y()), double(strike), double(dip),
                  coneText(k, "%.5g").c_str(), delta, coneText(sd, "%.5g").c_str(), coneText(cone, "%.5g").c_str());
    m_results.setResultString(buf);

    const bool compensated = params && params->getCompensateFisher();
    char comment[256];
    std::snprintf(comment, sizeof comment, "%sASD:%.4g, Co:%s, K: %s", compensated ? "Comp, " : "NoComp, ", delta,
                  coneText(cone, "%.4g").c_str(), coneText(k, "%.4g").c_str());
    m_results.addData(SpecialData(m_results.getResult().x(), m_results.getResult().y(), GDTypes::GDType_Fisher,
                                  analysis::labelled(m_params.getResultLabel(), comment).c_str()));

    if (open) {
        analysis::writeReportHead(report, "Results of Fisher analysis", "Number of analysed data : ",
                                  m_results.getNumDataAnalyzed(), m_params.getResultLabel());
        report << "Azimuth\tPlunge\tAttribute\tComment\n"
               << m_results.getResult().x() << "\t" << m_results.getResult().y() << "\tFisher_Pole\tCone Size : "
               << coneText(cone, "%g") << " K: " << coneText(k, "%g") << "\n";
    }
}

namespace {

/// The mean of planes (dip direction, dip; as their poles) and lines
/// (trend, plunge), the poles weighted against a line of observation when
/// one is given (azimuth modulo 360, plunge modulo 90); lines unweighted.
bool meanOrientation(const std::vector<OrientedPair>& planes, const std::vector<OrientedPair>& lines,
                     const TwoDPoint<float>* compensation, TwoDPoint<float>& mean) {
    if (planes.empty() && lines.empty()) {
        reportWarning("warning : no data to analyse.\n");
        return false;
    }
    const MyMath m;
    std::vector<std::pair<double, double>> poles;
    for (const OrientedPair& p : planes) {
        double a = p.az(), b = p.pl();
        m.computeStrikeFromDipDir(a);
        m.computePole(a, b);
        poles.emplace_back(a, b);
    }
    std::vector<double> weights(poles.size(), 1.0);
    if (compensation) {
        const double s = std::fmod(double(compensation->x()), 360.0);
        const double d = std::fmod(double(compensation->y()), 90.0);
        double sumInverse = 0.0;
        for (std::size_t i = 0; i < poles.size(); ++i) {
            weights[i] = Analyzer::compensationCosine(poles[i].first, poles[i].second, s, d);
            sumInverse += 1.0 / weights[i];
        }
        for (double& w : weights) w = double(poles.size()) / (w * sumInverse);
    }
    Matrix_1 sum;
    for (std::size_t i = 0; i < poles.size(); ++i) {
        Matrix_1 v(poles[i].first, poles[i].second);
        v.scale(weights[i]);
        sum += v;
    }
    for (const OrientedPair& l : lines) sum += Matrix_1(double(l.az()), double(l.pl()));
    if (!sum.normalize()) return false;
    double t = 0, p = 0;
    sum.convertFromDC(t, p);
    mean.init(float(t), float(p));
    return true;
}

}  // namespace

bool Analyzer::zolAverageOrientation(const std::vector<OrientedPair>& planes, const std::vector<OrientedPair>& lines,
                                     TwoDPoint<float>& mean) {
    return meanOrientation(planes, lines, nullptr, mean);
}

bool Analyzer::zolAverageOrientation(const std::vector<OrientedPair>& planes, const std::vector<OrientedPair>& lines,
                                     const TwoDPoint<float>& compensation, TwoDPoint<float>& mean) {
    return meanOrientation(planes, lines, &compensation, mean);
}

}  // namespace qzCore
