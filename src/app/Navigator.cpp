#include "app/Navigator.h"

#include "app/Screens.h"
#include "capture/ui/CapturePanel.h"
#include "capture/ui/PreviewForm.h"
#include "common/PathText.h"
#include "grid/ui/Calibrate.h"
#include "grid/ui/Grid_Setup.h"
#include "measure/ui/LogView.h"
#include "measure/ui/Measure.h"
#include "measure/ui/PictureLogView.h"
#include "measure/ui/Results.h"
#include "names/ui/SkierNameImport.h"
#include "names/ui/frmSelectSkier.h"
#include "review/ui/frmSetStart.h"
#include "shell/ui/Config.h"
#include "shell/ui/MainForm.h"
#include "shell/ui/NamedControl.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace leapmark {
namespace {

/** The start-up places the second window beside the first, both on the display. */
void placeBeside(QWidget& first, QWidget& second)
{
    const QScreen* display = first.screen();
    if (display == nullptr)
        return;
    const int screenWidth = display->geometry().width();
    const int firstWidth = first.frameGeometry().width();
    if (first.x() + firstWidth + second.frameGeometry().width() > screenWidth)
        first.move(0, first.y());
    second.move(first.x() + firstWidth, first.y());
    if (second.x() > screenWidth)
        second.move(0, second.y());
}

} // namespace

Navigator::Navigator(AppContext& app, Screens& screens) : m_app(app), m_screens(screens) {}

void Navigator::connectScreen(ScreenId id, Screen& screen)
{
    QObject::connect(&screen, &Screen::screenWanted, &screen, [this](ScreenId target) { show(target); });
    QObject::connect(&screen, &Screen::ownedScreenWanted, &screen,
                     [this](ScreenId target, QWidget* owner) { showOwned(target, owner); });
    QObject::connect(&screen, &Screen::screenHideWanted, &screen, [this](ScreenId target) { hide(target); });
    QObject::connect(&screen, &Screen::closedByOperator, &screen, [this] { m_screens.keepAWindowVisible(); });
    switch (id) {
    case ScreenId::Main:
        connectMainScreen();
        break;
    case ScreenId::Configuration:
        connectConfiguration();
        break;
    case ScreenId::GridSetup:
        connectGridSetup();
        break;
    case ScreenId::Capture:
        connectCapture();
        break;
    default:
        connectViewers(id);
        break;
    }
}

void Navigator::show(ScreenId target)
{
    m_screens.screen(target).showScreen();
}

void Navigator::hide(ScreenId target)
{
    m_screens.screen(target).hide();
}

void Navigator::showOwned(ScreenId target, QWidget* owner)
{
    Screen& viewer = m_screens.screen(target);
    // The measuring and grid setup screens take a viewer over from whichever screen had it; the
    // others keep it in front of the screen that first opened it.
    const bool takeOver =
        dynamic_cast<Measure*>(owner) != nullptr || dynamic_cast<Grid_Setup*>(owner) != nullptr;
    if (takeOver ? viewer.parentWidget() != owner : viewer.parentWidget() == nullptr)
        viewer.setParent(owner, Qt::Window);
    switch (target) {
    case ScreenId::Results:
        m_screens.results().showResults();
        return;
    case ScreenId::PictureLog:
        m_screens.pictureLogView().showFrom(owner == &m_screens.mainForm()
                                                ? PictureLogView::OpenedFrom::MainScreen
                                                : PictureLogView::OpenedFrom::MeasuringScreen);
        return;
    case ScreenId::SessionLog:
        // Frame selection watches the viewer it opened: the viewer's "View" comes back to it.
        if (auto* frameSelection = dynamic_cast<frmSetStart*>(owner)) {
            viewer.removeEventFilter(frameSelection);
            viewer.installEventFilter(frameSelection);
        }
        viewer.showScreen();
        return;
    default:
        viewer.showScreen();
        return;
    }
}

void Navigator::connectMainScreen()
{
    MainForm& main = m_screens.mainForm();
    QObject::connect(&main, &MainForm::captureScreenPlacementWanted, &main,
                     [this, &main] { placeBeside(main, m_screens.previewForm()); });
    QObject::connect(&main, &MainForm::skierNameImportWanted, &main, [this] {
        if (const auto name = importSkierNames(m_app))
            m_screens.previewForm().showSkierName(qs(*name));
    });
    CapturePanel& panel = m_screens.capturePanel();
    QObject::connect(&panel, &CapturePanel::screenWanted, &panel, [this](ScreenId target) { show(target); });
    QObject::connect(&panel, &CapturePanel::screenHideWanted, &panel,
                     [this](ScreenId target) { hide(target); });
}

void Navigator::connectConfiguration()
{
    Config& config = m_screens.config();
    QObject::connect(&config, &Config::tournamentIndicatorChanged, &config, [this](const QString& text) {
        if (text.isEmpty())
            m_screens.measure().hideTournamentIndicator();
        else
            m_screens.measure().showTournamentIndicator(ss(text));
    });
    QObject::connect(&config, &Config::labelColoursChanged, &config,
                     [this] { m_screens.measure().applyConfiguredLabelColours(); });
    QObject::connect(&config, &Config::unofficialJumpNoticeHidden, &config,
                     [this] { m_screens.measure().UnofficialJump->hide(); });
    QObject::connect(&config, &Config::skierNameButtonShown, &config,
                     [this](bool shown) { m_screens.measure().btnGetName->setVisible(shown); });
    QObject::connect(&config, &Config::tournamentNamesRead, &config,
                     [this](const std::vector<std::string>& names) {
                         Measure& measure = m_screens.measure();
                         measure.clearSkierNames();
                         for (const std::string& name : names)
                             measure.addSkierName(name);
                     });
    QObject::connect(&config, &Config::gridLockedLabelHidden, &config,
                     [this] { m_screens.gridSetup().hideGridLockedLabel(); });
    QObject::connect(&config, &Config::gridRowsShown, &config,
                     [this](int gridsInUse) { m_screens.mainForm().showGridRows(gridsInUse); });
    QObject::connect(&config, &Config::gridPictureChanged, &config, [this](int g, bool ready) {
        m_screens.mainForm().setGridPicture(g, ready ? GridPicture::Ready : GridPicture::Missing);
    });
    // The grid setup screen resets its working corners when it is first created: it is created
    // before the file is read.
    QObject::connect(&config, &Config::gridFileReloadWanted, &config, [this](int g, const QString& file) {
        m_screens.gridSetup().reloadGridFile(toPath(ss(file)), g);
    });
}

void Navigator::connectGridSetup()
{
    Grid_Setup& setup = m_screens.gridSetup();
    QObject::connect(
        &setup, &Grid_Setup::measuringDescriptionChanged, &setup,
        [this](const QString& description) { m_screens.measure().showGridDescription(ss(description)); });
    QObject::connect(&setup, &Grid_Setup::gridFileTaken, &setup, [this](int g, const QString& description) {
        MainForm& main = m_screens.mainForm();
        main.setGridPicture(g, GridPicture::Ready);
        main.setGridDescription(g, ss(description));
    });
    QObject::connect(&setup, &Grid_Setup::gridFileRefused, &setup,
                     [this](int g) { m_screens.mainForm().setGridPicture(g, GridPicture::Missing); });
    QObject::connect(&setup, &Grid_Setup::setupLeftWithGridOne, &setup, [this](const QString& description) {
        m_screens.measure().showGridFromSetup(ss(description));
    });
}

void Navigator::connectCapture()
{
    PreviewForm& capture = m_screens.previewForm();
    QObject::connect(&capture, &PreviewForm::skierPickerWanted, &capture,
                     [this] { m_screens.selectSkier().open(); });
}

void Navigator::connectViewers(ScreenId id)
{
    switch (id) {
    case ScreenId::SelectSkier: {
        frmSelectSkier& picker = m_screens.selectSkier();
        QObject::connect(&picker, &frmSelectSkier::skierChosen, &picker,
                         [this](const QString& name) { m_screens.previewForm().showSkierName(name); });
        break;
    }
    case ScreenId::PictureLog: {
        PictureLogView& viewer = m_screens.pictureLogView();
        viewer.setPictureOpener(
            [this](const std::string& file) { return m_screens.measure().showLoggedPicture(file); });
        QObject::connect(&viewer, &PictureLogView::measuringScreenWanted, &viewer,
                         [this] { m_screens.mainForm().ccmdGoToMeasure_Click(); });
        break;
    }
    case ScreenId::Calibrate:
        // Asking for a screen not made yet would make it, and its first creation resets the grid.
        m_screens.calibrate().setPictureSources([this] {
            std::vector<PictureSurface*> found;
            if (m_screens.hasMeasure())
                found.push_back(m_screens.measure().picture);
            if (m_screens.hasGridSetup())
                found.push_back(m_screens.gridSetup().picture);
            return found;
        });
        break;
    default:
        break;
    }
}

} // namespace leapmark
