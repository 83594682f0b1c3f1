// Analyses of exactly two records: the line of intersection of two planes
// and the angle between two planes or two lines.
#include <algorithm>

#include "AnalysisSupport.h"
#include "qzCore/analysis/Analyzer.h"
#include "qzCore/errors/ErrorCodes.h"

namespace qzCore {

bool Analyzer::twoRecords(const GeoData*& a, const GeoData*& b) {
    const auto& data = m_params.getAnalyzeData();
    const int code = data.size() > 2 ? Error::Too_Many_Objects : (data.size() < 2 ? Error::No_Data_To_Analyse : 1);
    if (code != 1) {
        m_results.setError(code);
        return false;
    }
    a = data[0];
    b = data[1];
    if (!a || !b || !a->data() || !b->data()) {
        m_results.setError(Error::Objects_Not_Same_Type);
        return false;
    }
    return true;
}

void Analyzer::computeIntersection() {
    const GeoData* a = nullptr;
    const GeoData* b = nullptr;
    if (!twoRecords(a, b)) return;
    if (a->data()->isLinear()) {
        m_results.setError(Error::No_Intersection_Of_Lines);
        return;
    }
    auto planeLike = [](const GeoData* g) {
        return g->getGDType() == GDTypes::GDType_Fault || g->getGDType() == GDTypes::GDType_Plane ||
               g->getGDType() == GDTypes::GDType_ZolWellData;
    };
    if (!planeLike(a) || !planeLike(b) || !a->data()->hasStrike() || !b->data()->hasStrike()) {
        m_results.setError(Error::Objects_Not_Same_Type);
        return;
    }
    int t1 = a->data()->getStrike(), p1 = a->data()->getDip(), t2 = b->data()->getStrike(), p2 = b->data()->getDip();
    m_math.computePole(t1, p1);
    m_math.computePole(t2, p2);
    // Planes of the same strike and different dips meet in their strike
    // line; only one plane given twice (its poles parallel) has no line.
    const Matrix_1 line = Matrix_1(double(t1), double(p1)).crossProduct(Matrix_1(double(t2), double(p2)));
    if (line.length() < Parallel_Sine) {
        m_results.setError(Error::Objects_Do_Not_Intersect);
        return;
    }
    double t = 0, p = 0;
    line.convertFromDC(t, p);
    int ti = MyMath::wholeAzimuth(t);
    const int pi = FloatToInt_Global(p);
    // A horizontal line is the same either way along it: named by the
    // smaller trend.
    if (pi == 0 && ti >= 180) ti -= 180;
    m_results.setResult(ti, pi);
    m_results.setError(1);
    m_results.setResultType(Result_Single);
    m_results.addData(SpecialData(ti, pi, GDTypes::GDType_LineIntersect, "Line of intersection"));
    std::ofstream report;
    if (openReport(report)) {
        analysis::writeReportHead(report, "Results of intersection analysis", "Number of analysed data : ", 2,
                                  m_params.getResultLabel());
        report << "Trend\tPlunge\tType\n" << ti << "\t" << pi << "\tLine_Intersect\n";
    }
}

void Analyzer::computeAngleBetweenObjects() {
    const GeoData* a = nullptr;
    const GeoData* b = nullptr;
    if (!twoRecords(a, b)) return;
    if (a->getGDType() == GDTypes::GDType_Null || b->getGDType() == GDTypes::GDType_Null) {
        m_results.setError(Error::Objects_Not_Same_Type);
        return;
    }
    auto planeLike = [](const GeoData* g) {
        return g->getGDType() == GDTypes::GDType_Fault || g->getGDType() == GDTypes::GDType_Plane;
    };
    auto lineLike = [](const GeoData* g) { return g->getGDType() == GDTypes::GDType_Line; };
    if (!(planeLike(a) && planeLike(b)) && !(lineLike(a) && lineLike(b))) {
        m_results.setError(Error::Objects_Not_Same_Type);
        return;
    }
    const bool planes = a->data()->isPlanar() && b->data()->isPlanar();
    if (!planes && !(a->data()->isLinear() && b->data()->isLinear())) {
        m_results.setError(Error::Internal_Error);
        return;
    }
    // Lines and planes are axes: the angle between two of them is the acute
    // one (lines 001/02 and 179/01 lie 3.6 degrees apart, not 176; planes
    // 000/80 and 180/80 meet at 20 degrees).  Planes by their poles.
    double t1 = planes ? a->data()->getStrike() : a->data()->getTrend();
    double p1 = planes ? a->data()->getDip() : a->data()->getPlunge();
    double t2 = planes ? b->data()->getStrike() : b->data()->getTrend();
    double p2 = planes ? b->data()->getDip() : b->data()->getPlunge();
    if (planes) {
        m_math.computePole(t1, p1);
        m_math.computePole(t2, p2);
    }
    const double between = Matrix_1(t1, p1).vectorAngle(Matrix_1(t2, p2));
    const int angle = FloatToInt_Global(std::min(between, 180.0 - between));
    m_results.setResult(angle, 0);
    m_results.setError(1);
    m_results.setResultType(Result_Single);
    std::ofstream report;
    if (openReport(report)) {
        analysis::writeReportHead(report, "Results of angle analysis", "Number of analysed data : ", 2,
                                  m_params.getResultLabel());
        report << "Angle\tObjects\n" << angle << "\t" << (planes ? "Planes" : "Lines") << "\n";
    }
}

}  // namespace qzCore
