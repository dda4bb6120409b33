#pragma once

namespace leapmark {

/** An RGB colour of a label or a drawing, each part 0..255. */
struct Rgb
{
    int red = 0;
    int green = 0;
    int blue = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kWhiteRgb{255, 255, 255};
/** The grid screens' background: drawing in it shows the picture again. */
inline constexpr Rgb kMagentaRgb{255, 0, 255};

} // namespace leapmark
