#pragma once

#include <cmath>

namespace leapmark {

/*
 * Screen positions are twips of the picture: 1/1440 inch, 15 to the pixel at 96 dots per inch.
 * They do not depend on the monitor or on the zoom of the view, so grid files stay valid anywhere.
 */

inline constexpr double kTwipsPerPixel = 15.0;

[[nodiscard]] constexpr double pixelsToTwips(double pixels)
{
    return pixels * kTwipsPerPixel;
}
[[nodiscard]] constexpr double twipsToPixels(double twips)
{
    return twips / kTwipsPerPixel;
}

/** Whole pixels for a length given in twips, as placing a window or a margin needs. */
[[nodiscard]] inline int wholePixels(double twips)
{
    return static_cast<int>(std::lround(twipsToPixels(twips)));
}

/** A picture length in HIMETRIC units (0.01 mm) at 96 dots per inch: round(pixels x 2540 / 96). */
[[nodiscard]] inline double himetricOf(int pixels)
{
    return std::round(pixels * 2540.0 / 96.0);
}

/** A picture's width or height in twips by the HIMETRIC rule: HIMETRIC x 15 / 26.5. */
[[nodiscard]] inline double pictureTwips(int pixels)
{
    return himetricOf(pixels) * 15.0 / 26.5;
}

/**
 * A position in a view that shows the picture at a zoom (view pixels per picture pixel), scrolled
 * by offset view pixels, as picture twips. At zoom z a view pixel is 1/z of a picture pixel, so a
 * click at 4x can fall on a quarter pixel.
 */
[[nodiscard]] constexpr double viewToPictureTwips(double viewPixels, double zoom, double offsetPixels = 0.0)
{
    return pixelsToTwips((viewPixels + offsetPixels) / zoom);
}

/** The view pixel at which a picture position in twips is drawn. */
[[nodiscard]] constexpr double pictureTwipsToView(double twips, double zoom, double offsetPixels = 0.0)
{
    return twipsToPixels(twips) * zoom - offsetPixels;
}

/*
 * The same mapping for a view that shows picture pixel i over the view span [i x zoom, (i + 1) x
 * zoom) less the offset, with positions measured continuously (view pixel p spans [p, p + 1)).
 * Picture positions count from the centre of the top-left pixel, so the centre of view pixel p at
 * zoom 1 is exactly (p + offset) x 15 twips, and at 8x the centres of the eight view pixels over
 * one picture pixel lie an eighth of a pixel apart around its centre.
 */

/** Picture twips at a point of such a view; the centre of view pixel p is the point p + 0.5. */
[[nodiscard]] constexpr double viewPointToPictureTwips(double viewPoint, double zoom,
                                                       double offsetPixels = 0.0)
{
    return viewToPictureTwips(viewPoint - 0.5 * zoom, zoom, offsetPixels);
}

/** The point of such a view at which a picture position in twips lies. */
[[nodiscard]] constexpr double pictureTwipsToViewPoint(double twips, double zoom, double offsetPixels = 0.0)
{
    return pictureTwipsToView(twips, zoom, offsetPixels) + 0.5 * zoom;
}

} // namespace leapmark
