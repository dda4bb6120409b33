#pragma once

#include "common/Result.h"
#include "simulator/SceneGeometry.h"
#include "simulator/SimulationParameters.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace leapmark {

/** The ramp allowance of a normal (not barefoot, not sit-ski) jump, metres. */
inline constexpr double normalRampAllowanceMetres = 2.1;

/** What a simulated jump is known to be: where everything is on the water and in the picture. */
struct GroundTruth
{
    SimulationParameters parameters;
    std::int64_t frameCount = 0;
    double focalLengthPixels = 0.0;
    /** Exact pixels of the buoys' survey points, by corner number 1..4. */
    std::array<PixelPoint, 4> buoyPixels{};
    /** Empty when the ramp point is behind the camera. */
    std::optional<PixelPoint> rampPixel;
    PixelPoint landingPixel;
    /** The exact screen (twips) -> survey transform of the camera, when it has the grid's form. */
    std::optional<std::array<double, 8>> screenToSurveyCoefficients;
    /** Ramp point to landing point plus the normal ramp allowance. */
    double distanceMetres = 0.0;
};

/** The truth of a jump; fails as checkSimulationParameters does. */
[[nodiscard]] Result<GroundTruth> computeGroundTruth(const SimulationParameters& parameters);

/**
 * The ground-truth file: plain text, LF line ends, a "#" comment line first, then one fact per line
 * as "name: values", numbers in plain form (up to 15 significant digits), pixels measured from the
 * centre of the top-left pixel (screen twips are these values x 15):
 *
 *     picture_size_pixels: 1280 720
 *     frame_rate_fps: 30              (or a fraction such as 30000/1001)
 *     frame_count: 150
 *     landing_frame: 90               (first frame with the skis on the water; frames count from 0)
 *     landing_time_seconds: 3
 *     seed: 1
 *     camera_position_metres: 32 -70 14       (survey x, y, height)
 *     camera_aim_metres: 32 -14 0
 *     horizontal_field_of_view_degrees: 60
 *     focal_length_pixels: ...
 *     buoy_1_upper_right_survey_metres: 58.2 11.6
 *     buoy_1_upper_right_pixels: x y
 *     ... the same two lines for buoy_2_lower_right, buoy_3_upper_left, buoy_4_lower_left
 *     ramp_survey_metres: 0 0
 *     ramp_pixels: x y                (or "none" when behind the camera)
 *     landing_survey_metres: 45.2 0.7
 *     landing_pixels: x y
 *     distance_metres: ...            (|ramp - landing| + 2.1)
 */
[[nodiscard]] std::string groundTruthText(const GroundTruth& truth);

} // namespace leapmark
