// The least-squares axis: grid and differential evolution.
#include <cmath>
#include <cstdio>

#include "tests/analysis/AnalysisFixture.h"
#include "qzCore/errors/ErrorCodes.h"

namespace qzCore {
namespace testing_analysis {
namespace {

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

TEST_F(Analysis, LeastSquaresWithoutDataHasNoAxis) {
    r.ustage();
    AnalyzeParams p(r.list);
    Analyzer a(p, results);
    LeastSquaresParams ls;
    ls.setUseDESearch(false);
    ls.setUseBruteForce(true);
    a.computeLeastSquares(&ls);
    EXPECT_EQ(results.getError(), Error::No_Data_To_Analyse);
    results.setError(1);
    ls.setUseDESearch(true);
    ls.getDESolverParams().setSeed(-3);
    a.computeLeastSquares(&ls);
    EXPECT_EQ(results.getError(), Error::No_Data_To_Analyse);
    EXPECT_TRUE(out.empty());
}

}  // namespace
}  // namespace testing_analysis
}  // namespace qzCore
