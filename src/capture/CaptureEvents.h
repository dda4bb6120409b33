#pragma once

#include <string>

namespace leapmark {

/** Status codes of capture events. */
namespace capture_status {
/** A recording has begun. */
inline constexpr int started = 300;
/** A recording has ended: stopped, at its time limit, or after a failure. */
inline constexpr int ended = 301;
/** The counters have moved. */
inline constexpr int progress = 510;
/** The device closes and opens again for changed settings. */
inline constexpr int restarting = 320;
/** The device runs again with the changed settings. */
inline constexpr int restarted = 321;
} // namespace capture_status

/**
 * What the capture pipeline reports while it runs. Called from the pipeline's own threads: an
 * implementation hands the events over to the thread that shows them.
 */
class CaptureEvents
{
public:
    virtual ~CaptureEvents() = default;
    virtual void status(int code, const std::string& text) = 0;
    virtual void message(const std::string& text) = 0;
    virtual void warning(const std::string& text) = 0;
};

} // namespace leapmark
