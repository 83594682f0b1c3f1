#include "qzCore/analysis/Analyzer.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/Values.h"

#include "qzCore/records/GDTypes.h"

namespace qzCore {
namespace {

using K = GDTypes;
using S = GDSlipTypes;

// Closed-form statistics computed here in doubles agree with the analysis
// to rounding; results stored as whole degrees are compared exactly.
constexpr double kStatTolerance = 1e-9;

double rad(double d) { return d * MyMath::Deg_To_Rad; }
double deg(double r) { return r * MyMath::Rad_To_Deg; }

double axialAngle(int t1, int p1, int t2, int p2) {
    const double a = Matrix_1(double(t1), double(p1)).vectorAngle(Matrix_1(double(t2), double(p2)));
    return a > 90.0 ? 180.0 - a : a;
}

/// Owns the records of an analysis.
class Records {
public:
    GeoData* line(int t, int p) { return add(std::make_unique<LineData>(TokenStruct(), lineValues(t, p))); }
    GeoData* plane(int s, int dip) { return add(std::make_unique<PlaneData>(TokenStruct(), planeValues(s, dip))); }
    GeoData* fault(int s, int dip, int t, int p, char slip) {
        return add(std::make_unique<FaultData>(TokenStruct(), faultValues(s, dip, t, p, slip)));
    }
    GeoData* ustage() { return add(std::make_unique<UStageData>(ustageValues(0, 0, 90, 0), TokenStruct())); }
    std::deque<GeoData*> list;

private:
    GeoData* add(std::unique_ptr<GeoData> g) {
        list.push_back(g.get());
        owned.push_back(std::move(g));
        return list.back();
    }
    std::vector<std::unique_ptr<GeoData>> owned;
};

class Analysis : public ::testing::Test {
protected:
    Records r;
    std::list<SpecialData> out;
    AnalyzeResults results{out};
};

TEST_F(Analysis, DispatchAndParameterRecords) {
    AnalyzeParams p(r.list);
    Analyzer a(p, results);
    p.setAnalyzeType(Analyze_Nothing_False);
    EXPECT_FALSE(a.Analyze());
    p.setAnalyzeType(Analyze_Nothing_True);
    EXPECT_TRUE(a.Analyze());
    p.setAnalyzeType(Analyze_Clusters);
    EXPECT_TRUE(a.Analyze());
    EXPECT_FALSE(results.isError());
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(results.getResultType(), Result_None);
    p.setAnalyzeType(static_cast<Analyze_Type>(42));
    EXPECT_FALSE(a.Analyze());

    EXPECT_TRUE(p.initializeAnalyzeAlgoParams(Analyze_Fisher));
    AnalyzeAlgoParams* first = p.getAnalyzeAlgoParams();
    EXPECT_TRUE(p.initializeAnalyzeAlgoParams(Analyze_Fisher));
    EXPECT_EQ(p.getAnalyzeAlgoParams(), first);
    EXPECT_TRUE(p.initializeAnalyzeAlgoParams(Analyze_LeastSquares));
    EXPECT_EQ(p.getAnalyzeAlgoParams()->getType(), Analyze_LeastSquares);
    EXPECT_FALSE(p.initializeAnalyzeAlgoParams(Analyze_PTAxes));
    EXPECT_EQ(p.getAnalyzeAlgoParams(), nullptr);
}

TEST_F(Analysis, NothingToAnalyse) {
    r.ustage();
    r.fault(0, 60, 90, 60, S::GDSlipType_NormalSlip);
    AnalyzeParams p(r.list);  // both fault flags false
    p.setAnalyzeType(Analyze_Fisher);
    Analyzer a(p, results);
    EXPECT_TRUE(a.Analyze());
    EXPECT_EQ(results.getError(), -32);
    EXPECT_TRUE(out.empty());
}

TEST_F(Analysis, FisherOfOneRecord) {
    r.plane(0, 30);  // pole 270/60
    AnalyzeParams p(r.list);
    p.setAnalyzeType(Analyze_Fisher);
    Analyzer a(p, results);
    a.Analyze();
    ASSERT_FALSE(results.isError());
    EXPECT_EQ(results.getResult(), TwoDPoint<int>(270, 60));
    EXPECT_EQ(results.getResultType(), Result_Average);
    EXPECT_EQ(results.getResultString(),
              "Average orientation :\n -As linear (azimuth, plunge) : (270 , 60)\n -As planar (strike, dip) : (0 , 30)"
              "\n\nKValue :999\n\nAngular standard dev. delta (degrees) : 0\n\nVariance s (degrees): -1\n\n"
              "Confidence limit (cone size - degrees) : 0\n");
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out.front().getGDType(), K::GDType_Fisher);
    EXPECT_STREQ(out.front().tokens()->getComment(), "NoComp, ASD:0, Co:0, K: 999");
}

TEST_F(Analysis, FisherStatisticsOfThreeLinesAroundTheVertical) {
    // Three lines 10 degrees from the vertical, 120 degrees apart in trend:
    // the mean is vertical and R = 3 cos 10.  K = (N - 1)/(N - R);
    // delta = acos(R/N) = 10; s = sqrt(3 * 10^2 / 2); the 95% cone
    // (Fisher 1953) = acos(1 - (N - R)/R * (20^(1/(N-1)) - 1)).
    for (const int t : {0, 120, 240}) r.line(t, 80);
    AnalyzeParams p(r.list);
    Analyzer a(p, results);
    long double R = 0;
    TwoDPoint<double> mean;
    a.computeAveValue(R, mean, nullptr);
    const double n = 3.0, expectedR = 3.0 * std::cos(rad(10.0));
    EXPECT_NEAR(double(R), expectedR, kStatTolerance);
    EXPECT_NEAR(mean.y(), 90.0, 1e-6);
    out.clear();
    a.computeFisher(nullptr);
    const double k = (n - 1) / (n - expectedR);
    const double cone = deg(std::acos(1.0 - (n - expectedR) / expectedR * (std::pow(20.0, 1.0 / (n - 1)) - 1.0)));
    EXPECT_NEAR(cone, 18.84, 0.01);  // by hand: acos(0.946433)
    char expected[256];
    std::snprintf(expected, sizeof expected,
                  "\n\nKValue :%.5g\n\nAngular standard dev. delta (degrees) : %.5g\n\nVariance s (degrees): %.5g\n\n"
                  "Confidence limit (cone size - degrees) : %.5g\n",
                  k, 10.0, std::sqrt(300.0 / 2.0), cone);
    const std::string& text = results.getResultString();
    ASSERT_GE(text.size(), std::string(expected).size());
    EXPECT_EQ(text.substr(text.size() - std::string(expected).size()), expected);
}

TEST_F(Analysis, MeanOfTwoLinesIsTheirBisector) {
    r.line(0, 0);
    r.line(90, 0);
    AnalyzeParams p(r.list);
    Analyzer a(p, results);
    a.computeFisher(nullptr);
    EXPECT_EQ(results.getResult(), TwoDPoint<int>(45, 0));
    // The cone of two lines 90 degrees apart fills the sphere (1 - 19*(N-R)/R < -1).
    EXPECT_NE(results.getResultString().find("Confidence limit (cone size - degrees) : 180\n"), std::string::npos);
}

TEST(FisherCompensation, WeightIsTheCosineToTheLineOfObservation) {
    // c must be the cosine of the angle between the direction and the line
    // of observation, for plunging lines too.
    for (const auto& q : {std::array<int, 4>{0, 30, 0, 30}, {10, 20, 200, 45}, {300, 80, 75, 5}, {45, 0, 100, 60}}) {
        const double expected = std::fabs(Matrix_1(double(q[0]), double(q[1])).dotProduct(Matrix_1(double(q[2]), double(q[3]))));
        EXPECT_NEAR(Analyzer::compensationCosine(q[0], q[1], q[2], q[3]), expected, 1e-12);
    }
    EXPECT_EQ(Analyzer::compensationCosine(90, 0, 0, 0), 1.0);  // perpendicular: taken as 1
}

TEST_F(Analysis, CompensatedMeanWeightsByTheInverseCosine) {
    // Line 000/00 along the scanline (c = 1), line 060/00 at 60 degrees
    // (c = 0.5): weights 2/(c * 3) = 2/3 and 4/3, so the mean trends
    // atan2(4/3 sin 60, 2/3 + 4/3 cos 60) = 40.89 degrees.
    r.line(0, 0);
    r.line(60, 0);
    AnalyzeParams p(r.list);
    Analyzer a(p, results);
    FisherStatsParams f;
    f.setCompensateFisher(true);
    a.computeFisher(&f);
    const double expected = deg(std::atan2(4.0 / 3.0 * std::sin(rad(60)), 2.0 / 3.0 + 4.0 / 3.0 * std::cos(rad(60))));
    EXPECT_NEAR(expected, 40.89, 0.01);
    EXPECT_EQ(results.getResult().x(), 41);
    EXPECT_EQ(std::string(out.back().tokens()->getComment()).rfind("Comp, ", 0), 0u);
}

TEST_F(Analysis, FisherReportFile) {
    r.line(10, 20);
    AnalyzeParams p(r.list);
    const std::string name = ::testing::TempDir() + "qz_fisher_report.txt";
    p.setExportToFile(true);
    p.setExportFileName(name.c_str());
    p.setResultLabel("Set A");
    Analyzer a(p, results);
    a.computeFisher(nullptr);
    std::ifstream in(name);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(),
              "Results of Fisher analysis\nNumber of analysed data : 1\nUser label : Set A\n"
              "Azimuth\tPlunge\tAttribute\tComment\n10\t20\tFisher_Pole\tCone Size : 0 K: 999\n");
    EXPECT_STREQ(out.back().tokens()->getComment(), "Set A, NoComp, ASD:0, Co:0, K: 999");
}

TEST_F(Analysis, TensorOfLines) {
    r.line(0, 0);
    r.line(0, 0);
    r.line(90, 0);
    AnalyzeParams p(r.list);
    p.setAnalyzeType(Analyze_Tensor);
    Analyzer a(p, results);
    a.Analyze();
    ASSERT_FALSE(results.isError());
    ASSERT_EQ(out.size(), 3u);
    auto it = out.begin();
    EXPECT_EQ(it->getGDType(), K::GDType_Eigen1);
    EXPECT_DOUBLE_EQ(axialAngle(it->getAz(), it->getPl(), 0, 0), 0.0);
    EXPECT_STREQ(it->tokens()->getComment(), "Eigenvalue : 2.00");
    ++it;
    EXPECT_DOUBLE_EQ(axialAngle(it->getAz(), it->getPl(), 90, 0), 0.0);
    ++it;
    EXPECT_EQ(it->getPl(), 90);
    EXPECT_NE(results.getResultString().find("Vector 1 (az, pl) : ("), std::string::npos);
    EXPECT_NE(results.getResultString().find("Eigenvalue : 0.00\n"), std::string::npos);
}

TEST_F(Analysis, BestFitOfPolesOnAGirdleIsItsAxis) {
    // A cylindrical fold about a horizontal N-S axis: bedding striking N
    // (dipping E) and S (dipping W); every pole lies in the vertical E-W
    // plane, whose pole (the fold axis) is 000/00 or 180/00.
    AnalyzeParams p(r.list);
    p.setAnalyzePlanes(true);
    Analyzer a(p, results);
    for (const int dip : {10, 35, 60}) r.plane(0, dip);
    a.computeBestFit(true);
    EXPECT_EQ(results.getError(), -32);  // three records are not enough
    r.plane(180, 50);
    r.plane(180, 80);
    results.setError(1);
    a.computeBestFit(true);
    ASSERT_FALSE(results.isError());
    EXPECT_EQ(results.getResult().y(), 0);
    EXPECT_EQ(results.getResult().x() % 180, 0);
    EXPECT_EQ(results.getResultType(), Result_Single);
    EXPECT_EQ(results.getNumDataAnalyzed(), 5);
    const std::string first = results.getResultString();
    a.computeBestFit(false);
    EXPECT_EQ(results.getResultString(), first);
    EXPECT_EQ(out.back().getGDType(), K::GDType_LSquares);
}

TEST_F(Analysis, BestFitTakesVerticalLinesAndOnlyTheKindsAsked) {
    for (const auto& l : {std::pair<int, int>{90, 0}, {90, 30}, {90, 60}, {270, 30}, {0, 90}}) r.line(l.first, l.second);
    r.plane(45, 45);  // not asked for
    AnalyzeParams p(r.list);
    p.setAnalyzeLines(true);
    Analyzer a(p, results);
    a.computeBestFit(true);
    ASSERT_FALSE(results.isError());
    EXPECT_EQ(results.getNumDataAnalyzed(), 5);
    EXPECT_EQ(results.getResult().y(), 0);
    EXPECT_EQ(results.getResult().x() % 180, 0);
    EXPECT_NE(results.getResultString().find("Plane (strike, dip) : 90, 90"), std::string::npos);
}

TEST_F(Analysis, TAndLOfAFold) {
    for (const int dip : {10, 35, 60}) r.plane(0, dip);
    r.plane(180, 50);
    r.line(33, 33);  // lines are not used
    AnalyzeParams p(r.list);
    p.setAnalyzeType(Analyze_TAndL);
    Analyzer a(p, results);
    a.Analyze();
    ASSERT_FALSE(results.isError());
    const std::string& s = results.getResultString();
    // The L axis is the fold axis, horizontal N-S; the section is the
    // vertical plane at right angles to it.
    EXPECT_TRUE(s.find("Direction of least change (L Axis) : (0, 0)") != std::string::npos ||
                s.find("Direction of least change (L Axis) : (180, 0)") != std::string::npos)
        << s;
    EXPECT_TRUE(s.find("Strike, Dip : (90, 90)") != std::string::npos ||
                s.find("Strike, Dip : (270, 90)") != std::string::npos)
        << s;
    EXPECT_TRUE(out.empty());
}

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

TEST_F(Analysis, PTAxesOfAStrikeSlipFault) {
    // Left-lateral on a vertical N-S fault: shortening NW-SE, extension NE-SW.
    r.fault(0, 90, 0, 0, S::GDSlipType_LeftLatSlip);
    AnalyzeFaultParams p(r.list);
    Analyzer a(p, results);
    a.computePTAxes();
    ASSERT_EQ(out.size(), 2u);
    EXPECT_LE(axialAngle(out.front().getAz(), out.front().getPl(), 45, 0), 1.0);  // T
    EXPECT_LE(axialAngle(out.back().getAz(), out.back().getPl(), 135, 0), 1.0);   // P
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
    std::ifstream in(name);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(),
              "Results of PT fault analysis\nNumber of data in dataset : 2\nTrend\tPlunge\tType\n"
              "Error computing PT axis : invalid slip direction\n\n270\t75\tP_Axis\n");
}

TEST_F(Analysis, LeastSquaresGrid) {
    r.line(60, 30);
    AnalyzeParams p(r.list);
    Analyzer a(p, results);
    LeastSquaresParams ls;
    ls.setUseDESearch(false);
    a.computeLeastSquares(&ls);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(results.getResultString(), "");
    EXPECT_FALSE(results.isError());
    ls.setUseBruteForce(true);
    a.computeLeastSquares(&ls);
    EXPECT_EQ(results.getResult(), TwoDPoint<int>(60, 30));
    EXPECT_EQ(results.getResultString(), "Least Squares (full)\n Azimuth, Plunge : 60, 30\n");
    EXPECT_STREQ(out.back().tokens()->getComment(), "Least squares (full)");

    Records vertical;
    vertical.line(0, 90);
    std::list<SpecialData> out2;
    AnalyzeResults res2(out2);
    AnalyzeParams p2(vertical.list);
    Analyzer b(p2, res2);
    b.computeLeastSquares(&ls);
    EXPECT_EQ(res2.getResult(), TwoDPoint<int>(0, 88));
}

TEST_F(Analysis, DifferentialEvolutionFindsTheAxisRepeatably) {
    // Lines scattered about 060/30: the least-squares axis is close to it.
    for (const auto& l : {std::pair<int, int>{60, 30}, {62, 28}, {58, 33}, {61, 31}}) r.line(l.first, l.second);
    AnalyzeParams p(r.list);
    p.setResultLabel("fold");
    LeastSquaresParams ls;
    ls.getDESolverParams().setSeed(-42);
    ls.getDESolverParams().setGenerations(200);
    Analyzer a(p, results);
    a.computeLeastSquares(&ls);
    const TwoDPoint<int> first = results.getResult();
    EXPECT_LE(axialAngle(first.x(), first.y(), 60, 30), 2.0);
    EXPECT_GE(first.y(), 0);
    EXPECT_LE(first.y(), 90);
    EXPECT_STREQ(out.back().tokens()->getComment(), "fold, Least squares (optimal)");
    a.computeLeastSquares(&ls);
    EXPECT_EQ(results.getResult(), first);
    for (int strategy = 0; strategy <= 5; ++strategy) {
        ls.getDESolverParams().setStrategy(strategy);
        a.computeLeastSquares(&ls);
        EXPECT_GE(results.getResult().y(), 0);
        EXPECT_LE(results.getResult().y(), 90);
        EXPECT_LE(results.getResult().x(), 360);
    }
}

TEST_F(Analysis, IntersectionOfTwoPlanes) {
    // Planes dipping 30 towards east and towards south meet in a line
    // trending 135 whose plunge has tan = tan 30 cos 45: 22.2 degrees.
    r.plane(0, 30);
    r.plane(90, 30);
    AnalyzeParams p(r.list);
    Analyzer a(p, results);
    a.computeIntersection();
    ASSERT_FALSE(results.isError());
    EXPECT_EQ(results.getResult(), TwoDPoint<int>(135, FloatToInt_Global(deg(std::atan(std::tan(rad(30)) * std::cos(rad(45)))))));
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out.front().getGDType(), K::GDType_LineIntersect);
    EXPECT_STREQ(out.front().tokens()->getComment(), "Line of intersection");
}

TEST_F(Analysis, TwoRecordAnalysesRefuseWrongSelections) {
    AnalyzeParams p(r.list);
    Analyzer a(p, results);
    GeoData* p1 = r.plane(0, 30);
    a.computeIntersection();
    EXPECT_EQ(results.getError(), -32);
    r.plane(0, 60);
    a.computeIntersection();
    EXPECT_EQ(results.getError(), -52);
    r.line(1, 1);
    a.computeIntersection();
    EXPECT_EQ(results.getError(), -33);
    a.computeAngleBetweenObjects();
    EXPECT_EQ(results.getError(), -33);
    r.list.erase(r.list.begin() + 1);  // plane, line
    a.computeIntersection();
    EXPECT_EQ(results.getError(), -34);
    a.computeAngleBetweenObjects();
    EXPECT_EQ(results.getError(), -34);
    r.list.pop_front();
    r.list.push_back(p1);  // line, plane
    a.computeIntersection();
    EXPECT_EQ(results.getError(), -53);
    EXPECT_TRUE(out.empty());
}

TEST_F(Analysis, AnglesBetweenObjects) {
    r.line(10, 20);
    r.line(10, 20);
    AnalyzeParams p(r.list);
    Analyzer a(p, results);
    a.computeAngleBetweenObjects();
    EXPECT_EQ(results.getResult(), TwoDPoint<int>(0, 0));
    Records planes;
    planes.plane(0, 30);
    planes.plane(180, 30);
    AnalyzeParams pp(planes.list);
    Analyzer b(pp, results);
    b.computeAngleBetweenObjects();
    EXPECT_EQ(results.getResult(), TwoDPoint<int>(60, 0));  // poles 270/60 and 090/60
}

}  // namespace
}  // namespace qzCore
