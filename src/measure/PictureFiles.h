#pragma once

#include "common/Clock.h"
#include "common/Result.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace leapmark {

/**
 * The eight characters a saved picture is named after: the units digit of the month, the day, the
 * hour, the minute and the first digit of the seconds; 12-07-2026 15:53:04 gives "20715530".
 * Saves within the same ten seconds share a name (and so do January and November).
 */
[[nodiscard]] std::string pictureNameStem(const LocalDateTime& moment);

/** The stem followed by `picture_extension`, e.g. "20715530.bmp". */
[[nodiscard]] std::string pictureFileName(const LocalDateTime& moment, std::string_view picture_extension);

/** Where a picture saved at that moment goes: the picture folder joined with pictureFileName (the bare
 * name when there is no folder). */
[[nodiscard]] std::string picturePath(std::string_view pictures_path, const LocalDateTime& moment,
                                      std::string_view picture_extension);

/** The picture's file name without its folder, followed by ".info": "20715530.bmp.info". */
[[nodiscard]] std::string pictureInfoFileName(std::string_view picturePath);

/** The information file's one line: full path ", " skier ", " pass, CR LF included. */
[[nodiscard]] std::string pictureInfoRecord(std::string_view picturePath, std::string_view skierText,
                                            std::string_view passText);

/**
 * Creates or replaces the picture information file in folder (the current folder of the session).
 * Skier and pass are the capture screen's texts. The error names the file and the reason.
 */
[[nodiscard]] Result<void> writePictureInfoFile(const std::filesystem::path& folder,
                                                std::string_view picturePath, std::string_view skierText,
                                                std::string_view passText);

} // namespace leapmark
