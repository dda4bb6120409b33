#pragma once

#include "settings/SettingsStore.h"

#include <filesystem>

namespace leapmark {

/**
 * Settings in an INI file through QSettings, under the section "Settings".
 *
 * QSettings matches INI keys case-sensitively on Linux, so every read and write first looks for an
 * existing key that differs only in letter case and uses its spelling: there is one entry per key
 * whatever spelling a caller uses. A write that meets several such spellings (a file edited by hand)
 * keeps the first and removes the others.
 *
 * Each write is synced to disk at once; a failed sync is returned as an error naming the file.
 */
class QtSettingsStore final : public SettingsStore
{
public:
    /** The per-user store: "Leapmark/QX05.ini" in the platform's settings folder. */
    QtSettingsStore();
    /** The INI file at this path (the --settings option); it and its folder appear at the first write. */
    explicit QtSettingsStore(std::filesystem::path iniFile);

    [[nodiscard]] std::optional<std::string> find(std::string_view key) const override;
    [[nodiscard]] Result<void> tryWrite(std::string_view key, std::string_view text) override;

    [[nodiscard]] const std::filesystem::path& filePath() const { return m_file; }

    /** Where the per-user store lives on this machine. */
    [[nodiscard]] static std::filesystem::path userSettingsFile();

private:
    std::filesystem::path m_file;
};

} // namespace leapmark
