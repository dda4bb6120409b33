#pragma once

#include "review/RiffBytes.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace leapmark::testing {

/**
 * A file shaped to make a reader work: bytes, then a run of zeros the file system need not store
 * (gigabytes cost a few KB of disk), then more bytes.
 */
struct HostileFile
{
    std::string head;
    std::uint64_t zeroBytes = 0;
    std::string tail;

    void write(const std::filesystem::path& path) const
    {
        {
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out.write(head.data(), static_cast<std::streamsize>(head.size()));
        }
        std::filesystem::resize_file(path, head.size() + zeroBytes);
        std::ofstream out(path, std::ios::binary | std::ios::app);
        out.write(tail.data(), static_cast<std::streamsize>(tail.size()));
    }
};

/**
 * An AVI whose video stream list ends in a chunk claiming claimedBytes: its first bytes are given,
 * the rest are zeros. The movie list and index follow it.
 */
inline HostileFile aviWithHugeStreamChunk(const std::string& id, std::uint32_t claimedBytes,
                                          const std::string& leading, const std::string& movieChunks,
                                          const std::string& index, int width = 32, int height = 24,
                                          const std::string& compression = "MJPG")
{
    const std::string stream =
        streamHeader({"vids", compression, 1, 25, 0, 0, 0, static_cast<std::int16_t>(width),
                      static_cast<std::int16_t>(height)}) +
        (id == "strf" ? std::string() : bitmapFormat(width, height, compression));
    const std::uint64_t strlBytes = 4 + stream.size() + 8 + claimedBytes + (claimedBytes & 1);
    const std::string main = mainHeader(
        {40000, 0x10, 0, 1, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)});
    const std::uint64_t hdrlBytes = 4 + main.size() + 8 + strlBytes;
    HostileFile file;
    file.tail = list("movi", movieChunks) + chunk("idx1", index);
    const std::uint64_t riffBytes = 4 + 8 + hdrlBytes + file.tail.size();
    file.head = "RIFF" + le32(static_cast<std::uint32_t>(riffBytes)) + "AVI " + "LIST" +
                le32(static_cast<std::uint32_t>(hdrlBytes)) + "hdrl" + main + "LIST" +
                le32(static_cast<std::uint32_t>(strlBytes)) + "strl" + stream + id + le32(claimedBytes) +
                leading;
    file.zeroBytes = claimedBytes + (claimedBytes & 1) - leading.size();
    return file;
}

/** The header of an OpenDML super index claiming every slot of a chunk of chunkBytes as in use. */
inline std::string superIndexClaimingAll(std::uint32_t chunkBytes)
{
    return le16(4) + std::string(1, '\0') + std::string(1, '\0') + le32((chunkBytes - 24) / 16) + "00dc" +
           std::string(12, '\0');
}

/** A bitmap format header followed by codec data the rest of the chunk claims. */
inline std::string formatHeader(int width, int height, const std::string& compression = "MJPG")
{
    return bitmapFormat(width, height, compression).substr(8);
}

} // namespace leapmark::testing
