// Records and results on the stereonet: which store, which key, which
// style, what is drawn; slip arrows; highlights; results for the host.
#include <list>

#include "qzCore/analysis/AnalyzeFaultParams.h"
#include "qzCore/plot/GenericBasePlotParams.h"
#include "qzCore/plot/TangentPlotCore.h"
#include "tests/plot/PlotFixture.h"

namespace qzCore {
namespace testing_plot {
namespace {

StereoPlotParams noFrame() {
    StereoPlotParams p;
    p.setShowPlotFrame(false);
    p.setShowPlotLabels(false);
    return p;
}

TEST_F(StereoTest, PlanesByTheirStyle) {
    const GeoData* plane = add(planeValues(30, 40));
    for (const auto& c : {std::make_pair(Planar_Great_Circle, TwoDPoint<int>(30, 40)),
                          std::make_pair(Planar_Pole, TwoDPoint<int>(300, 50)),
                          std::make_pair(Planar_Dip_Direction, TwoDPoint<int>(120, 40))}) {
        StereoPlotParams p;
        p.setPlaneStyle(c.first);
        ASSERT_TRUE(net(p).insertPlane(plane));
        ASSERT_EQ(plot->planeStore().size(), 1u);
        EXPECT_EQ(plot->planeStore().begin()->first, c.second) << c.first;
        const DataPlotPoint& point = plot->planeStore().begin()->second.front();
        EXPECT_EQ(point.getSymbol() == Symbol_Great_Circle, c.first == Planar_Great_Circle);
        EXPECT_EQ(point.getDataRef(), plane->getDataReference());
        EXPECT_EQ(point.getDataRef() >> 24, id);  // the dataset id travels with the point
    }
    // A line has no plane to give.
    EXPECT_FALSE(plot->insertPlane(add(lineValues(1, 2))));
    EXPECT_FALSE(plot->insertLine(nullptr));
    EXPECT_EQ(plot->getNumData(), 1);
}

TEST_F(StereoTest, UpperHemisphereTurnsDataAndResultsAlike) {
    StereoPlotParams p;
    p.setIsLowerHem(false);
    net(p).insertLine(add(lineValues(120, 30)));
    ASSERT_TRUE(plot->insertSpecial(add(lineValues(120, 30, K::GDType_Fisher))));
    EXPECT_EQ(plot->lineStore().begin()->first, TwoDPoint<int>(300, 30));
    EXPECT_EQ(plot->specialStore().begin()->first, TwoDPoint<int>(300, 30));
    // A best-fit girdle: the plane of the pole 090/20 is 180/70, on the
    // upper hemisphere 000/70.
    GenericBasePlotParams girdle;
    girdle.setSymbol(Symbol_Great_Circle);
    ASSERT_TRUE(plot->insert(std::list<SpecialData>{SpecialData(90, 20, K::GDType_LSquares, nullptr)}, girdle));
    EXPECT_EQ(plot->specialStore().count(TwoDPoint<int>(0, 70)), 1u);
    EXPECT_FALSE(plot->insert(std::list<SpecialData>{}, girdle));
}

TEST_F(StereoTest, HemisphereSwitchTurnsKeysAndMergesThem) {
    net().insertLine(add(lineValues(10, 20)));
    plot->insertLine(add(lineValues(190, 20)));
    krtDefaultMaskedBase state(State_Hemisphere);
    plot->setPlotState(state);
    ASSERT_EQ(plot->lineStore().size(), 2u);
    EXPECT_EQ(plot->lineStore().begin()->first, TwoDPoint<int>(10, 20));  // 190 turned to 10
    // Switching back restores every key.
    state.set(State_Hemisphere);
    plot->setPlotState(state);
    EXPECT_EQ(plot->lineStore().begin()->first, TwoDPoint<int>(10, 20));
    EXPECT_EQ(plot->lineStore().rbegin()->first, TwoDPoint<int>(190, 20));
    // Keys that meet after a switch become one entry holding both lists.
    plot->insertLine(add(lineValues(190, 20)));
    plot->insertLine(add(lineValues(10, 20)));
    state.set(State_Hemisphere);
    plot->setPlotState(state);
    EXPECT_EQ(plot->lineStore().at(TwoDPoint<int>(190, 20)).size(), 2u);
    EXPECT_EQ(plot->lineStore().at(TwoDPoint<int>(10, 20)).size(), 2u);
}

TEST_F(StereoTest, StateBitsRestyleEachKindOnBothEngines) {
    // A host passes its own mask: each kind's colour, symbol and size bit
    // restyles that kind's points on the stereonet and the tangent plot
    // alike, clears the bit in the plot's own state (and in the mask), and
    // leaves a great circle (symbol 8) on the stereonet a great circle.
    const GeoData* plane = add(planeValues(30, 40));
    const GeoData* line = add(lineValues(100, 20));
    for (int engine = 0; engine < 2; ++engine) {
        StereoPlotParams sp;
        TangentPlotParams tp;
        std::unique_ptr<Plot> p;
        if (engine == 0) {
            p = std::make_unique<StereoPlotCore>(sp, &port, manager);
        } else {
            p = std::make_unique<TangentPlotCore>(tp, &port, manager);
        }
        ASSERT_TRUE(p->insertPlane(plane));
        ASSERT_TRUE(p->insertLine(line));
        PlotParams& params = p->getPlotParams();
        params.getPlotColors().plane = RGBColor(1, 2, 3);
        params.getPlotColors().line = RGBColor(4, 5, 6);
        params.getPlotSymbols().plane.setSymbol(Symbol_Diamond);
        params.getPlotSymbols().line.setSymbol(Symbol_Star);
        params.getPlotSymbols().line.setSize(Size_Larger);
        const std::uint32_t bits =
            State_Plane_Color | State_Line_Color | State_Plane_Symbol | State_Line_Symbol | State_Line_Size;
        p->getPlotState().set(bits);
        krtDefaultMaskedBase host(bits);
        p->setPlotState(host);
        const DataPlotPoint& pl = p->planeStore().begin()->second.front();
        const DataPlotPoint& ln = p->lineStore().begin()->second.front();
        EXPECT_EQ(pl.getColor(), RGBColor(1, 2, 3)) << engine;
        EXPECT_EQ(ln.getColor(), RGBColor(4, 5, 6)) << engine;
        EXPECT_EQ(pl.getSymbol(), engine == 0 ? Symbol_Great_Circle : Symbol_Diamond) << engine;
        EXPECT_EQ(ln.getSymbol(), Symbol_Star) << engine;
        EXPECT_EQ(ln.getSize(), Size_Larger) << engine;
        EXPECT_FALSE(p->getPlotState().isSet(bits)) << engine;
        EXPECT_EQ(host.getMask() & bits, 0u) << engine;
    }
    // A host's engine overrides one kind: its lines keep their colour.
    struct KeepLines : StereoPlotCore {
        using StereoPlotCore::StereoPlotCore;
        void updateLineColor() override {}
    };
    KeepLines keep(StereoPlotParams(), &port, manager);
    keep.insertLine(line);
    const RGBColor before = keep.lineStore().begin()->second.front().getColor();
    keep.getPlotParams().getPlotColors().line = RGBColor(9, 9, 9);
    krtDefaultMaskedBase state(State_Line_Color);
    keep.setPlotState(state);
    EXPECT_EQ(keep.lineStore().begin()->second.front().getColor(), before);
}

TEST_F(StereoTest, SlipArrowsShowWhereTheHangingWallMoves) {
    // {strike, dip, trend, plunge, sense, azimuth the arrow points to}: a
    // normal fault's arrow points down the dip (outward on the net), a
    // reverse fault's up it, a sinistral fault's along the strike for a
    // slip line written either way; and the same on the upper hemisphere.
    struct Case {
        int strike, dip, trend, plunge;
        char slip;
        const char* text;
        double arrowAzimuth;
    };
    int t100 = 0, p100 = 0;
    MyMath().computeTrendPlunge(0, 60, 100, t100, p100);
    const Case cases[] = {{0, 60, 90, 60, S::GDSlipType_NormalSlip, "Norm", 90.0},
                          {0, 60, 90, 60, S::GDSlipType_ReverseSlip, "Rev", 270.0},
                          {0, 60, t100, p100, S::GDSlipType_NormalSlip, "Norm", double(t100)},
                          {0, 90, 0, 0, S::GDSlipType_LeftLatSlip, "LLat", 0.0},
                          {0, 90, 180, 0, S::GDSlipType_LeftLatSlip, "LLat", 0.0},
                          {0, 90, 180, 0, S::GDSlipType_RightLatSlip, "RLat", 180.0}};
    for (const bool lower : {true, false}) {
        for (const Case& c : cases) {
            port.clear();
            StereoPlotParams p = noFrame();
            p.setIsLowerHem(lower);
            net(p).insertLineation(add(faultValues(c.strike, c.dip, c.trend, c.plunge, c.slip), c.text));
            plot->generatePlot();
            const std::vector<Call> arrows = drawn(Call::Draw_Arrow);
            ASSERT_EQ(arrows.size(), 1u) << c.text;
            const TwoDPoint<float>& tail = arrows[0].points[0];
            const TwoDPoint<float>& head = arrows[0].points[1];
            const double azimuth = MyMath::wrapAzimuth(deg(std::atan2(head.x() - tail.x(), head.y() - tail.y())));
            EXPECT_NEAR(std::fmod(azimuth - c.arrowAzimuth + 540.0, 360.0) - 180.0, 0.0, 1e-3)
                << c.text << " " << c.trend << "/" << c.plunge << (lower ? " lower" : " upper");
        }
    }
    // With the port's gap of 0.02 the arrow is 4 x 0.02 = 0.08 long and
    // its head 1.5 x 0.02 = 0.03; with a gap of 0.005 both are below their
    // least (0.08 and 0.03) and become 0.1 and 0.05.
    Call arrow = drawn(Call::Draw_Arrow).front();
    EXPECT_NEAR(arrow.points[0].distance(arrow.points[1]), 0.08, 1e-6);
    EXPECT_NEAR(arrow.values[0], 0.03, 1e-6);
    port.clear();
    port.setEpsilonLength(0.005f);
    plot->generatePlot();
    arrow = drawn(Call::Draw_Arrow).front();
    EXPECT_NEAR(arrow.points[0].distance(arrow.points[1]), 0.1, 1e-6);
    EXPECT_NEAR(arrow.values[0], 0.05, 1e-6);
}

TEST_F(StereoTest, FaultsWithoutADirectionalSenseGetNoArrow) {
    net(noFrame()).insertLineation(add(faultValues(0, 60, 90, 60, S::GDSlipType_AmbigSlip), "Ambig"));
    plot->insertLineation(add(faultValues(0, 50, 90, 50, S::GDSlipType_NoSlip)));
    plot->insertLineation(add(lineValues(10, 10)));
    plot->generatePlot();
    EXPECT_TRUE(drawn(Call::Draw_Arrow).empty());
    EXPECT_EQ(drawn(Call::Draw_Symbol).size(), 3u);
}

TEST_F(StereoTest, OneKeyManyRecords) {
    // Drawn once in the later style; reported once with a count of two.
    net(noFrame()).insertLine(add(lineValues(40, 40)));
    StereoPlotParams p = noFrame();
    p.getPlotColors().line = RGBColor(1, 2, 3);
    plot->setPlotParams(p);
    plot->insertLine(add(lineValues(40, 40)));
    plot->generatePlot();
    const std::vector<Call> symbols = drawn(Call::Draw_Symbol);
    ASSERT_EQ(symbols.size(), 1u);
    EXPECT_EQ(symbols[0].style.getColor(), RGBColor(1, 2, 3));
    std::list<qzPlottedPoint> out;
    int count = 0;
    ASSERT_TRUE(plot->getLinearResults(out, count));
    EXPECT_EQ(out.size(), 1u);
    EXPECT_EQ(count, 2);
    // Emptying the stores empties the count.
    EXPECT_EQ(plot->getNumData(), 2);
    plot->clearPlotData();
    EXPECT_EQ(plot->getNumData(), 0);
    EXPECT_TRUE(plot->lineStore().empty());
}

}  // namespace
}  // namespace testing_plot
}  // namespace qzCore
