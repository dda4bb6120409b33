#pragma once

#include "settings/SettingsStore.h"

#include <initializer_list>
#include <map>
#include <utility>

namespace leapmark {

/**
 * Settings held in memory, for tests and the application harness. An entry keeps the spelling of
 * the key that created it; later writes under another letter case replace its value.
 */
class InMemorySettingsStore final : public SettingsStore
{
public:
    InMemorySettingsStore() = default;
    InMemorySettingsStore(std::initializer_list<std::pair<std::string_view, std::string_view>> entries);

    [[nodiscard]] std::optional<std::string> find(std::string_view key) const override;
    [[nodiscard]] Result<void> tryWrite(std::string_view key, std::string_view text) override;

    /** Every entry as stored, key spelling -> text, ordered by key. */
    [[nodiscard]] std::map<std::string, std::string> entries() const;

    /** From now on every write fails with this reason and changes nothing. */
    void failWrites(std::string reason) { m_failureReason = std::move(reason); }
    /** Writes succeed again. */
    void acceptWrites() { m_failureReason.reset(); }

    /** How many writes were attempted, failed ones included. */
    [[nodiscard]] int writeCount() const { return m_writeCount; }

private:
    struct Entry
    {
        std::string key;
        std::string text;
    };
    std::map<std::string, Entry> m_entries; // by folded key
    std::optional<std::string> m_failureReason;
    int m_writeCount = 0;
};

} // namespace leapmark
