#include "grid/GridSetupSummary.h"

#include "common/DateTimeText.h"
#include "common/NumberText.h"
#include "common/RecordFile.h"

namespace leapmark {
namespace {

std::string pairText(const std::string& x, const std::string& y)
{
    return x + "  " + y;
}

/** One corner's three lines: screen position, survey position, a line holding one blank. */
std::string cornerLines(const std::string& cornerName, const char* positionUnit, const std::string& screenX,
                        const std::string& screenY, const std::string& surveyX, const std::string& surveyY)
{
    return crlfLine(cornerName + " X,Y " + positionUnit + ": " + pairText(screenX, screenY)) +
           crlfLine(cornerName + " X,Y Survey: " + pairText(surveyX, surveyY)) + crlfLine(" ");
}

} // namespace

std::string gridSetupSummary(const LocalDateTime& moment, int current_grid, const GridSetupBoxTexts& boxes,
                             SummaryPositionLabel label)
{
    std::string bytes = crlfLine(dateText(moment) + " " + timeText(moment) + " New Set-up now in place");
    bytes += crlfLine(boxes.ipt_file_description);
    bytes += crlfLine(boxes.ipt_file_description_2);
    bytes += crlfLine("Grid Number: " + printForm(current_grid));
    bytes += crlfLine(" ");
    bytes += gridSetupPositionBlock(boxes, label);
    return bytes;
}

std::string gridSetupPositionBlock(const GridSetupBoxTexts& boxes, SummaryPositionLabel label)
{
    const char* unit = label == SummaryPositionLabel::Pixels ? "Pixels" : "Twips";
    std::string bytes = cornerLines("Upper Left", unit, boxes.upper_left_x, boxes.upper_left_y,
                                    boxes.ul_survey_x, boxes.ul_survey_y);
    bytes += cornerLines("Lower Left", unit, boxes.lower_left_x, boxes.lower_left_y, boxes.ll_survey_x,
                         boxes.ll_survey_y);
    bytes += cornerLines("Upper Right", unit, boxes.upper_right_x, boxes.upper_right_y, boxes.ur_survey_x,
                         boxes.ur_survey_y);
    bytes += cornerLines("Lower Right", unit, boxes.lower_right_x, boxes.lower_right_y, boxes.lr_survey_x,
                         boxes.lr_survey_y);
    bytes += crlfLine("Jump X,Y Survey: " + pairText(boxes.jump_x, boxes.jump_y));
    bytes += crlfLine(" ");
    return bytes;
}

GridSetupBoxTexts boxTextsOfWorkingSet(const GridState& state)
{
    GridSetupBoxTexts boxes;
    if (isGridNumber(state.current_grid)) {
        const auto g = static_cast<std::size_t>(state.current_grid);
        boxes.ipt_file_description = state.grid_file_labels[g];
        boxes.ipt_file_description_2 = state.grid_descriptions[g];
    }
    boxes.upper_left_x = signedForm(state.buoy_screen_x[corner::upperLeft]);
    boxes.upper_left_y = signedForm(state.buoy_screen_y[corner::upperLeft]);
    boxes.lower_left_x = signedForm(state.buoy_screen_x[corner::lowerLeft]);
    boxes.lower_left_y = signedForm(state.buoy_screen_y[corner::lowerLeft]);
    boxes.upper_right_x = signedForm(state.buoy_screen_x[corner::upperRight]);
    boxes.upper_right_y = signedForm(state.buoy_screen_y[corner::upperRight]);
    boxes.lower_right_x = signedForm(state.buoy_screen_x[corner::lowerRight]);
    boxes.lower_right_y = signedForm(state.buoy_screen_y[corner::lowerRight]);
    boxes.ul_survey_x = signedForm(state.buoy_survey_x[corner::upperLeft]);
    boxes.ul_survey_y = signedForm(state.buoy_survey_y[corner::upperLeft]);
    boxes.ll_survey_x = signedForm(state.buoy_survey_x[corner::lowerLeft]);
    boxes.ll_survey_y = signedForm(state.buoy_survey_y[corner::lowerLeft]);
    boxes.ur_survey_x = signedForm(state.buoy_survey_x[corner::upperRight]);
    boxes.ur_survey_y = signedForm(state.buoy_survey_y[corner::upperRight]);
    boxes.lr_survey_x = signedForm(state.buoy_survey_x[corner::lowerRight]);
    boxes.lr_survey_y = signedForm(state.buoy_survey_y[corner::lowerRight]);
    boxes.jump_x = signedForm(state.grid_ramp_x);
    boxes.jump_y = signedForm(state.grid_ramp_y);
    return boxes;
}

} // namespace leapmark
