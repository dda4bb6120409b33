#include "settings/SettingsStore.h"

#include "settings/SettingsText.h"

namespace leapmark {

std::string SettingsStore::read(std::string_view key, std::string_view defaultText) const
{
    if (auto stored = find(key))
        return std::move(*stored);
    return std::string(defaultText);
}

std::string SettingsStore::read(std::string_view key, int defaultValue) const
{
    return read(key, std::string_view(integerText(defaultValue)));
}

std::string SettingsStore::read(std::string_view key, double defaultValue) const
{
    return read(key, std::string_view(numberText(defaultValue)));
}

int SettingsStore::readInteger(std::string_view key, int defaultValue) const
{
    const auto stored = find(key);
    if (!stored)
        return defaultValue;
    return parseIntegerText(*stored).value_or(defaultValue);
}

double SettingsStore::readNumber(std::string_view key, double defaultValue) const
{
    const auto stored = find(key);
    if (!stored)
        return defaultValue;
    return parseNumberText(*stored).value_or(defaultValue);
}

bool SettingsStore::readFlag(std::string_view key, bool defaultValue) const
{
    const auto stored = find(key);
    if (!stored)
        return defaultValue;
    return parseFlagText(*stored).value_or(defaultValue);
}

void SettingsStore::write(std::string_view key, std::string_view text)
{
    auto written = tryWrite(key, text);
    if (written)
        return;
    if (!m_firstFailure)
        m_firstFailure = written.error();
    if (m_reporter)
        m_reporter(written.error());
}

void SettingsStore::writeInteger(std::string_view key, long long value)
{
    write(key, integerText(value));
}

void SettingsStore::writeNumber(std::string_view key, double value)
{
    write(key, numberText(value));
}

void SettingsStore::writeFlag(std::string_view key, bool value)
{
    write(key, flagText(value));
}

std::optional<Error> SettingsStore::takeWriteFailure()
{
    auto failure = std::move(m_firstFailure);
    m_firstFailure.reset();
    return failure;
}

} // namespace leapmark
