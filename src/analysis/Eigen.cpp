// Analyses of the orientation tensor, the sum of the outer products v vT
// of the data's unit vectors (Scheidegger 1965; Woodcock 1977): its
// eigenvectors, the best-fit great circle (the plane normal to the least
// eigenvector: the axis of a cylindrical fold from the poles of its
// bedding), and the T and L axes of a set of planes.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include <newmat/newmatap.h>

#include "AnalysisSupport.h"
#include "qzCore/analysis/Analyzer.h"
#include "qzCore/analysis/FabricShape.h"
#include "qzCore/errors/ErrorCodes.h"

namespace qzCore {

using analysis::Selection;

namespace {

std::string eigenvalueText(double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "Eigenvalue : %0.2lf", value);
    return buf;
}

}  // namespace

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
        if (!analysis::direction(g, m_params, s, t, p)) continue;
        const Matrix_1& v = analysis::unitVector(t, p, scratch);
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
    m.copyUpperToLower();
    if (n == 0) {
        // Three zero eigenvalues and arbitrary axes are no result.
        m_results.setError(Error::No_Data_To_Analyse);
        return;
    }
    if (open) {
        analysis::writeReportHead(report, "Results of analysis", "Number of valid data: ", n,
                                  m_params.getResultLabel(), "Analysis label : ");
        report << "Trend\tPlunge\tType\tEigenvalue\n";
    }
    Matrix_3 vectors;
    Matrix_1 values;
    if (!m_math.computeEigen(m, vectors, values)) {
        m_results.setError(Error::Analyser_Failed);
        return;
    }
    std::string text;
    for (std::size_t i = 0; i < 3; ++i) {
        // A sum of outer products has no negative eigenvalue: a tiny
        // negative one is rounding noise.
        if (values[i] < 0.0 && values[i] > -1e-9) values[i] = 0.0;
        double t = 0, p = 0;
        vectors.getColumn(i).convertFromDC(t, p);
        const int ti = MyMath::wholeAzimuth(t), pi = FloatToInt_Global(p);
        const std::string n = std::to_string(i + 1);
        m_results.setValue("eigenvalue" + n, values[i]);
        m_results.setValue("trend" + n, t);
        m_results.setValue("plunge" + n, p);
        char line[128];
        std::snprintf(line, sizeof line, "Vector %d (az, pl) : (%d, %d), Eigenvalue : %0.2lf\n", int(i) + 1, ti, pi,
                      values[i]);
        text += line;
        const char kind = static_cast<char>(GDTypes::GDType_Eigen1 + int(i));
        const std::string comment =
            m_params.getResultLabel().empty() ? eigenvalueText(values[i]) : m_params.getResultLabel();
        m_results.addData(SpecialData(ti, pi, kind, comment.c_str()));
        if (open) {
            std::string label;
            GDTypes::instance().get(kind, label);
            report << ti << "\t" << pi << "\t" << label << "\t" << values[i] << "\n";
        }
    }
    // The fabric's shape and strength from the same eigenvalues.
    const FabricShape shape = fabricShape(values[0], values[1], values[2]);
    text += shape.text();
    if (shape.woodcockK) m_results.setValue("woodcock_k", *shape.woodcockK);
    if (shape.woodcockC) m_results.setValue("woodcock_c", *shape.woodcockC);
    m_results.setValue("vollmer_p", shape.vollmerP);
    m_results.setValue("vollmer_g", shape.vollmerG);
    m_results.setValue("vollmer_r", shape.vollmerR);
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
        if (!analysis::direction(g, m_params, s, t, p)) continue;
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
        m_results.setError(Error::No_Data_To_Analyse);
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
        m_results.setError(Error::Internal_Error);
        return;
    }
    Matrix_1 pole = vectors.getColumn(2);
    pole.normalize();
    // Back from (east, north, up) to (north, east, down).
    double pt = 0, pp = 0;
    Matrix_1(pole[1], pole[0], -pole[2]).convertFromDC(pt, pp);
    const int poleTrend = MyMath::wholeAzimuth(pt), polePlunge = FloatToInt_Global(pp);
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
    const std::string comment = analysis::labelled(m_params.getResultLabel(), std::string("Best fit pole") + plane);
    m_results.addData(SpecialData(poleTrend, polePlunge, GDTypes::GDType_LSquares, comment.c_str()));
    m_results.setError(1);
    std::ofstream report;
    if (openReport(report)) {
        analysis::writeReportHead(report, "Results of best fit analysis", "Number of analysed data : ",
                                  long(v.size()), m_params.getResultLabel());
        report << "Strike\tDip\tAttribute\tComment\n"
               << strike << "\t" << dip << "\tBest_Fit_GC\t" << m_params.getResultLabel() << "\n";
    }
}

void Analyzer::computeTAndL() {
    Selection s;
    s.lines = false;
    Matrix_3 m;
    Matrix_1 scratch;
    long n = 0;
    for (const GeoData* g : m_params.getAnalyzeData()) {
        int t = 0, p = 0;
        if (!analysis::direction(g, m_params, s, t, p)) continue;
        m_math.addToCharMatrix(m, analysis::unitVector(t, p, scratch));
        ++n;
    }
    if (n == 0) {
        m_results.setError(Error::No_Data_To_Analyse);
        return;
    }
    m.copyUpperToLower();
    Matrix_3 vectors;
    Matrix_1 values;
    if (!m_math.computeEigen(m, vectors, values)) {
        m_results.setError(Error::Analyser_Failed);
        return;
    }
    double tt = 0, tp = 0, lt = 0, lp = 0;
    vectors.getColumn(1).convertFromDC(tt, tp);
    vectors.getColumn(2).convertFromDC(lt, lp);
    const int tTrend = MyMath::wholeAzimuth(tt), tPlunge = FloatToInt_Global(tp);
    const int lTrend = MyMath::wholeAzimuth(lt), lPlunge = FloatToInt_Global(lp);
    m_results.setValue("t_trend", tt);
    m_results.setValue("t_plunge", tp);
    m_results.setValue("l_trend", lt);
    m_results.setValue("l_plunge", lp);
    int strike = lTrend, dip = lPlunge;
    m_math.computePlaneFromPole(strike, dip);
    char buf[512];
    std::snprintf(buf, sizeof buf,
                  "Direction of most change (T Axis) : (%d, %d)\nDirection of least change (L Axis) : (%d, %d)\n"
                  "\nSuggested section orientation :\n\tStrike, Dip : (%d, %d)\n",
                  tTrend, tPlunge, lTrend, lPlunge, strike, 90);
    m_results.setResultString(buf);
    m_results.setError(1);
    std::ofstream report;
    if (openReport(report)) {
        analysis::writeReportHead(report, "Results of T and L analysis", "Number of analysed data : ", n,
                                  m_params.getResultLabel());
        report << "Trend\tPlunge\tType\n"
               << tTrend << "\t" << tPlunge << "\tT_Axis\n"
               << lTrend << "\t" << lPlunge << "\tL_Axis\n";
    }
}

}  // namespace qzCore
