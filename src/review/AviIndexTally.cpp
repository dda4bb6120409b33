#include "review/AviIndexTally.h"

#include "review/RiffFields.h"

#include <algorithm>
#include <array>
#include <vector>

namespace leapmark {
namespace {

constexpr std::size_t indexBlockBytes = 64 * 1024;

constexpr std::uint32_t indexKeyFrameFlag = 0x10;    // AVIIF_KEYFRAME in "idx1"
constexpr std::uint32_t deltaFrameBit = 0x80000000u; // set in an OpenDML standard index entry
constexpr std::uint8_t indexOfIndexes = 0x00;        // bIndexType of a super index
constexpr std::uint8_t indexOfChunks = 0x01;         // bIndexType of a standard index

/** Entries of one OpenDML standard index chunk; false when it cannot be read whole. */
bool tallyStandardIndex(ByteSource& source, std::uint64_t offset, std::uint64_t size, AviIndexTally& tally)
{
    std::array<std::uint8_t, 32> header{};
    if (size < 32 || offset + size > source.size() || !source.read(offset, header.data(), header.size()))
        return false;
    if (header[0] != 'i' || header[1] != 'x' || header[11] != indexOfChunks)
        return false;
    const std::uint64_t chunkBytes = std::min<std::uint64_t>(le32(header.data() + 4), size - 8);
    const std::uint64_t entries = std::min<std::uint64_t>(le32(header.data() + 12), (chunkBytes - 24) / 8);
    std::vector<std::uint8_t> block(indexBlockBytes);
    for (std::uint64_t first = 0; first < entries;) {
        const std::uint64_t count = std::min<std::uint64_t>(entries - first, indexBlockBytes / 8);
        if (!source.read(offset + 32 + first * 8, block.data(), count * 8))
            return false;
        for (std::uint64_t i = 0; i < count; ++i) {
            const std::uint32_t entrySize = le32(block.data() + i * 8 + 4);
            if ((entrySize & ~deltaFrameBit) == 0)
                continue;
            ++tally.frames;
            if (!(entrySize & deltaFrameBit))
                ++tally.keyFrames;
        }
        first += count;
    }
    return true;
}

} // namespace

AviIndexTally tallyOldIndex(ByteSource& source, std::uint64_t dataStart, std::uint32_t dataSize,
                            int streamNumber)
{
    AviIndexTally tally;
    const std::uint64_t entries = dataSize / 16;
    const char tens = static_cast<char>('0' + streamNumber / 10);
    const char units = static_cast<char>('0' + streamNumber % 10);
    std::vector<std::uint8_t> block(indexBlockBytes);
    for (std::uint64_t first = 0; first < entries;) {
        const std::uint64_t count = std::min<std::uint64_t>(entries - first, indexBlockBytes / 16);
        if (!source.read(dataStart + first * 16, block.data(), count * 16))
            return tally;
        for (std::uint64_t i = 0; i < count; ++i) {
            const std::uint8_t* entry = block.data() + i * 16;
            const bool video = entry[0] == tens && entry[1] == units && (entry[2] == 'd') &&
                               (entry[3] == 'c' || entry[3] == 'b');
            if (!video || le32(entry + 12) == 0)
                continue;
            ++tally.frames;
            if (le32(entry + 4) & indexKeyFrameFlag)
                ++tally.keyFrames;
        }
        first += count;
    }
    tally.complete = true;
    return tally;
}

AviIndexTally tallyOpenDmlIndex(ByteSource& source, std::uint64_t superIndexOffset,
                                std::uint32_t superIndexSize)
{
    AviIndexTally tally;
    std::array<std::uint8_t, 24> header{};
    if (!source.read(superIndexOffset, header.data(), header.size()) || header[3] != indexOfIndexes)
        return tally;
    const std::uint64_t entries =
        std::min<std::uint64_t>(le32(header.data() + 4), (superIndexSize - 24) / 16);
    std::uint64_t previousEnd = 0;
    std::vector<std::uint8_t> block(indexBlockBytes);
    for (std::uint64_t first = 0; first < entries;) {
        const std::uint64_t count = std::min<std::uint64_t>(entries - first, indexBlockBytes / 16);
        if (!source.read(superIndexOffset + 24 + first * 16, block.data(), count * 16))
            return tally;
        for (std::uint64_t i = 0; i < count; ++i) {
            const std::uint8_t* entry = block.data() + i * 16;
            const std::uint64_t offset = le64(entry);
            const std::uint64_t size = le32(entry + 8);
            // Slots are filled in order: the first one never filled ends the index, however many
            // entries the header claims.
            if (offset == 0 && size == 0) {
                tally.complete = true;
                return tally;
            }
            // Each standard index lies after the one before it; anything else would let a file
            // send the reader round the same bytes again and again.
            if (offset < previousEnd)
                failRiffRead("the OpenDML index entry " + std::to_string(first + i) +
                             " points back into bytes already read");
            if (!tallyStandardIndex(source, offset, size, tally))
                return tally;
            previousEnd = offset + size;
        }
        first += count;
    }
    tally.complete = true;
    return tally;
}

} // namespace leapmark
