#pragma once

#include "grid/ProjectiveTransform.h"
#include "simulator/ShoreCamera.h"

namespace leapmark::testing {

/** A course: ramp reference point and four buoys 30 to 60 m out, corner order 1..4. */
struct Course
{
    PlanePoint ramp;
    CornerPoints buoys;
};

/** A course with its survey origin off to one side, as surveyors leave it. */
[[nodiscard]] Course sampleCourse();

/**
 * A pinhole camera on the shore looking across a course: an independent ground truth for the solved
 * transform, from survey metres on the water to picture twips.
 */
class CourseCamera
{
public:
    explicit CourseCamera(ShoreCamera camera) : m_camera(std::move(camera)) {}

    /** Where a point on the water appears, in picture twips (pixels x 15), unrounded. */
    [[nodiscard]] PlanePoint twipsOf(PlanePoint survey) const;

    /** The same, snapped to the pixel the operator would click. */
    [[nodiscard]] PlanePoint clickedTwipsOf(PlanePoint survey) const;

    /** The course's four buoys as the operator clicks them, corner order 1..4. */
    [[nodiscard]] CornerPoints clickedBuoys(const Course& course) const;

private:
    ShoreCamera m_camera;
};

/** A 720 x 480 camera on the shore to the right of the course, 70 m out, 6 m up. */
[[nodiscard]] CourseCamera sampleShoreCamera(const Course& course);

} // namespace leapmark::testing
