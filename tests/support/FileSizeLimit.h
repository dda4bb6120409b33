#pragma once

#include <cstdint>
#include <functional>

namespace leapmark::testing {

/**
 * Runs work in a child process whose files may not grow beyond limitBytes, as on a disk that fills
 * up mid-write: a write past the limit fails with EFBIG (the signal it would raise is ignored).
 * Returns the child's exit status: work's own return value, or -1 when the child did not exit
 * normally.
 */
int runWithFileSizeLimit(std::uint64_t limitBytes, const std::function<int()>& work);

} // namespace leapmark::testing
