#include "grid/GridFile.h"

#include "common/DelimitedFieldReader.h"
#include "common/LeadingNumber.h"
#include "common/NumberText.h"
#include "common/PathText.h"
#include "common/RecordFile.h"
#include "grid/GridOperations.h"
#include "grid/StoredGridCheck.h"

#include <cassert>
#include <cmath>
#include <utility>
#include <vector>

namespace leapmark {
namespace {

constexpr std::string_view kHeading = "Initialization Points for file: ";

constexpr ReadLimits kGridFileLimits{kGridFileMaxBytes, kGridFileMaxBytes};

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

/** A line break inside a value would shift every line after it. */
std::string oneLine(std::string text)
{
    for (char& c : text)
        if (c == '\r' || c == '\n')
            c = ' ';
    return text;
}

/** The description as line 2 holds it: as typed, or quoted when the field reader would split it. */
std::string descriptionField(const std::string& description)
{
    std::string text = oneLine(description);
    if (text.find_first_of(",\"") == std::string::npos)
        return text;
    for (char& c : text)
        if (c == '"')
            c = '\'';
    return "\"" + text + "\"";
}

/**
 * Line 2 taken whole, read the way the field reader reads one field: blanks around it dropped, a
 * quoted text up to its closing quote. Unlike reading it as a field, a comma in an unquoted
 * description (as older files may hold) does not push the rest of it into the corner lines.
 */
std::string descriptionFromLine(const std::string& line)
{
    std::size_t begin = 0;
    while (begin < line.size() && isBlank(line[begin]))
        ++begin;
    if (begin < line.size() && line[begin] == '"') {
        const std::size_t close = line.find('"', begin + 1);
        return line.substr(begin + 1, close == std::string::npos ? std::string::npos : close - begin - 1);
    }
    std::size_t end = line.size();
    while (end > begin && isBlank(line[end - 1]))
        --end;
    return line.substr(begin, end - begin);
}

std::string cornerLine(const GridRecord& grid, std::size_t c)
{
    return printForm(grid.corner_screen_x[c]) + "," + printForm(grid.corner_screen_y[c]) + "," +
           printForm(grid.corner_survey_x[c]) + "," + printForm(grid.corner_survey_y[c]);
}

bool allFinite(const GridRecord& grid)
{
    bool finite = std::isfinite(grid.ramp_x) && std::isfinite(grid.ramp_y);
    for (std::size_t c = 1; c <= 4; ++c)
        finite = finite && std::isfinite(grid.corner_screen_x[c]) && std::isfinite(grid.corner_screen_y[c]) &&
                 std::isfinite(grid.corner_survey_x[c]) && std::isfinite(grid.corner_survey_y[c]);
    for (const double v : grid.coef)
        finite = finite && std::isfinite(v);
    for (const double v : grid.extra)
        finite = finite && std::isfinite(v);
    return finite;
}

/** A number of lines 3 to 16 and the line it belongs on. */
struct NumberField
{
    double* target;
    int line;
};

/** Lines 3 to 16: the corners by corner number, the coefficients, the ramp point. */
std::vector<NumberField> numbersInFileOrder(GridRecord& grid)
{
    std::vector<NumberField> fields;
    int line = 3;
    for (std::size_t c = 1; c <= 4; ++c, ++line)
        for (CornerValues* values :
             {&grid.corner_screen_x, &grid.corner_screen_y, &grid.corner_survey_x, &grid.corner_survey_y})
            fields.push_back({&(*values)[c], line});
    for (double& coefficient : grid.coef)
        fields.push_back({&coefficient, line++});
    fields.push_back({&grid.ramp_x, line++});
    fields.push_back({&grid.ramp_y, line++});
    return fields;
}

constexpr int kFirstExtrasLine = 17;

/** How many numbers line holds in a well-formed file. */
int numbersOnLine(int line)
{
    return line <= 6 ? 4 : 1;
}

/**
 * A line with a field too many or too few: a decimal comma splits a number in two, and every value
 * after it would land in the wrong place.
 */
Error wrongFieldCount(const DelimitedFieldReader& reader, int line, int found)
{
    const int expected = numbersOnLine(line);
    const std::string what = expected == 1 ? "one number" : std::to_string(expected) + " numbers";
    const std::string reason = found > expected
                                   ? "the line holds more than " + what
                                   : "the line holds " + std::to_string(found) + " of its " + what;
    return Error(reader.sourceName() + ", line " + std::to_string(line) + ": " + reason +
                 " (a decimal comma or a field too many?)");
}

Result<GridFileContent> readContent(DelimitedFieldReader& reader)
{
    GridFileContent content;
    GridRecord& grid = content.grid;

    // Line 1 names the file it was saved as; that path may hold commas, so it is skipped whole.
    if (auto heading = reader.nextLine(); !heading)
        return heading.error();
    auto description = reader.nextLine();
    if (!description)
        return description.error();
    content.description = descriptionFromLine(*description);

    int line = 3;
    int onLine = 0;
    for (const NumberField& field : numbersInFileOrder(grid)) {
        if (field.line != line) {
            if (reader.lineNumber() == line)
                return wrongFieldCount(reader, line, onLine + 1);
            line = field.line;
            onLine = 0;
        }
        if (reader.lineNumber() != line && !reader.atEnd())
            return wrongFieldCount(reader, line, onLine);
        auto value = reader.nextNumber();
        if (!value)
            return value.error();
        *field.target = *value;
        ++onLine;
    }
    if (reader.lineNumber() != kFirstExtrasLine && !reader.atEnd())
        return wrongFieldCount(reader, line, onLine + 1);

    // The extras are taken as fields of any kind; a number field gives its value.
    for (double& extra : grid.extra) {
        auto field = reader.nextField();
        if (!field)
            return field.error();
        extra = leadingNumber(*field);
    }

    if (auto consistent = checkStoredTransform(grid); !consistent)
        return Error(reader.sourceName() + ": " + consistent.error().text() + "; the grid file is damaged");
    return content;
}

} // namespace

std::string gridFileBytes(const GridFileContent& content, const std::string& pathLabel)
{
    const GridRecord& grid = content.grid;
    std::string bytes = crlfLine(std::string(kHeading) + oneLine(pathLabel));
    bytes += crlfLine(descriptionField(content.description));
    for (std::size_t c = 1; c <= 4; ++c)
        bytes += crlfLine(cornerLine(grid, c));
    for (const double coefficient : grid.coef)
        bytes += crlfLine(printForm(coefficient));
    bytes += crlfLine(printForm(grid.ramp_x));
    bytes += crlfLine(printForm(grid.ramp_y));
    for (const double extra : grid.extra)
        bytes += crlfLine(printForm(extra));
    return bytes;
}

Result<void> writeGridFile(const std::filesystem::path& path, const GridFileContent& content)
{
    // A value that is not a finite number would write a file that no reader takes back.
    if (!allFinite(content.grid))
        return Error("Could not write " + pathText(path) +
                     ": the grid holds a value that is not a finite number");
    return replaceFile(path, gridFileBytes(content, pathText(path)));
}

Result<GridFileContent> parseGridFile(std::string sourceName, std::string text)
{
    auto reader = DelimitedFieldReader::fromText(std::move(sourceName), std::move(text), kGridFileLimits);
    if (!reader)
        return reader.error();
    return readContent(*reader);
}

Result<GridFileContent> readGridFile(const std::filesystem::path& path)
{
    auto reader = DelimitedFieldReader::openFile(path, kGridFileLimits);
    if (!reader)
        return reader.error();
    return readContent(*reader);
}

void applyGridFile(GridState& state, int g, const std::string& pathLabel, const GridFileContent& content)
{
    assert(isGridNumber(g));
    if (!isGridNumber(g))
        return;
    const auto index = static_cast<std::size_t>(g);
    state.grid_file_labels[index] = pathLabel;
    state.grid_descriptions[index] = content.description;
    state.grid_records[index] = content.grid;
    activate_grid(state, g);
    updateGridDirection(state);
    setGridLoaded(state, g);
    update_grids_complete(state);
}

Result<void> loadGridFile(GridState& state, int g, const std::filesystem::path& path)
{
    auto content = readGridFile(path);
    if (!content)
        return content.error();
    applyGridFile(state, g, pathText(path), *content);
    return success();
}

GridFileContent gridFileContentToSave(const GridState& state, int g, std::string description)
{
    GridFileContent content;
    content.description = std::move(description);
    content.grid = makeGridRecord(workingScreenCorners(state), workingSurveyCorners(state), state.active_coef,
                                  {state.ramp_x, state.ramp_y}, {10.0, 2.0, static_cast<double>(g)});
    return content;
}

Result<void> saveGridFile(GridState& state, int g, const std::filesystem::path& path, std::string description)
{
    assert(isGridNumber(g));
    if (!isGridNumber(g))
        return Error("Could not write " + pathText(path) + ": there is no grid " + std::to_string(g));
    GridFileContent content = gridFileContentToSave(state, g, std::move(description));
    if (auto written = writeGridFile(path, content); !written)
        return written;

    const auto index = static_cast<std::size_t>(g);
    state.current_grid = g;
    state.grid_descriptions[index] = std::move(content.description);
    state.grid_file_labels[index] = pathText(path);
    state.grid_ramp_x = state.ramp_x;
    state.grid_ramp_y = state.ramp_y;
    state.grid_records[index] = content.grid;
    return success();
}

} // namespace leapmark
