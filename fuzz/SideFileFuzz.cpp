// libFuzzer entry for a video's ".info" side file, read back when the frame selection opens a
// video measured before: any text gives a frame number as Str writes it, taken from the first line
// alone, and the side file the mark writes reads back as the frame it remembers.
#include "FuzzCheck.h"
#include "common/LeadingNumber.h"
#include "common/NumberText.h"
#include "review/FrameSelectionRules.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using leapmark::fuzz::require;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const std::string frame = leapmark::sideFileFrame(text);
    require(!frame.empty() && (frame.front() == ' ' || frame.front() == '-'), "the frame is in Str's form");
    require(!leapmark::fuzz::hasLineEnd(frame), "the frame is one line");
    require(leapmark::signedForm(leapmark::leadingNumber(frame)) == frame, "the frame reads as itself");
    require(leapmark::sideFileFrame(std::string(text) + "\r\n,99") == frame, "only the first line counts");

    // The mark writes the video's path, which holds no comma (names cannot carry one).
    const std::string_view firstLine =
        text.substr(0, std::min(text.find_first_of(",\r\n"), std::size_t{512}));
    const auto contact = static_cast<std::int64_t>(size) * 37 - 1000;
    require(leapmark::sideFileFrame(leapmark::sideFileText(firstLine, contact)) ==
                leapmark::signedForm(static_cast<double>(contact)),
            "a written side file reads back as its frame");
    return 0;
}
