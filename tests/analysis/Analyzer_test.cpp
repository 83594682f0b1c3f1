// The analysis framework: what is selected, and nothing to analyse.
#include <cmath>
#include <cstdio>

#include "tests/analysis/AnalysisFixture.h"
#include "qzCore/errors/ErrorCodes.h"

namespace qzCore {
namespace testing_analysis {
namespace {

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
