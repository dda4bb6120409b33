#include "simulator/LiveJumpCamera.h"

#include "simulator/FrameIndexPattern.h"

#include <cmath>

namespace leapmark {
namespace {

PacingClock::Duration frameTime(FrameRate rate, std::int64_t frame)
{
    // Exact in whole nanoseconds: frame x denominator / numerator seconds.
    const auto nanoseconds = static_cast<long double>(frame) * rate.denominator * 1e9L / rate.numerator;
    return PacingClock::Duration(static_cast<PacingClock::Duration::rep>(std::llround(nanoseconds)));
}

} // namespace

LiveJumpCamera::LiveJumpCamera(const PacingClock& clock, SimulationParameters scene, LiveJumpTiming timing)
    : m_clock(clock), m_scene(scene), m_timing(timing)
{}

Result<SimulationParameters> LiveJumpCamera::parametersFor(const SourceFormat& format) const
{
    SimulationParameters parameters = m_scene;
    parameters.size = format.size;
    parameters.rate = format.rate;
    parameters.seconds = m_timing.cycleSeconds;
    parameters.landingFrame = std::llround(m_timing.landingInCycleSeconds * format.rate.framesPerSecond());
    if (auto checked = checkSimulationParameters(parameters); !checked)
        return Error("The simulated camera cannot deliver " + sizeText(format.size) + " at " +
                         frameRateText(format.rate) + " frames per second: " + checked.error().text(),
                     ErrorKind::Unsupported);
    return parameters;
}

Result<void> LiveJumpCamera::open(const SourceFormat& format)
{
    auto parameters = parametersFor(format);
    if (!parameters)
        return parameters.error();
    auto renderer = JumpSceneRenderer::create(*parameters);
    if (!renderer)
        return renderer.error();
    m_renderer.emplace(std::move(*renderer));
    m_rate = format.rate;
    m_cycleFrames = std::max<std::int64_t>(1, frameCount(*parameters));
    m_landingInCycle = parameters->landingFrame;
    m_openedAt = m_clock.now();
    m_nextFrame = 0;
    m_landingFrame = m_landingInCycle;
    return success();
}

void LiveJumpCamera::close()
{
    m_renderer.reset();
}

SimulationParameters LiveJumpCamera::sceneParameters() const
{
    return m_renderer ? m_renderer->parameters() : m_scene;
}

void LiveJumpCamera::recordingStarted()
{
    m_landingFrame = m_nextFrame.load() + std::llround(m_timing.secondsToLanding * m_rate.framesPerSecond());
}

std::int64_t LiveJumpCamera::sceneFrameOf(std::int64_t cameraFrame) const
{
    // The jump repeats every cycle; its landing falls on the current landing frame.
    std::int64_t offset = (cameraFrame - m_landingFrame.load() + m_landingInCycle) % m_cycleFrames;
    if (offset < 0)
        offset += m_cycleFrames;
    return offset;
}

Result<void> LiveJumpCamera::waitForFrame()
{
    if (!m_renderer)
        return Error("The simulated camera is not open");
    std::int64_t frame = m_nextFrame;
    const PacingClock::Duration now = m_clock.now();
    const PacingClock::Duration period = frameTime(m_rate, 1);
    if (now > m_openedAt + frameTime(m_rate, frame) + period) {
        // Behind by more than a frame: the frames whose time has passed are gone.
        const auto elapsed = static_cast<long double>((now - m_openedAt).count());
        frame = static_cast<std::int64_t>(elapsed * m_rate.numerator / (m_rate.denominator * 1e9L));
    }
    m_clock.sleepUntil(m_openedAt + frameTime(m_rate, frame));
    m_readyFrame = frame;
    m_nextFrame = frame + 1;
    return success();
}

Result<std::int64_t> LiveJumpCamera::takeFrame(YuvPicture* picture)
{
    if (!m_renderer)
        return Error("The simulated camera is not open");
    if (picture) {
        m_renderer->render(sceneFrameOf(m_readyFrame), *picture);
        frame_index_pattern::stamp(*picture, m_readyFrame);
    }
    return m_readyFrame;
}

} // namespace leapmark
