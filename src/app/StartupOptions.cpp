#include "app/StartupOptions.h"
#include "common/Version.h"

#include <QCommandLineParser>
#include <QDir>
#include <QStandardPaths>

#include <cstdio>

namespace leapmark {
namespace {

std::filesystem::path pathOf(const QString& text)
{
    return std::filesystem::path(text.toStdString());
}

} // namespace

std::optional<StartupOptions> parseStartupOptions(const QStringList& arguments, int& exitCode)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Leapmark: measurement station for water-ski jumping.\n"
        "Records each jump, takes the frame of first water contact, and turns the clicked landing into the\n"
        "official distance through the grid of the camera view."));
    parser.addHelpOption();
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Prints the version and ends."));
    parser.addOption(version);
    const QCommandLineOption appDir(
        QStringLiteral("app-dir"),
        QStringLiteral("Application folder (skier list, hand-over picture, manual, "
                       "reports). Default: the per-user data folder."),
        QStringLiteral("DIR"));
    const QCommandLineOption settings(
        QStringLiteral("settings"), QStringLiteral("Settings INI file. Default: the per-user settings file."),
        QStringLiteral("FILE"));
    const QCommandLineOption exchangeDir(
        QStringLiteral("exchange-dir"),
        QStringLiteral("Folder shared with the scoring program. Default: the "
                       "setting ExchangeFolder, else qxio in the home folder."),
        QStringLiteral("DIR"));
    parser.addOption(appDir);
    parser.addOption(settings);
    parser.addOption(exchangeDir);

    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "%s\n%s", qPrintable(parser.errorText()), qPrintable(parser.helpText()));
        exitCode = 2;
        return std::nullopt;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::printf("%s", qPrintable(parser.helpText().replace(QStringLiteral("<executable_name>"),
                                                               QStringLiteral("leapmark"))));
        exitCode = 0;
        return std::nullopt;
    }
    if (parser.isSet(version)) {
        std::printf("leapmark %s\n", kLeapmarkVersion);
        exitCode = 0;
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "Unexpected argument: %s\n%s", qPrintable(parser.positionalArguments().first()),
                     qPrintable(parser.helpText()));
        exitCode = 2;
        return std::nullopt;
    }

    StartupOptions options;
    if (parser.isSet(appDir))
        options.appDir = pathOf(parser.value(appDir));
    if (parser.isSet(settings))
        options.settingsFile = pathOf(parser.value(settings));
    if (parser.isSet(exchangeDir))
        options.exchangeDir = pathOf(parser.value(exchangeDir));
    return options;
}

std::filesystem::path applicationFolder(const StartupOptions& options)
{
    std::filesystem::path folder =
        options.appDir ? *options.appDir
                       : pathOf(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return folder;
}

std::filesystem::path exchangeFolder(const StartupOptions& options, const std::string& configured)
{
    if (options.exchangeDir)
        return *options.exchangeDir;
    if (!configured.empty())
        return std::filesystem::path(configured);
    return pathOf(QDir::homePath()) / "qxio";
}

} // namespace leapmark
