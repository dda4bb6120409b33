#pragma once

namespace leapmark {

/** Shows the hourglass pointer for as long as it lives; restored on every path out of a handler. */
class WaitCursor
{
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace leapmark
