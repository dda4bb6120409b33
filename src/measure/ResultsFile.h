#pragma once

#include "common/Clock.h"
#include "common/Result.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace leapmark {

/** "JumpMeasurementResults" + mmddyy + ".txt": the results file a configuration starts with. */
[[nodiscard]] std::string defaultResultsFileName(const LocalDateTime& today);

enum class RerideKind { Mandatory, Optional };

/** The reride text, which is also what the comment box shows while the reride is recorded. */
[[nodiscard]] std::string_view rerideText(RerideKind kind);

/*
 * The results file's one-line records besides the jump line (JumpRecord.h). Each is returned
 * whole, CR LF included, ready for ResultsFile::append.
 */

/** date " " time " " and the reride text. */
[[nodiscard]] std::string rerideRecord(const LocalDateTime& moment, RerideKind kind);

/** date " " time " " and the comment as typed; an empty comment still gives a record. */
[[nodiscard]] std::string commentRecord(const LocalDateTime& moment, std::string_view comment);

/** date " " time " Saved picture: " and the picture's full path. */
[[nodiscard]] std::string pictureSavedRecord(const LocalDateTime& moment, std::string_view picturePath);

/** date " " time " Loaded picture: " and `current_picture_file`. */
[[nodiscard]] std::string pictureLoadedRecord(const LocalDateTime& moment,
                                              std::string_view current_picture_file);

/** "New Configuration: " date "  " time " " and the tournament name. */
[[nodiscard]] std::string newConfigurationRecord(const LocalDateTime& moment,
                                                 std::string_view tournamentName);

/** The results file at `results_path`: opened, appended to and closed for every record. */
class ResultsFile
{
public:
    explicit ResultsFile(std::filesystem::path path) : m_path(std::move(path)) {}

    [[nodiscard]] const std::filesystem::path& path() const { return m_path; }

    /** Appends one whole record, creating the file when missing; the error names the file and the reason. */
    [[nodiscard]] Result<void> append(std::string_view record) const;

private:
    std::filesystem::path m_path;
};

} // namespace leapmark
