#include "app/cli/GridCommands.h"

#include "common/LeadingNumber.h"
#include "common/NumberText.h"
#include "common/PathText.h"
#include "grid/GridFile.h"
#include "grid/GridState.h"
#include "grid/JumpDistance.h"
#include "grid/ProjectiveTransform.h"
#include "measure/MeasuredJump.h"

#include <cstdio>
#include <optional>
#include <ostream>

namespace leapmark::cli {
namespace {

/** %.17g: enough digits to give back the double exactly. */
std::string exact(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
}

struct Corners
{
    CornerPoints screen;
    CornerPoints survey;
};

/** Sixteen numbers: screen u, v and survey x, y of corners 1 to 4 in turn. */
std::optional<Corners> takeCorners(CliArguments& args)
{
    Corners corners;
    for (std::size_t i = 0; i < 4; ++i) {
        const auto u = args.takeNumber();
        const auto v = args.takeNumber();
        const auto x = args.takeNumber();
        const auto y = args.takeNumber();
        if (!u || !v || !x || !y)
            return std::nullopt;
        corners.screen[i] = {*u, *v};
        corners.survey[i] = {*x, *y};
    }
    return corners;
}

std::optional<PlanePoint> takePoint(CliArguments& args)
{
    const auto x = args.takeNumber();
    const auto y = args.takeNumber();
    if (!x || !y)
        return std::nullopt;
    return PlanePoint{*x, *y};
}

int fail(CommandOutput& output, const std::string& message)
{
    output.err << message << "\n";
    return DomainFailure;
}

int runSolve(CliArguments& args, CommandOutput& output)
{
    const auto corners = takeCorners(args);
    if (!corners || !args.empty())
        return usageError(solveCommand, output);
    const auto coef = solveProjectiveTransform(corners->screen, corners->survey);
    if (!coef)
        return fail(output, coef.error().text());
    for (const double c : *coef)
        output.out << exact(c) << "\n";
    return Success;
}

int runGridSave(CliArguments& args, CommandOutput& output)
{
    const auto gridNumber = args.takeOption("--grid");
    const auto description = args.takeOption("--description");
    const auto ramp = args.takeOption("--ramp", 2);
    const auto file = args.take();
    if (!gridNumber || !description || !ramp || !file)
        return usageError(gridSaveCommand, output);
    CliArguments rampArgs(*ramp);
    const auto rampPoint = takePoint(rampArgs);
    const auto corners = takeCorners(args);
    const double gridValue = isWholeNumberText(*gridNumber) ? leadingNumber(*gridNumber) : 0.0;
    const int g = gridValue >= 1.0 && gridValue <= kMaxGrids && gridValue == static_cast<int>(gridValue)
                      ? static_cast<int>(gridValue)
                      : 0;
    if (!rampPoint || !corners || !args.empty() || !isGridNumber(g))
        return usageError(gridSaveCommand, output);

    const auto coef = solveProjectiveTransform(corners->screen, corners->survey);
    if (!coef)
        return fail(output, coef.error().text());
    GridFileContent content;
    content.description = *description;
    content.grid =
        makeGridRecord(corners->screen, corners->survey, *coef, *rampPoint, {10.0, 2.0, double(g)});
    if (auto written = writeGridFile(toPath(*file), content); !written)
        return fail(output, written.error().text());
    return Success;
}

int runGridShow(CliArguments& args, CommandOutput& output)
{
    const auto file = args.take();
    if (!file || !args.empty())
        return usageError(gridShowCommand, output);
    const auto content = readGridFile(toPath(*file));
    if (!content)
        return fail(output, content.error().text());
    const GridRecord& grid = content->grid;
    output.out << "description " << content->description << "\n";
    static constexpr const char* kCornerNames[] = {"", "upper_right", "lower_right", "upper_left",
                                                   "lower_left"};
    for (int c = 1; c <= 4; ++c) {
        const auto i = static_cast<std::size_t>(c);
        output.out << "corner " << c << " " << kCornerNames[c] << " screen " << exact(grid.corner_screen_x[i])
                   << " " << exact(grid.corner_screen_y[i]) << " survey " << exact(grid.corner_survey_x[i])
                   << " " << exact(grid.corner_survey_y[i]) << "\n";
    }
    for (std::size_t n = 0; n < grid.coef.size(); ++n)
        output.out << "c" << n + 1 << " " << exact(grid.coef[n]) << "\n";
    output.out << "ramp " << exact(grid.ramp_x) << " " << exact(grid.ramp_y) << "\n";
    output.out << "extra " << exact(grid.extra[0]) << " " << exact(grid.extra[1]) << " "
               << exact(grid.extra[2]) << "\n";
    return Success;
}

int runMeasure(CliArguments& args, CommandOutput& output)
{
    const bool sitSki = args.takeFlag("--sitski");
    const bool barefoot = args.takeFlag("--barefoot");
    const auto gridFile = args.takeOption("--grid");
    const auto click = takePoint(args);
    if (!gridFile || !click || !args.empty() || (sitSki && barefoot))
        return usageError(measureCommand, output);
    const auto content = readGridFile(toPath(*gridFile));
    if (!content)
        return fail(output, content.error().text());

    const auto landing =
        landingDistance(content->grid.coef, *click, {content->grid.ramp_x, content->grid.ramp_y},
                        rampAllowanceFor(barefoot, sitSki));
    if (!landing)
        return fail(output, landing.error().text());
    const MeasuredJumpFigures figures = measuredJumpFigures(
        landing->distanceMetres, barefoot ? BarefootTournament::Yes : BarefootTournament::No);
    output.out << "survey_x " << exact(landing->survey.x) << "\n"
               << "survey_y " << exact(landing->survey.y) << "\n"
               << "jump_distance " << exact(landing->distanceMetres) << "\n"
               << "metres " << plainForm(figures.officialMetres) << "\n"
               << "feet " << plainForm(figures.officialFeet) << "\n";
    return Success;
}

int runToScreen(CliArguments& args, CommandOutput& output)
{
    const auto gridFile = args.takeOption("--grid");
    const auto survey = takePoint(args);
    if (!gridFile || !survey || !args.empty())
        return usageError(toScreenCommand, output);
    const auto content = readGridFile(toPath(*gridFile));
    if (!content)
        return fail(output, content.error().text());
    const auto screen = surveyToScreen(content->grid.coef, *survey);
    if (!screen)
        return fail(output, screen.error().text());
    output.out << "screen_x " << exact(screen->x) << "\n"
               << "screen_y " << exact(screen->y) << "\n";
    return Success;
}

} // namespace

const Command solveCommand{
    "solve", "solve U1 V1 X1 Y1 U2 V2 X2 Y2 U3 V3 X3 Y3 U4 V4 X4 Y4",
    "coefficients c1..c8 from four corners (1 upper right, 2 lower right, 3 upper left,\n"
    "      4 lower left; screen in twips, survey in metres)",
    runSolve};
const Command gridSaveCommand{
    "grid-save", "grid-save FILE --grid N --description TEXT --ramp X Y U1 V1 X1 Y1 ... U4 V4 X4 Y4",
    "solve four corners and write them as grid N to a grid file", runGridSave};
const Command gridShowCommand{"grid-show", "grid-show FILE",
                              "description, corners, coefficients and ramp point of a grid file",
                              runGridShow};
const Command measureCommand{
    "measure", "measure --grid FILE [--sitski|--barefoot] U V",
    "the landing clicked at screen twips U V: survey point, distance and the official\n"
    "      metres and feet",
    runMeasure};
const Command toScreenCommand{"to-screen", "to-screen --grid FILE X Y", "a survey point in screen twips",
                              runToScreen};

} // namespace leapmark::cli
