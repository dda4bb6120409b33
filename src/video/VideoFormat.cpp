#include "video/VideoFormat.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <numeric>

namespace leapmark {
namespace {

std::optional<int> wholeNumber(std::string_view text)
{
    int value = 0;
    const auto* end = text.data() + text.size();
    const auto [last, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || last != end || text.empty())
        return std::nullopt;
    return value;
}

std::optional<FrameRate> reducedRate(long long numerator, long long denominator)
{
    if (numerator <= 0 || denominator <= 0)
        return std::nullopt;
    const long long common = std::gcd(numerator, denominator);
    numerator /= common;
    denominator /= common;
    if (numerator > std::numeric_limits<int>::max() || denominator > std::numeric_limits<int>::max())
        return std::nullopt;
    return FrameRate{static_cast<int>(numerator), static_cast<int>(denominator)};
}

} // namespace

std::string sizeText(PictureSize size)
{
    return std::to_string(size.widthPixels) + "x" + std::to_string(size.heightPixels);
}

std::string frameRateText(FrameRate rate)
{
    if (rate.denominator == 1)
        return std::to_string(rate.numerator);
    return std::to_string(rate.numerator) + "/" + std::to_string(rate.denominator);
}

std::optional<FrameRate> parseFrameRate(std::string_view text)
{
    if (const auto slash = text.find('/'); slash != std::string_view::npos) {
        const auto numerator = wholeNumber(text.substr(0, slash));
        const auto denominator = wholeNumber(text.substr(slash + 1));
        if (!numerator || !denominator)
            return std::nullopt;
        return reducedRate(*numerator, *denominator);
    }
    if (const auto whole = wholeNumber(text))
        return reducedRate(*whole, 1);

    // A decimal: only digits and one point, so that locale and exponent forms never sneak in.
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string_view::npos ||
        text.find('.') != text.rfind('.') || text == ".")
        return std::nullopt;
    double value = 0.0;
    const auto [last, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || last != text.data() + text.size() || !(value > 0.0) || value > 1.0e6)
        return std::nullopt;
    const double broadcast = value * 1.001;
    if (std::abs(broadcast - std::round(broadcast)) < 0.01)
        return reducedRate(std::llround(broadcast) * 1000, 1001);
    return reducedRate(std::llround(value * 1000.0), 1000);
}

std::optional<PictureSize> parsePictureSize(std::string_view text)
{
    const auto cross = text.find_first_of("xX");
    if (cross == std::string_view::npos)
        return std::nullopt;
    const auto width = wholeNumber(text.substr(0, cross));
    const auto height = wholeNumber(text.substr(cross + 1));
    if (!width || !height || *width <= 0 || *height <= 0)
        return std::nullopt;
    return PictureSize{*width, *height};
}

} // namespace leapmark
