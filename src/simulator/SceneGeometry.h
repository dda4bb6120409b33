#pragma once

#include <cmath>

namespace leapmark {

/** A point on the water in survey metres (the survey's own plane axes). */
struct SurveyPoint
{
    double xMetres = 0.0;
    double yMetres = 0.0;

    friend bool operator==(const SurveyPoint&, const SurveyPoint&) = default;
};

/** A point in the camera's picture, in pixels: x to the right, y downwards, (0, 0) at the centre of the
 *  top-left pixel, so a pixel's index is its own coordinate and twips are these values x 15. */
struct PixelPoint
{
    double x = 0.0;
    double y = 0.0;
};

/** A point or direction in the survey frame with height above the water (metres; z up, z = 0 the water). */
struct Vector3
{
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    friend Vector3 operator+(const Vector3& a, const Vector3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
    friend Vector3 operator-(const Vector3& a, const Vector3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
    friend Vector3 operator*(double s, const Vector3& a) { return {s * a.x, s * a.y, s * a.z}; }
};

[[nodiscard]] inline double dot(const Vector3& a, const Vector3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

[[nodiscard]] inline Vector3 cross(const Vector3& a, const Vector3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

[[nodiscard]] inline double length(const Vector3& a)
{
    return std::sqrt(dot(a, a));
}

[[nodiscard]] inline Vector3 normalized(const Vector3& a)
{
    return (1.0 / length(a)) * a;
}

/** The survey point at a height above the water. */
[[nodiscard]] inline Vector3 abovePoint(SurveyPoint p, double heightMetres)
{
    return {p.xMetres, p.yMetres, heightMetres};
}

} // namespace leapmark
