#include "grid/GridCheck.h"

#include "common/NumberText.h"

#include <cmath>

namespace leapmark {

Result<GridCheckResult> grid_check(double picture_width, const BuoyScreenXs& buoys)
{
    if (!(picture_width > 0.0) || !std::isfinite(picture_width))
        return Error("The grid check needs the width of the picture, which is " + plainForm(picture_width) +
                     " twips: load a picture first");
    GridCheckResult result;
    result.front_ratio = std::abs(buoys.lowerRight - buoys.lowerLeft) * 100 / picture_width;
    result.back_ratio = std::abs(buoys.upperRight - buoys.upperLeft) * 100 / picture_width;
    const double front = result.front_ratio;
    const double back = result.back_ratio;
    const std::string text = "Front ratio is " + signedForm(std::floor(front)) + "%  Back Ratio is " +
                             signedForm(std::floor(back)) + "%";
    if (front > 65 && back > 45)
        result.advice.push_back(text);
    if (front < 65 && back < 45)
        result.advice.push_back(text + "  Zoom camera in until front is > 85%");
    if (front > 65 && back < 45) {
        result.advice.push_back(text + "  Elevate camera until back is > 45%");
        result.advice.push_back(text + "  Zoom camera in until back is > 45%");
        if (front < 80)
            result.advice.push_back(text + "  Zoom camera in until front is > 85%");
    }
    return result;
}

} // namespace leapmark
