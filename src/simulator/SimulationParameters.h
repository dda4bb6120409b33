#pragma once

#include "common/Result.h"
#include "simulator/SceneGeometry.h"
#include "simulator/ShoreCamera.h"
#include "video/VideoFormat.h"

#include <array>
#include <cstdint>

namespace leapmark {

/**
 * Everything that decides a simulated jump. The defaults are a tournament scene: the ramp's
 * reference point at survey (0, 0), jumps along +x, four buoys between 30 and 58 m out, about 12 m
 * either side of the course, a camera on the shore 70 m to the side and 14 m up, and a landing
 * at 45 m in frame 90 of a five-second clip at 1280 x 720 and 30 frames per second.
 */
struct SimulationParameters
{
    PictureSize size{1280, 720};
    FrameRate rate{30, 1};
    double seconds = 5.0;
    CameraPlacement camera{{32.0, -70.0}, 14.0, {32.0, -14.0}, 60.0};
    /** Buoy survey points by corner number 1..4: upper right, lower right, upper left, lower left
     *  (upper = far from the camera, right = further from the ramp as the default camera sees it). */
    std::array<SurveyPoint, 4> buoys{{{58.2, 11.6}, {57.9, -12.3}, {30.4, 12.2}, {30.1, -11.9}}};
    SurveyPoint ramp{0.0, 0.0};
    SurveyPoint landing{45.2, 0.7};
    /** The frame in which the skis first touch the water. */
    std::int64_t landingFrame = 90;
    std::uint64_t seed = 1;
};

/** Frames in the clip: the duration at the frame rate, rounded to the nearest frame. */
[[nodiscard]] std::int64_t frameCount(const SimulationParameters& parameters);

/**
 * Checks that the parameters make a usable clip: an even picture size from 64 x 64 to 7680 x 4320
 * (4:2:0 pictures), a positive rate up to 1000 frames per second, a clip of 1 to 65535 frames, the
 * landing frame inside the clip, the landing at least 5 m from the ramp, buoys at least 1 m apart, and
 * a camera that sees all four buoys, in their corner order, and the landing inside the picture. Gives
 * that camera, or a message saying what is wrong.
 */
[[nodiscard]] Result<ShoreCamera> checkSimulationParameters(const SimulationParameters& parameters);

} // namespace leapmark
