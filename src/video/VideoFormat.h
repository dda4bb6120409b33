#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace leapmark {

/** A picture's size in pixels. */
struct PictureSize
{
    int widthPixels = 0;
    int heightPixels = 0;

    friend bool operator==(const PictureSize&, const PictureSize&) = default;
};

/**
 * An exact frame rate: numerator frames every denominator seconds (30/1, 25/1, 30000/1001), so that
 * the AVI header and every frame time stay exact instead of carrying a rounded decimal.
 */
struct FrameRate
{
    int numerator = 30;
    int denominator = 1;

    [[nodiscard]] double framesPerSecond() const { return static_cast<double>(numerator) / denominator; }
    /** The time of frame N from the start, in seconds. */
    [[nodiscard]] double secondsAtFrame(std::int64_t frame) const
    {
        return static_cast<double>(frame) * denominator / numerator;
    }

    friend bool operator==(const FrameRate&, const FrameRate&) = default;
};

/** "1280x720" */
[[nodiscard]] std::string sizeText(PictureSize size);

/** "30" for whole rates, "30000/1001" otherwise. */
[[nodiscard]] std::string frameRateText(FrameRate rate);

/**
 * Reads a frame rate: a whole number ("25"), a fraction ("30000/1001") or a decimal ("29.97", read as
 * the broadcast rate 30000/1001 when it is one, else to a thousandth). Empty when it is none of these
 * or not positive.
 */
[[nodiscard]] std::optional<FrameRate> parseFrameRate(std::string_view text);

/** Reads "WxH"; empty when it is not two positive whole numbers. */
[[nodiscard]] std::optional<PictureSize> parsePictureSize(std::string_view text);

} // namespace leapmark
