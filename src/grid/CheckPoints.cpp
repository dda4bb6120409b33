#include "grid/CheckPoints.h"

#include "common/LeadingNumber.h"
#include "common/NumberText.h"
#include "common/PathText.h"
#include "common/RecordFile.h"
#include "common/TextFile.h"

#include <cerrno>
#include <cmath>
#include <cstdio>

namespace leapmark {
namespace {

constexpr std::size_t kSideFileMaxBytes = 16 * 1024;

std::vector<std::string> commaFields(const std::string& line)
{
    std::vector<std::string> fields(1);
    for (const char c : line) {
        if (c == ',')
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

bool blankLine(const std::string& line)
{
    return line.find_first_not_of(" \t") == std::string::npos;
}

} // namespace

Result<double> checkPointResidual(const TransformCoefficients& grid, PlanePoint survey, PlanePoint screen)
{
    auto measured = screenToSurvey(grid, screen);
    if (!measured)
        return measured.error();
    const double residual = std::hypot(measured->x - survey.x, measured->y - survey.y);
    if (!std::isfinite(residual))
        return Error(std::string(kOverflowText));
    return residual;
}

CheckPointResiduals checkPointResiduals(const TransformCoefficients& grid,
                                        const std::vector<CheckPoint>& points)
{
    CheckPointResiduals result;
    for (std::size_t i = 0; i < points.size(); ++i) {
        std::optional<double> residual;
        if (points[i].screen)
            if (auto measured = checkPointResidual(grid, points[i].survey, *points[i].screen))
                residual = *measured;
        if (residual && (!result.largest || *residual > *result.residuals[*result.largest]))
            result.largest = i;
        result.residuals.push_back(residual);
    }
    return result;
}

std::string residualText(double metres)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f m", metres);
    return text;
}

std::filesystem::path checkPointsPathFor(const std::filesystem::path& gridFile)
{
    std::filesystem::path side = gridFile;
    side += ".check";
    return side;
}

std::string checkPointsFileBytes(const std::vector<CheckPoint>& points)
{
    std::string bytes;
    for (const CheckPoint& point : points)
        if (point.screen)
            bytes += crlfLine(printForm(point.survey.x) + "," + printForm(point.survey.y) + "," +
                              printForm(point.screen->x) + "," + printForm(point.screen->y));
    return bytes;
}

Result<std::vector<CheckPoint>> parseCheckPoints(const std::string& sourceName, const std::string& text)
{
    std::vector<CheckPoint> points;
    int lineNumber = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        start = end == std::string::npos ? text.size() : end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (blankLine(line))
            continue;
        const auto fail = [&](const std::string& reason) {
            return Error(sourceName + ", line " + std::to_string(lineNumber) + ": " + reason,
                         ErrorKind::Corrupt);
        };
        const std::vector<std::string> fields = commaFields(line);
        if (fields.size() != 4)
            return fail("a check point needs four numbers (survey x, survey y, screen x, screen y)");
        std::array<double, 4> numbers{};
        for (std::size_t i = 0; i < 4; ++i) {
            const auto number = isWholeNumberText(fields[i]) ? tryLeadingNumber(fields[i]) : std::nullopt;
            if (!number || !std::isfinite(*number))
                return fail("\"" + fields[i] + "\" is not a number");
            numbers[i] = *number;
        }
        if (points.size() == kMaxCheckPoints)
            return fail("there are more than " + std::to_string(kMaxCheckPoints) + " check points");
        points.push_back({{numbers[0], numbers[1]}, PlanePoint{numbers[2], numbers[3]}});
    }
    return points;
}

Result<std::vector<CheckPoint>> readCheckPointsOf(const std::filesystem::path& gridFile)
{
    const std::filesystem::path side = checkPointsPathFor(gridFile);
    std::error_code absent;
    if (!std::filesystem::exists(side, absent))
        return std::vector<CheckPoint>{};
    auto text = readWholeFile(side, kSideFileMaxBytes);
    if (!text)
        return text.error();
    return parseCheckPoints(pathText(side), *text);
}

Result<void> writeCheckPointsOf(const std::filesystem::path& gridFile, const std::vector<CheckPoint>& points)
{
    const std::filesystem::path side = checkPointsPathFor(gridFile);
    const std::string bytes = checkPointsFileBytes(points);
    if (bytes.empty()) {
        std::error_code failure;
        std::filesystem::remove(side, failure);
        if (failure)
            return Error("Could not remove " + pathText(side) + ": " + failure.message());
        return success();
    }
    return replaceFile(side, bytes);
}

} // namespace leapmark
