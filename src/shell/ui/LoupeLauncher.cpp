#include "shell/ui/LoupeLauncher.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace leapmark {

QString loupeProgramName()
{
#ifdef _WIN32
    return QStringLiteral("leapmark-loupe.exe");
#else
    return QStringLiteral("leapmark-loupe");
#endif
}

QStringList loupeProgramCandidates(const QString& programFolder, const QString& applicationFolder)
{
    QStringList candidates;
    if (!programFolder.isEmpty())
        candidates << QDir::toNativeSeparators(QDir(programFolder).filePath(loupeProgramName()));
    if (!applicationFolder.isEmpty())
        candidates << QDir::toNativeSeparators(
            QDir(applicationFolder).filePath(QStringLiteral("Loupe/") + loupeProgramName()));
    return candidates;
}

Result<qint64> startLoupe(const QString& applicationFolder)
{
    return startLoupe(applicationFolder, QCoreApplication::applicationDirPath());
}

Result<qint64> startLoupe(const QString& applicationFolder, const QString& programFolder)
{
    const QStringList candidates = loupeProgramCandidates(programFolder, applicationFolder);
    for (const QString& candidate : candidates) {
        const QFileInfo program(candidate);
        if (!program.isFile())
            continue;
        qint64 processId = 0;
        if (!QProcess::startDetached(candidate, {}, program.absolutePath(), &processId))
            return Error("The screen loupe " + candidate.toStdString() + " could not be started.");
        return processId;
    }
    if (candidates.isEmpty())
        return Error("The screen loupe " + loupeProgramName().toStdString() + " could not be found.");
    std::string missing = candidates.first().toStdString();
    for (qsizetype i = 1; i < candidates.size(); ++i)
        missing += " or " + candidates.at(i).toStdString();
    return Error("The screen loupe could not be started: there is no " + missing + ".");
}

} // namespace leapmark
