// libFuzzer entry for the skier list: any bytes give names that a video file name can carry (one
// line, no comma), the capture screen starts with the first of them, and the list the import writes
// from a text reads back as the same names.
#include "FuzzCheck.h"
#include "names/NameText.h"
#include "names/SkierList.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using leapmark::fuzz::require;
    const std::string text =
        leapmark::nameFileText(std::string_view(reinterpret_cast<const char*>(data), size));
    require(leapmark::isValidUtf8(text), "the list is read as UTF-8");
    const auto names = leapmark::skierNamesOfList(text);
    for (const auto& name : names) {
        require(!name.empty(), "no empty name");
        require(!leapmark::fuzz::hasLineEnd(name) && name.find(',') == std::string::npos,
                "a name is one line without commas");
    }

    const auto first = leapmark::firstSkierNameOfList(text);
    if (first)
        require(!names.empty() && *first == names.front(), "the first name is the list's first");
    else
        require(text.empty() || text.front() == '\r' || text.front() == '\n',
                "only an empty first line gives none");

    // A leading byte-order mark is the one thing the reader drops that the writer keeps.
    if (!text.starts_with("\xEF\xBB\xBF")) {
        const std::string written = leapmark::skierListFileBytes(text);
        require(leapmark::skierNamesOfList(leapmark::nameFileText(written)) == names,
                "the written list reads back as the same names");
    }
    return 0;
}
