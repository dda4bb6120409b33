#include "grid/GridRecord.h"

namespace leapmark {

GridRecord makeGridRecord(const CornerPoints& screen, const CornerPoints& survey,
                          const TransformCoefficients& coef, PlanePoint ramp, GridExtras extra)
{
    GridRecord record;
    for (std::size_t i = 0; i < 4; ++i) {
        record.corner_screen_x[i + 1] = screen[i].x;
        record.corner_screen_y[i + 1] = screen[i].y;
        record.corner_survey_x[i + 1] = survey[i].x;
        record.corner_survey_y[i + 1] = survey[i].y;
    }
    record.coef = coef;
    record.ramp_x = ramp.x;
    record.ramp_y = ramp.y;
    record.extra = extra;
    return record;
}

CornerPoints screenCorners(const GridRecord& record)
{
    CornerPoints points;
    for (std::size_t i = 0; i < 4; ++i)
        points[i] = {record.corner_screen_x[i + 1], record.corner_screen_y[i + 1]};
    return points;
}

CornerPoints surveyCorners(const GridRecord& record)
{
    CornerPoints points;
    for (std::size_t i = 0; i < 4; ++i)
        points[i] = {record.corner_survey_x[i + 1], record.corner_survey_y[i + 1]};
    return points;
}

} // namespace leapmark
