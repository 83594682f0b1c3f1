#include "qzCore/analysis/Analyzer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <deque>
#include <iostream>

#include <newmat/newmatap.h>

#include "qzCore/parsing/qzParser.h"

namespace qzCore {

namespace {

using K = GDTypes;

/// The unit vector of a whole-degree line: from the table when it is in
/// range (a lookup per record, not two sines and cosines), else in `scratch`.
const Matrix_1& unitVector(int trend, int plunge, Matrix_1& scratch) {
    if (const Matrix_1* entry = Matrix_1::wholeDegreesEntry(trend, plunge)) return *entry;
    scratch = Matrix_1(double(trend), double(plunge));
    return scratch;
}

/// Which records an analysis takes, besides faults (planes or slip lines by
/// the fault flags).
struct Selection {
    bool lines = true;
    bool planes = true;
    bool special = false;
};

/// The direction a record gives the analysis (a plane its pole), or false.
bool direction(const GeoData* g, const AnalyzeParams& p, const Selection& s, int& trend, int& plunge) {
    if (!g || !g->data()) return false;
    const LightweightDataStruct& d = *g->data();
    const char kind = g->getGDType();
    auto pole = [&]() {
        const int strike = d.getStrike(), dip = d.getDip();
        if (strike == -1 || dip == -1) return false;
        // Lower-hemisphere pole: strike + 270, 90 - dip.
        trend = (strike + 270) % 360;
        plunge = 90 - dip;
        return true;
    };
    auto line = [&]() {
        trend = d.getTrend();
        plunge = d.getPlunge();
        return trend != -1 && plunge != -1;
    };
    if (kind == K::GDType_Fault) {
        if (p.getAnalyzeFaults()) return pole();
        if (p.getAnalyzeLineations()) return line();
        return false;
    }
    if (kind == K::GDType_Line) return s.lines && line();
    if (g->isPlanar()) return s.planes && pole();
    if (kind == K::GDType_UStage || kind == K::GDType_Null) return false;
    return s.special && line();
}

std::string format(const char* fmt, double a) {
    char buf[64];
    std::snprintf(buf, sizeof buf, fmt, a);
    return buf;
}

}  // namespace

// ---------------------------------------------------------------- parameters

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

LeastSquaresParams::LeastSquaresParams()
    : m_solver(std::make_unique<DESolverParams>(std::vector<float>{0.0f, 0.0f}, std::vector<float>{360.0f, 90.0f}, 2,
                                                1000, 40, 0.6, 0.3)) {}

AnalyzeParams::AnalyzeParams(std::deque<GeoData*>& data) : m_data(&data) {}

AnalyzeParams::AnalyzeParams(std::deque<GeoData*>& data, bool faults, bool lineations)
    : m_data(&data), m_faults(faults), m_lineations(lineations) {}

AnalyzeParams& AnalyzeParams::operator=(const AnalyzeParams& o) {
    if (this != &o) {
        m_faults = o.m_faults;
        m_lineations = o.m_lineations;
        m_selected = o.m_selected;
        m_data = o.m_data;
    }
    return *this;
}

bool AnalyzeParams::initializeAnalyzeAlgoParams(Analyze_Type type) {
    if (m_algo && m_algo->getType() == type) return true;
    m_algo.reset();
    switch (type) {
        case Analyze_Fisher: m_algo = std::make_unique<FisherStatsParams>(); return true;
        case Analyze_LeastSquares: m_algo = std::make_unique<LeastSquaresParams>(); return true;
        case Analyze_Tensor: m_algo = std::make_unique<TensorParams>(); return true;
        case Analyze_Clusters: m_algo = std::make_unique<AnalyzeClustersParams>(); return true;
        case Analyze_TAndL: m_algo = std::make_unique<TAndLParams>(); return true;
        default: return false;
    }
}

AnalyzeFaultParams::AnalyzeFaultParams(std::deque<GeoData*>& data) : AnalyzeParams(data, true, true) { init(); }

void AnalyzeFaultParams::init() {
    m_colors.reset();
    m_symbols.reset();
    m_sig1 = m_sig2 = m_sig3 = true;
    m_normal = m_reverse = m_ll = m_rl = true;
    m_graphical = true;
    m_cohesion = 0.0f;
    m_friction = 0.4f;
    m_minFit = 60;
    m_confidence = Confidence_Supposed;
    m_maxAngle = 20;
    m_increment = 10;
    m_sig1Start = 0;
    m_sig1End = 360;
    setAnalyzeSelectedData(false);
}

void AnalyzeFaultParams::setSig1Range(int start, int end) {
    if (start < 0 || end < 0 || end <= start) {
        m_sig1Start = 0;
        m_sig1End = 360;
        return;
    }
    m_sig1Start = start;
    m_sig1End = end;
}

// ---------------------------------------------------------------- framework

bool Analyzer::Analyze() {
    const Analyze_Type type = m_params.getAnalyzeType();
    if (!m_params.getAnalyzeAlgoParams() || m_params.getAnalyzeAlgoParams()->getType() != type) {
        m_params.initializeAnalyzeAlgoParams(type);
    }
    AnalyzeAlgoParams* algo = m_params.getAnalyzeAlgoParams();
    switch (type) {
        case Analyze_Fisher: computeFisher(static_cast<FisherStatsParams*>(algo)); return true;
        case Analyze_LeastSquares: computeLeastSquares(static_cast<LeastSquaresParams*>(algo)); return true;
        case Analyze_Tensor: computeTensor(static_cast<TensorParams*>(algo)); return true;
        case Analyze_PTAxes: computePTAxes(); return true;
        case Analyze_Nothing_True:
        case Analyze_Clusters: return true;
        case Analyze_BestFit: computeBestFit(true); return true;
        case Analyze_BestFit_Alt: computeBestFit(false); return true;
        case Analyze_TAndL: computeTAndL(); return true;
        default: return false;
    }
}

bool Analyzer::openReport(std::ofstream& out) const {
    if (!m_params.getExportToFile() || m_params.getExportFileName().empty()) return false;
    out.open(m_params.getExportFileName(), std::ios::out | std::ios::trunc);
    return out.is_open();
}

void Analyzer::computeDirCosList(std::vector<Matrix_1>& out) const {
    out.clear();
    Selection s;
    s.special = m_params.getAnalyzeSpecial();
    Matrix_1 scratch;
    for (const GeoData* g : m_params.getAnalyzeData()) {
        int t = 0, p = 0;
        if (direction(g, m_params, s, t, p)) out.push_back(unitVector(t, p, scratch));
    }
}

// ---------------------------------------------------------------- Fisher

double Analyzer::compensationCosine(double trend, double plunge, double lineAzimuth, double linePlunge) {
    const double t = trend * MyMath::Deg_To_Rad, p = plunge * MyMath::Deg_To_Rad;
    const double s = lineAzimuth * MyMath::Deg_To_Rad, d = linePlunge * MyMath::Deg_To_Rad;
    const double c = std::fabs(std::cos(t - s) * std::cos(p) * std::cos(d) + std::sin(p) * std::sin(d));
    // A direction at right angles to the line has no weight of its own; in
    // floating point its cosine is rounding noise (6e-17 for 90 degrees),
    // which must not become a weight of 1e16.
    return c < Perpendicular_Cosine ? 1.0 : c;
}

namespace {

/// The directions the averaging takes, with the trend and plunge of each.
struct Directions {
    std::vector<const Matrix_1*> vectors;
    std::vector<std::pair<int, int>> angles;
    std::deque<Matrix_1> scratch;  // directions outside the whole-degree table
};

/// @param angles also keep the trend and plunge of each (for weighting).
void collect(const AnalyzeParams& params, Directions& out, bool angles) {
    Selection s;
    s.special = params.getAnalyzeSpecial();
    out.vectors.reserve(params.getAnalyzeData().size());
    if (angles) out.angles.reserve(params.getAnalyzeData().size());
    Matrix_1 scratch;
    for (const GeoData* g : params.getAnalyzeData()) {
        int t = 0, p = 0;
        if (!direction(g, params, s, t, p)) continue;
        const Matrix_1& v = unitVector(t, p, scratch);
        if (&v == &scratch) {
            out.scratch.push_back(v);
            out.vectors.push_back(&out.scratch.back());
        } else {
            out.vectors.push_back(&v);
        }
        if (angles) out.angles.emplace_back(t, p);
    }
}

}  // namespace

void Analyzer::computeAveValue(long double& r, TwoDPoint<double>& mean, FisherStatsParams* params) {
    Directions dirs;
    collect(m_params, dirs, params && params->getCompensateFisher());
    averageOf(dirs.vectors, dirs.angles, r, mean, params);
}

void Analyzer::averageOf(const std::vector<const Matrix_1*>& vectors, const std::vector<std::pair<int, int>>& angles,
                         long double& r, TwoDPoint<double>& mean, FisherStatsParams* params) {
    const bool compensate = params && params->getCompensateFisher();
    double sumInverse = 0.0;
    std::vector<double> cosines;
    if (compensate) {
        cosines.reserve(angles.size());
        for (const auto& a : angles) {
            cosines.push_back(
                compensationCosine(a.first, a.second, params->getCompensateStrike(), params->getCompensateDip()));
            sumInverse += 1.0 / cosines.back();
        }
    }
    const double n = double(vectors.size());
    long double x = 0, y = 0, z = 0;
    for (std::size_t i = 0; i < vectors.size(); ++i) {
        const Matrix_1& v = *vectors[i];
        const double w = compensate ? n / (cosines[i] * sumInverse) : 1.0;
        x += w * v[0];
        y += w * v[1];
        z += w * v[2];
    }
    if (vectors.empty()) {
        m_results.setError(-32);
        return;
    }
    r = std::sqrt(x * x + y * y + z * z);
    Matrix_1 sum(double(x / r), double(y / r), double(z / r));
    double mt = 0, mp = 0;
    sum.convertFromDC(mt, mp);
    mean.init(mt, mp);
    m_results.setResult(FloatToInt_Global(mt) % 360, FloatToInt_Global(mp));
    m_results.setNumDataAnalyzed(int(vectors.size()));
    m_results.setResultType(Result_Average);
    m_results.setError(1);
}

void Analyzer::computeFisher(FisherStatsParams* params) {
    std::ofstream report;
    const bool open = openReport(report);
    long double r = 0;
    TwoDPoint<double> mean;
    Directions dirs;
    collect(m_params, dirs, params && params->getCompensateFisher());
    averageOf(dirs.vectors, dirs.angles, r, mean, params);
    if (m_results.isError()) return;

    const double n = m_results.getNumDataAnalyzed();
    const double R = double(r);
    const double k = (n - R) == 0.0 ? 999.0 : (n - 1.0) / (n - R);
    const double delta = n <= 0 ? -1.0 : std::acos(std::min(1.0, R / n)) * MyMath::Rad_To_Deg;

    const Matrix_1 m(mean.x(), mean.y());
    double sumSquares = 0.0;
    int walked = 0;
    for (const Matrix_1* v : dirs.vectors) {
        const double theta = std::acos(std::max(-1.0, std::min(1.0, v->dotProduct(m)))) * MyMath::Rad_To_Deg;
        sumSquares += theta * theta;
        ++walked;
    }
    if (walked != m_results.getNumDataAnalyzed()) {
        m_results.setError(-54);
        return;
    }
    const double sd = n <= 1 ? -1.0 : std::sqrt(sumSquares / (n - 1.0));
    // The 95% confidence cone about the mean (Fisher 1953): the probability
    // 1 - 0.95 = 0.05 enters as its inverse, 20.
    double cone = 0.0;
    if (n > 1) {
        const double arg = 1.0 - ((n - R) / R) * (std::pow(1.0 / 0.05, 1.0 / (n - 1.0)) - 1.0);
        cone = std::acos(std::max(-1.0, std::min(1.0, arg))) * MyMath::Rad_To_Deg;
    }

    int strike = m_results.getResult().x(), dip = m_results.getResult().y();
    m_math.computePlaneFromPole(strike, dip);
    char buf[1024];
    std::snprintf(buf, sizeof buf,
                  "Average orientation :\n -As linear (azimuth, plunge) : (%.5g , %.5g)\n -As planar (strike, dip) : "
                  "(%.5g , %.5g)\n\nKValue :%.5g\n\nAngular standard dev. delta (degrees) : %.5g\n\nVariance s "
                  "(degrees): %.5g\n\nConfidence limit (cone size - degrees) : %.5g\n",
                  double(m_results.getResult().x()), double(m_results.getResult().y()), double(strike), double(dip),
                  k, delta, sd, cone);
    m_results.setResultString(buf);

    const bool compensated = params && params->getCompensateFisher();
    char comment[256];
    std::snprintf(comment, sizeof comment, "%s%s%sASD:%.4g, Co:%.4g, K: %.4g", m_params.getResultLabel().c_str(),
                  m_params.getResultLabel().empty() ? "" : ", ", compensated ? "Comp, " : "NoComp, ", delta, cone, k);
    m_results.addData(SpecialData(m_results.getResult().x(), m_results.getResult().y(), K::GDType_Fisher, comment));

    if (open) {
        report << "Results of Fisher analysis\n"
               << "Number of analysed data : " << m_results.getNumDataAnalyzed() << "\n";
        if (!m_params.getResultLabel().empty()) report << "User label : " << m_params.getResultLabel() << "\n";
        report << "Azimuth\tPlunge\tAttribute\tComment\n"
               << m_results.getResult().x() << "\t" << m_results.getResult().y() << "\tFisher_Pole\tCone Size : " << cone
               << " K: " << k << "\n";
    }
}

bool Analyzer::zolAverageOrientation(const std::vector<OrientedPair>& planes, const std::vector<OrientedPair>& lines,
                                     TwoDPoint<float>& mean) {
    if (planes.empty() && lines.empty()) {
        std::cerr << "warning : no data to analyse.\n";
        return false;
    }
    const MyMath m;
    Matrix_1 sum;
    for (const OrientedPair& p : planes) {
        double a = p.az(), b = p.pl();
        m.computeStrikeFromDipDir(a);
        m.computePole(a, b);
        sum += Matrix_1(a, b);
    }
    for (const OrientedPair& l : lines) sum += Matrix_1(double(l.az()), double(l.pl()));
    if (!sum.normalize()) return false;
    double t = 0, p = 0;
    sum.convertFromDC(t, p);
    mean.init(float(t), float(p));
    return true;
}

bool Analyzer::zolAverageOrientation(const std::vector<OrientedPair>& planes, const std::vector<OrientedPair>& lines,
                                     const TwoDPoint<float>& compensation, TwoDPoint<float>& mean) {
    if (planes.empty() && lines.empty()) {
        std::cerr << "warning : no data to analyse.\n";
        return false;
    }
    const double s = std::fmod(double(compensation.x()), 360.0);
    const double d = std::fmod(double(compensation.y()), 90.0);
    const MyMath m;
    std::vector<std::pair<double, double>> poles;
    double sumInverse = 0.0;
    for (const OrientedPair& p : planes) {
        double a = p.az(), b = p.pl();
        m.computeStrikeFromDipDir(a);
        m.computePole(a, b);
        poles.emplace_back(a, b);
        sumInverse += 1.0 / compensationCosine(a, b, s, d);
    }
    Matrix_1 sum;
    for (const auto& pole : poles) {
        Matrix_1 v(pole.first, pole.second);
        v.scale(double(poles.size()) / (compensationCosine(pole.first, pole.second, s, d) * sumInverse));
        sum += v;
    }
    for (const OrientedPair& l : lines) sum += Matrix_1(double(l.az()), double(l.pl()));
    if (!sum.normalize()) return false;
    double t = 0, p = 0;
    sum.convertFromDC(t, p);
    mean.init(float(t), float(p));
    return true;
}

// ---------------------------------------------------------------- tensor, best fit, T/L

void Analyzer::computeTensor(TensorParams*) {
    std::ofstream report;
    const bool open = openReport(report);
    Selection s;  // lines and planes; no result records
    Matrix_3 m;
    int n = 0;
    Matrix_1 scratch;
    double sums[6] = {0, 0, 0, 0, 0, 0};
    for (const GeoData* g : m_params.getAnalyzeData()) {
        int t = 0, p = 0;
        if (!direction(g, m_params, s, t, p)) continue;
        const Matrix_1& v = unitVector(t, p, scratch);
        sums[0] += v[0] * v[0];
        sums[1] += v[0] * v[1];
        sums[2] += v[0] * v[2];
        sums[3] += v[1] * v[1];
        sums[4] += v[1] * v[2];
        sums[5] += v[2] * v[2];
        ++n;
    }
    // The upper triangle as addToCharMatrix builds it, then the lower.
    m.setMat(0, 0, sums[0]);
    m.setMat(0, 1, sums[1]);
    m.setMat(0, 2, sums[2]);
    m.setMat(1, 1, sums[3]);
    m.setMat(1, 2, sums[4]);
    m.setMat(2, 2, sums[5]);
    m.setMat(1, 0, sums[1]);
    m.setMat(2, 0, sums[2]);
    m.setMat(2, 1, sums[4]);
    if (open) {
        report << "Results of analysis\nNumber of valid data: " << n << "\n";
        if (!m_params.getResultLabel().empty()) report << "Analysis label : " << m_params.getResultLabel() << "\n";
        report << "Trend\tPlunge\tType\n";
    }
    Matrix_3 vectors;
    Matrix_1 values;
    if (!m_math.computeEigen(m, vectors, values)) {
        m_results.setError(-54);
        return;
    }
    std::string text;
    for (std::size_t i = 0; i < 3; ++i) {
        // A sum of outer products has no negative eigenvalue: a tiny
        // negative one is rounding noise.
        if (values[i] < 0.0 && values[i] > -1e-9) values[i] = 0.0;
        double t = 0, p = 0;
        vectors.getColumn(i).convertFromDC(t, p);
        const int ti = FloatToInt_Global(t) % 360, pi = FloatToInt_Global(p);
        char line[128];
        std::snprintf(line, sizeof line, "Vector %d (az, pl) : (%d, %d), Eigenvalue : %0.2lf\n", int(i) + 1, ti, pi,
                      values[i]);
        text += line;
        const char kind = static_cast<char>(K::GDType_Eigen1 + int(i));
        const std::string comment =
            m_params.getResultLabel().empty() ? format("Eigenvalue : %0.2lf", values[i]) : m_params.getResultLabel();
        m_results.addData(SpecialData(ti, pi, kind, comment.c_str()));
        if (open) {
            std::string label;
            GDTypes::instance().get(kind, label);
            report << ti << "\t" << pi << "\t" << label << "\n";
        }
    }
    m_results.setResultString(text);
    m_results.setError(1);
}

void Analyzer::computeBestFit(bool) {
    Selection s;
    s.lines = m_params.getAnalyzeLines();
    s.planes = m_params.getAnalyzePlanes();
    s.special = m_params.getAnalyzeSpecial();
    // Unit vectors in (east, north, up) components.
    std::vector<std::array<double, 3>> v;
    for (const GeoData* g : m_params.getAnalyzeData()) {
        int t = 0, p = 0;
        if (!direction(g, m_params, s, t, p)) continue;
        const double z = -std::sin(p * MyMath::Deg_To_Rad);
        const double r = std::sqrt(std::max(0.0, 1.0 - z * z));
        if (r < 0.00001) {
            v.push_back({0.0, 0.0, -1.0});
            continue;
        }
        double a = t - 90.0;
        if (a < 0.0) a += 360.0;
        const double theta = (360.0 - a) * MyMath::Deg_To_Rad;
        v.push_back({r * std::cos(theta), r * std::sin(theta), z});
    }
    if (v.size() < 4) {
        m_results.setError(-32);
        return;
    }
    NEWMAT::SymmetricMatrix m(3);
    m = 0.0;
    for (const auto& e : v) {
        for (int i = 0; i < 3; ++i) {
            for (int j = i; j < 3; ++j) m(i + 1, j + 1) += e[std::size_t(i)] * e[std::size_t(j)];
        }
    }
    Matrix_3 vectors;
    Matrix_1 values;
    if (!m_math.computeEigen(m, vectors, values)) {
        m_results.setError(-62);
        return;
    }
    Matrix_1 pole = vectors.getColumn(2);
    pole.normalize();
    // Back from (east, north, up) to (north, east, down).
    double pt = 0, pp = 0;
    Matrix_1(pole[1], pole[0], -pole[2]).convertFromDC(pt, pp);
    const int poleTrend = FloatToInt_Global(pt) % 360, polePlunge = FloatToInt_Global(pp);
    int strike = poleTrend, dip = polePlunge;
    m_math.computePlaneFromPole(strike, dip);
    m_results.setResult(poleTrend, polePlunge);
    m_results.setResultType(Result_Single);
    m_results.setNumDataAnalyzed(int(v.size()));
    char buf[256];
    std::snprintf(buf, sizeof buf, "Best fit results :\n  Plane (strike, dip) : %d, %d\n  Pole (az, pl) : %d, %d",
                  strike, dip, poleTrend, polePlunge);
    m_results.setResultString(buf);
    char plane[64];
    std::snprintf(plane, sizeof plane, "(plane is %d , %d)", strike, dip);
    std::string comment = std::string("Best fit pole") + plane;
    if (!m_params.getResultLabel().empty()) comment = m_params.getResultLabel() + ", " + comment;
    m_results.addData(SpecialData(poleTrend, polePlunge, K::GDType_LSquares, comment.c_str()));
    m_results.setError(1);
    std::ofstream report;
    if (openReport(report)) {
        report << "Results of best fit analysis\nNumber of analysed data : " << v.size() << "\n";
        if (!m_params.getResultLabel().empty()) report << "User label : " << m_params.getResultLabel() << "\n";
        report << "Strike\tDip\tAttribute\tComment\n"
               << strike << "\t" << dip << "\tBest_Fit_GC\t" << m_params.getResultLabel() << "\n";
    }
}

void Analyzer::computeTAndL() {
    Selection s;
    s.lines = false;
    Matrix_3 m;
    Matrix_1 scratch;
    for (const GeoData* g : m_params.getAnalyzeData()) {
        int t = 0, p = 0;
        if (!direction(g, m_params, s, t, p)) continue;
        m_math.addToCharMatrix(m, unitVector(t, p, scratch));
    }
    m.setMat(1, 0, m.getMat(0, 1));
    m.setMat(2, 0, m.getMat(0, 2));
    m.setMat(2, 1, m.getMat(1, 2));
    Matrix_3 vectors;
    Matrix_1 values;
    if (!m_math.computeEigen(m, vectors, values)) {
        m_results.setError(-54);
        return;
    }
    double tt = 0, tp = 0, lt = 0, lp = 0;
    vectors.getColumn(1).convertFromDC(tt, tp);
    vectors.getColumn(2).convertFromDC(lt, lp);
    const int tTrend = FloatToInt_Global(tt) % 360, tPlunge = FloatToInt_Global(tp);
    const int lTrend = FloatToInt_Global(lt) % 360, lPlunge = FloatToInt_Global(lp);
    int strike = lTrend, dip = lPlunge;
    m_math.computePlaneFromPole(strike, dip);
    char buf[512];
    std::snprintf(buf, sizeof buf,
                  "Direction of most change (T Axis) : (%d, %d)\nDirection of least change (L Axis) : (%d, %d)\n"
                  "\nSuggested section orientation :\n\tStrike, Dip : (%d, %d)\n",
                  tTrend, tPlunge, lTrend, lPlunge, strike, 90);
    m_results.setResultString(buf);
    m_results.setError(1);
}

// ---------------------------------------------------------------- P and T axes

void Analyzer::buildValidFaultList(std::vector<FaultData*>& out) const {
    out.clear();
    const auto* fp = dynamic_cast<const AnalyzeFaultParams*>(&m_params);
    if (!fp) return;
    for (GeoData* g : m_params.getAnalyzeData()) {
        if (!g || g->getGDType() != K::GDType_Fault || !g->data() || !g->data()->hasSlip()) continue;
        auto* f = dynamic_cast<FaultData*>(g);
        if (!f) continue;
        const char slip = g->data()->getSlip();
        if (slip == GDSlipTypes::GDSlipType_LeftLatSlip && !fp->getLLSlip()) continue;
        if (slip == GDSlipTypes::GDSlipType_RightLatSlip && !fp->getRLSlip()) continue;
        if (slip == GDSlipTypes::GDSlipType_NormalSlip && !fp->getNormalSlip()) continue;
        if (slip == GDSlipTypes::GDSlipType_ReverseSlip && !fp->getReverseSlip()) continue;
        out.push_back(f);
    }
}

void Analyzer::analyzeFaults() {
    const auto* fp = dynamic_cast<const AnalyzeFaultParams*>(&m_params);
    if (fp && fp->getIsGraphicalAnalysis()) computePTAxes();
}

void Analyzer::computePTAxes() {
    std::ofstream report;
    const bool open = openReport(report);
    const bool sig1 = m_params.getComputeSig1(), sig3 = m_params.getComputeSig3();
    if (open) {
        report << "Results of PT fault analysis\nNumber of data in dataset : " << m_params.getAnalyzeData().size()
               << "\n";
        if (!m_params.getResultLabel().empty()) report << "User label : " << m_params.getResultLabel() << "\n";
        report << "Trend\tPlunge\tType\n";
    }
    for (const GeoData* g : m_params.getAnalyzeData()) {
        if (!g || g->getGDType() != K::GDType_Fault || !g->data()) continue;
        const LightweightDataStruct& d = *g->data();
        if (!d.hasStrike() || !d.hasDip() || !d.hasTrend() || !d.hasPlunge()) continue;
        // Class 1 where the slip turns counter-clockwise, 0 clockwise.
        const int cls =
            FaultData::rotationSense(FaultData::slipAngle(d.getStrike(), d.getTrend(), d.getPlunge()), d.getSlip());
        const Matrix_1 slipLine(double(d.getTrend()), double(d.getPlunge()));
        if (cls < 0) {
            if (open) report << "Error computing PT axis : invalid slip direction\n\n";
            continue;
        }
        int nt = d.getStrike(), np = d.getDip();
        m_math.computePole(nt, np);
        Matrix_1 n(static_cast<double>(nt), static_cast<double>(np));
        Matrix_1 s = slipLine;
        // B = n x s, kept with its own sense (not turned downward): turning
        // n by -45 degrees about it carries n away from s, so that the axis
        // made from n is T for class 1 (a normal fault's T plunges less
        // steeply than its P).
        const Matrix_1 b = n.crossProduct(s);
        const double bTrend = std::atan2(b[1], b[0]) * MyMath::Rad_To_Deg;
        const double bPlunge = std::asin(std::max(-1.0, std::min(1.0, b[2] / std::max(b.length(), 1e-300)))) *
                               MyMath::Rad_To_Deg;
        m_math.threeDRotate(n, -45.0, bTrend, bPlunge);
        m_math.threeDRotate(s, -45.0, bTrend, bPlunge);
        double a1 = 0, a2 = 0, c1 = 0, c2 = 0;
        n.convertFromDC(a1, a2);
        s.convertFromDC(c1, c2);
        const TwoDPoint<int> nPrime(FloatToInt_Global(a1) % 360, FloatToInt_Global(a2));
        const TwoDPoint<int> sPrime(FloatToInt_Global(c1) % 360, FloatToInt_Global(c2));
        const TwoDPoint<int> pAxis = cls == 1 ? sPrime : nPrime;
        const TwoDPoint<int> tAxis = cls == 1 ? nPrime : sPrime;
        // The record from n' first, then the one from s'.
        if (cls == 1) {
            if (sig3) m_results.addData(SpecialData(tAxis.x(), tAxis.y(), K::GDType_TAxis, nullptr));
            if (sig1) m_results.addData(SpecialData(pAxis.x(), pAxis.y(), K::GDType_PAxis, nullptr));
        } else {
            if (sig1) m_results.addData(SpecialData(pAxis.x(), pAxis.y(), K::GDType_PAxis, nullptr));
            if (sig3) m_results.addData(SpecialData(tAxis.x(), tAxis.y(), K::GDType_TAxis, nullptr));
        }
        if (open) {
            if (sig1) report << pAxis.x() << "\t" << pAxis.y() << "\tP_Axis\n";
            if (sig3) report << tAxis.x() << "\t" << tAxis.y() << "\tT_Axis\n\n";
        }
    }
}

// ---------------------------------------------------------------- two records

bool Analyzer::twoRecords(const GeoData*& a, const GeoData*& b) {
    const auto& data = m_params.getAnalyzeData();
    const int code = data.size() > 2 ? -33 : (data.size() < 2 ? -32 : 1);
    if (code != 1) {
        m_results.setError(code);
        return false;
    }
    a = data[0];
    b = data[1];
    if (!a || !b || !a->data() || !b->data()) {
        m_results.setError(-34);
        return false;
    }
    return true;
}

void Analyzer::computeIntersection() {
    const GeoData* a = nullptr;
    const GeoData* b = nullptr;
    if (!twoRecords(a, b)) return;
    if (a->data()->isLinear()) {
        m_results.setError(-53);
        return;
    }
    auto planeLike = [](const GeoData* g) {
        return g->getGDType() == K::GDType_Fault || g->getGDType() == K::GDType_Plane ||
               g->getGDType() == K::GDType_ZolWellData;
    };
    if (!planeLike(a) || !planeLike(b) || !a->data()->hasStrike() || !b->data()->hasStrike()) {
        m_results.setError(-34);
        return;
    }
    if (a->data()->getStrike() % 360 == b->data()->getStrike() % 360) {
        m_results.setError(-52);
        return;
    }
    int t1 = a->data()->getStrike(), p1 = a->data()->getDip(), t2 = b->data()->getStrike(), p2 = b->data()->getDip();
    m_math.computePole(t1, p1);
    m_math.computePole(t2, p2);
    const Matrix_1 line = Matrix_1(double(t1), double(p1)).crossProduct(Matrix_1(double(t2), double(p2)));
    double t = 0, p = 0;
    line.convertFromDC(t, p);
    const int ti = FloatToInt_Global(t) % 360, pi = FloatToInt_Global(p);
    m_results.setResult(ti, pi);
    m_results.setError(1);
    m_results.setResultType(Result_Single);
    m_results.addData(SpecialData(ti, pi, K::GDType_LineIntersect, "Line of intersection"));
}

void Analyzer::computeAngleBetweenObjects() {
    const GeoData* a = nullptr;
    const GeoData* b = nullptr;
    if (!twoRecords(a, b)) return;
    if (a->getGDType() == K::GDType_Null || b->getGDType() == K::GDType_Null) {
        m_results.setError(-34);
        return;
    }
    auto planeLike = [](const GeoData* g) {
        return g->getGDType() == K::GDType_Fault || g->getGDType() == K::GDType_Plane;
    };
    auto lineLike = [](const GeoData* g) { return g->getGDType() == K::GDType_Line; };
    if (!(planeLike(a) && planeLike(b)) && !(lineLike(a) && lineLike(b))) {
        m_results.setError(-34);
        return;
    }
    int angle = 0;
    if (a->data()->isPlanar() && b->data()->isPlanar()) {
        angle = m_math.computeAngleBetweenObjects(a->data()->getStrike(), a->data()->getDip(), b->data()->getStrike(),
                                                  b->data()->getDip(), true);
    } else if (a->data()->isLinear() && b->data()->isLinear()) {
        angle = m_math.computeAngleBetweenObjects(a->data()->getTrend(), a->data()->getPlunge(),
                                                  b->data()->getTrend(), b->data()->getPlunge(), false);
    } else {
        m_results.setError(-62);
        return;
    }
    m_results.setResult(angle, 0);
    m_results.setError(1);
    m_results.setResultType(Result_Single);
}

}  // namespace qzCore
