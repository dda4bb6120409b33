#pragma once

#include "settings/SettingsStore.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

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
 *
 * Reads come from a copy of the section, read in one pass and read again only when the file is
 * replaced or changed (by another store, another program or an editor): a look-up costs no more
 * than a search however many keys the file holds.
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
    /** What tells one state of the file from another: a replaced or rewritten file differs. */
    struct FileStamp
    {
        bool exists = false;
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::int64_t size = 0;
        std::int64_t modifiedNs = 0;
        std::int64_t changedNs = 0;
        friend bool operator==(const FileStamp&, const FileStamp&) = default;
    };
    struct SectionCopy
    {
        FileStamp stamp;
        /** Folded key -> text of the spelling kept. */
        std::map<std::string, std::string> texts;
    };

    [[nodiscard]] FileStamp currentStamp() const;
    [[nodiscard]] const SectionCopy& section() const;

    std::filesystem::path m_file;
    mutable std::optional<SectionCopy> m_copy;
};

} // namespace leapmark
