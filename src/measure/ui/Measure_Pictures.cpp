// The measurement screen: where its picture comes from, saving it and the question on leaving.
#include "measure/ui/Measure.h"

#include "common/NumberText.h"
#include "common/PathExistence.h"
#include "common/PathText.h"
#include "common/Twips.h"
#include "grid/GridOperations.h"
#include "measure/GridChoice.h"
#include "measure/LogViewing.h"
#include "measure/PictureSave.h"
#include "measure/ResultsFile.h"
#include "measure/ui/MeasureDrawing.h"
#include "shell/ui/NamedControl.h"
#include "shell/ui/picture/PictureSurface.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace leapmark {
namespace {

constexpr int kClipboardPollMs = 1000;
constexpr const char* kPictureFilter = "All Files (*.*)|*.*|Text Files (*.txt)|*.txt|Jump Picture Files "
                                       "(*.gif)|*.gif|Jump Picture Files (*.bmp)|*.bmp|Jump Picture Files "
                                       "(*.jpg)|*.jpg|";

int pictureFilterIndex(const std::string& picture_extension)
{
    if (picture_extension == ".gif")
        return 3;
    if (picture_extension == ".jpg")
        return 5;
    return 4;
}

QImage clipboardPicture()
{
    // A clipboard without a picture gives an empty one.
    return QGuiApplication::clipboard()->image();
}

} // namespace

void Measure::Form_Activate()
{
    // The number of grids can change on the configuration screen after this screen was created.
    GridState& grid = m_app.session.grid;
    Set_grid->setVisible(grid.grids_in_use > 1);
    // Other screens change the grid in use (the grid setup's exit makes it grid 1): the button, the
    // overlay, the description and the distance all follow the grid in use, whatever the button said
    // when the screen was left.
    if (isGridLoaded(grid, grid.current_grid))
        activate_grid(grid, grid.current_grid);
    Set_grid->setText(qs(gridButtonCaption(grid.current_grid)));
    if (m_app.session.navigation_origin == NavigationOrigin::SelectFrame) {
        const std::filesystem::path handOver = m_app.session.paths.app_dir / currentCaptureFileName;
        if (auto loaded = picture->loadPicture(handOver); !loaded) {
            picture->clearPicture();
            m_app.prompts.tell(loaded.error().text(), MessageIcon::Exclamation);
        }
        forgetLanding();
        setPictureSize();
    }
    show_the_grid();
}

void Measure::setPictureSize()
{
    const QSize size = picture->pictureSizePixels();
    m_app.session.grid_screen.picture_width = plainForm(pictureTwips(size.width()));
    m_app.session.grid_screen.picture_height = plainForm(pictureTwips(size.height()));
}

void Measure::showPictureName(const std::string& name)
{
    gif_file_name->setText(qs(name));
    gif_file_name->setToolTip(gif_file_name->text());
    // The whole name shows: the box is as wide as the grid description above it, or as the name
    // needs, as far as the picture reaches.
    const QFontMetrics metrics = gif_file_name->fontMetrics();
    const int frame = gif_file_name->sizeHint().width() - 17 * metrics.horizontalAdvance(QLatin1Char('x'));
    const int needed = metrics.horizontalAdvance(gif_file_name->text()) + frame;
    const int room =
        std::max(grid_description->width(), picture->viewport()->width() - grid_description->x());
    gif_file_name->setFixedWidth(std::clamp(needed, grid_description->width(), room));
    gif_file_name->move(grid_description->x(), grid_description->y() + grid_description->height());
    gif_file_name->show();
}

void Measure::freezePreamble()
{
    m_app.session.measure.picture_frozen = true;
    FrozenSign->show();
    distance->clear();
    distance_ft->clear();
    Show_grid->setFocus();
}

void Measure::ImgSnapShot_Click()
{
    Session& session = m_app.session;
    freezePreamble();
    const ExchangeFolder exchange(session.paths.exchange_dir);
    session.measure.current_picture_file = std::string(ExchangeFolder::kSnapshotFileName);
    const bool generic = session.config.capture_device == "Generic";
    const bool loaded = folderExists(pathText(exchange.folder())) &&
                        (!generic || picture->loadPicture(exchange.snapshotPath()).ok());
    session.paths.current_folder = session.paths.app_dir;
    if (!loaded) {
        m_app.prompts.tell("Warning, snapshot file has not been saved in the \\qxio directory",
                           MessageIcon::Exclamation);
        return;
    }
    forgetLanding();
    show_the_grid();
    gif_file_name->setText(qs(session.measure.current_picture_file));
    gif_file_name->show();
}

void Measure::ClipSnapShot_Click()
{
    freezePreamble();
    if (m_app.session.config.capture_device == "Generic") {
        picture->setPicture(clipboardPicture());
        forgetLanding();
    }
    show_the_grid();
    gif_file_name->setText(QStringLiteral("Picture from Clipboard"));
    gif_file_name->show();
}

void Measure::mnuPaste_Click()
{
    ClipSnapShot_Click();
}

void Measure::cbAutoLoadClipboard_Click()
{
    if (cbAutoLoadClipboard->isChecked()) {
        loadTimer->setInterval(kClipboardPollMs);
        loadTimer->start();
    } else {
        loadTimer->stop();
    }
}

void Measure::loadTimer_Timer()
{
    const ExchangeFolder exchange(m_app.session.paths.exchange_dir);
    if (!exchange.isClipboardReady())
        return;
    picture->setPicture(clipboardPicture());
    forgetLanding();
    (void)exchange.resetClipFlag(); // a flag that cannot be reset is tried again next tick
}

void Measure::LoadPict_Click()
{
    Session& session = m_app.session;
    const std::string& folder = session.config.pictures_path;
    auto recordLoad = [this, &session] {
        const ResultsFile results(pathInFolder(session.paths.current_folder, session.config.results_path));
        if (auto written =
                results.append(pictureLoadedRecord(m_app.clock.now(), session.measure.current_picture_file));
            !written)
            m_app.prompts.tell(written.error().text(), MessageIcon::Exclamation);
        session.navigation_origin = NavigationOrigin::PictureLoadMenu;
    };
    if (!folderExists(folder)) {
        m_app.prompts.tell("Invalid path, change in configuration screen", MessageIcon::Exclamation);
        recordLoad();
        return;
    }
    session.paths.current_folder = toPath(folder);

    FileDialogRequest request;
    request.startFolder = folder;
    request.filter = kPictureFilter;
    request.filterIndex = pictureFilterIndex(session.config.picture_extension);
    const auto chosen = m_app.prompts.openFile(request);
    if (!chosen || !putPictureFile(pathInFolder(session.paths.current_folder, *chosen))) {
        recordLoad();
        return;
    }
    session.measure.current_picture_file = *chosen;
    picture->setBackgroundColour(Qt::black);
    setPictureSize();
    show_the_grid();
    showPictureName(*chosen);
    recordLoad();
}

bool Measure::putPictureFile(const std::filesystem::path& file)
{
    if (auto loaded = picture->loadPicture(file); !loaded) {
        m_app.prompts.tell(loaded.error().text(), MessageIcon::Exclamation);
        return false;
    }
    forgetLanding();
    return true;
}

void Measure::forgetLanding()
{
    // A landing marked on the last picture is not this one's: its cross goes, and recording a
    // measured jump waits for a click on the picture now shown.
    m_landingMarked = false;
    for (ImpactLine which : {ImpactLine::Horizontal, ImpactLine::Vertical, ImpactLine::Splash}) {
        SurfaceLineItem item = picture->lineItem(impactLineItem(which));
        item.visible = false;
        picture->setLineItem(impactLineItem(which), item);
    }
    showMicroAdjust(false);
}

bool Measure::showLoggedPicture(const std::string& file)
{
    if (!putPictureFile(pathInFolder(m_app.session.paths.current_folder, file)))
        return false;
    setPictureSize();
    show_the_grid();
    showPictureName(file);
    m_app.session.navigation_origin = NavigationOrigin::PictureLog;
    return true;
}

void Measure::SavePict_Click()
{
    Session& session = m_app.session;
    PictureSavePlaces places;
    places.pictures_path = session.config.pictures_path;
    places.picture_extension = session.config.picture_extension;
    places.current_folder = session.paths.current_folder;
    places.results = ResultsFile(pathInFolder(session.paths.current_folder, session.config.results_path));
    places.sessionLog = SessionLog(sessionLogPath(session.config.video_dir, session.config.session_log_name));
    places.skierText = session.capture.skier_name;
    places.passText = session.capture.pass;
    places.metresText = ss(distance->text());
    SurfacePictureDrawing drawing(*picture);
    (void)savePicture(session.measure, places, m_app.clock, m_app.prompts, drawing);
}

void Measure::leaveQuestion()
{
    if (saveOnLeaving(m_app.session.navigation_origin, m_app.session.config.picture_save_mode, m_app.prompts))
        SavePict_Click();
}

void Measure::removeExchangeBitmaps()
{
    if (m_app.session.config.capture_device == "Generic")
        (void)ExchangeFolder(m_app.session.paths.exchange_dir).deleteBitmaps(); // failures do not matter here
}

} // namespace leapmark
