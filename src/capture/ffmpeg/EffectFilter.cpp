#include "capture/ffmpeg/EffectFilter.h"
#include "video/ffmpeg/FfmpegReason.h"

#include <cstring>

extern "C" {
#include <libavfilter/avfilter.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/error.h>
#include <libavutil/frame.h>
}

namespace leapmark {
namespace {

void copyPlane(std::uint8_t* to, int toStride, const std::uint8_t* from, int fromStride, int width, int rows)
{
    for (int row = 0; row < rows; ++row)
        std::memcpy(to + static_cast<std::ptrdiff_t>(row) * toStride,
                    from + static_cast<std::ptrdiff_t>(row) * fromStride, static_cast<std::size_t>(width));
}

} // namespace

std::vector<std::string> videoEffectNames()
{
    return {"Deinterlace", "Mirror", "Grayscale", "Sharpen"};
}

std::string EffectFilter::filterText(VideoEffect effect)
{
    switch (effect) {
    case VideoEffect::Deinterlace:
        return "kerndeint";
    case VideoEffect::Mirror:
        return "hflip";
    case VideoEffect::Grayscale:
        return "hue=s=0";
    case VideoEffect::Sharpen:
        return "unsharp=5:5:1.0:5:5:0.0";
    }
    return "null";
}

struct EffectFilter::Graph
{
    AVFilterGraph* graph = nullptr;
    AVFilterContext* source = nullptr;
    AVFilterContext* sink = nullptr;
    AVFrame* in = nullptr;
    AVFrame* out = nullptr;
    PictureSize size;
    ColourRange range = ColourRange::Full;

    ~Graph()
    {
        av_frame_free(&in);
        av_frame_free(&out);
        avfilter_graph_free(&graph);
    }

    Result<void> build(VideoEffect effect, PictureSize pictureSize, ColourRange pictureRange)
    {
        size = pictureSize;
        range = pictureRange;
        graph = avfilter_graph_alloc();
        in = av_frame_alloc();
        out = av_frame_alloc();
        if (!graph || !in || !out)
            return Error("Could not set up the video effect: out of memory");
        graph->nb_threads = 1;
        const int pixelFormat = range == ColourRange::Full ? AV_PIX_FMT_YUVJ420P : AV_PIX_FMT_YUV420P;
        const std::string arguments =
            "video_size=" + std::to_string(size.widthPixels) + "x" + std::to_string(size.heightPixels) +
            ":pix_fmt=" + std::to_string(pixelFormat) + ":time_base=1/30:pixel_aspect=1/1";
        int code = avfilter_graph_create_filter(&source, avfilter_get_by_name("buffer"), "in",
                                                arguments.c_str(), nullptr, graph);
        if (code >= 0)
            code = avfilter_graph_create_filter(&sink, avfilter_get_by_name("buffersink"), "out", nullptr,
                                                nullptr, graph);
        if (code < 0)
            return Error("Could not set up the video effect: " + ffmpegReason(code));

        AVFilterInOut* outputs = avfilter_inout_alloc();
        AVFilterInOut* inputs = avfilter_inout_alloc();
        outputs->name = av_strdup("in");
        outputs->filter_ctx = source;
        inputs->name = av_strdup("out");
        inputs->filter_ctx = sink;
        // The effect, then back to the picture's own format, so the frame can be copied back as it was.
        const std::string description =
            filterText(effect) + ",format=" + (range == ColourRange::Full ? "yuvj420p" : "yuv420p");
        code = avfilter_graph_parse_ptr(graph, description.c_str(), &inputs, &outputs, nullptr);
        avfilter_inout_free(&inputs);
        avfilter_inout_free(&outputs);
        if (code >= 0)
            code = avfilter_graph_config(graph, nullptr);
        if (code < 0)
            return Error("Could not set up the video effect " + filterText(effect) + ": " +
                             ffmpegReason(code),
                         ErrorKind::Unsupported);
        return success();
    }
};

EffectFilter::EffectFilter(VideoEffect effect) : m_effect(effect) {}
EffectFilter::~EffectFilter() = default;

Result<void> EffectFilter::apply(YuvPicture& picture)
{
    if (!m_graph || m_graph->size != picture.size() || m_graph->range != picture.range()) {
        auto graph = std::make_unique<Graph>();
        if (auto built = graph->build(m_effect, picture.size(), picture.range()); !built)
            return built;
        m_graph = std::move(graph);
    }
    Graph& graph = *m_graph;
    AVFrame* in = graph.in;
    av_frame_unref(in);
    in->format = picture.range() == ColourRange::Full ? AV_PIX_FMT_YUVJ420P : AV_PIX_FMT_YUV420P;
    in->width = picture.width();
    in->height = picture.height();
    in->color_range = picture.range() == ColourRange::Full ? AVCOL_RANGE_JPEG : AVCOL_RANGE_MPEG;
    if (const int code = av_frame_get_buffer(in, 0); code < 0)
        return Error("Could not apply the video effect: " + ffmpegReason(code));
    copyPlane(in->data[0], in->linesize[0], picture.lumaPlane().data(), picture.width(), picture.width(),
              picture.height());
    copyPlane(in->data[1], in->linesize[1], picture.uPlane().data(), picture.chromaWidth(),
              picture.chromaWidth(), picture.chromaHeight());
    copyPlane(in->data[2], in->linesize[2], picture.vPlane().data(), picture.chromaWidth(),
              picture.chromaWidth(), picture.chromaHeight());

    int code = av_buffersrc_add_frame_flags(graph.source, in, AV_BUFFERSRC_FLAG_KEEP_REF);
    if (code < 0)
        return Error("Could not apply the video effect: " + ffmpegReason(code));
    av_frame_unref(graph.out);
    code = av_buffersink_get_frame(graph.sink, graph.out);
    if (code < 0)
        return Error("Could not apply the video effect: " + ffmpegReason(code));
    const AVFrame* out = graph.out;
    copyPlane(picture.lumaPlane().data(), picture.width(), out->data[0], out->linesize[0], picture.width(),
              picture.height());
    copyPlane(picture.uPlane().data(), picture.chromaWidth(), out->data[1], out->linesize[1],
              picture.chromaWidth(), picture.chromaHeight());
    copyPlane(picture.vPlane().data(), picture.chromaWidth(), out->data[2], out->linesize[2],
              picture.chromaWidth(), picture.chromaHeight());
    return success();
}

} // namespace leapmark
