// The analysis framework: dispatch, parameter records, selection.
#include <cmath>
#include <cstdio>

#include "tests/analysis/AnalysisFixture.h"
#include "qzCore/errors/ErrorCodes.h"

namespace qzCore {
namespace testing_analysis {
namespace {

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
    EXPECT_EQ(results.getError(), Error::No_Data_To_Analyse);
    EXPECT_TRUE(out.empty());
}

}  // namespace
}  // namespace testing_analysis
}  // namespace qzCore
