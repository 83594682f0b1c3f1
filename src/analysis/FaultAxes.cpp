// P and T axes of faults: for each fault with a usable sense of slip, the
// shortening (P) and extension (T) axes lie in the plane of the fault
// normal and the slip line, at 45 degrees to the fault (the kinematic axes
// of Marrett and Allmendinger 1990).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <deque>
#include <list>


#include "AnalysisSupport.h"
#include "qzCore/analysis/Analyzer.h"

namespace qzCore {

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

double Analyzer::slipMisfit(int strike, int dip, int trend, int plunge) {
    MyMath math;
    int t = strike, p = dip;
    math.computePole(t, p);
    const double c = std::fabs(Matrix_1(double(t), double(p)).dotProduct(Matrix_1(double(trend), double(plunge))));
    return std::asin(std::min(1.0, c)) * MyMath::Rad_To_Deg;
}

namespace {

std::string oneDecimal(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", v);
    return buf;
}

}  // namespace

std::string Analyzer::whyNoPTAxes(const LightweightDataStruct& d) {
    using S = GDSlipTypes;
    if (!d.hasSlip()) return "it has no sense of slip";
    if (!d.hasTrend() || !d.hasPlunge()) return "it has no slip line";
    const double misfit = slipMisfit(d.getStrike(), d.getDip(), d.getTrend(), d.getPlunge());
    if (misfit > Max_Slip_Misfit) {
        return "its slip line is " + oneDecimal(misfit) + " degrees off its plane (more than " +
               oneDecimal(Max_Slip_Misfit) + ")";
    }
    const char slip = d.getSlip();
    if (slipClass(d.getStrike(), d.getTrend(), d.getPlunge(), slip) >= 0) return "";
    std::string sense;
    if (!S::instance().get(slip, sense)) sense = std::to_string(int(slip));
    const int angle = FaultData::slipAngle(d.getStrike(), d.getTrend(), d.getPlunge());
    if (slip == S::GDSlipType_NormalSlip || slip == S::GDSlipType_ReverseSlip) {
        return "the dip-slip sense " + sense + " does not fit a strike-slip line (rake " + std::to_string(angle) + ")";
    }
    if (slip == S::GDSlipType_LeftLatSlip || slip == S::GDSlipType_RightLatSlip) {
        return "the strike-slip sense " + sense + " does not fit a dip-slip line (rake 90)";
    }
    return "the sense " + sense + " names no direction of slip";
}

int Analyzer::slipClass(int strike, int trend, int plunge, char slip) {
    return FaultData::hangingWallClass(strike, trend, plunge, slip);
}

void Analyzer::buildValidFaultList(std::vector<FaultData*>& out) const {
    out.clear();
    const auto* fp = dynamic_cast<const AnalyzeFaultParams*>(&m_params);
    if (!fp) return;
    for (GeoData* g : m_params.getAnalyzeData()) {
        if (!g || g->getGDType() != GDTypes::GDType_Fault || !g->data() || !g->data()->hasSlip()) continue;
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

bool Analyzer::ptAxesOf(GeoData* fault, SpecialData& p, SpecialData& t) {
    if (!fault || fault->getGDType() != GDTypes::GDType_Fault) return false;
    std::deque<GeoData*> one{fault};
    std::list<SpecialData> axes;
    AnalyzeResults results(axes);
    AnalyzeFaultParams params(one);
    Analyzer(params, results).computePTAxes();
    bool gotP = false, gotT = false;
    for (const SpecialData& s : axes) {
        if (s.getGDType() == GDTypes::GDType_PAxis) {
            p = s;
            gotP = true;
        } else if (s.getGDType() == GDTypes::GDType_TAxis) {
            t = s;
            gotT = true;
        }
    }
    return gotP && gotT;
}

void Analyzer::computePTAxes() {
    std::ofstream report;
    const bool open = openReport(report);
    const bool sig1 = m_params.getComputeSig1(), sig3 = m_params.getComputeSig3();
    if (open) {
        analysis::writeReportHead(report, "Results of PT fault analysis", "Number of data in dataset : ",
                                  long(m_params.getAnalyzeData().size()), m_params.getResultLabel());
        // Misfit: degrees between the fault's slip line and its plane.
        report << "Trend\tPlunge\tType\tMisfit\n";
    }
    for (const GeoData* g : m_params.getAnalyzeData()) {
        if (!g || g->getGDType() != GDTypes::GDType_Fault || !g->data()) continue;
        const LightweightDataStruct& d = *g->data();
        if (!d.hasStrike() || !d.hasDip() || !d.hasTrend() || !d.hasPlunge()) continue;
        const double misfit = slipMisfit(d.getStrike(), d.getDip(), d.getTrend(), d.getPlunge());
        const std::string misfitText = oneDecimal(misfit);
        if (misfit > Max_Slip_Misfit) {
            if (open) {
                report << "Error computing PT axis : slip line " << misfitText << " degrees off the fault plane (more than "
                       << Max_Slip_Misfit << ")\n\n";
            }
            continue;
        }
        const int cls = slipClass(d.getStrike(), d.getTrend(), d.getPlunge(), d.getSlip());
        if (cls < 0) {
            if (open) report << "Error computing PT axis : invalid slip direction\n\n";
            continue;
        }
        int nt = d.getStrike(), np = d.getDip();
        m_math.computePole(nt, np);
        Matrix_1 n(static_cast<double>(nt), static_cast<double>(np));
        // The slip line on the plane: projected along the normal, and kept
        // pointing the way it was written (the class says which way the
        // hanging wall moves along it).
        Matrix_1 s(double(d.getTrend()), double(d.getPlunge()));
        const double along = s.dotProduct(n);
        s = Matrix_1(s[0] - along * n[0], s[1] - along * n[1], s[2] - along * n[2]);
        s.normalize();
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
        const TwoDPoint<int> nPrime(MyMath::wholeAzimuth(a1), FloatToInt_Global(a2));
        const TwoDPoint<int> sPrime(MyMath::wholeAzimuth(c1), FloatToInt_Global(c2));
        const TwoDPoint<int> pAxis = cls == 1 ? sPrime : nPrime;
        const TwoDPoint<int> tAxis = cls == 1 ? nPrime : sPrime;
        // The record from n' first, then the one from s'.
        if (cls == 1) {
            if (sig3) m_results.addData(SpecialData(tAxis.x(), tAxis.y(), GDTypes::GDType_TAxis, nullptr));
            if (sig1) m_results.addData(SpecialData(pAxis.x(), pAxis.y(), GDTypes::GDType_PAxis, nullptr));
        } else {
            if (sig1) m_results.addData(SpecialData(pAxis.x(), pAxis.y(), GDTypes::GDType_PAxis, nullptr));
            if (sig3) m_results.addData(SpecialData(tAxis.x(), tAxis.y(), GDTypes::GDType_TAxis, nullptr));
        }
        if (open) {
            if (sig1) report << pAxis.x() << "\t" << pAxis.y() << "\tP_Axis\t" << misfitText << "\n";
            if (sig3) report << tAxis.x() << "\t" << tAxis.y() << "\tT_Axis\t" << misfitText << "\n\n";
        }
    }
}

}  // namespace qzCore
