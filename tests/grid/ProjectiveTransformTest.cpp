#include "grid/ProjectiveTransform.h"

#include "grid/SampleCourse.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace leapmark {
namespace {

using testing::Course;
using testing::sampleCourse;
using testing::sampleShoreCamera;

struct Quadrilateral
{
    const char* name;
    CornerPoints screen;
    CornerPoints survey;
};

/** Several true quadrilaterals: a shore-camera view clicked to the pixel, a keystone, a tilted one. */
std::vector<Quadrilateral> quadrilaterals()
{
    const Course course = sampleCourse();
    const auto camera = sampleShoreCamera(course);
    const CornerPoints clicked = camera.clickedBuoys(course);
    return {
        {"shore camera", clicked, course.buoys},
        {"keystone",
         {{{7200, 1800}, {8400, 5400}, {2700, 1650}, {1200, 5700}}},
         {{{60, 8}, {60, -8}, {30, 8}, {30, -8}}}},
        {"tilted, negative survey",
         {{{6105, 2340}, {5820, 6015}, {1935, 1005}, {990, 4470}}},
         {{{-12.5, 40.25}, {3.75, 41.5}, {-14.0, 10.0}, {2.5, 11.125}}}},
    };
}

TEST(ProjectiveTransform, SolvedGridCarriesEachBuoyOntoItsSurveyPointAndBack)
{
    for (const auto& q : quadrilaterals()) {
        SCOPED_TRACE(q.name);
        auto c = solveProjectiveTransform(q.screen, q.survey);
        ASSERT_TRUE(c.ok()) << c.error().text();
        for (std::size_t i = 0; i < 4; ++i) {
            auto survey = screenToSurvey(*c, q.screen[i]);
            ASSERT_TRUE(survey.ok());
            EXPECT_NEAR(survey->x, q.survey[i].x, 1e-9);
            EXPECT_NEAR(survey->y, q.survey[i].y, 1e-9);
        }
        // Any screen point, not only the buoys, comes back from the inverse.
        for (const PlanePoint p : {PlanePoint{4000, 3000}, PlanePoint{615, 6990}, PlanePoint{10785, 45}}) {
            auto survey = screenToSurvey(*c, p);
            ASSERT_TRUE(survey.ok());
            auto back = surveyToScreen(*c, *survey);
            ASSERT_TRUE(back.ok());
            EXPECT_NEAR(back->x, p.x, 1e-7);
            EXPECT_NEAR(back->y, p.y, 1e-7);
        }
    }
}

TEST(ProjectiveTransform, ShoreCameraGridMeasuresLandingsWhereTheyAre)
{
    // Buoys marked at their exact image points: every other point of the water must then land
    // where the camera saw it, which only a true projective solve achieves.
    const Course course = sampleCourse();
    const auto camera = sampleShoreCamera(course);
    CornerPoints screen;
    for (std::size_t i = 0; i < 4; ++i)
        screen[i] = camera.twipsOf(course.buoys[i]);
    auto c = solveProjectiveTransform(screen, course.buoys);
    ASSERT_TRUE(c.ok());
    for (const PlanePoint offset : {PlanePoint{45, 0}, PlanePoint{52.3, -3.1}, PlanePoint{33.8, 5.6}}) {
        const PlanePoint landing{course.ramp.x + offset.x, course.ramp.y + offset.y};
        auto measured = screenToSurvey(*c, camera.twipsOf(landing));
        ASSERT_TRUE(measured.ok());
        EXPECT_NEAR(measured->x, landing.x, 1e-6);
        EXPECT_NEAR(measured->y, landing.y, 1e-6);
    }
}

TEST(ProjectiveTransform, AxisAlignedRectangleSolvesThroughExactZeroPivots)
{
    // Equal screen x on the right and on the left puts exact zeros where the first rows would pivot;
    // the solve passes over them to the next row. The map is affine: X = 24 + 0.006u, Y = 24 - 0.016v.
    auto c = solveProjectiveTransform({{{6000, 1000}, {6000, 2000}, {1000, 1000}, {1000, 2000}}},
                                      {{{60, 8}, {60, -8}, {30, 8}, {30, -8}}});
    ASSERT_TRUE(c.ok());
    const TransformCoefficients expected{24, 0.006, 0, 0, 0, 24, 0, -0.016};
    for (std::size_t n = 0; n < 8; ++n)
        EXPECT_NEAR((*c)[n], expected[n], 1e-12) << "c" << n + 1;
}

TEST(ProjectiveTransform, ThreeCollinearBuoysHaveNoUniqueSolution)
{
    auto c = solveProjectiveTransform({{{1000, 1000}, {2000, 2000}, {3000, 3000}, {1000, 4000}}},
                                      {{{60, 8}, {60, -8}, {30, 8}, {30, -8}}});
    ASSERT_FALSE(c.ok());
    EXPECT_EQ(c.error().text(), "No Unique Solution - Re-enter data");

    // Three on one vertical line eliminate without a zero pivot, into a grid that cannot carry them.
    auto vertical = solveProjectiveTransform({{{1000, 1000}, {1000, 2000}, {1000, 3000}, {4000, 4000}}},
                                             {{{60, 8}, {60, -8}, {30, 8}, {30, -8}}});
    ASSERT_FALSE(vertical.ok());
    EXPECT_EQ(vertical.error().text(), "No Unique Solution - Re-enter data");

    // Four buoys on one spot, too.
    auto same = solveProjectiveTransform({{{500, 500}, {500, 500}, {500, 500}, {500, 500}}},
                                         {{{60, 8}, {60, -8}, {30, 8}, {30, -8}}});
    ASSERT_FALSE(same.ok());
    EXPECT_EQ(same.error().text(), "No Unique Solution - Re-enter data");
}

TEST(ProjectiveTransform, TinyPivotIsUsedAsItIs)
{
    // The right-hand buoys differ in screen x by one unit in the last place of 5000 (about 9e-10):
    // that difference is the second pivot. It is not zero, so the solve goes on with it and the
    // grid still holds.
    const double nextAfter5000 = std::nextafter(5000.0, 6000.0);
    const CornerPoints screen{{{5000, 1000}, {nextAfter5000, 2000}, {1000, 1000}, {1000, 2000}}};
    const CornerPoints survey{{{60, 8}, {60, -8}, {30, 8}, {30, -8}}};
    auto c = solveProjectiveTransform(screen, survey);
    ASSERT_TRUE(c.ok()) << c.error().text();
    for (std::size_t i = 0; i < 4; ++i) {
        auto back = screenToSurvey(*c, screen[i]);
        ASSERT_TRUE(back.ok());
        EXPECT_NEAR(back->x, survey[i].x, 1e-9);
        EXPECT_NEAR(back->y, survey[i].y, 1e-9);
    }
}

TEST(ProjectiveTransform, UnusablePointsGiveErrorsNotInfinities)
{
    // c4 = 1/1000: the line u = -1000 has a zero denominator.
    const TransformCoefficients c{1, 2, 3, 0.001, 0, 4, 5, 6};
    auto atPole = screenToSurvey(c, {-1000, 17});
    ASSERT_FALSE(atPole.ok());
    EXPECT_EQ(atPole.error().text(), "Division by zero");

    auto huge = screenToSurvey(c, {std::numeric_limits<double>::max(), 0});
    ASSERT_FALSE(huge.ok());
    EXPECT_EQ(huge.error().text(), "Overflow");

    // An all-zero grid (nothing solved yet) has no inverse.
    auto noGrid = surveyToScreen(TransformCoefficients{}, {45, 0});
    ASSERT_FALSE(noGrid.ok());
    EXPECT_EQ(noGrid.error().text(), "Division by zero");

    // Coefficients whose solution overflows are refused at the solve.
    const double big = 1e300;
    auto overflowing = solveProjectiveTransform({{{big, 1}, {1, big}, {-big, 1}, {1, -big}}},
                                                {{{big, 8}, {60, -big}, {30, big}, {-big, -8}}});
    ASSERT_FALSE(overflowing.ok());
    EXPECT_EQ(overflowing.error().text(), "No Unique Solution - Re-enter data");
}

} // namespace
} // namespace leapmark
