#include "ShoreCamera.h"

#include <cmath>

namespace leapmark::testing {
namespace {

void normalise(double v[3])
{
    const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    for (int i = 0; i < 3; ++i)
        v[i] /= length;
}

void cross(const double a[3], const double b[3], double out[3])
{
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

double dot(const double a[3], const double b[3])
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

} // namespace

ShoreCamera::ShoreCamera(Placement placement) : m_placement(placement)
{
    m_forward[0] = placement.lookAt.x - placement.eastMetres;
    m_forward[1] = placement.lookAt.y - placement.northMetres;
    m_forward[2] = -placement.heightMetres;
    normalise(m_forward);
    const double up[3] = {0.0, 0.0, 1.0};
    cross(m_forward, up, m_right);
    normalise(m_right);
    cross(m_forward, m_right, m_down);
}

PlanePoint ShoreCamera::twipsOf(PlanePoint survey) const
{
    const double d[3] = {survey.x - m_placement.eastMetres, survey.y - m_placement.northMetres,
                         -m_placement.heightMetres};
    const double depth = dot(d, m_forward);
    const double px = m_placement.widthPixels / 2 + m_placement.focalPixels * dot(d, m_right) / depth;
    const double py = m_placement.heightPixels / 2 + m_placement.focalPixels * dot(d, m_down) / depth;
    return {px * 15.0, py * 15.0};
}

PlanePoint ShoreCamera::clickedTwipsOf(PlanePoint survey) const
{
    const PlanePoint exact = twipsOf(survey);
    return {std::floor(exact.x / 15.0) * 15.0, std::floor(exact.y / 15.0) * 15.0};
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

ShoreCamera sampleShoreCamera(const Course& course)
{
    ShoreCamera::Placement placement;
    placement.eastMetres = course.ramp.x + 45.0;
    placement.northMetres = course.ramp.y - 70.0;
    placement.heightMetres = 6.0;
    placement.lookAt = {course.ramp.x + 45.0, course.ramp.y};
    return ShoreCamera(placement);
}

} // namespace leapmark::testing
