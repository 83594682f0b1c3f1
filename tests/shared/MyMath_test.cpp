#include "qzCore/shared/MyMath.h"

#include <climits>
#include <cmath>
#include <limits>

#include <gtest/gtest.h>
#include <newmat/newmatap.h>

namespace qzCore {
namespace {

// Closed-form values below are worked in doubles; 1e-9 degrees leaves room
// for the few ulps lost in trigonometry and nothing more.
constexpr double kExactDeg = 1e-9;
// An angle near 0 measured through acos resolves only to about
// sqrt(2 * 2^-52) radians, some 1e-6 degrees.
constexpr double kAcosResolutionDeg = 1e-5;
// Whole-degree interfaces round once on the way in and once on the way out.
constexpr int kWholeDegree = 1;

TEST(FloatToIntGlobal, RoundsHalvesAwayFromZero) {
    EXPECT_EQ(FloatToInt_Global(2.5), 3);
    EXPECT_EQ(FloatToInt_Global(-2.5), -3);
    EXPECT_EQ(FloatToInt_Global(2.4999999), 2);
    EXPECT_EQ(FloatToInt_Global(45.5), 46);
    EXPECT_EQ(FloatToInt_Global(0.0), 0);
}

TEST(FloatToIntGlobal, ClampsWhatAnIntCannotHold) {
    EXPECT_EQ(FloatToInt_Global(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(FloatToInt_Global(1e300), INT_MAX);
    EXPECT_EQ(FloatToInt_Global(-1e300), INT_MIN);
    EXPECT_EQ(FloatToInt_Global(std::numeric_limits<double>::infinity()), INT_MAX);
}

TEST(Matrix1, UpwardVectorIsReportedAsTheDownwardLine) {
    double t = 0, p = 0;
    Matrix_1(0.0, 0.0, -1.0).convertFromDC(t, p);
    EXPECT_NEAR(p, 90.0, kExactDeg);
    // 045 plunging 30 upward is the line 225/30.
    Matrix_1(45.0, -30.0).convertFromDC(t, p);
    EXPECT_NEAR(t, 225.0, kExactDeg);
    EXPECT_NEAR(p, 30.0, kExactDeg);
}

TEST(Matrix1, NearlyHorizontalVectorKeepsItsAzimuth) {
    double t = 0, p = 0;
    Matrix_1(-1.0, 0.0, -1e-17).convertFromDC(t, p);
    EXPECT_NEAR(t, 180.0, kExactDeg);
    EXPECT_NEAR(p, 0.0, kExactDeg);
}

TEST(ComputePole, PlaneDippingEastHasPoleWestPlunging60) {
    const MyMath m;
    int a = 0, b = 30;  // strike 000, dips 30 towards 090
    m.computePole(a, b);
    EXPECT_EQ(a, 270);
    EXPECT_EQ(b, 60);
    double da = 360.0, db = 90.0;  // vertical plane striking north
    m.computePole(da, db);
    EXPECT_NEAR(da, 270.0, kExactDeg);
    EXPECT_NEAR(db, 0.0, kExactDeg);
}

TEST(ComputePole, RoundTripOverEveryWholeStrikeAndDip) {
    const MyMath m;
    for (int strike = 0; strike <= 360; ++strike) {
        for (int dip = 0; dip <= 90; ++dip) {
            int a = strike, b = dip;
            m.computePole(a, b);
            ASSERT_GE(a, 0);
            ASSERT_LT(a, 360);
            ASSERT_GE(b, 0);
            ASSERT_LE(b, 90);
            m.computePlaneFromPole(a, b);
            ASSERT_EQ(a, strike % 360) << strike << "/" << dip;
            ASSERT_EQ(b, dip);
        }
    }
}

TEST(ComputeTrendPlunge, KnownSlipLines) {
    const MyMath m;
    double t = 0, p = 0;
    m.computeTrendPlunge(0.0, 60.0, 90.0, t, p);  // straight down dip
    EXPECT_NEAR(t, 90.0, kExactDeg);
    EXPECT_NEAR(p, 60.0, kExactDeg);
    m.computeTrendPlunge(0.0, 60.0, 0.0, t, p);  // along strike
    EXPECT_NEAR(t, 0.0, kExactDeg);
    EXPECT_NEAR(p, 0.0, kExactDeg);
    m.computeTrendPlunge(0.0, 60.0, 180.0, t, p);  // the other way along strike
    EXPECT_NEAR(t, 180.0, kExactDeg);
    EXPECT_NEAR(p, 0.0, kExactDeg);
    // Rake 45 on a plane dipping 45: sin(plunge) = sin(dip) sin(rake) gives
    // plunge 30; tan(trend - strike) = cos(dip) tan(rake) gives 35.264.
    m.computeTrendPlunge(0.0, 45.0, 45.0, t, p);
    EXPECT_NEAR(p, 30.0, kExactDeg);
    EXPECT_NEAR(t, std::atan(std::cos(M_PI / 4)) * 180.0 / M_PI, kExactDeg);
}

TEST(ComputeTrendPlunge, RakeRoundTripOnEveryKindOfPlane) {
    const MyMath m;
    for (int strike = 0; strike < 360; strike += 7) {
        for (int dip = 1; dip <= 90; dip += 3) {
            for (int rake = 0; rake <= 180; ++rake) {
                double t = 0, p = 0, r = 0;
                m.computeTrendPlunge(double(strike), double(dip), double(rake), t, p);
                m.computeRakeFromTP(double(strike), t, p, r);
                ASSERT_NEAR(r, rake, 1e-6) << strike << "/" << dip << " rake " << rake;
                int ti = 0, pi = 0, ri = 0;
                m.computeTrendPlunge(strike, dip, rake, ti, pi);
                m.computeRakeFromTP(strike, ti, pi, ri);
                ASSERT_NEAR(ri, rake, kWholeDegree) << strike << "/" << dip << " rake " << rake;
            }
        }
    }
}

TEST(ComputeRakeFromTP, LineOnTheWrongSideOfTheStrikeHasNoRake) {
    const MyMath m;
    int rake = 0;
    // Plane striking 000 dips east; a line plunging west cannot lie on it.
    EXPECT_EQ(m.computeRakeFromTP(0, 270, 30, rake), -1);
    EXPECT_EQ(rake, -1);
    EXPECT_EQ(m.computeRakeFromTP(0, 90, 30, rake), 90);
}

TEST(Rotation, PositiveTurnIsClockwiseLookingAlongTheAxis) {
    MyMath m;
    // Looking north along 000/00, clockwise carries east to down.
    m.initRotate(Rotation_Axis_North_South, 0, 0, 90.0);
    double t = 90, p = 0;
    m.threeDRotate(t, p);
    EXPECT_NEAR(p, 90.0, kExactDeg);
    // The same axis given by trend and plunge.
    m.initRotate(Rotation_Axis_Trend_Plunge, 0, 0, 45.0);
    t = 90;
    p = 0;
    m.threeDRotate(t, p);
    EXPECT_NEAR(t, 90.0, kExactDeg);
    EXPECT_NEAR(p, 45.0, kExactDeg);
}

TEST(ComputeAngleBetweenObjects, LinesAndPlanes) {
    const MyMath m;
    EXPECT_EQ(m.computeAngleBetweenObjects(0, 0, 90, 0, false), 90);
    EXPECT_EQ(m.computeAngleBetweenObjects(0, 0, 180, 0, false), 180);
    EXPECT_EQ(m.computeAngleBetweenObjects(10, 20, 10, 20, false), 0);
    // Poles 270/60 and 090/60 are 60 degrees apart.
    EXPECT_EQ(m.computeAngleBetweenObjects(0, 30, 180, 30, true), 60);
}

TEST(ComputeEigen, ValuesDescendAndVectorsMatchAKnownMatrix) {
    const MyMath m;
    // [[2,1,0],[1,2,0],[0,0,5]]: eigenvalues 5, 3, 1 with vectors z,
    // (x + y)/sqrt2 and (x - y)/sqrt2.
    Matrix_3 a;
    a.setMat(0, 0, 2);
    a.setMat(0, 1, 1);
    a.setMat(1, 1, 2);
    a.setMat(2, 2, 5);
    Matrix_3 vec;
    Matrix_1 val;
    ASSERT_TRUE(m.computeEigen(a, vec, val));
    EXPECT_NEAR(val[0], 5.0, 1e-12);
    EXPECT_NEAR(val[1], 3.0, 1e-12);
    EXPECT_NEAR(val[2], 1.0, 1e-12);
    EXPECT_NEAR(std::fabs(vec.getColumn(0)[2]), 1.0, 1e-12);
    EXPECT_NEAR(std::fabs(vec.getColumn(1).dotProduct(Matrix_1(1, 1, 0))), std::sqrt(2.0), 1e-12);
    EXPECT_NEAR(std::fabs(vec.getColumn(2).dotProduct(Matrix_1(1, -1, 0))), std::sqrt(2.0), 1e-12);
}

TEST(ProjectionRadius, KnownPlunges) {
    const MyMath m;
    EXPECT_NEAR(m.computeEqualAreaRadius(0), 1.0, 1e-15);
    EXPECT_NEAR(m.computeEqualAreaRadius(90), 0.0, 1e-15);
    EXPECT_NEAR(m.computeEqualAreaRadius(30), std::sqrt(2.0) * 0.5, 1e-15);  // sqrt2 sin 30
    EXPECT_NEAR(m.computeEqualAngleRadius(0), 1.0, 1e-15);
    EXPECT_NEAR(m.computeEqualAngleRadius(90), 0.0, 1e-15);
    EXPECT_NEAR(m.computeEqualAngleRadius(30), 1.0 / std::sqrt(3.0), 1e-15);  // tan 30
    for (int p = 1; p <= 90; ++p) {
        ASSERT_LT(m.computeEqualAreaRadius(p), m.computeEqualAreaRadius(p - 1));
        ASSERT_LT(m.computeEqualAngleRadius(p), m.computeEqualAngleRadius(p - 1));
    }
}

TEST(ConvertPointToTP, InvertsTheProjection) {
    const MyMath m;
    const TwoDPoint<int> c(222, 222);
    TwoDPoint<double> north(222, 22);
    ASSERT_TRUE(m.convertPointToTP(200, c, north, true, true));
    EXPECT_NEAR(north.x(), 0.0, kExactDeg);
    EXPECT_NEAR(north.y(), 0.0, kExactDeg);
    TwoDPoint<double> centre(222, 222);
    ASSERT_TRUE(m.convertPointToTP(200, c, centre, true, false));
    EXPECT_NEAR(centre.y(), 90.0, kExactDeg);
    for (const bool area : {true, false}) {
        const double r = area ? m.computeEqualAreaRadius(35.0) : m.computeEqualAngleRadius(35.0);
        // Trend 120: east and south of the centre, device y growing down.
        TwoDPoint<double> p(222 + 200 * r * std::sin(120 * MyMath::Deg_To_Rad),
                            222 - 200 * r * std::cos(120 * MyMath::Deg_To_Rad));
        ASSERT_TRUE(m.convertPointToTP(200, c, p, true, area));
        EXPECT_NEAR(p.x(), 120.0, 1e-9);
        EXPECT_NEAR(p.y(), 35.0, 1e-9);
    }
    TwoDPoint<double> upper(222 + 100, 222);
    ASSERT_TRUE(m.convertPointToTP(200, c, upper, false, true));
    EXPECT_NEAR(upper.x(), 270.0, kExactDeg);
    TwoDPoint<double> outside(222 + 201, 222);
    EXPECT_FALSE(m.convertPointToTP(200, c, outside, true, true));
    EXPECT_DOUBLE_EQ(outside.x(), 423.0);
}

}  // namespace
}  // namespace qzCore
