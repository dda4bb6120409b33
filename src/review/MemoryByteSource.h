#pragma once

#include "review/ByteSource.h"

#include <string_view>

namespace leapmark {

/** Bytes held by the caller, who keeps them alive while they are read. */
class MemoryByteSource final : public ByteSource
{
public:
    explicit MemoryByteSource(std::string_view bytes) : m_bytes(bytes) {}
    [[nodiscard]] std::uint64_t size() const override { return m_bytes.size(); }
    bool read(std::uint64_t offset, void* out, std::size_t count) override;

private:
    std::string_view m_bytes;
};

} // namespace leapmark
