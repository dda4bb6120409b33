// The grid setup screen: saving and loading grid files, and the picture it is set up on.
#include "grid/ui/Grid_Setup.h"

#include "common/LeadingNumber.h"
#include "common/NumberText.h"
#include "common/PathExistence.h"
#include "common/PathText.h"
#include "common/Prompts.h"
#include "common/Rounding.h"
#include "common/Twips.h"
#include "grid/GridFile.h"
#include "grid/GridOperations.h"
#include "grid/ui/CheckPointPanel.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsStore.h"
#include "shell/Session.h"
#include "shell/ui/NamedControl.h"
#include "shell/ui/picture/PictureSurface.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace leapmark {
namespace {

constexpr const char* kSaveFilter =
    "All Files (*.*)|*.*|Text Files (*.TXT)|*.TXT|Parameter Files (*.IPT)|*.IPT|";
constexpr const char* kLoadFilter =
    "All Files (*.*)|*.*|Text Files (*.TXT)|*.TXT|Parameter Files (*.ipt)|*.ipt|";
constexpr const char* kPictureFilter = "All Files (*.*)|*.*|Text Files (*.txt)|*.txt|Jump Picture Files "
                                       "(*.gif)|*.gif|Jump Picture Files (*.bmp)|*.bmp|Jump Picture Files "
                                       "(*.jpg)|*.jpg|";
constexpr const char* kInvalidPath = "Invalid path, change in configuration screen";

} // namespace

bool Grid_Setup::makeSetupFolderCurrent()
{
    Session& session = m_app.session;
    if (!folderExists(session.config.setup_files_path)) {
        m_app.prompts.tell(kInvalidPath, MessageIcon::Exclamation);
        return false;
    }
    session.paths.current_folder = toPath(session.config.setup_files_path);
    return true;
}

int Grid_Setup::askGridNumber(const std::string& prompt)
{
    const int grids = m_app.session.grid.grids_in_use;
    for (;;) {
        // Cancel or an empty answer reads as 0 and the question comes again.
        const auto answer = m_app.prompts.input({prompt, "Grid Number", {}, std::nullopt});
        const double number = leadingNumber(answer.value_or(std::string{}));
        if (number >= 1.0 && number <= grids)
            return static_cast<int>(roundHalfEven(number));
    }
}

void Grid_Setup::gridSave_Click()
{
    Session& session = m_app.session;
    GridState& grid = session.grid;
    chkboxGridLock->setChecked(false);
    gridLockedLabel->hide();
    if (!makeSetupFolderCurrent())
        return;
    FileDialogRequest request;
    request.startFolder = session.config.setup_files_path;
    request.filter = kSaveFilter;
    request.filterIndex = 3;
    const auto chosen = m_app.prompts.openFile(request);
    if (!chosen)
        return;
    const std::string description =
        m_app.prompts.input({"Enter descriptive line about grid", "Grid Description", {}, std::nullopt})
            .value_or(std::string{});
    const MessageAnswer which =
        m_app.prompts.message({"Save " + ss(grid_select->text()), "Current Grid", MessageButtons::YesNo,
                               MessageIcon::None, DefaultButton::First});
    if (which == MessageAnswer::No)
        grid.current_grid = askGridNumber("What grid are you saving?");
    const int g = grid.current_grid;

    const std::filesystem::path file = pathInFolder(session.paths.current_folder, *chosen);
    if (auto saved = saveGridFile(grid, g, file, description); !saved) {
        m_app.prompts.tell(saved.error().text(), MessageIcon::Exclamation);
        return;
    }
    emit measuringDescriptionChanged(qs(description));
    ipt_file_description->setText(qs(*chosen));
    ipt_file_description_2->setText(qs(description));
    if (auto written = writeCheckPointsOf(file, checkPointPanel->checkPoints()); !written)
        m_app.prompts.tell(written.error().text(), MessageIcon::Exclamation);
}

void Grid_Setup::gridLoad_Click()
{
    Session& session = m_app.session;
    GridState& grid = session.grid;
    chkboxGridLock->setChecked(false);
    gridLockedLabel->hide();
    int g = 1;
    if (grid.grids_in_use != 1) {
        const MessageAnswer which =
            m_app.prompts.message({"Load " + ss(grid_select->text()), "Current Grid", MessageButtons::YesNo,
                                   MessageIcon::None, DefaultButton::First});
        g = which == MessageAnswer::Yes ? gridOfCaption() : askGridNumber("What grid are you loading?");
    }
    if (!makeSetupFolderCurrent())
        return;
    FileDialogRequest request;
    request.startFolder = session.config.setup_files_path;
    request.filter = kLoadFilter;
    request.filterIndex = 3;
    const auto chosen = m_app.prompts.openFile(request);
    if (!chosen)
        return;

    // The whole file is read and checked before anything is taken over, the grid number too, so a
    // cancel or a bad or damaged file changes nothing: the grid in use stays the one the boxes and
    // the caption show.
    const std::filesystem::path file = pathInFolder(session.paths.current_folder, *chosen);
    Result<GridFileContent> content = readGridFile(file);
    if (!content) {
        m_app.prompts.tell("The grid file was not loaded. " + content.error().text(),
                           MessageIcon::Exclamation);
        return;
    }
    takeGridFile(g, *chosen, *content);
    picture->clearDrawing();
    grid_check();
}

void Grid_Setup::reloadGridFile(const std::filesystem::path& file, int g)
{
    if (!isGridNumber(g))
        return;
    Result<GridFileContent> content = readGridFile(file);
    if (!content) {
        emit gridFileRefused(g);
        m_app.prompts.tell("Grid " + std::to_string(g) + " was not loaded. " + content.error().text(),
                           MessageIcon::Exclamation);
        return;
    }
    takeGridFile(g, pathText(file), *content);
}

void Grid_Setup::takeGridFile(int g, const std::string& pathLabel, const GridFileContent& content)
{
    if (!isGridNumber(g))
        return;
    GridState& grid = m_app.session.grid;
    const auto index = static_cast<std::size_t>(g);
    applyGridFile(grid, g, pathLabel, content);
    showWorkingGridInBoxes();
    emit measuringDescriptionChanged(qs(grid.grid_descriptions[index]));
    appendSummary(SummaryPositionLabel::Twips);
    showGridReady(g);
    m_app.settings.write(keys::gridFileKey(g), pathLabel);
    emit gridFileTaken(g, qs(grid.grid_descriptions[index]));
    // Filling the boxes counts as editing them; the grid just taken over is complete again.
    update_grids_complete(grid);
    checkPointPanel->loadCheckPointsOf(pathLabel);
}

void Grid_Setup::setPictureSize()
{
    const QSize size = picture->pictureSizePixels();
    m_app.session.grid_screen.picture_width = plainForm(pictureTwips(size.width()));
    m_app.session.grid_screen.picture_height = plainForm(pictureTwips(size.height()));
}

void Grid_Setup::putPicture(const QImage& image)
{
    picture->setPicture(image);
    setPictureSize();
}

void Grid_Setup::mnuLoadPicture_Click()
{
    Session& session = m_app.session;
    const std::string& folder = session.config.pictures_path;
    if (!folderExists(folder)) {
        m_app.prompts.tell(kInvalidPath, MessageIcon::Exclamation);
        return;
    }
    session.paths.current_folder = toPath(folder);
    FileDialogRequest request;
    request.startFolder = folder;
    request.filter = kPictureFilter;
    request.filterIndex = 4;
    const auto chosen = m_app.prompts.openFile(request);
    if (!chosen)
        return;
    if (auto loaded = picture->loadPicture(pathInFolder(session.paths.current_folder, *chosen)); !loaded) {
        m_app.prompts.tell(loaded.error().text(), MessageIcon::Exclamation);
        return;
    }
    setPictureSize();
}

void Grid_Setup::mnuClearPicture_Click()
{
    picture->clearPicture();
}

void Grid_Setup::mnuPaste_Click()
{
    // A clipboard without a picture gives an empty one, as clearing does.
    putPicture(QGuiApplication::clipboard()->image());
}

} // namespace leapmark
