#include "simulator/JumpTrajectory.h"

#include <algorithm>
#include <cmath>

namespace leapmark {
namespace {

/** How quickly the skier slows down after landing (seconds for the speed to fall to a third). */
constexpr double runOutSeconds = 1.4;

} // namespace

JumpTrajectory::JumpTrajectory(SurveyPoint ramp, SurveyPoint landing) : m_ramp(ramp), m_landing(landing)
{
    const Vector3 span{landing.xMetres - ramp.xMetres, landing.yMetres - ramp.yMetres, 0.0};
    const double jumpMetres = length(span);
    m_heading = normalized(span);
    // Longer jumps come from faster skiers rather than ever higher flights: about two seconds in the air.
    m_flightSeconds = std::clamp(jumpMetres / 23.0, 0.8, 2.3);
    m_speed = jumpMetres / m_flightSeconds;
    // Height above the water b seconds before the landing: sink b - g b² / 2, the ramp height at b = flight.
    m_sinkSpeed = (rampHeightMetres + gravity * m_flightSeconds * m_flightSeconds / 2.0) / m_flightSeconds;
}

SkierPose JumpTrajectory::poseAt(double secondsFromLanding) const
{
    const Vector3 landing = abovePoint(m_landing, 0.0);
    if (secondsFromLanding >= 0.0) {
        const double travelled =
            m_speed * runOutSeconds * (1.0 - std::exp(-secondsFromLanding / runOutSeconds));
        return {landing + travelled * m_heading, m_heading, SkierPhase::Landed};
    }
    const double before = -secondsFromLanding;
    if (before <= m_flightSeconds) {
        Vector3 contact = landing - (m_speed * before) * m_heading;
        contact.z = m_sinkSpeed * before - gravity * before * before / 2.0;
        return {contact, m_heading, SkierPhase::Flight};
    }
    const double shortOfEdge = m_speed * (before - m_flightSeconds);
    Vector3 contact = abovePoint(m_ramp, 0.0) - shortOfEdge * m_heading;
    if (shortOfEdge < rampLengthMetres) {
        contact.z = rampHeightMetres * (1.0 - shortOfEdge / rampLengthMetres);
        return {contact, m_heading, SkierPhase::OnRamp};
    }
    return {contact, m_heading, SkierPhase::Approach};
}

} // namespace leapmark
