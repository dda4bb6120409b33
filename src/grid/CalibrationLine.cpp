#include "grid/CalibrationLine.h"

#include "common/LeadingNumber.h"
#include "common/NumberText.h"
#include "grid/GridOperations.h"

#include <cmath>

namespace leapmark {

Result<CalibrationEnd> convertCalibrationEnd(GridState& grid, const CalibrationEnd& end,
                                             CalibrationInput input)
{
    CalibrationEnd converted = end;
    if (input == CalibrationInput::Survey) {
        grid.survey_x = leadingNumber(end.surveyX);
        grid.survey_y = leadingNumber(end.surveyY);
        if (auto done = survey_to_screen(grid); !done)
            return done.error();
        converted.screenX = plainForm(std::floor(grid.screen_x + 0.5));
        converted.screenY = plainForm(std::floor(grid.screen_y + 0.5));
    } else {
        grid.screen_x = leadingNumber(end.screenX);
        grid.screen_y = leadingNumber(end.screenY);
        if (auto done = screen_to_survey(grid); !done)
            return done.error();
        converted.surveyX = plainForm(std::floor(grid.survey_x * 100 + 0.5) / 100);
        converted.surveyY = plainForm(std::floor(grid.survey_y * 100 + 0.5) / 100);
    }
    return converted;
}

CalibrationLine calibrationLineOf(const CalibrationEnd& from, const CalibrationEnd& to)
{
    return {leadingNumber(from.screenX), leadingNumber(from.screenY), leadingNumber(to.screenX),
            leadingNumber(to.screenY)};
}

} // namespace leapmark
