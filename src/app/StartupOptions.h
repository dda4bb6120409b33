#pragma once

#include <QStringList>

#include <filesystem>
#include <optional>
#include <string>

namespace leapmark {

/** The program's command-line options. */
struct StartupOptions
{
    std::optional<std::filesystem::path> appDir;
    std::optional<std::filesystem::path> settingsFile;
    std::optional<std::filesystem::path> exchangeDir;
};

/** Reads the options; prints --help or a usage error and gives nothing when the program should end. */
[[nodiscard]] std::optional<StartupOptions> parseStartupOptions(const QStringList& arguments, int& exitCode);

/** The application folder: the given one, else the per-user data folder; created when missing. */
[[nodiscard]] std::filesystem::path applicationFolder(const StartupOptions& options);

/** The exchange folder: the given one, else the configured one, else "qxio" in the home folder. */
[[nodiscard]] std::filesystem::path exchangeFolder(const StartupOptions& options,
                                                   const std::string& configured);

} // namespace leapmark
