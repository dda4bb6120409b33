#include "measure/JumpRecording.h"

#include "common/PathExistence.h"
#include "common/PathText.h"
#include "grid/GridOperations.h"
#include "measure/JumpNumber.h"
#include "measure/OtherGridDialogue.h"
#include "measure/PictureFiles.h"

namespace leapmark {
namespace {

/** One press of "Record Jump", worked on copies that are handed back only once the line is written. */
class Recording
{
public:
    Recording(RecordingState state, const RecordingPlaces& places, RecordingServices services)
        : m_state(state), m_places(places), m_services(services), m_form(state.form), m_grid(state.grid),
          m_values(state.values)
    {}

    RecordingOutcome run()
    {
        chooseResult();
        if (!measureIfMarked())
            return RecordingOutcome::NotRecorded;
        if (!writeJumpLine())
            return RecordingOutcome::NotRecorded;

        // The line is on disk: from here on the recording is the screen's new state.
        m_state.form = m_form;
        m_state.grid = m_grid;
        m_state.values = m_values;
        publishForScoring();
        readyForNextJump();
        return RecordingOutcome::Recorded;
    }

private:
    /** Steps 1 to 3: the Pass or Fall option, then the Other Grid questions. */
    void chooseResult()
    {
        m_advanceJumpNumber = false;
        if (isPassOrFall(m_form.option)) {
            m_form.distance.clear();
            m_form.distance_ft.clear();
            if (!m_values.picture_frozen) {
                m_advanceJumpNumber = true;
                m_form.option = ResultOption::None;
            }
            m_noMeasurement = true;
        }
        if (m_form.option == ResultOption::OtherGrid) {
            runOtherGridDialogue(m_form, m_exchange, m_services.prompts);
            if (!m_values.picture_frozen)
                m_advanceJumpNumber = true;
        }
    }

    /** Step 4: the distance of the marked landing, unless the option records none. */
    bool measureIfMarked()
    {
        if (m_form.option == ResultOption::OtherGrid || m_noMeasurement)
            return true;
        m_grid.screen_x = m_state.clickPoint.click_x;
        m_grid.screen_y = m_state.clickPoint.click_y;
        if (auto measured = distance_calculation(m_grid); !measured) {
            m_services.prompts.tell("The jump was not recorded: the landing could not be measured (" +
                                        measured.error().text() + ").",
                                    MessageIcon::Critical);
            return false;
        }
        const MeasuredJumpFigures figures = measuredJumpFigures(m_grid.jump_distance, m_form.feetPrecision);
        m_values.raw_distance_text = figures.raw_distance_text;
        m_exchange = {figures.exchangeMetresText, figures.exchangeFeetText};
        m_form.distance = figures.metresText;
        m_form.distance_ft = figures.feetText;
        return true;
    }

    /** Step 5. */
    bool writeJumpLine()
    {
        m_moment = m_services.clock.now();
        JumpRecordFields fields;
        fields.moment = m_moment;
        fields.skierName = m_form.Skier_name;
        fields.jumpNumberText = m_form.Jump_no;
        fields.metresText = m_form.distance;
        fields.feetText = m_form.distance_ft;
        fields.barefoot = m_grid.barefoot ? BarefootTournament::Yes : BarefootTournament::No;
        fields.verify = m_form.verify;
        fields.comment = m_form.Comment;
        if (m_form.option != ResultOption::OtherGrid)
            fields.tail = ImpactState{m_grid.survey_x, m_grid.survey_y, m_grid.screen_x, m_grid.screen_y,
                                      m_values.raw_distance_text};
        if (auto written = m_places.results.append(jumpRecord(fields)); !written) {
            m_services.prompts.tell("The jump was not recorded. " + written.error().text(),
                                    MessageIcon::Critical);
            return false;
        }
        return true;
    }

    /** Step 6: the jump number before it advances, as in the results file. */
    void publishForScoring()
    {
        if (!m_places.wstims)
            return;
        const MeasureForm& form = m_state.form;
        const ResultLine line = resultLine(form.Comment, m_exchange.metres, m_exchange.feet, form.Jump_no);
        if (auto published = m_places.exchange.publishResult(line, shortSkierName(form.Skier_name), m_moment);
            !published)
            m_services.prompts.tell("Error while writing WSTIMS result: " + published.error().text());
    }

    /** Steps 7 to 12. */
    void readyForNextJump()
    {
        MeasureForm& form = m_state.form;
        form.commentVisible = false;
        if (m_advanceJumpNumber)
            form.Jump_no = nextJumpNumberText(form.Jump_no);
        if (m_state.values.picture_frozen && form.option != ResultOption::OtherGrid &&
            !isPassOrFall(form.option))
            offerFrozenPicture();
        if (form.option == ResultOption::OtherGrid)
            form.option = ResultOption::None;
        form.Comment.clear();
        m_state.current_folder = m_places.app_dir;
        if (m_places.genericDevice)
            (void)
                m_places.exchange.deleteBitmaps(); // what is left from the last jump; failures do not matter
    }

    void offerFrozenPicture()
    {
        MeasurementValues& values = m_state.values;
        values.picture_file_name =
            picturePath(m_places.pictures_path, m_services.clock.now(), m_places.picture_extension);
        values.frozen_save_confirmed = false;
        const auto answer =
            m_services.prompts.input({std::string(kFrozenPicturePrompt), std::string(kFrozenPictureTitle),
                                      values.picture_file_name, std::nullopt});
        if (!answer)
            return;
        values.frozen_save_confirmed = true;
        if (answer->find_first_not_of(' ') != std::string::npos)
            values.picture_file_name = *answer;
        if (auto saved = m_services.picture.saveDrawing(
                pathInFolder(m_state.current_folder, values.picture_file_name));
            !saved)
            m_services.prompts.tell("The picture was not saved. " + saved.error().text(),
                                    MessageIcon::Critical);
    }

    RecordingState m_state;
    const RecordingPlaces& m_places;
    RecordingServices m_services;

    MeasureForm m_form;
    GridState m_grid;
    MeasurementValues m_values;
    bool m_advanceJumpNumber = false;
    bool m_noMeasurement = false;
    ExchangeTexts m_exchange;
    LocalDateTime m_moment;
};

} // namespace

RecordingOutcome recordJump(RecordingState state, const RecordingPlaces& places, RecordingServices services)
{
    return Recording(state, places, services).run();
}

} // namespace leapmark
