#include "qzCore/shared/krtTemplates.h"

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "qzCore/shared/DESolverParams.h"
#include "qzCore/shared/Graphics.h"
#include "qzCore/shared/krtError.h"
#include "qzCore/shared/Threads.h"
#include "tests/support/ScriptedMessages.h"

namespace qzCore {
namespace {


TEST(KrtError, InstalledHandlerTakesMessagesAndAnswers) {
    ScriptedMessages script({0, 1});
    std::ostringstream out;
    {
        ScopedMessageHandler scope(&script);
        krtError e(out);
        e.notify("C", nullptr);
        EXPECT_EQ(e.query("Q1", "first"), 0);
        EXPECT_EQ(e.query("Q2", "second"), 1);
    }
    EXPECT_EQ(out.str(), "");
    ASSERT_EQ(script.notes.size(), 1u);
    EXPECT_EQ(script.notes[0], "C|");
    ASSERT_EQ(script.questions.size(), 2u);
    EXPECT_EQ(script.questions[1], "Q2|second");
    EXPECT_EQ(currentMessageHandler(), nullptr);
}

TEST(Threads, OffByTheEnvironmentOrTheHost) {
    // The single-thread run of the reading tests sets QZCORE_THREADS=0: it
    // must really have switched the helpers off.
    const char* env = std::getenv("QZCORE_THREADS");
    EXPECT_EQ(threadsEnabled(), !(env && std::string(env) == "0"));
    const bool before = threadsEnabled();
    setThreadsEnabled(false);
    EXPECT_FALSE(threadsEnabled());
    setThreadsEnabled(before);
}

TEST(ColorHelper, InterpolatesExactlyN) {
    std::vector<RGBColor> v{RGBColor(1, 1, 1)};
    ColorHelper::interpolateColors(v, RGBColor(0, 0, 255), RGBColor(255, 0, 0), 5);
    ASSERT_EQ(v.size(), 5u);
    EXPECT_EQ(v.front(), RGBColor(0, 0, 255));
    EXPECT_EQ(v.back(), RGBColor(255, 0, 0));
    EXPECT_EQ(v[2], RGBColor(128, 0, 128));  // 127.5 rounds up
    ColorHelper::interpolateColors(v, ColorHelper::Default_Interpolate_Start_Color,
                                   ColorHelper::Default_Interpolate_End_Color, 1);
    ASSERT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0], ColorHelper::Default_Interpolate_Start_Color);
    ColorHelper::interpolateColors(v, RGBColor(), RGBColor(), 0);
    EXPECT_TRUE(v.empty());
}

/// Records what a plot draws.
class CallNamesPort : public GraphicsPort {
public:
    std::vector<std::string> calls;
    void setLineSize(int) override {}
    void setColorTable(const std::set<RGBColor, RGBColorLess>&) override {}
    void drawArrow(const TwoDPoint<float>&, const TwoDPoint<float>&, const GraphicsStyle&, float) override {}
    void beginGroup() override {}
    void endGroup() override {}
    void drawPlaneArc(float, float, const GraphicsStyle&, bool) override {}
    void applyColorTable() override {}
    void drawLine(const TwoDPoint<float>&, const TwoDPoint<float>&, const GraphicsStyle&) override {
        calls.push_back("line");
    }
    bool usesColorTable() override { return false; }
    void drawPath(const GraphicsPath& path, const GraphicsStyle&, bool, bool close, bool) override {
        calls.push_back("path" + std::to_string(path.size()) + (close ? "c" : ""));
    }
    void drawWedge(const TwoDPoint<float>&, const TwoDPoint<float>&, float, float, const GraphicsStyle&,
                   const GraphicsStyle&, bool) override {}
    void drawSymbol(const TwoDPoint<float>&, const GraphicsStyle&, float, const GraphicsStyle&, bool) override {}
    void drawBox(const TwoDPoint<float>&, const TwoDPoint<float>&, const GraphicsStyle&,
                 const GraphicsStyle&, bool, bool) override {}
    void setFillStyle(const GraphicsStyle&) override {}
    void endFill() override {}
    void endFrame() override {}
    void setFont(const std::string&, int) override {}
    void drawText(const std::string&, const TwoDPoint<float>&, int, const GraphicsStyle&, int) override {}
};

TEST(GraphicsPortMultiPath, JoinsSegmentsIntoOpenAndClosedPaths) {
    CallNamesPort port;
    const GraphicsStyle s;
    GraphicsStyle other;
    other.setColor(RGBColor(255, 0, 0));
    port.openMultiPath();
    // A square given out of order and in mixed directions...
    port.addMultiPathSegment({0, 0}, {1, 0}, s);
    port.addMultiPathSegment({1, 1}, {0, 1}, s);
    port.addMultiPathSegment({1, 1}, {1, 0}, s);
    port.addMultiPathSegment({0, 1}, {0, 0}, s);
    // ...an open chain of two...
    port.addMultiPathSegment({5, 5}, {6, 5}, s);
    port.addMultiPathSegment({7, 5}, {6, 5}, s);
    // ...and a segment touching the chain in another style.
    port.addMultiPathSegment({7, 5}, {8, 5}, other);
    std::list<GraphicsPath> paths;
    port.breakMultiPath(paths);
    ASSERT_EQ(paths.size(), 3u);
    std::size_t points = 0, closed = 0;
    for (const GraphicsPath& p : paths) {
        points += p.size();
        closed += p.closed() ? 1 : 0;
    }
    EXPECT_EQ(points, 5u + 3u + 2u);
    EXPECT_EQ(closed, 1u);
    port.drawMultiPath(true, false);
    EXPECT_EQ(port.calls.size(), 7u);
    port.calls.clear();
    port.drawMultiPath(true, true);
    EXPECT_EQ(port.calls.size(), 3u);
    port.destroyMultiPath();
    EXPECT_EQ(port.getMultiPathSize(), 0u);
}

TEST(RandomGenerator, NegativeSeedRestartsTheSameSequence) {
    RandomGenerator a, b;
    long sa = -12345, sb = -12345;
    for (int i = 0; i < 100; ++i) {
        const double x = a.GenerateRandom(sa);
        ASSERT_GE(x, 0.0);
        ASSERT_LT(x, 1.0);
        ASSERT_EQ(x, b.GenerateRandom(sb));
    }
    long extreme = std::numeric_limits<long>::min();  // its negation does not fit a long
    EXPECT_LT(RandomGenerator().GenerateRandom(extreme), 1.0);
}

}  // namespace
}  // namespace qzCore
