#pragma once

#include "common/Result.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace leapmark {

/** The file box of a log viewer for a selected line: the file its entry names, empty when none. */
[[nodiscard]] std::string selectedEntryFile(std::string_view line);

/** The open dialog of the log viewers: "*.txt|JumpMeasurementLog*.txt". */
inline constexpr std::string_view kSessionLogFilter = "*.txt|JumpMeasurementLog*.txt";

/** The day's session log: the video folder joined with the log's name. */
[[nodiscard]] std::filesystem::path sessionLogPath(std::string_view video_dir,
                                                   std::string_view session_log_name);

/**
 * The results file as the results window shows it: the whole file, read in one piece; leading
 * blanks of the path are ignored. The error names the file and the reason.
 */
[[nodiscard]] Result<std::string> readResultsText(std::string_view results_path,
                                                  const std::filesystem::path& current_folder);

} // namespace leapmark
