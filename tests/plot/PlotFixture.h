// What the plot tests share: a dataset to draw from, a stereonet on a
// recording port, and the inverse of the projections worked out here.
#ifndef QZCORE_TESTS_PLOT_PLOTFIXTURE_H
#define QZCORE_TESTS_PLOT_PLOTFIXTURE_H

#include <cmath>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "qzCore/plot/StereoPlotCore.h"
#include "qzCore/shared/RecordingPort.h"
#include "tests/support/OneDataset.h"

namespace qzCore {
namespace testing_plot {

using K = GDTypes;
using S = GDSlipTypes;
using Call = RecordedCall;

inline double rad(double d) { return d * MyMath::Deg_To_Rad; }
inline double deg(double r) { return r * MyMath::Rad_To_Deg; }

/// The direction (north, east, down) a point of plot units projects from,
/// lower hemisphere: equal area r = sqrt(2) sin((90 - p)/2), equal angle
/// r = tan((90 - p)/2), azimuth clockwise from north (y).
inline Matrix_1 inverse(double x, double y, bool equalArea) {
    const double r = std::hypot(x, y);
    const double half = equalArea ? std::asin(std::min(1.0, r / std::sqrt(2.0))) : std::atan(r);
    const double plunge = 90.0 - 2.0 * deg(half);
    const double trend = deg(std::atan2(x, y));
    return Matrix_1(trend, plunge);
}

class StereoTest : public OneDatasetTest {
protected:
    /// A stereonet with these parameters on the recording port.
    StereoPlotCore& net(const StereoPlotParams& p = StereoPlotParams()) {
        plot = std::make_unique<StereoPlotCore>(p, &port, manager);
        return *plot;
    }
    std::vector<Call> drawn(Call::Kind kind) const { return port.callsOf(kind); }

    RecordingPort port;
    std::unique_ptr<StereoPlotCore> plot;
};

}  // namespace testing_plot
}  // namespace qzCore

#endif  // QZCORE_TESTS_PLOT_PLOTFIXTURE_H
