#include "simulator/SimulatedGridFile.h"

#include "grid/ProjectiveTransform.h"

namespace leapmark {

Result<GridFileContent> simulatedGridFileContent(const SimulatedGrid& grid)
{
    CornerPoints screen;
    CornerPoints survey;
    for (std::size_t i = 0; i < grid.corners.size(); ++i) {
        const SimulatedGridCorner& corner = grid.corners[i];
        screen[i] = {corner.screenXTwips, corner.screenYTwips};
        survey[i] = {corner.survey.xMetres, corner.survey.yMetres};
    }
    const auto coef = solveProjectiveTransform(screen, survey);
    if (!coef)
        return coef.error();
    GridFileContent content;
    content.description = grid.description;
    content.grid =
        makeGridRecord(screen, survey, *coef, {grid.ramp.xMetres, grid.ramp.yMetres}, {10.0, 2.0, 1.0});
    return content;
}

Result<void> writeSimulatedGridFile(const std::filesystem::path& path, const SimulatedGrid& grid)
{
    const auto content = simulatedGridFileContent(grid);
    if (!content)
        return Error("Could not write " + path.string() + ": " + content.error().text());
    return writeGridFile(path, *content);
}

} // namespace leapmark
