// The measurement screen: recording a jump, the result options and the skier name.
#include "measure/ui/Measure.h"

#include "common/PathExistence.h"
#include "measure/JumpRecording.h"
#include "measure/ResultOptions.h"
#include "measure/ui/MeasureDrawing.h"
#include "measure/ui/MeasureLog.h"
#include "shell/ui/NamedControl.h"

#include <QComboBox>

namespace leapmark {
namespace {

ResultsFile resultsFile(const Session& session)
{
    return ResultsFile(pathInFolder(session.paths.current_folder, session.config.results_path));
}

PictureState pictureState(const Session& session)
{
    return session.measure.picture_frozen ? PictureState::Frozen : PictureState::Live;
}

} // namespace

void Measure::Record_Click()
{
    Session& session = m_app.session;
    // A measured jump is measured on its own picture: never at a landing marked on the last one.
    const ResultOption option = selectedOption();
    const bool measured =
        option != ResultOption::Pass && option != ResultOption::Fall && option != ResultOption::OtherGrid;
    if (measured && !m_landingMarked) {
        m_app.prompts.tell("Click the landing on the picture before recording the jump: no landing has been "
                           "marked on this picture yet",
                           MessageIcon::Exclamation);
        return;
    }
    RecordingPlaces places;
    places.results = resultsFile(session);
    places.exchange = ExchangeFolder(session.paths.exchange_dir);
    places.wstims = session.config.wstims_text == "WSTIMS ON";
    places.genericDevice = session.config.capture_device == "Generic";
    places.pictures_path = session.config.pictures_path;
    places.picture_extension = session.config.picture_extension;
    places.app_dir = session.paths.app_dir;

    MeasureForm recorded = form();
    SurfacePictureDrawing drawing(*picture);
    const RecordingOutcome outcome = recordJump(
        {recorded, session.grid, session.measure, session.grid_screen, session.paths.current_folder}, places,
        {m_app.prompts, m_app.clock, drawing});
    if (outcome == RecordingOutcome::Recorded)
        showForm(recorded);
    else
        qCWarning(lcMeasure) << "The jump was not recorded; results file" << places.results.path().c_str();
}

void Measure::Pass_Click()
{
    MeasureForm f = form();
    leapmark::Pass_Click(f);
    showForm(f);
}

void Measure::Fall_Click()
{
    MeasureForm f = form();
    leapmark::Fall_Click(f);
    showForm(f);
}

void Measure::Other_Grid_Click()
{
    MeasureForm f = form();
    leapmark::Other_Grid_Click(f);
    showForm(f);
}

void Measure::O_reride_Click()
{
    MeasureForm f = form();
    (void)recordReride(f, RerideKind::Optional, pictureState(m_app.session), resultsFile(m_app.session),
                       m_app.clock, m_app.prompts);
    showForm(f);
}

void Measure::M_Reride_Click()
{
    MeasureForm f = form();
    (void)recordReride(f, RerideKind::Mandatory, pictureState(m_app.session), resultsFile(m_app.session),
                       m_app.clock, m_app.prompts);
    showForm(f);
}

void Measure::Make_comment_Click()
{
    MeasureForm f = form();
    (void)recordComment(f, resultsFile(m_app.session), m_app.clock, m_app.prompts);
    showForm(f);
}

void Measure::btnGetName_Click()
{
    MeasureForm f = form();
    if (fetchSkierName(f, ExchangeFolder(m_app.session.paths.exchange_dir), m_app.prompts))
        showForm(f);
}

void Measure::Skier_name_Change()
{
    if (m_settingSkierName)
        return;
    MeasureForm f = form();
    skierNameChanged(f);
    showForm(f);
}

void Measure::Skier_name_Click()
{
    Skier_name_Change();
}

} // namespace leapmark
