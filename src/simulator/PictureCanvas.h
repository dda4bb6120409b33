#pragma once

#include "simulator/SceneGeometry.h"
#include "video/YuvPicture.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

namespace leapmark {

/**
 * Anti-aliased filled shapes on a 4:2:0 picture. Each shape is a coverage function of a position in
 * pixel coordinates; luma takes the coverage at each pixel centre and chroma at the centre of its
 * 2 x 2 block, so edges stay smooth in brightness and colour alike. Optionally records the highest
 * coverage painted at each pixel (used to keep waves off objects drawn on the water).
 */
class PictureCanvas
{
public:
    explicit PictureCanvas(YuvPicture& picture, std::vector<std::uint8_t>* coverageRecord = nullptr)
        : m_picture(picture), m_coverageRecord(coverageRecord)
    {}

    void fillDisc(PixelPoint centre, double radiusPixels, YuvColour colour, double opacity = 1.0);

    /** A segment with round ends: every point within the radius of the segment a-b. */
    void fillCapsule(PixelPoint a, PixelPoint b, double radiusPixels, YuvColour colour, double opacity = 1.0);

    /** A convex polygon, either winding. */
    void fillConvexPolygon(std::span<const PixelPoint> corners, YuvColour colour, double opacity = 1.0);

    /** The ellipse centre + s axisA + t axisB (s² + t² <= 1), fading smoothly from the centre to the rim:
     *  foam and spray patches rather than solid objects. */
    void fillSoftEllipse(PixelPoint centre, PixelPoint axisA, PixelPoint axisB, YuvColour colour,
                         double opacity);

    /**
     * Paints a colour over the box [left, right] x [top, bottom] (pixel coordinates) with the opacity
     * times coverage(x, y), coverage in 0..1.
     */
    template <typename Coverage>
    void paint(double left, double top, double right, double bottom, YuvColour colour, double opacity,
               Coverage coverage);

private:
    YuvPicture& m_picture;
    std::vector<std::uint8_t>* m_coverageRecord;
};

template <typename Coverage>
void PictureCanvas::paint(double left, double top, double right, double bottom, YuvColour colour,
                          double opacity, Coverage coverage)
{
    if (!(opacity > 0.0) || !(right >= left) || !(bottom >= top))
        return;
    const auto blend = [](std::uint8_t& value, std::uint8_t target, double alpha) {
        value = static_cast<std::uint8_t>(std::lround(value + (target - value) * alpha));
    };
    const int x0 = std::max(0, static_cast<int>(std::floor(left)));
    const int y0 = std::max(0, static_cast<int>(std::floor(top)));
    const int x1 = std::min(m_picture.width() - 1, static_cast<int>(std::ceil(right)));
    const int y1 = std::min(m_picture.height() - 1, static_cast<int>(std::ceil(bottom)));
    for (int y = y0; y <= y1; ++y) {
        std::uint8_t* row = m_picture.lumaRow(y);
        for (int x = x0; x <= x1; ++x) {
            const double alpha =
                std::clamp(coverage(static_cast<double>(x), static_cast<double>(y)), 0.0, 1.0);
            if (alpha <= 0.0)
                continue;
            blend(row[x], colour.y, alpha * opacity);
            if (m_coverageRecord) {
                auto& recorded = (*m_coverageRecord)[static_cast<std::size_t>(y) * m_picture.width() + x];
                recorded =
                    std::max<std::uint8_t>(recorded, static_cast<std::uint8_t>(std::lround(alpha * 255.0)));
            }
        }
    }
    for (int cy = y0 / 2; cy <= y1 / 2; ++cy) {
        std::uint8_t* uRow = m_picture.uRow(cy);
        std::uint8_t* vRow = m_picture.vRow(cy);
        for (int cx = x0 / 2; cx <= x1 / 2; ++cx) {
            const double alpha = std::clamp(coverage(2.0 * cx + 0.5, 2.0 * cy + 0.5), 0.0, 1.0) * opacity;
            if (alpha <= 0.0)
                continue;
            blend(uRow[cx], colour.u, alpha);
            blend(vRow[cx], colour.v, alpha);
        }
    }
}

} // namespace leapmark
