#include "capture/CaptureErrorNumber.h"

#include <cstdio>

namespace leapmark {

std::uint32_t captureErrorNumber(const Error& error)
{
    switch (error.kind()) {
    case ErrorKind::DiskFull:
        return 0x80070070u;
    case ErrorKind::NotFound:
        return 0x80070002u;
    case ErrorKind::Unsupported:
        return 0x80004001u;
    case ErrorKind::Corrupt:
        return 0x8007000Du;
    case ErrorKind::TooLarge:
        return 0x80070008u;
    case ErrorKind::Other:
        break;
    }
    return 0x80004005u;
}

namespace {

std::string signedDecimal(std::uint32_t number)
{
    return std::to_string(static_cast<std::int32_t>(number));
}

} // namespace

std::string hexErrorBoxText(const Error& error)
{
    char hex[16] = {};
    std::snprintf(hex, sizeof hex, "%X", captureErrorNumber(error));
    return std::string("Eror code: ") + hex + " " + error.text();
}

std::string decimalErrorBoxText(const Error& error)
{
    return "Eror code: " + signedDecimal(captureErrorNumber(error)) + " " + error.text();
}

std::string channelErrorBoxText(const Error& error)
{
    return "Error code: " + signedDecimal(captureErrorNumber(error)) + " " + error.text();
}

} // namespace leapmark
