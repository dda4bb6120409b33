#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace leapmark {

/**
 * A capture's file: the video folder, a separator, the skier's name, "jump", the pass without
 * surrounding blanks and ".avi" ("Annjump2.avi"). One trailing separator of the folder is dropped.
 */
[[nodiscard]] std::string captureFileName(std::string_view videoFolder, std::string_view skierName,
                                          std::string_view passText);

/**
 * What is wrong with a skier name as part of a file name, as the operator is told it: a comma (the
 * frame selection's side file is read up to one), a path separator or ".." (the video would land
 * outside the video folder), or a character file systems refuse (< > : " | ? * and control
 * characters). Empty for a usable name.
 */
[[nodiscard]] std::optional<std::string> skierNameProblem(std::string_view name);

/** The name with each refused character made a blank and each ".." broken up, so that it is usable. */
[[nodiscard]] std::string cleanedSkierName(std::string_view name);

/** The frame taken for the contact when none was noted: the middle of the recording, after the
 *  pre-trigger frames that open the file; from 0 to the largest int. */
[[nodiscard]] std::int64_t middleOfCaptureFrame(double framesPerSecond, double captureSeconds,
                                                std::int64_t preTriggerFrames);

} // namespace leapmark
