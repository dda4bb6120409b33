#pragma once

#include "capture/PreviewImage.h"
#include "video/YuvPicture.h"

#include <memory>

struct SwsContext;

namespace leapmark {

/**
 * Makes the small RGB picture the live preview shows from a capture frame: scaled to fit a box
 * (keeping the picture's shape, never enlarged), converted from the frame's YUV range. Used by one
 * thread.
 */
class PreviewScaler
{
public:
    explicit PreviewScaler(int largestWidth = 640, int largestHeight = 480);
    ~PreviewScaler();
    PreviewScaler(const PreviewScaler&) = delete;
    PreviewScaler& operator=(const PreviewScaler&) = delete;

    [[nodiscard]] std::shared_ptr<PreviewImage> scale(const YuvPicture& picture);

    /** The preview size of a picture: fits the box, keeps the shape, at least 1 x 1. */
    [[nodiscard]] static PictureSize previewSize(PictureSize picture, int largestWidth, int largestHeight);

private:
    int m_largestWidth;
    int m_largestHeight;
    SwsContext* m_context = nullptr;
    PictureSize m_from;
    ColourRange m_range = ColourRange::Full;
};

} // namespace leapmark
