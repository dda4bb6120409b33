#include "manual/ui/frmManual.h"
#include "common/Twips.h"

#include "common/PathText.h"
#include "manual/ui/ManualDocument.h"
#include "shell/Session.h"
#include "shell/ui/HandlerGuard.h"
#include "shell/ui/NamedControl.h"

#include <QLabel>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

namespace leapmark {

namespace {

/** The text box is this much narrower than the window, split between its two sides. */
constexpr int kTextBoxInsetTwips = 100;

} // namespace

frmManual::frmManual(AppContext& app) : Screen(app, "frmManual", QStringLiteral("Leapmark 2005 Manual"))
{
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* layout = new QVBoxLayout(central);
    Label1 = namedControl<QLabel>(central, "Label1", QStringLiteral("Leapmark 2005 Manual"));
    RichTextBox1 = namedControl<QTextEdit>(central, "RichTextBox1");
    RichTextBox1->setReadOnly(true);
    cmdDone = namedControl<QPushButton>(central, "cmdDone", QStringLiteral("Done"));
    layout->addWidget(Label1);
    layout->addWidget(RichTextBox1, 1);
    layout->addWidget(cmdDone, 0, Qt::AlignHCenter);
    resize(760, 600);

    connectHandler(cmdDone, &QPushButton::clicked, this, &frmManual::cmdDone_Click, m_app.prompts);
    Form_Load();
}

void frmManual::Form_Load()
{
    const int insetPixels = wholePixels(kTextBoxInsetTwips);
    const QMargins margins = centralWidget()->layout()->contentsMargins();
    centralWidget()->layout()->setContentsMargins(insetPixels / 2, margins.top(),
                                                  insetPixels - insetPixels / 2, margins.bottom());
    // A manual that cannot be read leaves its notice in the text box; there is nothing more to say.
    (void)loadManual(*RichTextBox1->document(), qs(pathText(m_app.session.paths.app_dir)));
    // The reader starts at the first page, not where loading left the cursor.
    RichTextBox1->moveCursor(QTextCursor::Start);
    RichTextBox1->ensureCursorVisible();
}

void frmManual::cmdDone_Click()
{
    openScreen(ScreenId::Main);
    hide();
}

} // namespace leapmark
