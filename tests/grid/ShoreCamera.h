#pragma once

#include "grid/ProjectiveTransform.h"

namespace leapmark::testing {

/**
 * A pinhole camera on the shore looking across a jump course, as an independent ground truth for
 * the solved transform: survey metres on the water (height 0) to picture twips.
 */
class ShoreCamera
{
public:
    struct Placement
    {
        double eastMetres = 0.0;  ///< camera position, survey x
        double northMetres = 0.0; ///< camera position, survey y
        double heightMetres = 0.0;
        PlanePoint lookAt;          ///< survey point in the middle of the picture
        double focalPixels = 800.0; ///< focal length
        double widthPixels = 720.0;
        double heightPixels = 480.0;
    };

    explicit ShoreCamera(Placement placement);

    /** Where a point on the water appears, in picture twips (pixels x 15), unrounded. */
    [[nodiscard]] PlanePoint twipsOf(PlanePoint survey) const;

    /** The same, snapped to the pixel the operator would click. */
    [[nodiscard]] PlanePoint clickedTwipsOf(PlanePoint survey) const;

private:
    Placement m_placement;
    double m_forward[3]{};
    double m_right[3]{};
    double m_down[3]{};
};

/** A course: ramp reference point and four buoys 30 to 60 m out, corner order 1..4. */
struct Course
{
    PlanePoint ramp;
    CornerPoints buoys;
};

/** A course with its survey origin off to one side, as surveyors leave it. */
[[nodiscard]] Course sampleCourse();

/** A camera on the shore to the right of the course, 70 m out, 6 m up. */
[[nodiscard]] ShoreCamera sampleShoreCamera(const Course& course);

} // namespace leapmark::testing
