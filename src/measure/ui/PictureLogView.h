#pragma once

#include "shell/ui/Screen.h"

#include <functional>
#include <string>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace leapmark {

/** "Contact Picture Log": the pictures saved in a session log, any of them put back on the measuring screen.
 */
class PictureLogView : public Screen
{
    Q_OBJECT

public:
    explicit PictureLogView(AppContext& app);

    void cmdSelPicLog_Click();
    void lstPicLog_Click();
    void lstPicLog_DblClick();
    void cmdViewPicLog_Click();

    /** Which screen opened the viewer: "View Picture" leads on from there. */
    enum class OpenedFrom { MeasuringScreen, MainScreen };
    void showFrom(OpenedFrom opener);

    /** Puts a logged picture on the measuring screen; false (reported) when it cannot be read. */
    using PictureOpener = std::function<bool(const std::string& file)>;
    void setPictureOpener(PictureOpener opener) { m_openPicture = std::move(opener); }

    QLineEdit* txtPicLogToView;
    QListWidget* lstPicLog;
    QLineEdit* txtPictureToView;
    QPushButton* cmdSelPicLog;
    QPushButton* cmdViewPicLog;

signals:
    /**
     * Opened over the main screen, "View Picture" asks for the measuring screen as the main screen's
     * "View Already Recorded Jump Pics" shows it: once every grid in use is ready, in its place.
     */
    void measuringScreenWanted();

protected:
    /** Every opening shows the day's log as it is at that moment. */
    void Form_Activate() override;

private:
    OpenedFrom m_openedFrom = OpenedFrom::MeasuringScreen;
    PictureOpener m_openPicture;
};

} // namespace leapmark
