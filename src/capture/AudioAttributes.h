#pragma once

#include "capture/CaptureControl.h"

#include <string>
#include <string_view>
#include <vector>

namespace leapmark {

/*
 * The audio format list of the capture panel ("Attributes:"). Its sixteen standard entries run
 * through the rates 11.025, 22.050, 32.000 and 44.100 kHz, within each rate 8 then 16 bits, within
 * each depth Mono then Stereo: bit 0 of a list position selects Stereo, bit 1 selects 16 bits.
 */

/** The sixteen standard entries, "11.025 Khz, 8 Bit, Mono" first. */
[[nodiscard]] std::vector<std::string> standardAudioAttributeItems();

/**
 * The entry text of a device's audio format as the panel builds it to find it in the list: rate in
 * kHz with three decimals, " Khz, ", "8" or "16", " bit, ", "Mono" or "Stereo" (compared with the
 * list without regard to case).
 */
[[nodiscard]] std::string audioAttributeText(const AudioFormat& format);

/**
 * The sound format an entry of the list stands for. The rate is read from the text before its first
 * blank (in kHz, when a blank follows the first character; otherwise keptRateHz stays); the bits and
 * channels from the words "16" and "Stereo", so an entry added for a device's own rate reads as
 * it shows, whatever its position.
 */
[[nodiscard]] AudioFormat audioFormatOfAttributeText(std::string_view text, int keptRateHz);

} // namespace leapmark
