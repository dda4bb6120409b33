#include "review/ffmpeg/FfmpegReading.h"

#include "review/ffmpeg/VideoFileScreening.h"

namespace leapmark {

Result<OpenVideo> openVideoStream(const std::filesystem::path& path, const std::string& name,
                                  int (*interrupt)(void*), void* opaque)
{
    if (auto screened = screenVideoFile(path); !screened)
        return screened.error();
    AVFormatContext* format = avformat_alloc_context();
    if (format == nullptr)
        return Error(name + ": out of memory");
    format->interrupt_callback.callback = interrupt;
    format->interrupt_callback.opaque = opaque;
    // On failure FFmpeg frees the context itself.
    if (const int opened = avformat_open_input(&format, path.c_str(), nullptr, nullptr); opened < 0)
        return Error(name + ": " + ffmpegReason(opened), kindOfOpenFailure(opened));
    OpenVideo video{FormatPtr(format), nullptr};
    const int streamIndex = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (streamIndex < 0)
        return Error(name + ": the file has no video stream", ErrorKind::Corrupt);
    video.stream = format->streams[streamIndex];
    for (unsigned i = 0; i < format->nb_streams; ++i)
        if (static_cast<int>(i) != streamIndex)
            format->streams[i]->discard = AVDISCARD_ALL;
    return video;
}

} // namespace leapmark
