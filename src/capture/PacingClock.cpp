#include "capture/PacingClock.h"

#include <thread>

namespace leapmark {

PacingClock::Duration SteadyPacingClock::now() const
{
    return std::chrono::duration_cast<Duration>(std::chrono::steady_clock::now().time_since_epoch());
}

void SteadyPacingClock::sleepUntil(Duration moment) const
{
    std::this_thread::sleep_until(std::chrono::steady_clock::time_point(moment));
}

AcceleratedPacingClock::AcceleratedPacingClock(double factor)
    : m_factor(factor > 0.0 ? factor : 1.0), m_origin(std::chrono::steady_clock::now())
{}

PacingClock::Duration AcceleratedPacingClock::now() const
{
    const auto real = std::chrono::steady_clock::now() - m_origin;
    return Duration(static_cast<Duration::rep>(static_cast<double>(real.count()) * m_factor));
}

void AcceleratedPacingClock::sleepUntil(Duration moment) const
{
    const auto real = Duration(static_cast<Duration::rep>(static_cast<double>(moment.count()) / m_factor));
    std::this_thread::sleep_until(m_origin + real);
}

} // namespace leapmark
