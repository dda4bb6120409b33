#include "simulator/ShoreCamera.h"
#include "common/Twips.h"

#include <numbers>

namespace leapmark {

Result<ShoreCamera> ShoreCamera::create(const CameraPlacement& placement, PictureSize size)
{
    if (size.widthPixels <= 0 || size.heightPixels <= 0)
        return Error("The camera picture needs a positive size, not " + sizeText(size));
    if (!(placement.heightMetres > 0.0))
        return Error("The camera must stand above the water");
    const double fov = placement.horizontalFieldOfViewDegrees;
    if (!(fov >= 1.0 && fov <= 170.0))
        return Error("The camera's field of view must be between 1 and 170 degrees");
    const Vector3 centre = abovePoint(placement.position, placement.heightMetres);
    const Vector3 toAim = abovePoint(placement.aim, 0.0) - centre;
    const double across = std::hypot(toAim.x, toAim.y);
    // A camera aimed (almost) straight down has no defined horizontal picture axis.
    if (!(across > 1e-6 * placement.heightMetres))
        return Error("The camera must aim at a water point away from its own foot point");

    ShoreCamera camera;
    camera.m_placement = placement;
    camera.m_size = size;
    camera.m_centre = centre;
    camera.m_forward = normalized(toAim);
    camera.m_right = normalized(cross(camera.m_forward, Vector3{0.0, 0.0, 1.0}));
    camera.m_down = cross(camera.m_forward, camera.m_right);
    camera.m_focalPixels = (size.widthPixels / 2.0) / std::tan(fov * std::numbers::pi / 360.0);
    camera.m_principalX = (size.widthPixels - 1) / 2.0;
    camera.m_principalY = (size.heightPixels - 1) / 2.0;
    return camera;
}

std::optional<PixelPoint> ShoreCamera::project(const Vector3& point) const
{
    const Vector3 offset = point - m_centre;
    const double depth = dot(offset, m_forward);
    if (!(depth > 1e-9))
        return std::nullopt;
    return PixelPoint{m_principalX + m_focalPixels * dot(offset, m_right) / depth,
                      m_principalY + m_focalPixels * dot(offset, m_down) / depth};
}

std::optional<PixelPoint> ShoreCamera::pixelOfSurveyPoint(SurveyPoint point) const
{
    return project(abovePoint(point, 0.0));
}

Vector3 ShoreCamera::rayThrough(PixelPoint pixel) const
{
    return m_forward + ((pixel.x - m_principalX) / m_focalPixels) * m_right +
           ((pixel.y - m_principalY) / m_focalPixels) * m_down;
}

std::optional<SurveyPoint> ShoreCamera::surveyPointOfPixel(PixelPoint pixel) const
{
    const Vector3 ray = rayThrough(pixel);
    if (!(ray.z < 0.0))
        return std::nullopt;
    const double along = -m_centre.z / ray.z;
    return SurveyPoint{m_centre.x + along * ray.x, m_centre.y + along * ray.y};
}

double ShoreCamera::depthMetres(const Vector3& point) const
{
    return dot(point - m_centre, m_forward);
}

bool ShoreCamera::isInPicture(PixelPoint pixel) const
{
    return pixel.x >= -0.5 && pixel.y >= -0.5 && pixel.x <= m_size.widthPixels - 0.5 &&
           pixel.y <= m_size.heightPixels - 0.5;
}

std::optional<std::array<double, 8>> ShoreCamera::screenToSurveyCoefficients() const
{
    // The ray through twips (u, v) is a0 + u au + v av; where it meets the water,
    // X = (Cx ray_z - Cz ray_x) / ray_z, and likewise Y: both linear over linear in u and v.
    const Vector3 a0 = rayThrough(PixelPoint{0.0, 0.0});
    const Vector3 au = (1.0 / (kTwipsPerPixel * m_focalPixels)) * m_right;
    const Vector3 av = (1.0 / (kTwipsPerPixel * m_focalPixels)) * m_down;
    if (a0.z == 0.0)
        return std::nullopt;
    const Vector3& c = m_centre;
    const double n = a0.z;
    return std::array<double, 8>{
        (c.x * a0.z - c.z * a0.x) / n,
        (c.x * au.z - c.z * au.x) / n,
        (c.x * av.z - c.z * av.x) / n,
        au.z / n,
        av.z / n,
        (c.y * a0.z - c.z * a0.y) / n,
        (c.y * au.z - c.z * au.y) / n,
        (c.y * av.z - c.z * av.y) / n,
    };
}

} // namespace leapmark
