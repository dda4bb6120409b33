// Saves pictures of the main and configuration screens, as the program shows them on a fresh
// station with one grid loaded: screenshots <folder>.
#include "grid/GridFile.h"
#include "settings/SettingsKeys.h"
#include "shell/ui/Config.h"
#include "shell/ui/MainForm.h"
#include "support/app/AppHarness.h"

#include <QAction>
#include <QApplication>
#include <QPixmap>

#include <cstdio>
#include <filesystem>

namespace {

bool save(QWidget& screen, const std::filesystem::path& file)
{
    screen.adjustSize();
    QApplication::processEvents();
    const bool saved = screen.grab().save(QString::fromStdString(file.string()));
    std::printf("%s %s (%dx%d)\n", saved ? "saved" : "could not save", file.string().c_str(), screen.width(),
                screen.height());
    return saved;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    using namespace leapmark;

    leapmark::testing::AppHarness app;
    app.useVideoDir();
    const std::filesystem::path grid1 = app.scratchDir() / "north-camera.ipt";
    const CornerPoints screen{{{7200, 1800}, {8400, 5400}, {2700, 1650}, {1200, 5700}}};
    const CornerPoints survey{{{60, 8}, {60, -8}, {30.5, 0}, {31.25, -7.75}}};
    const auto coef = solveProjectiveTransform(screen, survey);
    if (!coef.ok())
        return 1;
    const GridFileContent content{"North shore camera",
                                  makeGridRecord(screen, survey, *coef, {0, -12.5}, {10, 2, 1})};
    if (!writeGridFile(grid1, content).ok())
        return 1;
    app.settings().write(keys::grids, "2");
    app.settings().write(keys::grid1File, grid1.string());
    app.settings().write(keys::TournamentName, "Lake Classic 2026");
    app.start();

    bool saved = save(app.config(), folder / "configuration-screen.png");
    app.config().mnuExit->trigger();
    saved = save(app.mainForm(), folder / "main-screen.png") && saved;
    return saved ? 0 : 1;
}
