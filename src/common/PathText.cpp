#include "common/PathText.h"

namespace leapmark {

std::string_view separatorText()
{
#ifdef _WIN32
    return "\\";
#else
    return "/";
#endif
}

bool isSeparator(char c)
{
    return c == '/' || c == '\\';
}

namespace {
std::size_t lastSeparator(std::string_view text)
{
    return text.find_last_of("/\\");
}
} // namespace

std::string_view fileNamePart(std::string_view pathText)
{
    const auto pos = lastSeparator(pathText);
    return pos == std::string_view::npos ? pathText : pathText.substr(pos + 1);
}

std::string_view folderPart(std::string_view pathText)
{
    const auto pos = lastSeparator(pathText);
    return pos == std::string_view::npos ? std::string_view() : pathText.substr(0, pos);
}

std::string_view withoutTrailingSeparator(std::string_view pathText)
{
    // The root keeps its separator: "/" and "C:\" are folders, "" and "C:" are not.
    const bool root = pathText.size() == 1 || (pathText.size() == 3 && pathText[1] == ':');
    if (!root && !pathText.empty() && isSeparator(pathText.back()))
        pathText.remove_suffix(1);
    return pathText;
}

std::string joinPath(std::string_view folderText, std::string_view name)
{
    std::string joined(folderText);
    if (joined.empty() || !isSeparator(joined.back()))
        joined += separatorText();
    joined += name;
    return joined;
}

std::filesystem::path toPath(std::string_view utf8PathText)
{
    const std::u8string text(utf8PathText.begin(), utf8PathText.end());
    return std::filesystem::path(text);
}

std::string pathText(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace leapmark
