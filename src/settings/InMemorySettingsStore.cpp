#include "settings/InMemorySettingsStore.h"

#include "settings/SettingsText.h"

namespace leapmark {

InMemorySettingsStore::InMemorySettingsStore(
    std::initializer_list<std::pair<std::string_view, std::string_view>> entries)
{
    for (const auto& [key, text] : entries)
        if (!key.empty())
            m_entries.insert_or_assign(foldedSettingKey(key), Entry{std::string(key), std::string(text)});
}

std::optional<std::string> InMemorySettingsStore::find(std::string_view key) const
{
    const auto found = m_entries.find(foldedSettingKey(key));
    if (found == m_entries.end())
        return std::nullopt;
    return found->second.text;
}

Result<void> InMemorySettingsStore::tryWrite(std::string_view key, std::string_view text)
{
    ++m_writeCount;
    if (key.empty())
        return Error("Settings: a setting without a name cannot be saved");
    if (m_failureReason)
        return Error("Settings: " + std::string(key) + " could not be saved: " + *m_failureReason);

    auto [entry, created] = m_entries.try_emplace(foldedSettingKey(key));
    if (created)
        entry->second.key = std::string(key);
    entry->second.text = std::string(text);
    return success();
}

std::map<std::string, std::string> InMemorySettingsStore::entries() const
{
    std::map<std::string, std::string> result;
    for (const auto& [folded, entry] : m_entries)
        result.emplace(entry.key, entry.text);
    return result;
}

} // namespace leapmark
