#pragma once

#include "common/Clock.h"
#include "common/Result.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace leapmark {

/** The line the scoring program reads for one recorded jump, without its line end. */
struct ResultLine
{
    std::string text;

    friend bool operator==(const ResultLine&, const ResultLine&) = default;
};

/**
 * The result line for a recording, chosen on the comment text (exact, case and all):
 * "Fall" gives "Fall, 0, 0," + number; "Pass" gives "Pass, 0, 0," + number; anything else
 * "OK, " + metres + ", " + feet + ", " + number. Metres and feet are the exchange texts of the
 * recording (signed official figures, Other Grid texts as typed, or empty).
 */
[[nodiscard]] ResultLine resultLine(std::string_view comment, std::string_view exchangeMetresText,
                                    std::string_view exchangeFeetText, std::string_view jumpNumberText);

/** The skier name up to, not including, its first ","; the whole name when it has none. */
[[nodiscard]] std::string shortSkierName(std::string_view skierName);

/**
 * The skier name in the bytes of "qxskier.nam": the first field (leading blanks skipped; a quoted
 * field may hold commas), the text taken as UTF-8 or Windows-1252 like every names file.
 * sourceName stands for the file in errors.
 */
[[nodiscard]] Result<std::string> skierNameOfBytes(const std::string& sourceName, std::string_view bytes);

/** True when the first field of the bytes of "clipflag.txt" is exactly "Ready". */
[[nodiscard]] bool clipFlagIsReady(std::string_view bytes);

/**
 * Files shared with the tournament scoring program in the exchange folder. The folder belongs to
 * the other side: nothing here ever creates it, so every write into a missing folder fails.
 */
class ExchangeFolder
{
public:
    static constexpr std::string_view kResultFileName = "qxresult.dst";
    static constexpr std::string_view kRawResultsFileName = "qxraw.dst";
    static constexpr std::string_view kSkierNameFileName = "qxskier.nam";
    static constexpr std::string_view kClipFlagFileName = "clipflag.txt";
    static constexpr std::string_view kSnapshotFileName = "snapshot.bmp";

    explicit ExchangeFolder(std::filesystem::path folder) : m_folder(std::move(folder)) {}

    [[nodiscard]] const std::filesystem::path& folder() const { return m_folder; }

    /**
     * Replaces "qxresult.dst" with the latest result line and appends time " ," short name ","
     * result line to "qxraw.dst", each line ended by CR LF. The first failure stops the writing;
     * its error names the file and the reason (the caller puts "Error while writing WSTIMS result: "
     * before it).
     */
    [[nodiscard]] Result<void> publishResult(const ResultLine& line, std::string_view shortSkierName,
                                             const LocalDateTime& moment) const;

    /**
     * The first field of "qxskier.nam" (leading blanks skipped; a quoted field may hold commas).
     * The error names the file and the reason (the caller puts "Error while reading WSTIMS name
     * file: " before it).
     */
    [[nodiscard]] Result<std::string> readSkierName() const;

    /** True when the first field of "clipflag.txt" is exactly "Ready"; a missing or unreadable flag is not
     * ready. */
    [[nodiscard]] bool isClipboardReady() const;

    /** Replaces "clipflag.txt" with two blanks and CR LF, so the same picture is not taken twice. */
    [[nodiscard]] Result<void> resetClipFlag() const;

    /**
     * Deletes every file in the folder whose name ends in ".bmp", whatever the case of the
     * extension: the other side runs on Windows, where "SNAPSHOT.BMP" and "snapshot.bmp" are the
     * same file. Sub-folders are left alone. No bitmap, or no folder, is nothing to do; a file that
     * cannot be deleted does not stop the others, and the first such failure is returned.
     */
    [[nodiscard]] Result<void> deleteBitmaps() const;

    /** Where the other side leaves a picture to measure. */
    [[nodiscard]] std::filesystem::path snapshotPath() const;

private:
    [[nodiscard]] std::filesystem::path file(std::string_view name) const;

    std::filesystem::path m_folder;
};

} // namespace leapmark
