// libFuzzer entry for the AVI header reader: any bytes must give facts or an error, never a crash.
#include "review/AviRiffReader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto info = leapmark::readAviFileInfo(bytes, "fuzz.avi");
    if (info.ok() && info->scale != 0)
        (void)leapmark::roundedFrameRate(*info);
    return 0;
}
