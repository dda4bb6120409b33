#include "review/FrameSelectionRules.h"

#include "common/DateTimeText.h"
#include "common/LeadingNumber.h"
#include "common/NumberText.h"
#include "common/PathText.h"
#include "common/RecordFile.h"
#include "common/Rounding.h"
#include "common/TextFile.h"

#include <cmath>
#include <system_error>

namespace leapmark {
namespace {

constexpr std::string_view kJumpWord = "jump";
constexpr std::string_view kVideoExtension = ".avi";
// How far before ".avi" the search for "jump" starts: room for a pass number of up to three digits.
constexpr std::size_t kJumpSearchBack = 7;
constexpr double kLowSpaceMegabytes = 200.0;
// A side file is one line; anything larger is not one.
constexpr std::size_t kMaxSideFileBytes = 64 * 1024;

} // namespace

int runFrames(double frameRate, bool barefootTiming)
{
    if (barefootTiming)
        return static_cast<int>(roundHalfEven(frameRate * 15.0));
    if (frameRate == 30.0)
        return 599;
    return static_cast<int>(roundHalfEven(frameRate * 20.0));
}

PreRollPlan preRollPlan(double seconds, double frameRate, int anchorFrame)
{
    PreRollPlan plan;
    plan.intervalMs = static_cast<int>(std::floor(seconds * 1000.0 + 300.0));
    const double start = anchorFrame - seconds * frameRate;
    if (frameRate > 0.0 && start > 1.0) {
        plan.selectionStart = start;
    } else {
        plan.selectionStart = 0.0;
        if (frameRate > 0.0)
            plan.intervalMs = static_cast<int>(roundHalfEven(anchorFrame / frameRate * 1000.0 + 300.0));
    }
    plan.selectionEnd = anchorFrame == 0 ? 1.0 : anchorFrame;
    return plan;
}

std::optional<std::string> clampedPreRollSeconds(std::string_view text)
{
    // An emptied box is an edit under way, not a value.
    if (text.empty())
        return std::nullopt;
    const double value = leadingNumber(text);
    if (value < 1.0)
        return std::string("1");
    if (value > 5.0)
        return std::string("5");
    return std::nullopt;
}

DiskSpaceView diskSpaceView(std::string_view videoDir, std::uintmax_t freeBytes)
{
    DiskSpaceView view;
#ifdef _WIN32
    const std::string drive =
        videoDir.size() >= 2 && videoDir[1] == ':' ? std::string(videoDir.substr(0, 2)) : "C:";
#else
    const std::string drive(videoDir);
#endif
    view.label = "Disk Space Available " + drive;
    const double megabytes = std::floor(static_cast<double>(freeBytes) / 1'000'000.0);
    view.amount = signedForm(megabytes) + " MB";
    view.low = megabytes < kLowSpaceMegabytes;
    return view;
}

std::optional<CaptureNameParts> captureNameParts(std::string_view videoPath)
{
    const auto extension = videoPath.find(kVideoExtension);
    if (extension == std::string_view::npos)
        return std::nullopt;
    const std::string_view name = fileNamePart(videoPath);
    const std::size_t nameStart = videoPath.size() - name.size();
    if (extension < nameStart)
        return std::nullopt; // the first ".avi" is in a folder's name
    const std::size_t from =
        std::max(nameStart, extension >= kJumpSearchBack ? extension - kJumpSearchBack : 0);
    const auto jump = videoPath.find(kJumpWord, from);
    if (jump == std::string_view::npos || jump + kJumpWord.size() > extension)
        return std::nullopt;
    return CaptureNameParts{
        std::string(videoPath.substr(nameStart, jump - nameStart)),
        std::string(videoPath.substr(jump + kJumpWord.size(), extension - jump - kJumpWord.size()))};
}

std::string contactEntry(const LocalDateTime& moment, const CaptureNameParts& parts,
                         std::int64_t contactFrame, std::string_view videoPath)
{
    std::string line = dateText(moment) + timeText(moment);
    line += "Skier: " + parts.skier;
    line += "Jump: " + parts.jump;
    line += "Contact Frame: " + signedForm(static_cast<double>(contactFrame));
    line += "File: ";
    line += videoPath;
    return crlfLine(line);
}

std::filesystem::path sideFilePath(std::string_view videoPath)
{
    return toPath(std::string(videoPath) + ".info");
}

std::string sideFileText(std::string_view videoPath, std::int64_t contactFrame)
{
    return crlfLine(std::string(videoPath) + "," + signedForm(static_cast<double>(contactFrame)));
}

std::string sideFileFrame(std::string_view sideFileText)
{
    std::string_view line = sideFileText;
    if (const auto end = line.find_first_of("\r\n"); end != std::string_view::npos)
        line = line.substr(0, end);
    const auto comma = line.find(',');
    const std::string_view number =
        comma == std::string_view::npos ? std::string_view() : line.substr(comma + 1);
    return signedForm(leadingNumber(number));
}

Result<std::optional<std::string>> readSideFileFrame(std::string_view videoPath)
{
    const std::filesystem::path path = sideFilePath(videoPath);
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return std::optional<std::string>();
    auto text = readWholeFile(path, kMaxSideFileBytes);
    if (!text)
        return text.error();
    return std::optional<std::string>(sideFileFrame(*text));
}

} // namespace leapmark
