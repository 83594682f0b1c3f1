// The orientation tensor, best fit and T/L axes.
#include <cmath>
#include <cstdio>
#include <limits>

#include "qzCore/analysis/FabricShape.h"

#include "tests/analysis/AnalysisFixture.h"
#include "qzCore/errors/ErrorCodes.h"

namespace qzCore {
namespace testing_analysis {
namespace {

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

// Woodcock's (1977) and Vollmer's (1990) indices, as APSG defines them
// too, worked by hand from normalised eigenvalues; both sides of each
// boundary (a zero eigenvalue, S2 = S3, S1 = S2 = S3).
TEST_F(Analysis, FabricShapeAgainstHandValues) {
    const double inf = std::numeric_limits<double>::infinity(), none = std::nan("");
    struct Case {
        double e1, e2, e3;  // any order and scale
        double k, c;        // NaN: undefined
        double p, g, r;
    } const cases[] = {
        {6, 3, 1, std::log(2.0) / std::log(3.0), std::log(6.0), 0.3, 0.4, 0.3},  // between girdle and cluster
        {1, 0, 0, none, none, 1, 0, 0},                                        // one axis: a point
        {0, 1, 1, none, none, 0, 1, 0},                                        // a perfect girdle
        {1, 1, 1, none, 0, 0, 0, 1},                                           // uniform
        {4, 1, 1, inf, std::log(4.0), 0.5, 0, 0.5},                            // S2 = S3: no girdle at all
        {1, 1e-15, 0.5, none, none, 1.0 / 3, 2.0 / 3, 0},                      // rounding below the least
        {2, 2, 1, 0, std::log(2.0), 0, 0.4, 0.6},                              // S1 = S2: K is 0
    };
    for (const Case& c : cases) {
        const FabricShape f = fabricShape(c.e1, c.e2, c.e3);
        SCOPED_TRACE(testing::Message() << c.e1 << " " << c.e2 << " " << c.e3);
        // Undefined is NaN here, and the infinite K compares equal.
        const double k = f.woodcockK.value_or(none), cs = f.woodcockC.value_or(none);
        EXPECT_TRUE(std::isnan(c.k) ? std::isnan(k) : std::isinf(c.k) ? k == c.k : std::abs(k - c.k) < 1e-12) << k;
        EXPECT_TRUE(std::isnan(c.c) ? std::isnan(cs) : std::abs(cs - c.c) < 1e-12) << cs;
        EXPECT_NEAR(f.vollmerP, c.p, 1e-12);
        EXPECT_NEAR(f.vollmerG, c.g, 1e-12);
        EXPECT_NEAR(f.vollmerR, c.r, 1e-12);
        EXPECT_NEAR(f.vollmerP + f.vollmerG + f.vollmerR, 1.0, 1e-12);
    }
    // From directions: six lines north, three east, one vertical are the
    // first case, and the tensor's text says so.
    for (int i = 0; i < 6; ++i) r.line(0, 0);
    for (int i = 0; i < 3; ++i) r.line(90, 0);
    r.line(0, 90);
    AnalyzeParams p(r.list);
    p.setAnalyzeType(Analyze_Tensor);
    Analyzer(p, results).Analyze();
    double k = 0.0;
    ASSERT_TRUE(results.getValue("woodcock_k", k));
    EXPECT_NEAR(k, std::log(2.0) / std::log(3.0), 1e-9);
    EXPECT_NE(results.getResultString().find("Woodcock K : 0.63, C : 1.79\nVollmer P : 0.30, G : 0.40, R : 0.30"),
              std::string::npos);
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
    EXPECT_EQ(results.getError(), Error::No_Data_To_Analyse);  // three records are not enough
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

TEST_F(Analysis, TensorAndTLWithNothingToWorkOnSayNoData) {
    r.fault(0, 60, 90, 60, S::GDSlipType_NormalSlip);  // no fault flag: not taken
    r.line(10, 20);                                     // T/L takes planes only
    AnalyzeParams p(r.list);
    Analyzer a(p, results);
    a.computeTAndL();
    EXPECT_EQ(results.getError(), Error::No_Data_To_Analyse);
    results.setError(1);
    Records faults;
    faults.fault(0, 60, 90, 60, S::GDSlipType_NormalSlip);
    AnalyzeParams pf(faults.list);
    Analyzer b(pf, results);
    b.computeTensor(nullptr);
    EXPECT_EQ(results.getError(), Error::No_Data_To_Analyse);
    EXPECT_TRUE(out.empty());
    pf.setAnalyzeFaults(true);  // now its plane counts
    b.computeTensor(nullptr);
    EXPECT_FALSE(results.isError());
    EXPECT_EQ(out.size(), 3u);
}

TEST_F(Analysis, TensorReport) {
    r.line(0, 0);
    r.line(0, 0);
    r.line(90, 0);
    r.line(90, 0);
    r.line(90, 0);
    r.line(90, 0);
    AnalyzeParams p(r.list);
    const std::string name = ::testing::TempDir() + "qz_tensor_report.txt";
    p.setExportToFile(true);
    p.setExportFileName(name.c_str());
    Analyzer a(p, results);
    a.computeTensor(nullptr);
    // Eigenvalues are the counts along each axis: 4 east, 2 north, 0 down.
    EXPECT_EQ(readFile(name), "Results of analysis\nNumber of valid data: 6\nTrend\tPlunge\tType\tEigenvalue\n"
                              "90\t0\tEig 1\t4\n0\t0\tEig 2\t2\n0\t90\tEig 3\t0\n");

}

}  // namespace
}  // namespace testing_analysis
}  // namespace qzCore
