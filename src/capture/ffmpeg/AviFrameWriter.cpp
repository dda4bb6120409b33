#include "capture/ffmpeg/AviFrameWriter.h"

#include <array>
#include <cmath>

namespace leapmark {
namespace {

struct RangeTables
{
    std::array<std::uint8_t, 256> luma{};
    std::array<std::uint8_t, 256> chroma{};
    RangeTables()
    {
        for (int code = 0; code < 256; ++code) {
            luma[code] = static_cast<std::uint8_t>(std::lround(16.0 + code * 219.0 / 255.0));
            chroma[code] = static_cast<std::uint8_t>(std::lround(128.0 + (code - 128) * 224.0 / 255.0));
        }
    }
};

void mapPlane(const std::vector<std::uint8_t>& from, std::vector<std::uint8_t>& to,
              const std::array<std::uint8_t, 256>& table)
{
    to.resize(from.size());
    for (std::size_t i = 0; i < from.size(); ++i)
        to[i] = table[from[i]];
}

bool needsLimitedRange(AviVideoCodec codec)
{
    return codec == AviVideoCodec::Ffv1 || codec == AviVideoCodec::Uncompressed;
}

} // namespace

Result<std::unique_ptr<AviFrameWriter>> AviFrameWriter::open(const std::filesystem::path& path,
                                                             PictureSize size, FrameRate rate,
                                                             const CaptureFileSettings& settings)
{
    std::unique_ptr<AviFrameWriter> file(new AviFrameWriter);
    file->m_toLimitedRange = needsLimitedRange(settings.codec);
    file->m_framesPerSync = std::max<std::int64_t>(1, std::llround(rate.framesPerSecond()));
    AviWriterSettings writerSettings;
    writerSettings.quality = settings.quality;
    writerSettings.codec = settings.codec;
    writerSettings.audio = settings.audio;
    const ColourRange range = file->m_toLimitedRange ? ColourRange::Limited : ColourRange::Full;
    if (auto opened = file->m_writer.open(path, size, rate, range, writerSettings); !opened)
        return opened.error();
    if (file->m_toLimitedRange)
        file->m_limited = YuvPicture(size, ColourRange::Limited);
    return file;
}

Result<void> AviFrameWriter::write(const YuvPicture& picture)
{
    Result<void> written = success();
    if (m_toLimitedRange) {
        static const RangeTables tables;
        if (picture.size() != m_limited.size())
            m_limited = YuvPicture(picture.size(), ColourRange::Limited);
        mapPlane(picture.lumaPlane(), m_limited.lumaPlane(), tables.luma);
        mapPlane(picture.uPlane(), m_limited.uPlane(), tables.chroma);
        mapPlane(picture.vPlane(), m_limited.vPlane(), tables.chroma);
        written = m_writer.write(m_limited);
    } else {
        written = m_writer.write(picture);
    }
    if (!written)
        return written.error();
    if (m_writer.framesWritten() % m_framesPerSync == 0)
        return m_writer.sync();
    return success();
}

Result<void> AviFrameWriter::writeAudio(const AudioChunk& chunk)
{
    if (auto written = m_writer.writeAudio(chunk.bytes.data(), chunk.bytes.size()); !written)
        return written.error();
    return success();
}

Result<void> AviFrameWriter::close()
{
    if (m_closed)
        return success();
    m_closed = true;
    return m_writer.close();
}

} // namespace leapmark
