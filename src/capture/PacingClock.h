#pragma once

#include <chrono>

namespace leapmark {

/**
 * The steady time a live device keeps its frame rate by. Tests may let it run faster than the wall
 * clock so that seconds of capture take less.
 */
class PacingClock
{
public:
    using Duration = std::chrono::nanoseconds;

    virtual ~PacingClock() = default;
    /** Time since an arbitrary fixed moment; never goes back. */
    [[nodiscard]] virtual Duration now() const = 0;
    virtual void sleepUntil(Duration moment) const = 0;
};

/** The machine's steady clock. */
class SteadyPacingClock final : public PacingClock
{
public:
    [[nodiscard]] Duration now() const override;
    void sleepUntil(Duration moment) const override;
};

/** The steady clock running a number of times faster than real time. */
class AcceleratedPacingClock final : public PacingClock
{
public:
    explicit AcceleratedPacingClock(double factor);
    [[nodiscard]] Duration now() const override;
    void sleepUntil(Duration moment) const override;

private:
    double m_factor;
    std::chrono::steady_clock::time_point m_origin;
};

} // namespace leapmark
