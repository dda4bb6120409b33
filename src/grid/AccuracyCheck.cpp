#include "grid/AccuracyCheck.h"

#include "common/DateTimeText.h"
#include "common/NumberText.h"
#include "common/RecordFile.h"
#include "grid/GridOperations.h"

#include <cmath>
#include <cstdio>

namespace leapmark {
namespace {

constexpr double kPixelTwips = 15.0;

PlanePoint between(PlanePoint from, PlanePoint to, int step)
{
    return {from.x + (to.x - from.x) * step / 6, from.y + (to.y - from.y) * step / 6};
}

/** Whole part of v x 10^places + 0.5, divided back: the check's own rounding. */
double rounded(double value, double scale)
{
    return std::floor(value * scale + 0.5) / scale;
}

Result<double> distanceAt(GridState& state, double x, double y)
{
    state.screen_x = x;
    state.screen_y = y;
    if (auto measured = distance_calculation(state); !measured)
        return measured.error();
    return state.jump_distance;
}

} // namespace

AccuracyLattice accuracyLattice(const BuoyPositions& buoys)
{
    AccuracyLattice lattice{};
    lattice[0][0] = buoys.upperLeft;
    lattice[0][6] = buoys.upperRight;
    lattice[6][0] = buoys.lowerLeft;
    lattice[6][6] = buoys.lowerRight;
    for (int k = 1; k <= 5; ++k) {
        lattice[k][0] = between(buoys.upperLeft, buoys.lowerLeft, k);
        lattice[k][6] = between(buoys.upperRight, buoys.lowerRight, k);
    }
    for (auto& row : lattice)
        for (int c = 1; c <= 5; ++c)
            row[static_cast<std::size_t>(c)] = between(row[0], row[6], c);
    return lattice;
}

std::string homologationLevel(double deltaMetres)
{
    if (deltaMetres <= 0.1)
        return "R";
    if (deltaMetres <= 0.15)
        return "L";
    if (deltaMetres <= 0.2)
        return "C";
    return "NH";
}

std::string accuracyLabelText(double distanceMetres, double deltaMetres, AccuracyDisplay display)
{
    switch (display) {
    case AccuracyDisplay::Distance:
        return signedForm(rounded(distanceMetres, 10));
    case AccuracyDisplay::Detail:
        return signedForm(rounded(deltaMetres, 100));
    case AccuracyDisplay::HomologationLevel:
        break;
    }
    return homologationLevel(deltaMetres);
}

Result<std::vector<AccuracyPoint>> measureAccuracy(GridState& state, const AccuracyLattice& lattice,
                                                   AccuracyDisplay display)
{
    std::vector<AccuracyPoint> points;
    points.reserve(kLatticeSize * kLatticeSize);
    for (int c = 0; c < kLatticeSize; ++c) {
        for (int r = 0; r < kLatticeSize; ++r) {
            AccuracyPoint point;
            point.row = r;
            point.column = c;
            point.screen = lattice[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
            const double x = point.screen.x;
            const double y = point.screen.y;
            auto d0 = distanceAt(state, x, y);
            auto d1 = d0 ? distanceAt(state, x + kPixelTwips, y) : d0;
            auto d2 = d1 ? distanceAt(state, x, y + kPixelTwips) : d1;
            if (!d2)
                return Error("The accuracy check could not measure the point at " + plainForm(x) + ", " +
                             plainForm(y) + " twips: " + d2.error().text());
            point.distance = *d0;
            point.rightStep = *d1;
            point.downStep = *d2;
            const double right = std::abs(*d1 - *d0);
            const double down = std::abs(*d2 - *d0);
            point.delta = right >= down ? right : down;
            point.surveyBelow = {state.survey_x, state.survey_y};
            point.text = accuracyLabelText(point.distance, point.delta, display);
            points.push_back(std::move(point));
        }
    }
    return points;
}

std::string accuracyReportFileName(const LocalDateTime& moment)
{
    char name[16];
    std::snprintf(name, sizeof name, "acc%02d%02d.txt", moment.month % 100, moment.day % 100);
    return name;
}

std::string accuracyReportLine(const AccuracyPoint& point)
{
    auto hundredths = [](double v) { return signedForm(rounded(v, 100)); };
    return "xpix: " + signedForm(std::floor(point.screen.x)) +
           "  ypix: " + signedForm(std::floor(point.screen.y)) + "  x: " + hundredths(point.surveyBelow.x) +
           "  y: " + hundredths(point.surveyBelow.y) + "  distance: " + hundredths(point.distance) +
           "  v inc: " + hundredths(point.downStep) + "  h inc: " + hundredths(point.rightStep) +
           "  delta: " + hundredths(point.delta);
}

std::string accuracyReport(const AccuracyReportHead& head, const std::vector<AccuracyPoint>& points)
{
    std::string bytes = crlfLine(dateText(head.moment) + "  " + timeText(head.moment) + " Accuracy Check");
    bytes += crlfLine("Grid Set-up for accuracy check");
    bytes += crlfLine(head.boxes.ipt_file_description);
    bytes += crlfLine(head.boxes.ipt_file_description_2);
    bytes += crlfLine("Grid Number: " + printForm(head.current_grid));
    bytes += crlfLine(" ");
    bytes += crlfLine("Front Ratio: " + signedForm(std::floor(head.front_ratio)));
    bytes += crlfLine("Back Ratio: " + signedForm(std::floor(head.back_ratio)));
    bytes += gridSetupPositionBlock(head.boxes, SummaryPositionLabel::Pixels);
    for (const AccuracyPoint& point : points)
        bytes += crlfLine(accuracyReportLine(point));
    return bytes;
}

Drawing latticeRowLines(const AccuracyLattice& lattice, Rgb colour)
{
    Drawing drawing;
    for (const auto& row : lattice)
        drawing.push_back(lineCommand(row[0], row[6], colour));
    return drawing;
}

PlanePoint lineLabelTopLeft(const AccuracyLattice& lattice, int row)
{
    const PlanePoint end = lattice[static_cast<std::size_t>(row)][6];
    return {end.x + 30, end.y - 90};
}

} // namespace leapmark
