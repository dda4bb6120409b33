#include "settings/ui/QtSettingsStore.h"

#include "common/PathText.h"

#include <QSettings>
#include <QStringList>

namespace leapmark {
namespace {

const QString kOrganisation = QStringLiteral("Leapmark");

QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString qPath(const std::filesystem::path& path)
{
    return QString::fromStdString(pathText(path));
}

/** The stored spellings of key, first the one to keep. */
QStringList spellingsOf(const QSettings& settings, const QString& key)
{
    QStringList found;
    const QStringList stored = settings.childKeys();
    for (const QString& candidate : stored)
        if (candidate.compare(key, Qt::CaseInsensitive) == 0)
            found.append(candidate);
    return found;
}

/** A value as text. An unquoted value holding commas comes back as a list: put it together again. */
std::string storedText(const QVariant& value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", ")).toStdString();
    return value.toString().toStdString();
}

/** QSettings treats "/" and "\" in a key as group separators; such a key cannot be one entry. */
bool isStorableKey(std::string_view key)
{
    return !key.empty() && key.find_first_of("/\\") == std::string_view::npos;
}

} // namespace

QtSettingsStore::QtSettingsStore() : QtSettingsStore(userSettingsFile()) {}

QtSettingsStore::QtSettingsStore(std::filesystem::path iniFile) : m_file(std::move(iniFile)) {}

std::filesystem::path QtSettingsStore::userSettingsFile()
{
    const QSettings user(QSettings::IniFormat, QSettings::UserScope, kOrganisation,
                         qText(kSettingsApplication));
    return toPath(user.fileName().toStdString());
}

// A QSettings object per call: its status reports the first error it met, so a long-lived one
// would go on reporting a failure after the cause is gone. Objects on the same file share one
// cached copy, so this costs a file-status check, not a re-read.

std::optional<std::string> QtSettingsStore::find(std::string_view key) const
{
    if (!isStorableKey(key))
        return std::nullopt;
    QSettings settings(qPath(m_file), QSettings::IniFormat);
    settings.beginGroup(qText(kSettingsSection));
    const QStringList spellings = spellingsOf(settings, qText(key));
    if (spellings.isEmpty())
        return std::nullopt;
    return storedText(settings.value(spellings.front()));
}

Result<void> QtSettingsStore::tryWrite(std::string_view key, std::string_view text)
{
    const std::string fileText = pathText(m_file);
    if (!isStorableKey(key))
        return Error(fileText + ": the setting \"" + std::string(key) + "\" cannot be saved under that name");

    QSettings settings(qPath(m_file), QSettings::IniFormat);
    settings.beginGroup(qText(kSettingsSection));
    QStringList spellings = spellingsOf(settings, qText(key));
    const QString storedKey = spellings.isEmpty() ? qText(key) : spellings.takeFirst();
    for (const QString& duplicate : spellings)
        settings.remove(duplicate);
    settings.setValue(storedKey, qText(text));
    settings.endGroup();
    settings.sync();

    switch (settings.status()) {
    case QSettings::NoError:
        return success();
    case QSettings::AccessError:
        return Error(fileText +
                     ": the settings could not be saved (the file or its folder cannot be written)");
    case QSettings::FormatError:
        return Error(fileText + ": the settings could not be saved (the file is not a settings file)");
    }
    return Error(fileText + ": the settings could not be saved");
}

} // namespace leapmark
