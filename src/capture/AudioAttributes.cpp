#include "capture/AudioAttributes.h"

#include "common/LeadingNumber.h"
#include "common/Rounding.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>

namespace leapmark {

std::vector<std::string> standardAudioAttributeItems()
{
    constexpr std::array<std::string_view, 4> rates = {"11.025", "22.050", "32.000", "44.100"};
    std::vector<std::string> items;
    for (std::string_view rate : rates)
        for (std::string_view bits : {"8", "16"})
            for (std::string_view channels : {"Mono", "Stereo"})
                items.push_back(std::string(rate) + " Khz, " + std::string(bits) + " Bit, " +
                                std::string(channels));
    return items;
}

std::string audioAttributeText(const AudioFormat& format)
{
    std::array<char, 32> rate{};
    std::snprintf(rate.data(), rate.size(), "%.3f", format.sampleRateHz / 1000.0);
    std::string text(rate.data());
    // The C library follows the user's locale under Qt; the list is written with a decimal point.
    for (char& c : text)
        if (c == ',')
            c = '.';
    text += " Khz, ";
    text += format.bitsPerSample == 8 ? "8" : "16";
    text += " bit, ";
    text += format.channels == 1 ? "Mono" : "Stereo";
    return text;
}

AudioFormat audioFormatOfAttributeText(std::string_view text, int keptRateHz)
{
    AudioFormat format;
    format.sampleRateHz = keptRateHz;
    const std::size_t blank = text.find(' ', 1);
    if (text.size() > 1 && blank != std::string_view::npos)
        format.sampleRateHz = static_cast<int>(roundHalfEven(leadingNumber(text.substr(0, blank)) * 1000.0));
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    format.bitsPerSample = lower.find(", 16 bit") != std::string::npos ? 16 : 8;
    format.channels = lower.find("stereo") != std::string::npos ? 2 : 1;
    return format;
}

} // namespace leapmark
