#include "qzCore/shared/krtTemplates.h"

#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "qzCore/shared/DESolverParams.h"
#include "qzCore/shared/Graphics.h"
#include "qzCore/shared/Grid.h"
#include "qzCore/shared/krtError.h"
#include "tests/support/ScriptedMessages.h"

namespace qzCore {
namespace {

TEST(KrtFlyweight, LookupBothWaysAndDeepCopies) {
    krtFlyweight<char, std::string> f(char(-1));
    f.set(5, "five");
    f.set(2, "two");
    f.set(9, "two");
    std::string s;
    EXPECT_TRUE(f.get(char(5), s));
    EXPECT_EQ(s, "five");
    char k = 0;
    EXPECT_TRUE(f.getKey("two", k));
    EXPECT_EQ(k, 2);  // the lowest key wins a tie
    k = 42;
    EXPECT_FALSE(f.getKey("seven", k));
    EXPECT_EQ(k, 42);
    krtFlyweight<char, std::string> copy = f;
    copy.unregister(5);
    EXPECT_TRUE(f.has(5));
    EXPECT_FALSE(copy.has(5));
    EXPECT_EQ(copy.size(), 2u);
    f.clear();
    EXPECT_EQ(f.size(), 0u);
}

TEST(KrtPropertyList, NullKeyAndNullLabel) {
    krtPropertyList<unsigned int, std::string> p(0u, "");
    EXPECT_TRUE(p.set(3, "Strike"));
    EXPECT_FALSE(p.set(0, "x"));
    EXPECT_FALSE(p.set(4, ""));
    EXPECT_EQ(p.keyFromProperty("Strike"), 3u);
    EXPECT_EQ(p.keyFromProperty("Dip"), 0u);
    EXPECT_EQ(p.propertyFromKey(3), "Strike");
    EXPECT_EQ(p.propertyFromKey(8), "");
}

struct Counted : krtSingleton<Counted> {
    static int built;
    int value = 0;

private:
    friend class krtSingleton<Counted>;
    Counted() { ++built; }
};
int Counted::built = 0;

TEST(KrtSingleton, LazyAndRebuiltAfterDestroy) {
    Counted::destroy();
    Counted::built = 0;
    EXPECT_FALSE(Counted::exists());
    Counted::instance().value = 7;
    EXPECT_EQ(Counted::instance().value, 7);
    EXPECT_EQ(Counted::built, 1);
    Counted::destroy();
    EXPECT_EQ(Counted::instance().value, 0);
    EXPECT_EQ(Counted::built, 2);
    Counted::destroy();
}

TEST(KrtError, DefaultWritesToItsStreamAndSaysYes) {
    std::ostringstream out;
    krtError e(out);
    e.notify("Caption", "text");
    EXPECT_EQ(e.query(std::string("Q"), "sure?"), 1);
    EXPECT_EQ(out.str(), "Caption: text\nQ: sure? [yes]\n");
}

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

TEST(KrtErrorTable, TablesAndQuery) {
    ScriptedMessages script({});
    ScopedMessageHandler scope(&script);
    std::ostringstream out;
    krtErrorTable<int> t(0, out);
    EXPECT_TRUE(t.registerError(-3, "Bad\nvalue", true));
    EXPECT_TRUE(t.registerError(-3, std::string("secondary"), false));
    EXPECT_EQ(t.tableQuery(-3, "row 4", "Title"), 0);
    EXPECT_EQ(t.tableQuery(-99, std::string("row 5"), "Title"), 0);
    ASSERT_EQ(script.notes.size(), 2u);
    EXPECT_EQ(script.notes[0], "Title|row 4\nBad\nvalue");
    EXPECT_EQ(script.notes[1], "Title|row 5\nUnknown error");
}

TEST(RGBColor, PackingAndContrast) {
    const RGBColor c(0x12, 0x34, 0x56);
    EXPECT_EQ(c.getRGB(), 0x123456u);
    EXPECT_EQ(RGBColor(0x123456u), c);
    EXPECT_EQ(RGBColor(300, -5, 0), RGBColor(255, 0, 0));
    EXPECT_EQ(RGBColor(255, 255, 255).getOpposingColor(), RGBColor(0, 0, 0));
    EXPECT_EQ(RGBColor(0, 0, 128).getOpposingColor(), RGBColor(255, 255, 255));
    EXPECT_TRUE(RGBColorLess()(RGBColor(0, 0, 1), RGBColor(0, 1, 0)));
}

TEST(GraphicsStyle, ResetEqualityAndSmallerSize) {
    GraphicsStyle s(RGBColor(1, 2, 3), Style_Dotted, static_cast<Graphics_Size>(3), Symbol_Cross);
    EXPECT_EQ(s.getNextSizeSmaller(), 2);
    GraphicsStyle t = s;
    EXPECT_EQ(s, t);
    t.setSymbol(Symbol_Great_Circle);
    EXPECT_NE(s, t);
    t.reset();
    EXPECT_EQ(t, GraphicsStyle());
    EXPECT_EQ(t.getNextSizeSmaller(), 1);
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

TEST(GraphicsPath, EndsAndClosure) {
    GraphicsPath p;
    TwoDPoint<float> e;
    EXPECT_FALSE(p.getEndPoint(0, e));
    p.add(TwoDPoint<float>(1, 0), GraphicsPath::Path_End);
    p.add(TwoDPoint<float>(0, 0), GraphicsPath::Path_Start);
    p.add(TwoDPoint<float>(1, 1), GraphicsPath::Path_End);
    ASSERT_TRUE(p.getEndPoint(GraphicsPath::Path_Start, e));
    EXPECT_EQ(e, TwoDPoint<float>(0, 0));
    EXPECT_FALSE(p.closed());
    p.add(TwoDPoint<float>(0, 0), GraphicsPath::Path_End);
    EXPECT_TRUE(p.closed());
}

TEST(CircularGraphicsPath, PointsByAzimuth) {
    const CircularGraphicsPath c(TwoDPoint<float>(0, 0), 1.0f, 180);
    EXPECT_EQ(c.size(), 181u);
    EXPECT_TRUE(c.closed());
    TwoDPoint<float> p;
    ASSERT_TRUE(c.angleToPoint(90.0, p));
    EXPECT_NEAR(p.x(), 1.0f, 1e-6f);
    EXPECT_NEAR(p.y(), 0.0f, 1e-6f);
    const CircularGraphicsPath none(TwoDPoint<float>(0, 0), 0.0f, 10);
    EXPECT_FALSE(none.angleToPoint(0.0, p));
}

/// Records what a plot draws.
class RecordingPort : public GraphicsPort {
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
    void drawWedge(const TwoDPoint<float>&, float, float, float, const GraphicsStyle&,
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
    RecordingPort port;
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

TEST(DESolverParams, HoldsWhatItIsGiven) {
    DESolverParams p({0.0f, 0.0f}, {360.0f, 90.0f}, 2, 1000, 40, 0.6, 0.3);
    EXPECT_EQ(p.getDimensions(), 2);
    EXPECT_EQ(p.getGenerations(), 1000);
    EXPECT_EQ(p.getPopulation(), 40);
    EXPECT_DOUBLE_EQ(p.getScale(), 0.6);
    EXPECT_DOUBLE_EQ(p.getProbability(), 0.3);
    EXPECT_EQ(p.getStrategy(), DE_Rand_1);
    EXPECT_EQ(p.getSeed(), 0);
    EXPECT_FALSE(p.getLogFlag());
    EXPECT_EQ(p.getUpperBounds()[1], 90.0f);
}

TEST(RandomGenerator, NegativeSeedRestartsTheSameSequence) {
    RandomGenerator a, b;
    long sa = -12345, sb = -12345;
    for (int i = 0; i < 100; ++i) {
        const double x = a.GenerateRandom(sa);
        ASSERT_GE(x, 0.0);
        ASSERT_LT(x, 1.0);
        ASSERT_EQ(x, b.GenerateRandom(sb));
        ASSERT_GT(sa, 0);
    }
    long restart = -12345;
    RandomGenerator c;
    long sc = -12345;
    EXPECT_EQ(a.GenerateRandom(restart), c.GenerateRandom(sc));
    long other = -54321;
    RandomGenerator d;
    EXPECT_NE(d.GenerateRandom(other), RandomGenerator().GenerateRandom(sc = -12345));
    long extreme = std::numeric_limits<long>::min();
    EXPECT_LT(RandomGenerator().GenerateRandom(extreme), 1.0);
}

TEST(Grid, DeepCopiesAndBounds) {
    Grid<double> g(3, 4, 0.5);
    g(2, 3) = 9.0;
    Grid<double> h = g;
    h(2, 3) = 1.0;
    EXPECT_DOUBLE_EQ(g(2, 3), 9.0);
    EXPECT_DOUBLE_EQ(g.maxValue(), 9.0);
    EXPECT_THROW(g.at(3, 0), std::out_of_range);
    EXPECT_FALSE(g == h);
    EXPECT_THROW(Grid<char>(std::size_t(-1), 2), std::length_error);
}

}  // namespace
}  // namespace qzCore
