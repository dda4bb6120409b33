#pragma once

#include "capture/CaptureSource.h"
#include "capture/PacingClock.h"
#include "simulator/JumpSceneRenderer.h"
#include "simulator/SimulationParameters.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>

namespace leapmark {

/** How the simulated live camera's jumps run. */
struct LiveJumpTiming
{
    /** Seconds from the start of a recording to the skis touching the water. */
    double secondsToLanding = 3.0;
    /** Between recordings the jump repeats; one jump takes this long. */
    double cycleSeconds = 10.0;
    /** The landing's place in a repeated jump, seconds from the jump's start. */
    double landingInCycleSeconds = 4.0;
};

/**
 * The simulated shore camera as a live capture device. It renders the jump scene in real time at the
 * size and rate it is opened with, paced by its clock: frame N is due N frame times after it opened,
 * and when rendering falls behind it skips ahead as a real camera's sensor would. Every picture carries
 * the camera's own frame counter in the frame-index pattern. Starting a recording sends the next skier
 * over the ramp: the skis touch the water secondsToLanding later, in camera frame landingFrameNumber().
 */
class LiveJumpCamera final : public CaptureSource
{
public:
    /** The scene's course, landing and seed come from scene; its size, rate and length from open(). */
    explicit LiveJumpCamera(const PacingClock& clock, SimulationParameters scene = {},
                            LiveJumpTiming timing = {});

    [[nodiscard]] Result<void> open(const SourceFormat& format) override;
    [[nodiscard]] Result<void> waitForFrame() override;
    [[nodiscard]] Result<std::int64_t> takeFrame(YuvPicture* picture) override;
    void close() override;
    void recordingStarted() override;

    /** The camera frame in which the skis touch the water in the current jump. */
    [[nodiscard]] std::int64_t landingFrameNumber() const { return m_landingFrame; }
    /** The scene as opened: buoys, camera, landing point; its size and rate are the device's. */
    [[nodiscard]] SimulationParameters sceneParameters() const;

    /** The scene parameters a format gives, or the reason the camera cannot deliver it. */
    [[nodiscard]] Result<SimulationParameters> parametersFor(const SourceFormat& format) const;

private:
    [[nodiscard]] std::int64_t sceneFrameOf(std::int64_t cameraFrame) const;

    const PacingClock& m_clock;
    SimulationParameters m_scene;
    LiveJumpTiming m_timing;
    std::optional<JumpSceneRenderer> m_renderer;
    FrameRate m_rate;
    PacingClock::Duration m_openedAt{};
    std::int64_t m_cycleFrames = 1;
    std::int64_t m_landingInCycle = 0;
    std::atomic<std::int64_t> m_nextFrame{0};
    std::int64_t m_readyFrame = 0;
    std::atomic<std::int64_t> m_landingFrame{0};
};

} // namespace leapmark
