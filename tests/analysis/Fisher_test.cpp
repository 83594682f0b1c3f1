// Fisher statistics, weighting and averaging.
#include <cmath>
#include <cstdio>

#include "tests/support/ScriptedMessages.h"
#include "tests/analysis/AnalysisFixture.h"

namespace qzCore {
namespace testing_analysis {
namespace {

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
              "\n\nKValue :undefined\n\nAngular standard dev. delta (degrees) : 0\n\nVariance s (degrees): undefined\n\n"
              "Confidence limit (cone size - degrees) : undefined\n");
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out.front().getGDType(), K::GDType_Fisher);
    // One reading says nothing of how well the mean is known, nor of its
    // concentration or spread: "undefined", never 999 or -1.
    EXPECT_STREQ(out.front().tokens()->getComment(), "NoComp, ASD:0, Co:undefined, K: undefined");
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

TEST_F(Analysis, ConeOnBothSidesOfItsLimit) {
    // For two lines the cone exists while 1 - 19 (2 - R)/R >= -1, that is
    // R >= 38/21, an angle between them of 2 acos(19/21) = 50.4 degrees.
    for (const auto& c : {std::pair<int, bool>{50, true}, {51, false}}) {
        Records two;
        two.line(0, 0);
        two.line(c.first, 0);
        AnalyzeParams p(two.list);
        Analyzer a(p, results);
        a.computeFisher(nullptr);
        const bool undefined = results.getResultString().find("undefined") != std::string::npos;
        EXPECT_EQ(undefined, !c.second) << c.first;
    }
    EXPECT_NEAR(2.0 * deg(std::acos(19.0 / 21.0)), 50.4, 0.05);
}

TEST_F(Analysis, AxialMeanOfLinesStraddlingTheHorizontal) {
    // Sub-horizontal lineations about the axis 300/00, half of them written
    // plunging to the SE end.  As vectors they nearly cancel; as axes they
    // are a tight cluster.  Expected: turn each into the hemisphere of
    // 300/00, sum, normalise (by hand, independent of the tensor).
    const int lines[][2] = {{300, 2}, {120, 1}, {298, 3}, {121, 2}, {302, 0}, {119, 3}, {301, 1}};
    Matrix_1 axis(300.0, 0.0), sum;
    for (const auto& l : lines) {
        r.line(l[0], l[1]);
        Matrix_1 v{double(l[0]), double(l[1])};
        if (v.dotProduct(axis) < 0) v.scale(-1.0);
        sum += v;
    }
    const double n = 7.0, axialR = sum.length();
    sum.normalize();
    double et = 0, ep = 0;
    sum.convertFromDC(et, ep);

    AnalyzeParams p(r.list);
    Analyzer a(p, results);
    FisherStatsParams vector;
    long double vectorR = 0;
    TwoDPoint<double> mean;
    a.computeAveValue(vectorR, mean, &vector);
    EXPECT_LT(double(vectorR) / n, 0.5);  // the vector mean is meaningless here

    FisherStatsParams axial;
    axial.setAxial(true);
    long double R = 0;
    a.computeAveValue(R, mean, &axial);
    EXPECT_NEAR(double(R), axialR, kStatTolerance);
    EXPECT_LE(axialAngle(mean.x(), mean.y(), et, ep), 1e-9);
    a.computeFisher(&axial);
    char k[64];
    std::snprintf(k, sizeof k, "KValue :%.5g\n", (n - 1.0) / (n - axialR));
    EXPECT_NE(results.getResultString().find(k), std::string::npos) << results.getResultString();
    EXPECT_GT((n - 1.0) / (n - axialR), 40.0);
}

TEST(FisherCompensation, WeightIsTheCosineToTheLineOfObservation) {
    // c must be the cosine of the angle between the direction and the line
    // of observation, for plunging lines too.
    for (const auto& q : {std::array<int, 4>{0, 30, 0, 30}, {10, 20, 200, 45}, {300, 70, 75, 5}, {45, 0, 100, 60}}) {
        const double expected = std::fabs(Matrix_1(double(q[0]), double(q[1])).dotProduct(Matrix_1(double(q[2]), double(q[3]))));
        EXPECT_NEAR(Analyzer::compensationCosine(q[0], q[1], q[2], q[3]), expected, 1e-12);
    }
    // Capped at the limit angle (85 by default): the weight 1/c rises to
    // 1/cos 85 = 11.47 and stays there up to right angles, never back to 1.
    const double cap = std::cos(rad(85));
    for (const int away : {84, 86, 89, 90}) {
        const double expected = away < 85 ? std::cos(rad(away)) : cap;
        EXPECT_NEAR(Analyzer::compensationCosine(away, 0, 0, 0), expected, 1e-12) << away;
    }
    EXPECT_NEAR(Analyzer::compensationCosine(90, 0, 0, 0, 80), std::cos(rad(80)), 1e-12);
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
    EXPECT_EQ(readFile(name),
              "Results of Fisher analysis\nNumber of analysed data : 1\nUser label : Set A\n"
              "Azimuth\tPlunge\tAttribute\tComment\n10\t20\tFisher_Pole\tCone Size : undefined K: undefined\n");
    EXPECT_STREQ(out.back().tokens()->getComment(), "Set A, NoComp, ASD:0, Co:undefined, K: undefined");
}

TEST(AverageOrientation, PlanesByDipDirectionAndLines) {
    // A plane dipping 30 towards 090 has its pole at 270/60; with the line
    // 090/60 the two cancel horizontally and the mean is vertical.
    TwoDPoint<float> mean(-1.0f, -1.0f);
    {
        // Nothing to average: said through the host's handler, not on a
        // standard stream; without a handler, on standard error.
        ScriptedMessages script{{}};
        ScopedMessageHandler scope(&script);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(Analyzer::zolAverageOrientation({}, {}, mean));
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_EQ(script.warnings, std::vector<std::string>{"warning : no data to analyse.\n"});
    }
    testing::internal::CaptureStderr();
    EXPECT_FALSE(Analyzer::zolAverageOrientation({}, {}, mean));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "warning : no data to analyse.\n");
    EXPECT_EQ(mean, TwoDPoint<float>(-1.0f, -1.0f));
    ASSERT_TRUE(Analyzer::zolAverageOrientation({OrientedPair(90.0f, 30.0f)}, {}, mean));
    EXPECT_NEAR(mean.x(), 270.0f, 1e-3);
    EXPECT_NEAR(mean.y(), 60.0f, 1e-3);
    ASSERT_TRUE(Analyzer::zolAverageOrientation({OrientedPair(90.0f, 30.0f)}, {OrientedPair(90.0f, 60.0f)}, mean));
    EXPECT_NEAR(mean.y(), 90.0f, 1e-3);
}

TEST(AverageOrientation, WeightedPlanesAgainstALineOfObservation) {
    // Poles 000/00 (planes dipping 90 towards 180) and 060/00 (dipping 90
    // towards 240) on a scanline 000/00: cosines 1 and 0.5, weights 2/3
    // and 4/3, mean trend atan2(4/3 sin 60, 2/3 + 4/3 cos 60) = 40.89 as
    // for lines (Fisher_test above).  Lines in the list are not weighted.
    const double expected =
        deg(std::atan2(4.0 / 3.0 * std::sin(rad(60)), 2.0 / 3.0 + 4.0 / 3.0 * std::cos(rad(60))));
    TwoDPoint<float> mean;
    ASSERT_TRUE(Analyzer::zolAverageOrientation({OrientedPair(180.0f, 90.0f), OrientedPair(240.0f, 90.0f)}, {},
                                                TwoDPoint<float>(0.0f, 0.0f), mean));
    EXPECT_NEAR(mean.x(), expected, 1e-3);
    EXPECT_NEAR(mean.y(), 0.0f, 1e-3);
    // A compensation line given as 360/90 is taken modulo: 0/0.
    TwoDPoint<float> same;
    ASSERT_TRUE(Analyzer::zolAverageOrientation({OrientedPair(180.0f, 90.0f), OrientedPair(240.0f, 90.0f)}, {},
                                                TwoDPoint<float>(360.0f, 90.0f), same));
    EXPECT_NEAR(same.x(), mean.x(), 1e-3);
    // Unweighted lines beside the planes.
    TwoDPoint<float> withLine;
    ASSERT_TRUE(Analyzer::zolAverageOrientation({OrientedPair(180.0f, 90.0f)}, {OrientedPair(90.0f, 0.0f)},
                                                TwoDPoint<float>(0.0f, 0.0f), withLine));
    EXPECT_NEAR(withLine.x(), 45.0f, 1e-3);
}

}  // namespace
}  // namespace testing_analysis
}  // namespace qzCore
