#pragma once

#include "shell/ui/Screen.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace leapmark {

/** The capture screen: live preview and recording of one run to a named video file. */
class PreviewForm : public Screen
{
    Q_OBJECT

public:
    explicit PreviewForm(AppContext& app);

    /**
     * The load's skier name: the first name of the application folder's skier list, or
     * "Skier Name" when there is no list; an empty first line leaves the box as it is.
     */
    void loadSkierName();

    /** "Select": opens the skier picker. */
    void cmdSelect_Click();
    /** A double click in the name box opens the skier picker too. */
    void txtSkierName_DblClick();

    /** The skier the next video is named after. */
    QLineEdit* txtSkierName;
    QLineEdit* txtPass;
    /** The name-change notice, shown when a name was changed to avoid overwriting a capture. */
    QLabel* Label4;
    QPushButton* cmdSelect;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void pickSkier();
};

} // namespace leapmark
