#pragma once

#include "video/VideoFormat.h"

#include <cstdint>
#include <vector>

namespace leapmark {

/** Which code values span black to white: 0..255 (JPEG, "full") or 16..235 (video, "limited"). */
enum class ColourRange { Full, Limited };

/** One colour as luma and the two colour differences, in the code values of one range. */
struct YuvColour
{
    std::uint8_t y = 0;
    std::uint8_t u = 128;
    std::uint8_t v = 128;
};

/** An 8-bit RGB colour (sRGB code values). */
struct RgbColour
{
    int red = 0;
    int green = 0;
    int blue = 0;
};

/** The BT.601 conversion the JPEG family uses, into full or limited code values. */
[[nodiscard]] YuvColour toYuv(RgbColour colour, ColourRange range);

/**
 * A picture in planar YUV 4:2:0: a luma plane of width x height and two colour-difference planes of
 * half the width and half the height, each chroma sample sitting at the centre of its 2 x 2 luma
 * block. Planes are packed (the stride is the plane width). Width and height must be even.
 */
class YuvPicture
{
public:
    YuvPicture() = default;
    YuvPicture(PictureSize size, ColourRange range);

    [[nodiscard]] PictureSize size() const { return m_size; }
    [[nodiscard]] int width() const { return m_size.widthPixels; }
    [[nodiscard]] int height() const { return m_size.heightPixels; }
    [[nodiscard]] int chromaWidth() const { return m_size.widthPixels / 2; }
    [[nodiscard]] int chromaHeight() const { return m_size.heightPixels / 2; }
    [[nodiscard]] ColourRange range() const { return m_range; }

    [[nodiscard]] std::uint8_t* lumaRow(int y)
    {
        return m_luma.data() + static_cast<std::size_t>(y) * width();
    }
    [[nodiscard]] const std::uint8_t* lumaRow(int y) const
    {
        return m_luma.data() + static_cast<std::size_t>(y) * width();
    }
    [[nodiscard]] std::uint8_t* uRow(int y)
    {
        return m_u.data() + static_cast<std::size_t>(y) * chromaWidth();
    }
    [[nodiscard]] const std::uint8_t* uRow(int y) const
    {
        return m_u.data() + static_cast<std::size_t>(y) * chromaWidth();
    }
    [[nodiscard]] std::uint8_t* vRow(int y)
    {
        return m_v.data() + static_cast<std::size_t>(y) * chromaWidth();
    }
    [[nodiscard]] const std::uint8_t* vRow(int y) const
    {
        return m_v.data() + static_cast<std::size_t>(y) * chromaWidth();
    }

    [[nodiscard]] std::vector<std::uint8_t>& lumaPlane() { return m_luma; }
    [[nodiscard]] const std::vector<std::uint8_t>& lumaPlane() const { return m_luma; }
    [[nodiscard]] std::vector<std::uint8_t>& uPlane() { return m_u; }
    [[nodiscard]] const std::vector<std::uint8_t>& uPlane() const { return m_u; }
    [[nodiscard]] std::vector<std::uint8_t>& vPlane() { return m_v; }
    [[nodiscard]] const std::vector<std::uint8_t>& vPlane() const { return m_v; }

    /** The colour at a pixel (its luma and the chroma of its 2 x 2 block). */
    [[nodiscard]] YuvColour at(int x, int y) const;

    friend bool operator==(const YuvPicture&, const YuvPicture&) = default;

private:
    PictureSize m_size;
    ColourRange m_range = ColourRange::Full;
    std::vector<std::uint8_t> m_luma;
    std::vector<std::uint8_t> m_u;
    std::vector<std::uint8_t> m_v;
};

} // namespace leapmark
