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

CornerPoints cornerPoints(const CornerValues& xs, const CornerValues& ys)
{
    CornerPoints points;
    for (std::size_t i = 0; i < 4; ++i)
        points[i] = {xs[i + 1], ys[i + 1]};
    return points;
}

CornerPoints screenCorners(const GridRecord& record)
{
    return cornerPoints(record.corner_screen_x, record.corner_screen_y);
}

CornerPoints surveyCorners(const GridRecord& record)
{
    return cornerPoints(record.corner_survey_x, record.corner_survey_y);
}

} // namespace leapmark
