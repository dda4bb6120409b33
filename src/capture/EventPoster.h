#pragma once

#include <functional>

namespace leapmark {

/** Hands work from any thread to the user-interface thread, which runs it in the order posted. */
class EventPoster
{
public:
    virtual ~EventPoster() = default;
    virtual void post(std::function<void()> work) = 0;
};

} // namespace leapmark
