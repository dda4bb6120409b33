// libFuzzer entry for the setting values read back from the settings file (the INI layout itself is
// Qt's): any stored text reads as a value or as nothing (the default), and a value read is written
// in a text that reads as the same value.
#include "FuzzCheck.h"
#include "settings/SettingsText.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using leapmark::fuzz::require;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    if (const auto number = leapmark::parseNumberText(text)) {
        require(std::isfinite(*number), "a number read is finite");
        const std::string written = leapmark::numberText(*number);
        const auto again = leapmark::parseNumberText(written);
        require(again.has_value(), "a number written reads back");
        require(leapmark::numberText(*again) == written, "a number written twice gives the same text");
    }
    if (const auto whole = leapmark::parseIntegerText(text))
        require(leapmark::parseIntegerText(leapmark::integerText(*whole)) == whole,
                "a whole number written reads back the same");
    if (const auto flag = leapmark::parseFlagText(text))
        require(leapmark::parseFlagText(leapmark::flagText(*flag)) == flag,
                "a flag written reads back the same");
    return 0;
}
