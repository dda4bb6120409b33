#pragma once

#include "review/SampledPicture.h"

extern "C" {
#include <libavutil/frame.h>
}

struct SwsContext;

namespace leapmark {

/**
 * Reduces decoded pictures to blocks of a given side (in the decoded picture's pixels), straight
 * from their YUV planes; pictures in other forms are first scaled to the blocks by swscale.
 */
class PictureSampler
{
public:
    explicit PictureSampler(int blockPixels);
    ~PictureSampler();
    PictureSampler(const PictureSampler&) = delete;
    PictureSampler& operator=(const PictureSampler&) = delete;

    /** False when the picture has no usable size or form. */
    [[nodiscard]] bool sample(const AVFrame& picture, SampledPicture& sampled);

private:
    void samplePixels(const AVFrame& picture, SampledPicture& sampled, int chromaShiftX, int chromaShiftY);
    bool sampleByScaling(const AVFrame& picture, SampledPicture& sampled);

    int m_side;
    SwsContext* m_scaler = nullptr;
};

} // namespace leapmark
