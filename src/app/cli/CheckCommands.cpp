#include "app/cli/CheckCommands.h"

#include "common/Clock.h"
#include "common/LeadingNumber.h"
#include "common/PathText.h"
#include "common/RecordFile.h"
#include "grid/AccuracyCheck.h"
#include "grid/CheckPoints.h"
#include "grid/GridCheck.h"
#include "grid/GridFile.h"
#include "grid/GridSetupSummary.h"

#include <ostream>

namespace leapmark::cli {
namespace {

int fail(CommandOutput& output, const std::string& message)
{
    output.err << message << "\n";
    return DomainFailure;
}

/** A grid file taken over as the setup screen's load does: the working set and the boxes' texts. */
struct LoadedGrid
{
    GridState state;
    GridSetupBoxTexts boxes;
};

Result<LoadedGrid> loadGrid(const std::string& file)
{
    auto content = readGridFile(toPath(file));
    if (!content)
        return content.error();
    const double saved = content->grid.extra[2];
    const int g = saved == 2.0 || saved == 3.0 ? static_cast<int>(saved) : 1;
    LoadedGrid loaded;
    loaded.state.grids_in_use = kMaxGrids;
    applyGridFile(loaded.state, g, file, *content);
    loaded.boxes = boxTextsOfWorkingSet(loaded.state);
    return loaded;
}

BuoyScreenXs screenXs(const GridSetupBoxTexts& boxes)
{
    return {leadingNumber(boxes.upper_left_x), leadingNumber(boxes.upper_right_x),
            leadingNumber(boxes.lower_left_x), leadingNumber(boxes.lower_right_x)};
}

std::optional<double> pictureWidth(CliArguments& args)
{
    const auto width = args.takeOption("--picture-width");
    if (!width)
        return 12000.0;
    return tryLeadingNumber(*width);
}

int runAccuracy(CliArguments& args, CommandOutput& output)
{
    const bool standard = args.takeFlag("--standard");
    const bool advanced = args.takeFlag("--advanced");
    const bool sitSki = args.takeFlag("--sitski");
    const bool barefoot = args.takeFlag("--barefoot");
    const auto display = args.takeOption("--display");
    const auto reportDir = args.takeOption("--report-dir");
    const auto width = pictureWidth(args);
    const auto gridFile = args.takeOption("--grid");
    if (!gridFile || !width || !args.empty() || (standard && advanced) || (sitSki && barefoot))
        return usageError(accuracyCommand, output);
    AccuracyDisplay shown = AccuracyDisplay::HomologationLevel;
    if (display && *display == "distance")
        shown = AccuracyDisplay::Distance;
    else if (display && *display == "detail")
        shown = AccuracyDisplay::Detail;
    else if (display && *display != "hom")
        return usageError(accuracyCommand, output);
    if (!advanced)
        shown = AccuracyDisplay::HomologationLevel;

    auto loaded = loadGrid(*gridFile);
    if (!loaded)
        return fail(output, loaded.error().text());
    loaded->state.sit_ski = sitSki;
    loaded->state.barefoot = barefoot;
    const GridSetupBoxTexts& b = loaded->boxes;
    const auto checked = grid_check(*width, screenXs(b));
    if (!checked)
        return fail(output, checked.error().text());

    const BuoyPositions buoys{{leadingNumber(b.upper_left_x), leadingNumber(b.upper_left_y)},
                              {leadingNumber(b.upper_right_x), leadingNumber(b.upper_right_y)},
                              {leadingNumber(b.lower_left_x), leadingNumber(b.lower_left_y)},
                              {leadingNumber(b.lower_right_x), leadingNumber(b.lower_right_y)}};
    auto points = measureAccuracy(loaded->state, accuracyLattice(buoys), shown);
    if (!points)
        return fail(output, points.error().text());
    AccuracyReportHead head;
    head.moment = SystemClock().now();
    head.current_grid = loaded->state.current_grid;
    head.front_ratio = checked->front_ratio;
    head.back_ratio = checked->back_ratio;
    head.boxes = b;
    const std::filesystem::path report =
        toPath(reportDir.value_or(".")) / accuracyReportFileName(head.moment);
    if (auto written = appendRecord(report, accuracyReport(head, *points)); !written)
        return fail(output, written.error().text());
    for (const AccuracyPoint& point : *points)
        output.out << point.label() << " " << point.text << "\n";
    return Success;
}

int runGridCheck(CliArguments& args, CommandOutput& output)
{
    const auto gridFile = args.takeOption("--grid");
    const auto widthText = args.takeOption("--picture-width");
    const auto width = widthText ? tryLeadingNumber(*widthText) : std::nullopt;
    if (!gridFile || !width || !args.empty())
        return usageError(gridCheckCommand, output);
    auto loaded = loadGrid(*gridFile);
    if (!loaded)
        return fail(output, loaded.error().text());
    const auto checked = grid_check(*width, screenXs(loaded->boxes));
    if (!checked)
        return fail(output, checked.error().text());
    for (const std::string& advice : checked->advice)
        output.out << advice << "\n";
    return Success;
}

int runCheckPoints(CliArguments& args, CommandOutput& output)
{
    const auto gridFile = args.takeOption("--grid");
    std::vector<CheckPoint> points;
    while (!args.empty()) {
        const auto u = args.takeNumber();
        const auto v = args.takeNumber();
        const auto x = args.takeNumber();
        const auto y = args.takeNumber();
        if (!u || !v || !x || !y)
            return usageError(checkPointsCommand, output);
        points.push_back({{*x, *y}, PlanePoint{*u, *v}});
    }
    if (!gridFile || points.empty() || points.size() > kMaxCheckPoints)
        return usageError(checkPointsCommand, output);
    const auto content = readGridFile(toPath(*gridFile));
    if (!content)
        return fail(output, content.error().text());
    const CheckPointResiduals residuals = checkPointResiduals(content->grid.coef, points);
    for (std::size_t i = 0; i < points.size(); ++i)
        output.out << "point " << i + 1 << " "
                   << (residuals.residuals[i] ? residualText(*residuals.residuals[i])
                                              : std::string("not measurable"))
                   << "\n";
    if (residuals.largest)
        output.out << "largest point " << *residuals.largest + 1 << " "
                   << residualText(*residuals.residuals[*residuals.largest]) << "\n";
    return Success;
}

} // namespace

const Command accuracyCommand{
    "accuracy",
    "accuracy --grid FILE [--standard|--advanced] [--display hom|distance|detail] [--sitski|--barefoot]\n"
    "      [--picture-width TWIPS] [--report-dir DIR]",
    "the accuracy check of a grid file: appends \"acc\" + mmdd + \".txt\" to DIR (default: here)\n"
    "      and prints the 49 label texts, label number first",
    runAccuracy};
const Command gridCheckCommand{"grid-check", "grid-check --grid FILE --picture-width TWIPS",
                               "the grid check's advice boxes for a grid file, one a line", runGridCheck};
const Command checkPointsCommand{
    "check-points", "check-points --grid FILE U V X Y [U V X Y ...]",
    "residual in metres of each surveyed point X Y clicked at screen twips U V, and the largest",
    runCheckPoints};

} // namespace leapmark::cli
