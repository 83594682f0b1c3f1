// The Markland-type tests on both sides of each boundary, for a face
// dipping 60 towards 180 with a friction angle of 30 and limits of 20.
// Apparent dips by hand: the face's along 200 (20 off) is
// atan(tan 60 cos 20) = 58.47; along 240, 40.89; the friction plane's
// along 240, atan(tan 30 cos 60) = 16.10; the slip-limit plane (dip
// 60 - 30 towards 180) along 200, atan(tan 30 cos 20) = 28.48.
#include <gtest/gtest.h>

#include <cmath>

#include "qzCore/analysis/Kinematics.h"

namespace qzCore {
namespace {

const SlopeFace Face{180.0, 60.0, 30.0, 20.0};
const SlopeFace Curved{180.0, 60.0, 30.0, 20.0, true};
const SlopeFace Gentle{180.0, 30.0, 30.0, 20.0};  // no steeper than friction
constexpr auto None = KinematicZone::None, Main = KinematicZone::Main, Second = KinematicZone::Secondary;

KinematicZone flexural(const SlopeFace& f, double a, double b) { return flexuralToppling(f, a, b) ? Main : None; }

TEST(Kinematics, EachRuleOnBothSidesOfItsBoundaries) {
    struct Case {
        KinematicZone (*test)(const SlopeFace&, double, double);
        const SlopeFace& face;
        double a, b;  // dip direction and dip, or trend and plunge
        KinematicZone expected;
    } const cases[] = {
        // Planar: dip = friction, parallel to the face, the lateral limit,
        // the daylight envelope off the dip direction.
        {planarZone, Face, 180, 45, Main},    {planarZone, Face, 180, 30, None},
        {planarZone, Face, 180, 31, Main},    {planarZone, Face, 180, 60, None},
        {planarZone, Face, 180, 59, Main},    {planarZone, Face, 200, 45, Main},
        {planarZone, Face, 201, 45, Second},  {planarZone, Face, 160, 45, Main},
        {planarZone, Face, 200, 58, Main},    {planarZone, Face, 200, 59, None},
        {planarZone, Face, 0, 45, None},      // dips into the slope
        // Curved limits: asin(sin 45 sin 28) = 19.4, sin 29: 20.05;
        // asin(sin 57 sin 24) = 19.95, sin 25: 20.76.
        {planarZone, Curved, 208, 45, Main},  {planarZone, Curved, 209, 45, Second},
        {planarZone, Curved, 204, 57, Main},  {planarZone, Curved, 205, 57, Second},
        // Flexural toppling: outside the slip-limit plane, into the slope.
        {flexural, Face, 0, 61, Main},        {flexural, Face, 0, 60, None},
        {flexural, Face, 20, 70, Main},       {flexural, Face, 21, 70, None},
        {flexural, Face, 340, 70, Main},      {flexural, Face, 180, 70, None},
        {flexural, Face, 20, 62, Main},       {flexural, Face, 20, 61, None},
        {flexural, Gentle, 0, 89, None},      {flexural, Curved, 21, 70, Main},
        // Wedges: the friction cone, the face, the friction plane.
        {wedgeZone, Face, 180, 45, Main},     {wedgeZone, Face, 180, 30, None},
        {wedgeZone, Face, 180, 31, Main},     {wedgeZone, Face, 180, 60, None},
        {wedgeZone, Face, 180, 59, Main},     {wedgeZone, Face, 240, 40, Main},
        {wedgeZone, Face, 240, 41, None},     {wedgeZone, Face, 270, 35, None},
        {wedgeZone, Face, 240, 31, Main},     {wedgeZone, Face, 240, 30, Second},
        {wedgeZone, Face, 240, 17, Second},   {wedgeZone, Face, 240, 16, None},
        {wedgeZone, Face, 180, 29, None},     // no secondary zone in the dip direction
        // Direct toppling lines: into the slope within the limits, plunge
        // > 90 - 60; oblique anywhere else at plunge > 90 - 30.
        {directToppling, Face, 0, 31, Main},  {directToppling, Face, 0, 30, None},
        {directToppling, Face, 20, 45, Main}, {directToppling, Face, 21, 45, None},
        {directToppling, Face, 21, 61, Second}, {directToppling, Face, 180, 61, Second},
        {directToppling, Face, 180, 60, None}, {directToppling, Face, 0, 90, Main},
        // Basal planes: out of the slope less steep than the face; gentler
        // than friction elsewhere.
        {basalPlane, Face, 180, 59, Main},    {basalPlane, Face, 180, 60, None},
        {basalPlane, Face, 200, 10, Main},    {basalPlane, Face, 201, 10, Second},
        {basalPlane, Face, 201, 29, Second},  {basalPlane, Face, 201, 30, None},
        {basalPlane, Face, 0, 0, Main},       {basalPlane, Face, 0, 20, Second},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.test(c.face, c.a, c.b), c.expected) << c.a << "/" << c.b << (c.face.curvedLimits ? " curved" : "");
    }
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

TEST(Kinematics, TallyCountsRecordsAndPairsByHand) {
    // Two planes of one wedge (line 180/50.8, main zone), one of them
    // twice; a sliding plane; one outside the limits; a toppling plane;
    // a basal plane; a dip direction out of range.
    const std::vector<int> dd{135, 225, 135, 180, 201, 0, 200, 400};
    const std::vector<int> dip{60, 60, 60, 45, 45, 61, 10, 10};
    const KinematicTally t = kinematicTally(Face, dd, dip);
    EXPECT_EQ(t.planes, 7u);
    EXPECT_EQ(t.leftOut, 1u);
    EXPECT_EQ(t.pairs, 21u);
    EXPECT_EQ(t.intersecting, 20u);  // 135/60 with itself is parallel
    EXPECT_EQ(t.planarMain, 1u);
    EXPECT_EQ(t.planarSecondary, 1u);
    EXPECT_EQ(t.flexuralMain, 1u);
    EXPECT_EQ(t.planar[3], Main);
    EXPECT_EQ(t.planar[4], Second);
    EXPECT_EQ(t.flexural[5], Main);
    EXPECT_EQ(t.basal[6], Main);
    EXPECT_EQ(t.planar[7], None);
    ASSERT_EQ(t.wedges.size(), dd.size());
    // 135/60 and 225/60 meet in 180/50.8; 225/60 forms it twice.
    EXPECT_GE(t.wedges[1], 2u);
    EXPECT_GE(t.wedges[0], 1u);
    bool found = false;
    for (const CriticalWedge& c : t.critical) {
        if (c.dipDirection1 == 135 && c.dip1 == 60 && c.dipDirection2 == 225 && c.dip2 == 60) {
            found = true;
            EXPECT_EQ(c.pairs, 2u);
            EXPECT_EQ(c.wedge, Main);
            EXPECT_NEAR(c.trend, 180.0, 1e-9);
            EXPECT_NEAR(c.plunge, 50.768, 1e-3);
        }
    }
    EXPECT_TRUE(found);
    // Too many pairs for the limit: none tested, and said.
    KinematicLimits few;
    few.maxPairs = 3;
    EXPECT_FALSE(kinematicTally(Face, dd, dip, few).pairsTested);
}

}  // namespace
}  // namespace qzCore
