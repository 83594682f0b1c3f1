#include "qzCore/errors/ErrorManager.h"

#include <string>

#include <gtest/gtest.h>

#include "tests/support/ScriptedMessages.h"

namespace qzCore {
namespace {

TEST(ErrorManagerReport, EntryIsByteForByte) {
    ErrorManager m;
    ErrorReport r;
    r.Init(-5, 12, "N95E\t30");
    m.reportError(r);
    EXPECT_EQ(m.getErrorReportBuffer(),
              "N95E\t30\r\n%<Line 12> Error on input value\nInvalid strike value\r\n");
    EXPECT_TRUE(m.errorsOccurred());
    EXPECT_EQ(m.getNumErrors(), 1u);
}

TEST(ErrorManagerReport, UnregisteredCodeIsUnknownError) {
    ErrorManager m;
    ErrorReport r;
    r.Init(-99, 3, "x");
    m.reportError(r);
    EXPECT_EQ(m.getErrorReportBuffer(), "x\r\n%<Line 3> Unknown error\r\n");
}

TEST(ErrorManagerReport, FiftyEntriesThenOneTerminationLine) {
    ErrorManager m;
    ErrorReport r;
    r.Init(-1, 1, "row");
    for (int i = 0; i < 50; ++i) m.reportError(r);
    const std::string after50 = m.getErrorReportBuffer();
    EXPECT_EQ(m.getNumErrors(), 50u);
    m.reportError(r);
    EXPECT_EQ(m.getNumErrors(), 51u);
    EXPECT_EQ(m.getErrorReportBuffer(),
              after50 + "\n%<Too many Errors> Error report generation terminated");
    const std::string after51 = m.getErrorReportBuffer();
    m.reportError(r);
    m.reportError(r);
    EXPECT_EQ(m.getNumErrors(), 51u);
    EXPECT_EQ(m.getErrorReportBuffer(), after51);
    m.resetErrorHandler();
    EXPECT_EQ(m.getNumErrors(), 0u);
    EXPECT_FALSE(m.errorsOccurred());
    EXPECT_TRUE(m.getErrorReportBuffer().empty());
}

TEST(ErrorManagerReport, PercentSignsInTheLineAreKeptAsTheyAre) {
    ErrorManager m;
    ErrorReport r;
    r.Init(-6, 7, "50%d %s");
    m.reportError(r);
    EXPECT_EQ(m.getErrorReportBuffer(),
              "50%d %s\r\n%<Line 7> Error on input value\nError interpreting input value\r\n");
}

}  // namespace
}  // namespace qzCore
