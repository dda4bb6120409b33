#pragma once

#include "common/Result.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace leapmark {

/** The application and section every setting lives under. */
inline constexpr std::string_view kSettingsApplication = "QX05";
inline constexpr std::string_view kSettingsSection = "Settings";

/**
 * The per-user settings that survive a restart: key -> text, keys matched without regard to case
 * ("videoresolution" and "VideoResolution" are one entry). A missing key is never an error; the
 * reader's default applies. No key is ever deleted; clearing one writes the empty text.
 *
 * Writes go straight to the backing store. A write that cannot be saved does not stop the caller:
 * `write` hands the error to the failure reporter (the application shows it to the operator) and
 * keeps it for `takeWriteFailure`. Callers that must know at once use `tryWrite`.
 */
class SettingsStore
{
public:
    using FailureReporter = std::function<void(const Error&)>;

    SettingsStore() = default;
    virtual ~SettingsStore() = default;
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    /** The stored text of key, or nothing when the key is missing. */
    [[nodiscard]] virtual std::optional<std::string> find(std::string_view key) const = 0;

    /** Creates or replaces the entry and saves it; the error names the store and the reason. */
    [[nodiscard]] virtual Result<void> tryWrite(std::string_view key, std::string_view text) = 0;

    // Reading. The default is what a missing key reads as; a number default reads as its integer
    // or number text, so read(key, 0) of a missing key is "0".
    [[nodiscard]] std::string read(std::string_view key, std::string_view defaultText = {}) const;
    [[nodiscard]] std::string read(std::string_view key, int defaultValue) const;
    [[nodiscard]] std::string read(std::string_view key, double defaultValue) const;

    // Typed reading: a missing key or text of the wrong shape ("abc" for a number, "x" for a flag)
    // reads as the default.
    [[nodiscard]] int readInteger(std::string_view key, int defaultValue) const;
    [[nodiscard]] double readNumber(std::string_view key, double defaultValue) const;
    [[nodiscard]] bool readFlag(std::string_view key, bool defaultValue) const;

    // Writing. A failure goes to the reporter and is kept for takeWriteFailure().
    void write(std::string_view key, std::string_view text);
    void writeInteger(std::string_view key, long long value);
    void writeNumber(std::string_view key, double value);
    void writeFlag(std::string_view key, bool value);

    /** Called with every failed write (not with tryWrite's); replaces the previous reporter. */
    void setFailureReporter(FailureReporter reporter) { m_reporter = std::move(reporter); }

    /** The first write failure since the last call, and forgets it. */
    [[nodiscard]] std::optional<Error> takeWriteFailure();

private:
    FailureReporter m_reporter;
    std::optional<Error> m_firstFailure;
};

} // namespace leapmark
