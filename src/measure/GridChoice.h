#pragma once

#include <string>
#include <string_view>

namespace leapmark {

/** The grid the measurement screen's grid button moves on to, and the button's new caption. */
struct GridChoice
{
    std::string caption;
    int grid = 1;

    friend bool operator==(const GridChoice&, const GridChoice&) = default;
};

/** The caption of the grid button for grid g: "&Grid 1" ... "&Grid 3". */
[[nodiscard]] std::string gridButtonCaption(int g);

/**
 * The grid after the one the caption names: 1 to 2 to 3 and back to 1, going no further than the
 * grids in use. A caption that names no grid starts again at grid 1.
 */
[[nodiscard]] GridChoice nextGridChoice(std::string_view caption, int grids_in_use);

} // namespace leapmark
