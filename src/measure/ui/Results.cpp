#include "measure/ui/Results.h"

#include "measure/LogViewing.h"
#include "shell/Session.h"
#include "shell/ui/HandlerGuard.h"
#include "shell/ui/NamedControl.h"

#include <QAction>
#include <QMenuBar>
#include <QTextEdit>

namespace leapmark {

Results::Results(AppContext& app) : Screen(app, "Results", QStringLiteral("Results"))
{
    output_box = namedControl<QTextEdit>(this, "output_box");
    output_box->setAccessibleName(QStringLiteral("Results file"));
    output_box->setReadOnly(true);
    output_box->setAcceptRichText(false);
    output_box->setLineWrapMode(QTextEdit::NoWrap);
    setCentralWidget(output_box);
    Exit_results = menuBar()->addAction(QStringLiteral("E&xit"));
    Exit_results->setObjectName(QStringLiteral("Exit_results"));
    resize(900, 500);
    connectHandler(Exit_results, &QAction::triggered, this, &Results::Exit_results_Click, app.prompts);
}

void Results::showResults()
{
    const std::string& path = m_app.session.config.results_path;
    auto text = readResultsText(path, m_app.session.paths.current_folder);
    if (!text) {
        m_app.prompts.tell(text.error().text(), MessageIcon::Exclamation);
        return;
    }
    output_box->clear();
    // Record files are UTF-8 with CR LF line ends; the box wants one line break per line.
    QString shown = QString::fromUtf8(text->data(), static_cast<qsizetype>(text->size()));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    output_box->setPlainText(shown);
    setWindowTitle(qs(path));
    showScreen();
}

void Results::Exit_results_Click()
{
    hide();
    output_box->clear();
}

} // namespace leapmark
