// What the plot tests share: a dataset to draw from, a stereonet on a
// recording port, and the inverse of the projections worked out here.
#ifndef QZCORE_TESTS_PLOT_PLOTFIXTURE_H
#define QZCORE_TESTS_PLOT_PLOTFIXTURE_H

#include <cmath>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "qzCore/datasets/DataManager.h"
#include "qzCore/errors/ErrorManager.h"
#include "qzCore/files/FileManager.h"
#include "qzCore/plot/StereoPlotCore.h"
#include "qzCore/shared/RecordingPort.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/Values.h"

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

class StereoTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(manager.createDataset(id, "", false, nullptr), 1); }

    Data& data() { return *manager.getDatasetFromID(id); }
    /// Inserts a record and returns it.
    const GeoData* add(DataStruct d, const char* slip = nullptr) {
        TokenStruct t;
        if (slip) t.setTokenValue(TokenStruct::Slip_Token, slip);
        EXPECT_EQ(data().insertData(d, t), 1);
        return data().getSpecificData(unsigned(data().getNumData() - 1));
    }
    /// A stereonet with these parameters on the recording port.
    StereoPlotCore& net(const StereoPlotParams& p = StereoPlotParams()) {
        plot = std::make_unique<StereoPlotCore>(p, &port, manager);
        return *plot;
    }
    std::vector<Call> drawn(Call::Kind kind) const { return port.callsOf(kind); }

    ScriptedMessages script{{}};
    ScopedMessageHandler scope{&script};
    ErrorManager errors;
    FileManager files;
    DataManager manager{&errors, &files};
    unsigned char id = 0;
    RecordingPort port;
    std::unique_ptr<StereoPlotCore> plot;
};

}  // namespace testing_plot
}  // namespace qzCore

#endif  // QZCORE_TESTS_PLOT_PLOTFIXTURE_H
