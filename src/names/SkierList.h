#pragma once

#include "common/Result.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace leapmark {

/**
 * The application's own list of skiers, "SkierNames.txt" in the application folder: one skier per
 * line, CR LF line ends. Only the import writes it; the capture screen and its picker read it.
 */
inline constexpr char kSkierListFileName[] = "SkierNames.txt";

/** What the capture screen's name box shows when there is no list file. */
inline constexpr char kNoSkierListName[] = "Skier Name";

/** Larger list files are refused rather than read; no tournament comes near it. */
inline constexpr std::size_t kMaxSkierListBytes = 32 * 1024 * 1024;

/** The list file of an application folder. */
[[nodiscard]] std::filesystem::path skierListPath(const std::filesystem::path& applicationFolder);

/** True when the application folder holds a list file (or anything else by that name). */
[[nodiscard]] bool skierListExists(const std::filesystem::path& applicationFolder);

/**
 * A list line as a skier name: each comma becomes one blank, so "Lastname,Firstname" gives
 * "Lastname Firstname" and "Lastname, Firstname" gives "Lastname  Firstname". Video file names
 * are built from the name and the frame selection reads its side file up to a comma, so a name
 * must not carry one.
 */
[[nodiscard]] std::string normalisedSkierName(std::string_view line);

/**
 * The names the picker offers: every line that is not empty, normalised, in file order. CR LF, LF
 * and a lone CR each end a line.
 */
[[nodiscard]] std::vector<std::string> skierNamesOfList(std::string_view listText);

/** skierNamesOfList on the list file; the error names the file and the reason. */
[[nodiscard]] Result<std::vector<std::string>> readSkierList(const std::filesystem::path& listFile);

/**
 * The name the capture screen starts with: the list file's first line, normalised;
 * kNoSkierListName when there is no list file; nothing (leave the box as it is) when the first
 * line is empty or the file holds no line at all. The error is for a file that exists but cannot
 * be read.
 */
[[nodiscard]] Result<std::optional<std::string>> firstSkierName(const std::filesystem::path& listFile);

/** The first line of a list's text, normalised; nothing when it is empty. */
[[nodiscard]] std::optional<std::string> firstSkierNameOfList(std::string_view listText);

/**
 * The bytes of a list file for a plain text: every line end (CR LF, LF or a lone CR) becomes CR LF;
 * everything else, a final line without a line end included, stays as it is.
 */
[[nodiscard]] std::string skierListFileBytes(std::string_view plainText);

} // namespace leapmark
