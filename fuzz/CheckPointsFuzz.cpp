// libFuzzer entry for the check-point side file: any text gives points or an error naming the file
// and line; the points are finite, at most the allowed number, and write back to a file that reads
// as the same points and writes the same bytes again.
#include "FuzzCheck.h"
#include "grid/CheckPoints.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using leapmark::fuzz::require;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto points = leapmark::parseCheckPoints("grid.ipt.check", text);
    if (!points) {
        require(leapmark::fuzz::startsWith(points.error().text(), "grid.ipt.check, line "),
                "an error names the file and the line");
        return 0;
    }
    require(points->size() <= leapmark::kMaxCheckPoints, "at most the allowed number of points");
    for (const auto& point : *points) {
        require(point.screen.has_value(), "a point read from the file has been clicked");
        require(std::isfinite(point.survey.x) && std::isfinite(point.survey.y) &&
                    std::isfinite(point.screen->x) && std::isfinite(point.screen->y),
                "every coordinate is finite");
    }

    const std::string written = leapmark::checkPointsFileBytes(*points);
    const auto again = leapmark::parseCheckPoints("again.check", written);
    require(again.ok(), "what is written reads back");
    require(again->size() == points->size(), "every point is written");
    require(leapmark::checkPointsFileBytes(*again) == written, "a second write gives the same bytes");
    return 0;
}
