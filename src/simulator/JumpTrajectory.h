#pragma once

#include "simulator/SceneGeometry.h"

namespace leapmark {

/** What the skier is doing at a moment of the clip. */
enum class SkierPhase { Approach, OnRamp, Flight, Landed };

/** Where the skier is: the point under the middle of the skis (height 0 on the water) and the heading. */
struct SkierPose
{
    Vector3 contact;
    Vector3 heading; ///< horizontal unit vector of travel
    SkierPhase phase = SkierPhase::Approach;
};

/**
 * The skier's path through one jump: straight along the line from the ramp to the landing, on the
 * water, up the ramp, a ballistic flight from the ramp's top edge that meets the water exactly at the
 * landing point, and a run-out that slows down after it. Times are seconds from the landing, so the
 * landing moment is exactly time 0 and the pose there is exactly the landing point on the water.
 */
class JumpTrajectory
{
public:
    static constexpr double rampLengthMetres = 6.4;
    static constexpr double rampWidthMetres = 4.3;
    static constexpr double rampHeightMetres = 1.8;
    static constexpr double gravity = 9.81;

    JumpTrajectory(SurveyPoint ramp, SurveyPoint landing);

    [[nodiscard]] SkierPose poseAt(double secondsFromLanding) const;

    /** Seconds between leaving the ramp's edge and touching the water. */
    [[nodiscard]] double flightSeconds() const { return m_flightSeconds; }
    [[nodiscard]] double speedMetresPerSecond() const { return m_speed; }
    [[nodiscard]] Vector3 heading() const { return m_heading; }

private:
    SurveyPoint m_ramp;
    SurveyPoint m_landing;
    Vector3 m_heading;
    double m_speed = 0.0;
    double m_flightSeconds = 0.0;
    double m_sinkSpeed = 0.0; ///< downward speed at the landing
};

} // namespace leapmark
