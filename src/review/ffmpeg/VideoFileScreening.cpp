#include "review/ffmpeg/VideoFileScreening.h"

#include "common/PathText.h"
#include "review/AviRiffReader.h"

#include <array>
#include <fstream>
#include <string_view>

namespace leapmark {

namespace {

bool looksLikeAvi(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::array<char, 12> leading{};
    in.read(leading.data(), leading.size());
    return hasAviSignature(std::string_view(leading.data(), static_cast<std::size_t>(in.gcount())));
}

} // namespace

Result<void> screenVideoFile(const std::filesystem::path& path)
{
    std::error_code statusError;
    const auto status = std::filesystem::status(path, statusError);
    if (statusError || !std::filesystem::exists(status))
        return success();
    if (!std::filesystem::is_regular_file(status))
        return Error(pathText(path) + " is not a regular file", ErrorKind::Other);
    if (looksLikeAvi(path))
        if (auto facts = readAviFileInfo(path); !facts)
            return Error(facts.error().text(), ErrorKind::Corrupt);
    return success();
}

} // namespace leapmark
