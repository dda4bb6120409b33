#pragma once

#include "shell/ui/Screen.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace leapmark {

/**
 * The skier picker of the capture screen: the names of the application folder's skier list, one
 * of which a double click puts into the capture screen's name box. A window of its own, owned by
 * the capture screen and not blocking it; its list is read afresh every time it opens and dropped
 * when it closes.
 */
class frmSelectSkier : public Screen
{
    Q_OBJECT

public:
    /** `owner` is the capture screen, which the picker stays in front of. */
    frmSelectSkier(AppContext& app, QWidget* owner);

    /**
     * Loads the list and shows the picker. When the list file cannot be read the operator is told
     * the file and the reason and the picker stays closed.
     */
    void open();

    /** Places the picker and fills the list from the skier list file; false (reported) when it cannot be
     * read. */
    bool Form_Load();

    /** Puts the selected name into the capture screen's name box and closes the picker. */
    void lstSkiers_DblClick();
    /** Closes the picker without a change. */
    void cmdNoSelect_Click();

    QLabel* Label1;
    QListWidget* lstSkiers;
    QPushButton* cmdNoSelect;

signals:
    /** A name was picked for the capture screen's name box. */
    void skierChosen(const QString& name);

private:
    void closePicker();
};

} // namespace leapmark
