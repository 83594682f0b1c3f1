// The Markland-type tests on both sides of each boundary, for a face
// dipping 60 towards 180 with a friction angle of 30 and limits of 20.
#include <gtest/gtest.h>

#include <cmath>

#include "qzCore/analysis/Kinematics.h"

namespace qzCore {
namespace {

const SlopeFace Face{180.0, 60.0, 30.0, 20.0};

TEST(Kinematics, EachRuleOnBothSidesOfItsBoundaries) {
    struct Case {
        bool (*test)(const SlopeFace&, double, double);
        double a, b;  // dip direction and dip, or trend and plunge
        bool expected;
    } const cases[] = {
        {planarSliding, 180, 45, true},   {planarSliding, 180, 30, false},  // dip = friction
        {planarSliding, 180, 31, true},   {planarSliding, 180, 60, false},  // parallel to the face
        {planarSliding, 180, 59, true},   {planarSliding, 200, 45, true},   // at the lateral limit
        {planarSliding, 201, 45, false},  {planarSliding, 160, 45, true},
        {planarSliding, 0, 45, false},    // dips into the slope
        // Toppling: dip > 90 - 60 + 30 = 60, into the slope.
        {flexuralToppling, 0, 61, true},  {flexuralToppling, 0, 60, false},
        {flexuralToppling, 20, 70, true}, {flexuralToppling, 21, 70, false},
        {flexuralToppling, 340, 70, true}, {flexuralToppling, 180, 70, false},
        // Wedges: apparent face dip along 240 is atan(tan 60 cos 60) = 40.9.
        {wedgeSliding, 180, 45, true},    {wedgeSliding, 180, 30, false},
        {wedgeSliding, 180, 31, true},    {wedgeSliding, 180, 60, false},
        {wedgeSliding, 180, 59, true},    {wedgeSliding, 240, 40, true},
        {wedgeSliding, 240, 41, false},   {wedgeSliding, 270, 35, false},  // along the face
    };
    for (const Case& c : cases) EXPECT_EQ(c.test(Face, c.a, c.b), c.expected) << c.a << "/" << c.b;
}

TEST(Kinematics, LinesOfIntersection) {
    double t = 0, p = 0;
    // A symmetric wedge: tan(plunge) = tan 60 cos 45.
    ASSERT_TRUE(intersectionLine(135, 60, 225, 60, t, p));
    EXPECT_NEAR(t, 180.0, 1e-9);
    EXPECT_NEAR(p, std::atan(std::tan(M_PI / 3) * std::cos(M_PI / 4)) * 180.0 / M_PI, 1e-9);
    // Two planes dipping opposite ways meet in a horizontal line along
    // their strike.
    ASSERT_TRUE(intersectionLine(90, 45, 270, 45, t, p));
    EXPECT_NEAR(std::fmod(t, 180.0), 0.0, 1e-9);
    EXPECT_NEAR(p, 0.0, 1e-9);
    EXPECT_FALSE(intersectionLine(90, 45, 90, 45, t, p));
    EXPECT_DOUBLE_EQ(azimuthDifference(350, 10), 20.0);
    EXPECT_DOUBLE_EQ(azimuthDifference(0, 540), 180.0);
}

}  // namespace
}  // namespace qzCore
