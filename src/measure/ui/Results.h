#pragma once

#include "shell/ui/Screen.h"

class QAction;
class QTextEdit;

namespace leapmark {

/** "Results": the results file as text, opened from the measuring screen without blocking it. */
class Results : public Screen
{
    Q_OBJECT

public:
    explicit Results(AppContext& app);

    /**
     * Loads the whole results file and shows the window with the path as its caption. A file that
     * cannot be read is reported with its reason and the window stays as it was.
     */
    void showResults();
    void Exit_results_Click();

    QTextEdit* output_box;
    QAction* Exit_results;

protected:
    void closeByTitleBar() override { Exit_results_Click(); }
};

} // namespace leapmark
