#pragma once

#include "common/Result.h"
#include "simulator/JumpTrajectory.h"
#include "simulator/ShoreCamera.h"
#include "simulator/SimulationParameters.h"
#include "simulator/WaterBackdrop.h"
#include "video/YuvPicture.h"

#include <cstdint>
#include <vector>

namespace leapmark {

class PictureCanvas;

/**
 * Renders the frames of a simulated jump as a shore camera sees it: the water and far shore, the
 * ramp, the four buoys standing on their survey points, the skier riding up the ramp, flying and
 * landing, the wake, and the splash that grows from the landing frame on. Every frame carries its
 * index in the top-left corner (see FrameIndexPattern.h).
 *
 * Pictures are full-range YUV 4:2:0, the form MJPEG stores, so no colour conversion is needed on
 * the way to the encoder. The same parameters and frame give the same picture, byte for byte.
 */
class JumpSceneRenderer
{
public:
    /** Fails with the reason when the parameters do not make a usable clip. */
    [[nodiscard]] static Result<JumpSceneRenderer> create(const SimulationParameters& parameters);

    [[nodiscard]] const SimulationParameters& parameters() const { return m_parameters; }
    [[nodiscard]] const ShoreCamera& camera() const { return m_camera; }
    [[nodiscard]] const JumpTrajectory& trajectory() const { return m_trajectory; }
    [[nodiscard]] std::int64_t frameCount() const { return m_frameCount; }

    /** Seconds from the landing moment to a frame: exactly 0 at the landing frame. */
    [[nodiscard]] double secondsFromLanding(std::int64_t frame) const;

    /** The skier's pose in a frame. */
    [[nodiscard]] SkierPose skierPose(std::int64_t frame) const;

    /** Renders a frame into a picture (reusing its buffers when it already has this size). */
    void render(std::int64_t frame, YuvPicture& picture) const;

    [[nodiscard]] YuvPicture render(std::int64_t frame) const;

private:
    JumpSceneRenderer(const SimulationParameters& parameters, const ShoreCamera& camera);

    struct SprayDrop
    {
        Vector3 velocity;
        double radiusMetres;
    };

    void drawStaticObjects();
    void drawRamp(PictureCanvas& canvas) const;
    void drawBuoy(PictureCanvas& canvas, SurveyPoint buoy) const;
    void drawWake(PictureCanvas& canvas, double secondsFromLanding) const;
    void drawSkier(PictureCanvas& canvas, const SkierPose& pose) const;
    void drawSplash(PictureCanvas& canvas, double secondsAfterLanding) const;
    void fillWaterPatch(PictureCanvas& canvas, const Vector3& centre, double radiusMetres, YuvColour colour,
                        double opacity) const;
    [[nodiscard]] double pixelsAcross(const Vector3& point, double metres) const;

    SimulationParameters m_parameters;
    ShoreCamera m_camera;
    JumpTrajectory m_trajectory;
    std::int64_t m_frameCount = 0;
    WaterBackdrop m_backdrop;
    std::vector<SprayDrop> m_spray;
};

} // namespace leapmark
