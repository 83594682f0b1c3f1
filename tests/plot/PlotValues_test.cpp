// Plot sizes: the centre from the size and margins, and no empty plot.
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

}  // namespace
}  // namespace qzCore
