#include "review/AviRiffReader.h"

#include "common/PathText.h"
#include "common/Rounding.h"
#include "review/AviIndexTally.h"
#include "review/FileByteSource.h"
#include "review/MemoryByteSource.h"
#include "review/RiffFields.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace leapmark {

std::uint32_t roundedFrameRate(const AviFileInfo& info)
{
    if (info.scale == 0)
        return 0;
    return static_cast<std::uint32_t>(roundHalfEven(static_cast<double>(info.rate) / info.scale));
}

bool hasAviSignature(std::string_view leadingBytes)
{
    return leadingBytes.size() >= 12 && leadingBytes.substr(0, 4) == "RIFF" &&
           leadingBytes.substr(8, 4) == "AVI ";
}

namespace {

// Bounds that keep a hostile file from making the reader spin: a real header list holds a handful
// of chunks and streams, and a real file a few thousand top-level chunks at most.
constexpr int maxHeaderChunks = 4096;
constexpr int maxStreams = 64;
constexpr long maxTopLevelChunks = 1'000'000;
// A video format is a bitmap header with a palette or a few hundred bytes of codec data; FFmpeg
// would allocate whatever a format claims, several times over.
constexpr std::uint32_t maxFormatBytes = 1024 * 1024;

/** Chunk ids are four printable characters; zeros or noise mean the written data has ended. */
bool isChunkId(const std::string& id)
{
    return std::all_of(id.begin(), id.end(), [](char c) { return c >= 0x20 && c <= 0x7e; });
}

/** A chunk header as found; dataEnd is where the declared size says the data ends. */
struct Chunk
{
    std::uint64_t offset = 0;
    std::string id;
    std::uint32_t declaredSize = 0;
    [[nodiscard]] std::uint64_t dataStart() const { return offset + 8; }
    [[nodiscard]] std::uint64_t dataEnd() const { return offset + 8 + declaredSize; }
    /** Where the next chunk starts: data padded to an even length. */
    [[nodiscard]] std::uint64_t next() const { return dataEnd() + (declaredSize & 1u); }
};

struct StreamFacts
{
    int number = 0;
    std::string type;
    std::string handler;
    std::uint32_t scale = 0;
    std::uint32_t rate = 0;
    std::uint32_t length = 0;
    FrameRectangle frame;
    bool hasFormat = false;
    std::int32_t formatWidth = 0;
    std::int32_t formatHeight = 0;
    std::uint32_t formatCompression = 0;
    bool hasSuperIndex = false;
    std::uint64_t superIndexOffset = 0;
    std::uint32_t superIndexSize = 0;
};

std::string at(std::uint64_t offset)
{
    return " at byte " + std::to_string(offset);
}

class AviReader
{
public:
    explicit AviReader(ByteSource& source) : m_source(source) {}

    AviFileInfo read()
    {
        std::array<std::uint8_t, 12> riff{};
        if (!m_source.read(0, riff.data(), riff.size()) ||
            !hasAviSignature(std::string_view(reinterpret_cast<const char*>(riff.data()), riff.size())))
            failRiffRead("not an AVI file (it does not begin with \"RIFF\" and \"AVI \")");

        // A capture cut short leaves the RIFF size at its placeholder; the file's real end rules.
        const std::uint32_t riffSize = le32(riff.data() + 4);
        std::uint64_t riffEnd = m_source.size();
        if (riffSize >= 4)
            riffEnd = std::min<std::uint64_t>(riffEnd, 8ull + riffSize);

        walkTopLevel(12, riffEnd);
        if (!m_sawHeaderList)
            failRiffRead("the AVI header list (\"hdrl\") is missing");
        if (!m_sawMainHeader)
            failRiffRead("the AVI main header (\"avih\") is missing");
        if (!m_video)
            failRiffRead("the file has no video stream");
        return buildInfo();
    }

private:
    std::optional<Chunk> chunkAt(std::uint64_t offset, std::uint64_t limit)
    {
        std::array<std::uint8_t, 8> header{};
        if (offset + 8 > limit || !m_source.read(offset, header.data(), header.size()))
            return std::nullopt;
        return Chunk{offset, fourCc(header.data()), le32(header.data() + 4)};
    }

    /** The chunk at offset of a list ending at end; one that claims to reach past its list fails. */
    std::optional<Chunk> chunkInList(std::uint64_t offset, std::uint64_t end)
    {
        const auto chunk = chunkAt(offset, end);
        if (chunk && chunk->dataEnd() > end)
            failRiffRead("chunk \"" + chunk->id + "\"" + at(chunk->offset) +
                         " claims more bytes than its list holds");
        return chunk;
    }

    std::string listType(const Chunk& list)
    {
        std::array<std::uint8_t, 4> type{};
        // Read even when the size is a placeholder: an unfinished capture's movie list says 0.
        if (!m_source.read(list.dataStart(), type.data(), type.size()))
            return {};
        return fourCc(type.data());
    }

    /** The chunk's data, at most maxBytes of it; the chunk must lie inside its list. */
    std::vector<std::uint8_t> smallChunkData(const Chunk& chunk, std::size_t maxBytes)
    {
        std::vector<std::uint8_t> data(std::min<std::size_t>(chunk.declaredSize, maxBytes));
        if (!m_source.read(chunk.dataStart(), data.data(), data.size()))
            failRiffRead("chunk \"" + chunk.id + "\"" + at(chunk.offset) + " runs past the end of the file");
        return data;
    }

    void walkTopLevel(std::uint64_t offset, std::uint64_t end)
    {
        for (long count = 0; count < maxTopLevelChunks; ++count) {
            const auto chunk = chunkAt(offset, end);
            if (!chunk)
                return;
            const bool fits = chunk->dataEnd() <= end;
            if (chunk->id == "LIST") {
                const std::string type = listType(*chunk);
                if (type == "hdrl") {
                    if (!fits)
                        failRiffRead("the AVI header list runs past the end of the file");
                    m_sawHeaderList = true;
                    walkHeaderList(chunk->dataStart() + 4, chunk->dataEnd());
                } else if (type == "movi") {
                    m_moviStart = chunk->dataStart() + 4;
                    // An unfinished capture leaves the list size at a placeholder: its chunks run
                    // to the end of the file, and nothing after them can be found.
                    if (!fits || chunk->declaredSize < 4) {
                        m_moviEnd = end;
                        return;
                    }
                    m_moviEnd = chunk->dataEnd();
                }
            } else if (chunk->id == "idx1") {
                m_idx1 = chunk;
                if (!fits)
                    m_idx1->declaredSize = static_cast<std::uint32_t>(end - chunk->dataStart());
            }
            if (!fits)
                return;
            offset = chunk->next();
        }
    }

    void walkHeaderList(std::uint64_t offset, std::uint64_t end)
    {
        int streamNumber = 0;
        for (int count = 0; count < maxHeaderChunks; ++count) {
            const auto chunk = chunkInList(offset, end);
            if (!chunk)
                return;
            if (chunk->id == "avih") {
                readMainHeader(*chunk);
            } else if (chunk->id == "LIST") {
                const std::string type = listType(*chunk);
                if (type == "strl") {
                    if (streamNumber >= maxStreams)
                        failRiffRead("the file declares more than " + std::to_string(maxStreams) +
                                     " streams");
                    readStreamList(streamNumber++, chunk->dataStart() + 4, chunk->dataEnd());
                } else if (type == "odml") {
                    readOpenDmlList(chunk->dataStart() + 4, chunk->dataEnd());
                }
            }
            offset = chunk->next();
        }
        failRiffRead("the AVI header list holds too many chunks");
    }

    void readMainHeader(const Chunk& chunk)
    {
        if (chunk.declaredSize < 40)
            failRiffRead("the AVI main header" + at(chunk.offset) + " is too short");
        const auto data = smallChunkData(chunk, 40);
        m_mainFlags = le32(data.data() + 12);
        m_mainTotalFrames = le32(data.data() + 16);
        m_mainWidth = le32(data.data() + 32);
        m_mainHeight = le32(data.data() + 36);
        m_sawMainHeader = true;
    }

    void readStreamList(int number, std::uint64_t offset, std::uint64_t end)
    {
        StreamFacts stream;
        stream.number = number;
        for (int count = 0; count < maxHeaderChunks; ++count) {
            const auto chunk = chunkInList(offset, end);
            if (!chunk)
                break;
            if (chunk->id == "strh") {
                if (chunk->declaredSize < 48)
                    failRiffRead("the stream header" + at(chunk->offset) + " is too short");
                const auto data = smallChunkData(*chunk, 56);
                stream.type = fourCc(data.data());
                stream.handler = fourCc(data.data() + 4);
                stream.scale = le32(data.data() + 20);
                stream.rate = le32(data.data() + 24);
                stream.length = le32(data.data() + 32);
                if (data.size() >= 56)
                    stream.frame = {les16(data.data() + 48), les16(data.data() + 50), les16(data.data() + 52),
                                    les16(data.data() + 54)};
            } else if (chunk->id == "strf" && chunk->declaredSize > maxFormatBytes) {
                failRiffRead("the stream format" + at(chunk->offset) + " claims " +
                             std::to_string(chunk->declaredSize) + " bytes, more than a format can hold");
            } else if (chunk->id == "strf" && chunk->declaredSize >= 20) {
                const auto data = smallChunkData(*chunk, 20);
                stream.hasFormat = true;
                stream.formatWidth = les32(data.data() + 4);
                stream.formatHeight = les32(data.data() + 8);
                stream.formatCompression = le32(data.data() + 16);
            } else if (chunk->id == "indx" && chunk->declaredSize >= 24) {
                stream.hasSuperIndex = true;
                stream.superIndexOffset = chunk->dataStart();
                stream.superIndexSize = chunk->declaredSize;
            }
            offset = chunk->next();
        }
        if (!m_video && stream.type == "vids")
            m_video = stream;
    }

    void readOpenDmlList(std::uint64_t offset, std::uint64_t end)
    {
        for (int count = 0; count < maxHeaderChunks; ++count) {
            const auto chunk = chunkInList(offset, end);
            if (!chunk)
                return;
            if (chunk->id == "dmlh" && chunk->declaredSize >= 4) {
                const auto data = smallChunkData(*chunk, 4);
                m_openDml = true;
                m_openDmlTotalFrames = le32(data.data());
            }
            offset = chunk->next();
        }
    }

    /** Counts the video chunks of the movie list when no header holds the frame count. */
    std::uint32_t countMovieChunks()
    {
        if (m_moviStart == 0)
            return 0;
        const char tens = static_cast<char>('0' + m_video->number / 10);
        const char units = static_cast<char>('0' + m_video->number % 10);
        std::uint32_t frames = 0;
        std::uint64_t offset = m_moviStart;
        std::uint64_t end = m_moviEnd;
        std::uint64_t recEnd = 0;
        for (long count = 0; count < maxTopLevelChunks * 8; ++count) {
            if (recEnd != 0 && offset >= recEnd) {
                end = m_moviEnd;
                recEnd = 0;
            }
            // A capture that stopped short may leave zeros behind its last chunk.
            const auto chunk = chunkAt(offset, end);
            if (!chunk || chunk->dataEnd() > end || !isChunkId(chunk->id))
                break;
            if (chunk->id == "LIST" && listType(*chunk) == "rec ") {
                recEnd = chunk->dataEnd();
                end = recEnd;
                offset = chunk->dataStart() + 4;
                continue;
            }
            if (chunk->id[0] == tens && chunk->id[1] == units && chunk->id[2] == 'd' &&
                chunk->declaredSize > 0)
                ++frames;
            offset = chunk->next();
        }
        return frames;
    }

    AviFileInfo buildInfo()
    {
        const StreamFacts& video = *m_video;
        AviFileInfo info;
        info.fileType = aviFileTypeText;
        info.flags = m_mainFlags;
        info.rate = video.rate;
        info.scale = video.scale;
        info.openDml = m_openDml;

        info.frame = video.frame;
        if ((info.frame.width() <= 0 || info.frame.height() <= 0) && video.hasFormat) {
            // Height is negative in the format of frames stored top-down.
            const std::int64_t formatHeight = video.formatHeight;
            info.frame = {0, 0, static_cast<int>(std::clamp<std::int64_t>(video.formatWidth, 0, INT16_MAX)),
                          static_cast<int>(std::clamp<std::int64_t>(
                              formatHeight < 0 ? -formatHeight : formatHeight, 0, INT16_MAX))};
        }
        info.width =
            m_mainWidth != 0 ? m_mainWidth : static_cast<std::uint32_t>(std::max(info.frame.width(), 0));
        info.height =
            m_mainHeight != 0 ? m_mainHeight : static_cast<std::uint32_t>(std::max(info.frame.height(), 0));

        const bool uncompressed =
            video.hasFormat &&
            (video.formatCompression == 0 || fourCcIs(video.formatCompression, "DIB ") ||
             fourCcIs(video.formatCompression, "RGB ") || fourCcIs(video.formatCompression, "RAW "));
        if (!uncompressed && video.hasFormat) {
            std::array<std::uint8_t, 4> code{};
            for (int i = 0; i < 4; ++i)
                code[static_cast<std::size_t>(i)] =
                    static_cast<std::uint8_t>(video.formatCompression >> (8 * i));
            info.compression = fourCc(code.data());
        }

        AviIndexTally tally;
        if (video.hasSuperIndex)
            tally = tallyOpenDmlIndex(m_source, video.superIndexOffset, video.superIndexSize);
        else if (m_idx1)
            tally = tallyOldIndex(m_source, m_idx1->dataStart(), m_idx1->declaredSize, video.number);

        // The main header of an OpenDML file counts only the first RIFF part's frames.
        if (m_openDml && m_openDmlTotalFrames != 0)
            info.length = m_openDmlTotalFrames;
        else if (video.length != 0)
            info.length = video.length;
        else if (m_mainTotalFrames != 0)
            info.length = m_mainTotalFrames;
        else if (tally.complete && tally.frames != 0)
            info.length = static_cast<std::uint32_t>(std::min<std::uint64_t>(tally.frames, UINT32_MAX));
        else
            info.length = countMovieChunks();

        info.caps = AviCaps::CanRead | AviCaps::CanWrite;
        if (uncompressed)
            info.caps |= AviCaps::NoCompression | AviCaps::AllKeyFrames;
        else if (tally.complete && tally.frames != 0 && tally.keyFrames == tally.frames)
            info.caps |= AviCaps::AllKeyFrames;
        return info;
    }

    static bool fourCcIs(std::uint32_t value, const char* text)
    {
        return value == (static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[0])) |
                         (static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[1])) << 8) |
                         (static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[2])) << 16) |
                         (static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[3])) << 24));
    }

    ByteSource& m_source;
    bool m_sawHeaderList = false;
    bool m_sawMainHeader = false;
    std::uint32_t m_mainFlags = 0;
    std::uint32_t m_mainTotalFrames = 0;
    std::uint32_t m_mainWidth = 0;
    std::uint32_t m_mainHeight = 0;
    bool m_openDml = false;
    std::uint32_t m_openDmlTotalFrames = 0;
    std::optional<StreamFacts> m_video;
    std::optional<Chunk> m_idx1;
    std::uint64_t m_moviStart = 0;
    std::uint64_t m_moviEnd = 0;
};

Result<AviFileInfo> readFrom(ByteSource& source, const std::string& name)
{
    try {
        return AviReader(source).read();
    } catch (const RiffReadFailure& failure) {
        return Error(name + ": " + failure.reason);
    } catch (const std::bad_alloc&) {
        return Error(name + ": not enough memory to read the AVI headers");
    }
}

} // namespace

Result<AviFileInfo> readAviFileInfo(std::string_view bytes, const std::string& name)
{
    MemoryByteSource source(bytes);
    return readFrom(source, name);
}

Result<AviFileInfo> readAviFileInfo(const std::filesystem::path& path)
{
    auto source = FileByteSource::open(path);
    if (!source)
        return source.error();
    auto info = readFrom(**source, pathText(path));
    if (info) {
        std::error_code ec;
        const auto permissions = std::filesystem::status(path, ec).permissions();
        if (ec || (permissions & std::filesystem::perms::owner_write) == std::filesystem::perms::none)
            info->caps &= ~AviCaps::CanWrite;
    }
    return info;
}

} // namespace leapmark
