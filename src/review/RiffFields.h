#pragma once

// Little-endian fields of RIFF chunks, and the failure the RIFF reader raises inside itself.

#include <cstdint>
#include <string>

namespace leapmark {

inline std::uint16_t le16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t le32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline std::uint64_t le64(const std::uint8_t* p)
{
    return static_cast<std::uint64_t>(le32(p)) | (static_cast<std::uint64_t>(le32(p + 4)) << 32);
}

inline std::int32_t les32(const std::uint8_t* p)
{
    return static_cast<std::int32_t>(le32(p));
}

inline std::int16_t les16(const std::uint8_t* p)
{
    return static_cast<std::int16_t>(le16(p));
}

inline std::string fourCc(const std::uint8_t* p)
{
    return std::string(reinterpret_cast<const char*>(p), 4);
}

/** Thrown inside the reader only; turned into the Result's error at its edge. */
struct RiffReadFailure
{
    std::string reason;
};

[[noreturn]] inline void failRiffRead(std::string reason)
{
    throw RiffReadFailure{std::move(reason)};
}

} // namespace leapmark
