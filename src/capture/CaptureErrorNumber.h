#pragma once

#include "common/Result.h"

#include <cstdint>
#include <string>

namespace leapmark {

/**
 * The error number the operator sees for a failed capture command, in the form Windows programs
 * give their errors (HRESULT): 0x80070070 a full disk, 0x80070002 a missing file or device,
 * 0x80004001 something the device or this build cannot do, 0x8007000D bad data, 0x80004005 otherwise.
 */
[[nodiscard]] std::uint32_t captureErrorNumber(const Error& error);

/** "Eror code: " + the number in hexadecimal + " " + the error's text. */
[[nodiscard]] std::string hexErrorBoxText(const Error& error);

/** "Eror code: " + the number in decimal (as a signed 32-bit value) + " " + the error's text. */
[[nodiscard]] std::string decimalErrorBoxText(const Error& error);

/** "Error code: " + the number in decimal + " " + the error's text (the channel list's wording). */
[[nodiscard]] std::string channelErrorBoxText(const Error& error);

} // namespace leapmark
