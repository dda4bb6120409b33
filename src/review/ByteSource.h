#pragma once

#include <cstddef>
#include <cstdint>

namespace leapmark {

/** Random access to the bytes a reader walks through: a file or a buffer. */
class ByteSource
{
public:
    virtual ~ByteSource() = default;
    [[nodiscard]] virtual std::uint64_t size() const = 0;
    /** Reads exactly count bytes at offset; false when they are not all there. */
    virtual bool read(std::uint64_t offset, void* out, std::size_t count) = 0;
};

} // namespace leapmark
