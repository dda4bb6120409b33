#include "capture/ffmpeg/PreviewScaler.h"

#include <algorithm>
#include <cmath>

extern "C" {
#include <libswscale/swscale.h>
}

namespace leapmark {

PreviewScaler::PreviewScaler(int largestWidth, int largestHeight)
    : m_largestWidth(largestWidth), m_largestHeight(largestHeight)
{}

PreviewScaler::~PreviewScaler()
{
    sws_freeContext(m_context);
}

PictureSize PreviewScaler::previewSize(PictureSize picture, int largestWidth, int largestHeight)
{
    if (picture.widthPixels <= 0 || picture.heightPixels <= 0)
        return {1, 1};
    const double factor = std::min({1.0, static_cast<double>(largestWidth) / picture.widthPixels,
                                    static_cast<double>(largestHeight) / picture.heightPixels});
    return {std::max(1, static_cast<int>(std::lround(picture.widthPixels * factor))),
            std::max(1, static_cast<int>(std::lround(picture.heightPixels * factor)))};
}

std::shared_ptr<PreviewImage> PreviewScaler::scale(const YuvPicture& picture)
{
    const PictureSize to = previewSize(picture.size(), m_largestWidth, m_largestHeight);
    if (!m_context || m_from != picture.size() || m_range != picture.range()) {
        sws_freeContext(m_context);
        m_from = picture.size();
        m_range = picture.range();
        m_context = sws_getContext(picture.width(), picture.height(),
                                   m_range == ColourRange::Full ? AV_PIX_FMT_YUVJ420P : AV_PIX_FMT_YUV420P,
                                   to.widthPixels, to.heightPixels, AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr,
                                   nullptr, nullptr);
        if (!m_context)
            return nullptr;
    }
    auto image = std::make_shared<PreviewImage>();
    image->width = to.widthPixels;
    image->height = to.heightPixels;
    image->pixels.resize(static_cast<std::size_t>(to.widthPixels) * to.heightPixels);
    const std::uint8_t* source[4] = {picture.lumaPlane().data(), picture.uPlane().data(),
                                     picture.vPlane().data(), nullptr};
    const int sourceStrides[4] = {picture.width(), picture.chromaWidth(), picture.chromaWidth(), 0};
    std::uint8_t* target[4] = {reinterpret_cast<std::uint8_t*>(image->pixels.data()), nullptr, nullptr,
                               nullptr};
    const int targetStrides[4] = {to.widthPixels * 4, 0, 0, 0};
    sws_scale(m_context, source, sourceStrides, 0, picture.height(), target, targetStrides);
    return image;
}

} // namespace leapmark
