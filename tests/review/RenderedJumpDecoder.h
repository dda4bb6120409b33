#pragma once

// A video decoder that renders a simulated jump frame by frame, as a decoder of its 4:2:0 file
// would give it (each colour sample spread over its 2 x 2 pixels), with an optional change to
// each picture on the way.

#include "review/VideoDecoder.h"
#include "simulator/JumpSceneRenderer.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

namespace leapmark::testing {

class RenderedJumpDecoder : public VideoDecoder
{
public:
    using Change = std::function<void(std::int64_t frame, YuvPicture& picture)>;

    explicit RenderedJumpDecoder(JumpSceneRenderer renderer, Change change = {})
        : m_renderer(std::move(renderer)), m_change(std::move(change))
    {}

    [[nodiscard]] std::int64_t frameCount() const override { return m_renderer.frameCount(); }
    [[nodiscard]] double framesPerSecond() const override
    {
        return m_renderer.parameters().rate.framesPerSecond();
    }
    [[nodiscard]] int width() const override { return m_renderer.parameters().size.widthPixels; }
    [[nodiscard]] int height() const override { return m_renderer.parameters().size.heightPixels; }

    [[nodiscard]] Result<std::shared_ptr<const VideoFrame>> frame(std::int64_t index) override
    {
        if (index < 0 || index >= frameCount())
            return Error("frame " + std::to_string(index) + " is outside the video");
        m_renderer.render(index, m_picture);
        if (m_change)
            m_change(index, m_picture);
        auto frame = std::make_shared<VideoFrame>();
        frame->index = index;
        frame->width = width();
        frame->height = height();
        frame->bytesPerLine = dibRowBytes(width());
        frame->bgr.assign(static_cast<std::size_t>(frame->bytesPerLine) * height(), 0);
        for (int y = 0; y < height(); ++y) {
            std::uint8_t* out = frame->bgr.data() + static_cast<std::size_t>(y) * frame->bytesPerLine;
            const std::uint8_t* luma = m_picture.lumaRow(y);
            const std::uint8_t* u = m_picture.uRow(y / 2);
            const std::uint8_t* v = m_picture.vRow(y / 2);
            for (int x = 0; x < width(); ++x, out += 3) {
                // Full-range BT.601, as the simulated camera's MJPEG stores it.
                const double l = luma[x];
                const double cb = u[x / 2] - 128.0;
                const double cr = v[x / 2] - 128.0;
                out[0] = clamped(l + 1.772 * cb);
                out[1] = clamped(l - 0.344136 * cb - 0.714136 * cr);
                out[2] = clamped(l + 1.402 * cr);
            }
        }
        return std::shared_ptr<const VideoFrame>(std::move(frame));
    }

private:
    static std::uint8_t clamped(double value)
    {
        return static_cast<std::uint8_t>(std::clamp(value + 0.5, 0.0, 255.0));
    }

    JumpSceneRenderer m_renderer;
    Change m_change;
    YuvPicture m_picture;
};

} // namespace leapmark::testing
