// Intersections and angles of two records.
#include <cmath>
#include <cstdio>
#include <list>

#include "tests/analysis/AnalysisFixture.h"
#include "qzCore/errors/ErrorCodes.h"

namespace qzCore {
namespace testing_analysis {
namespace {

TEST_F(Analysis, IntersectionOfTwoPlanes) {
    // Planes dipping 30 towards east and towards south meet in a line
    // trending 135 whose plunge has tan = tan 30 cos 45: 22.2 degrees.
    r.plane(0, 30);
    r.plane(90, 30);
    AnalyzeParams p(r.list);
    Analyzer a(p, results);
    a.computeIntersection();
    ASSERT_FALSE(results.isError());
    EXPECT_EQ(results.getResult(), TwoDPoint<int>(135, FloatToInt_Global(deg(std::atan(std::tan(rad(30)) * std::cos(rad(45)))))));
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out.front().getGDType(), K::GDType_LineIntersect);
    EXPECT_STREQ(out.front().tokens()->getComment(), "Line of intersection");
}

TEST_F(Analysis, TwoRecordAnalysesRefuseWrongSelections) {
    AnalyzeParams p(r.list);
    Analyzer a(p, results);
    GeoData* p1 = r.plane(0, 30);
    a.computeIntersection();
    EXPECT_EQ(results.getError(), Error::No_Data_To_Analyse);
    r.plane(360, 30);  // the same plane: no line
    a.computeIntersection();
    EXPECT_EQ(results.getError(), Error::Objects_Do_Not_Intersect);
    r.line(1, 1);
    a.computeIntersection();
    EXPECT_EQ(results.getError(), Error::Too_Many_Objects);
    a.computeAngleBetweenObjects();
    EXPECT_EQ(results.getError(), Error::Too_Many_Objects);
    r.list.erase(r.list.begin() + 1);  // plane, line
    a.computeIntersection();
    EXPECT_EQ(results.getError(), Error::Objects_Not_Same_Type);
    a.computeAngleBetweenObjects();
    EXPECT_EQ(results.getError(), Error::Objects_Not_Same_Type);
    r.list.pop_front();
    r.list.push_back(p1);  // line, plane
    a.computeIntersection();
    EXPECT_EQ(results.getError(), Error::No_Intersection_Of_Lines);
    EXPECT_TRUE(out.empty());
}

TEST(Intersection, PlanesOfOneStrikeMeetInTheirStrikeLine) {
    // {first plane, second plane, expected trend, expected plunge}; -1:
    // the two are one plane (a vertical or a horizontal plane written
    // both ways round) and have no line.
    const int cases[][6] = {{0, 80, 0, 10, 0, 0},    {0, 30, 180, 30, 0, 0},  {45, 20, 45, 70, 45, 0},
                            {200, 10, 200, 11, 20, 0}, {0, 90, 180, 90, -1, -1}, {0, 0, 180, 0, -1, -1},
                            {0, 30, 90, 30, 135, 22}};
    for (const auto& c : cases) {
        Records two;
        two.plane(c[0], c[1]);
        two.plane(c[2], c[3]);
        std::list<SpecialData> got;
        AnalyzeResults res(got);
        AnalyzeParams p(two.list);
        Analyzer(p, res).computeIntersection();
        if (c[4] < 0) {
            EXPECT_EQ(res.getError(), Error::Objects_Do_Not_Intersect) << c[0] << "/" << c[1] << " " << c[2] << "/" << c[3];
            EXPECT_TRUE(got.empty());
            continue;
        }
        ASSERT_FALSE(res.isError()) << c[0] << "/" << c[1] << " " << c[2] << "/" << c[3];
        EXPECT_EQ(res.getResult(), TwoDPoint<int>(c[4], c[5])) << c[0] << "/" << c[1] << " " << c[2] << "/" << c[3];
    }
}

TEST(Angles, BetweenAxesAreAcute) {
    // {kind: 1 planes, 0 lines; a1, b1, a2, b2; expected}.  Lines 001/02
    // and 179/01 point nearly opposite ways along one axis: the angle
    // between 001/02 and 359/-01 is acos(cos 2 cos 1 cos 2 - sin 2 sin 1),
    // 3.6 degrees.  Either side of 90 folds to at most 90.
    const double nearlyOpposite =
        deg(std::acos(std::cos(rad(2)) * std::cos(rad(1)) * std::cos(rad(2)) - std::sin(rad(2)) * std::sin(rad(1))));
    EXPECT_NEAR(nearlyOpposite, 3.6, 0.05);
    const int cases[][6] = {{0, 1, 2, 179, 1, 4},  {1, 0, 80, 180, 80, 20}, {1, 0, 45, 180, 45, 90},
                            {0, 0, 0, 91, 0, 89},  {0, 0, 0, 89, 0, 89},    {0, 10, 20, 10, 20, 0},
                            {1, 0, 30, 180, 30, 60}};
    for (const auto& c : cases) {
        Records two;
        if (c[0] == 1) {
            two.plane(c[1], c[2]);
            two.plane(c[3], c[4]);
        } else {
            two.line(c[1], c[2]);
            two.line(c[3], c[4]);
        }
        std::list<SpecialData> got;
        AnalyzeResults res(got);
        AnalyzeParams p(two.list);
        Analyzer(p, res).computeAngleBetweenObjects();
        ASSERT_FALSE(res.isError());
        EXPECT_EQ(res.getResult(), TwoDPoint<int>(c[5], 0)) << c[1] << "/" << c[2] << " " << c[3] << "/" << c[4];
    }
}

}  // namespace
}  // namespace testing_analysis
}  // namespace qzCore
