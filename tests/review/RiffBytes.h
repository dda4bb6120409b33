#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace leapmark::testing {

/** Little-endian fields and RIFF chunks, for writing AVI files byte by byte in tests. */
inline std::string le16(std::uint16_t value)
{
    return {static_cast<char>(value & 0xff), static_cast<char>(value >> 8)};
}

inline std::string le32(std::uint32_t value)
{
    std::string bytes;
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<char>((value >> shift) & 0xff));
    return bytes;
}

inline std::string le64(std::uint64_t value)
{
    return le32(static_cast<std::uint32_t>(value)) + le32(static_cast<std::uint32_t>(value >> 32));
}

/** id, size, data and the pad byte an odd size needs. */
inline std::string chunk(std::string_view id, const std::string& data)
{
    std::string bytes = std::string(id) + le32(static_cast<std::uint32_t>(data.size())) + data;
    if (data.size() % 2 != 0)
        bytes.push_back('\0');
    return bytes;
}

inline std::string list(std::string_view type, const std::string& children)
{
    return chunk("LIST", std::string(type) + children);
}

inline std::string riff(std::string_view type, const std::string& children)
{
    return chunk("RIFF", std::string(type) + children);
}

struct MainHeaderFields
{
    std::uint32_t microSecondsPerFrame = 40000;
    std::uint32_t flags = 0x10 | 0x100;
    std::uint32_t totalFrames = 0;
    std::uint32_t streams = 1;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

inline std::string mainHeader(const MainHeaderFields& f)
{
    return chunk("avih", le32(f.microSecondsPerFrame) + le32(0) + le32(0) + le32(f.flags) +
                             le32(f.totalFrames) + le32(0) + le32(f.streams) + le32(0) + le32(f.width) +
                             le32(f.height) + std::string(16, '\0'));
}

struct StreamHeaderFields
{
    std::string type = "vids";
    std::string handler = std::string(4, '\0');
    std::uint32_t scale = 1;
    std::uint32_t rate = 25;
    std::uint32_t length = 0;
    std::int16_t left = 0, top = 0, right = 0, bottom = 0;
};

inline std::string streamHeader(const StreamHeaderFields& f)
{
    return chunk("strh",
                 f.type + f.handler + le32(0) + le16(0) + le16(0) + le32(0) + le32(f.scale) + le32(f.rate) +
                     le32(0) + le32(f.length) + le32(0) + le32(0xffffffff) + le32(0) +
                     le16(static_cast<std::uint16_t>(f.left)) + le16(static_cast<std::uint16_t>(f.top)) +
                     le16(static_cast<std::uint16_t>(f.right)) + le16(static_cast<std::uint16_t>(f.bottom)));
}

/** A BITMAPINFOHEADER format chunk; compression "" means uncompressed (0). */
inline std::string bitmapFormat(std::int32_t width, std::int32_t height, std::string_view compression,
                                std::uint16_t bitCount = 24)
{
    const std::string code = compression.empty() ? le32(0) : std::string(compression);
    const auto imageBytes =
        static_cast<std::uint32_t>((width * 3 + 3) / 4 * 4 * (height < 0 ? -height : height));
    return chunk("strf", le32(40) + le32(static_cast<std::uint32_t>(width)) +
                             le32(static_cast<std::uint32_t>(height)) + le16(1) + le16(bitCount) + code +
                             le32(imageBytes) + le32(0) + le32(0) + le32(0) + le32(0));
}

/** One old-style index entry. */
inline std::string indexEntry(std::string_view id, std::uint32_t flags, std::uint32_t offset,
                              std::uint32_t size)
{
    return std::string(id) + le32(flags) + le32(offset) + le32(size);
}

} // namespace leapmark::testing
