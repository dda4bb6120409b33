#include "measure/LogViewing.h"

#include "common/PathExistence.h"
#include "common/PathText.h"
#include "common/TextFile.h"
#include "measure/SessionLog.h"

namespace leapmark {
namespace {

// A season's results stay far below this; a larger file is not one the window should load whole.
constexpr std::size_t kMaxResultsBytes = 64 * 1024 * 1024;

} // namespace

std::string selectedEntryFile(std::string_view line)
{
    return entryFile(line).value_or(std::string());
}

std::filesystem::path sessionLogPath(std::string_view video_dir, std::string_view session_log_name)
{
    return toPath(joinPath(video_dir, session_log_name));
}

Result<std::string> readResultsText(std::string_view results_path,
                                    const std::filesystem::path& current_folder)
{
    const auto start = results_path.find_first_not_of(' ');
    const std::string_view path =
        start == std::string_view::npos ? std::string_view() : results_path.substr(start);
    return readWholeFile(pathInFolder(current_folder, path), kMaxResultsBytes);
}

} // namespace leapmark
