#include "capture/CaptureFileName.h"

#include "common/BlankTrim.h"
#include "common/PathText.h"
#include "common/WholeNumber.h"

#include <algorithm>
#include <limits>

namespace leapmark {
namespace {

bool isRefused(char c)
{
    const auto code = static_cast<unsigned char>(c);
    if (code < 0x20 || code == 0x7F)
        return true;
    switch (c) {
    case ',':
    case '/':
    case '\\':
    case '<':
    case '>':
    case ':':
    case '"':
    case '|':
    case '?':
    case '*':
        return true;
    default:
        return false;
    }
}

} // namespace

std::string captureFileName(std::string_view videoFolder, std::string_view skierName,
                            std::string_view passText)
{
    std::string name(skierName);
    name += "jump";
    name += trimBlanks(passText);
    name += ".avi";
    return joinPath(withoutTrailingSeparator(videoFolder), name);
}

std::optional<std::string> skierNameProblem(std::string_view name)
{
    for (const char c : name) {
        if (!isRefused(c))
            continue;
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x20 || code == 0x7F)
            return std::string("Sorry, you cannot use control characters in this box");
        return std::string("Sorry, you cannot use the \"") + c + "\" character in this box";
    }
    if (name.find("..") != std::string_view::npos)
        return std::string("Sorry, you cannot use \"..\" in this box");
    return std::nullopt;
}

std::string cleanedSkierName(std::string_view name)
{
    std::string cleaned(name);
    for (char& c : cleaned)
        if (isRefused(c))
            c = ' ';
    for (std::size_t dots = cleaned.find(".."); dots != std::string::npos; dots = cleaned.find("..", dots))
        cleaned[dots + 1] = ' ';
    return cleaned;
}

std::int64_t middleOfCaptureFrame(double framesPerSecond, double captureSeconds,
                                  std::int64_t preTriggerFrames)
{
    // The hint is a frame number the session holds as an int, whatever rate was typed.
    constexpr std::int64_t most = std::numeric_limits<int>::max();
    const std::int64_t middle =
        clampedWholeNumber<std::int64_t>(framesPerSecond * captureSeconds / 2.0, 0, most);
    return std::clamp<std::int64_t>(middle + preTriggerFrames, 0, most);
}

} // namespace leapmark
