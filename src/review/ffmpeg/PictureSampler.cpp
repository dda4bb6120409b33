#include "review/ffmpeg/PictureSampler.h"

#include <algorithm>

extern "C" {
#include <libavutil/imgutils.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

namespace leapmark {
namespace {

bool isFullRange(const AVFrame& picture)
{
    if (picture.color_range == AVCOL_RANGE_JPEG)
        return true;
    switch (picture.format) {
    case AV_PIX_FMT_YUVJ420P:
    case AV_PIX_FMT_YUVJ422P:
    case AV_PIX_FMT_YUVJ444P:
    case AV_PIX_FMT_YUVJ440P:
    case AV_PIX_FMT_YUVJ411P:
        return true;
    default:
        return false;
    }
}

/** Turns sums of a block's studio-range (16-235, 16-240) or full-range values into full-range means. */
struct BlockMeans
{
    bool fullRange = true;
    int lumaCount = 1;
    int chromaCount = 1;

    [[nodiscard]] std::uint8_t luma(int sum) const
    {
        const int mean = sum / lumaCount;
        return static_cast<std::uint8_t>(fullRange ? mean : std::clamp((mean - 16) * 255 / 219, 0, 255));
    }
    [[nodiscard]] std::int8_t difference(int sum) const
    {
        const int mean = sum / chromaCount - 128;
        return static_cast<std::int8_t>(std::clamp(fullRange ? mean : mean * 255 / 224, -127, 127));
    }
};

} // namespace

PictureSampler::PictureSampler(int blockPixels) : m_side(std::max(1, blockPixels)) {}

PictureSampler::~PictureSampler()
{
    sws_freeContext(m_scaler);
}

bool PictureSampler::sample(const AVFrame& picture, SampledPicture& sampled)
{
    if (picture.width <= 0 || picture.height <= 0 ||
        av_image_check_size(static_cast<unsigned>(picture.width), static_cast<unsigned>(picture.height), 0,
                            nullptr) < 0)
        return false;
    const AVPixFmtDescriptor* form = av_pix_fmt_desc_get(static_cast<AVPixelFormat>(picture.format));
    if (form == nullptr)
        return false;
    const bool planarYuv = form->nb_components >= 3 && (form->flags & AV_PIX_FMT_FLAG_PLANAR) &&
                           !(form->flags & AV_PIX_FMT_FLAG_RGB) && !(form->flags & AV_PIX_FMT_FLAG_BE) &&
                           form->comp[0].depth == 8 && form->comp[1].depth == 8 && form->comp[2].depth == 8 &&
                           form->comp[0].plane == 0 && form->comp[1].plane == 1 && form->comp[2].plane == 2 &&
                           form->log2_chroma_w <= 1 && form->log2_chroma_h <= 1;
    if (!planarYuv)
        return sampleByScaling(picture, sampled);
    if (m_side == 1) {
        samplePixels(picture, sampled, form->log2_chroma_w, form->log2_chroma_h);
        return true;
    }
    const int chromaWide = m_side >> form->log2_chroma_w;
    const int chromaHigh = m_side >> form->log2_chroma_h;
    if (chromaWide < 1 || chromaHigh < 1)
        return sampleByScaling(picture, sampled);

    sampled.resize(picture.width / m_side, picture.height / m_side);
    const BlockMeans means{isFullRange(picture), m_side * m_side, chromaWide * chromaHigh};
    for (int row = 0; row < sampled.rows; ++row) {
        const std::uint8_t* lumaRows =
            picture.data[0] + static_cast<std::ptrdiff_t>(row) * m_side * picture.linesize[0];
        const std::ptrdiff_t chromaOffset = static_cast<std::ptrdiff_t>(row) * chromaHigh;
        const std::uint8_t* blueRows = picture.data[1] + chromaOffset * picture.linesize[1];
        const std::uint8_t* redRows = picture.data[2] + chromaOffset * picture.linesize[2];
        const std::size_t at = static_cast<std::size_t>(row) * static_cast<std::size_t>(sampled.columns);
        for (int column = 0; column < sampled.columns; ++column) {
            int luma = 0;
            for (int dy = 0; dy < m_side; ++dy) {
                const std::uint8_t* line =
                    lumaRows + static_cast<std::ptrdiff_t>(dy) * picture.linesize[0] + column * m_side;
                for (int dx = 0; dx < m_side; ++dx)
                    luma += line[dx];
            }
            int blue = 0;
            int red = 0;
            for (int dy = 0; dy < chromaHigh; ++dy) {
                const std::uint8_t* blueLine =
                    blueRows + static_cast<std::ptrdiff_t>(dy) * picture.linesize[1] + column * chromaWide;
                const std::uint8_t* redLine =
                    redRows + static_cast<std::ptrdiff_t>(dy) * picture.linesize[2] + column * chromaWide;
                for (int dx = 0; dx < chromaWide; ++dx) {
                    blue += blueLine[dx];
                    red += redLine[dx];
                }
            }
            sampled.luma[at + column] = means.luma(luma);
            sampled.blueDifference[at + column] = means.difference(blue);
            sampled.redDifference[at + column] = means.difference(red);
        }
    }
    return true;
}

void PictureSampler::samplePixels(const AVFrame& picture, SampledPicture& sampled, int chromaShiftX,
                                  int chromaShiftY)
{
    // Each pixel with the colour of the sample it shares with its neighbours.
    sampled.resize(picture.width, picture.height);
    const BlockMeans means{isFullRange(picture), 1, 1};
    for (int row = 0; row < sampled.rows; ++row) {
        const std::uint8_t* luma = picture.data[0] + static_cast<std::ptrdiff_t>(row) * picture.linesize[0];
        const std::uint8_t* blue =
            picture.data[1] + static_cast<std::ptrdiff_t>(row >> chromaShiftY) * picture.linesize[1];
        const std::uint8_t* red =
            picture.data[2] + static_cast<std::ptrdiff_t>(row >> chromaShiftY) * picture.linesize[2];
        const std::size_t at = static_cast<std::size_t>(row) * static_cast<std::size_t>(sampled.columns);
        if (means.fullRange) {
            std::copy_n(luma, sampled.columns, sampled.luma.data() + at);
            for (int column = 0; column < sampled.columns; ++column) {
                sampled.blueDifference[at + column] = static_cast<std::int8_t>(
                    std::max(-127, static_cast<int>(blue[column >> chromaShiftX]) - 128));
                sampled.redDifference[at + column] = static_cast<std::int8_t>(
                    std::max(-127, static_cast<int>(red[column >> chromaShiftX]) - 128));
            }
            continue;
        }
        for (int column = 0; column < sampled.columns; ++column) {
            sampled.luma[at + column] = means.luma(luma[column]);
            sampled.blueDifference[at + column] = means.difference(blue[column >> chromaShiftX]);
            sampled.redDifference[at + column] = means.difference(red[column >> chromaShiftX]);
        }
    }
}

bool PictureSampler::sampleByScaling(const AVFrame& picture, SampledPicture& sampled)
{
    const int columns = picture.width / m_side;
    const int rows = picture.height / m_side;
    if (columns <= 0 || rows <= 0)
        return false;
    m_scaler = sws_getCachedContext(m_scaler, picture.width, picture.height,
                                    static_cast<AVPixelFormat>(picture.format), columns, rows,
                                    AV_PIX_FMT_YUV444P, SWS_AREA, nullptr, nullptr, nullptr);
    if (m_scaler == nullptr)
        return false;
    sampled.resize(columns, rows);
    std::vector<std::uint8_t> planes(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows) * 3);
    std::uint8_t* targets[4] = {planes.data(), planes.data() + sampled.blocks(),
                                planes.data() + 2 * sampled.blocks(), nullptr};
    int strides[4] = {columns, columns, columns, 0};
    if (sws_scale(m_scaler, picture.data, picture.linesize, 0, picture.height, targets, strides) <= 0)
        return false;
    const BlockMeans means{false, 1, 1};
    for (std::size_t block = 0; block < sampled.blocks(); ++block) {
        sampled.luma[block] = means.luma(targets[0][block]);
        sampled.blueDifference[block] = means.difference(targets[1][block]);
        sampled.redDifference[block] = means.difference(targets[2][block]);
    }
    return true;
}

} // namespace leapmark
