#pragma once

#include <filesystem>
#include <string>

namespace leapmark::testing {

/** The bytes of a golden file under tests/data, e.g. goldenFile("pass-right-after-start/results.txt"). */
[[nodiscard]] std::string goldenFile(const std::string& relativePath);

/** Every byte of a file; fails the current test when it cannot be opened. */
[[nodiscard]] std::string fileBytes(const std::filesystem::path& path);

/** Writes bytes to a file as they are (test fixtures). */
void writeBytes(const std::filesystem::path& path, const std::string& bytes);

} // namespace leapmark::testing
