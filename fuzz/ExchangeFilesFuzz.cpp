// libFuzzer entry for the files the scoring program leaves in the exchange folder: "qxskier.nam"
// gives a skier name or an error naming the file (a short text file always gives a name), and
// "clipflag.txt" is ready only for a first field of "Ready"; the reset flag is never ready.
#include "FuzzCheck.h"
#include "measure/ExchangeFolder.h"
#include "names/NameText.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using leapmark::fuzz::require;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const auto name = leapmark::skierNameOfBytes("qxskier.nam", bytes);
    if (name) {
        require(!leapmark::fuzz::hasLineEnd(*name), "the name is on one line");
        require(leapmark::isValidUtf8(*name), "the name is UTF-8");
    } else {
        require(leapmark::fuzz::startsWith(name.error().text(), "qxskier.nam"), "an error names the file");
        // A byte-order mark alone is an empty file.
        const bool shortText = !leapmark::nameFileText(bytes).empty() &&
                               bytes.find('\0') == std::string_view::npos &&
                               leapmark::fuzz::linesAtMost(bytes, 4 * 1024);
        require(!shortText, "a short text file gives a name");
    }

    if (leapmark::clipFlagIsReady(bytes)) {
        const std::string_view flag = bytes.substr(std::min(bytes.find_first_not_of(" \t"), bytes.size()));
        // A quote left open runs to the line end, so "Ready without its closing quote is Ready too.
        require(flag.starts_with("Ready") || flag.starts_with("\"Ready"), "ready means the flag says Ready");
    }
    require(!leapmark::clipFlagIsReady("  \r\n"), "the reset flag is not ready");
    return 0;
}
