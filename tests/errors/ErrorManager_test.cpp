#include "qzCore/errors/ErrorManager.h"

#include <string>

#include <gtest/gtest.h>

#include "tests/support/ScriptedMessages.h"

namespace qzCore {
namespace {

TEST(ErrorReport, FreshAndCopied) {
    ErrorReport r;
    EXPECT_EQ(r.GetErrorCode(), 1);
    EXPECT_EQ(r.GetLineNumber(), 0u);
    EXPECT_STREQ(r.GetLineBuffer(), "");
    r.Init(-5, 12, "N95E\t30");
    const ErrorReport copy = r;
    EXPECT_EQ(copy.GetErrorCode(), -5);
    EXPECT_EQ(copy.GetLineNumber(), 12u);
    EXPECT_STREQ(copy.GetLineBuffer(), "N95E\t30");
}

TEST(ErrorReport, LineBufferTakesOnlyWhatFits) {
    ErrorReport r;
    const std::string fits(511, 'a');
    r.SetLineBuffer(fits.c_str());
    EXPECT_EQ(std::string(r.GetLineBuffer()), fits);
    const std::string tooLong(512, 'b');
    r.SetLineBuffer(tooLong.c_str());
    EXPECT_EQ(std::string(r.GetLineBuffer()), fits);
    r.SetLineBuffer(nullptr);
    EXPECT_EQ(std::string(r.GetLineBuffer()), fits);
}

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
    r.Init(-70, 3, "x");
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

TEST(ErrorManagerTable, EveryCodeHasItsMessage) {
    ErrorManager m;
    const int codes[] = {-1,  -2,  -3,  -4,  -5,  -6,  -7,  -8,  -9,  -10, -11, -12, -13, -14, -15,
                         -16, -17, -18, -19, -20, -21, -22, -23, -24, -25, -26, -27, -28, -29, -30,
                         -31, -32, -33, -34, -35, -36, -37, -38, -39, -40, -41, -42, -43, -44, -45,
                         -46, -47, -48, -49, -50, -51, -52, -53, -54, -55, -56, -59, -60, -61, -62};
    for (const int c : codes) EXPECT_NE(m.getMessage(c), "Unknown error") << c;
    EXPECT_EQ(m.getMessage(-57), "Unknown error");
    EXPECT_EQ(m.getMessage(-58), "Unknown error");
    EXPECT_EQ(m.getMessage(-63), "Unknown error");
    EXPECT_EQ(m.getMessage(-35), "Error on input value\nCannot have rake value with trend & plunge");
    EXPECT_EQ(m.getMessage(-13), "Error on input value\nFailed to complete parsing input.");
    EXPECT_EQ(m.getMessage(-62),
              "General Internal Error...sorry!\nPlease save and exit program\nSend bug report please!");
    EXPECT_EQ(m.getMessage(-55), "Error creating UStage data\nAxes not perpendicular +- 5 degrees");
}

TEST(ErrorManagerTable, FatalOnlyBelowMinus63) {
    const ErrorManager m;
    EXPECT_FALSE(m.isFatal(-63));
    EXPECT_TRUE(m.isFatal(-64));
    EXPECT_FALSE(m.isFatal(-62));
    EXPECT_FALSE(m.isFatal(1));
}

TEST(ErrorManagerTable, QueryShowsTextAndMessageThroughTheHandler) {
    ScriptedMessages script({});
    ScopedMessageHandler scope(&script);
    ErrorManager m;
    EXPECT_EQ(m.tableQuery(-48, "Dataset 7", "Data manager"), 0);
    ASSERT_EQ(script.notes.size(), 1u);
    EXPECT_EQ(script.notes[0], "Data manager|Dataset 7\nInternal data manager error\nInvalid dataset id");
}

TEST(ErrorManagerDeath, FatalEndsTheProcess) {
    ErrorManager m;
    EXPECT_DEATH(m.fatal(-64), "");
}

}  // namespace
}  // namespace qzCore
