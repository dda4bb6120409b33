#pragma once

#include "common/Result.h"

#include <cstddef>
#include <filesystem>
#include <string>

namespace leapmark {

/** Reads a whole file of at most maxBytes bytes; a larger file is refused, never read unbounded. */
[[nodiscard]] Result<std::string> readWholeFile(const std::filesystem::path& path, std::size_t maxBytes);

/** The system's reason for the last failed call, as the operator reads it. */
[[nodiscard]] std::string systemErrorText(int errorNumber);

/** The kind of failure a system error number stands for. */
[[nodiscard]] ErrorKind errorKindOf(int errorNumber);

/** "Could not <verb> <path>: <the system's reason>", with the kind the error number stands for. */
[[nodiscard]] Error systemError(const char* verb, const std::filesystem::path& path, int errorNumber);

} // namespace leapmark
