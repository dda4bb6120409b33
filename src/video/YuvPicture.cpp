#include "video/YuvPicture.h"

#include <algorithm>
#include <cmath>

namespace leapmark {
namespace {

std::uint8_t codeValue(double value, double low, double high)
{
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), std::lround(low), std::lround(high)));
}

} // namespace

YuvColour toYuv(RgbColour colour, ColourRange range)
{
    const double r = std::clamp(colour.red, 0, 255);
    const double g = std::clamp(colour.green, 0, 255);
    const double b = std::clamp(colour.blue, 0, 255);
    const double luma = 0.299 * r + 0.587 * g + 0.114 * b;
    const double cb = -0.168736 * r - 0.331264 * g + 0.5 * b;
    const double cr = 0.5 * r - 0.418688 * g - 0.081312 * b;
    if (range == ColourRange::Full)
        return {codeValue(luma, 0, 255), codeValue(128.0 + cb, 0, 255), codeValue(128.0 + cr, 0, 255)};
    return {codeValue(16.0 + luma * 219.0 / 255.0, 16, 235), codeValue(128.0 + cb * 224.0 / 255.0, 16, 240),
            codeValue(128.0 + cr * 224.0 / 255.0, 16, 240)};
}

YuvPicture::YuvPicture(PictureSize size, ColourRange range)
    : m_size(size), m_range(range), m_luma(static_cast<std::size_t>(size.widthPixels) * size.heightPixels,
                                           range == ColourRange::Full ? 0 : 16),
      m_u(static_cast<std::size_t>(size.widthPixels / 2) * (size.heightPixels / 2), 128), m_v(m_u.size(), 128)
{}

YuvColour YuvPicture::at(int x, int y) const
{
    return {lumaRow(y)[x], uRow(y / 2)[x / 2], vRow(y / 2)[x / 2]};
}

} // namespace leapmark
