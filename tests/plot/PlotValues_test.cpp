// Sizes, parameter records and the plot type names.
#include <gtest/gtest.h>

#include "qzCore/plot/Plot.h"
#include "qzCore/plot/PlotDisplayParams.h"
#include "qzCore/plot/PlotSize.h"
#include "qzCore/plot/StereoPlotParams.h"

namespace qzCore {
namespace {

TEST(PlotSize, CentreFromSizeAndMarginsAndNoEmptyPlot) {
    EXPECT_EQ(PlotSize().getPlotCenter(), TwoDPoint<int>(222, 222));
    PlotSize s(400, 10, 20);
    EXPECT_EQ(s.getHalfSize(), 200.0f);
    EXPECT_EQ(s.getPlotCenter(), TwoDPoint<int>(210, 220));
    EXPECT_EQ(PlotSize(301, 0, 0).getPlotCenter(), TwoDPoint<int>(151, 151));  // 150.5 rounds up
    // A size of 0 or less would collapse the net onto its centre.
    for (const float bad : {0.0f, -400.0f}) {
        EXPECT_FALSE(s.init(bad, 1, 1));
        EXPECT_EQ(s.getSize(), 400.0f);
        EXPECT_EQ(s.getXOffset(), 10);
    }
    EXPECT_EQ(PlotSize(-1, 0, 0), PlotSize());  // refused: the default kept
}

TEST(PlotParams, DefaultsAndDisplayFlags) {
    const StereoPlotParams p;
    EXPECT_TRUE(p.getIsEqualArea());
    EXPECT_TRUE(p.getIsLowerHem());
    EXPECT_FALSE(p.getShowPlotNet());
    EXPECT_TRUE(p.getEnablePlotLegend());
    EXPECT_EQ(p.getPlotFrameWidth(), 2);
    EXPECT_EQ(p.getPlotSymbols().plane.getSymbol(), Symbol_Cross);
    PlotDisplayParams d;
    d.setFrameWidth(0);
    EXPECT_EQ(d.getFrameWidth(), 1);
    d.setFrameWidth(6);
    EXPECT_EQ(d.getFrameWidth(), 1);
    d.setFrameWidth(5);
    EXPECT_EQ(d.getFrameWidth(), 5);
    d.setDisplayPlotLabels(false);
    d.setDisplayPlotLegend(true);
    StereoPlotParams q;
    q.initCommon(d);
    EXPECT_FALSE(q.getShowPlotLabels());
    EXPECT_TRUE(q.getShowPlotLegend());
    EXPECT_EQ(q.getPlotFrameWidth(), 5);
    EXPECT_TRUE(q != p);
}

TEST(PlotTypes, NamesBothWays) {
    Plot::Plot_Type t = Plot::Rose_Plot;
    EXPECT_TRUE(Plot::getPlotTypeFromString("Stereo Plot", t));
    EXPECT_EQ(t, Plot::Stereo_Plot);
    EXPECT_FALSE(Plot::getPlotTypeFromString("stereo plot", t));
    EXPECT_FALSE(Plot::getPlotTypeFromString("", t));
    EXPECT_EQ(t, Plot::Stereo_Plot);
    std::list<std::string> names{"old"};
    Plot::getPlotTypeStrings(names, false);
    EXPECT_EQ(names, (std::list<std::string>{"Rose Plot", "Stereo Plot", "Tangent Plot"}));
    Plot::getPlotTypeStrings(names, true);
    EXPECT_EQ(names, (std::list<std::string>{"Az vs. Dip", "Depth vs. Az/Dip"}));
    std::string s;
    EXPECT_FALSE(Plot::getPlotStringFromType(static_cast<Plot::Plot_Type>(7), s));
}

}  // namespace
}  // namespace qzCore
