// libFuzzer entry for the grid file reader: any text must give a grid or an error naming the file,
// and a grid that reads must write and read back the same.
#include "grid/GridFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto grid = leapmark::parseGridFile("fuzz.ipt", text);
    if (!grid) {
        if (grid.error().text().rfind("fuzz.ipt", 0) != 0)
            std::abort();
        return 0;
    }
    const auto again = leapmark::parseGridFile("again.ipt", leapmark::gridFileBytes(*grid, "again.ipt"));
    if (!again)
        std::abort();
    return 0;
}
