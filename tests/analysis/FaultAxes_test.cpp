// P and T axes of faults.
#include <cmath>
#include <algorithm>
#include <cstdio>
#include <list>

#include "tests/analysis/AnalysisFixture.h"

namespace qzCore {
namespace testing_analysis {
namespace {

TEST_F(Analysis, PTAxesOfANormalFaultAndItsReverseTwin) {
    r.fault(0, 60, 90, 60, S::GDSlipType_NormalSlip);
    AnalyzeFaultParams p(r.list);
    Analyzer a(p, results);
    a.computePTAxes();
    ASSERT_EQ(out.size(), 2u);
    // Class 1: T (from n') first, then P.
    EXPECT_EQ(out.front().getGDType(), K::GDType_TAxis);
    EXPECT_EQ(out.front().getAz(), 90);
    EXPECT_EQ(out.front().getPl(), 15);
    EXPECT_EQ(out.back().getGDType(), K::GDType_PAxis);
    EXPECT_EQ(out.back().getAz(), 270);
    EXPECT_EQ(out.back().getPl(), 75);

    Records rev;
    rev.fault(0, 60, 90, 60, S::GDSlipType_ReverseSlip);
    std::list<SpecialData> out2;
    AnalyzeResults res2(out2);
    AnalyzeFaultParams p2(rev.list);
    Analyzer b(p2, res2);
    b.computePTAxes();
    ASSERT_EQ(out2.size(), 2u);
    EXPECT_EQ(out2.front().getGDType(), K::GDType_PAxis);
    EXPECT_EQ(out2.front().getPl(), 15);
    EXPECT_EQ(out2.back().getGDType(), K::GDType_TAxis);
    EXPECT_EQ(out2.back().getPl(), 75);
}

TEST_F(Analysis, PTReportSkipsSensesThatDoNotFitAndHonoursSigmaFlags) {
    r.fault(0, 60, 0, 0, S::GDSlipType_NormalSlip);  // strike-slip line marked normal
    r.fault(0, 60, 90, 60, S::GDSlipType_NormalSlip);
    AnalyzeFaultParams p(r.list);
    p.setComputeSig3(false);
    const std::string name = ::testing::TempDir() + "qz_pt_report.txt";
    p.setExportToFile(true);
    p.setExportFileName(name.c_str());
    Analyzer a(p, results);
    p.setAnalyzeType(Analyze_PTAxes);
    a.Analyze();
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out.front().getGDType(), K::GDType_PAxis);
    EXPECT_EQ(readFile(name),
              "Results of PT fault analysis\nNumber of data in dataset : 2\nTrend\tPlunge\tType\tMisfit\n"
              "Error computing PT axis : invalid slip direction\n\n270\t75\tP_Axis\t0.0\n");
}

/// P and T of one fault by the textbook construction, independent of the
/// analysis: with n the normal pointing into the hanging wall and u the
/// hanging wall's slip, T bisects n and u, P bisects n and -u.
struct Axes {
    Matrix_1 p, t;
};

Matrix_1 vec(double trend, double plunge) {
    const double t = rad(trend), p = rad(plunge);
    return Matrix_1(std::cos(p) * std::cos(t), std::cos(p) * std::sin(t), std::sin(p));
}

Axes byConstruction(int strike, int dip, int trend, int plunge, char slip) {
    const Matrix_1 n = vec(strike + 90.0, dip - 90.0);  // up, towards the dip side
    Matrix_1 u = vec(trend, plunge);
    const double alongStrike = u.dotProduct(vec(strike, 0.0));
    const bool flip = (slip == S::GDSlipType_NormalSlip && u[2] < 0) ||
                      (slip == S::GDSlipType_ReverseSlip && u[2] > 0) ||
                      (slip == S::GDSlipType_LeftLatSlip && alongStrike < 0) ||
                      (slip == S::GDSlipType_RightLatSlip && alongStrike > 0);
    if (flip) u.scale(-1.0);
    Axes a{n - u, n + u};
    a.p.normalize();
    a.t.normalize();
    return a;
}

/// The P and T records of one fault, or false when it gives none.
bool ptOf(int strike, int dip, int trend, int plunge, char slip, Matrix_1& p, Matrix_1& t) {
    Records one;
    one.fault(strike, dip, trend, plunge, slip);
    std::list<SpecialData> got;
    AnalyzeResults res(got);
    AnalyzeFaultParams params(one.list);
    Analyzer(params, res).computePTAxes();
    if (got.size() != 2) return false;
    for (const SpecialData& s : got) {
        (s.getGDType() == K::GDType_PAxis ? p : t) = vec(s.getAz(), s.getPl());
    }
    return true;
}

double axisAngle(const Matrix_1& a, const Matrix_1& b) {
    const double angle = a.vectorAngle(b);
    return std::min(angle, 180.0 - angle);
}

TEST(FaultAxes, ObliqueNormalFaultWithRakeAbove90) {
    // 000/60 with rake 100 and normal slip: a normal fault, so P is steep
    // (about 246/73) and T gentle (about 097/14), never a horizontal P.
    int trend = 0, plunge = 0;
    MyMath().computeTrendPlunge(0, 60, 100, trend, plunge);
    Matrix_1 p, t;
    ASSERT_TRUE(ptOf(0, 60, trend, plunge, S::GDSlipType_NormalSlip, p, t));
    EXPECT_LE(axisAngle(p, vec(246, 73)), 1.0);
    EXPECT_LE(axisAngle(t, vec(97, 14)), 1.0);
}

TEST(FaultAxes, EveryRakeAndSenseAgreesWithTheConstruction) {
    // Rounding of the slip line to whole degrees (up to 0.7 degrees off
    // the plane), of the two axes (0.7 each), and the 45-degree turn of a
    // line not quite at right angles to the normal: 1.5 degrees, the
    // tolerance of the published field set.
    constexpr double kAxisTolerance = 1.5;
    const char senses[] = {S::GDSlipType_NormalSlip, S::GDSlipType_ReverseSlip, S::GDSlipType_LeftLatSlip,
                           S::GDSlipType_RightLatSlip};
    int checked = 0;
    for (const int strike : {0, 37, 200, 315}) {
        for (const int dip : {20, 60, 90}) {
            for (int rake = 0; rake <= 180; ++rake) {
                int trend = 0, plunge = 0;
                MyMath().computeTrendPlunge(strike, dip, rake, trend, plunge);
                const int a = FaultData::slipAngle(strike, trend, plunge);
                for (const char slip : senses) {
                    const bool dipSlip = slip == S::GDSlipType_NormalSlip || slip == S::GDSlipType_ReverseSlip;
                    // A sense that does not fit the line (normal on a strike-slip
                    // line, lateral on a dip-slip one) gives no axes.
                    const bool fits = dipSlip ? (a != 0 && a != 180) : a != 90;
                    Matrix_1 p, t;
                    const bool made = ptOf(strike, dip, trend, plunge, slip, p, t);
                    ASSERT_EQ(made, fits) << strike << "/" << dip << " rake " << rake << " slip " << int(slip);
                    // A slip line rounded to plunge 0 has no up or down for a
                    // dip-slip sense to name: the construction is undefined.
                    if (!made || (dipSlip && plunge == 0)) continue;
                    const Axes e = byConstruction(strike, dip, trend, plunge, slip);
                    ASSERT_LE(axisAngle(p, e.p), kAxisTolerance)
                        << "P of " << strike << "/" << dip << " rake " << rake << " slip " << int(slip);
                    ASSERT_LE(axisAngle(t, e.t), kAxisTolerance)
                        << "T of " << strike << "/" << dip << " rake " << rake << " slip " << int(slip);
                    ++checked;
                }
            }
        }
    }
    EXPECT_GT(checked, 8000);
}

TEST(FaultAxes, ASlipLineOffItsPlaneIsProjectedOrRefused) {
    // 000/60 with a slip line in the vertical plane of its dip (trend 90)
    // but steeper or gentler than the dip: projected along the normal it is
    // the dip line 090/60, whose axes are P 270/75 and T 090/15 (the
    // normal fault above).  Beyond 10 degrees off the plane: no axes.
    struct Case {
        int plunge;
        bool axes;
    };
    for (const Case c : {Case{55, true}, Case{65, true}, Case{51, true}, Case{69, true}, Case{49, false},
                         Case{71, false}, Case{0, false}}) {
        Matrix_1 p, t;
        EXPECT_EQ(ptOf(0, 60, 90, c.plunge, S::GDSlipType_NormalSlip, p, t), c.axes) << c.plunge;
        if (!c.axes) continue;
        EXPECT_LE(axisAngle(p, vec(270, 75)), 1e-9) << c.plunge;
        EXPECT_LE(axisAngle(t, vec(90, 15)), 1e-9) << c.plunge;
    }
    // The plane's own pole as its slip line (270/30): 90 degrees off.
    EXPECT_NEAR(Analyzer::slipMisfit(0, 60, 270, 30), 90.0, 1e-9);
    EXPECT_NEAR(Analyzer::slipMisfit(0, 60, 90, 69), 9.0, 1e-9);
}

TEST(FaultAxes, OneFaultWrittenTwoWaysHasOneAnswer) {
    Matrix_1 p1, t1, p2, t2;
    // A sinistral vertical N-S fault: slip line 000/00 or 180/00 (rake 0
    // or 180).
    ASSERT_TRUE(ptOf(0, 90, 0, 0, S::GDSlipType_LeftLatSlip, p1, t1));
    ASSERT_TRUE(ptOf(0, 90, 180, 0, S::GDSlipType_LeftLatSlip, p2, t2));
    EXPECT_LE(axisAngle(p1, p2), 1e-9);
    EXPECT_LE(axisAngle(t1, t2), 1e-9);
    EXPECT_LE(axisAngle(p1, vec(135, 0)), 1e-9);  // shortening NW-SE
    // A vertical fault is the same plane with strike 0 or 180: rake 30 on
    // one is rake 150 on the other.
    int ta = 0, pa = 0, tb = 0, pb = 0;
    MyMath().computeTrendPlunge(0, 90, 30, ta, pa);
    MyMath().computeTrendPlunge(180, 90, 150, tb, pb);
    ASSERT_EQ(ta, tb);
    ASSERT_EQ(pa, pb);
    for (const char slip : {S::GDSlipType_NormalSlip, S::GDSlipType_RightLatSlip}) {
        ASSERT_TRUE(ptOf(0, 90, ta, pa, slip, p1, t1));
        ASSERT_TRUE(ptOf(180, 90, tb, pb, slip == S::GDSlipType_NormalSlip ? S::GDSlipType_ReverseSlip : slip,
                         p2, t2));
        // Seen from the other side the hanging wall is the other block:
        // normal becomes reverse; dextral stays dextral; the axes stay.
        EXPECT_LE(axisAngle(p1, p2), 1e-9) << int(slip);
        EXPECT_LE(axisAngle(t1, t2), 1e-9) << int(slip);
    }
}

TEST_F(Analysis, AnalyzeFaultsRunsForAGraphicalAnalysisOnly) {
    r.fault(0, 60, 90, 60, S::GDSlipType_NormalSlip);
    r.fault(0, 60, 90, 60, S::GDSlipType_ReverseSlip);
    r.fault(0, 90, 0, 0, S::GDSlipType_LeftLatSlip);
    r.fault(0, 90, 0, 0, S::GDSlipType_RightLatSlip);
    r.fault(0, 60, 90, 60, S::GDSlipType_NoSlip);
    AnalyzeFaultParams p(r.list);
    p.setNormalSlip(false);
    p.setRLSlip(false);
    Analyzer a(p, results);
    a.analyzeFaults();
    // P and T of every fault with a sense that fits; the slip-sense flags
    // are the host's, not the axes'.
    EXPECT_EQ(out.size(), 8u);
    p.setIsGraphicalAnalysis(false);
    out.clear();
    a.analyzeFaults();
    EXPECT_TRUE(out.empty());
}

}  // namespace
}  // namespace testing_analysis
}  // namespace qzCore
