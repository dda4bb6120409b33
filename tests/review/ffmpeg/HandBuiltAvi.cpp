#include "review/ffmpeg/HandBuiltAvi.h"

#include "review/RiffBytes.h"
#include "review/ffmpeg/PatternVideo.h"

#include <vector>

namespace leapmark::testing {

namespace {

constexpr int width = 32;
constexpr int height = 24;

std::string bottomUpFrame(int index)
{
    const auto picture = patternPicture(width, height, index);
    std::string bits;
    for (int y = height - 1; y >= 0; --y)
        bits.append(reinterpret_cast<const char*>(picture.data()) + static_cast<std::size_t>(y) * width * 3,
                    width * 3);
    return bits;
}

std::string standardIndex(const std::vector<std::uint64_t>& dataOffsets, std::uint32_t frameBytes)
{
    std::string entries;
    for (const std::uint64_t offset : dataOffsets)
        entries += le32(static_cast<std::uint32_t>(offset)) + le32(frameBytes);
    return chunk("ix00", le16(2) + std::string(1, '\0') + std::string(1, '\x01') +
                             le32(static_cast<std::uint32_t>(dataOffsets.size())) + "00db" + le64(0) +
                             le32(0) + entries);
}

} // namespace

std::string openDmlPatternAvi(int framesInFirstPart, int framesInSecondPart)
{
    const auto frameBytes = static_cast<std::uint32_t>(width * height * 3);
    const int total = framesInFirstPart + framesInSecondPart;
    // Laid out twice: the super index in the header needs the offsets of the indexes after it.
    std::uint64_t firstIndexAt = 0;
    std::uint64_t secondIndexAt = 0;
    std::string file;
    for (int pass = 0; pass < 2; ++pass) {
        const std::uint32_t firstIndexBytes = 8 + 24 + 8 * static_cast<std::uint32_t>(framesInFirstPart);
        const std::uint32_t secondIndexBytes = 8 + 24 + 8 * static_cast<std::uint32_t>(framesInSecondPart);
        const std::string superIndex =
            chunk("indx", le16(4) + std::string(1, '\0') + std::string(1, '\0') + le32(2) + "00db" +
                              std::string(12, '\0') + le64(firstIndexAt) + le32(firstIndexBytes) +
                              le32(static_cast<std::uint32_t>(framesInFirstPart)) + le64(secondIndexAt) +
                              le32(secondIndexBytes) + le32(static_cast<std::uint32_t>(framesInSecondPart)));
        MainHeaderFields main{40000, 0x10, static_cast<std::uint32_t>(framesInFirstPart), 1, width, height};
        StreamHeaderFields stream{
            "vids", std::string(4, '\0'), 1, 25, static_cast<std::uint32_t>(total), 0, 0, width, height};
        const std::string hdrl =
            list("hdrl",
                 mainHeader(main) +
                     list("strl", streamHeader(stream) + bitmapFormat(width, height, "") + superIndex) +
                     list("odml",
                          chunk("dmlh", le32(static_cast<std::uint32_t>(total)) + std::string(244, '\0'))));

        std::string part1 = "RIFF" + le32(0) + "AVI " + hdrl;
        const std::uint64_t moviData = part1.size() + 12;
        std::string movi;
        std::vector<std::uint64_t> offsets;
        for (int i = 0; i < framesInFirstPart; ++i) {
            offsets.push_back(moviData + movi.size() + 8);
            movi += chunk("00db", bottomUpFrame(i));
        }
        firstIndexAt = moviData + movi.size();
        movi += standardIndex(offsets, frameBytes);
        part1 += list("movi", movi);
        part1.replace(4, 4, le32(static_cast<std::uint32_t>(part1.size() - 8)));

        const std::uint64_t movi2Data = part1.size() + 12 + 12;
        std::string movi2;
        offsets.clear();
        for (int i = 0; i < framesInSecondPart; ++i) {
            offsets.push_back(movi2Data + movi2.size() + 8);
            movi2 += chunk("00db", bottomUpFrame(framesInFirstPart + i));
        }
        secondIndexAt = movi2Data + movi2.size();
        movi2 += standardIndex(offsets, frameBytes);
        file = part1 + riff("AVIX", list("movi", movi2));
    }
    return file;
}

std::string unknownCodecAvi()
{
    MainHeaderFields main{40000, 0x10, 1, 1, 16, 16};
    StreamHeaderFields stream{"vids", "XXXX", 1, 25, 1, 0, 0, 16, 16};
    const std::string hdrl =
        list("hdrl", mainHeader(main) + list("strl", streamHeader(stream) + bitmapFormat(16, 16, "XXXX")));
    const std::string movi = list("movi", chunk("00dc", std::string(64, '\x55')));
    return riff("AVI ", hdrl + movi + chunk("idx1", indexEntry("00dc", 0x10, 4, 64)));
}

} // namespace leapmark::testing
