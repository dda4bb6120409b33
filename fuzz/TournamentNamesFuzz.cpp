// libFuzzer entry for the tournament name file: any bytes give names or an error naming the file;
// a file of text within the size limits always reads, and every name is one non-empty UTF-8 item.
#include "FuzzCheck.h"
#include "names/NameText.h"
#include "names/TournamentNames.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using leapmark::fuzz::require;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto names = leapmark::tournamentNamesOfBytes("names.txt", bytes);
    if (!names) {
        require(leapmark::fuzz::startsWith(names.error().text(), "names.txt"), "an error names the file");
        const bool text =
            bytes.find('\0') == std::string_view::npos && leapmark::fuzz::linesAtMost(bytes, 64 * 1024);
        require(!text, "a text file within the limits reads");
        return 0;
    }
    for (const auto& name : *names) {
        require(!name.empty(), "no empty name");
        require(!leapmark::fuzz::hasLineEnd(name), "a name is on one line");
        require(leapmark::isValidUtf8(name), "a name is UTF-8");
    }
    return 0;
}
