#pragma once

namespace leapmark {

/** A moment on the local wall clock, to the second. */
struct LocalDateTime
{
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

/** Where the program takes the time of day from; file names and record lines depend on it. */
class Clock
{
public:
    virtual ~Clock() = default;
    [[nodiscard]] virtual LocalDateTime now() const = 0;
};

/** The machine's local clock. */
class SystemClock final : public Clock
{
public:
    [[nodiscard]] LocalDateTime now() const override;
};

/** A clock that shows what it was set to; for tests and reproducible runs. */
class FixedClock final : public Clock
{
public:
    FixedClock() = default;
    explicit FixedClock(LocalDateTime moment) : m_moment(moment) {}

    void set(int year, int month, int day, int hour, int minute, int second)
    {
        m_moment = {year, month, day, hour, minute, second};
    }
    void set(LocalDateTime moment) { m_moment = moment; }
    [[nodiscard]] LocalDateTime now() const override { return m_moment; }

private:
    LocalDateTime m_moment{2026, 12, 7, 15, 53, 4};
};

} // namespace leapmark
