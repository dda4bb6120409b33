#pragma once

#include <string>

namespace leapmark {

/** What the grid setup and measurement screens share about the picture they show and mark. */
struct GridScreenValues
{
    /** Radius of the buoy marker that is painted over, twips: twice the marker size bar. */
    double marker_size = 0.0;
    /** The last clicked point (a buoy on the setup screen, the landing on the measurement screen), twips. */
    double click_x = 0.0;
    double click_y = 0.0;
    /** Size of the picture shown, in twips by the HIMETRIC rule, as plain number text. */
    std::string picture_width = "12000";
    std::string picture_height = "9000";
};

} // namespace leapmark
