#pragma once

#include "common/Clock.h"
#include "common/Result.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace leapmark {

/** Key codes of the frame-selection player: numeric keypad 4 steps back, 6 forward. */
inline constexpr int keypad4Code = 100;
inline constexpr int keypad6Code = 102;

/** The frames of one run: 20 s (exactly 599 at 30 fps), or 15 s with barefoot timing. */
[[nodiscard]] int runFrames(double frameRate, bool barefootTiming);

/** What "Play before start -->" plays and how long each play takes before the next. */
struct PreRollPlan
{
    double selectionStart = 0.0;
    double selectionEnd = 0.0;
    int intervalMs = 0;
};

/**
 * The stretch of `seconds` before the anchor frame, and the interval of the replay timer: the
 * seconds plus 300 ms, or, when the stretch would reach back to frame 1 or before, from frame 0
 * with the time up to the anchor plus 300 ms. A rate of 0 (a file whose rate could not be read)
 * plays from frame 0 with the full interval.
 */
[[nodiscard]] PreRollPlan preRollPlan(double seconds, double frameRate, int anchorFrame);

/**
 * The pre-roll seconds box's text after an edit: below 1 gives "1", above 5 gives "5", else none
 * (also for an emptied box, so that the operator can type a new value).
 */
[[nodiscard]] std::optional<std::string> clampedPreRollSeconds(std::string_view text);

/** The disk space line: label, amount and whether the low-space warning shows. */
struct DiskSpaceView
{
    std::string label;
    std::string amount;
    bool low = false;
};

/**
 * For the video folder's file system: "Disk Space Available " + the drive ("C:" unless the folder
 * names one; where the platform has no drive letters, the folder), Str(Int(free / 1 000 000)) +
 * " MB", low below 200 MB.
 */
[[nodiscard]] DiskSpaceView diskSpaceView(std::string_view videoDir, std::uintmax_t freeBytes);

/** Skier and jump cut out of a captured video's path when it is named as the capture screen names it. */
struct CaptureNameParts
{
    std::string skier;
    std::string jump;
};

/**
 * The first ".avi" of the path, and "jump" searched from 7 characters before it: the skier is the
 * file name up to "jump", the jump the text between "jump" and ".avi". The search stays inside the
 * file name, so a folder called "jump" never makes the skier. None when there is no such "jump".
 */
[[nodiscard]] std::optional<CaptureNameParts> captureNameParts(std::string_view videoPath);

/** The session log's capture entry: date time "Skier: " .. "Jump: " .. "Contact Frame: " Str(frame) "File: "
 * path. */
[[nodiscard]] std::string contactEntry(const LocalDateTime& moment, const CaptureNameParts& parts,
                                       std::int64_t contactFrame, std::string_view videoPath);

/** The side file of a video: its path + ".info". */
[[nodiscard]] std::filesystem::path sideFilePath(std::string_view videoPath);

/** The side file's one line: path "," Str(frame) CR LF. */
[[nodiscard]] std::string sideFileText(std::string_view videoPath, std::int64_t contactFrame);

/**
 * The frame a side file's text remembers, as Str writes it: the leading number of its first line
 * after the first comma (" 0" when there is none).
 */
[[nodiscard]] std::string sideFileFrame(std::string_view sideFileText);

/** The frame remembered in a side file, as Str writes it; none when the file is missing. */
[[nodiscard]] Result<std::optional<std::string>> readSideFileFrame(std::string_view videoPath);

} // namespace leapmark
