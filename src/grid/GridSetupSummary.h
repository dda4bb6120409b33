#pragma once

#include "common/Clock.h"
#include "grid/GridState.h"

#include <string>

namespace leapmark {

/** The label the four screen-position lines of the summary carry; the values are twips either way. */
enum class SummaryPositionLabel {
    Twips,  ///< after a grid file is loaded
    Pixels, ///< after a grid is solved on the setup screen
};

/** The grid setup screen's box texts as they stand. */
struct GridSetupBoxTexts
{
    std::string ipt_file_description;
    std::string ipt_file_description_2;
    std::string upper_left_x, upper_left_y;
    std::string lower_left_x, lower_left_y;
    std::string upper_right_x, upper_right_y;
    std::string lower_right_x, lower_right_y;
    std::string ul_survey_x, ul_survey_y;
    std::string ll_survey_x, ll_survey_y;
    std::string ur_survey_x, ur_survey_y;
    std::string lr_survey_x, lr_survey_y;
    std::string jump_x, jump_y;
};

/**
 * The grid set-up block appended to the results file whenever a grid is loaded or solved: 19 CRLF
 * lines opening with "<date> <time> New Set-up now in place".
 */
[[nodiscard]] std::string gridSetupSummary(const LocalDateTime& moment, int current_grid,
                                           const GridSetupBoxTexts& boxes, SummaryPositionLabel label);

/**
 * The corner and ramp lines of the summary (its lines 6 to 19): each corner's screen and survey
 * pair and a blank line, upper left, lower left, upper right, lower right, then the ramp point.
 */
[[nodiscard]] std::string gridSetupPositionBlock(const GridSetupBoxTexts& boxes, SummaryPositionLabel label);

/**
 * The box texts the setup screen shows for the working set after a load: numbers in signed form,
 * the file label and description of grid `current_grid`.
 */
[[nodiscard]] GridSetupBoxTexts boxTextsOfWorkingSet(const GridState& state);

} // namespace leapmark
