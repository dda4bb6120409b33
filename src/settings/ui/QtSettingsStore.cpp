#include "settings/ui/QtSettingsStore.h"

#include "common/PathText.h"
#include "settings/SettingsText.h"

#include <QSettings>
#include <QStringList>

#include <sys/stat.h>

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

// A QSettings object per parse or write: its status reports the first error it met, so a long-lived
// one would go on reporting a failure after the cause is gone.

QtSettingsStore::FileStamp QtSettingsStore::currentStamp() const
{
    struct stat status
    {};
    if (::stat(m_file.c_str(), &status) != 0)
        return {};
    constexpr std::int64_t nsPerSecond = 1'000'000'000;
    return {true,
            static_cast<std::uint64_t>(status.st_dev),
            static_cast<std::uint64_t>(status.st_ino),
            static_cast<std::int64_t>(status.st_size),
            static_cast<std::int64_t>(status.st_mtim.tv_sec) * nsPerSecond + status.st_mtim.tv_nsec,
            static_cast<std::int64_t>(status.st_ctim.tv_sec) * nsPerSecond + status.st_ctim.tv_nsec};
}

const QtSettingsStore::SectionCopy& QtSettingsStore::section() const
{
    // Stamped before the read: a change while it reads makes the next look-up read again.
    const FileStamp stamp = currentStamp();
    if (m_copy && m_copy->stamp == stamp)
        return *m_copy;
    SectionCopy copy;
    copy.stamp = stamp;
    if (stamp.exists) {
        QSettings settings(qPath(m_file), QSettings::IniFormat);
        settings.beginGroup(qText(kSettingsSection));
        // childKeys() lists the spelling to keep first, as spellingsOf does.
        const QStringList stored = settings.childKeys();
        for (const QString& key : stored) {
            std::string folded = foldedSettingKey(key.toStdString());
            if (!copy.texts.contains(folded))
                copy.texts.emplace(std::move(folded), storedText(settings.value(key)));
        }
    }
    m_copy = std::move(copy);
    return *m_copy;
}

std::optional<std::string> QtSettingsStore::find(std::string_view key) const
{
    if (!isStorableKey(key))
        return std::nullopt;
    const SectionCopy& copy = section();
    const auto found = copy.texts.find(foldedSettingKey(key));
    if (found == copy.texts.end())
        return std::nullopt;
    return found->second;
}

Result<void> QtSettingsStore::tryWrite(std::string_view key, std::string_view text)
{
    const std::string fileText = pathText(m_file);
    if (!isStorableKey(key))
        return Error(fileText + ": the setting \"" + std::string(key) + "\" cannot be saved under that name");

    // The copy stays right when this write is the file's only change since it was read.
    const bool copyWasCurrent = m_copy && m_copy->stamp == currentStamp();
    QSettings settings(qPath(m_file), QSettings::IniFormat);
    settings.beginGroup(qText(kSettingsSection));
    QStringList spellings = spellingsOf(settings, qText(key));
    const QString storedKey = spellings.isEmpty() ? qText(key) : spellings.takeFirst();
    for (const QString& duplicate : spellings)
        settings.remove(duplicate);
    settings.setValue(storedKey, qText(text));
    settings.endGroup();
    settings.sync();

    if (copyWasCurrent && settings.status() == QSettings::NoError) {
        m_copy->texts[foldedSettingKey(key)] = std::string(text);
        m_copy->stamp = currentStamp();
    } else {
        m_copy.reset();
    }

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
