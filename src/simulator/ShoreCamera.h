#pragma once

#include "common/Result.h"
#include "simulator/SceneGeometry.h"
#include "video/VideoFormat.h"

#include <array>
#include <optional>

namespace leapmark {

/** Where a shore camera stands and what it looks at. */
struct CameraPlacement
{
    SurveyPoint position; ///< the lens, seen from above
    double heightMetres;  ///< the lens above the water
    SurveyPoint aim;      ///< the water point at the centre of the picture
    double horizontalFieldOfViewDegrees;
};

/**
 * An exact pinhole camera over the water plane z = 0. The camera is level (no roll): the picture's
 * horizontal axis stays parallel to the water, as on a tripod head. The optical axis passes through
 * the centre of the picture, ((width - 1) / 2, (height - 1) / 2) in pixel coordinates, and pixels are
 * square, the focal length following from the horizontal field of view.
 *
 * Because the water is a plane, pixel <-> water point is a plane projective transform; the camera
 * gives its coefficients in the form the grid transform uses, so a grid solved from the buoys can be
 * compared with the exact one.
 */
class ShoreCamera
{
public:
    /** Fails when the camera is not above the water, looks straight down or up, aims at its own
     *  foot point, has a field of view outside 1..170 degrees, or the picture has no pixels. */
    [[nodiscard]] static Result<ShoreCamera> create(const CameraPlacement& placement, PictureSize size);

    [[nodiscard]] const CameraPlacement& placement() const { return m_placement; }
    [[nodiscard]] PictureSize pictureSize() const { return m_size; }
    [[nodiscard]] double focalLengthPixels() const { return m_focalPixels; }
    [[nodiscard]] Vector3 position() const { return m_centre; }

    /** The pixel a point of the scene falls on; empty when it is not in front of the lens. */
    [[nodiscard]] std::optional<PixelPoint> project(const Vector3& point) const;

    /** The pixel of a survey point on the water. */
    [[nodiscard]] std::optional<PixelPoint> pixelOfSurveyPoint(SurveyPoint point) const;

    /** The water point seen at a pixel; empty at and above the horizon. */
    [[nodiscard]] std::optional<SurveyPoint> surveyPointOfPixel(PixelPoint pixel) const;

    /** Distance of a point in front of the lens along the optical axis (pixel scale = focal / depth). */
    [[nodiscard]] double depthMetres(const Vector3& point) const;

    /** The viewing ray through a pixel (not of unit length; its depth component is 1). */
    [[nodiscard]] Vector3 rayThrough(PixelPoint pixel) const;

    /** True when the pixel lies inside the picture (pixel centres 0 .. size - 1, half a pixel beyond). */
    [[nodiscard]] bool isInPicture(PixelPoint pixel) const;

    /**
     * Coefficients c1..c8 of the screen-to-survey transform with screen positions in twips (pixels x
     * 15): X = (c1 + c2 u + c3 v) / (1 + c4 u + c5 v), Y = (c6 + c7 u + c8 v) / (1 + c4 u + c5 v).
     * Empty when the ray through the top-left corner is parallel to the water, which this form
     * cannot express.
     */
    [[nodiscard]] std::optional<std::array<double, 8>> screenToSurveyCoefficients() const;

private:
    ShoreCamera() = default;

    CameraPlacement m_placement{};
    PictureSize m_size;
    Vector3 m_centre;
    Vector3 m_forward;
    Vector3 m_right;
    Vector3 m_down;
    double m_focalPixels = 0.0;
    double m_principalX = 0.0;
    double m_principalY = 0.0;
};

} // namespace leapmark
