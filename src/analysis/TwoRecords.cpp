// Analyses of exactly two records: the line of intersection of two planes
// and the angle between two planes or two lines.
#include "AnalysisSupport.h"
#include "qzCore/analysis/Analyzer.h"

namespace qzCore {

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
        return g->getGDType() == GDTypes::GDType_Fault || g->getGDType() == GDTypes::GDType_Plane ||
               g->getGDType() == GDTypes::GDType_ZolWellData;
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
    const int ti = MyMath::wholeAzimuth(t), pi = FloatToInt_Global(p);
    m_results.setResult(ti, pi);
    m_results.setError(1);
    m_results.setResultType(Result_Single);
    m_results.addData(SpecialData(ti, pi, GDTypes::GDType_LineIntersect, "Line of intersection"));
}

void Analyzer::computeAngleBetweenObjects() {
    const GeoData* a = nullptr;
    const GeoData* b = nullptr;
    if (!twoRecords(a, b)) return;
    if (a->getGDType() == GDTypes::GDType_Null || b->getGDType() == GDTypes::GDType_Null) {
        m_results.setError(-34);
        return;
    }
    auto planeLike = [](const GeoData* g) {
        return g->getGDType() == GDTypes::GDType_Fault || g->getGDType() == GDTypes::GDType_Plane;
    };
    auto lineLike = [](const GeoData* g) { return g->getGDType() == GDTypes::GDType_Line; };
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
