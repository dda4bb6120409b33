#include "grid/SampleCourse.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace leapmark::testing {

PlanePoint CourseCamera::twipsOf(PlanePoint survey) const
{
    const auto pixel = m_camera.pixelOfSurveyPoint({survey.x, survey.y});
    if (!pixel)
        throw std::logic_error("the sample camera does not see this point");
    return {pixel->x * 15.0, pixel->y * 15.0};
}

PlanePoint CourseCamera::clickedTwipsOf(PlanePoint survey) const
{
    const PlanePoint exact = twipsOf(survey);
    return {std::round(exact.x / 15.0) * 15.0, std::round(exact.y / 15.0) * 15.0};
}

Course sampleCourse()
{
    // Survey origin well away from the ramp; the course runs towards +x, the camera looks from -y.
    const PlanePoint ramp{412.37, 158.02};
    Course course;
    course.ramp = ramp;
    course.buoys = {{
        {ramp.x + 60.0, ramp.y + 7.5},  // 1 upper right: far side, far end
        {ramp.x + 58.5, ramp.y - 7.5},  // 2 lower right
        {ramp.x + 30.5, ramp.y + 7.0},  // 3 upper left
        {ramp.x + 31.0, ramp.y - 7.25}, // 4 lower left
    }};
    return course;
}

CourseCamera sampleShoreCamera(const Course& course)
{
    constexpr double kFocalPixels = 800.0;
    constexpr PictureSize kSize{720, 480};
    const double fieldOfViewDegrees =
        2.0 * std::atan(kSize.widthPixels / 2.0 / kFocalPixels) * 180.0 / std::numbers::pi;
    const CameraPlacement placement{{course.ramp.x + 45.0, course.ramp.y - 70.0},
                                    6.0,
                                    {course.ramp.x + 45.0, course.ramp.y},
                                    fieldOfViewDegrees};
    auto camera = ShoreCamera::create(placement, kSize);
    if (!camera)
        throw std::logic_error(camera.error().text());
    return CourseCamera(std::move(camera).value());
}

CornerPoints CourseCamera::clickedBuoys(const Course& course) const
{
    CornerPoints clicked;
    for (std::size_t i = 0; i < 4; ++i)
        clicked[i] = clickedTwipsOf(course.buoys[i]);
    return clicked;
}

} // namespace leapmark::testing
