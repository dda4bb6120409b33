#include "review/MemoryByteSource.h"

#include <cstring>

namespace leapmark {

bool MemoryByteSource::read(std::uint64_t offset, void* out, std::size_t count)
{
    if (offset > m_bytes.size() || count > m_bytes.size() - offset)
        return false;
    std::memcpy(out, m_bytes.data() + offset, count);
    return true;
}

} // namespace leapmark
